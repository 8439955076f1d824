// Writing the report of a whole run, every section ticked: the print
// button of the print dialog, from the template to the saved .docx (the
// desktop program that would open it is left out).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <functional>

#include "core/ambiente.h"
#include "platform/messaggi.h"
#include "platform/shell.h"
#include "report/documento.h"
#include "report/fstampa.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"
#include "ui/avvio.h"
#include "ui/finestre.h"

namespace {

class Silenzioso : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio&) override {}
};

void Prepara(QTemporaryDir& dir) {
  const QDir programma(QStringLiteral(PROGRAM_DIR_BENCH));
  for (const char* f : {"Mistrel2013.mdb", "intest.docx"})
    QFile::copy(programma.filePath(f), dir.filePath(f));
  for (const char* nome : {"FotoW", "dimensionali", "Descrizioni", "Schemi"}) {
    const QString c = QString::fromLatin1(nome);
    QDir(dir.path()).mkpath(c);
    for (const QString& f : QDir(programma.filePath(c)).entryList(QDir::Files))
      QFile::copy(programma.filePath(c + "/" + f), dir.filePath(c + "/" + f));
  }
  QFile f(dir.filePath("Mistrel2013.ini"));
  f.open(QIODevice::WriteOnly);
  f.write(
      "[Common]\r\nMulti= 1\r\nDefault=ENG\r\nOutputDir=Documenti\r\n[Unmis]\r\nQa= 2\r\nQw= 1\r\n"
      "[Lingue]\r\nL0=ITA\r\nL1=ENG\r\n");
}

// The report with every section of the run of a selection window that
// apri opens and prepares (all speeds rated); ogniVolta, when given, runs
// before each print and is timed with it.
void Rapporto(benchmark::State& state, const std::function<sel::FinestraSelezione&()>& apri,
              const QString& note =
                  QStringLiteral("Units to be delivered with their controls.\nPrices in a separate offer."),
              const std::function<void(rapporto::FormStampa&)>& ogniVolta = {}) {
  QTemporaryDir dir;
  Prepara(dir);
  Silenzioso silenzio;
  plat::ImpostaPresentatore(&silenzio);
  plat::ImpostaShell([](const QString&) { return 42; });
  ui::Avvia(QString(), dir.path());
  sel::FinestraSelezione& f = apri();
  f.cmdCalcola_Click();
  f.cmdStampa->click();
  rapporto::FormStampa& s = rapporto::FStampa();
  for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(1);
  s.txtcliente->SetText(QStringLiteral("ACME Engineering"));
  s.txtProgetto->SetText(QStringLiteral("Tower B, floors 3 to 12"));
  s.txtNote->setPlainText(note);
  QApplication::processEvents();  // the box lays its text out once, as it does when the user types it
  for (auto _ : state) {
    if (ogniVolta) ogniVolta(s);
    s.cmdStampa_Click();
    benchmark::DoNotOptimize(s.UltimoDocumento());
  }
  if (s.UltimoDocumento().isEmpty()) state.SkipWithError("no report was saved");
  state.counters["righe_griglia"] = f.Grd->Rows() - 2;
  state.counters["byte"] = static_cast<double>(QFileInfo(s.UltimoDocumento()).size());
  state.counters["caratteri_note"] = static_cast<double>(s.txtNote->toPlainText().size());
  plat::Forms::Svuota();
  plat::ImpostaShell({});
  plat::ImpostaPresentatore(nullptr);
}

void BM_RapportoFanCoil(benchmark::State& state) {
  Rapporto(state, []() -> sel::FinestraSelezione& {
    ui::Fmenu().mnuprod_Click(0);
    sel::FDatiP().cboVel->SetListIndex(0);
    return sel::FDatiP();
  });
}
BENCHMARK(BM_RapportoFanCoil)->Unit(benchmark::kMillisecond);

// A whole run of the ducted units at every speed, with mixed air.
void BM_RapportoAriaMista(benchmark::State& state) {
  Rapporto(state, []() -> sel::FinestraSelezione& {
    ui::Fmenu().mnuprod_Click(1);
    sel::FDatiPXX().cboVel->SetListIndex(0);
    sel::FDatiPXX().Scrollfreddo->SetValue(30);
    return sel::FDatiPXX();
  });
}
BENCHMARK(BM_RapportoAriaMista)->Unit(benchmark::kMillisecond);

// Long notes (the first argument in thousands of 64-character pieces, the
// second 1 for a line each, 0 for one long paragraph): the time grows with
// their length, not with its square.
void BM_RapportoNoteLunghe(benchmark::State& state) {
  const QString fine = state.range(1) ? QStringLiteral("\n") : QStringLiteral(" ");
  QString note;
  for (int i = 0; i < state.range(0) * 1000; ++i)
    note += QStringLiteral("Item %1: supply and fit as drawn, controls by others ..........")
                .arg(i % 1000, 3, 10, QLatin1Char('0')) +
            fine;
  Rapporto(
      state,
      []() -> sel::FinestraSelezione& {
        ui::Fmenu().mnuprod_Click(0);
        return sel::FDatiP();
      },
      note);
  state.counters["byte_note"] = static_cast<double>(note.size());
}
BENCHMARK(BM_RapportoNoteLunghe)
    ->Args({16, 0})
    ->Args({160, 0})
    ->Args({16, 1})
    ->Args({160, 1})
    ->Unit(benchmark::kMillisecond);

// 4 MB without a blank pasted into the notes box (Ctrl+V, as the user
// pastes) and the print that follows: the box takes what it holds, leaves
// the rest out with a message, and lays its one long line out at once.
void BM_NotaIncollataEStampata(benchmark::State& state) {
  QGuiApplication::clipboard()->setText(QString(4 * 1024 * 1024, QLatin1Char('x')));
  Rapporto(
      state,
      []() -> sel::FinestraSelezione& {
        ui::Fmenu().mnuprod_Click(0);
        return sel::FDatiP();
      },
      QString(),
      [](rapporto::FormStampa& s) {
        s.txtNote->clear();
        s.txtNote->setFocus();
        s.txtNote->paste();
        QApplication::processEvents();  // the box lays the pasted line out
      });
  QGuiApplication::clipboard()->clear();
}
BENCHMARK(BM_NotaIncollataEStampata)->Unit(benchmark::kMillisecond);

// The document writer alone with a 4 MB note without a blank (what a note
// set by other means than the box would give it).
void BM_NotaSenzaSpaziNelDocumento(benchmark::State& state) {
  const QString nota(4 * 1024 * 1024, QLatin1Char('x'));
  const QString modello = QDir(QStringLiteral(PROGRAM_DIR_BENCH)).filePath(QStringLiteral("intest.docx"));
  qint64 byte = 0;
  for (auto _ : state) {
    rapporto::Documento d = rapporto::Documento::DaModello(modello);
    d.ScriviTesto(nota);
    byte = d.File().size();
  }
  state.counters["byte"] = static_cast<double>(byte);
}
BENCHMARK(BM_NotaSenzaSpaziNelDocumento)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
