#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "platform/ini.h"

namespace {

QString Leggi(const QString& p) {
  QFile f(p);
  f.open(QIODevice::ReadOnly);
  return QString::fromUtf8(f.readAll());
}

}  // namespace

TEST(Ini, LetturaConLeRegoleClassiche) {
  QTemporaryDir dir;
  const QString file = dir.filePath("p.ini");
  {
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write("; comment\r\n[Common]\r\n  Multi =  1  \r\nVuota=\r\nCitata=\"a b\"\r\n[Altro]\r\nMulti=9\r\n");
  }
  EXPECT_EQ(plat::LeggiProfilo(file, "common", "MULTI"), "1");
  EXPECT_EQ(plat::LeggiProfilo(file, "Common", "Vuota"), "");
  EXPECT_EQ(plat::LeggiProfilo(file, "Common", "Citata"), "a b");
  EXPECT_EQ(plat::LeggiProfilo(file, "Common", "Manca", "x"), "x");
  EXPECT_EQ(plat::LeggiProfilo(file, "Altro", "Multi"), "9");
  EXPECT_EQ(plat::LeggiProfilo(dir.filePath("nessuno.ini"), "Common", "Multi"), "");
}

TEST(Ini, ValoreLungoTagliatoA255) {
  QTemporaryDir dir;
  const QString file = dir.filePath("p.ini");
  ASSERT_TRUE(plat::ScriviProfilo(file, "S", "K", QString(300, 'x')));
  EXPECT_EQ(plat::LeggiProfilo(file, "S", "K").size(), 255);
}

TEST(Ini, ScritturaConservaIlResto) {
  QTemporaryDir dir;
  const QString file = dir.filePath("p.ini");
  ASSERT_TRUE(plat::ScriviProfilo(file, "Common", "Multi", " 0"));
  EXPECT_EQ(Leggi(file), "[Common]\r\nMulti= 0\r\n");
  ASSERT_TRUE(plat::ScriviProfilo(file, "Unmis", "Pt", " 1"));
  ASSERT_TRUE(plat::ScriviProfilo(file, "common", "OutputDir", "out"));
  ASSERT_TRUE(plat::ScriviProfilo(file, "COMMON", "multi", " 4"));
  EXPECT_EQ(Leggi(file), "[Common]\r\nmulti= 4\r\nOutputDir=out\r\n\r\n[Unmis]\r\nPt= 1\r\n");
  EXPECT_EQ(plat::LeggiProfilo(file, "Common", "Multi"), "4");
}

namespace {

QByteArray Byte(const QString& p) {
  QFile f(p);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

// The text in UTF-16 after its byte-order mark.
QByteArray Utf16(const char* testo, QStringEncoder::Encoding codifica) {
  return QStringEncoder(codifica, QStringEncoder::Flag::WriteBom)(QString::fromUtf8(testo));
}

struct CasoCodifica {
  const char* nome;
  QByteArray prima;
  const char* chiave;
  QString valore;
  QString letto_prima;  // OutputDir as read before the write
  QByteArray dopo;
};

}  // namespace

// The file keeps its own encoding, and every line the program did not write
// keeps its bytes (line ends, a missing last line end, a byte-order mark).
TEST(Ini, CodificaDelFileELineeNonScritteIntatte) {
  const QString societa = QString::fromUtf8("Società");
  const CasoCodifica casi[] = {
      {"cp1252: a value of the program", "[Common]\r\nOutputDir=Societ\xE0\r\n; \x80 nota\r\nMulti= 0\r\n",
       "Multi", " 3", societa, "[Common]\r\nOutputDir=Societ\xE0\r\n; \x80 nota\r\nMulti= 3\r\n"},
      {"cp1252: the folder written back", "[Common]\r\nMulti= 0\r\nOutputDir=vecchia\r\n; caff\xE8\r\n",
       "OutputDir", societa + QString::fromUtf8(" € Œ"), "vecchia",
       "[Common]\r\nMulti= 0\r\nOutputDir=Societ\xE0 \x80 \x8C\r\n; caff\xE8\r\n"},
      {"cp1252: undefined bytes read back", "[Common]\nOutputDir=a\x81\x9D\n", "Nuova", "\xC3\xA0",
       QString::fromUtf8("a\u0081\u009D"), "[Common]\nOutputDir=a\x81\x9D\nNuova=\xE0\n"},
      {"utf-8", "[Common]\r\nOutputDir=Societ\xC3\xA0\r\n", "Multi", " 1", societa,
       "[Common]\r\nOutputDir=Societ\xC3\xA0\r\nMulti= 1\r\n"},
      {"utf-8 with a byte-order mark", "\xEF\xBB\xBF[Common]\r\nOutputDir=Societ\xC3\xA0\r\n", "OutputDir",
       "x", societa, "\xEF\xBB\xBF[Common]\r\nOutputDir=x\r\n"},
      {"cp1252: the ends of its upper half (no-break space, y diaeresis) stay one byte",
       "[Common]\r\nOutputDir=x\r\n; caff\xE8\r\n", "OutputDir", QString::fromUtf8("\u00A0a\u00FF\u0178"),
       "x",
       "[Common]\r\nOutputDir=\xA0"
       "a\xFF\x9F\r\n; caff\xE8\r\n"},
      {"cp1252: a text the code page lacks turns the file to utf-8",
       "[Common]\r\nOutputDir=Societ\xE0\r\n[Altro]\r\nA=\x93q\x94\r\n", "OutputDir",
       QString::fromUtf8("Проект"), societa,
       "[Common]\r\nOutputDir=\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82\r\n[Altro]\r\nA="
       "\xE2\x80\x9Cq\xE2\x80\x9D\r\n"},
      {"mixed line ends and no final one", "[Common]\nMulti=0\r\n[Unmis]\nPt=1", "Multi", " 2", "",
       "[Common]\nMulti= 2\r\n[Unmis]\nPt=1"},
      {"a line added after an unended last line", "[Common]\nMulti=0", "OutputDir", "u", "",
       "[Common]\nMulti=0\nOutputDir=u\n"},
      {"utf-16 LE", Utf16("[Common]\r\nOutputDir=Società\r\nMulti= 0\r\n", QStringEncoder::Utf16LE), "Multi",
       " 3", societa, Utf16("[Common]\r\nOutputDir=Società\r\nMulti= 3\r\n", QStringEncoder::Utf16LE)},
      {"utf-16 BE, a line added",
       Utf16("[Common]\r\nOutputDir=Società\r\n[Unmis]\r\nPt=1", QStringEncoder::Utf16BE), "Multi",
       QString::fromUtf8("Проект"), societa,
       Utf16("[Common]\r\nOutputDir=Società\r\nMulti=Проект\r\n[Unmis]\r\nPt=1", QStringEncoder::Utf16BE)},
      {"lone CR line ends", "[Common]\rOutputDir=x\r[Unmis]\rPt=1", "Multi", " 2", "x",
       "[Common]\rOutputDir=x\rMulti= 2\r[Unmis]\rPt=1"},
  };
  for (const CasoCodifica& c : casi) {
    SCOPED_TRACE(c.nome);
    QTemporaryDir dir;
    const QString file = dir.filePath("p.ini");
    {
      QFile f(file);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(c.prima);
    }
    EXPECT_EQ(plat::LeggiProfilo(file, "Common", "OutputDir"), c.letto_prima);
    ASSERT_TRUE(plat::ScriviProfilo(file, "Common", c.chiave, c.valore));
    EXPECT_EQ(Byte(file), c.dopo);
    EXPECT_EQ(plat::LeggiProfilo(file, "Common", c.chiave), c.valore.trimmed());
  }
}

// A pipe (reading it would wait for ever), a link to a device that never
// ends, a file larger than any settings file: read as a missing file, never
// written, left as they are.
TEST(Ini, FileNonRegolariOTroppoGrandiRifiutati) {
  QTemporaryDir dir;
  const QString tubo = dir.filePath("tubo.ini"), zero = dir.filePath("zero.ini"),
                grande = dir.filePath("grande.ini");
  ASSERT_EQ(mkfifo(QFile::encodeName(tubo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", zero));
  {
    QFile f(grande);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Common]\r\nMulti= 1\r\n");
    ASSERT_TRUE(f.resize(plat::kMaxFileProfilo + 1));
  }
  for (const QString& file : {tubo, zero, grande}) {
    SCOPED_TRACE(file.toStdString());
    const QFileInfo prima(file);
    EXPECT_TRUE(plat::ProfiloRifiutato(file));
    EXPECT_EQ(plat::LeggiProfilo(file, "Common", "Multi", "d"), "d");
    EXPECT_FALSE(plat::ScriviProfilo(file, "Common", "Multi", " 2"));
    const QFileInfo dopo(file);
    EXPECT_EQ(dopo.isSymLink(), prima.isSymLink());
    EXPECT_EQ(dopo.isFile(), prima.isFile());
    EXPECT_EQ(dopo.size(), prima.size());
  }
  EXPECT_FALSE(plat::ProfiloRifiutato(dir.filePath("manca.ini")));
}
