// Sound pressure level at a distance from the unit.
#pragma once

#include <cstdint>

namespace motore {

// Decimal logarithm; raises ErroreCalcolo for x <= 0.
double Log10(double x);

// Lp = Lw + 10 log10(q / (12.56 r^2)), Lw in dB, r in m, q the directivity
// factor. A distance of 0 or a factor of 0 or less raises ErroreCalcolo.
float CalcolaPressioneSonora(float lw, float r, std::int16_t q);

}  // namespace motore
