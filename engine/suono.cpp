#include "engine/suono.h"

#include <cmath>

#include "engine/numeri.h"

namespace motore {

double Log10(double x) {
  const double ln10 = std::log(10.0);
  return Logaritmo(x) / ln10;
}

float CalcolaPressioneSonora(float lw, float r, std::int16_t q) {
  const double x = Dividi(static_cast<double>(q), 12.56 * std::pow(static_cast<double>(r), 2.0));
  return S(static_cast<double>(lw) + 10 * Log10(x));
}

}  // namespace motore
