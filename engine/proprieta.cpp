#include "engine/proprieta.h"

#include "engine/numeri.h"

namespace motore {

namespace {
// Absolute temperature, rounded to single precision as the fits take it.
double Kelvin(float t) { return S(static_cast<double>(t) + 273.15); }
}  // namespace

float CpAcqua(float t) {
  const double tk = Kelvin(t);
  return S(5.6158 - 0.0090277 * tk + 1.4177e-5 * tk * tk);
}

float ConducAcqua(float t) {
  const double tk = Kelvin(t);
  return S(0.00584704 * tk - 0.4806 - 7.33188e-6 * tk * tk);
}

float DensAcqua(float t) {
  const double tk = Kelvin(t);
  return S(766.17 + 1.80396 * tk - 0.0034589 * tk * tk);
}

float ViscAcqua(float t) {
  const double x = t;
  const double micro = 1683.26 - 44.4511 * x + 0.635178 * x * x - 0.00495205 * x * x * x +
                       1.95084e-5 * x * x * x * x - 3.02098e-8 * x * x * x * x * x;
  return S(micro / 1000000.0);
}

float CpAria(float t) {
  const double tk = Kelvin(t);
  return S(1.0507 - 0.0003645 * tk + 8.388e-7 * tk * tk - 3.848e-10 * tk * tk * tk);
}

}  // namespace motore
