#include "tests/support/supporto.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace test {

RegistroMessaggi::RegistroMessaggi() { plat::ImpostaPresentatore(this); }
RegistroMessaggi::~RegistroMessaggi() { plat::ImpostaPresentatore(nullptr); }
void RegistroMessaggi::Mostra(const plat::Messaggio& m) {
  messaggi.push_back(m);
  if (alMessaggio) alMessaggio();
  if (!modale) return;
  QDialog scatola(QApplication::activeWindow());
  scatola.setWindowTitle(m.titolo);
  // The activation is a queued event of the platform: it comes within a few
  // turns of the box's loop (the bound only keeps a platform that never
  // sends it from hanging the test).
  QTimer ok;
  int giri = 0;
  QObject::connect(&ok, &QTimer::timeout, &scatola, [&scatola, &giri] {
    if (QApplication::activeWindow() == &scatola || ++giri > 1000) scatola.accept();
  });
  ok.start(0);
  scatola.exec();
}

void ProcessaEventi() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace test
