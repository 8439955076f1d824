// One descriptor per product series: everything the program needs to know
// of a series besides its model table (code, family, the window that rates
// it, its speeds, accessories, static-pressure limit and result columns).
// Everything that depends on the series reads it from here.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogo.h"

namespace catalogo {

enum class Codice { KALVO, KALVOP, RMB, DVK, KALVOEC, RMBBLDC, DVKBLDC };

// The selection window of a series: one air inlet, or return and fresh air
// mixed in a chosen share.
enum class Aria { Singola, Mista };

inline constexpr int kAccessoriFinestra = 10;  // accessory boxes of a mixed-air window

// An accessory box: its code (the caption before the series sets its own)
// and the caption the series gives it.
struct Accessorio {
  const char* codice;
  const char* didascalia;  // UTF-8; "" for a box the series does not use
};

struct Serie {
  Codice id;
  const char* codice;  // as SerieCorrente holds it
  Famiglia famiglia;
  Aria aria;
  bool ec;                            // EC motors: eight fan curves, rated at a required air flow
  const char* linea;                  // model-line name: window caption, menu and chooser entries
  int testoLinea;                     // > 0: the caption is this catalogue text followed by linea
  std::vector<std::string> velocita;  // speed list after "* All"; empty for EC series
  std::array<Accessorio, kAccessoriFinestra> accessori;  // boxes 1..10
  int accessoriVisibili;                                 // boxes 1..n are shown, the others hidden
  int accessorioSpuntato;                                // ticked when the window opens; 0 none
  bool filtriEsclusivi;                                  // boxes 2 and 3 (two filters) exclude each other
  float pressioneMassima;                                // Pa: upper limit of the static pressure box
  bool colonnaPin;                                       // power input column of the base grids
  bool colonneRumoreInOut;                               // inlet-and-radiated and outlet sound power columns
  int accessoriVisibiliFacile = 0;  // boxes shown in the easy-calc window; 0: as accessoriVisibili
};

const Serie& Descrittore(Codice c);
// The series of a code; nullptr for a code the catalogue does not know.
const Serie* TrovaSerie(std::string_view codice);
// The seven series in menu order of their codes.
std::span<const Serie> TutteLeSerie();

// Loads a series (its loader) into a list; see CaricaDatiKALVO.
bool CaricaDati(const Serie& s, plat::ListaVoci& lista, bool flagDistrict, const std::string& testoTutto);

}  // namespace catalogo
