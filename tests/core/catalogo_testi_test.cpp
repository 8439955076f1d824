#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "core/ambiente.h"
#include "core/testi.h"

namespace {

struct Riga {
  int n;
  QString it, en;
};

std::vector<Riga> RigheUsate() {
  std::vector<Riga> righe;
  QFile f(TESTDATA "/texts/catalogue-it-en.tsv");
  if (!f.open(QIODevice::ReadOnly)) return righe;
  const QStringList linee = QString::fromUtf8(f.readAll()).split('\n');
  for (int i = 1; i < linee.size(); ++i) {
    QStringList c = linee[i].split('\t');
    if (c.size() < 3) continue;
    righe.push_back({c[0].toInt(), c[1], c[2]});
  }
  return righe;
}

}  // namespace

TEST(CatalogoTesti, ItalianoEIngleseComeCitati) {
  const auto righe = RigheUsate();
  ASSERT_EQ(righe.size(), 83u);
  for (const Riga& r : righe) {
    if (!r.it.isEmpty()) {
      EXPECT_TRUE(core::EsisteTesto(100 + r.n)) << r.n;
      EXPECT_EQ(core::Traduci(100 + r.n), r.it) << r.n;
    }
    if (!r.en.isEmpty()) {
      EXPECT_EQ(core::Traduci(300 + r.n), r.en) << r.n;
    }
  }
}

TEST(CatalogoTesti, OgniLinguaHaOgniTestoUsato) {
  const auto righe = RigheUsate();
  for (int lingua = 2; lingua < core::kLingue; ++lingua) {
    const int base = (2 * lingua + 1) * 100;
    for (const Riga& r : righe) {
      if (r.en.isEmpty() || r.n == 172) continue;
      EXPECT_TRUE(core::EsisteTesto(base + r.n)) << "language " << lingua << " text " << r.n;
      EXPECT_FALSE(core::Traduci(base + r.n).trimmed().isEmpty()) << lingua << " " << r.n;
    }
    // Text 172 is not in these blocks: it falls back to English.
    EXPECT_FALSE(core::EsisteTesto(base + 172));
    core::imp.BaseTesti = static_cast<int16_t>(base);
    EXPECT_EQ(core::Testo(172), "Power input");
    // Texts joined to a value keep their trailing blank.
    for (int n : {103, 109, 168, 87})
      EXPECT_TRUE(core::Traduci(base + n).endsWith(' ')) << lingua << " " << n;
    // Menu captions carry one access key.
    for (int n : {33, 38, 69}) EXPECT_EQ(core::Traduci(base + n).count('&'), 1) << lingua << " " << n;
  }
}

TEST(CatalogoTesti, GrecoERussoInUnicode) {
  EXPECT_EQ(core::Traduci(1300 + 62).at(0).script(), QChar::Script_Greek);
  EXPECT_EQ(core::Traduci(1900 + 62).at(0).script(), QChar::Script_Cyrillic);
}

TEST(CatalogoTesti, MessaggioDellaDistanzaInOgniLingua) {
  for (int lingua = 0; lingua < core::kLingue; ++lingua) {
    const QString t = core::Traduci((2 * lingua + 1) * 100 + 173);
    EXPECT_TRUE(core::EsisteTesto((2 * lingua + 1) * 100 + 173)) << lingua;
    if (lingua != 1) {
      EXPECT_NE(t, core::Traduci(300 + 173)) << lingua;  // translated
    }
  }
  EXPECT_EQ(core::Traduci(300 + 173), "The distance must be a number greater than 0");
  EXPECT_EQ(core::Traduci(100 + 173), "La distanza deve essere un numero maggiore di 0");
}
