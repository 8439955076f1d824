#include <gtest/gtest.h>

#include <cmath>

#include "engine/psicrometria.h"

using namespace motore;

TEST(Psicrometria, PressioneDiSaturazioneEFattore) {
  EXPECT_NEAR(PressioneSat(0), 6.112, 5e-4);
  EXPECT_NEAR(PressioneSat(20), 23.388, 5e-4);
  EXPECT_NEAR(PressioneSat(30), 42.46, 5e-3);
  EXPECT_NEAR(FattoreAumento(20, PressioneAtm), 1.00448, 5e-6);
  EXPECT_NEAR(FattoreAumento(0, PressioneAtm), 1.00441, 5e-6);
  EXPECT_THROW(PressioneSat(-274), ErroreCalcolo);
}

TEST(Psicrometria, EntalpiaSaturaESuaInversione) {
  EXPECT_NEAR(EntalpiaSatura(20), 57.56, 5e-3);
  EXPECT_NEAR(EntalpiaSatura(-10), -6.0, 0.05);
  EXPECT_NEAR(EntalpiaSatura(40), 166.6, 0.05);
  EXPECT_NEAR(TempDaEntalpiaSat(EntalpiaSatura(20)), 20, 1e-3);
  EXPECT_EQ(TempDaEntalpiaSat(-7), 0);   // below the bracket
  EXPECT_EQ(TempDaEntalpiaSat(170), 0);  // above it
  EXPECT_NEAR(PendenzaEntalpiaSat(10), 4.1868 * (0.445 + 0.138 + 0.02844), 1e-5);
}

TEST(Psicrometria, DensitaAriaSeccaEUmida) {
  EXPECT_NEAR(DensitaAria(20, 0), 1.2045, 5e-5);
  // The smallest humidity already takes the moist-air branch.
  const float umida = DensitaAria(20, 0.0001f);
  EXPECT_NE(umida, DensitaAria(20, 0));
  EXPECT_NEAR(umida, 1.2045, 2e-3);
  EXPECT_LT(DensitaAria(27, 50), DensitaAria(27, 0.0001f));
}

TEST(Psicrometria, UmiditaRelativaEBulboUmido) {
  EXPECT_NEAR(UmiditaRelativa(25, 25), 100, 0.01);
  const float ur = UmiditaRelativa(27, 19);  // a standard cooling state
  EXPECT_NEAR(ur, 46.8, 0.5);
  StatoCalcolo s;
  s.URCalcolata = 12;
  EXPECT_EQ(BulboUmidoDaUR(25, 100, s), 25);
  EXPECT_EQ(s.URCalcolata, 12);  // not touched for a saturated state
  const float twb = BulboUmidoDaUR(27, ur, s);
  EXPECT_NEAR(twb, 19, 0.005);
  EXPECT_NEAR(s.URCalcolata, ur, 0.001);
}

TEST(Psicrometria, BulboUmidoDaURAccettaAlPiuUnMillesimo) {
  // A state (found by search) where one pass lands exactly on the single
  // nearest to 0.001 (0.00100000005): that is more than 0.001, so the
  // search goes on to a closer pass.
  StatoCalcolo s;
  const float ur = 0.0016373432f;
  BulboUmidoDaUR(15.5499983f, ur, s);
  EXPECT_LE(std::fabs(static_cast<double>(s.URCalcolata) - ur), 0.001);
}

TEST(Psicrometria, BulboUmidoDaURConPartenzaNulla) {
  // A start value of exactly 0 gives a bracket of width 0: no convergence.
  // (0.605 + 0.275/65 RH)(Tdb + 10.4) = 11.1 with RH = 0 at Tdb = 7.9471...
  StatoCalcolo s;
  const float tdb = static_cast<float>(11.1 / 0.605 - 10.4);
  const float t = BulboUmidoDaUR(tdb, 0, s);
  EXPECT_TRUE(t == 0 || std::fabs(t) < 1e-3);
}

TEST(Psicrometria, UmiditaSpecificaEInversione) {
  const float w = UmiditaSpecifica(27, 19);
  EXPECT_NEAR(w, 0.0105, 3e-4);
  EXPECT_NEAR(BulboUmidoDaX(27, w), 19, 0.01);
  EXPECT_NEAR(EntalpiaAria(19, 27), EntalpiaDaTX(27, w), 1e-4);
  EXPECT_NEAR(EntalpiaAria(20, 20), 57.5, 0.2);  // saturated air at 20 C
  // A dry bulb below 1 C bisects a reversed bracket by the same rules.
  EXPECT_NO_THROW(BulboUmidoDaX(0.5f, 0.003f));
}

TEST(Psicrometria, StatiImpossibiliSonoErroriNonNaN) {
  // Saturation humidity at the boiling point: f pws reaches 1000 P.
  EXPECT_THROW(UmiditaSpecSat(1, 1000, 1.0), ErroreCalcolo);
  EXPECT_THROW(UmiditaSpecDaPv(1, 1000), ErroreCalcolo);
  EXPECT_THROW(VolumeSpecifico(20, 0, 0.01f), ErroreCalcolo);
}
