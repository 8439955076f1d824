// The EC fan of a model at a fixed command level ("Min", "Med", "Max"): the
// air flow the level gives against a static pressure is searched by
// stepping the flow down 5 m3/h at a time from curve 7's flow at that
// pressure until the command voltage, worked out as at a required flow with
// curve 7 as the full scale, lies in the level's band.  Because the flow only
// falls, the flow found is the largest tried one whose voltage is in the band.
//
// A mixed-air unit works against the static pressure plus the drops of its
// ticked accessories at each tried flow; its start flow is corrected once for
// the drops at curve 7's flow.
#pragma once

#include <cstdint>
#include <optional>

#include "catalogue/catalogo.h"
#include "engine/stato.h"
#include "selection/unita/contesto.h"
#include "engine/ventilatori.h"
#include "selection/unita/curve_ec.h"

namespace unita {

// The curve whose speed is the full scale of the command signal.
inline constexpr int kCurvaRiferimentoLivello = 7;

// Command level of position p of the level list: "Min" 3 V, "Med" 6 V,
// "Max" 8.9 V; no item chosen (or any other position) 0 V.
double LivelloComando(int posizione);

// What the window adds to the search.
struct RegoleLivello {
  // Mixed air: band level - 0.05 <= V < level + 0.05 (single air: level
  // +- 0.1, both ends in), lowest speed 100 rpm (single air: 150), sound
  // floor LWA(0) - 3 shown as an upper bound (single air: 28 dB(A)).
  bool mista = false;
  bool senzaLimiti = false;  // "nolimits"
};

// The fan where the level is met.
struct PuntoLivello {
  float Q = 0;         // air flow, m3/s
  std::int16_t N = 0;  // fan speed, rpm
  float Pin = 0;       // power input, W
  float Lw = 0;        // sound power shown, dB(A)
  bool suonoMinimo = false;
  float Tensione = 0;  // V
};

// How a search ended.  Every end but Trovata drops the model.
enum class FineLivello {
  Trovata,
  NessunaPortata,     // no flow above zero left (also: pressure above curve 7's shut-off)
  NessunaCurva,       // no usable curve reaches the tried flow
  SottoGiriMinimi,    // the speed fell below the lowest before the level was met
  PressioneNegativa,  // the working pressure is below zero
  DatiNonValidi,      // a zero free-running speed, or curve 7 not above 100 rpm
};

struct EsitoLivello {
  FineLivello fine = FineLivello::NessunaPortata;
  PuntoLivello punto;
  int tentativi = 0;  // flows tried
  bool Trovata() const { return fine == FineLivello::Trovata; }
};

// Searches the flow of model d at command level `livello` (V) against the
// static pressure `pressione` (Pa), plus, for a mixed-air unit, the drops of
// the ticked accessories `acc` at each tried flow.  Writes into s what a run
// leaves there: PortataRichiesta (the last flow tried), PortataAria and
// PortataLibera (of the last curve scanned), CurvaSelezionata (a curve 0 as
// 1), CurvaRiferimento (7), TensioneComando, PressioneSalvata (the static
// pressure) and, for mixed air, PressioneLavoro and PressioneUtile (the
// working pressure of the last tried flow).
EsitoLivello CercaPortataLivello(const catalogo::DatiModello& d, double livello, float pressione,
                                 const RegoleLivello& regole, const motore::AccessoriModello& acc,
                                 StatoCorsa& s);

}  // namespace unita
