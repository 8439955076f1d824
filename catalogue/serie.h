// The model tables of the seven series: table, capacity, separator suffix,
// accessory table and the column map (the rest of a series is its
// descriptor).
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogo.h"
#include "catalogue/descrittore.h"

namespace catalogo::interno {

// A field of DatiModello that a column fills.
enum class Campo {
  Modello,
  ModDescri,
  Geom,
  Passo,
  LunBat,
  AltBat,
  NR,
  NC,
  VentA,
  VentB,
  VentC,
  C100,
  FC30,
  CC30,
  FCC50,
  CCC50,
  LWA,
  PIN,
  LWAIn,
  LWAOut,
  PA,
  PB,
  PC,
  G,
  MinQa,
  Sezione,
  Bocche,
  Nlog,
  EspAriaModello,
};

struct Colonna {
  std::string nome;
  Campo campo;
  int indice;  // speed, curve or coefficient set; 0 for a one-value field
};

struct DefinizioneSerie {
  const Serie& serie;
  std::string tabella;            // the district variant adds "_DC"
  int capacita;                   // models
  std::string suffisso;           // a code ending so is listed as a separator; "" none
  std::string tabella_accessori;  // "" none
  std::vector<Colonna> colonne;   // in table order
  std::vector<Campo> ricreati;    // fields emptied by every load of the series
};

const DefinizioneSerie& Definizione(Codice c);

}  // namespace catalogo::interno
