#include "core/unita.h"

#include <cmath>

#include "core/ambiente.h"
#include "core/numeri.h"

namespace core {

UnitaMisura um;

void RiempiUnita() {
  um.NomiUmPotenza = {"W", "Cal/h - Frig/h"};
  um.FormatoPotenza = {"######", "######"};
  um.FattorePotenza = {1.0f, 0.86f};
  um.NomiUmPortataAria = {"l/s", "m3/s", "m3/h"};
  um.FormatoPortataAria = {"###0.0", "0.000", "#####"};
  um.FattorePortataAria = {1000.0f, 1.0f, 3600.0f};
  um.NomiUmPortataAcqua = {"l/s", "l/h"};
  um.FormatoPortataAcqua = {"0.000", "#####"};
  um.FattorePortataAcqua = {1000.0f, 3600000.0f};
  um.NomiUmPerditaAcqua = {"kPa", "mH2O"};
  um.FormatoPerditaAcqua = {"###", "#0.0"};
  um.FattorePerditaAcqua = {1.0f, 0.102f};
  um.NomiUmPerditaAria = {"Pa", "mmH2O"};
  um.FormatoPerditaAria = {"###", "#0.0"};
  um.FattorePerditaAria = {1.0f, 0.102f};
  um.FormatoTemperatura = QStringLiteral("##0.0");
}

namespace {

// The tables and the chosen index of one quantity.
struct Tabelle {
  const QString* nomi;
  const QString* formati;
  const float* fattori;
  int quante;
  int16_t scelta;
  int Indice() const { return (scelta >= 0 && scelta < quante) ? scelta : 0; }
};

template <size_t N>
Tabelle Di(const std::array<QString, N>& nomi, const std::array<QString, N>& formati,
           const std::array<float, N>& fattori, int16_t scelta) {
  return {nomi.data(), formati.data(), fattori.data(), static_cast<int>(N), scelta};
}

Tabelle TabelleDi(Grandezza g, const UnitaMisura& u = um) {
  switch (g) {
    case Grandezza::Potenza:
      return Di(u.NomiUmPotenza, u.FormatoPotenza, u.FattorePotenza, u.UmPotenza);
    case Grandezza::PortataAria:
      return Di(u.NomiUmPortataAria, u.FormatoPortataAria, u.FattorePortataAria, u.UmPortataAria);
    case Grandezza::PortataAcqua:
      return Di(u.NomiUmPortataAcqua, u.FormatoPortataAcqua, u.FattorePortataAcqua, u.UmPortataAcqua);
    case Grandezza::PerditaAcqua:
      return Di(u.NomiUmPerditaAcqua, u.FormatoPerditaAcqua, u.FattorePerditaAcqua, u.UmPerditaAcqua);
    case Grandezza::PerditaAria:
      return Di(u.NomiUmPerditaAria, u.FormatoPerditaAria, u.FattorePerditaAria, u.UmPerditaAria);
  }
  return Di(u.NomiUmPotenza, u.FormatoPotenza, u.FattorePotenza, 0);
}

}  // namespace

QString NomeUnita(Grandezza g) {
  const Tabelle t = TabelleDi(g);
  return t.nomi[t.Indice()];
}

float Fattore(Grandezza g) { return Fattore(g, um); }

float Fattore(Grandezza g, const UnitaMisura& u) {
  const Tabelle t = TabelleDi(g, u);
  return t.fattori[t.Indice()];
}

QString FormatoUnita(Grandezza g) {
  const Tabelle t = TabelleDi(g);
  return t.formati[t.Indice()];
}

QString Mostra(Grandezza g, double valoreInterno) {
  // The product is taken in single precision, as the values are held.
  const float mostrato = static_cast<float>(valoreInterno) * Fattore(g);
  return Formatta(mostrato, FormatoUnita(g), imp.SepDec);
}

double Interno(Grandezza g, double valoreDigitato) { return valoreDigitato / Fattore(g); }

QString Riscrivi(Grandezza g, double valoreDigitato, const UnitaMisura& prima) {
  const double ora = Fattore(g);
  const float interno = static_cast<float>(valoreDigitato / Fattore(g, prima));
  const double mostrato = valoreDigitato / Fattore(g, prima) * ora;
  auto stesso = [&](const QString& t) { return static_cast<float>(t.toDouble() / ora) == interno; };
  const QString formato = FormatoUnita(g);
  const qsizetype punto = formato.indexOf(QLatin1Char('.'));
  // The decimals of the unit's format, and more where they are needed; a
  // value too small or too large for a dozen decimals keeps its digits in
  // exponent form (single precision needs at most nine significant digits).
  constexpr int kDecimaliMassimi = 12;
  QString t;
  bool trovato = false;
  if (std::fabs(mostrato) < 1e15)
    for (int d = punto < 0 ? 0 : static_cast<int>(formato.size() - punto - 1);
         d <= kDecimaliMassimi && !trovato; ++d)
      trovato = stesso(t = QString::number(mostrato, 'f', d));
  for (int cifre = 1; cifre <= 17 && !trovato; ++cifre)
    trovato = stesso(t = QString::number(mostrato, 'G', cifre));
  return t.replace(QLatin1Char('.'), imp.SepDec);
}

QString MostraTemperatura(double t) { return Formatta(t, um.FormatoTemperatura, imp.SepDec); }

}  // namespace core
