// Cells of a result row shared by the selection runs, in the units in force.
#pragma once

#include <QString>

namespace sel {

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
