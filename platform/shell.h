// Opening a document or an address with the desktop's default program.
#pragma once

#include <QString>
#include <functional>

namespace plat {

// Opens target; returns a value above 32 on success, else an error code in
// the classic numbering (2 file not found, 31 no association for the file,
// ...).
int ApriConShell(const QString& target);

// Replaces the desktop call (tests); an empty function restores it.
void ImpostaShell(std::function<int(const QString&)> f);

// How long the desktop's opener is watched before it counts as running on
// (tests); 0 restores the 2 s of the program.
void ImpostaAttesaOpener(int ms);

}  // namespace plat
