#include <gtest/gtest.h>

#include "core/documenti.h"
#include "platform/shell.h"
#include "tests/support/supporto.h"

TEST(ApriDocumento, MessaggiDelleTreStrade) {
  test::RegistroMessaggi reg;
  int chiamate = 0;
  int risposta = 31;
  plat::ImpostaShell([&](const QString&) {
    ++chiamate;
    return risposta;
  });
  EXPECT_FALSE(core::ApriDocumento(""));
  EXPECT_EQ(chiamate, 0);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Documentazione non trovata");
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Nessuna);
  EXPECT_TRUE(core::ApriDocumento("x.abc"));
  EXPECT_EQ(reg.messaggi[1].testo, "No association for file extension on x.abc");
  risposta = 0;
  EXPECT_TRUE(core::ApriDocumento("y"));
  EXPECT_EQ(reg.messaggi[2].testo, "Unknown error on y");
  risposta = 42;
  EXPECT_TRUE(core::ApriDocumento("mailto:a@example.com"));
  EXPECT_EQ(reg.messaggi.size(), 3u);
  plat::ImpostaShell(nullptr);
}
