// Selection window of the mixed-air series (thermo-ventilating and ducted
// units): return and fresh air mixed in a chosen share, fixed speeds, the
// fan working point from the useful static pressure or the required total
// air flow, and the pressure drops of the ticked accessories.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "engine/ventilatori.h"
#include "selection/aria_mista.h"

namespace catalogo {
struct DatiModello;
}

namespace sel {

class FormDatiPXX : public FinestraAriaMista {
  Q_OBJECT
 public:
  FormDatiPXX();

  void txtpsu_LostFocus();
  void txtqatot_LostFocus();

  // " " or "> " before a working pressure capped by the last working point.
  std::string PrefissoPressione = " ";
  // The grid heading of a run.
  void CalcolaIntestazione();
  // Input check of the pass in the record's FlagPassaggio with the total
  // air flow q (m3/s): mixes the two air streams into s; 1 passed, 0 failed.
  int ControllaDati(unita::StatoCorsa& s, float q);
  // The window's boxes as the conditions of a run.
  unita::Condizioni LeggiCondizioni() const;
  void cmdCalcola_Click() override;

 protected:
  void Progetta() override;
  void Form_Load() override;
  // The total air flow by the system's rules, blanks alone an empty box
  // (0, the static pressure mode); nothing for a text that is no number.
  std::optional<double> LetturaPortataTotale() const override;

 private:
  void Calcola();
  // A total air flow that is no number, or below 0 (but for "nolimits"):
  // the box back at "0", the message naming it and the focus on it; true.
  bool RifiutaPortataTotale();
};

}  // namespace sel
