// Heat-transfer and hydraulic correlations of the coil model. Lengths in m,
// velocities m/s, water flow m3/s, coefficients W/(m2 K), pressure drop kPa.
#pragma once

#include <cstdint>

#include "engine/costanti.h"
#include "engine/stato.h"

namespace motore {

// Air-side coefficient for rows nr, face velocity va, geometry g and fin pitch
// in tenths of mm. Reads CoeffC30 and EspAria1..6 of s, EspAria2 of c.
// Returns 0 for a geometry outside 0..3 and, as "no coefficient", when the
// data make it impossible (zero fin pitch of type 2, a velocity that is not a
// non-negative number, non-positive rows).
float CoeffLatoAria(float nr, float va, std::int16_t g, std::int16_t passo, const StatoCalcolo& s,
                    const CostantiBatteria& c);

// Water-side coefficient from ReW, PrW, LambdaW, LunghezzaBatteria,
// FlagPassaggio and TipoTransizione of s; writes s.NuW. Raises ErroreCalcolo
// when the data make it impossible (zero tube diameter or length, negative
// Reynolds or Prandtl number).
float CoeffLatoAcqua(StatoCalcolo& s, const CostantiBatteria& c);

// Bypass factor of a cooling coil: CoeffC100 x 2.718^(-K ha nr / (CpA RhoA VelocitaAria 1000)).
float FattoreBypass(float nr, std::int16_t passo, float ha, const StatoCalcolo& s, const CostantiBatteria& c);

// Log-mean temperature difference of the end differences b - c and a - d, and
// log-mean enthalpy difference of c - b and d - a, times fattoreDT. At equal
// end differences the fourth value is lowered by 0.001 (a local copy; the
// caller's field is left alone). A failing logarithm gives 0.
float CalcolaDTML(float a, float b, float c, float d, float fattoreDT);
float CalcolaDEML(float a, float b, float c, float d, float fattoreDT);

// Water velocity in one of nc circuits; 0 when nc or the tube diameter is not positive.
float VelocitaAcqua(double qw, float nc, const CostantiBatteria& c);

// Reynolds number with the plain-water density at t; 0 when mu is not positive.
float NumeroReynolds(float v, float t, float mu, const CostantiBatteria& c);

// Equivalent length of one water circuit for n tubes; 0 when the model has no circuits.
float CalcolaLunghezzaCircuito(std::int16_t n, const StatoCalcolo& s, const CostantiBatteria& c);

// Water pressure drop in kPa from ReW, VelW, LunghezzaCircuito; sets
// s.FlagBassaPerdita below 3 kPa (never clears it). 0 when ReW is not positive.
float PerditaCaricoAcqua(StatoCalcolo& s, const CostantiBatteria& c);

}  // namespace motore
