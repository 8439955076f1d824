#include "selection/unita/coppie.h"

#include <algorithm>

#include "catalogue/catalogo.h"

namespace unita {

bool FinisceCon(const std::string& codice, const char* suffisso) {
  const std::string f(suffisso);
  return codice.size() >= f.size() && codice.compare(codice.size() - f.size(), f.size(), f) == 0;
}

Ruolo RuoloModello(TipoCorsa t, const std::string& codice, bool quattroTubi) {
  const bool p4 = FinisceCon(codice, "4P");
  if (t == TipoCorsa::FanCoil) {
    const bool p4s = FinisceCon(codice, "4P*");
    if (quattroTubi != (p4 || p4s)) return {};
    if (!quattroTubi) return {true, true, true, true};
    return p4 ? Ruolo{true, true, false, false} : Ruolo{true, false, true, true};
  }
  if (!quattroTubi) return p4 ? Ruolo{} : Ruolo{true, true, true, true};
  return p4 ? Ruolo{true, false, true, true} : Ruolo{true, true, false, false};
}

Scelta ModelliScelti(TipoCorsa t, int posizione, const std::string& voce, int nModelli) {
  const int ultimoCatalogo = std::min(nModelli, catalogo::kUltimoModello);
  Scelta s{1, ultimoCatalogo, false};
  if (posizione > 0) s.primo = s.ultimo = posizione;
  if (t == TipoCorsa::FanCoil) {
    // The pick's partner is the model after it.
    if (FinisceCon(voce, "4P") || FinisceCon(voce, "4T")) {
      s.ultimo = std::min(s.ultimo + 1, nModelli);
      s.spunta = true;
    }
  } else if (posizione > 0 && FinisceCon(voce, "4P")) {
    // The pick's partner is the model before it.
    s.primo = s.ultimo - 1;
    s.spunta = true;
  }
  s.primo = std::max(s.primo, 1);
  s.ultimo = std::min(s.ultimo, ultimoCatalogo);
  return s;
}

}  // namespace unita
