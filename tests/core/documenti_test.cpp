#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

// The desktop's opener judged by how it ends: one that fails (no program
// for the file or address) is a failure, one that runs on (it waits for the
// program it started) a success, and a missing file is never handed to it.
// The watch is set from here: one that ends is watched until it ends, one
// that runs on cannot end before the watch is over (it waits for the test).
TEST(ApriConShell, LEsitoDelProgrammaDelDesktop) {
  QTemporaryDir dir;
  const QString file = dir.filePath("Doc.docx");
  QFile(file).open(QIODevice::WriteOnly);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(dir.path()) + ":" + path);
  // An opener that runs until the test opens and closes this pipe, then fails.
  const QByteArray via = QFile::encodeName(dir.filePath("via"));
  ASSERT_EQ(mkfifo(via.constData(), 0600), 0);
  const QByteArray restaFinoAlVia = "read riga < '" + via + "'; exit 3";
  const struct {
    QByteArray corpo;  // of the opener
    const char* target;
    bool riuscito;
    bool resta;  // still running when the watch is over
  } casi[] = {
      {"exit 0", "Doc.docx", true, false},
      {"echo 'no method available' >&2; exit 3", "Doc.docx", false, false},
      {"exit 4", "https://example.com/", false, false},
      {restaFinoAlVia, "Doc.docx", true, true},
      {"exit 0", "manca.docx", false, false},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.corpo.toStdString());
    QFile opener(dir.filePath("xdg-open"));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly | QIODevice::Truncate));
    opener.write("#!/bin/sh\n" + c.corpo + "\n");
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString target = QString::fromLatin1(c.target).startsWith("http") ? QString::fromLatin1(c.target)
                                                                            : dir.filePath(c.target);
    plat::ImpostaAttesaOpener(c.resta ? 50 : 600000);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(plat::ApriConShell(target) > 32, c.riuscito);
    EXPECT_LT(t.elapsed(), 10000);
    if (c.resta) {
      // The opener ends, and fails, only now: once it reads the pipe, the
      // pipe is opened and closed (never a wait for an opener that is gone).
      int fd = -1;
      EXPECT_TRUE(
          QTest::qWaitFor([&] { return (fd = ::open(via.constData(), O_WRONLY | O_NONBLOCK)) >= 0; }, 60000));
      if (fd >= 0) ::close(fd);
    }
  }
  plat::ImpostaAttesaOpener(0);
  qputenv("PATH", path);
}
