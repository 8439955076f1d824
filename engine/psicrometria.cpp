#include "engine/psicrometria.h"

#include <cmath>

namespace motore {

float PressioneSat(float t) {
  const double tk = S(static_cast<double>(t) + 273.15);
  const double s = S(Dividi(-5800.2206, tk) + 1.3914993 - 0.048640239 * tk);
  const double e = S(s + 4.1764768e-5 * tk * tk - 1.4452093e-8 * tk * tk * tk + 6.5459673 * Logaritmo(tk));
  return S(std::exp(e) / 100.0);
}

double FattoreAumento(float t, float p) {
  const double k = S(100.0 * p);  // kPa
  const double x = t;
  return 1.00243 - 1.12815e-4 * k + 3.90957e-6 * k * k - 4.06844e-8 * k * k * k +
         1.47933e-10 * k * k * k * k + 2.84994e-5 * x - 7.00526e-7 * k * x + 5.71617e-9 * k * k * x -
         2.49966e-11 * k * k * k * x + 2.50524e-7 * x * x + 3.58789e-9 * k * x * x -
         4.38071e-12 * k * k * x * x + 4.31254e-9 * x * x * x + 2.17987e-11 * k * x * x * x -
         1.01246e-10 * x * x * x * x;
}

float UmiditaSpecSat(float p, float pws, double f) {
  return S(Dividi(0.62198 * f * pws, 1000.0 * p - f * pws));
}

float UmiditaSpecDaPv(float p, float pv) { return S(Dividi(0.62198 * pv, 1000.0 * p - pv)); }

float EquazionePsicrometrica(float twb, float tdb, float ws) {
  return S(Dividi((2501.0 - 2.381 * twb) * ws - (static_cast<double>(tdb) - twb),
                  2501.0 + 1.805 * tdb - 4.186 * twb));
}

float EntalpiaDaTX(float t, float w) { return S(t + static_cast<double>(w) * (2501.0 + 1.805 * t)); }

float VolumeSpecifico(float t, float p, float w) {
  return S(Dividi(287.055 * (static_cast<double>(t) + 273.15) * (1.0 + 1.6078 * w), 100000.0 * p));
}

float EntalpiaSatura(float t) {
  const double x = t;
  return S(9.47131 + 1.70935 * x + 0.0219908 * x * x + 0.000570304 * x * x * x + 7.89992e-8 * x * x * x * x +
           1.64604e-7 * x * x * x * x * x);
}

float PendenzaEntalpiaSat(float t) {
  const double x = t;
  const double parentesi = S(0.445 + 1.38e-2 * x + 2.844e-4 * x * x);
  return S(4.1868 * parentesi);
}

float EntalpiaAria(float twb, float tdb) {
  const float pws = PressioneSat(twb);
  const double f = FattoreAumento(twb, PressioneAtm);
  const float ws = UmiditaSpecSat(PressioneAtm, pws, f);
  const float w = EquazionePsicrometrica(twb, tdb, ws);
  return EntalpiaDaTX(tdb, w);
}

float UmiditaSpecifica(float tdb, float twb) {
  const float pws = PressioneSat(twb);
  const double f = FattoreAumento(twb, PressioneAtm);
  const float ws = UmiditaSpecSat(PressioneAtm, pws, f);
  return EquazionePsicrometrica(twb, tdb, ws);
}

float UmiditaRelativa(float tdb, float twb) {
  const float pwd = PressioneSat(tdb);
  const float pww = PressioneSat(twb);
  const double fw = FattoreAumento(twb, PressioneAtm);
  const float wsw = UmiditaSpecSat(PressioneAtm, pww, fw);
  const double fd = FattoreAumento(tdb, PressioneAtm);
  const float wsd = UmiditaSpecSat(PressioneAtm, pwd, fd);
  const float w = EquazionePsicrometrica(twb, tdb, wsw);
  const double mu = S(Dividi(w, wsd));
  return S(Dividi(mu, 1.0 - (1.0 - mu) * fd * pwd / 1013.25) * 100.0);
}

float DensitaAria(float t, float ur) {
  if (ur == 0.0f) {
    const double p = PressioneAtm;
    const double a = 5.42087e-6 / (p * p) + 0.784104 / p - 0.000442721;
    const double b = 0.00287057 / p + 8.55954e-6 - 6.1922e-9 / (p * p);
    const double c = 7.46392e-13 * p * p - 3.891248111654055e-8;
    const double d = 1.1658411435762418e-10 - 2.52655e-15 * p * p;
    const double x = t;
    return S(Dividi(1.0, a + b * x + c * x * x + d * x * x * x));
  }
  const float pv = S(static_cast<double>(PressioneSat(t)) * ur / 100.0);
  const float w = UmiditaSpecDaPv(PressioneAtm, pv);
  const float v = VolumeSpecifico(t, PressioneAtm, w);
  return S(Dividi(1.0, v));
}

float TempDaEntalpiaSat(float h) {
  double sup = 40.0, inf = -10.0;
  double r = h;
  for (int n = 1; n <= 20; ++n) {
    const float t = S((sup + inf) / 2.0);
    const float hs = EntalpiaSatura(t);
    if (r == 0.0) {
      r = hs;
      if (hs == 0.0f) return t;
    }
    const float e = S(std::fabs((h - static_cast<double>(hs)) / r) * 100.0);
    if (e < 0.001f) return t;
    if (hs <= h)
      inf = t;
    else
      sup = t;
  }
  return 0.0f;
}

float BulboUmidoDaX(float tdb, float w) {
  float sup = tdb, inf = 1.0f;
  for (int n = 1; n <= 201; ++n) {
    const float twb = S((static_cast<double>(sup) + inf) / 2.0);
    const float wc = UmiditaSpecifica(tdb, twb);
    if (S(std::fabs(static_cast<double>(wc) - w)) <= 1e-6f) return twb;
    if (wc <= w)
      inf = twb;
    else
      sup = twb;
  }
  return 0.0f;
}

float BulboUmidoDaUR(float tdb, float ur, StatoCalcolo& s) {
  if (ur == 100.0f) return tdb;
  const double k = 0.605 + 0.275 / 65.0 * ur;
  const float t0 = S(k * tdb - 11.1 - k * (-10.4));
  float inf, sup;
  if (t0 > 0.0f) {
    inf = S(0.5 * t0);
    sup = S(1.5 * t0);
  } else {
    inf = S(1.5 * t0);
    sup = S(0.5 * t0);
  }
  for (int n = 1; n <= 101; ++n) {
    const float t = S((static_cast<double>(sup) + inf) / 2.0);
    s.URCalcolata = UmiditaRelativa(tdb, t);
    if (S(std::fabs(static_cast<double>(s.URCalcolata) - ur)) <= 0.001) return t;
    if (s.URCalcolata <= ur)
      inf = t;
    else
      sup = t;
  }
  return 0.0f;
}

}  // namespace motore
