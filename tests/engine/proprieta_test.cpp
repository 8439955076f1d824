#include <gtest/gtest.h>

#include <cmath>

#include "engine/glicole.h"
#include "engine/proprieta.h"

using namespace motore;

TEST(ProprietaAcqua, ValoriDiRiferimento) {
  EXPECT_NEAR(CpAcqua(20), 4.1877, 5e-5);
  EXPECT_NEAR(ConducAcqua(20), 0.60338, 5e-6);
  EXPECT_NEAR(DensAcqua(20), 997.75, 5e-3);
  EXPECT_NEAR(ViscAcqua(20), 0.0010117, 5e-8);
  EXPECT_NEAR(CpAria(20), 1.00624, 5e-6);
  EXPECT_FLOAT_EQ(ViscAcqua(0), 0.00168326f);
  EXPECT_NEAR(DensAcqua(0), 1000.85, 5e-3);
  EXPECT_NEAR(CpAcqua(80), 4.1958, 5e-5);
  EXPECT_NEAR(DensAcqua(80), 971.86, 5e-3);
  EXPECT_NEAR(ViscAcqua(80), 0.00035693, 5e-9);
}

TEST(ProprietaAcqua, CalorespecificoConMinimoVerso45Gradi) {
  EXPECT_NEAR(CpAcqua(45), 4.1786, 5e-5);
  EXPECT_NEAR(CpAcqua(0), 4.2076, 5e-5);
  EXPECT_NEAR(CpAcqua(95), 4.2137, 5e-5);
  EXPECT_LT(CpAcqua(45), CpAcqua(35));
  EXPECT_LT(CpAcqua(45), CpAcqua(55));
}

TEST(ProprietaAria, CalorespecificoFra15SottoZeroE95) {
  float minimo = 10, tmin = 0;
  for (float t = -15; t <= 95; t += 0.5f) {
    const float cp = CpAria(t);
    if (cp < minimo) minimo = cp, tmin = t;
    EXPECT_LE(cp, 1.01105f);
  }
  EXPECT_NEAR(minimo, 1.00585, 5e-6);
  EXPECT_NEAR(tmin, -7.5, 1.0);
  EXPECT_NEAR(CpAria(95), 1.0110, 5e-5);
  EXPECT_NEAR(CpAria(35), 1.00677, 5e-6);
  EXPECT_TRUE(std::isfinite(CpAria(-40)));  // no clamp, no error
}

namespace {
struct PuntoGlicole {
  float x, t;
  double cp, conduc, dens, visc;
  double tcp, tconduc, tdens, tvisc;  // half a unit of the last digit shown
};
}  // namespace

TEST(ProprietaGlicole, RiproduconoIValoriDiRiferimento) {
  const PuntoGlicole punti[] = {
      {20, 5, 3.908, 0.5175, 1032.4, 0.002646, 5e-4, 5e-5, 0.05, 5e-7},
      {20, 20, 3.933, 0.5252, 1026.9, 0.001674, 5e-4, 5e-5, 0.05, 5e-7},
      {20, 50, 3.978, 0.5395, 1012.9, 0.0008458, 5e-4, 5e-5, 0.05, 5e-8},
      {20, 80, 4.024, 0.553, 995.0, 0.0005145, 5e-4, 5e-4, 0.05, 5e-8},
      {40, 5, 3.439, 0.456, 1059.3, 0.004921, 5e-4, 5e-4, 0.05, 5e-7},
      {40, 20, 3.503, 0.4559, 1052.4, 0.002937, 5e-4, 5e-5, 0.05, 5e-7},
      {40, 50, 3.618, 0.4556, 1036.1, 0.001353, 5e-4, 5e-5, 0.05, 5e-7},
      {40, 80, 3.719, 0.4552, 1016.6, 0.0007745, 5e-4, 5e-5, 0.05, 5e-8},
      {60, 5, 2.991, 0.3927, 1086.2, 0.009253, 5e-4, 5e-5, 0.05, 5e-7},
      {60, 20, 3.088, 0.3887, 1077.8, 0.005198, 5e-4, 5e-5, 0.05, 5e-7},
      {60, 50, 3.256, 0.3805, 1059.2, 0.002208, 5e-4, 5e-5, 0.05, 5e-7},
      {60, 80, 3.397, 0.3722, 1038.0, 0.001194, 5e-4, 5e-5, 0.05, 5e-7},
      // x = 0: close to, but not equal to, the plain-water fits
      {0, 20, 4.1916, 0.60142, 998.85, 0.00098833, 5e-5, 5e-6, 5e-3, 5e-9},
  };
  for (const auto& p : punti) {
    SCOPED_TRACE(testing::Message() << "x=" << p.x << " t=" << p.t);
    EXPECT_NEAR(CpGlicole(p.t, p.x), p.cp, p.tcp);
    EXPECT_NEAR(ConducGlicole(p.t, p.x), p.conduc, p.tconduc);
    EXPECT_NEAR(DensGlicole(p.t, p.x), p.dens, p.tdens);
    EXPECT_NEAR(ViscGlicole(p.t, p.x), p.visc, p.tvisc);
  }
}

TEST(ProprietaGlicole, ATemperaturaZeroSoloIlTermineCostante) {
  EXPECT_NEAR(CpGlicole(0, 30), 3.6659, 5e-5);
  EXPECT_NEAR(DensGlicole(0, 30), 1047.57, 5e-3);
  const double c0 = 0.248297 + 0.0114403 * 30 + 6.68495e-05 * 900 - 4.20271e-07 * 27000 -
                    6.11731e-09 * 810000 + 7.42797e-11 * 24300000;
  EXPECT_NEAR(ViscGlicole(0, 30), std::pow(10.0, c0) / 1000, 1e-9);
}

TEST(ProprietaGlicole, TabelleConIValoriFissi) {
  const TabelleGlicole& t = CoefficientiGlicole;
  EXPECT_EQ(t.RhoA1[0], -0.942342);
  EXPECT_EQ(t.RhoA3[30], -2.78354e-08);
  EXPECT_EQ(t.CpB1[20], 0.0842);
  EXPECT_EQ(t.CpA3[15], 9.83386e-07);
  EXPECT_EQ(t.LambdaB3[2], -4.6078e-10);
  EXPECT_EQ(t.MuA5[1], -5.43359e-14);
  EXPECT_EQ(t.MuB5[20], -2.35462e-13);
  EXPECT_EQ(t.RhoA1[21], 0);  // spare element above aN
  EXPECT_EQ(t.MuB3[0], 0);    // unused sine element
}

TEST(ProprietaGlicole, AndamentoPlausibileFraIRiferimenti) {
  // Between and around the reference shares the fits stay monotonic in
  // the way glycol-water behaves: heavier, more viscous, lower specific
  // heat as the share rises; thinner as it warms.
  for (float t : {4.f, 20.f, 40.f, 60.f, 80.f, 95.f}) {
    for (float x = 5; x <= 60; x += 5) {
      SCOPED_TRACE(testing::Message() << "x=" << x << " t=" << t);
      EXPECT_LT(CpGlicole(t, x), CpGlicole(t, x - 5));
      EXPECT_GT(DensGlicole(t, x), DensGlicole(t, x - 5));
      EXPECT_GT(ViscGlicole(t, x), ViscGlicole(t, x - 5));
      if (t > 4) {
        EXPECT_LT(ViscGlicole(t, x), ViscGlicole(t - 4, x));
      }
    }
  }
}
