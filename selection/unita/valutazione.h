// The rating unit: one model of a series at one fan speed (or at an air flow
// the caller sets), rated in cooling and heating at the conditions of a run,
// without any window. Each step can be called on its own, in the order a run
// takes them:
//   ImpostaModello        the model's coil copied into the state;
//   PuntoFanCoil /        the fan working point (air flow, free delivery,
//   PuntoMisto              working pressure and its prefix);
//   ControllaSingola /    the inputs of one pass checked and copied into the
//   ControllaMista          state (the mixed-air check also mixes the air);
//   PassoFreddo,          the cooling and heating passes: air properties,
//   PassoCaldo              results cleared, coefficients, rating;
//   PressioneSonora       sound pressure at the run's distance;
// or all of them as one grid row (RigaFanCoil, RigaMista).
//
// The unit works on the calculation state it is given and leaves in it the
// values of the last model rated, as a run does.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "catalogue/catalogo.h"
#include "engine/costanti.h"
#include "engine/stato.h"
#include "selection/unita/contesto.h"
#include "engine/ventilatori.h"
#include "selection/unita/condizioni.h"
#include "selection/unita/coppie.h"

namespace unita {

// The entry boxes an input check can send the user back to.
enum class Casella { Nessuna, Tsa1, Tw1, Tw2, Ur, Tsa1ric, Tsa1rin, Urric, Urrin };

// Result of an input check: passed, or the catalogue text of the message,
// the text that follows it and the box (of pass `passo`) to correct.
struct Esito {
  int testo = 0;
  const char* coda = "";
  Casella casella = Casella::Nessuna;
  int passo = 0;
  bool Passato() const { return testo == 0; }
  // The check's result as a run keeps it: 1 passed, 0 failed.
  int Valore() const { return Passato() ? 1 : 0; }
};

// The last coil pass of a rating: overall and water-side coefficients and
// the water's Reynolds number, and whether the rating converged.
struct UltimoPassaggio {
  float UGlobale = 0, HW = 0, ReW = 0;
  bool Accettato = false;
  static UltimoPassaggio DaStato(const motore::StatoCalcolo& s, bool accettato);
};

// Inlet air of the cooling pass as its check left it.
struct Ingresso {
  float Ta1 = 0, URAria1 = 0, TbuAria1 = 0, EntAria1 = 0, EntSat1 = 0;
  static Ingresso DaStato(const motore::StatoCalcolo& s);
};

// The results of the two passes of a row.
struct Rese {
  float PotFreddoTot = 0, PotFreddoSens = 0, QwFreddo = 0, Tw2Freddo = 0, DpwFreddo = 0, Ta2Freddo = 0;
  float PotCaldo = 0, QwCaldo = 0, Tw2Caldo = 0, DpwCaldo = 0, Ta2Caldo = 0;
  float URCalcolata = 0;  // leaving humidity of the last cooling rating, %
  bool Secca = false;     // the last cooling rating found a dry coil
  static Rese DaStato(const motore::StatoCalcolo& s);
};

// Coil coefficients of one pass.
struct CoeffPasso {
  float C30 = 0, C50 = 0, C100 = 0;
};

// Fan working point of a model at a speed.
struct PuntoLavoro {
  float PortataAria = 0;       // m3/s through the coil
  float PortataLibera = 0;     // free delivery of speed 1 at 0 Pa, m3/s
  float PressioneLavoro = 0;   // working static pressure, Pa; -1 unusable
  std::string Prefisso = " ";  // "> " before a capped pressure
  bool Utilizzabile = false;   // the run rates the model at this point
};

// One row of a run (or why there is none).
struct Riga {
  enum class Fine {
    Riga,     // a grid row
    Nessuna,  // the model gives no row (filtered, unusable, or only its cooling)
    Fermata,  // an input check failed: the run ends here
  };
  Fine fine = Fine::Nessuna;
  Esito esito;               // the last input check of the model
  bool controllata = false;  // at least one input check ran
  PuntoLavoro punto;
  Rese rese;
  Ingresso ingresso;                              // of the model's own cooling pass
  UltimoPassaggio freddo, caldo;                  // of the model's own passes
  float LWA = 0, PIN = 0, LWAIn = 0, LWAOut = 0;  // model data of the speed
  bool conLP = false;                             // the sound pressure was computed
  std::int32_t LP = 0;                            // sound pressure at the distance, whole dB(A)
};

class Valutazione {
 public:
  // The state and coil constants are the run's own (contesto.h); the
  // conditions and the accessory rows must outlive the unit.
  Valutazione(StatoCorsa& s, const motore::CostantiBatteria& c, const Condizioni& k,
              std::span<const motore::AccessorioDP> accessori = {});

  // --- Steps ---
  // Start of a run: the low water pressure drop flag cleared and the run's
  // static pressure put into the state.
  void IniziaCorsa();
  // Copies the model's coil into the state; false when its codes fall
  // outside the coefficient tables (it cannot be rated).
  bool ImpostaModello(const catalogo::DatiModello& d);
  // Fan-coil working point at speed v: the flow at the run's static pressure,
  // and the free delivery of speed 1; writes PortataAria and PortataLibera.
  PuntoLavoro PuntoFanCoil(const catalogo::DatiModello& d, int v);
  // Mixed-air working point at speed v from the state's PressioneUtile and
  // PortataTotale, with the drops of the ticked accessories; writes
  // PortataAria, PressioneLavoro, PortataLibera.
  PuntoLavoro PuntoMisto(const catalogo::DatiModello& d, int v);
  // Input check of pass p: single air inlet, or the return and fresh air
  // mixed for the total air flow q (m3/s). Writes the inputs of the pass.
  Esito ControllaSingola(int p);
  Esito ControllaMista(int p, float q);
  // The passes, after the check: air properties at the inlet, results of the
  // pass cleared, coefficients, face velocity, circuit length, air-side
  // coefficient, then the rating chosen by the given outlet temperature or
  // water flow. A cooling pass with no positive C30 keeps its results at
  // zero; a heating pass with no outlet temperature and no positive qw too.
  // True when the rating converged (its results written).
  bool PassoFreddo(const CoeffPasso& k);
  bool PassoCaldo(const CoeffPasso& k, double qw);
  void AzzeraFreddo();
  void AzzeraCaldo();
  // Sound pressure of a sound power lw at the run's distance and directivity.
  float PressioneSonora(float lw) const;

  // The input checks and the two passes of model m as a single-air run
  // rates them, at the air flow the state holds (after ImpostaModello and the
  // working point): 4-pipe pairing, cooling (or its partner's, rated just
  // before at the same speed v), heating (at the cooling water flow when the
  // conditions say so), coil coefficients of column `set`. A row without
  // sound; fine Nessuna for a model the pairing leaves out or that only cools.
  Riga PassiSingolaAria(const catalogo::DatiModello& d, int m, int v, int set);

  // --- Whole rows ---
  // Model m (data d) at speed v, as the fan-coil and mixed-air runs rate it;
  // a 4-pipe pair's row takes the cooling of the model rated just before.
  Riga RigaFanCoil(const catalogo::DatiModello& d, int m, int v);
  Riga RigaMista(const catalogo::DatiModello& d, int m, int v);

  StatoCorsa& stato() { return s_; }

 private:
  void ImpostaPassaggio(int p);
  bool LatoAria();
  Riga Chiudi(Riga r, const catalogo::DatiModello& d, int v, bool sempreLP);

  StatoCorsa& s_;
  const motore::CostantiBatteria& c_;
  const Condizioni& k_;
  std::span<const motore::AccessorioDP> accessori_;
  Coppie coppie_;
  float qwFreddo_ = 0;  // the water flow of the last cooling pass (heating as in cooling)
};

// What every row of an EC run carries, whatever gave its air flow (a
// required flow or a command level).
struct RigaEC {
  Riga::Fine fine = Riga::Fine::Nessuna;
  Esito esito;               // the last input check of the model
  bool controllata = false;  // at least one input check ran
  Rese rese;
  float LP = 0;  // sound pressure of the sound power shown, at the distance, dB(A)

  // Takes the outcome of the single-air passes; false when they ended the row.
  bool DaiPassi(const Riga& passi);
  // A whole row: the results of the run's state and the sound pressure of
  // sound power lw.
  void Chiudi(Valutazione& u, float lw);
};

}  // namespace unita
