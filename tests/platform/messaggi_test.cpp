#include <gtest/gtest.h>

#include "tests/support/supporto.h"

TEST(Messaggi, IlRegistroRaccoglieIMessaggi) {
  test::RegistroMessaggi reg;
  plat::MsgBox("ciao", plat::Icona::Critica);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "ciao");
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
  EXPECT_EQ(reg.messaggi[0].titolo, plat::TitoloProgramma());
}
