// Prints, as Markdown tables, the ratings of every model of a fixed-speed
// series at every speed, at the standard conditions (cooling air 27 °C /
// 47 %, water 7/12 °C; heating air 20 °C, water 70/60 °C; 0 Pa; sound at
// 2 m, directivity 2; no accessory), rated through the rating unit without
// any window, so that the sample catalogue's values can be checked after a
// change. First table: two-pipe models; second: the four-pipe pairs.
// Usage: tabella_catalogo PROGRAM_FOLDER SERIES   (KALVO, KALVOP, RMB or DVK)
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/unita.h"
#include "platform/messaggi.h"
#include "selection/celle.h"
#include "selection/unita/valutazione.h"
#include "tools/serie_senza_finestre.h"
#include "selection/unita/contesto.h"

namespace {

class Stampa : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio& m) override {
    std::fprintf(stderr, "message: %s\n", m.testo.toUtf8().constData());
  }
};

void StampaRiga(const QStringList& celle) { std::printf("| %s |\n", celle.join(" | ").toUtf8().constData()); }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: tabella_catalogo PROGRAM_FOLDER SERIES\n");
    return 2;
  }
  Stampa stampa;
  plat::ImpostaPresentatore(&stampa);
  core::imp.SepDec = ".";
  core::RiempiUnita();
  core::um.UmPortataAria = 2;   // m3/h
  core::um.UmPortataAcqua = 1;  // l/h

  const std::string serie = argv[2];
  strumenti::SerieSenzaFinestre s;
  if (!s.Carica(QString::fromLocal8Bit(argv[1]), serie) || s.descrittore->ec) {
    std::fprintf(stderr, "the fixed-speed series %s cannot be loaded\n", serie.c_str());
    return 1;
  }
  const bool fanCoil = s.descrittore->aria == catalogo::Aria::Singola;
  QStringList velocita;
  for (const std::string& v : s.descrittore->velocita) velocita << QString::fromStdString(v);
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();

  QStringList codici{"",   "Vel",    "QA",      "PT",     "PS", "QW (C)", "DPW (C)", "TA (C)",
                     "PH", "QW (H)", "DPW (H)", "TA (H)", "LW", "LP",     "Pin"};
  QStringList unita{"Model", "",    "m3/h", "W",  "W",     "l/h",   "kPa", "°C",
                    "W",     "l/h", "kPa",  "°C", "dB(A)", "dB(A)", "W"};
  if (s.descrittore->colonneRumoreInOut) {
    codici << "LW_In+R"
           << "LW_Out";
    unita << "dB(A)"
          << "dB(A)";
  }
  for (int quattroTubi = 0; quattroTubi <= 1; ++quattroTubi) {
    unita::Condizioni k = strumenti::SerieSenzaFinestre::Standard();
    k.QuattroTubi = quattroTubi != 0;
    k.Accessori[0] = k.QuattroTubi;
    unita::StatoCorsa stato = unita::StatoIniziale();
    unita::Valutazione u(stato, s.costanti, k, strumenti::SerieSenzaFinestre::Accessori());
    u.IniziaCorsa();
    StampaRiga(codici);
    std::printf("|%s\n", QString("---|").repeated(codici.size()).toUtf8().constData());
    StampaRiga(unita);
    for (int v = 1; v <= velocita.size(); ++v) {
      for (int m = 1; m <= std::min<int>(cat.NModelli, catalogo::kUltimoModello); ++m) {
        const catalogo::DatiModello& d = cat.Modelli[m];
        const unita::Riga r = fanCoil ? u.RigaFanCoil(d, m, v) : u.RigaMista(d, m, v);
        if (r.fine != unita::Riga::Fine::Riga) continue;
        QStringList celle{QString::fromStdString(d.ModDescri), velocita[v - 1],
                          sel::CellaPortataAria(r.punto.PortataAria)};
        sel::CelleRese(celle, r.rese, true, true, fanCoil);
        if (fanCoil) {
          celle << sel::CellaPositiva(r.LWA) << (r.conLP ? QString::number(r.LP) : QString())
                << sel::CellaPositiva(r.PIN);
        } else {
          celle << core::TestoNumero(r.LWA, ".") << QString::number(r.LP);
          if (r.PIN > 0)
            celle << core::TestoNumero(r.PIN, ".") << core::TestoNumero(r.LWAIn, ".")
                  << core::TestoNumero(r.LWAOut, ".");
        }
        StampaRiga(celle);
      }
    }
    std::printf("\n");
  }
  plat::ImpostaPresentatore(nullptr);
  return 0;
}
