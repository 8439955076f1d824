// One step of the fan-curve chart's scroll bar, as a drag makes it: the
// working point moved one air-flow step, the calling window's selection
// rerun for its one model and the chart redrawn.
#include <benchmark/benchmark.h>

#include "bench/programma_bench.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxxec.h"
#include "ui/fgrafico.h"
#include "ui/linee.h"

namespace {

// Runs the window for one model after the other (from the first) until one
// is rated at the working point, then opens its chart and moves the point
// one step at a time.
void Passo(benchmark::State& state, sel::FinestraSelezione& f, const char* portata, const char* pressione) {
  f.txtqatot->SetText(QString::fromLatin1(portata));
  f.txtpsu->SetText(QString::fromLatin1(pressione));
  for (int m = 1; m < f.cboModel->ListCount(); ++m) {
    f.cboModel->SetListIndex(m);
    f.cmdCalcola_Click();
    if (f.Grd->Rows() == 3) break;
  }
  f.cmdGrafico->click();
  ui::FormGrafico* g = ui::FGrafico.SeCaricata();
  if (!g || f.Grd->Rows() != 3) {
    state.SkipWithError("no model rated, or the chart did not open");
    return;
  }
  const int base = g->VScroll2->Value();
  int passo = 0;
  for (auto _ : state) {
    g->VScroll2->SetValue(base - (++passo % 2));
    benchmark::DoNotOptimize(f.Grd->Rows());
  }
  state.counters["punti"] = static_cast<double>(g->pctCurva->Registro().size());
  state.counters["righe"] = f.Grd->Rows() - 2;
  g->Scarica();
}

// A fan coil at 450 m3/h and 35 Pa.
void PassoKALVOEC(benchmark::State& state) {
  ui::ApriLinea(catalogo::Codice::KALVOEC);
  Passo(state, sel::FDatiPEC(), "450", "35");
}
BENCHMARK(PassoKALVOEC)->Unit(benchmark::kMillisecond);

// A thermo-ventilating unit at 700 m3/h and 40 Pa with its filter ticked:
// every fan-curve point of the chart takes the filter's drop off.
void PassoRMBBLDC(benchmark::State& state) {
  ui::ApriLinea(catalogo::Codice::RMBBLDC);
  sel::FormDatiPXXEC& f = sel::FDatiPXXEC();
  f.chkAcc(2)->SetValue(1);
  Passo(state, f, "700", "40");
}
BENCHMARK(PassoRMBBLDC)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return banco::EseguiNelProgramma(argc, argv); }
