// The seven series as data: table, capacity, family, separator suffix,
// accessory table and the column map of the model table.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogo.h"

namespace catalogo::interno {

// A field of DatiModello that a column fills.
enum class Campo {
  Modello, ModDescri, Geom, Passo, LunBat, AltBat, NR, NC,
  VentA, VentB, VentC, C100, FC30, CC30, FCC50, CCC50,
  LWA, PIN, LWAIn, LWAOut, PA, PB, PC, G, MinQa, Sezione, Bocche, Nlog,
  EspAriaModello,
};

struct Colonna {
  std::string nome;
  Campo campo;
  int indice;  // speed, curve or coefficient set; 0 for a one-value field
};

struct DefinizioneSerie {
  std::string codice;
  std::string tabella;            // the district variant adds "_DC"
  int capacita;                   // models
  Famiglia famiglia;
  std::string suffisso;           // a code ending so is listed as a separator; "" none
  std::string tabella_accessori;  // "" none
  std::vector<Colonna> colonne;   // in table order
  std::vector<Campo> ricreati;    // fields emptied by every load of the series
};

const DefinizioneSerie& SerieKALVO();
const DefinizioneSerie& SerieKALVOP();
const DefinizioneSerie& SerieRMB();
const DefinizioneSerie& SerieDVK();
const DefinizioneSerie& SerieKALVOEC();
const DefinizioneSerie& SerieRMBBLDC();
const DefinizioneSerie& SerieDVKBLDC();

}  // namespace catalogo::interno
