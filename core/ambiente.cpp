#include "core/ambiente.h"

#include <QDir>
#include <QLocale>

namespace core {

Impostazioni imp;

void ApplicaRigaComando(const QString& argomenti) {
  imp.SenzaLimiti = false;
  if (argomenti == QLatin1String("nolimits")) imp.SenzaLimiti = true;
  if (argomenti == QLatin1String("district")) imp.FlagDistrict = true;
  if (argomenti == QLatin1String("UR")) imp.ModoUR = QStringLiteral("UR");
}

QString SeparatoreDaTesto(const QString& tre) {
  const int punto = static_cast<int>(tre.indexOf(QLatin1Char('.'))) + 1;  // 1-based, 0 not found
  if (punto >= 2) return QStringLiteral(".");
  const int virgola = static_cast<int>(tre.indexOf(QLatin1Char(','))) + 1;
  if (virgola > 1) return QStringLiteral(",");
  return QString();
}

QString SeparatoreDecimale() { return SeparatoreDaTesto(QLocale::system().toString(10.0 / 3.0)); }

QString CartellaConSeparatore(const QString& cartella) {
  QString c = QDir::fromNativeSeparators(cartella);
  if (!c.endsWith(QLatin1Char('/'))) c += QLatin1Char('/');
  return c;
}

}  // namespace core
