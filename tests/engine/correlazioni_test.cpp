#include <gtest/gtest.h>

#include <cmath>

#include "engine/correlazioni.h"
#include "engine/proprieta.h"

using namespace motore;

namespace {
struct Base : testing::Test {
  CostantiBatteria c;
  StatoCalcolo s;
  void SetUp() override {
    ImpostaCostantiKalvo(c);
    s.CoeffC30 = 35;
    s.LunghezzaBatteria = 0.5f;
    s.LambdaW = 0.58f;
    s.PrW = 9.5f;
    s.TipoTransizione = 2;
  }
  void Geometria(int g) {
    s.EspAria1 = c.TabEspAria1[g];
    s.EspAria3 = c.TabEspAria3[g];
    s.EspAria4 = c.TabEspAria4[g];
    s.EspAria5 = c.TabEspAria5[g];
    s.EspAria6 = c.TabEspAria6[g];
  }
};
using CoeffAria = Base;
using CoeffAcqua = Base;
using Idraulica = Base;
}  // namespace

TEST_F(CoeffAria, PerTipoDiGeometria) {
  Geometria(0);
  EXPECT_FLOAT_EQ(CoeffLatoAria(3, 2, 0, 18, s, c), 35);  // exponent 0
  Geometria(1);
  EXPECT_NEAR(CoeffLatoAria(1, 2, 1, 18, s, c), 35 * std::pow(2.0, 0.32), 1e-4);
  EXPECT_NEAR(CoeffLatoAria(2, 2, 1, 18, s, c), 35 * std::pow(2.0, 0.47), 1e-4);
  Geometria(2);
  const double n12 = (0.65 - 0.025 * 12) * std::pow(3.0, 0.23);
  EXPECT_NEAR(CoeffLatoAria(3, 2, 2, 21, s, c), std::pow(12.0, 0.6) * 35 * std::pow(2.0, n12), 1e-3);
  const double n16 = (0.65 - 0.025 * 16) * std::pow(3.0, 0.23);
  EXPECT_NEAR(CoeffLatoAria(3, 2, 2, 16, s, c), std::pow(16.0, 0.6) * 35 * std::pow(2.0, n16), 1e-3);
  Geometria(3);
  EXPECT_NEAR(CoeffLatoAria(3, 2, 3, 18, s, c),
              std::pow(3.0, -0.165) * 35 * std::pow(2.0, 0.3 * std::pow(3.0, -0.1)), 1e-4);
  EXPECT_EQ(CoeffLatoAria(3, 2, 4, 18, s, c), 0);
  EXPECT_EQ(CoeffLatoAria(3, 2, -1, 18, s, c), 0);
}

TEST_F(CoeffAria, PotenzeInDoppiaPrecisione) {
  // Each power is taken in double precision on the single-precision
  // operands; only the coefficient is rounded to single. These velocities
  // and rows are ones where a power in single precision lands one unit of
  // the last place away.
  const double c30 = 35;
  auto d = [](float f) { return static_cast<double>(f); };
  Geometria(1);
  EXPECT_EQ(CoeffLatoAria(1, 0.75f, 1, 18, s, c), static_cast<float>(c30 * std::pow(d(0.75f), d(0.32f))));
  EXPECT_EQ(CoeffLatoAria(2, 1.25f, 1, 18, s, c), static_cast<float>(c30 * std::pow(d(1.25f), d(0.47f))));
  Geometria(2);
  const double esp2 = (d(-0.025f) * 12 + d(0.65f)) * std::pow(2.0, d(0.23f));
  EXPECT_EQ(CoeffLatoAria(2, 0.5f, 2, 21, s, c),
            static_cast<float>(std::pow(12.0, d(0.6f)) * c30 * std::pow(0.5, esp2)));
  Geometria(3);
  EXPECT_EQ(
      CoeffLatoAria(2, 0.5f, 3, 18, s, c),
      static_cast<float>(std::pow(2.0, d(-0.165f)) * c30 * std::pow(0.5, d(0.3f) * std::pow(2.0, d(-0.1f)))));
}

TEST_F(CoeffAria, DatiImpossibiliDannoZero) {
  Geometria(2);
  EXPECT_EQ(CoeffLatoAria(3, 2, 2, 0, s, c), 0);  // fin pitch 0
  Geometria(3);
  EXPECT_EQ(CoeffLatoAria(3, INFINITY, 3, 18, s, c), 0);  // zero face area upstream
  EXPECT_EQ(CoeffLatoAria(3, NAN, 3, 18, s, c), 0);
  EXPECT_EQ(CoeffLatoAria(0, 2, 3, 18, s, c), 0);
}

TEST_F(CoeffAcqua, RegimiDiFlusso) {
  const double d = c.DiametroTubo, l = s.LunghezzaBatteria;
  s.FlagPassaggio = 0;
  s.ReW = 2300;
  EXPECT_NEAR(CoeffLatoAcqua(s, c), 0.58 * 1.86 * std::pow(2300 * 9.5 * d / l, 0.33) / d, 0.05);
  const double ht = 0.58 * 0.023 * std::pow(10000.0, 0.8) * std::pow(9.5, 0.33) / d;
  s.ReW = 10000;
  EXPECT_NEAR(CoeffLatoAcqua(s, c), ht, ht * 1e-6);
  s.ReW = 10001;
  EXPECT_NEAR(CoeffLatoAcqua(s, c), 0.58 * 0.023 * std::pow(10001.0, 0.8) * std::pow(9.5, 0.33) / d, 0.1);
  s.FlagPassaggio = 1;  // heating takes the Prandtl exponent 0.3
  EXPECT_NEAR(CoeffLatoAcqua(s, c), 0.58 * 0.023 * std::pow(10001.0, 0.8) * std::pow(9.5, 0.3) / d, 0.1);
}

TEST_F(CoeffAcqua, TransizioneLineare) {
  s.FlagPassaggio = 0;
  s.ReW = 2301;
  const float a = CoeffLatoAcqua(s, c);
  s.ReW = 5000;
  const float b = CoeffLatoAcqua(s, c);
  s.ReW = 7699;
  const float m = CoeffLatoAcqua(s, c);
  EXPECT_NEAR(b - a, (m - a) * (5000.0 - 2301) / (7699 - 2301), 0.05);  // linear in Re
  s.ReW = 2300;
  EXPECT_NEAR(a, CoeffLatoAcqua(s, c), 1.0);  // tends to the laminar value
}

TEST_F(CoeffAcqua, TransizioneSmorzataEAltreRegole) {
  s.FlagPassaggio = 0;
  s.TipoTransizione = 1;
  s.ReW = 3400;
  const double d = 0.081751 + 0.0199491;  // about 0.1017
  EXPECT_NEAR(CoeffLatoAcqua(s, c),
              0.58 * 0.023 * std::pow(3400.0, 0.8 - d) * std::pow(9.5, 0.33) / c.DiametroTubo, 0.05);
  s.ReW = 10000;  // the damping has turned slightly negative: d about -0.0029
  const double h10000 =
      0.58 * 0.023 * std::pow(10000.0, 0.8 + 0.002897) * std::pow(9.5, 0.33) / c.DiametroTubo;
  EXPECT_NEAR(CoeffLatoAcqua(s, c), h10000, h10000 * 2e-5);
  s.ReW = 3400;
  s.TipoTransizione = 0;
  EXPECT_NEAR(CoeffLatoAcqua(s, c),
              0.58 * 0.023 * std::pow(3400.0, 0.8) * std::pow(9.5, 0.33) / c.DiametroTubo, 0.05);
  s.TipoTransizione = 3;
  EXPECT_EQ(CoeffLatoAcqua(s, c), 0);
  s.ReW = 1000;  // laminar whatever the rule
  EXPECT_GT(CoeffLatoAcqua(s, c), 0);
}

TEST_F(CoeffAcqua, DatiImpossibiliSonoErrori) {
  s.ReW = -100;
  EXPECT_THROW(CoeffLatoAcqua(s, c), ErroreCalcolo);
  s.ReW = 1000;
  s.LunghezzaBatteria = 0;
  EXPECT_THROW(CoeffLatoAcqua(s, c), ErroreCalcolo);
  s.ReW = 0;
  s.LunghezzaBatteria = 0.5f;
  EXPECT_EQ(CoeffLatoAcqua(s, c), 0);  // no flow, no coefficient
}

TEST(MediaLogaritmica, Temperature) {
  EXPECT_NEAR(CalcolaDTML(80, 70, 20, 40, 1), 44.81, 5e-3);
  EXPECT_NEAR(CalcolaDTML(80, 70, 20, 40, 2), 2 * 44.81, 1e-2);
  EXPECT_NEAR(CalcolaDTML(70, 60, 20, 30, 1), 40.0005, 2e-4);  // equal end differences
  EXPECT_EQ(CalcolaDTML(10, 20, 20, 5, 1), 0);                 // first difference 0
  EXPECT_EQ(CalcolaDTML(10, 15, 20, 5, 1), 0);                 // ratio below 0
}

TEST(MediaLogaritmica, EntalpieELaCopiaLocale) {
  // c - b = 20, d - a = 10
  EXPECT_NEAR(CalcolaDEML(30, 35, 55, 40, 1), 10 / std::log(2.0), 1e-4);
  float ta2 = 30;
  const float r = CalcolaDTML(70, 60, 20, ta2, 1);
  EXPECT_NEAR(r, 40.0005, 2e-4);
  EXPECT_EQ(ta2, 30);  // the caller's value is never lowered
  EXPECT_NEAR(CalcolaDEML(30, 35, 55, 50, 1), 20.0, 1e-2);
}

TEST_F(Idraulica, VelocitaReynoldsLunghezza) {
  EXPECT_NEAR(VelocitaAcqua(1e-4, 2, c), 1e-4 / (2 * 3.14 * 0.0047 * 0.0047), 1e-6);
  EXPECT_EQ(VelocitaAcqua(1e-4, 0, c), 0);
  EXPECT_NEAR(NumeroReynolds(1, 20, 0.001f, c), 0.0094 * DensAcqua(20) / 0.001, 0.05);
  EXPECT_EQ(NumeroReynolds(1, 20, 0, c), 0);
  s.NumeroCircuiti = 2;
  s.CoeffC50 = 1;
  s.AltezzaBatteria = 0.2f;
  EXPECT_NEAR(CalcolaLunghezzaCircuito(24, s, c), 11 * 0.3 + 0.5 * 12 + 0.2, 1e-5);
  EXPECT_NEAR(CalcolaLunghezzaCircuito(2, s, c), 0.5 + 0.2, 1e-6);  // one tube per circuit
  s.NumeroCircuiti = 0;
  EXPECT_EQ(CalcolaLunghezzaCircuito(24, s, c), 0);
}

TEST_F(Idraulica, PerditaDiCaricoESegnaleDiPerditaBassa) {
  s.ReW = 10000;
  s.LunghezzaCircuito = 9.7f;
  s.VelW = 1;
  const double atteso = 0.3164 / std::pow(10000.0, 0.25) * 9.7 / 0.0094 / 2;
  EXPECT_NEAR(PerditaCaricoAcqua(s, c), atteso, 1e-4);
  EXPECT_EQ(s.FlagBassaPerdita, Falso);
  // Choose the velocity that gives just under 3 kPa, then exactly 3.
  s.VelW = static_cast<float>(std::sqrt(2.999 / atteso));
  EXPECT_LT(PerditaCaricoAcqua(s, c), 3.0f);
  EXPECT_EQ(s.FlagBassaPerdita, Vero);
  s.FlagBassaPerdita = Falso;
  s.VelW = static_cast<float>(std::sqrt(3.0005 / atteso));
  EXPECT_GE(PerditaCaricoAcqua(s, c), 3.0f);
  EXPECT_EQ(s.FlagBassaPerdita, Falso);
  s.ReW = 0;
  EXPECT_EQ(PerditaCaricoAcqua(s, c), 0);
}

TEST_F(Base, FattoreDiBypass) {
  s.GeomCorrente = 3;
  s.CoeffC100 = 0.7f;
  s.CpA = 1.006f;
  s.RhoA = 1.18f;
  s.VelocitaAria = 0.944f;
  EXPECT_NEAR(FattoreBypass(3, 2, 60, s, c),
              0.7 * std::pow(2.718, -(25.4 * 60 * 3) / (1.006 * 1.18 * 0.944 * 1000)), 1e-5);
  s.VelocitaAria = 0;
  EXPECT_THROW(FattoreBypass(3, 2, 60, s, c), ErroreCalcolo);
  s.VelocitaAria = 1;
  EXPECT_THROW(FattoreBypass(3, 9, 60, s, c), ErroreCalcolo);
}
