// Start-up on files that did not come from this program: settings files in
// other encodings or not files at all, damaged Access product databases.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "core/ambiente.h"
#include "platform/form.h"
#include "tests/support/supporto.h"
#include "ui/avvio.h"
#include "ui/finestre.h"

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
  // The type of the column Name in the definition of its catalogue (page 2,
  // byte 95) made unknown.
  QByteArray catalogo = campione;
  catalogo[2 * 2048 + 95] = static_cast<char>(catalogo[2 * 2048 + 95] ^ 4);
  for (const QByteArray& dati : {rotto.readAll(), catalogo, campione.left(1500000), campione.left(1449984)}) {
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

// An Access product database opens whatever lies in the temporary folder,
// or when there is none: another user's file under the name of the folder
// the program once made there, or a temporary folder that does not exist.
TEST_F(AvvioFile, DatabaseAccessSenzaCartellaTemporanea) {
  ASSERT_TRUE(QFile::copy(TESTDATA_ACCESS "/nwind.mdb", dir.filePath("Mistrel2013.mdb")));
  QTemporaryDir tmp;
  {
    QFile piantato(tmp.filePath(QStringLiteral("Mistrel2013-utente-%1").arg(::geteuid())));
    ASSERT_TRUE(piantato.open(QIODevice::WriteOnly));
  }
  const QByteArray prima = qgetenv("TMPDIR");
  for (const QString& cartella : {tmp.path(), tmp.filePath("manca")}) {
    SCOPED_TRACE(cartella.toStdString());
    qputenv("TMPDIR", QFile::encodeName(cartella));
    reg.Svuota();
    EXPECT_EQ(ui::Avvia("", dir.path()), 0);
    EXPECT_TRUE(reg.messaggi.empty());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Mistrel2013-utente-%1").arg(::geteuid())));
    plat::Forms::Svuota();
  }
  if (prima.isNull())
    qunsetenv("TMPDIR");
  else
    qputenv("TMPDIR", prima);
  EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("Mistrel2013-utente-%1").arg(::geteuid())});
}

// Settings files as other editors and accidents leave them: UTF-16 with its
// byte-order mark (as a Windows editor saves "Unicode") and lone CR line
// ends are read, and written back in their own form; a pipe or a link to a
// device is refused with a message naming it, and start-up goes on with the
// defaults.
TEST_F(AvvioFile, FileDiImpostazioniInAltreFormeOSbagliati) {
  ASSERT_TRUE(QFile::copy(PROGRAM_DIR "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb")));
  const auto utf16 = [](const char* testo, QStringEncoder::Encoding codifica) {
    return QByteArray(QStringEncoder(codifica, QStringEncoder::Flag::WriteBom)(QString::fromUtf8(testo)));
  };
  const QString ini = dir.filePath("Mistrel2013.ini");
  const struct {
    const char* nome;
    QByteArray prima;  // "fifo" and "zero" make a pipe and a link to /dev/zero
    QString menu;      // the File menu in the language read
    QByteArray dopo;   // empty: the file is left as it was
  } casi[] = {
      {"utf-16 LE",
       utf16("[Common]\r\nMulti= 1\r\nOutputDir=Società\r\n", QStringEncoder::Utf16LE),
       "File",
       {}},
      {"utf-16 BE", utf16("[Unmis]\r\nQa= 2\r\n", QStringEncoder::Utf16BE), "File",
       utf16("[Unmis]\r\nQa= 2\r\n\r\n[Common]\r\nMulti= 0\r\n", QStringEncoder::Utf16BE)},
      {"lone CR", "[Common]\rMulti= 3\r", "Datei", {}},
      {"fifo", "fifo", "File", {}},
      {"zero", "zero", "File", {}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    reg.Svuota();
    QFile::remove(ini);
    const bool rifiutato = c.prima == "fifo" || c.prima == "zero";
    if (c.prima == "fifo")
      ASSERT_EQ(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    else if (c.prima == "zero")
      ASSERT_TRUE(QFile::link("/dev/zero", ini));
    else
      Scrivi("Mistrel2013.ini", c.prima);
    ASSERT_EQ(ui::Avvia("", dir.path()), 0);
    EXPECT_EQ(ui::Fmenu().mnuFile->title(), c.menu);
    if (rifiutato) {
      ASSERT_EQ(reg.messaggi.size(), 1u);
      EXPECT_EQ(reg.messaggi[0].testo, "Il file non si può leggere: " + ini);
      EXPECT_EQ(QFileInfo(ini).isFile(), false);
    } else {
      EXPECT_TRUE(reg.messaggi.empty());
      EXPECT_EQ(Leggi("Mistrel2013.ini"), c.dopo.isEmpty() ? c.prima : c.dopo);
    }
    plat::Forms::Svuota();
    test::ProcessaEventi();
  }
}
