// Costs of the engine's building blocks: single coil passes, psychrometric
// searches, glycol-water properties.
#include <benchmark/benchmark.h>

#include "engine/motore.h"
#include "tools/banco_prova.h"

using namespace motore;

namespace {

// The example fan coil at 340 m3/h, 500 x 200 mm, 3 rows, 2 circuits, set
// up for a single pass at the converged state of the standard conditions.
struct Banco : prova::BancoProva {
  Banco() { Modello({}, 340); }
  void Caldo() {
    prova::CondizioniCaldo k;
    Riscalda(k);  // leaves the state of the converged pass
  }
  void Freddo(Flag secca) {
    prova::CondizioniFreddo k;
    k.UR = UmiditaRelativa(27, 19);
    Raffredda(k);
    s.FlagSecca = secca;
  }
};

void PassaggioCaldo(benchmark::State& state) {
  Banco b;
  b.Caldo();
  for (auto _ : state) {
    CalcolaBatteriaCaldo(b.s, b.c);
    benchmark::DoNotOptimize(b.s.QBatteria);
  }
}
BENCHMARK(PassaggioCaldo);

void PassaggioFreddoUmido(benchmark::State& state) {
  Banco b;
  b.Freddo(Falso);
  for (auto _ : state) {
    CalcolaBatteriaFreddo(b.s, b.c);
    benchmark::DoNotOptimize(b.s.QBatteria);
  }
}
BENCHMARK(PassaggioFreddoUmido);

void PassaggioFreddoSecco(benchmark::State& state) {
  Banco b;
  b.Freddo(Vero);
  for (auto _ : state) {
    CalcolaBatteriaFreddo(b.s, b.c);
    benchmark::DoNotOptimize(b.s.QBatteria);
  }
}
BENCHMARK(PassaggioFreddoSecco);

void RicercaBulboUmidoDaUR(benchmark::State& state) {
  StatoCalcolo s;
  for (auto _ : state) benchmark::DoNotOptimize(BulboUmidoDaUR(27, 47, s));
}
BENCHMARK(RicercaBulboUmidoDaUR);

void RicercaBulboUmidoDaX(benchmark::State& state) {
  const float w = UmiditaSpecifica(27, 19);
  for (auto _ : state) benchmark::DoNotOptimize(BulboUmidoDaX(27, w));
}
BENCHMARK(RicercaBulboUmidoDaX);

void RicercaTempDaEntalpiaSat(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TempDaEntalpiaSat(38.5f));
}
BENCHMARK(RicercaTempDaEntalpiaSat);

// The four glycol routines as a rating calls them, at a fixed share.
void ProprietaGlicole(benchmark::State& state) {
  float t = 9.5f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ViscGlicole(t, 30));
    benchmark::DoNotOptimize(ConducGlicole(t, 30));
    benchmark::DoNotOptimize(DensGlicole(t, 30));
    benchmark::DoNotOptimize(CpGlicole(t, 30));
    t = t < 12 ? t + 0.01f : 9.5f;
  }
}
BENCHMARK(ProprietaGlicole);

// The same with the share changing at every call (no reuse of the series).
void ProprietaGlicoleQuotaVariabile(benchmark::State& state) {
  float x = 20;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ViscGlicole(10, x));
    benchmark::DoNotOptimize(ConducGlicole(10, x));
    benchmark::DoNotOptimize(DensGlicole(10, x));
    benchmark::DoNotOptimize(CpGlicole(10, x));
    x = x < 40 ? x + 0.5f : 20;
  }
}
BENCHMARK(ProprietaGlicoleQuotaVariabile);

void ProprietaAcqua(benchmark::State& state) {
  float t = 9.5f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ViscAcqua(t));
    benchmark::DoNotOptimize(ConducAcqua(t));
    benchmark::DoNotOptimize(DensAcqua(t));
    benchmark::DoNotOptimize(CpAcqua(t));
    t = t < 12 ? t + 0.01f : 9.5f;
  }
}
BENCHMARK(ProprietaAcqua);

// Whole ratings of the example fan coil at the standard conditions.
void ValutazioneFreddo(benchmark::State& state) {
  prova::BancoProva b;
  b.Modello({}, 340);
  prova::CondizioniFreddo k;
  k.UR = UmiditaRelativa(27, 19);
  for (auto _ : state) benchmark::DoNotOptimize(b.Raffredda(k));
}
BENCHMARK(ValutazioneFreddo);

void ValutazioneFreddoPortataData(benchmark::State& state) {
  prova::BancoProva b;
  b.Modello({}, 340);
  prova::CondizioniFreddo k;
  k.UR = UmiditaRelativa(27, 19);
  k.Tw2Dato = 0;
  k.QwDato = 9.65e-5f;
  for (auto _ : state) benchmark::DoNotOptimize(b.Raffredda(k));
}
BENCHMARK(ValutazioneFreddoPortataData);

void ValutazioneCaldo(benchmark::State& state) {
  prova::BancoProva b;
  b.Modello({}, 340);
  const prova::CondizioniCaldo k;
  for (auto _ : state) benchmark::DoNotOptimize(b.Riscalda(k));
}
BENCHMARK(ValutazioneCaldo);

void ValutazioneCaldoPortataData(benchmark::State& state) {
  prova::BancoProva b;
  b.Modello({}, 340);
  prova::CondizioniCaldo k;
  k.Tw2Dato = 0;
  k.QwDato = 1.08e-4f;
  for (auto _ : state) benchmark::DoNotOptimize(b.Riscalda(k));
}
BENCHMARK(ValutazioneCaldoPortataData);

// A whole series as a selection run rates it, without window or database:
// 8 fan-coil sizes at 3 speeds, each finding its air flow on the fan curve,
// then a cooling and a heating rating and the sound pressure.
struct Taglia {
  prova::ModelloProva modello;
  float liberaMax;  // free delivery at top speed, m3/h
  float lw;         // sound power at top speed, dB(A)
};

const Taglia kSerie[] = {
    {{3, 2, 450, 200, 3, 2, 33, 33, 0.7f, 1}, 330, 42},
    {{3, 2, 500, 200, 3, 2, 35, 35, 0.7f, 1}, 390, 44},
    {{3, 2, 600, 200, 3, 2, 35, 35, 0.7f, 1}, 480, 46},
    {{3, 2, 700, 250, 3, 3, 35, 35, 0.7f, 1}, 600, 47},
    {{3, 2, 800, 250, 3, 3, 36, 36, 0.7f, 1}, 740, 49},
    {{3, 2, 1000, 250, 3, 4, 36, 36, 0.7f, 1}, 970, 51},
    {{3, 2, 1100, 300, 3, 4, 37, 37, 0.7f, 1}, 1150, 53},
    {{3, 2, 1200, 300, 3, 4, 37, 37, 0.7f, 1}, 1370, 55},
};

void SerieCompleta(benchmark::State& state) {
  prova::BancoProva b;
  prova::CondizioniFreddo freddo;
  freddo.UR = UmiditaRelativa(27, 19);
  const prova::CondizioniCaldo caldo;
  const float quotaVelocita[] = {0.6f, 0.8f, 1.0f};
  float somma = 0;
  for (auto _ : state) {
    int righe = 0;
    for (float quota : quotaVelocita) {
      for (const Taglia& t : kSerie) {
        // Fan curve of the speed: shut-off 20 to 60 Pa, free delivery by speed.
        const float libera = t.liberaMax * quota;
        const float chiusura = 20 + 40 * quota;
        const CurvaVentilatore curva{-chiusura / (libera * libera), 0, chiusura};
        const auto q = PortataDaPressione(0, curva);
        const auto q0 = PortataDaPressione(10, curva);
        if (!q || !q0) continue;
        b.Modello(t.modello, *q0);
        b.s.PortataLibera = *q / 3600;
        b.Raffredda(freddo);
        b.Riscalda(caldo);
        somma += b.s.PotFreddoTot + b.s.PotCaldo + CalcolaPressioneSonora(t.lw, 1, 2);
        ++righe;
      }
    }
    if (righe != 24) state.SkipWithError("a model was not rated");
  }
  benchmark::DoNotOptimize(somma);
}
BENCHMARK(SerieCompleta)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
