// Whole runs of the "Easy calc." EC windows under Qt's offscreen platform:
// every model of the sample KALVOEC and DVKBLDC series ("* All") rated at a
// command level, the air flow searched for each, the grid filled.
#include <benchmark/benchmark.h>

#include "bench/programma_bench.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxxec.h"
#include "ui/linee.h"

namespace {

void Esegui(benchmark::State& state, catalogo::Codice serie, int livello, const char* pressione,
            std::initializer_list<int> accessori) {
  ui::ApriLinea(serie, true);
  sel::FinestraSelezione* f = nullptr;
  if (serie == catalogo::Codice::KALVOEC) {
    f = &sel::FDatiPEC_VFIX();
    sel::FDatiPEC_VFIX().cboVel->SetListIndex(livello);
  } else {
    f = &sel::FDatiPXXEC_VFIX();
    sel::FDatiPXXEC_VFIX().cboVel->SetListIndex(livello);
    for (int i = 1; i <= 10; ++i) f->chkAcc(i)->SetValue(0);
    for (int i : accessori) f->chkAcc(i)->SetValue(1);
  }
  f->cboModel->SetListIndex(0);
  f->txtpsu->SetText(QString::fromLatin1(pressione));
  for (auto _ : state) {
    f->cmdCalcola_Click();
    benchmark::DoNotOptimize(f->Grd->Rows());
  }
  state.counters["righe"] = f->Grd->Rows() - 2;
}

// Fan coils at "Max" and 0 Pa.
void SerieKALVOECMax(benchmark::State& state) { Esegui(state, catalogo::Codice::KALVOEC, 2, "0", {}); }
BENCHMARK(SerieKALVOECMax)->Unit(benchmark::kMillisecond);

// Ducted units at "Max" and 50 Pa with the additional coil and the plenum:
// the drops worked out at every tried air flow.
void SerieDVKBLDCMaxDueAccessori(benchmark::State& state) {
  Esegui(state, catalogo::Codice::DVKBLDC, 2, "50", {1, 2});
}
BENCHMARK(SerieDVKBLDCMaxDueAccessori)->Unit(benchmark::kMillisecond);

// "Min" steps the air flow down furthest; at 50 Pa no ducted unit reaches
// it, so every search runs down to zero flow.
void SerieKALVOECMin(benchmark::State& state) { Esegui(state, catalogo::Codice::KALVOEC, 0, "0", {}); }
BENCHMARK(SerieKALVOECMin)->Unit(benchmark::kMillisecond);
void SerieDVKBLDCMinDueAccessori(benchmark::State& state) {
  Esegui(state, catalogo::Codice::DVKBLDC, 0, "50", {1, 2});
}
BENCHMARK(SerieDVKBLDCMinDueAccessori)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return banco::EseguiNelProgramma(argc, argv); }
