// Start-up on files that did not come from this program: a settings file in
// the original system's code page, damaged Access product databases.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/ambiente.h"
#include "platform/form.h"
#include "tests/support/supporto.h"
#include "ui/avvio.h"

namespace {

class AvvioFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    core::imp = core::Impostazioni{};
  }
  void TearDown() override {
    plat::Forms::Svuota();
    test::ProcessaEventi();
  }
  void Scrivi(const char* nome, const QByteArray& dati) {
    QFile f(dir.filePath(nome));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dati);
  }
  QByteArray Leggi(const char* nome) {
    QFile f(dir.filePath(nome));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  QTemporaryDir dir;
  test::RegistroMessaggi reg;
};

}  // namespace

TEST_F(AvvioFile, ImpostazioniNellaCodificaDelSistemaOriginale) {
  ASSERT_TRUE(QFile::copy(PROGRAM_DIR "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb")));
  const QByteArray ini = "[Common]\r\nMulti= 1\r\nOutputDir=Societ\xE0\r\n; cos\xEC \x80\r\n";
  Scrivi("Mistrel2013.ini", ini);
  ASSERT_EQ(ui::Avvia("", dir.path()), 0);
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_TRUE(QDir(dir.filePath(QString::fromUtf8("Società"))).exists());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
            QStringList{QString::fromUtf8("Società")});
  EXPECT_EQ(Leggi("Mistrel2013.ini"), ini);
}

// A damaged Access product database stops the start as any database that
// cannot be opened: one critical message naming the file, status 1.
TEST_F(AvvioFile, DatabaseAccessDanneggiatoFermaIlProgramma) {
  QFile nwind(TESTDATA_ACCESS "/nwind.mdb");
  ASSERT_TRUE(nwind.open(QIODevice::ReadOnly));
  const QByteArray campione = nwind.readAll();
  QFile rotto(TESTDATA_ACCESS "/damaged/fuzzed-crash.mdb");
  ASSERT_TRUE(rotto.open(QIODevice::ReadOnly));
  for (const QByteArray& dati :
       {rotto.readAll(), campione.left(1724416), campione.left(1500000), campione.left(1449984)}) {
    SCOPED_TRACE(dati.size());
    reg.Svuota();
    Scrivi("Mistrel2013.mdb", dati);
    EXPECT_EQ(ui::Avvia("", dir.path()), 1);
    ASSERT_EQ(reg.messaggi.size(), 1u);
    EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
    EXPECT_TRUE(reg.messaggi[0].testo.contains(dir.filePath("Mistrel2013.mdb")));
    EXPECT_EQ(plat::Forms::Count(), 0);
  }
}
