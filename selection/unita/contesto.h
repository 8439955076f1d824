// What a run rates with: a calculation record of its own and the coil-model
// constants of its series' family, both made by the run and handed to the
// rating unit.
#pragma once

#include "catalogue/catalogo.h"
#include "engine/costanti.h"
#include "engine/stato.h"

namespace unita {

// The record a run starts from: every field zero but the water-side
// transition rule, the one every product line is rated with.
motore::StatoCalcolo StatoIniziale();

// The coil-model constants of a series family.
motore::CostantiBatteria CostantiFamiglia(catalogo::Famiglia f);

}  // namespace unita
