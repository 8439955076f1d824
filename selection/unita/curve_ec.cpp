#include "selection/unita/curve_ec.h"

#include <cmath>

#include "engine/numeri.h"
#include "engine/ventilatori.h"

namespace unita {
namespace {

motore::CurvaVentilatore Curva(const catalogo::DatiModello& d, int k) { return {d.VentA[k], d.VentB[k], d.VentC[k]}; }

// Flow of curve k at a pressure, m3/s; a failed search gives 0.
float Portata(const catalogo::DatiModello& d, float pressione, int k) {
  return motore::PortataDaPressione(pressione, Curva(d, k)).value_or(0.0f) / 3600.0f;
}

}  // namespace

RicercaEC CercaCurva(const catalogo::DatiModello& d, float pressione, float qr, bool senzaLimiti) {
  RicercaEC r;
  r.PortataLibera = Portata(d, 0, 1);
  for (int k = 0; k < kCurveEC; ++k) {
    r.PortataAria = Portata(d, pressione, k);
    const bool inutilizzabile =
        senzaLimiti ? r.PortataAria == 0 : k >= 1 && r.PortataLibera / 3 >= r.PortataAria;
    if (inutilizzabile) continue;
    if (r.PortataAria < qr) {
      r.sotto = k;
      r.Qb = r.PortataAria;
    } else if (r.PortataAria > qr) {
      r.scelta = k;
      r.Qs = r.PortataAria;
      break;
    }
  }
  return r;
}

double PotenzaCurva(const catalogo::DatiModello& d, int k, float q) {
  const double x = 3600.0 * q;
  return d.PA[k] * x * x + d.PB[k] * x + d.PC[k];
}

std::optional<PuntoEC> Interpola(const catalogo::DatiModello& d, const RicercaEC& r, float qr, SuonoSottoCurva0 legge) {
  if (r.scelta < 0 || r.scelta >= kCurveEC) return std::nullopt;
  const int s = r.scelta;
  const double qs = r.Qs, dq = static_cast<double>(r.Qs) - qr;
  const double ps = PotenzaCurva(d, s, r.Qs);
  PuntoEC p;
  if (s >= 1) {
    const int b = r.sotto;
    const double passo = qs - r.Qb;
    p.N = motore::ConvertiIntero<std::int16_t>(d.G[s] - dq * (d.G[s] - d.G[b]) / passo);
    p.Pin = motore::S(ps - dq * (ps - PotenzaCurva(d, b, r.Qb)) / passo);
    p.Lw = motore::S(d.LWA[s] - dq * (d.LWA[s] - d.LWA[b]) / passo);
    return p;
  }
  // Below curve 0 speed and power fall in proportion to the flow.
  p.N = motore::ConvertiIntero<std::int16_t>(d.G[0] - dq * d.G[0] / qs);
  p.Pin = motore::S(ps - dq * ps / qs);
  if (legge == SuonoSottoCurva0::Proporzionale) {
    p.Lw = motore::S(d.LWA[0] - dq * d.LWA[0] / qs);
  } else {
    if (p.N <= 0 || d.G[0] <= 0) return std::nullopt;
    p.Lw = motore::S(d.LWA[0] + 55.0 * std::log10(static_cast<double>(p.N) / d.G[0]));
  }
  return p;
}

std::optional<float> TensioneComando(int n, int gRif) {
  if (gRif <= 100) return std::nullopt;
  return motore::S(static_cast<double>(n - 100) / static_cast<double>(gRif - 100) * 8.5 + 0.5);
}

float TensioneTroncata(float v) { return motore::S(std::trunc(static_cast<double>(v * 10.0f)) / 10.0); }

bool SottoMinimo(std::int32_t minQa, float qr) {
  // The required flow carries the single-precision rounding of its unit
  // conversion: compare within it.
  return static_cast<double>(minQa) > static_cast<double>(qr) * 3600.0 * (1.0 + 1e-6);
}

std::optional<VentilatoreEC> ValutaVentilatoreEC(const catalogo::DatiModello& d, float qr, float pressione,
                                                 const RegoleEC& regole, motore::StatoCalcolo& s) {
  const SuonoSottoCurva0 legge = regole.mista ? SuonoSottoCurva0::Proporzionale : SuonoSottoCurva0::Logaritmico;
  auto scrivi = [&s](const RicercaEC& r) {
    s.PortataAria = r.PortataAria;
    s.PortataLibera = r.PortataLibera;
    s.CurvaSelezionata = static_cast<std::int16_t>(r.scelta);
  };

  // At zero pressure: the free-running point of the flow.
  const RicercaEC zero = CercaCurva(d, 0, qr, regole.senzaLimiti);
  scrivi(zero);
  if (zero.scelta < 0) return std::nullopt;
  const std::optional<PuntoEC> p1 = Interpola(d, zero, qr, legge);
  if (!p1) return std::nullopt;

  // At the static pressure.
  const RicercaEC lavoro = CercaCurva(d, pressione, qr, regole.senzaLimiti);
  scrivi(lavoro);
  if (!regole.graficoAperto && !regole.senzaLimiti && lavoro.PortataLibera / 3 >= lavoro.PortataAria)
    return std::nullopt;
  if (lavoro.scelta < 0) return std::nullopt;
  const std::optional<PuntoEC> p2 = Interpola(d, lavoro, qr, legge);
  if (!p2 || p2->N < 150) return std::nullopt;

  VentilatoreEC v{*p1, *p2};
  // Above zero pressure the sound follows the speed from the free-running
  // point; a speed that is not positive has no logarithm.
  if (pressione > 0) {
    if (p1->N <= 0) return std::nullopt;
    v.Lw = motore::S(p1->Lw + d.Nlog * std::log10(static_cast<double>(p2->N) / p1->N));
  } else {
    v.Lw = p2->Lw;
  }
  if (!regole.mista) {
    if (v.Lw < 28) v.Lw = 28;
  } else if (v.Lw < d.LWA[0] - 3) {
    v.Lw = d.LWA[0] - 3;
    v.suonoMinimo = true;
  }

  // Curve 0 is driven on the scale of curve 1.
  s.CurvaSelezionata = static_cast<std::int16_t>(lavoro.scelta == 0 ? 1 : lavoro.scelta);
  if (!regole.graficoAperto) s.CurvaRiferimento = s.CurvaSelezionata;
  if (s.CurvaRiferimento < 0 || s.CurvaRiferimento >= kCurveEC) return std::nullopt;
  const std::optional<float> tensione = TensioneComando(p2->N, d.G[s.CurvaRiferimento]);
  if (!tensione) return std::nullopt;
  s.TensioneComando = *tensione;
  v.Tensione = *tensione;
  if (regole.mista && v.Tensione > 9.0f) return std::nullopt;
  return v;
}

}  // namespace unita
