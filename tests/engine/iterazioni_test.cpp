#include <gtest/gtest.h>

#include <cmath>

#include "tools/banco_prova.h"

using namespace motore;
using namespace motore::prova;

namespace {

bool MultiploDi10(float w) { return std::fmod(w, 10.0f) == 0.0f; }

struct Valutazione : testing::Test {
  BancoProva b;
  CondizioniFreddo standard;  // 27 C / 19 C wet bulb, water 7/12 C
  void SetUp() override {
    standard.UR = UmiditaRelativa(27, 19);
    b.Modello({}, 340);  // the example fan coil
  }
  void FreddoAZero() const {
    EXPECT_EQ(b.s.PotFreddoTot, 0);
    EXPECT_EQ(b.s.PotFreddoSens, 0);
    EXPECT_EQ(b.s.QwFreddo, 0);
    EXPECT_EQ(b.s.Tw2Freddo, 0);
    EXPECT_EQ(b.s.DpwFreddo, 0);
    EXPECT_EQ(b.s.Ta2Freddo, 0);
  }
  void CaldoAZero() const {
    EXPECT_EQ(b.s.PotCaldo, 0);
    EXPECT_EQ(b.s.QwCaldo, 0);
    EXPECT_EQ(b.s.Tw2Caldo, 0);
    EXPECT_EQ(b.s.DpwCaldo, 0);
    EXPECT_EQ(b.s.Ta2Caldo, 0);
  }
};
using FaltiFreddo = Valutazione;
using FaltiCaldo = Valutazione;

}  // namespace

TEST(PassiComuni, ErroreEConvergenza) {
  EXPECT_EQ(ErroreCapacita(1000, 1000), 0);
  EXPECT_EQ(ErroreCapacita(500, 0), -1);
  EXPECT_EQ(ErroreCapacita(500, -3), -1);
  EXPECT_NEAR(ErroreCapacita(900, 1000), 10, 1e-5);
  EXPECT_FALSE(Convergente(0.05f));  // exactly 0.05 % goes on
  EXPECT_FALSE(Convergente(-0.05f));
  EXPECT_TRUE(Convergente(0.0499f));
  EXPECT_TRUE(Convergente(-0.0499f));
  EXPECT_FALSE(Convergente(-1));
}

TEST(PassiComuni, ArrotondamentoA10W) {
  EXPECT_EQ(ArrotondaPotenza(1245), 1240);
  EXPECT_EQ(ArrotondaPotenza(1255), 1260);
  EXPECT_EQ(ArrotondaPotenza(2345), 2340);
  EXPECT_EQ(ArrotondaPotenza(1755), 1760);
  EXPECT_EQ(ArrotondaPotenza(1754.9), 1750);
  // Above 32,765 W a sensible capacity is still a valid result.
  EXPECT_EQ(ArrotondaPotenza(32766), 32770);
  EXPECT_EQ(ArrotondaPotenza(77094.7), 77090);
  EXPECT_THROW(ArrotondaPotenza(1e12), ErroreCalcolo);
}

TEST(PassiComuni, SeccaAl95PerCentoEStimaUmidita) {
  EXPECT_TRUE(SensibileComeSecca(950, 1000));
  EXPECT_TRUE(SensibileComeSecca(0.95f * 1000, 1000));
  EXPECT_FALSE(SensibileComeSecca(949.99f, 1000));
  EXPECT_EQ(StimaURUscita(50), 90);
  EXPECT_EQ(StimaURUscita(40), 80);
  EXPECT_EQ(StimaURUscita(45), 90);
  EXPECT_EQ(StimaURUscita(20), 40);
}

TEST_F(Valutazione, VentilconvettoreInRaffrescamento) {
  ASSERT_TRUE(b.Raffredda(standard));
  EXPECT_EQ(b.s.FlagSecca, Falso);
  EXPECT_NEAR(b.s.PotFreddoTot, 2020, 100);
  EXPECT_NEAR(b.s.PotFreddoSens, 1520, 80);
  EXPECT_TRUE(MultiploDi10(b.s.PotFreddoTot));
  EXPECT_TRUE(MultiploDi10(b.s.PotFreddoSens));
  EXPECT_NEAR(b.s.QwFreddo * 3.6e6, 347, 20);  // l/h
  EXPECT_NEAR(b.s.DpwFreddo, 9, 1.5);
  EXPECT_NEAR(b.s.Ta2Freddo, 13.2, 0.5);
  EXPECT_GT(b.s.URCalcolata, 80);
  EXPECT_LE(b.s.URCalcolata, 100);
  EXPECT_EQ(b.s.Tw2Freddo, 0);  // the flow was sought, not the outlet temperature

  // The same duty with the flow given finds the outlet temperature back.
  const float tot = b.s.PotFreddoTot, qw = b.s.QwFreddo;
  CondizioniFreddo conPortata = standard;
  conPortata.Tw2Dato = 0;
  conPortata.QwDato = qw;
  ASSERT_TRUE(b.Raffredda(conPortata));
  EXPECT_NEAR(b.s.Tw2Freddo, 12, 0.05);
  EXPECT_NEAR(b.s.PotFreddoTot, tot, 20);
  EXPECT_EQ(b.s.QwFreddo, 0);
}

TEST_F(Valutazione, VentilconvettoreInRiscaldamento) {
  ASSERT_TRUE(b.Riscalda({}));  // 20 C air, water 70/60 C
  EXPECT_NEAR(b.s.PotCaldo, 4430, 150);
  EXPECT_TRUE(MultiploDi10(b.s.PotCaldo));
  EXPECT_NEAR(b.s.Ta2Caldo, 20 + b.s.QBatteria / (b.s.PortataAria * 1000 * b.s.RhoA * b.s.CpA), 1e-3);
  EXPECT_GT(b.s.DpwCaldo, 3);
  const float pot = b.s.PotCaldo, qw = b.s.QwCaldo;
  EXPECT_NEAR(qw, pot / (4.19 * 977 * 1000 * 10), qw * 0.02);

  CondizioniCaldo conPortata;
  conPortata.Tw2Dato = 0;
  conPortata.QwDato = qw;
  ASSERT_TRUE(b.Riscalda(conPortata));
  EXPECT_NEAR(b.s.Tw2Caldo, 60, 0.05);
  EXPECT_NEAR(b.s.PotCaldo, pot, 20);

  CondizioniCaldo bassa;
  bassa.Tw1 = 45;
  bassa.Tw2Dato = 40;
  ASSERT_TRUE(b.Riscalda(bassa));
  EXPECT_NEAR(b.s.PotCaldo, 2190, 100);
}

TEST_F(Valutazione, SerieDiModelliPlausibile) {
  // Sizes of a fan-coil range at top speed: capacities grow with size,
  // the sensible share stays near 0.7 to 0.8.
  const ModelloProva taglie[] = {{3, 2, 450, 200, 3, 2, 35, 35, 0.7f, 1},
                                 {3, 2, 600, 200, 3, 2, 35, 35, 0.7f, 1},
                                 {3, 2, 800, 250, 3, 3, 35, 35, 0.7f, 1},
                                 {3, 2, 1000, 250, 3, 4, 35, 35, 0.7f, 1},
                                 {3, 2, 1200, 300, 3, 4, 35, 35, 0.7f, 1}};
  const float portate[] = {290, 420, 650, 850, 1200};
  float precedente = 0;
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i + 1);
    b.Modello(taglie[i], portate[i]);
    ASSERT_TRUE(b.Raffredda(standard));
    EXPECT_GT(b.s.PotFreddoTot, precedente);
    const float shr = b.s.PotFreddoSens / b.s.PotFreddoTot;
    EXPECT_GT(shr, 0.65);
    EXPECT_LT(shr, 0.85);
    EXPECT_GT(b.s.DpwFreddo, 2);
    EXPECT_LT(b.s.DpwFreddo, 80);
    precedente = b.s.PotFreddoTot;
    ASSERT_TRUE(b.Riscalda({}));
    EXPECT_GT(b.s.PotCaldo, 1.8 * b.s.PotFreddoTot);
  }
}

TEST_F(Valutazione, GlicoleRiduceLaResa) {
  ASSERT_TRUE(b.Raffredda(standard));
  const float acqua = b.s.PotFreddoTot;
  CondizioniFreddo glicole = standard;
  glicole.Glicole = 30;
  ASSERT_TRUE(b.Raffredda(glicole));
  EXPECT_LT(b.s.PotFreddoTot, acqua);
  EXPECT_GT(b.s.PotFreddoTot, 0.5 * acqua);
  CondizioniCaldo caldo;
  caldo.Glicole = 0.1f;  // any share above 0 takes the glycol fits
  ASSERT_TRUE(b.Riscalda(caldo));
  EXPECT_NEAR(b.s.CpW, CpGlicole(65, 0.1f), 1e-6);
}

TEST_F(Valutazione, AriaSeccaPassaAllaBatteriaSecca) {
  CondizioniFreddo secca = standard;
  secca.UR = 30;  // little moisture: sensible reaches 95 % of the total
  ASSERT_TRUE(b.Raffredda(secca));
  EXPECT_EQ(b.s.FlagSecca, Vero);
  EXPECT_LE(b.s.PotFreddoSens, b.s.PotFreddoTot);
  EXPECT_NEAR(b.s.PotFreddoSens, b.s.PotFreddoTot, 10);
  EXPECT_LT(b.s.URCalcolata, 100);
}

TEST_F(FaltiFreddo, SensibileOltre32765WEValida) {
  // A large coil with hot, dry air.
  ModelloProva grande;
  grande.LunBat = 2000;
  grande.AltBat = 1000;
  grande.NR = 4;
  grande.NC = 32;
  b.Modello(grande, 9000);
  CondizioniFreddo calda;
  calda.Ta1 = 40;
  calda.UR = 20;
  ASSERT_TRUE(b.Raffredda(calda));
  EXPECT_GT(b.s.PotFreddoSens, 32765);
  EXPECT_TRUE(MultiploDi10(b.s.PotFreddoSens));
  EXPECT_GE(b.s.PotFreddoTot, b.s.PotFreddoSens);
}

TEST_F(FaltiFreddo, AcquaCaldaOAriaSecca) {
  // The wet bracket would hold only negative flows: straight to the dry search.
  CondizioniFreddo k;
  k.Ta1 = 24;
  k.UR = 40;
  k.Tw1 = 18;
  k.Tw2Dato = 21;
  ASSERT_TRUE(b.Raffredda(k));
  EXPECT_EQ(b.s.FlagSecca, Vero);
  EXPECT_GT(b.s.QwFreddo, 0);
  EXPECT_GT(b.s.EstremoInf, 0);
  EXPECT_GT(b.s.EstremoSup, 0);
  EXPECT_EQ(b.s.PotFreddoTot, b.s.PotFreddoSens);
  EXPECT_GT(b.s.PotFreddoTot, 0);
  EXPECT_LT(b.s.Ta2Freddo, 24);
  EXPECT_GT(b.s.Ta2Freddo, 18);
}

TEST_F(FaltiFreddo, AriaNonPiuCaldaDellAcqua) {
  CondizioniFreddo k;
  k.Ta1 = 17;
  k.UR = 50;
  k.Tw1 = 18;
  k.Tw2Dato = 21;
  EXPECT_FALSE(b.Raffredda(k));
  FreddoAZero();
  k.Tw2Dato = 0;
  k.QwDato = 1e-4f;
  EXPECT_FALSE(b.Raffredda(k));
  FreddoAZero();
}

TEST_F(FaltiFreddo, UscitaNonPiuCaldaDellIngresso) {
  CondizioniFreddo k = standard;
  k.Tw2Dato = 7;  // no water temperature rise
  EXPECT_FALSE(b.Raffredda(k));
  FreddoAZero();
}

TEST_F(FaltiCaldo, AcquaNonPiuCaldaDellAria) {
  CondizioniCaldo k;
  k.Tw1 = 18;
  k.Tw2Dato = 15;
  EXPECT_FALSE(b.Riscalda(k));
  CaldoAZero();
  k.Tw2Dato = 0;
  k.QwDato = 1e-4f;
  EXPECT_FALSE(b.Riscalda(k));
  CaldoAZero();
  CondizioniCaldo inversa;
  inversa.Tw2Dato = 75;  // outlet above the inlet
  EXPECT_FALSE(b.Riscalda(inversa));
  CaldoAZero();
}

TEST_F(FaltiCaldo, SaltoTermicoSottoUnGrado) {
  // A large given flow cools the water by about half a kelvin: the first
  // bracket (up to 1 K below the inlet) holds no solution.
  CondizioniCaldo k;
  k.Tw2Dato = 0;
  k.QwDato = 2e-3f;
  ASSERT_TRUE(b.Riscalda(k));
  EXPECT_GT(b.s.Tw2Caldo, 69);
  EXPECT_LT(b.s.Tw2Caldo, 70);
  EXPECT_GT(b.s.PotCaldo, 4430);
  const double acqua = b.s.CpW * 2e-3 * b.s.RhoW * 1000 * (70 - b.s.Tw2Caldo);
  EXPECT_NEAR(b.s.PotCaldo, acqua, 0.002 * acqua + 10);
}

TEST_F(FaltiCaldo, PortataNullaNessunRisultato) {
  CondizioniCaldo k;
  k.Tw2Dato = 0;  // heating "as in cooling" with no cooling flow found
  k.QwDato = 0;
  EXPECT_FALSE(b.Riscalda(k));
  CaldoAZero();
}

TEST_F(Valutazione, DatiDelModelloCheDividonoPerZero) {
  ModelloProva m;
  m.CC30 = 0;  // zero coil coefficient: no air-side coefficient in heating
  b.Modello(m, 340);
  EXPECT_FALSE(b.Riscalda({}));
  CaldoAZero();

  m = {};
  m.NC = 0;  // no circuits
  b.Modello(m, 340);
  EXPECT_FALSE(b.Riscalda({}));
  CaldoAZero();
  EXPECT_FALSE(b.Raffredda(standard));
  FreddoAZero();

  m = {};
  m.LunBat = 0;  // zero face area
  b.Modello(m, 340);
  EXPECT_FALSE(b.Riscalda({}));
  CaldoAZero();
  EXPECT_FALSE(b.Raffredda(standard));
  FreddoAZero();

  m = {};
  m.Geom = 2;
  m.Passo = 0;  // fin pitch 0 in the type 2 correlation
  b.Modello(m, 340);
  EXPECT_FALSE(b.Riscalda({}));
  CaldoAZero();
}

TEST_F(Valutazione, LimiteDiPassiSenzaRisultati) {
  ModelloProva m;
  m.Passo = 6;  // a cell that holds K = 0: every pass gives no capacity
  b.Modello(m, 340);
  EXPECT_FALSE(b.Raffredda(standard));
  FreddoAZero();
  EXPECT_EQ(b.s.FlagSecca, Vero);  // the wet search gave up, then the dry one
  CondizioniFreddo conPortata = standard;
  conPortata.Tw2Dato = 0;
  conPortata.QwDato = 1e-4f;
  EXPECT_FALSE(b.Raffredda(conPortata));
  FreddoAZero();
  EXPECT_FALSE(b.Riscalda({}));
  CaldoAZero();
  CondizioniCaldo conPortataCaldo;
  conPortataCaldo.Tw2Dato = 0;
  conPortataCaldo.QwDato = 1e-4f;
  EXPECT_FALSE(b.Riscalda(conPortataCaldo));
  CaldoAZero();
}

TEST_F(Valutazione, PerditaBassaSegnalata) {
  ModelloProva m;
  m.NC = 6;  // many circuits: slow water
  b.Modello(m, 340);
  b.s.FlagBassaPerdita = Falso;
  ASSERT_TRUE(b.Raffredda(standard));
  EXPECT_LT(b.s.DpwFreddo, 3);
  EXPECT_EQ(b.s.FlagBassaPerdita, Vero);
}

TEST_F(Valutazione, SeccaSovrasaturaFermataA99e9) {
  // Dry air on a cold coil at a low air flow: the dry rating leaves the air
  // below its dew point. The leaving air is then taken at its wet bulb,
  // with 99.9 %, and the sensible capacity falls below the total.
  b.Modello({}, 150);
  ASSERT_TRUE(b.Raffredda({.Ta1 = 24, .UR = 40, .Tw1 = 5, .Tw2Dato = 13}));
  EXPECT_EQ(b.s.FlagSecca, Vero);
  EXPECT_EQ(b.s.URCalcolata, 99.9f);
  EXPECT_EQ(b.s.Ta2Freddo, b.s.TbuAria2);
  EXPECT_EQ(b.s.Ta2, b.s.TbuAria2);
  EXPECT_LT(b.s.PotFreddoSens, b.s.PotFreddoTot);
  const double sensibile =
      static_cast<double>(b.s.CpA) * b.s.PortataAria * b.s.RhoA * 1000 * (24.0 - b.s.TbuAria2);
  EXPECT_EQ(b.s.PotFreddoSens, ArrotondaPotenza(static_cast<float>(sensibile)));
  // The total is the sensible capacity before the correction.
  EXPECT_EQ(b.s.PotFreddoTot, ArrotondaPotenza(b.s.QBatteria));
  EXPECT_GT(b.s.QBatteria, sensibile);
}

TEST_F(Valutazione, IntervalloSeccoSecondoLaCausaDelPassaggio) {
  // Switched to dry by the 95 % test: the dry search keeps the wet high end
  // of the flow, so the scratch capacity still holds the wet estimate.
  CondizioniFreddo secca = standard;
  secca.UR = 30;
  ASSERT_TRUE(b.Raffredda(secca));
  ASSERT_EQ(b.s.FlagSecca, Vero);
  StatoCalcolo t;
  const float ta2 = 7.1f;
  const float tbu2 = BulboUmidoDaUR(ta2, StimaURUscita(30), t);
  const double aria = static_cast<double>(b.s.RhoA) * b.s.PortataAria * 1000;
  EXPECT_FLOAT_EQ(b.s.PotenzaStima, static_cast<float>(aria * (b.s.EntAria1 - EntalpiaAria(tbu2, ta2))));
  const double perPortata = static_cast<double>(b.s.CpW) * b.s.RhoW * 1000 * (12.0 - 7.0);
  EXPECT_LT(b.s.QwFreddo, b.s.PotenzaStima / perPortata);

  // Switched by the pass limit (a coil that never converges): the dry
  // search runs between the low end and the flow that cools the air
  // sensibly to the inlet water temperature.
  ModelloProva m;
  m.Passo = 6;
  b.Modello(m, 340);
  EXPECT_FALSE(b.Raffredda(standard));
  const double aria2 = static_cast<double>(b.s.RhoA) * b.s.PortataAria * 1000;
  const double perPortata2 = static_cast<double>(b.s.CpW) * b.s.RhoW * 1000 * (12.0 - 7.0);
  EXPECT_FLOAT_EQ(b.s.PotenzaStima, static_cast<float>(aria2 * b.s.CpA * (27.0 - 7.0)));
  const double bassa = static_cast<float>(aria2 * 0.5) / perPortata2;
  const double altaSecca = b.s.PotenzaStima / perPortata2;
  EXPECT_NEAR(b.s.EstremoInf, bassa, bassa * 1e-6);
  // Every pass gave no capacity, so the upper end came down 20 times.
  EXPECT_NEAR((b.s.EstremoSup - b.s.EstremoInf) * (1 << 20), altaSecca - bassa, (altaSecca - bassa) * 1e-4);
}

TEST_F(Valutazione, PortataCercataInDoppiaPrecisione) {
  ASSERT_TRUE(b.Riscalda({}));
  EXPECT_EQ(b.s.QwCaldo, static_cast<float>(b.s.QwCalcolo));
  ASSERT_TRUE(b.Raffredda(standard));
  EXPECT_EQ(b.s.QwFreddo, static_cast<float>(b.s.QwCalcolo));
}
