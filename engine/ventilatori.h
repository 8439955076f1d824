// Fan curves, their inversion, and the pressure drops of ticked accessories.
// Fan curves take the air flow in m3/h and give the static pressure in Pa;
// the accessory routines take the air flow in m3/s.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/stato.h"

namespace motore {

// p = VentA Q^2 + VentB Q + VentC of one speed (or EC curve) of one model.
struct CurvaVentilatore {
  float VentA = 0;
  float VentB = 0;
  float VentC = 0;
};

// One accessory pressure-drop row: drop = Cost x v^Espo in Pa, v in m/s,
// through the model's outlet spigots when OPZBoc is exactly "S".
struct AccessorioDP {
  float Cost = 0;
  float Espo = 0;
  std::string OPZBoc;
};

// The accessories of the loaded series with the ticks of the running
// selection window (spunte[i] belongs to righe[i]; a missing tick counts as
// not ticked) and the model's passage for the accessory velocity.
struct AccessoriModello {
  std::span<const AccessorioDP> righe;
  std::span<const bool> spunte;
  float Sezione = 0;        // m2
  std::int16_t Bocche = 0;  // circular outlet spigots of 0.0314 m2
};

double PressioneCurva(float q, const CurvaVentilatore& curva);

// Air flow in m3/h at which the curve gives pressione; empty when the search fails.
std::optional<float> PortataDaPressione(float pressione, const CurvaVentilatore& curva);

// The two halves of that search, for a caller that inverts one curve at many
// pressures: the upper end of the flows searched (the first of 50, 60 ...
// 2500 m3/h where the curve pressure is negative; 2000 when there is none),
// which depends on the curve alone, and the halving from 0 to that end.
float LimitePortata(const CurvaVentilatore& curva);
std::optional<float> PortataDaPressione(float pressione, const CurvaVentilatore& curva, float limite);

// As PortataDaPressione on 0..7000 m3/h; with k = 1 the ticked accessories'
// drops are subtracted from the fan pressure before comparing.
std::optional<float> PortataDaPressioneAcc(float pressione, const CurvaVentilatore& curva, std::int16_t k,
                                           const AccessoriModello& acc, StatoCalcolo& s);

// p plus (or minus) the drops of the ticked accessories at air flow qa (m3/s).
// Each ticked accessory leaves its velocity in s.VelocitaAria. A ticked
// accessory with a zero passage raises ErroreCalcolo.
float SommaPerditeAccessori(float p, const AccessoriModello& acc, float qa, StatoCalcolo& s);
float SottraiPerditeAccessori(float p, const AccessoriModello& acc, float qa, StatoCalcolo& s);

}  // namespace motore
