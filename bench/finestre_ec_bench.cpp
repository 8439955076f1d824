// Whole runs of the "Advanced calc." EC windows under Qt's offscreen
// platform: every model of the sample KALVOEC and DVKBLDC series ("* All")
// rated at a required air flow, the grid filled.
#include <benchmark/benchmark.h>

#include "bench/programma_bench.h"
#include "core/ambiente.h"
#include "platform/form.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxxec.h"
#include "ui/finestre.h"
#include "ui/linee.h"

namespace {

void Esegui(benchmark::State& state, catalogo::Codice serie, const char* portata, const char* pressione) {
  ui::ApriLinea(serie);
  sel::FinestraSelezione& f = serie == catalogo::Codice::KALVOEC
                                  ? static_cast<sel::FinestraSelezione&>(sel::FDatiPEC())
                                  : static_cast<sel::FinestraSelezione&>(sel::FDatiPXXEC());
  f.cboModel->SetListIndex(0);
  f.txtqatot->SetText(QString::fromLatin1(portata));
  f.txtpsu->SetText(QString::fromLatin1(pressione));
  for (auto _ : state) {
    f.cmdCalcola_Click();
    benchmark::DoNotOptimize(f.Grd->Rows());
  }
  state.counters["righe"] = f.Grd->Rows() - 2;
}

// Fan coils at 400 m3/h and 20 Pa: the sizes that reach it, curve search,
// interpolation, cooling and heating, one row each.
void SerieKALVOEC(benchmark::State& state) { Esegui(state, catalogo::Codice::KALVOEC, "400", "20"); }
BENCHMARK(SerieKALVOEC)->Unit(benchmark::kMillisecond);

// Ducted units at 600 m3/h and 50 Pa.
void SerieDVKBLDC(benchmark::State& state) { Esegui(state, catalogo::Codice::DVKBLDC, "600", "50"); }
BENCHMARK(SerieDVKBLDC)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return banco::EseguiNelProgramma(argc, argv); }
