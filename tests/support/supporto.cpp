#include "tests/support/supporto.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

namespace test {

RegistroMessaggi::RegistroMessaggi() { plat::ImpostaPresentatore(this); }
RegistroMessaggi::~RegistroMessaggi() { plat::ImpostaPresentatore(nullptr); }
void RegistroMessaggi::Mostra(const plat::Messaggio& m) { messaggi.push_back(m); }

void ProcessaEventi() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace test
