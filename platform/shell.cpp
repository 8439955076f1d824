#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace plat {
namespace {

int ApriConDesktop(const QString& target) {
  QUrl url = QUrl(target, QUrl::StrictMode);
  const bool indirizzo = url.isValid() && url.scheme().size() > 1;  // "C:" is a drive, not a scheme
  if (!indirizzo) {
    QFileInfo fi(target);
    if (!fi.exists()) return fi.dir().exists() ? 2 : 3;
    url = QUrl::fromLocalFile(fi.absoluteFilePath());
  }
  return QDesktopServices::openUrl(url) ? 42 : 31;
}

std::function<int(const QString&)>& Gestore() {
  static std::function<int(const QString&)> g;
  return g;
}

}  // namespace

int ApriConShell(const QString& target) { return Gestore() ? Gestore()(target) : ApriConDesktop(target); }

void ImpostaShell(std::function<int(const QString&)> f) { Gestore() = std::move(f); }

}  // namespace plat
