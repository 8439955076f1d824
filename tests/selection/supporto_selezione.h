// A program folder with the shipped product database, for the tests of the
// selection windows.
#pragma once

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "core/ambiente.h"
#include "core/unita.h"
#include "platform/form.h"
#include "platform/fuoco.h"
#include "selection/finestre_selezione.h"
#include "tests/support/supporto.h"
#include "ui/avvio.h"
#include "ui/finestre.h"

namespace test {

class ConProgramma : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(PROGRAM_DIR "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb")));
    QFile f(dir.filePath("Mistrel2013.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Ini());
    f.close();
    core::imp = core::Impostazioni{};
    ASSERT_EQ(ui::Avvia(Comando(), dir.path()), 0);
    core::imp.SepDec = ".";
    reg.Svuota();
  }
  void TearDown() override {
    plat::Forms::Svuota();
    ProcessaEventi();
  }
  virtual QByteArray Ini() { return "[Common]\r\nMulti= 1\r\n[Unmis]\r\nQa= 2\r\nQw= 1\r\n"; }
  virtual QString Comando() { return QString(); }

  // Makes the window active so that focus moves work.
  void Attiva(plat::Form& f) {
    ui::Fmenu().show();
    QApplication::setActiveWindow(&ui::Fmenu());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ui::Fmenu()));
    f.setFocus();
    ProcessaEventi();
  }
  // Types a text into a box as a user would (the box's text replaced).
  void Scrivi(plat::TextBox* box, const QString& testo) {
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, testo);
  }
  // Leaves a box for another control (which receives the focus).
  void Esci(QWidget* verso) {
    verso->setFocus(Qt::TabFocusReason);
    ProcessaEventi();
  }

  QTemporaryDir dir;
  RegistroMessaggi reg;
};

}  // namespace test
