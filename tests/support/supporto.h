// Test support: the recording message presenter and helpers shared by the
// test programs.
#pragma once

#include <QString>
#include <vector>

#include "platform/messaggi.h"

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
