// The program a window benchmark runs in: Qt's offscreen platform, a program
// folder with the shipped product database and the units m3/h and l/h,
// messages not shown.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "core/ambiente.h"
#include "platform/form.h"
#include "platform/messaggi.h"
#include "ui/avvio.h"

namespace banco {

class Silenzio : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio&) override {}
};

// Starts the program, runs the registered benchmarks, closes every window.
inline int EseguiNelProgramma(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  if (!dir.isValid() || !QFile::copy(PROGRAM_DIR_BENCH "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb")))
    return 1;
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

}  // namespace banco
