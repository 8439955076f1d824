// A whole run of the mixed-air selection window: the sample DVK series at
// every speed, with two accessories ticked, under Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "core/ambiente.h"
#include "platform/form.h"
#include "platform/messaggi.h"
#include "selection/fdatipxx.h"
#include "ui/avvio.h"
#include "ui/finestre.h"

namespace {

// Messages of the run (the low water pressure drop warning) are not shown.
class Silenzio : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio&) override {}
};

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
