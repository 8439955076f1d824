// The four coil-rating iterations shared by every selection window. Each
// bisects over one coil pass until the water-side and the coil-side
// capacities agree within 0.05 %, then writes the results of its pass into
// the state. A rating that reaches its pass limit, or whose model data or
// conditions allow no rating, writes no result field (the run has cleared
// them, so the row shows zeros) and returns false.
//
// Before a call the run has set, for the model and pass being rated:
//  - model set-up: GeomCorrente, PassoCorrente, NumeroRanghi, NumeroCircuiti,
//    LunghezzaBatteria, AltezzaBatteria, SuperficieFrontale, NumeroTubi,
//    EspAria1..6, CoeffC30/C50/C100 of the pass, c.DiametroTubo;
//  - working point: PortataAria, VelocitaAria, LunghezzaCircuito, HA;
//  - inputs: FlagPassaggio, Ta1, Tw1, PercGlicole, RhoA, CpA, TipoTransizione;
//    for cooling also URAria1, TbuAria1, EntAria1, EntSat1;
//  - the given quantity: Tw2 (= Tw2Dato) for CalcolaCaldo2 / CalcolaFreddo2,
//    QwCalcolo (= QwDato) for CalcolaCaldo1 / CalcolaFreddo1;
//  - the result fields of the pass cleared to 0.
#pragma once

#include "engine/costanti.h"
#include "engine/stato.h"

namespace motore {

// Heating, water flow given: finds the outlet temperature (at most 20 passes;
// when the water would cool by less than 1 K, a second search of 20 passes
// up to just below the inlet temperature). Writes PotCaldo, Tw2Caldo,
// DpwCaldo, Ta2Caldo.
bool CalcolaCaldo1(StatoCalcolo& s, const CostantiBatteria& c);

// Heating, outlet temperature given: finds the water flow (at most 15
// passes). Writes PotCaldo, QwCaldo, DpwCaldo, Ta2Caldo.
bool CalcolaCaldo2(StatoCalcolo& s, const CostantiBatteria& c);

// Cooling, water flow given: finds the outlet temperature, wet coil first
// then dry (at most 20 + 20 passes). Writes PotFreddoTot, PotFreddoSens,
// Tw2Freddo, DpwFreddo, Ta2Freddo (and URCalcolata, FlagSecca).
bool CalcolaFreddo1(StatoCalcolo& s, const CostantiBatteria& c);

// Cooling, outlet temperature given: finds the water flow, wet coil first
// then dry. Writes PotFreddoTot, PotFreddoSens, QwFreddo, DpwFreddo,
// Ta2Freddo (and URCalcolata, FlagSecca).
bool CalcolaFreddo2(StatoCalcolo& s, const CostantiBatteria& c);

// Steps shared by the four ratings.
// Error of a pass in per cent: (1 - QAcqua / QBatteria) x 100, or -1 when
// QBatteria is 0 or less.
float ErroreCapacita(float qAcqua, float qBatteria);
// Converged when |e| is strictly below 0.05 %.
bool Convergente(float errore);
// A capacity rounded to the nearest 10 W, halves to even, through a 32-bit integer.
float ArrotondaPotenza(double q);
// A wet state whose sensible capacity reaches 95 % of the total counts as dry.
bool SensibileComeSecca(float sensibile, float qBatteria);
// Estimated leaving relative humidity: twice the inlet, at most 90 %.
float StimaURUscita(float urIngresso);

}  // namespace motore
