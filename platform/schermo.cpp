#include "platform/schermo.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QCursor>
#include <QScreen>

namespace plat {

int LarghezzaSchermoTw() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() * kTwipPerPixel : 0;
}

int AltezzaSchermoTw() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() * kTwipPerPixel : 0;
}

PuntatoreOccupato::PuntatoreOccupato() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
PuntatoreOccupato::~PuntatoreOccupato() {
  if (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}

PuntatoreSospeso::PuntatoreSospeso() {
  while (const QCursor* c = QGuiApplication::overrideCursor()) {
    sospesi_.push_back(*c);
    QGuiApplication::restoreOverrideCursor();
  }
}
PuntatoreSospeso::~PuntatoreSospeso() {
  for (auto c = sospesi_.rbegin(); c != sospesi_.rend(); ++c) QGuiApplication::setOverrideCursor(*c);
}

void PuntatoreNormale() {
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}

bool PuntatoreInAttesa() { return QGuiApplication::overrideCursor() != nullptr; }

QString TestoAppunti() { return QGuiApplication::clipboard()->text(); }
void ImpostaTestoAppunti(const QString& testo) { QGuiApplication::clipboard()->setText(testo); }

void DoEvents() { QCoreApplication::processEvents(); }

bool RendiAttivazione(QWidget* finestra) {
  if (!finestra || !finestra->isVisible() || QApplication::activeWindow()) return false;
  finestra->activateWindow();
  return true;
}

}  // namespace plat
