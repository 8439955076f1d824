// One step of the fan-curve chart's scroll bar, as a drag makes it: the
// working point moved one air-flow step, the chart redrawn and the calling
// window's selection rerun for its one model.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <span>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "engine/ventilatori.h"
#include "platform/form.h"
#include "platform/messaggi.h"
#include "selection/fdatipxx.h"
#include "selection/grafico.h"
#include "selection/unita/contesto.h"
#include "ui/avvio.h"
#include "ui/fgrafico.h"
#include "ui/finestre.h"

namespace {

class Silenzio : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio&) override {}
};

void Prepara(QTemporaryDir& dir) {
  QFile::copy(PROGRAM_DIR_BENCH "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb"));
  QFile f(dir.filePath("Mistrel2013.ini"));
  f.open(QIODevice::WriteOnly);
  f.write("[Common]\r\nMulti= 1\r\n[Unmis]\r\nQa= 2\r\nQw= 1\r\n");
}

// The sample DVK series' "DVK 15 4P" (rated with its pair) at its second
// speed, an accessory ticked: every fan-curve point of the chart takes its
// drop off.
void BM_PassoDelGrafico(benchmark::State& state) {
  QTemporaryDir dir;
  Prepara(dir);
  Silenzio silenzio;
  plat::ImpostaPresentatore(&silenzio);
  ui::Avvia(QString(), dir.path());
  ui::Fmenu().mnuprod_Click(2);
  sel::FormDatiPXX& f = sel::FDatiPXX();
  f.chkAcc(1)->SetValue(1);
  f.cboModel->SetListIndex(4);
  f.cboVel->SetListIndex(2);
  f.txtpsu->SetText(QStringLiteral("30"));
  f.txtqatot->SetText(QStringLiteral("0"));
  f.cmdCalcola_Click();
  sel::ChiamanteSelezione c(f);
  std::array<bool, 10> spunte{};
  c.perdite = [&f, &spunte](int m, float qa) {
    const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
    for (int i = 1; i <= cat.NAcc; ++i) spunte[i - 1] = f.chkAcc(i)->Value() != 0;
    const motore::AccessoriModello acc{std::span(cat.Accessori.data() + 1, cat.NAcc),
                                       std::span<const bool>(spunte.data(), cat.NAcc), cat.Modelli[m].Sezione,
                                       cat.Modelli[m].Bocche};
    motore::StatoCalcolo s;
    return motore::SommaPerditeAccessori(0, acc, qa, s);
  };
  unita::Stato().CurvaRiferimento = 2;
  sel::ConsegnaGrafico(c, 30, QStringLiteral("500"), 2);
  ui::FormGrafico& g = ui::FGrafico();
  const int base = g.VScroll2->Value();
  int passo = 0;
  for (auto _ : state) {
    g.VScroll2->SetValue(base + (++passo % 2));
    benchmark::DoNotOptimize(f.Grd->Rows());
  }
  state.counters["punti"] = static_cast<double>(g.pctCurva->Registro().size());
  state.counters["righe"] = f.Grd->Rows() - 2;
  plat::Forms::Svuota();
  plat::ImpostaPresentatore(nullptr);
}

BENCHMARK(BM_PassoDelGrafico)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
