// What a selection window's boxes say, read once at the start of a run, in
// internal units (W, m3/s, Pa, degrees C): the conditions every model of the
// run is rated at.
#pragma once

#include <array>
#include <cstdint>

namespace unita {

// Index of the two passes in every per-pass array.
inline constexpr int kFreddo = 0;
inline constexpr int kCaldo = 1;

struct Condizioni {
  // Air entering the unit in each pass: the single inlet of a fan coil, or
  // the return air of a mixed-air unit, and the fresh air with its share.
  std::array<float, 2> TaRicircolo{};  // dry bulb, C
  std::array<float, 2> TaRinnovo{};    // fresh-air dry bulb, C
  float URRicircolo = 0;               // relative humidity in cooling, %
  float URRinnovo = 0;                 // fresh-air relative humidity, %
  int QuotaRinnovo = 0;                // fresh-air share, whole per cent 0..100

  // Water of each pass; 0 means "not given".
  std::array<float, 2> Tw1{};  // inlet, C
  std::array<float, 2> Tw2{};  // outlet, C
  std::array<float, 2> Qw{};   // flow, m3/s
  float PercGlicole = 0;       // glycol share, %
  bool ComeFreddo = false;     // heating at the water flow found in cooling

  // Fan working point.
  float PressioneUtile = 0;          // the run's useful static pressure, Pa
  float PressioneCasella = 0;        // the same box as the mixed-air check reads it, Pa
  float PortataTotale = 0;           // mixed air: required total air flow, m3/s; 0 none
  bool QuattroTubi = false;          // 4-pipe units (the window's tick or additional coil)
  std::array<bool, 10> Accessori{};  // ticks of accessories 1..10

  // Sound pressure at a distance.
  float Distanza = 0;      // m
  int ErroreDistanza = 0;  // a distance box that holds no number: its error number
  std::int16_t Direttivita = 2;

  // Command-line words.
  bool SenzaLimiti = false;  // "nolimits"
  bool District = false;     // "district"
  bool ModoUR = false;       // "UR"
};

}  // namespace unita
