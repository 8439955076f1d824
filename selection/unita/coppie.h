// Four-pipe units: a base model and its 4-pipe row rated as one pair, whose
// grid row shows the cooling of the one and the heating of the other.
//  - Fan coils: with 4-pipe units ticked only models whose code ends "4P" or
//    "4P*" are rated; a "4P" model gives its cooling and no row, the "4P*"
//    model after it its heating and the pair's row. Unticked, both are left out.
//  - Mixed-air units: with the additional coil ticked, a base model gives
//    its cooling and no row, the "4P" model after it its heating and the
//    pair's row. Unticked, "4P" models are left out.
#pragma once

#include <string>

namespace unita {

enum class TipoCorsa { FanCoil, Misto };

// What one model does in a run.
struct Ruolo {
  bool rata = false;    // rated at all
  bool freddo = false;  // has its own cooling pass
  bool caldo = false;   // has its heating pass
  bool riga = false;    // gives a row (with its partner's cooling when it has none)
  bool operator==(const Ruolo&) const = default;
};
Ruolo RuoloModello(TipoCorsa t, const std::string& codice, bool quattroTubi);

// The models a run rates for the pick at list position `posizione` (0 "* All")
// whose text is `voce`: a 4-pipe pick brings in its partner and ticks the
// 4-pipe box (spunta). Models primo..ultimo, within the loaded series.
struct Scelta {
  int primo = 1, ultimo = 0;
  bool spunta = false;
  bool operator==(const Scelta&) const = default;
};
Scelta ModelliScelti(TipoCorsa t, int posizione, const std::string& voce, int nModelli);

// Which model's cooling the state holds, so that a pair's row takes its
// partner's cooling only when the partner was rated just before it at the
// same speed (otherwise the row shows no cooling).
class Coppie {
 public:
  void Freddo(int v, int m) { v_ = v, m_ = m; }
  bool FreddoDelCompagno(int v, int m) const { return v_ == v && m_ == m - 1; }

 private:
  int v_ = 0, m_ = 0;
};

// Whether a model code ends with a suffix ("4P", "4P*").
bool FinisceCon(const std::string& codice, const char* suffisso);

}  // namespace unita
