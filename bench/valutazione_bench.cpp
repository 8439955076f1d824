// A whole series rated through the rating unit, without any window: every
// model of the sample KALVO series at every speed, cooling and heating, at
// the standard conditions (water outlet temperatures given, or water flows).
#include <benchmark/benchmark.h>

#include "selection/unita/valutazione.h"
#include "tools/serie_senza_finestre.h"
#include "selection/unita/contesto.h"

namespace {

void BM_SerieKalvoTutteLeVelocita(benchmark::State& state, bool portataData) {
  strumenti::SerieSenzaFinestre serie;
  if (!serie.Carica(PROGRAM_DIR_BENCH, "KALVO")) {
    state.SkipWithError("the KALVO series cannot be loaded");
    return;
  }
  unita::Condizioni k = strumenti::SerieSenzaFinestre::Standard();
  if (portataData) {
    k.Tw2 = {0, 0};
    k.Qw = {600 / 3600000.0f, 300 / 3600000.0f};
  }
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  unita::StatoCorsa stato = unita::StatoIniziale();
  int righe = 0;
  for (auto _ : state) {
    unita::Valutazione u(stato, serie.costanti, k);
    u.IniziaCorsa();
    righe = 0;
    for (int v = 1; v <= 3; ++v)
      for (int m = 1; m <= cat.NModelli; ++m)
        if (u.RigaFanCoil(cat.Modelli[m], m, v).fine == unita::Riga::Fine::Riga) ++righe;
    benchmark::DoNotOptimize(righe);
  }
  state.counters["righe"] = righe;
}

BENCHMARK_CAPTURE(BM_SerieKalvoTutteLeVelocita, acqua_7_12_70_60, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SerieKalvoTutteLeVelocita, portata_data, true)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
