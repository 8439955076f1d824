// Cells of a result row shared by the selection runs, in the units in force.
#pragma once

#include <QString>
#include <QStringList>

#include "selection/unita/valutazione.h"

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

// The cells from "PT" to "TA (H)" of a row's results: each pass's water flow
// when its outlet temperature was given (portata), else its outlet
// temperature; a leaving air temperature not above 0 empty when ariaVuota.
void CelleRese(QStringList& celle, const unita::Rese& r, bool portataFreddo, bool portataCaldo,
               bool ariaVuota);

}  // namespace sel
