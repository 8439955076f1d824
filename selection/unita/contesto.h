// The program's one calculation state and the coil-model constants of the
// loaded series family, shared by every selection window's run.
#pragma once

#include "engine/costanti.h"
#include "engine/stato.h"

namespace unita {

motore::StatoCalcolo& Stato();
motore::CostantiBatteria& Costanti();

}  // namespace unita
