// A whole run of the mixed-air selection window: the sample DVK series at
// every speed, with two accessories ticked, under Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include "bench/programma_bench.h"
#include "core/ambiente.h"
#include "platform/form.h"
#include "selection/fdatipxx.h"
#include "ui/finestre.h"

namespace {

sel::FormDatiPXX& FinestraDVK(std::initializer_list<int> accessori) {
  sel::FormDatiPXX& f = sel::FDatiPXX();
  if (f.serie != QLatin1String("DVK")) {
    ui::Fmenu().mnuprod_Click(2);
  }
  sel::FormDatiPXX& g = sel::FDatiPXX();
  for (int i = 1; i <= 10; ++i) g.chkAcc(i)->SetValue(0);
  for (int i : accessori) g.chkAcc(i)->SetValue(1);
  g.cboModel->SetListIndex(0);
  g.cboVel->SetListIndex(0);
  g.txtpsu->SetText(QStringLiteral("30"));
  return g;
}

void Esegui(benchmark::State& state, std::initializer_list<int> accessori) {
  sel::FormDatiPXX& f = FinestraDVK(accessori);
  for (auto _ : state) {
    f.cmdCalcola_Click();
    benchmark::DoNotOptimize(f.Grd->Rows());
  }
  state.counters["righe"] = f.Grd->Rows() - 2;
}

// Two plenums: every base model rated in cooling and heating, one row each
// at each of the seven speeds.
void SerieDVKDuePlenum(benchmark::State& state) { Esegui(state, {2, 3}); }
BENCHMARK(SerieDVKDuePlenum)->Unit(benchmark::kMillisecond);

// Additional coil and a plenum: the base models cool, the "4P" units heat
// and give the rows.
void SerieDVKQuattroTubiEPlenum(benchmark::State& state) { Esegui(state, {1, 2}); }
BENCHMARK(SerieDVKQuattroTubiEPlenum)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return banco::EseguiNelProgramma(argc, argv); }
