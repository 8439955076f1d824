// A rating bench: sets up the calculation state for one model and pass
// through the rating unit's steps, as a selection run does, so that tests
// and benchmarks can call the rating iterations on a plain model without any
// window or database.
#pragma once

#include <cstdint>

#include "catalogue/catalogo.h"
#include "engine/motore.h"
#include "selection/unita/valutazione.h"

namespace motore::prova {

// One model: coil size in mm, rows, circuits, geometry and fin-pitch codes,
// coil coefficients of the cooling (FC30) and heating (CC30) passes.
struct ModelloProva {
  std::int16_t Geom = 3;
  std::int16_t Passo = 2;
  float LunBat = 500;
  float AltBat = 200;
  float NR = 3;
  float NC = 2;
  float FC30 = 35;
  float CC30 = 35;
  float C100 = 0.7f;
  float CC50 = 1;
};

struct CondizioniFreddo {
  float Ta1 = 27, UR = 46.8f, Tw1 = 7, Tw2Dato = 12, QwDato = 0, Glicole = 0;
};

struct CondizioniCaldo {
  float Ta1 = 20, Tw1 = 70, Tw2Dato = 60, QwDato = 0, Glicole = 0;
};

class BancoProva {
 public:
  CostantiBatteria c;
  unita::StatoCorsa s;

  BancoProva() {
    ImpostaCostantiKalvo(c);
    s.TipoTransizione = 2;
    k_.SenzaLimiti = true;  // the bench sets what it likes
  }

  // The model's set-up, as a run copies it, and the working air flow in m3/h.
  void Modello(const ModelloProva& m, float portataM3h) {
    modello_ = m;
    catalogo::DatiModello d;
    d.Geom = m.Geom;
    d.Passo = m.Passo;
    d.LunBat = m.LunBat;
    d.AltBat = m.AltBat;
    d.NR = m.NR;
    d.NC = m.NC;
    c.DiametroTubo = 0.0094f;
    unita::Valutazione(s, c, k_).ImpostaModello(d);
    s.PortataAria = portataM3h / 3600;
  }

  // Inputs of the cooling pass and its set-up; then the rating.
  bool Raffredda(const CondizioniFreddo& k) {
    k_.TaRicircolo[unita::kFreddo] = k.Ta1;
    k_.URRicircolo = k.UR;
    Acqua(unita::kFreddo, k.Tw1, k.Tw2Dato, k.QwDato, k.Glicole);
    unita::Valutazione u(s, c, k_);
    s.FlagPassaggio = 0;
    u.ControllaSingola(unita::kFreddo);
    return u.PassoFreddo({modello_.FC30, modello_.CC50, modello_.C100});
  }

  // Inputs of the heating pass and its set-up; then the rating.
  bool Riscalda(const CondizioniCaldo& k) {
    k_.TaRicircolo[unita::kCaldo] = k.Ta1;
    Acqua(unita::kCaldo, k.Tw1, k.Tw2Dato, k.QwDato, k.Glicole);
    unita::Valutazione u(s, c, k_);
    s.FlagPassaggio = 1;
    u.ControllaSingola(unita::kCaldo);
    return u.PassoCaldo({modello_.CC30, modello_.CC50, 0}, s.QwDato);
  }

 private:
  void Acqua(int p, float tw1, float tw2, float qw, float glicole) {
    k_.Tw1[p] = tw1;
    k_.Tw2[p] = tw2;
    k_.Qw[p] = qw;
    k_.PercGlicole = glicole;
  }

  ModelloProva modello_;
  unita::Condizioni k_;
};

}  // namespace motore::prova
