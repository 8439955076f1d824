// Test support: the recording message presenter and helpers shared by the
// test programs.
#pragma once

#include <QString>
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
};

// Runs the pending window events (queued focus checks, deferred deletes).
void ProcessaEventi();

}  // namespace test
