#include <gtest/gtest.h>

#include <QFile>
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
