// Test support: the recording message presenter and helpers shared by the
// test programs.
#pragma once

#include <QString>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/messaggi.h"

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace test {

// Records every message box instead of showing it.
class RegistroMessaggi : public plat::Presentatore {
 public:
  RegistroMessaggi();
  ~RegistroMessaggi() override;
  void Mostra(const plat::Messaggio& m) override;
  std::vector<plat::Messaggio> messaggi;
  void Svuota() { messaggi.clear(); }
  // Each message also does to the windows what a modal message box does:
  // a window of its own takes the activation and, closed by its OK once it
  // has it, gives it to no window (the offscreen platform, like a desktop
  // without a window manager, hands it back to none).
  bool modale = false;
  std::function<void()> alMessaggio;  // done as each message shows
};

// Runs the pending window events (queued focus checks, deferred deletes).
void ProcessaEventi();

}  // namespace test
