#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "engine/suono.h"
#include "engine/ventilatori.h"

using namespace motore;

namespace {
// A fan-coil curve: 50 Pa at shut-off, free delivery at 400 m3/h.
const CurvaVentilatore kCurva{-50.0f / (400.0f * 400.0f), 0, 50};
}  // namespace

TEST(CurvaVentilatore, PressioneEInversione) {
  EXPECT_DOUBLE_EQ(PressioneCurva(0, kCurva), 50);
  const auto libera = PortataDaPressione(0, kCurva);
  ASSERT_TRUE(libera);
  EXPECT_NEAR(*libera, 400, 0.01);
  EXPECT_NEAR(std::fabs(PressioneCurva(*libera, kCurva)), 0, 0.001);
  const auto q = PortataDaPressione(20, kCurva);
  ASSERT_TRUE(q);
  EXPECT_NEAR(PressioneCurva(*q, kCurva), 20, 0.001);
}

TEST(CurvaVentilatore, IntervalloDiRicerca) {
  // Never negative up to 2500 m3/h: bisected on 0..2000.
  const CurvaVentilatore piatta{0, 0, 30};
  EXPECT_FALSE(PortataDaPressione(10, piatta));
  const CurvaVentilatore lunga{-30.0f / (2600.0f * 2600.0f), 0, 30};
  const auto q = PortataDaPressione(0, lunga);
  EXPECT_FALSE(q);  // the crossing at 2600 lies outside 0..2000
  const auto q2 = PortataDaPressione(PressioneCurva(1000, lunga), lunga);
  EXPECT_TRUE(q2);
  // Already negative at 50 m3/h: bisected on 0..50.
  const CurvaVentilatore corta{0, -1, 40};
  const auto q3 = PortataDaPressione(0, corta);
  ASSERT_TRUE(q3);
  EXPECT_NEAR(*q3, 40, 0.001);
  // A pressure above shut-off cannot be met.
  EXPECT_FALSE(PortataDaPressione(60, kCurva));
  // The limit found once gives the same inversion at every pressure.
  const std::array<std::pair<CurvaVentilatore, float>, 4> limiti{
      {{piatta, 2000}, {lunga, 2000}, {corta, 50}, {kCurva, 410}}};
  for (const auto& [c, limite] : limiti) {
    EXPECT_EQ(LimitePortata(c), limite);
    for (float p : {0.0f, 5.0f, 12.5f, 30.0f, 49.0f, 60.0f})
      EXPECT_EQ(PortataDaPressione(p, c), PortataDaPressione(p, c, limite)) << limite << " " << p;
  }
}

TEST(Accessori, PerditeDiQuelliSpuntati) {
  const std::vector<AccessorioDP> righe = {{10, 2, "S"}, {20, 1.5f, "N"}, {5, 2, "s"}, {8, 1, "S "}};
  std::array<bool, 4> spunte{true, false, false, false};
  StatoCalcolo s;
  s.VelocitaAria = 7;
  AccessoriModello acc{righe, spunte, 0.5f, 2};
  // Two spigots: 0.0628 m3/s gives 1 m/s and a drop of 10 Pa.
  EXPECT_NEAR(SommaPerditeAccessori(100, acc, 0.0628f, s), 110, 1e-4);
  EXPECT_NEAR(s.VelocitaAria, 1, 1e-6);
  EXPECT_NEAR(SottraiPerditeAccessori(100, acc, 0.0628f, s), 90, 1e-4);
  // Lower-case s and "S " take the face section.
  spunte = {false, false, true, true};
  s.VelocitaAria = 7;
  EXPECT_NEAR(SommaPerditeAccessori(0, acc, 0.5f, s), 5 + 8, 1e-4);
  EXPECT_NEAR(s.VelocitaAria, 1, 1e-6);  // the last ticked accessory's
  // Nothing ticked: p unchanged, velocity untouched.
  spunte = {false, false, false, false};
  s.VelocitaAria = 7;
  EXPECT_EQ(SottraiPerditeAccessori(55, acc, 0.5f, s), 55);
  EXPECT_EQ(s.VelocitaAria, 7);
  // Fewer ticks than rows: the missing ones count as not ticked.
  AccessoriModello corto{righe, std::span<const bool>(spunte.data(), 1), 0.5f, 2};
  EXPECT_EQ(SommaPerditeAccessori(55, corto, 0.5f, s), 55);
}

TEST(Accessori, PassaggioNulloEErrore) {
  const std::vector<AccessorioDP> righe = {{10, 2, "S"}};
  const std::array<bool, 1> spunte{true};
  StatoCalcolo s;
  AccessoriModello acc{righe, spunte, 0.5f, 0};
  EXPECT_THROW(SommaPerditeAccessori(0, acc, 0.1f, s), ErroreCalcolo);
}

TEST(Accessori, RicercaConESenzaAccessori) {
  const std::vector<AccessorioDP> righe = {{10, 2, "N"}};
  std::array<bool, 1> spunte{false};
  StatoCalcolo s;
  AccessoriModello acc{righe, spunte, 0.1f, 0};
  const CurvaVentilatore rmb{-400.0f / (3000.0f * 3000.0f), 0, 400};
  const auto nuda = PortataDaPressioneAcc(100, rmb, 0, acc, s);
  const auto uguale = PortataDaPressioneAcc(100, rmb, 1, acc, s);  // nothing ticked
  ASSERT_TRUE(nuda && uguale);
  EXPECT_EQ(*nuda, *uguale);
  spunte[0] = true;
  const auto ridotta = PortataDaPressioneAcc(100, rmb, 1, acc, s);
  ASSERT_TRUE(ridotta);
  EXPECT_LT(*ridotta, *nuda);
  const double netta = PressioneCurva(*ridotta, rmb) - 10 * std::pow(*ridotta / 3600.0 / 0.1, 2);
  EXPECT_NEAR(netta, 100, 0.02);
  spunte[0] = true;
  EXPECT_EQ(*PortataDaPressioneAcc(100, rmb, 0, acc, s), *nuda);  // k = 0 ignores the ticks
}

TEST(Suono, PressioneSonoraADistanza) {
  EXPECT_NEAR(CalcolaPressioneSonora(50, 1, 2), 42.02, 5e-3);
  EXPECT_NEAR(CalcolaPressioneSonora(50, 1, 8), 48.04, 5e-3);
  EXPECT_NEAR(CalcolaPressioneSonora(50, 1, 2) - CalcolaPressioneSonora(50, 2, 2), 6.02, 5e-3);
  EXPECT_NEAR(CalcolaPressioneSonora(50, 1, 4) - CalcolaPressioneSonora(50, 1, 2), 3.01, 5e-3);
  EXPECT_GT(CalcolaPressioneSonora(50, 0.79f, 8), 50);
  EXPECT_LT(CalcolaPressioneSonora(50, 0.8f, 8), 50);
  EXPECT_DOUBLE_EQ(Log10(1000), 3);
  EXPECT_DOUBLE_EQ(Log10(1), 0);
}

TEST(Suono, DistanzaNullaODirettivitaNonPositivaSonoErrori) {
  try {
    CalcolaPressioneSonora(50, 0, 2);
    FAIL();
  } catch (const ErroreCalcolo& e) {
    EXPECT_EQ(e.numero(), ErrDivisionePerZero);
  }
  EXPECT_THROW(CalcolaPressioneSonora(50, 1, 0), ErroreCalcolo);
  EXPECT_THROW(Log10(-1), ErroreCalcolo);
}
