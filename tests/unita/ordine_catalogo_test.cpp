// The shipped catalogue: at one air flow and the standard conditions, a
// larger model of a series never rates below a smaller one, in cooling
// (total and sensible) and in heating, over every air flow both models can
// be asked for, in every series and its district-cooling table.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <map>
#include <optional>

#include "engine/ventilatori.h"
#include "selection/unita/valutazione.h"
#include "tools/serie_senza_finestre.h"

namespace {

struct Rese {
  float totale = 0, sensibile = 0, caldo = 0;
};

// The air flows (m3/h) a model can be rated at on coefficient set `set`.
struct Campo {
  float da = 0, a = 0;
};

// The flow of a fan curve at a pressure, searched as the series' run searches
// it (mixed-air units over a wider range).
std::optional<float> Portata(const catalogo::Serie& serie, const catalogo::DatiModello& d, int curva,
                             float pressione) {
  const motore::CurvaVentilatore c{d.VentA[curva], d.VentB[curva], d.VentC[curva]};
  if (serie.aria == catalogo::Aria::Singola || serie.ec) return motore::PortataDaPressione(pressione, c);
  unita::StatoCorsa s;
  return motore::PortataDaPressioneAcc(pressione, c, 0, {}, s);
}

// The working flows a run can give the model: a fixed-speed fan coil at
// speed v between the window's highest static pressure (and above half the
// free delivery of speed 1) and free delivery; a fixed-speed mixed-air unit
// at a required flow above a quarter of the free delivery of speed 1 and up
// to the free delivery of the speed; a single-air EC unit from its least
// selectable flow, a mixed-air one (whose run has no least flow) from a
// third of the free delivery of curve 1, to the free delivery of its top
// curve.
std::optional<Campo> CampoModello(const catalogo::Serie& serie, const catalogo::DatiModello& d, int v) {
  const std::optional<float> libera1 = Portata(serie, d, serie.ec ? 7 : 1, 0);
  const std::optional<float> libera = Portata(serie, d, serie.ec ? 7 : v, 0);
  if (!libera || !libera1) return std::nullopt;
  if (serie.ec && serie.aria == catalogo::Aria::Mista)
    return Campo{*Portata(serie, d, 1, 0) / 3 + 1, *libera};
  if (serie.ec) return Campo{static_cast<float>(d.MinQa), *libera};
  if (serie.aria == catalogo::Aria::Mista) return Campo{*Portata(serie, d, 1, 0) / 4 + 1, *libera};
  const float minima =
      std::max(*Portata(serie, d, 1, 0) / 2 + 1, Portata(serie, d, v, serie.pressioneMassima).value_or(0.0f));
  return Campo{minima, *libera};
}

// Model d rated at q m3/h on coefficient set `set` at the standard conditions.
Rese Rata(const strumenti::SerieSenzaFinestre& s, const catalogo::DatiModello& d, int set, float q) {
  const unita::Condizioni k = strumenti::SerieSenzaFinestre::Standard();
  unita::StatoCorsa st;
  st.TipoTransizione = 2;
  unita::Valutazione u(st, s.costanti, k);
  u.IniziaCorsa();
  Rese r;
  if (!u.ImpostaModello(d)) return r;
  const bool misto = s.descrittore->aria == catalogo::Aria::Mista;
  st.PortataAria = q / 3600.0f;
  st.FlagPassaggio = unita::kFreddo;
  if (!u.ControllaSingola(unita::kFreddo).Passato()) return r;
  u.PassoFreddo({d.FC30[set], d.FCC50, d.C100[set]});
  st.FlagPassaggio = unita::kCaldo;
  if (!u.ControllaSingola(unita::kCaldo).Passato()) return r;
  u.PassoCaldo({d.CC30[set], misto ? d.CCC50 : d.FCC50, 0}, st.QwDato);
  const unita::Rese rese = unita::Rese::DaStato(st);
  r.totale = rese.PotFreddoTot;
  r.sensibile = rese.PotFreddoSens;
  r.caldo = rese.PotCaldo;
  return r;
}

// The models of one kind in table order: base units, and each kind of
// four-pipe row apart (their coils differ from the base unit's).
std::map<std::string, std::vector<int>> Gruppi(const catalogo::CatalogoSerie& cat) {
  std::map<std::string, std::vector<int>> g;
  for (int m = 1; m <= std::min<int>(cat.NModelli, catalogo::kUltimoModello); ++m) {
    const std::string& codice = cat.Modelli[m].Modello;
    const std::size_t p = codice.find(" 4P");
    g[p == std::string::npos ? std::string() : codice.substr(p)].push_back(m);
  }
  return g;
}

}  // namespace

TEST(OrdineCatalogo, UnModelloPiuGrandeNonRendeMenoAllaStessaPortata) {
  core::imp.SepDec = ".";
  int confronti = 0;
  for (const catalogo::Serie& serie : catalogo::TutteLeSerie()) {
    for (bool district : {false, true}) {
      SCOPED_TRACE(std::string(serie.codice) + (district ? " district" : ""));
      strumenti::SerieSenzaFinestre s;
      ASSERT_TRUE(s.Carica(QStringLiteral(PROGRAM_DIR), serie.codice, district));
      const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
      const int velocita = serie.ec ? 1 : static_cast<int>(serie.velocita.size());
      for (const auto& [tipo, modelli] : Gruppi(cat)) {
        for (std::size_t i = 1; i < modelli.size(); ++i) {
          const catalogo::DatiModello& a = cat.Modelli[modelli[i - 1]];
          const catalogo::DatiModello& b = cat.Modelli[modelli[i]];
          const unita::Ruolo ruolo = unita::RuoloModello(
              serie.aria == catalogo::Aria::Mista ? unita::TipoCorsa::Misto : unita::TipoCorsa::FanCoil,
              b.Modello, !tipo.empty());
          for (int v = 1; v <= velocita; ++v) {
            const int set = serie.famiglia == catalogo::Famiglia::Kalvo && !serie.ec ? v : 1;
            const std::optional<Campo> ca = CampoModello(serie, a, v), cb = CampoModello(serie, b, v);
            if (!ca || !cb) continue;
            const float da = std::max(ca->da, cb->da), fino = std::min(ca->a, cb->a);
            // EC units are asked for any flow: every 10 m3/h.
            const int passi = serie.ec ? static_cast<int>((fino - da) / 10) + 1 : 20;
            for (int passo = 0; passo <= passi && da <= fino; ++passo) {
              const float q = da + (fino - da) * passo / passi;
              const Rese ra = Rata(s, a, set, q), rb = Rata(s, b, set, q);
              ++confronti;
              const auto traccia = [&] {
                return a.Modello + " / " + b.Modello + " speed " + std::to_string(v) + " at " +
                       std::to_string(q) + " m3/h";
              };
              if (ruolo.freddo) {
                EXPECT_GE(rb.totale, ra.totale) << traccia();
                EXPECT_GE(rb.sensibile, ra.sensibile) << traccia();
              }
              if (ruolo.caldo) {
                EXPECT_GE(rb.caldo, ra.caldo) << traccia();
              }
            }
          }
        }
      }
    }
  }
  EXPECT_GT(confronti, 1000);
}
