#include "core/unita.h"

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

template <class A>
int Indice(const A& tabella, int16_t i) {
  return (i >= 0 && i < static_cast<int>(tabella.size())) ? i : 0;
}

}  // namespace

QString NomeUnita(Grandezza g) {
  switch (g) {
    case Grandezza::Potenza: return um.NomiUmPotenza[Indice(um.NomiUmPotenza, um.UmPotenza)];
    case Grandezza::PortataAria: return um.NomiUmPortataAria[Indice(um.NomiUmPortataAria, um.UmPortataAria)];
    case Grandezza::PortataAcqua: return um.NomiUmPortataAcqua[Indice(um.NomiUmPortataAcqua, um.UmPortataAcqua)];
    case Grandezza::PerditaAcqua: return um.NomiUmPerditaAcqua[Indice(um.NomiUmPerditaAcqua, um.UmPerditaAcqua)];
    case Grandezza::PerditaAria: return um.NomiUmPerditaAria[Indice(um.NomiUmPerditaAria, um.UmPerditaAria)];
  }
  return QString();
}

float Fattore(Grandezza g) {
  switch (g) {
    case Grandezza::Potenza: return um.FattorePotenza[Indice(um.FattorePotenza, um.UmPotenza)];
    case Grandezza::PortataAria: return um.FattorePortataAria[Indice(um.FattorePortataAria, um.UmPortataAria)];
    case Grandezza::PortataAcqua: return um.FattorePortataAcqua[Indice(um.FattorePortataAcqua, um.UmPortataAcqua)];
    case Grandezza::PerditaAcqua: return um.FattorePerditaAcqua[Indice(um.FattorePerditaAcqua, um.UmPerditaAcqua)];
    case Grandezza::PerditaAria: return um.FattorePerditaAria[Indice(um.FattorePerditaAria, um.UmPerditaAria)];
  }
  return 1.0f;
}

QString FormatoUnita(Grandezza g) {
  switch (g) {
    case Grandezza::Potenza: return um.FormatoPotenza[Indice(um.FormatoPotenza, um.UmPotenza)];
    case Grandezza::PortataAria: return um.FormatoPortataAria[Indice(um.FormatoPortataAria, um.UmPortataAria)];
    case Grandezza::PortataAcqua: return um.FormatoPortataAcqua[Indice(um.FormatoPortataAcqua, um.UmPortataAcqua)];
    case Grandezza::PerditaAcqua: return um.FormatoPerditaAcqua[Indice(um.FormatoPerditaAcqua, um.UmPerditaAcqua)];
    case Grandezza::PerditaAria: return um.FormatoPerditaAria[Indice(um.FormatoPerditaAria, um.UmPerditaAria)];
  }
  return QString();
}

QString Mostra(Grandezza g, double valoreInterno) {
  // The product is taken in single precision, as the values are held.
  const float mostrato = static_cast<float>(valoreInterno) * Fattore(g);
  return Formatta(mostrato, FormatoUnita(g), imp.SepDec);
}

double Interno(Grandezza g, double valoreDigitato) { return valoreDigitato / Fattore(g); }

QString MostraTemperatura(double t) { return Formatta(t, um.FormatoTemperatura, imp.SepDec); }

}  // namespace core
