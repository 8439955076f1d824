// A list of text entries that a routine fills without knowing the control
// that shows it (a window's model list, or a plain list in a test).
#pragma once

#include <string>

namespace plat {

class ListaVoci {
 public:
  virtual ~ListaVoci() = default;
  virtual void Svuota() = 0;                           // remove every entry
  virtual void Aggiungi(const std::string& voce) = 0;  // append an entry (UTF-8)
  virtual void Seleziona(int posizione) = 0;           // select an entry (-1: none)
};

}  // namespace plat
