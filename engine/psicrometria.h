// Moist-air routines at the standard atmosphere. Temperatures in C, total
// pressure in bar, vapour pressures in hPa, humidity ratio in kg/kg dry air,
// enthalpy in kJ/kg dry air, specific volume in m3/kg dry air, relative
// humidity in per cent. A state outside the fits' domain (a zero divisor, the
// logarithm of a non-positive absolute temperature) raises ErroreCalcolo.
#pragma once

#include "engine/stato.h"

namespace motore {

inline constexpr float PressioneAtm = 1.01325f;  // bar

// Elementary routines.
float PressioneSat(float t);
double FattoreAumento(float t, float p);
float UmiditaSpecSat(float p, float pws, double f);
float UmiditaSpecDaPv(float p, float pv);
float EquazionePsicrometrica(float twb, float tdb, float ws);
float EntalpiaDaTX(float t, float w);
float VolumeSpecifico(float t, float p, float w);
float EntalpiaSatura(float t);
float PendenzaEntalpiaSat(float t);

// Composite routines at PressioneAtm.
float EntalpiaAria(float twb, float tdb);      // wet bulb first
float UmiditaSpecifica(float tdb, float twb);  // dry bulb first
float UmiditaRelativa(float tdb, float twb);
float DensitaAria(float t, float ur);

// Inversions by bisection; each returns 0 when its search does not converge.
float TempDaEntalpiaSat(float h);
float BulboUmidoDaX(float tdb, float w);
// Leaves the relative humidity of its last pass in s.URCalcolata.
float BulboUmidoDaUR(float tdb, float ur, StatoCalcolo& s);

}  // namespace motore
