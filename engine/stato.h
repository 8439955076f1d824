// The state of one rating: inputs, model set-up, the air through the coil,
// coil-pass working values, the results of one grid row and the flags (the
// fan's working point is the rating unit's, beside it). Every field starts
// at zero; the record is never reset as a whole: each rating overwrites what
// it needs, and a field keeps its last value until it is written again.
// Units: W, m3/s, kPa (water drop), Pa (air), degrees C.
#pragma once

#include <cstdint>

#include "engine/numeri.h"

namespace motore {

struct StatoCalcolo {
  // --- Inputs of the pass ---------------------------------------------
  std::int16_t FlagPassaggio = 0;  // 0 cooling pass, 1 heating pass
  float Ta1 = 0;                   // air inlet dry bulb, C
  float URAria1 = 0;               // air inlet relative humidity, % (0 in heating)
  float TbuAria1 = 0;              // air inlet wet bulb, C (cooling)
  float EntAria1 = 0;              // air inlet enthalpy, kJ/kg dry air (cooling)
  float Tw1 = 0;                   // water inlet temperature, C
  float EntSat1 = 0;               // saturated-air enthalpy at Tw1, kJ/kg (cooling)
  float Tw2Dato = 0;               // given water outlet temperature, C; 0 = not given
  float QwDato = 0;                // given water flow, m3/s; 0 = not given
  float PercGlicole = 0;           // glycol share, %; above 0 selects the glycol fits

  // --- Model set-up (copied by the run for each model) ------------------
  std::int16_t GeomCorrente = 0;   // geometry code 0..3
  std::int16_t PassoCorrente = 0;  // fin-pitch code 0..8
  float NumeroRanghi = 0;          // rows
  float NumeroCircuiti = 0;        // water circuits
  float AltezzaBatteria = 0;       // coil height, m
  float LunghezzaBatteria = 0;     // coil length, m
  float SuperficieFrontale = 0;    // face area, m2
  std::int16_t NumeroTubi = 0;     // tube count
  float LunghezzaCircuito = 0;     // equivalent length of one circuit, m
  float CoeffC30 = 0;              // coil coefficient C30 of the pass
  float CoeffC100 = 0;             // coil coefficient C100 (bypass factor)
  float CoeffC50 = 0;              // coil coefficient C50 (circuit length)
  float EspAria1 = 0;              // air-side exponents of the geometry
  float EspAria3 = 0;
  float EspAria4 = 0;
  float EspAria5 = 0;
  float EspAria6 = 0;
  float HA = 0;    // air-side heat-transfer coefficient
  float RhoA = 0;  // inlet air density, kg/m3
  float CpA = 0;   // inlet air specific heat, kJ/(kg K)

  // --- Air through the coil ----------------------------------------------
  float PortataAria = 0;   // air flow through the coil, m3/s
  float VelocitaAria = 0;  // face velocity, m/s (accessory routines leave theirs)

  // --- Coil-pass working values -------------------------------------------
  float Tw2 = 0;            // water outlet temperature of the pass, C
  double QwCalcolo = 0;     // water flow of the pass, m3/s
  float TwMedia = 0;        // mean water temperature, C
  float CpW = 0;            // kJ/(kg K)
  float RhoW = 0;           // kg/m3
  float LambdaW = 0;        // W/(m K)
  float MuW = 0;            // Pa s
  float PrW = 0;            // Prandtl number
  double PendenzaSat = 0;   // slope of the saturated-air enthalpy, kJ/(kg K)
  float EntSat2 = 0;        // saturated-air enthalpy at Tw2, kJ/kg
  float EntAria2 = 0;       // leaving air enthalpy, kJ/kg
  float Ta2 = 0;            // leaving air dry bulb, C
  float TbuAria2 = 0;       // leaving air wet bulb, C
  float URStimaUscita = 0;  // estimated leaving relative humidity, %
  float URCalcolata = 0;    // leaving relative humidity, %
  float QAcqua = 0;         // water-side capacity, W
  float QBatteria = 0;      // coil-side capacity, W
  float DTML = 0;           // log-mean temperature (K) or enthalpy (kJ/kg) difference
  float UGlobale = 0;       // overall heat-transfer coefficient
  float HW = 0;             // water-side heat-transfer coefficient
  float VelW = 0;           // water velocity in one circuit, m/s
  float ReW = 0;            // water Reynolds number
  float NuW = 0;            // water Nusselt number
  float PotenzaStima = 0;   // scratch capacity of the flow bracket, W
  double EstremoInf = 0;    // bisection bracket: C or m3/s
  double EstremoSup = 0;
  Flag FlagSecca = Falso;  // True: the cooling coil is rated dry

  // --- Results of one grid row ----------------------------------------
  float PotFreddoTot = 0;   // total cooling capacity, W (multiple of 10)
  float PotFreddoSens = 0;  // sensible cooling capacity, W (multiple of 10)
  float QwFreddo = 0;       // cooling water flow, m3/s
  float Tw2Freddo = 0;      // cooling water outlet temperature, C
  float DpwFreddo = 0;      // cooling water pressure drop, kPa
  float Ta2Freddo = 0;      // leaving air temperature in cooling, C
  float PotCaldo = 0;       // heating capacity, W (multiple of 10)
  float QwCaldo = 0;        // heating water flow, m3/s
  float Tw2Caldo = 0;       // heating water outlet temperature, C
  float DpwCaldo = 0;       // heating water pressure drop, kPa
  float Ta2Caldo = 0;       // leaving air temperature in heating, C

  // --- Flags -----------------------------------------------------------
  Flag FlagBassaPerdita = Falso;     // a water pressure drop below 3 kPa was met
  std::int16_t TipoTransizione = 0;  // water-side rule between Re 2300 and 10000
};

}  // namespace motore
