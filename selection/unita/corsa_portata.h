// The run of an EC series at a required air flow, model by model: the fan
// rated on its eight curves at that flow (curve_ec.h), then the coil rated
// at that flow in cooling and heating through the rating unit's steps.
//  - Single air (fan coils): a model whose smallest flow lies above the
//    required one is left out; the fan first, then the input check of each
//    pass.
//  - Mixed air: the cooling check first (it mixes the return and the fresh
//    air at the required flow), then the static pressure plus the ticked
//    accessories' drops at that flow, the 4-pipe gate, the fan; the heating
//    check before the heating pass.
// The required flow is the conditions' PortataTotale.
#pragma once

#include <span>

#include "catalogue/catalogo.h"
#include "engine/ventilatori.h"
#include "selection/unita/condizioni.h"
#include "selection/unita/coppie.h"
#include "selection/unita/curve_ec.h"
#include "selection/unita/valutazione.h"

namespace unita {

// One row of a run at a required air flow (or why there is none).
struct RigaPortata : RigaEC {
  VentilatoreEC ventilatore;
  int curvaRiferimento = 0;  // the curve whose speed is the command's full scale
};

class CorsaPortata {
 public:
  // u rates on the run's state with the conditions k; accessori are the
  // series' accessory rows (mixed air); regole what the window adds to the
  // fan rating.  Puts the required flow into the state.
  CorsaPortata(Valutazione& u, const Condizioni& k, std::span<const motore::AccessorioDP> accessori,
               const RegoleEC& regole);

  // Model m (data d) of the loaded series.
  RigaPortata Modello(const catalogo::DatiModello& d, int m);

 private:
  RigaPortata Singola(const catalogo::DatiModello& d, int m);
  RigaPortata Mista(const catalogo::DatiModello& d, int m);
  bool Controlla(RigaPortata& r, int passo);
  RigaPortata Chiudi(RigaPortata r);

  Valutazione& u_;
  const Condizioni& k_;
  std::span<const motore::AccessorioDP> accessori_;
  RegoleEC regole_;
  float qr_;
  Coppie coppie_;
};

}  // namespace unita
