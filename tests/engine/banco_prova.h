// A rating bench: sets up the calculation state for one model and pass the
// way a selection run does, so that tests and benchmarks can call the
// rating iterations on a plain model without any window or database.
#pragma once

#include <cstdint>

#include "engine/motore.h"

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
    StatoCalcolo s;

    BancoProva() {
        ImpostaCostantiKalvo(c);
        s.TipoTransizione = 2;
    }

    // The model's set-up and the working air flow in m3/h.
    void Modello(const ModelloProva& m, float portataM3h) {
        modello_ = m;
        s.GeomCorrente = m.Geom;
        s.PassoCorrente = m.Passo;
        s.LunghezzaBatteria = m.LunBat / 1000;
        s.AltezzaBatteria = m.AltBat / 1000;
        s.SuperficieFrontale = s.AltezzaBatteria * s.LunghezzaBatteria;
        s.NumeroCircuiti = m.NC;
        s.NumeroRanghi = m.NR;
        const int g = m.Geom >= 0 && m.Geom < NumGeometrie ? m.Geom : 0;
        s.EspAria1 = c.TabEspAria1[g];
        s.EspAria3 = c.TabEspAria3[g];
        s.EspAria4 = c.TabEspAria4[g];
        s.EspAria5 = c.TabEspAria5[g];
        s.EspAria6 = c.TabEspAria6[g];
        s.PortataAria = portataM3h / 3600;
        s.NumeroTubi = ConvertiIntero<std::int16_t>(
            static_cast<double>(s.AltezzaBatteria) / c.PassoTubi * s.NumeroRanghi);
        c.DiametroTubo = 0.0094f;
    }

    // Inputs of the cooling pass and its set-up; then the rating.
    bool Raffredda(const CondizioniFreddo& k) {
        s.FlagPassaggio = 0;
        s.Ta1 = k.Ta1;
        s.Tw1 = k.Tw1;
        s.Tw2Dato = k.Tw2Dato;
        s.QwDato = k.QwDato;
        s.PercGlicole = k.Glicole;
        s.URAria1 = k.UR;
        s.EntSat1 = EntalpiaAria(s.Tw1, s.Tw1);
        s.TbuAria1 = BulboUmidoDaUR(s.Ta1, s.URAria1, s);
        s.EntAria1 = EntalpiaAria(s.TbuAria1, s.Ta1);
        s.RhoA = DensitaAria(s.Ta1, s.URAria1);
        s.CpA = CpAria(s.Ta1);
        s.QwFreddo = s.Tw2Freddo = s.DpwFreddo = s.PotFreddoTot = s.PotFreddoSens = s.Ta2Freddo = 0;
        s.CoeffC50 = modello_.CC50;
        s.CoeffC100 = modello_.C100;
        s.CoeffC30 = modello_.FC30;
        LatoAria();
        if (s.Tw2Dato > 0) {
            s.Tw2 = s.Tw2Dato;
            return CalcolaFreddo2(s, c);
        }
        s.QwCalcolo = s.QwDato;
        return CalcolaFreddo1(s, c);
    }

    // Inputs of the heating pass and its set-up; then the rating.
    bool Riscalda(const CondizioniCaldo& k) {
        s.FlagPassaggio = 1;
        s.Ta1 = k.Ta1;
        s.Tw1 = k.Tw1;
        s.Tw2Dato = k.Tw2Dato;
        s.QwDato = k.QwDato;
        s.PercGlicole = k.Glicole;
        s.URAria1 = 0;
        s.RhoA = DensitaAria(s.Ta1, s.URAria1);
        s.CpA = CpAria(s.Ta1);
        s.CoeffC50 = modello_.CC50;
        s.CoeffC30 = modello_.CC30;
        LatoAria();
        s.PotCaldo = s.QwCaldo = s.Tw2Caldo = s.DpwCaldo = s.Ta2Caldo = 0;
        if (s.Tw2Dato > 0) {
            s.Tw2 = s.Tw2Dato;
            return CalcolaCaldo2(s, c);
        }
        s.QwCalcolo = s.QwDato;
        return CalcolaCaldo1(s, c);
    }

private:
    void LatoAria() {
        s.VelocitaAria = s.PortataAria / s.SuperficieFrontale;
        s.LunghezzaCircuito = CalcolaLunghezzaCircuito(s.NumeroTubi, s, c);
        const std::int16_t passo =
            s.PassoCorrente >= 0 && s.PassoCorrente < NumPassi ? c.TabPassoAlette[s.PassoCorrente] : 0;
        s.HA = CoeffLatoAria(s.NumeroRanghi, s.VelocitaAria, s.GeomCorrente, passo, s, c);
    }

    ModelloProva modello_;
};

}  // namespace motore::prova
