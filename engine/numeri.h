// Numeric conventions of the calculation engine: values are held in single
// precision, intermediates in double; conversions to 16- and 32-bit integers
// round halves to the even integer and report overflow as a trappable error.
#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace motore {

// 16-bit flags: True = -1, False = 0.
using Flag = std::int16_t;
inline constexpr Flag Vero = -1;
inline constexpr Flag Falso = 0;

// Run-time error numbers that a run's error trap shows after "Errore generico : ".
inline constexpr int ErrChiamataNonValida = 5;  // logarithm or root of a bad argument
inline constexpr int ErrOverflow = 6;
inline constexpr int ErrIndiceFuoriIntervallo = 9;
inline constexpr int ErrDivisionePerZero = 11;

// A calculation that cannot go on. Carries the error number the run shows.
class ErroreCalcolo : public std::runtime_error {
 public:
  explicit ErroreCalcolo(int numero)
      : std::runtime_error("errore di calcolo " + std::to_string(numero)), numero_(numero) {}
  int numero() const noexcept { return numero_; }

 private:
  int numero_;
};

// Rounds to the nearest integer, halves to the even one (independent of the
// floating-point rounding mode).
inline double ArrotondaPari(double v) {
  const double giu = std::floor(v);
  const double resto = v - giu;
  if (resto > 0.5) return giu + 1.0;
  if (resto < 0.5) return giu;
  return std::fmod(giu, 2.0) == 0.0 ? giu : giu + 1.0;
}

// Converts to a 16- or 32-bit integer, rounding halves to even. A value that
// does not fit, or is not a number, raises ErroreCalcolo(ErrOverflow).
template <std::signed_integral I>
I ConvertiIntero(double v) {
  if (!std::isfinite(v)) throw ErroreCalcolo(ErrOverflow);
  const double r = ArrotondaPari(v);
  if (r < static_cast<double>(std::numeric_limits<I>::min()) ||
      r > static_cast<double>(std::numeric_limits<I>::max()))
    throw ErroreCalcolo(ErrOverflow);
  return static_cast<I>(r);
}

// Rounding to single precision, where a step stores its value.
inline float S(double v) { return static_cast<float>(v); }

// Quotient that raises ErroreCalcolo for a zero divisor or a result that is
// not finite, where a zero can only come from data or input.
inline double Dividi(double a, double b) {
  if (b == 0.0) throw ErroreCalcolo(ErrDivisionePerZero);
  const double q = a / b;
  if (!std::isfinite(q)) throw ErroreCalcolo(ErrOverflow);
  return q;
}

// Natural logarithm of a positive value; raises ErroreCalcolo otherwise.
inline double Logaritmo(double x) {
  if (!(x > 0.0)) throw ErroreCalcolo(ErrChiamataNonValida);
  return std::log(x);
}

// General power: a negative base with a fractional exponent, or zero to a
// negative power, raises ErroreCalcolo instead of producing NaN or infinity.
inline double Potenza(double base, double esponente) {
  if (base < 0.0 && esponente != std::floor(esponente)) throw ErroreCalcolo(ErrChiamataNonValida);
  if (base == 0.0 && esponente < 0.0) throw ErroreCalcolo(ErrDivisionePerZero);
  const double r = std::pow(base, esponente);
  if (!std::isfinite(r)) throw ErroreCalcolo(ErrOverflow);
  return r;
}

}  // namespace motore
