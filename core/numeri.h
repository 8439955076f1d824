// Number reading, conversion and formatting shared by the whole program.
#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace core {

// A run-time error with its classic number (6 overflow, 13 type mismatch),
// which a run's error trap shows.
class ErroreEsecuzione : public std::runtime_error {
 public:
  explicit ErroreEsecuzione(int numero)
      : std::runtime_error("error " + std::to_string(numero)), numero_(numero) {}
  int numero() const { return numero_; }

 private:
  int numero_;
};

// Raised by a whole-number conversion whose value does not fit.
class ErroreOverflow : public ErroreEsecuzione {
 public:
  ErroreOverflow() : ErroreEsecuzione(6) {}
};

// Strict reading of a box's text by the system's rules (sepDec the decimal
// mark): a text that is not a number raises ErroreEsecuzione(13).
double Numero(const QString& testo, const QString& sepDec);

// Reads the number at the start of a text: "," counts as ".", blanks (the
// no-break space too) are skipped wherever they stand, an exponent with E or
// D is accepted, reading stops at the first character that cannot continue
// the number; no number gives 0.
double ValNum(const QString& testo);
// The same reading without turning "," into ".".
double ValNumPunto(const QString& testo);

// Whole-number conversions rounding halves to the even neighbour; a value
// that does not fit raises ErroreOverflow.
int16_t CInt(double v);
int32_t CLng(double v);

// Reads a text as a number by the system's rules: blanks and a sign allowed,
// sepDec the decimal mark and the other of "." and "," a thousands
// separator.  Returns false when the text is not a number.
bool NumeroDiSistema(const QString& testo, const QString& sepDec, double* valore);

// A number in the system's default format: up to seven significant digits
// (single precision), no trailing zeros, sepDec as decimal mark.
QString TestoNumero(double v, const QString& sepDec);

// Formats a value with a number picture such as "######", "###0.0",
// "0.000": "#" an optional digit, "0" a forced one, "." the place of the
// decimal mark (sepDec).  Halves are rounded away from zero.  A picture made
// of "#" only shows a value that rounds to zero as the empty text.
QString Formatta(double v, const QString& picture, const QString& sepDec);

}  // namespace core
