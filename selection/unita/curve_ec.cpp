#include "selection/unita/curve_ec.h"

#include <cmath>

#include "engine/numeri.h"
#include "engine/ventilatori.h"

namespace unita {
namespace {

motore::CurvaVentilatore Curva(const catalogo::DatiModello& d, int k) {
  return {d.VentA[k], d.VentB[k], d.VentC[k]};
}

// Flow of curve k at a pressure, m3/s; a failed search gives 0.
float Portata(const catalogo::DatiModello& d, float pressione, int k) {
  return motore::PortataDaPressione(pressione, Curva(d, k)).value_or(0.0f) / 3600.0f;
}

}  // namespace

CurveModello::CurveModello(const catalogo::DatiModello& d) : d_(d) {
  for (int k = 0; k < kCurveEC; ++k) limiti_[k] = motore::LimitePortata(Curva(d, k));
  libera_ = motore::PortataDaPressione(0, Curva(d, 1), limiti_[1]).value_or(0.0f) / 3600.0f;
}

PortateCurve CurveModello::A(float pressione) const {
  PortateCurve q{};
  for (int k = 0; k < kCurveEC; ++k)
    q[k] = motore::PortataDaPressione(pressione, Curva(d_, k), limiti_[k]).value_or(0.0f) / 3600.0f;
  return q;
}

RicercaEC ScegliCurva(const PortateCurve& portate, float libera, float qr, bool senzaLimiti, Soglia soglia) {
  RicercaEC r;
  r.PortataLibera = libera;
  for (int k = 0; k < kCurveEC; ++k) {
    r.PortataAria = portate[k];
    const bool inutilizzabile =
        senzaLimiti ? r.PortataAria == 0 : k >= 1 && r.PortataLibera / 3 >= r.PortataAria;
    if (inutilizzabile) continue;
    if (r.PortataAria < qr) {
      r.sotto = k;
      r.Qb = r.PortataAria;
    } else if (r.PortataAria > qr || soglia == Soglia::AlmenoUguale) {
      r.scelta = k;
      r.Qs = r.PortataAria;
      break;
    }
  }
  return r;
}

RicercaEC CercaCurva(const catalogo::DatiModello& d, float pressione, float qr, bool senzaLimiti) {
  PortateCurve portate{};
  for (int k = 0; k < kCurveEC; ++k) portate[k] = Portata(d, pressione, k);
  return ScegliCurva(portate, Portata(d, 0, 1), qr, senzaLimiti, Soglia::Sopra);
}

std::optional<SuonoEC> PotenzaSonora(const catalogo::DatiModello& d, const PuntoEC& zero,
                                     const PuntoEC& lavoro, float pressione, bool mista) {
  SuonoEC suono;
  if (pressione > 0) {
    if (zero.N <= 0) return std::nullopt;
    suono.Lw = motore::S(zero.Lw + d.Nlog * std::log10(static_cast<double>(lavoro.N) / zero.N));
  } else {
    suono.Lw = lavoro.Lw;
  }
  if (!mista) {
    if (suono.Lw < 28) suono.Lw = 28;
  } else if (suono.Lw < d.LWA[0] - 3) {
    suono.Lw = d.LWA[0] - 3;
    suono.minimo = true;
  }
  return suono;
}

double PotenzaCurva(const catalogo::DatiModello& d, int k, float q) {
  const double x = 3600.0 * q;
  return d.PA[k] * x * x + d.PB[k] * x + d.PC[k];
}

std::optional<PuntoEC> Interpola(const catalogo::DatiModello& d, const RicercaEC& r, float qr,
                                 SuonoSottoCurva0 legge) {
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
                                                 const RegoleEC& regole, StatoCorsa& s) {
  const SuonoSottoCurva0 legge =
      regole.mista ? SuonoSottoCurva0::Proporzionale : SuonoSottoCurva0::Logaritmico;
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
  const std::optional<SuonoEC> suono = PotenzaSonora(d, *p1, *p2, pressione, regole.mista);
  if (!suono) return std::nullopt;
  v.Lw = suono->Lw;
  v.suonoMinimo = suono->minimo;

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
