// Whole runs of the "Advanced calc." EC windows under Qt's offscreen
// platform: every model of the sample KALVOEC and DVKBLDC series ("* All")
// rated at a required air flow, the grid filled.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "core/ambiente.h"
#include "platform/form.h"
#include "platform/messaggi.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxxec.h"
#include "ui/avvio.h"
#include "ui/finestre.h"
#include "ui/linee.h"

namespace {

// Messages of the run (the low water pressure drop warning) are not shown.
class Silenzio : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio&) override {}
};

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

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  if (!dir.isValid() || !QFile::copy(PROGRAM_DIR_BENCH "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb"))) return 1;
  QFile ini(dir.filePath("Mistrel2013.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return 1;
  ini.write("[Common]\r\nMulti= 1\r\n[Unmis]\r\nQa= 2\r\nQw= 1\r\n");
  ini.close();
  Silenzio silenzio;
  plat::ImpostaPresentatore(&silenzio);
  if (ui::Avvia(QString(), dir.path()) != 0) return 1;
  core::imp.SepDec = ".";
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  plat::Forms::Svuota();
  plat::ImpostaPresentatore(nullptr);
  return 0;
}
