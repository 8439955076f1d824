// The calculation state shared by the selection windows: the last rated
// model's values stay in it between runs.
#pragma once

#include "engine/costanti.h"
#include "engine/stato.h"

namespace sel {

motore::StatoCalcolo& Stato();
// The coil-model constants of the loaded series family.
motore::CostantiBatteria& Costanti();

}  // namespace sel
