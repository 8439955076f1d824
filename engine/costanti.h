// Heat-transfer and hydraulic constants of the coil model, with the
// per-geometry coefficient tables of the loaded series family.
#pragma once

#include <array>
#include <cstdint>

namespace motore {

inline constexpr int NumGeometrie = 4;  // geometry codes 0..3
inline constexpr int NumPassi = 9;      // fin-pitch codes 0..8

struct CostantiBatteria {
  float CostLaminare = 0;      // laminar water-side Nusselt constant
  float EspLaminare = 0;       // exponent of the laminar correlation
  float CostTurbolento = 0;    // turbulent water-side constant
  float EspReynolds = 0;       // Reynolds exponent, turbulent
  float EspPrandtlCaldo = 0;   // Prandtl exponent, heating pass
  float EspPrandtlFreddo = 0;  // Prandtl exponent, cooling pass
  float FattoreDT = 0;         // factor of the log-mean differences
  float CostAttrito = 0;       // friction constant (f = CostAttrito / Re^0.25)
  float PassoTubi = 0;         // tube pitch, m
  float CostCircuito = 0;      // equivalent length per bend, m
  float DiametroTubo = 0;      // tube inner diameter, m
  float EspAria2 = 0;          // air-side exponent, geometry 1 with several rows

  // Per-geometry tables, indexed by the geometry code 0..3.
  std::array<float, NumGeometrie> TabEspAria1{};
  std::array<float, NumGeometrie> TabEspAria3{};
  std::array<float, NumGeometrie> TabEspAria4{};
  std::array<float, NumGeometrie> TabEspAria5{};
  std::array<float, NumGeometrie> TabEspAria6{};

  // Coil factors, indexed [geometry 0..3][fin-pitch code 0..8].
  std::array<std::array<float, NumPassi>, NumGeometrie> TabCoeffK{};
  std::array<std::array<float, NumPassi>, NumGeometrie> TabCoeffR{};

  // Fin pitch in tenths of a millimetre, indexed by the fin-pitch code 0..8.
  std::array<std::int16_t, NumPassi> TabPassoAlette{};
};

// Each sets the record for one family of series. A cell that a family does
// not set keeps what the record held: a run starts from a record of zeros.
void ImpostaCostantiKalvo(CostantiBatteria& c);
void ImpostaCostantiRmb(CostantiBatteria& c);
void ImpostaCostantiDvk(CostantiBatteria& c);

}  // namespace motore
