// The fixed-level run of an EC series, model by model: the air flow the
// command level gives (livello_ec.h), then the coil rated at that flow in
// cooling and heating through the rating unit's steps.
//  - Single air (fan coils): the flow is searched first; the input check of
//    each pass comes after it.
//  - Mixed air: the cooling check comes first (it mixes the return and the
//    fresh air by the fresh-air share), then the 4-pipe gate, then the
//    search at the typed pressure plus the ticked accessories' drops.
#pragma once

#include <span>

#include "catalogue/catalogo.h"
#include "engine/ventilatori.h"
#include "selection/unita/condizioni.h"
#include "selection/unita/coppie.h"
#include "selection/unita/livello_ec.h"
#include "selection/unita/valutazione.h"

namespace unita {

// One row of a fixed-level run (or why there is none).
struct RigaLivello : RigaEC {
  EsitoLivello ventilatore;  // the search and the fan where the level is met
};

class CorsaLivello {
 public:
  // u rates on the run's state with the conditions k; accessori are the
  // series' accessory rows (mixed air).
  CorsaLivello(Valutazione& u, const Condizioni& k, std::span<const motore::AccessorioDP> accessori,
               bool mista, double livello);

  // Model m (data d) of the loaded series.
  RigaLivello Modello(const catalogo::DatiModello& d, int m);

 private:
  EsitoLivello Cerca(const catalogo::DatiModello& d);
  RigaLivello Singola(const catalogo::DatiModello& d, int m);
  RigaLivello Mista(const catalogo::DatiModello& d, int m);
  RigaLivello Chiudi(RigaLivello r);

  Valutazione& u_;
  const Condizioni& k_;
  std::span<const motore::AccessorioDP> accessori_;
  bool mista_;
  double livello_;
  Coppie coppie_;
};

}  // namespace unita
