#include <gtest/gtest.h>

#include <cmath>

#include "engine/correlazioni.h"
#include "engine/passi.h"
#include "engine/proprieta.h"
#include "engine/psicrometria.h"

using namespace motore;

namespace {
// The example fan coil at 340 m3/h: coil 500 x 200 mm, 3 rows, 2 circuits,
// geometry 3, fin-pitch code 2.
struct Passo : testing::Test {
  CostantiBatteria c;
  StatoCalcolo s;
  void SetUp() override {
    ImpostaCostantiKalvo(c);
    s.TipoTransizione = 2;
    s.GeomCorrente = 3;
    s.PassoCorrente = 2;
    s.NumeroRanghi = 3;
    s.NumeroCircuiti = 2;
    s.LunghezzaBatteria = 0.5f;
    s.AltezzaBatteria = 0.2f;
    s.SuperficieFrontale = 0.1f;
    s.EspAria1 = c.TabEspAria1[3];
    s.EspAria5 = c.TabEspAria5[3];
    s.EspAria6 = c.TabEspAria6[3];
    s.PortataAria = 340.0f / 3600.0f;
    s.VelocitaAria = s.PortataAria / s.SuperficieFrontale;
    s.CoeffC30 = 35;
    s.HA = CoeffLatoAria(3, s.VelocitaAria, 3, c.TabPassoAlette[2], s, c);
  }
  void Acqua(float tw1, float tw2, double qw) {
    s.Tw1 = tw1;
    s.Tw2 = tw2;
    s.QwCalcolo = qw;
    s.TwMedia = (tw1 + tw2) / 2;
    s.CpW = CpAcqua(s.TwMedia);
    s.RhoW = DensAcqua(s.TwMedia);
    s.MuW = ViscAcqua(s.TwMedia);
    s.LambdaW = ConducAcqua(s.TwMedia);
    s.PrW = s.CpW * s.MuW * 3600 / (s.LambdaW * 3.6f);
  }
  void Caldo() {
    s.FlagPassaggio = 1;
    s.Ta1 = 20;
    s.RhoA = DensitaAria(20, 0);
    s.CpA = CpAria(20);
  }
  void Freddo() {
    s.FlagPassaggio = 0;
    s.Ta1 = 27;
    s.URAria1 = 46.8f;
    s.RhoA = DensitaAria(27, s.URAria1);
    s.CpA = CpAria(27);
    s.TbuAria1 = BulboUmidoDaUR(27, s.URAria1, s);
    s.EntAria1 = EntalpiaAria(s.TbuAria1, 27);
    s.EntSat1 = EntalpiaAria(7, 7);
  }
};
}  // namespace

TEST_F(Passo, CaldoBilancioLatoAcquaEAria) {
  Caldo();
  Acqua(70, 60, 1.1e-4);
  CalcolaBatteriaCaldo(s, c);
  const double qa = s.CpW * 1.1e-4 * s.RhoW * 1000 * 10;
  EXPECT_NEAR(s.QAcqua, qa, qa * 1e-6);
  EXPECT_NEAR(s.Ta2, 20 + qa / (s.RhoA * s.PortataAria * s.CpA * 1000), 1e-4);
  EXPECT_GT(s.QBatteria, 0);
  EXPECT_NEAR(s.UGlobale, 25.4 / (21.85 / s.HW + 1 / s.HA), 1e-3);
  EXPECT_NEAR(s.QBatteria, s.UGlobale * s.DTML * 0.1 * 3, 0.05);
}

TEST_F(Passo, CaldoSenzaSaltoTermico) {
  Caldo();
  Acqua(70, 70, 1e-4);
  CalcolaBatteriaCaldo(s, c);
  EXPECT_EQ(s.QAcqua, 0);
  EXPECT_EQ(s.Ta2, s.Ta1);
}

TEST_F(Passo, FreddoUmidoScriveSoloLEntalpia) {
  Freddo();
  Acqua(7, 12, 1e-4);
  s.FlagSecca = Falso;
  s.EntSat2 = EntalpiaAria(12, 12);
  s.PendenzaSat = PendenzaEntalpiaSat(s.TwMedia);
  s.Ta2 = -5;
  CalcolaBatteriaFreddo(s, c);
  EXPECT_EQ(s.Ta2, -5);
  EXPECT_NEAR(s.EntAria2, s.EntAria1 - s.QAcqua / (s.RhoA * s.PortataAria * 1000), 1e-4);
  EXPECT_GT(s.QBatteria, 0);
}

TEST_F(Passo, FreddoSeccoScriveSoloLaTemperatura) {
  Freddo();
  Acqua(7, 12, 1e-4);
  s.FlagSecca = Vero;
  s.EntAria2 = -5;
  CalcolaBatteriaFreddo(s, c);
  EXPECT_EQ(s.EntAria2, -5);
  EXPECT_NEAR(s.Ta2, 27 - s.QAcqua / (s.RhoA * s.PortataAria * s.CpA * 1000), 1e-4);
  EXPECT_EQ(s.Tw1, 7);  // the inlet water temperature is never lowered
}

TEST_F(Passo, MinimoDelCoefficienteLatoAcqua) {
  Freddo();
  Acqua(7, 12, 1e-6);  // a trickle: laminar, far below the floor
  s.FlagSecca = Vero;
  CalcolaBatteriaFreddo(s, c);
  EXPECT_EQ(s.HW, 900);
  Acqua(7, 12, 3e-4);
  CalcolaBatteriaFreddo(s, c);
  EXPECT_GT(s.HW, 1200);
  Caldo();
  Acqua(70, 60, 1e-6);  // no floor in heating
  CalcolaBatteriaCaldo(s, c);
  EXPECT_LT(s.HW, 900);
}

TEST_F(Passo, DatiImpossibiliSonoErroriNonNaN) {
  Caldo();
  Acqua(70, 60, 1e-4);
  s.NumeroCircuiti = 0;  // no circuits: no water-side coefficient
  EXPECT_THROW(CalcolaBatteriaCaldo(s, c), ErroreCalcolo);
  s.NumeroCircuiti = 2;
  s.HA = 0;
  EXPECT_THROW(CalcolaBatteriaCaldo(s, c), ErroreCalcolo);
  s.HA = 60;
  s.PortataAria = 0;
  EXPECT_THROW(CalcolaBatteriaCaldo(s, c), ErroreCalcolo);
  s.PortataAria = 0.1f;
  s.QwCalcolo = -1e-4;
  EXPECT_THROW(CalcolaBatteriaCaldo(s, c), ErroreCalcolo);
  s.QwCalcolo = 1e-4;
  s.PassoCorrente = 9;
  EXPECT_THROW(CalcolaBatteriaCaldo(s, c), ErroreCalcolo);
  s.PassoCorrente = 2;
  Freddo();
  s.HA = 0;
  EXPECT_THROW(CalcolaBatteriaFreddo(s, c), ErroreCalcolo);
}

TEST_F(Passo, CelleNulleDannoCapacitaNulla) {
  Caldo();
  Acqua(70, 60, 1e-4);
  s.PassoCorrente = 6;  // an unset cell: K = R = 0
  CalcolaBatteriaCaldo(s, c);
  EXPECT_EQ(s.QBatteria, 0);
}
