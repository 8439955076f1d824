// Evaluation of the glycol-water property series, shared by the engine and
// by the tool that fits the coefficient tables.
#pragma once

#include <cmath>
#include <cstddef>

namespace motore::glicole {

inline constexpr double SemiperiodoComune = 65.0;  // specific heat, conductivity, density
inline constexpr double SemiperiodoViscosita = 70.0;

// One power of t: its cosine and sine tables and the number of terms.
struct Serie {
  const double* a;
  const double* b;
  int n;
};

// c_k(x) = a0/2 + sum over n of (a_n cos(n pi x / L) + b_n sin(n pi x / L)),
// the running sum held in single precision after every term.
inline float Coefficiente(const Serie& s, float x, double semiperiodo) {
  const double pi = static_cast<float>(4.0 * std::atan(1.0));
  float somma = 0.0f;
  for (int n = 1; n <= s.n; ++n) {
    const double theta = static_cast<double>(static_cast<float>(n)) * pi * x / semiperiodo;
    somma = static_cast<float>(s.a[n] * std::cos(theta) + somma + s.b[n] * std::sin(theta));
  }
  return static_cast<float>(s.a[0] / 2.0 + somma);
}

// Fifth-degree polynomial in x, rounded to single precision.
inline float Polinomio5(const double (&k)[6], float x) {
  const double v = x;
  return static_cast<float>(k[0] + k[1] * v + k[2] * std::pow(v, 2) + k[3] * std::pow(v, 3) +
                            k[4] * std::pow(v, 4) + k[5] * std::pow(v, 5));
}

// Constant terms c0(x): J/(kg K), W/(m K), kg/m3, log10 of mPa s.
inline constexpr double C0Cp[6] = {4221.24, -8.81552, -0.434489, 0.00310911, 2.78747e-05, -2.6371e-07};
inline constexpr double C0Conduc[6] = {0.574176,     -0.00386928, 8.74643e-05,
                                       -2.73712e-06, 3.35989e-08, -1.37783e-10};
inline constexpr double C0Dens[6] = {1001.86, 2.12132, -0.0423041, 0.00105156, -1.14852e-05, 4.33288e-08};
inline constexpr double C0Visc[6] = {0.248297,     0.0114403,    6.68495e-05,
                                     -4.20271e-07, -6.11731e-09, 7.42797e-11};

// c0 + c1 t + ... + cM t^M in double precision.
inline double Polinomio(float c0, const float* c, int m, float t) {
  double somma = c0;
  for (int k = 1; k <= m; ++k) somma += c[k - 1] * std::pow(static_cast<double>(t), k);
  return somma;
}

}  // namespace motore::glicole
