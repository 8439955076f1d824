// Closed-form property fits of plain water and dry air, at a temperature in
// degrees C. Specific heats in kJ/(kg K), conductivity W/(m K), density
// kg/m3, viscosity Pa s.
#pragma once

namespace motore {

float CpAcqua(float t);
float ConducAcqua(float t);
float DensAcqua(float t);
float ViscAcqua(float t);
float CpAria(float t);

}  // namespace motore
