#include <gtest/gtest.h>

#include <QApplication>

#include "platform/schermo.h"
#include "tests/support/supporto.h"

TEST(Messaggi, IlRegistroRaccoglieIMessaggi) {
  test::RegistroMessaggi reg;
  plat::MsgBox("ciao", plat::Icona::Critica);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "ciao");
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
  EXPECT_EQ(reg.messaggi[0].titolo, plat::TitoloProgramma());
}

// A message is shown with the normal pointer; the pointers set before it
// come back after it, in their order.
TEST(Messaggi, MaiSottoIlPuntatoreOccupato) {
  struct Attesa : plat::Presentatore {
    void Mostra(const plat::Messaggio&) override { occupato.push_back(plat::PuntatoreInAttesa()); }
    std::vector<bool> occupato;
  } attesa;
  plat::ImpostaPresentatore(&attesa);
  {
    plat::PuntatoreOccupato occupato;
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    plat::MsgBox("a");
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_FALSE(plat::PuntatoreInAttesa());
  plat::MsgBox("b");
  EXPECT_FALSE(plat::PuntatoreInAttesa());
  plat::ImpostaPresentatore(nullptr);
  EXPECT_EQ(attesa.occupato, (std::vector<bool>{false, false}));
}
