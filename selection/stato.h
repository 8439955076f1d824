// The calculation state shared by the selection windows: the last rated
// model's values stay in it between runs.
#pragma once

#include "engine/stato.h"

namespace sel {

motore::StatoCalcolo& Stato();

}  // namespace sel
