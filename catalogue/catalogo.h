// The loaded product series: the models of the series the user picked last,
// read from the product database by the seven series loaders.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/ventilatori.h"

namespace plat {
class Database;
class ListaVoci;
}  // namespace plat

namespace catalogo {

// Array bounds: every index starts at 0, and the largest series sets the
// last index (60 models of KALVO, speeds 0..8 of the EC curves, coefficient
// sets 0..6 of KALVOP, speeds 0..7 of DVK, accessory rows 0..10).
inline constexpr int kUltimoModello = 60;
inline constexpr int kUltimaCurva = 8;
inline constexpr int kUltimoSetCoeff = 6;
inline constexpr int kUltimaVelocitaPin = 7;
inline constexpr int kUltimoAccessorio = 10;

// One model.  Per-speed fields are indexed by speed (fixed-speed series,
// 1..S) or by fan curve (EC series, 0..7); C100, FC30 and CC30 by
// coefficient set (the speed in KALVO and KALVOP, 1 in the other series).
struct DatiModello {
  std::string Modello;
  std::string ModDescri;
  std::int16_t Geom = 0;
  std::int16_t Passo = 0;
  float LunBat = 0;  // mm
  float AltBat = 0;  // mm
  float NR = 0;
  float NC = 0;
  std::array<float, kUltimaCurva + 1> VentA{}, VentB{}, VentC{};  // Pa = A Q^2 + B Q + C, Q in m3/h
  std::array<float, kUltimoSetCoeff + 1> C100{}, FC30{}, CC30{};
  float FCC50 = 0;
  float CCC50 = 0;
  std::array<float, kUltimaCurva + 1> LWA{};  // dB(A)
  std::array<float, kUltimaVelocitaPin + 1> PIN{}, LWAIn{}, LWAOut{};
  std::array<float, kUltimaCurva + 1> PA{}, PB{}, PC{};  // W = PA Q^2 + PB Q + PC, Q in m3/h
  std::array<std::int16_t, kUltimaCurva + 1> G{};        // rpm
  std::int32_t MinQa = 0;                                // m3/h
  float Sezione = 0;                                     // m2
  std::int16_t Bocche = 0;
  std::int16_t Nlog = 0;
  // Kept for rating branches of series that are not loaded; no loader fills
  // them.
  float PortataAriaModello = 0, CoeffDpModello = 0, EspDpModello = 0, CostAttritoModello = 0,
        DiametroTuboModello = 0, LMax = 0, HMax = 0, EspAriaModello = 0;
};

// One accessory of the RMB or DVK family: its drop is Cost * v ^ Espo, v
// through the outlet spigots when OPZBoc is "S", else through Sezione.
using AccessorioDP = motore::AccessorioDP;

struct CatalogoSerie {
  std::string SerieCorrente;  // set by the caller just before a load
  std::int16_t NModelli = 0;
  std::array<DatiModello, kUltimoModello + 1> Modelli;  // row k is model k; row 0 unused
  std::int16_t NAcc = 0;
  std::array<AccessorioDP, kUltimoAccessorio + 1> Accessori;  // rows 1..NAcc
};

// The one loaded series of the program.
CatalogoSerie& Catalogo();

// The family of a series: the coil-model constants its runs rate with.
enum class Famiglia { Kalvo, Rmb, Dvk };

// Set once at start-up: the open product database.
void ImpostaDatabase(plat::Database* db);

// The series loaders.  Each reads its model table (the "_DC" variant when
// flagDistrict is set) and, for the RMB and DVK families, the accessory
// table; replaces the loaded series; fills the list: testoTutto (catalogue
// text 84, "* All" in the current language), then one entry per model, and
// selects position 0.  A table or column that cannot be read gives a message
// and an empty series; rows beyond the capacity are left out with a warning.
// Returns false when the series could not be loaded, or when a load is
// already running (the list and the series are then untouched).
bool CaricaDatiKALVO(plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);
bool CaricaDatiKALVOP(plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);
bool CaricaDatiRMB(plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);
bool CaricaDatiDVK(plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);
bool CaricaDatiKALVOEC(plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);
bool CaricaDatiRMBBLDC(plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);
bool CaricaDatiDVKBLDC(plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);

// Whether a load is running (a window event handled during a load).
bool CaricamentoInCorso();

// The list entry of a separator model.
inline constexpr const char* kSeparatore = "-----------";

}  // namespace catalogo
