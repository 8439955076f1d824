// Costs of the engine's building blocks: single coil passes, psychrometric
// searches, glycol-water properties.
#include <benchmark/benchmark.h>

#include "engine/motore.h"

using namespace motore;

namespace {

// The example fan coil at 340 m3/h, 500 x 200 mm, 3 rows, 2 circuits.
struct Banco {
    CostantiBatteria c;
    StatoCalcolo s;
    Banco() {
        ImpostaCostantiKalvo(c);
        s.TipoTransizione = 2;
        s.GeomCorrente = 3;
        s.PassoCorrente = 2;
        s.NumeroRanghi = 3;
        s.NumeroCircuiti = 2;
        s.LunghezzaBatteria = 0.5f;
        s.AltezzaBatteria = 0.2f;
        s.SuperficieFrontale = 0.1f;
        s.EspAria1 = c.TabEspAria1[3];
        s.EspAria5 = c.TabEspAria5[3];
        s.EspAria6 = c.TabEspAria6[3];
        s.PortataAria = 340.0f / 3600.0f;
        s.VelocitaAria = s.PortataAria / s.SuperficieFrontale;
        s.CoeffC30 = 35;
        s.HA = CoeffLatoAria(3, s.VelocitaAria, 3, c.TabPassoAlette[2], s, c);
    }
    void Acqua(float tw1, float tw2, double qw) {
        s.Tw1 = tw1;
        s.Tw2 = tw2;
        s.QwCalcolo = qw;
        s.TwMedia = (tw1 + tw2) / 2;
        s.CpW = CpAcqua(s.TwMedia);
        s.RhoW = DensAcqua(s.TwMedia);
        s.MuW = ViscAcqua(s.TwMedia);
        s.LambdaW = ConducAcqua(s.TwMedia);
        s.PrW = s.CpW * s.MuW * 3600 / (s.LambdaW * 3.6f);
    }
    void Freddo(Flag secca) {
        s.FlagPassaggio = 0;
        s.Ta1 = 27;
        s.URAria1 = 47;
        s.RhoA = DensitaAria(27, 47);
        s.CpA = CpAria(27);
        s.TbuAria1 = BulboUmidoDaUR(27, 47, s);
        s.EntAria1 = EntalpiaAria(s.TbuAria1, 27);
        s.EntSat1 = EntalpiaAria(7, 7);
        s.EntSat2 = EntalpiaAria(12, 12);
        s.FlagSecca = secca;
        Acqua(7, 12, 9.6e-5);
        s.PendenzaSat = PendenzaEntalpiaSat(s.TwMedia);
    }
};

void PassaggioCaldo(benchmark::State& state) {
    Banco b;
    b.s.FlagPassaggio = 1;
    b.s.Ta1 = 20;
    b.s.RhoA = DensitaAria(20, 0);
    b.s.CpA = CpAria(20);
    b.Acqua(70, 60, 1.07e-4);
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
    InizializzaTabelleGlicole();
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
    InizializzaTabelleGlicole();
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

}  // namespace

BENCHMARK_MAIN();
