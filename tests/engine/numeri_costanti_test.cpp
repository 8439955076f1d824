#include <gtest/gtest.h>

#include <cstdint>

#include "engine/costanti.h"
#include "engine/numeri.h"

using namespace motore;

TEST(Numeri, ConversioneArrotondaLeMetaAlPari) {
  EXPECT_EQ(ConvertiIntero<std::int32_t>(124.5), 124);
  EXPECT_EQ(ConvertiIntero<std::int32_t>(125.5), 126);
  EXPECT_EQ(ConvertiIntero<std::int32_t>(-2.5), -2);
  EXPECT_EQ(ConvertiIntero<std::int32_t>(2.4999), 2);
  EXPECT_EQ(ConvertiIntero<std::int16_t>(15.94), 16);
  EXPECT_EQ(ConvertiIntero<std::int16_t>(32767.4), 32767);
}

TEST(Numeri, OverflowSegnalatoComeErrore6) {
  try {
    ConvertiIntero<std::int16_t>(32767.6);
    FAIL();
  } catch (const ErroreCalcolo& e) {
    EXPECT_EQ(e.numero(), ErrOverflow);
  }
  EXPECT_THROW(ConvertiIntero<std::int32_t>(3e9), ErroreCalcolo);
  EXPECT_THROW(ConvertiIntero<std::int32_t>(std::nan("")), ErroreCalcolo);
  EXPECT_EQ(ConvertiIntero<std::int32_t>(3276.6 * 10), 32766);
}

TEST(Numeri, OperazioniProtette) {
  EXPECT_THROW(Dividi(1, 0), ErroreCalcolo);
  EXPECT_THROW(Logaritmo(0), ErroreCalcolo);
  EXPECT_THROW(Logaritmo(-1), ErroreCalcolo);
  EXPECT_THROW(Potenza(-2, 0.5), ErroreCalcolo);
  EXPECT_THROW(Potenza(0, -1), ErroreCalcolo);
  EXPECT_DOUBLE_EQ(Potenza(-2, 2), 4);
  EXPECT_DOUBLE_EQ(Potenza(0, 0.33), 0);
}

TEST(CostantiBatteria, ZeroPrimaDelCaricamento) {
  const CostantiBatteria c;
  EXPECT_EQ(c.CostLaminare, 0);
  EXPECT_EQ(c.DiametroTubo, 0);
  for (int g = 0; g < NumGeometrie; ++g)
    for (int m = 0; m < NumPassi; ++m) {
      EXPECT_EQ(c.TabCoeffK[g][m], 0);
      EXPECT_EQ(c.TabCoeffR[g][m], 0);
    }
}

TEST(CostantiBatteria, FamigliaKalvo) {
  CostantiBatteria c;
  ImpostaCostantiKalvo(c);
  EXPECT_FLOAT_EQ(c.CostLaminare, 1.86f);
  EXPECT_FLOAT_EQ(c.EspPrandtlFreddo, 0.33f);
  EXPECT_FLOAT_EQ(c.CostAttrito, 0.3164f);
  EXPECT_FLOAT_EQ(c.PassoTubi, 0.025f);
  EXPECT_FLOAT_EQ(c.DiametroTubo, 0.0094f);
  EXPECT_FLOAT_EQ(c.TabCoeffK[3][4], 18.5f);
  EXPECT_FLOAT_EQ(c.TabCoeffR[3][4], 15.95f);
  EXPECT_EQ(c.TabCoeffK[1][4], 0);
  EXPECT_EQ(c.TabCoeffR[1][4], 0);
  EXPECT_FLOAT_EQ(c.TabCoeffK[3][1], 28.85f);
  EXPECT_FLOAT_EQ(c.TabCoeffR[2][3], 15.93f);
  EXPECT_EQ(c.TabEspAria1[0], 0);
  EXPECT_FLOAT_EQ(c.TabEspAria6[3], -0.165f);
  for (int m : {0, 5, 6, 7, 8}) {
    EXPECT_EQ(c.TabPassoAlette[m], 0);
    for (int g = 0; g < NumGeometrie; ++g) EXPECT_EQ(c.TabCoeffK[g][m], 0);
  }
  for (int m = 0; m < NumPassi; ++m) EXPECT_EQ(c.TabCoeffK[0][m], 0);
  EXPECT_EQ(c.TabPassoAlette[1], 16);
  EXPECT_EQ(c.TabPassoAlette[4], 25);
}

TEST(CostantiBatteria, UnaFamigliaNonCancellaLeCelleDellAltra) {
  CostantiBatteria c;
  ImpostaCostantiRmb(c);
  EXPECT_FLOAT_EQ(c.TabCoeffK[1][4], 16.04f);
  EXPECT_EQ(c.TabCoeffK[3][4], 0);
  ImpostaCostantiKalvo(c);
  EXPECT_FLOAT_EQ(c.TabCoeffK[1][4], 16.04f);
  EXPECT_FLOAT_EQ(c.TabCoeffR[1][4], 13.59f);
  EXPECT_FLOAT_EQ(c.TabCoeffK[3][4], 18.5f);
  EXPECT_FLOAT_EQ(c.TabCoeffR[3][4], 15.95f);

  CostantiBatteria d, r;
  ImpostaCostantiDvk(d);
  ImpostaCostantiRmb(r);
  EXPECT_EQ(d.TabCoeffK, r.TabCoeffK);
  EXPECT_EQ(d.TabCoeffR, r.TabCoeffR);
}
