#include "core/numeri.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace core {
namespace {

double LeggiInizio(const QString& testo) {
  std::string s;
  bool cifre = false, punto = false, esponente = false, cifreEsp = false;
  for (QChar c : testo) {
    if (c.isSpace()) continue;  // every blank, the no-break space too
    char ch = static_cast<char>(c.unicode() < 128 ? c.unicode() : 0);
    if (ch >= '0' && ch <= '9') {
      s += ch;
      (esponente ? cifreEsp : cifre) = true;
    } else if ((ch == '+' || ch == '-') && (s.empty() || (esponente && (s.back() == 'E')))) {
      s += ch;
    } else if (ch == '.' && !punto && !esponente) {
      s += ch;
      punto = true;
    } else if ((ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd') && cifre && !esponente) {
      s += 'E';
      esponente = true;
    } else {
      break;
    }
  }
  if (!cifre) return 0.0;
  if (esponente && !cifreEsp) {  // "2E" or "2E-": the exponent is not part of the number
    while (!s.empty() && (s.back() == 'E' || s.back() == '+' || s.back() == '-')) s.pop_back();
  }
  return std::strtod(s.c_str(), nullptr);
}

double ArrotondaPari(double v) { return std::nearbyint(v); }  // default rounding mode: halves to even

}  // namespace

double ValNum(const QString& testo) {
  QString t = testo;
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  return LeggiInizio(t);
}

double ValNumPunto(const QString& testo) { return LeggiInizio(testo); }

int16_t CInt(double v) {
  double r = ArrotondaPari(v);
  if (!(r >= -32768.0 && r <= 32767.0)) throw ErroreOverflow();
  return static_cast<int16_t>(r);
}

int32_t CLng(double v) {
  double r = ArrotondaPari(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw ErroreOverflow();
  return static_cast<int32_t>(r);
}

bool NumeroDiSistema(const QString& testo, const QString& sepDec, double* valore) {
  const QChar dec = sepDec.isEmpty() ? QLatin1Char('.') : sepDec.at(0);
  const QChar migliaia = dec == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
  std::string s;
  bool cifre = false, punto = false;
  QString t = testo.trimmed();
  int i = 0;
  if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) {
    if (t[i] == QLatin1Char('-')) s += '-';
    ++i;
  }
  for (; i < t.size(); ++i) {
    QChar c = t[i];
    if (c == QLatin1Char(' ')) continue;
    if (c.isDigit() && c.unicode() < 128) {
      s += static_cast<char>(c.unicode());
      cifre = true;
    } else if (c == dec && !punto) {
      s += '.';
      punto = true;
    } else if (c == migliaia && !punto) {
      continue;
    } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && cifre) {
      QString resto = t.mid(i + 1);
      bool ok = false;
      int esp = resto.toInt(&ok);
      if (!ok) return false;
      s += 'E' + std::to_string(esp);
      break;
    } else {
      return false;
    }
  }
  if (!cifre) return false;
  if (valore) *valore = std::strtod(s.c_str(), nullptr);
  return true;
}

double Numero(const QString& testo, const QString& sepDec) {
  double v = 0;
  if (!NumeroDiSistema(testo, sepDec, &v)) throw ErroreEsecuzione(13);
  return v;
}

QString TestoNumero(double v, const QString& sepDec) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.7g", static_cast<double>(static_cast<float>(v)));
  QString t = QString::fromLatin1(buf);
  if (t.contains(QLatin1Char('.')) && !t.contains(QLatin1Char('e'))) {
    while (t.endsWith(QLatin1Char('0'))) t.chop(1);
    if (t.endsWith(QLatin1Char('.'))) t.chop(1);
  }
  if (t == QLatin1String("-0")) t = QStringLiteral("0");
  t.replace(QLatin1Char('.'), sepDec.isEmpty() ? QStringLiteral(".") : sepDec);
  return t;
}

QString Formatta(double v, const QString& picture, const QString& sepDec) {
  const int posPunto = static_cast<int>(picture.indexOf(QLatin1Char('.')));
  const QString intera = posPunto < 0 ? picture : picture.left(posPunto);
  const QString decimale = posPunto < 0 ? QString() : picture.mid(posPunto + 1);
  const int nDec = static_cast<int>(decimale.size());
  const int zeriInteri = static_cast<int>(intera.count(QLatin1Char('0')));
  int zeriDecimali = 0;  // forced decimals: up to the last "0"
  for (int i = 0; i < nDec; ++i)
    if (decimale[i] == QLatin1Char('0')) zeriDecimali = i + 1;

  const double scala = std::pow(10.0, nDec);
  double arrotondato = std::round(std::fabs(v) * scala);  // halves away from zero
  if (!std::isfinite(arrotondato)) return QString();
  const bool negativo = v < 0 && arrotondato != 0;
  if (arrotondato == 0 && zeriInteri == 0 && zeriDecimali == 0) return QString();

  char buf[64];
  std::snprintf(buf, sizeof buf, "%.0f", arrotondato);
  std::string cifre = buf;
  if (static_cast<int>(cifre.size()) <= nDec) cifre = std::string(nDec + 1 - cifre.size(), '0') + cifre;
  std::string parteIntera = cifre.substr(0, cifre.size() - nDec);
  std::string parteDec = cifre.substr(cifre.size() - nDec);
  // Optional digits after the last forced one disappear when zero.
  while (static_cast<int>(parteDec.size()) > zeriDecimali && !parteDec.empty() && parteDec.back() == '0')
    parteDec.pop_back();
  // Integer part: no leading zeros beyond the forced ones.
  size_t primo = parteIntera.find_first_not_of('0');
  parteIntera = primo == std::string::npos ? std::string() : parteIntera.substr(primo);
  if (static_cast<int>(parteIntera.size()) < zeriInteri)
    parteIntera = std::string(zeriInteri - parteIntera.size(), '0') + parteIntera;

  QString r = negativo ? QStringLiteral("-") : QString();
  r += QString::fromStdString(parteIntera);
  if (!parteDec.empty())
    r += (sepDec.isEmpty() ? QStringLiteral(".") : sepDec) + QString::fromStdString(parteDec);
  return r;
}

}  // namespace core
