#include "engine/correlazioni.h"

#include <cmath>

#include "engine/proprieta.h"

namespace motore {

namespace {
float CoeffLatoAriaGeometria(float nr, float va, std::int16_t g, std::int16_t passo, const StatoCalcolo& s,
                             const CostantiBatteria& c) {
  // Every power in double precision, on the single-precision values.
  const double c30 = s.CoeffC30, v = va, r = nr;
  switch (g) {
    case 0:
      return S(c30 * std::pow(v, static_cast<double>(s.EspAria1)));
    case 1:
      return S(c30 * std::pow(v, static_cast<double>(nr == 1.0f ? s.EspAria1 : c.EspAria2)));
    case 2: {
      if (passo <= 0) return 0.0f;
      const double n = ConvertiIntero<std::int16_t>(25.5 / (passo / 10.0));
      const double esp =
          (static_cast<double>(s.EspAria3) * n + s.EspAria1) * std::pow(r, static_cast<double>(s.EspAria5));
      return S(std::pow(n, static_cast<double>(s.EspAria4)) * c30 * std::pow(v, esp));
    }
    case 3:
      return S(std::pow(r, static_cast<double>(s.EspAria6)) * c30 *
               std::pow(v, static_cast<double>(s.EspAria1) * std::pow(r, static_cast<double>(s.EspAria5))));
    default:
      return 0.0f;
  }
}
}  // namespace

float CoeffLatoAria(float nr, float va, std::int16_t g, std::int16_t passo, const StatoCalcolo& s,
                    const CostantiBatteria& c) {
  if (!(va >= 0.0f) || !std::isfinite(va) || !(nr > 0.0f)) return 0.0f;
  const float h = CoeffLatoAriaGeometria(nr, va, g, passo, s, c);
  return std::isfinite(h) ? h : 0.0f;
}

namespace {
double NusseltLaminare(double re, double pr, double d, double l, const CostantiBatteria& c) {
  return c.CostLaminare * Potenza(Dividi(re * pr * d, l), c.EspLaminare);
}
double NusseltTurbolento(double re, double pr, double esponentePr, const CostantiBatteria& c) {
  return c.CostTurbolento * Potenza(re, c.EspReynolds) * Potenza(pr, esponentePr);
}
}  // namespace

float CoeffLatoAcqua(StatoCalcolo& s, const CostantiBatteria& c) {
  const double re = s.ReW, pr = s.PrW, d = c.DiametroTubo, l = s.LunghezzaBatteria;
  const double e = s.FlagPassaggio == 1 ? c.EspPrandtlCaldo : c.EspPrandtlFreddo;
  if (re <= 2300.0) {
    s.NuW = S(NusseltLaminare(re, pr, d, l, c));
  } else if (re > 10000.0) {
    s.NuW = S(NusseltTurbolento(re, pr, e, c));
  } else {
    switch (s.TipoTransizione) {
      case 0:
        s.NuW = S(NusseltTurbolento(re, pr, e, c));
        break;
      case 1: {
        const double x = (re - 3400.0) / 2600.0;
        const double smorza =
            S(0.081751 / std::exp(x * x) + 0.0199491 - 5.27459e-10 * (re - 3400.0) * (re - 3400.0));
        s.NuW = S(0.023 * Potenza(re, c.EspReynolds - smorza) * Potenza(pr, e));
        break;
      }
      case 2: {
        // Both Nusselt numbers pass through the single-precision field.
        s.NuW = S(NusseltLaminare(2300.0, pr, d, l, c));
        const double hl = Dividi(s.LambdaW * static_cast<double>(s.NuW), d);
        s.NuW = S(NusseltTurbolento(10000.0, pr, e, c));
        const double ht = Dividi(s.LambdaW * static_cast<double>(s.NuW), d);
        const double pendenza = (hl - ht) / -7700.0;
        const double intercetta = hl - 2300.0 * pendenza;
        return S(re * pendenza + intercetta);
      }
      default:
        return 0.0f;
    }
  }
  return S(Dividi(s.LambdaW * static_cast<double>(s.NuW), d));
}

float FattoreBypass(float nr, std::int16_t passo, float ha, const StatoCalcolo& s,
                    const CostantiBatteria& c) {
  if (s.GeomCorrente < 0 || s.GeomCorrente >= NumGeometrie || passo < 0 || passo >= NumPassi)
    throw ErroreCalcolo(ErrIndiceFuoriIntervallo);
  const double k = c.TabCoeffK[s.GeomCorrente][passo];
  const double esp = -Dividi(k * ha * nr, static_cast<double>(s.CpA) * s.RhoA * s.VelocitaAria * 1000.0);
  return S(s.CoeffC100 * std::pow(2.718, esp));
}

namespace {
// Log-mean of two end differences; 0 when the logarithm cannot be taken.
float MediaLogaritmica(double primo, double secondo, float fattoreDT) {
  double l = 0.0;
  if (secondo != 0.0 && primo / secondo > 0.0) l = std::log(primo / secondo);
  const double d = l != 0.0 ? (primo - secondo) / l : 0.0;
  return S(d * fattoreDT);
}
}  // namespace

float CalcolaDTML(float a, float b, float c, float d, float fattoreDT) {
  if (S(static_cast<double>(b) - c) == S(static_cast<double>(a) - d)) d = S(static_cast<double>(d) - 0.001);
  return MediaLogaritmica(static_cast<double>(b) - c, static_cast<double>(a) - d, fattoreDT);
}

float CalcolaDEML(float a, float b, float c, float d, float fattoreDT) {
  if (S(static_cast<double>(c) - b) == S(static_cast<double>(d) - a)) d = S(static_cast<double>(d) - 0.001);
  return MediaLogaritmica(static_cast<double>(c) - b, static_cast<double>(d) - a, fattoreDT);
}

float VelocitaAcqua(double qw, float nc, const CostantiBatteria& c) {
  const double r = c.DiametroTubo / 2.0;
  if (!(nc > 0.0f) || !(r > 0.0)) return 0.0f;
  return S(qw / (nc * 3.14 * r * r));
}

float NumeroReynolds(float v, float t, float mu, const CostantiBatteria& c) {
  if (!(mu > 0.0f)) return 0.0f;
  return S(static_cast<double>(c.DiametroTubo) * v * DensAcqua(t) / mu);
}

float CalcolaLunghezzaCircuito(std::int16_t n, const StatoCalcolo& s, const CostantiBatteria& c) {
  if (!(s.NumeroCircuiti > 0.0f)) return 0.0f;
  const double x = S(n / static_cast<double>(s.NumeroCircuiti));
  return S((x - 1.0) * c.CostCircuito + static_cast<double>(s.LunghezzaBatteria) * x +
           static_cast<double>(s.CoeffC50) * s.AltezzaBatteria);
}

float PerditaCaricoAcqua(StatoCalcolo& s, const CostantiBatteria& c) {
  if (!(s.ReW > 0.0f) || !(c.DiametroTubo > 0.0f)) return 0.0f;
  const double f = c.CostAttrito / std::pow(static_cast<double>(s.ReW), 0.25);
  const double x = f * s.LunghezzaCircuito / c.DiametroTubo;
  const float dp = S(static_cast<double>(s.VelW) * s.VelW * x / 2.0);
  if (dp < 3.0f) s.FlagBassaPerdita = Vero;
  return dp;
}

}  // namespace motore
