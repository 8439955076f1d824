// Single coil passes: one rating of a model's coil at the water flow and
// outlet temperature that the calling rating has put into the state.
#pragma once

#include "engine/costanti.h"
#include "engine/stato.h"

namespace motore {

// Heating pass: writes QAcqua, Ta2, DTML, VelW, ReW, HW, UGlobale, QBatteria.
// Raises ErroreCalcolo when the data make the pass impossible (a zero
// divisor, an index outside the coefficient tables, a negative water flow).
void CalcolaBatteriaCaldo(StatoCalcolo& s, const CostantiBatteria& c);

// Cooling pass, wet (FlagSecca False: writes EntAria2) or dry (writes Ta2);
// the water-side coefficient is floored at 900. Failures as in heating.
void CalcolaBatteriaFreddo(StatoCalcolo& s, const CostantiBatteria& c);

}  // namespace motore
