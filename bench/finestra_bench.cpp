// A whole selection run through the fan-coil window, as the user starts it:
// every model of the sample series at every speed, the grid filled.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "core/ambiente.h"
#include "platform/messaggi.h"
#include "selection/fdatip.h"
#include "ui/avvio.h"
#include "ui/finestre.h"

namespace {

class Silenzioso : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio&) override {}
};

void Prepara(QTemporaryDir& dir) {
  QFile::copy(PROGRAM_DIR_BENCH "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb"));
  QFile f(dir.filePath("Mistrel2013.ini"));
  f.open(QIODevice::WriteOnly);
  f.write("[Common]\r\nMulti= 1\r\n[Unmis]\r\nQa= 2\r\nQw= 1\r\n");
}

void BM_CalcoloFanCoilTutteLeVelocita(benchmark::State& state, const char* uscitaAcqua) {
  QTemporaryDir dir;
  Prepara(dir);
  Silenzioso silenzio;
  plat::ImpostaPresentatore(&silenzio);
  ui::Avvia(QString(), dir.path());
  ui::Fmenu().mnuprod_Click(0);
  sel::FormDatiP& f = sel::FDatiP();
  f.cboVel->SetListIndex(0);
  f.txtTw2(0)->SetText(QString::fromLatin1(uscitaAcqua));
  for (auto _ : state) {
    f.cmdCalcola_Click();
    benchmark::DoNotOptimize(f.Grd->Rows());
  }
  state.counters["righe"] = f.Grd->Rows() - 2;
  plat::Forms::Svuota();
  plat::ImpostaPresentatore(nullptr);
}

BENCHMARK_CAPTURE(BM_CalcoloFanCoilTutteLeVelocita, acqua_7_12, "12")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CalcoloFanCoilTutteLeVelocita, acqua_7_17, "17")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
