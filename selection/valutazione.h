// The steps of rating one model that every selection run shares: the model's
// coil copied into the state, the set-up of a cooling or heating pass, and
// the rating iteration that the given water quantity chooses.
#pragma once

#include <QString>

#include "catalogue/catalogo.h"
#include "engine/costanti.h"
#include "engine/stato.h"

namespace sel {

// Copies the model's coil into the state (geometry, fin pitch, size, rows,
// circuits, air-side exponents, tube count).  False when the model's codes
// fall outside the coefficient tables: it cannot be rated.
bool ImpostaModello(motore::StatoCalcolo& s, const motore::CostantiBatteria& c, const catalogo::DatiModello& m);

// The cooling pass after the input check: inlet air properties, results
// cleared, coefficients, face velocity, circuit length, air-side
// coefficient, then the rating chosen by the given outlet temperature or
// water flow.  A model with no positive cooling coefficient (or a zero face
// area) keeps its results at zero.
void PassoFreddo(motore::StatoCalcolo& s, const motore::CostantiBatteria& c, float c30, float c50, float c100);

// Clears the results of the cooling pass.
void AzzeraFreddo(motore::StatoCalcolo& s);

// The heating pass after the input check; qwDato is the water flow to rate
// when no outlet temperature is given (0: no result).
void PassoCaldo(motore::StatoCalcolo& s, const motore::CostantiBatteria& c, float c30, float c50, double qwDato);

// Whether a model code ends with a suffix ("4P", "4P*").
bool FinisceCon(const std::string& codice, const char* suffisso);

// Cells of a row shared by the runs, in the units in force.
QString CellaPotenza(float w);
QString CellaPortataAria(float m3s);
QString CellaPortataAcqua(float m3s);
QString CellaPerditaAcqua(float kpa);
QString CellaPressione(float pa);
// A leaving air temperature: empty when not above 0.
QString CellaTemperaturaAria(float t);
QString CellaTemperatura(float t);
// A number in its general text form, empty when not above 0.
QString CellaPositiva(float v);

}  // namespace sel
