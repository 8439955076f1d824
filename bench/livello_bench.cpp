// Whole fixed-level runs of the sample EC series at "Max" and "Min": every
// fan-coil model at 0 Pa, and every ducted model at 50 Pa with the additional
// coil and the plenum ticked (their drops worked out at each tried air flow).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "catalogue/catalogo.h"
#include "platform/form.h"
#include "platform/lista_voci.h"
#include "platform/messaggi.h"
#include "selection/unita/contesto.h"
#include "selection/unita/corsa_livello.h"
#include "ui/avvio.h"
#include "ui/linee.h"

namespace {

class Silenzio : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio&) override {}
};

class Lista : public plat::ListaVoci {
 public:
  void Svuota() override {}
  void Aggiungi(const std::string&) override {}
  void Seleziona(int) override {}
};

unita::Condizioni Predefinite() {
  unita::Condizioni k;
  k.TaRicircolo = k.TaRinnovo = {27, 20};
  k.URRicircolo = k.URRinnovo = 47;
  k.Tw1 = {7, 70};
  k.Tw2 = {12, 60};
  k.Distanza = 2;
  k.Direttivita = 2;
  return k;
}

void Esegui(benchmark::State& state, const char* serie, const unita::Condizioni& k, int livello) {
  Lista lista;
  catalogo::Catalogo().SerieCorrente = serie;
  unita::Stato().TipoTransizione = 2;  // as every opener of a product line sets it
  if (!ui::CaricaSerie(serie, lista)) {
    state.SkipWithError("series not loaded");
    return;
  }
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  const bool mista = std::string(serie) != "KALVOEC";
  const std::span<const motore::AccessorioDP> acc(cat.Accessori.data() + 1,
                                                  static_cast<std::size_t>(cat.NAcc));
  int righe = 0;
  for (auto _ : state) {
    unita::Valutazione u(unita::Stato(), unita::Costanti(), k, acc);
    u.IniziaCorsa();
    unita::CorsaLivello corsa(u, k, acc, mista, unita::LivelloComando(livello));
    righe = 0;
    for (int m = 1; m <= cat.NModelli; ++m)
      righe += corsa.Modello(cat.Modelli[m], m).fine == unita::Riga::Fine::Riga;
    benchmark::DoNotOptimize(righe);
  }
  state.counters["righe"] = righe;
}

unita::Condizioni DueAccessori() {
  unita::Condizioni k = Predefinite();
  k.PressioneUtile = k.PressioneCasella = 50;
  k.Accessori[0] = k.QuattroTubi = true;
  k.Accessori[1] = true;
  return k;
}

void KalvoecMax(benchmark::State& state) { Esegui(state, "KALVOEC", Predefinite(), 2); }
BENCHMARK(KalvoecMax)->Unit(benchmark::kMillisecond);
void DvkbldcMaxDueAccessori(benchmark::State& state) { Esegui(state, "DVKBLDC", DueAccessori(), 2); }
BENCHMARK(DvkbldcMaxDueAccessori)->Unit(benchmark::kMillisecond);
// "Min" steps the flow down furthest.
void KalvoecMin(benchmark::State& state) { Esegui(state, "KALVOEC", Predefinite(), 0); }
BENCHMARK(KalvoecMin)->Unit(benchmark::kMillisecond);
void DvkbldcMinDueAccessori(benchmark::State& state) { Esegui(state, "DVKBLDC", DueAccessori(), 0); }
BENCHMARK(DvkbldcMinDueAccessori)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  if (!dir.isValid() || !QFile::copy(PROGRAM_DIR_BENCH "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb")))
    return 1;
  QFile ini(dir.filePath("Mistrel2013.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return 1;
  ini.write("[Common]\r\nMulti= 1\r\n");
  ini.close();
  Silenzio silenzio;
  plat::ImpostaPresentatore(&silenzio);
  if (ui::Avvia(QString(), dir.path()) != 0) return 1;
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  ::benchmark::Shutdown();
  plat::Forms::Svuota();
  plat::ImpostaPresentatore(nullptr);
  return 0;
}
