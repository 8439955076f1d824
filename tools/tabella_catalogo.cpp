// Prints, as a Markdown table, the ratings of every model of a series at
// the standard conditions (cooling air 27/19 °C, water 7/12 °C; heating air
// 20 °C, water 70/60 °C), through the series' selection window, so that the
// sample catalogue's values can be checked after a change.
// Usage: tabella_catalogo PROGRAM_FOLDER SERIES   (SERIES: KALVO or KALVOP)
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/messaggi.h"
#include "selection/fdatip.h"
#include "ui/avvio.h"
#include "ui/finestre.h"

namespace {

class Stampa : public plat::Presentatore {
 public:
  void Mostra(const plat::Messaggio& m) override { std::fprintf(stderr, "message: %s\n", m.testo.toUtf8().constData()); }
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: tabella_catalogo PROGRAM_FOLDER SERIES\n");
    return 2;
  }
  QTemporaryDir dir;
  QFile::copy(QString::fromLocal8Bit(argv[1]) + "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb"));
  QFile ini(dir.filePath("Mistrel2013.ini"));
  ini.open(QIODevice::WriteOnly);
  ini.write("[Common]\r\nMulti= 1\r\n[Unmis]\r\nQa= 2\r\nQw= 1\r\n");
  ini.close();
  Stampa stampa;
  plat::ImpostaPresentatore(&stampa);
  if (ui::Avvia(QString(), dir.path()) != 0) return 1;
  const QString serie = QString::fromLocal8Bit(argv[2]);
  ui::Fmenu().mnuprod_Click(serie == "KALVOP" ? 3 : 0);
  sel::FormDatiP& f = sel::FDatiP();
  f.cboVel->SetListIndex(0);
  for (int kq = 0; kq <= 1; ++kq) {
    f.chkKQ->SetValue(kq);
    f.cmdCalcola_Click();
    for (int r = 0; r < f.Grd->Rows(); ++r) {
      QStringList celle;
      for (int c = 0; c < f.Grd->Cols(); ++c) celle << f.Grd->TextMatrix(r, c);
      std::printf("| %s |\n", celle.join(" | ").toUtf8().constData());
      if (r == 0) std::printf("|%s\n", QString("---|").repeated(f.Grd->Cols()).toUtf8().constData());
    }
    std::printf("\n");
  }
  plat::Forms::Svuota();
  return 0;
}
