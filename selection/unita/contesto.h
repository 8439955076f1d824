// What a run rates with: a calculation record of its own and the coil-model
// constants of its series' family, both made by the run and handed to the
// rating unit.
#pragma once

#include "catalogue/catalogo.h"
#include "engine/costanti.h"
#include "engine/stato.h"

namespace unita {

// The record of a run: the engine's quantities of one rating, and beside
// them the fan's working point as the rating unit works it out. Every field
// starts at zero and keeps its last value until it is written again.
struct StatoCorsa : motore::StatoCalcolo {
  float PressioneUtile = 0;           // useful external static pressure, Pa
  float PortataTotale = 0;            // required total air flow (mixed air), m3/s
  float PortataRichiesta = 0;         // EC: required or tried air flow, m3/s
  float PortataLibera = 0;            // free-delivery air flow at 0 Pa, m3/s
  float PressioneLavoro = 0;          // working static pressure, Pa; -1 = unusable
  std::int16_t CurvaSelezionata = 0;  // EC curve 0..7; -1 none
  float TensioneComando = 0;          // EC command signal, V
  float PressioneSalvata = 0;         // EC static pressure of the boxes, Pa
  std::int16_t CurvaRiferimento = 0;  // EC curve of the command full scale
};

// The record a run starts from: every field zero but the water-side
// transition rule, the one every product line is rated with.
StatoCorsa StatoIniziale();

// The coil-model constants of a series family.
motore::CostantiBatteria CostantiFamiglia(catalogo::Famiglia f);

}  // namespace unita
