// Where the program's windows open: the main window over the screen's
// available area, the separate windows centred on the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/ambiente.h"
#include "tests/support/supporto.h"
#include "ui/avvio.h"
#include "ui/finestre.h"

namespace {

class Posizioni : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(PROGRAM_DIR "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb")));
    core::imp = core::Impostazioni{};
  }
  void TearDown() override {
    plat::Forms::Svuota();
    test::ProcessaEventi();
  }
  static QRect Disponibile() { return QGuiApplication::primaryScreen()->availableGeometry(); }
  // The frame of the window the opener shows, read while it is up (a modal
  // window is closed after the reading).
  static QRect Apri(const std::function<void()>& apri, const QString& nome) {
    QRect letta;
    QTimer::singleShot(50, [&] {
      if (plat::Form* f = plat::Forms::Cerca(nome)) {
        letta = f->frameGeometry();
        f->Scarica();
      }
    });
    apri();
    QTest::qWait(100);
    return letta;
  }
  QTemporaryDir dir;
  test::RegistroMessaggi reg;
};

}  // namespace

TEST_F(Posizioni, LaFinestraPrincipaleRiempieLoSchermo) {
  ASSERT_EQ(ui::Avvia("", dir.path()), 0);
  test::ProcessaEventi();
  EXPECT_TRUE(ui::Fmenu().isMaximized());
  EXPECT_EQ(ui::Fmenu().frameGeometry(), Disponibile());
  // Where the maximise request is not honoured the window has the same place.
  ui::Fmenu().showNormal();
  QTest::qWait(50);
  EXPECT_EQ(ui::Fmenu().frameGeometry(), Disponibile());
}

TEST_F(Posizioni, LeFinestreSiApronoAlCentroDellaPrincipale) {
  QRect splash;
  QTimer::singleShot(0, [&] {
    if (ui::FInfo.SeCaricata()) splash = ui::FInfo.SeCaricata()->frameGeometry();
  });
  ASSERT_EQ(ui::Avvia("", dir.path()), 0);
  // The splash comes before the main window: centred on the screen.
  ASSERT_FALSE(splash.isEmpty());
  EXPECT_LE((splash.center() - Disponibile().center()).manhattanLength(), 4);

  ui::FormMenu& m = ui::Fmenu();
  m.showNormal();
  m.setGeometry(150, 200, 600, 500);
  QTest::qWait(50);
  const QPoint centro = m.frameGeometry().center();
  struct Caso {
    const char* nome;
    std::function<void()> apri;
  };
  const Caso casi[] = {
      {"Funmis", [&] { m.mnuUnmis_Click(); }},
      {"FChkBLDC", [&] { m.SSprodBLDC_Click(); }},
      {"FInfo", [&] { m.mnuInfotarv_Click(); }},
      {"FInfoSistema", [&] { m.mnuInfo_Click(); }},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const QRect r = Apri(c.apri, c.nome);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_LE((r.center() - centro).manhattanLength(), 4) << r.center().x() << "," << r.center().y();
  }
}
