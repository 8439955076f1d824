#include <gtest/gtest.h>

#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/unita.h"

using namespace core;

TEST(ValNum, LeggeComeIlProgramma) {
  EXPECT_DOUBLE_EQ(ValNum("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(ValNum("1 2"), 12);
  EXPECT_DOUBLE_EQ(ValNum("1.234,5"), 1.234);
  EXPECT_DOUBLE_EQ(ValNum("2E1"), 20);
  EXPECT_DOUBLE_EQ(ValNum("2D2"), 200);
  EXPECT_DOUBLE_EQ(ValNum(""), 0);
  EXPECT_DOUBLE_EQ(ValNum("abc"), 0);
  EXPECT_DOUBLE_EQ(ValNum(" -3.5kPa"), -3.5);
  EXPECT_DOUBLE_EQ(ValNum("7E"), 7);
  // Every blank is skipped, a no-break space as a space.
  EXPECT_DOUBLE_EQ(ValNum(QStringLiteral("\u00a0500")), 500);
  EXPECT_DOUBLE_EQ(ValNum(QStringLiteral("1\u00a0200\t5")), 12005);
}

TEST(ValNum, LaVersioneColPuntoNonConverteLaVirgola) {
  EXPECT_DOUBLE_EQ(ValNumPunto("0,5"), 0);
  EXPECT_DOUBLE_EQ(ValNumPunto("0.5"), 0.5);
}

TEST(Conversioni, ArrotondanoAlPariESegnalanoOverflow) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(1.6), 2);
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_THROW(CInt(32767.5), ErroreOverflow);
  EXPECT_THROW(CInt(-32769), ErroreOverflow);
  EXPECT_EQ(CLng(32770.5), 32770);
  EXPECT_THROW(CLng(3e9), ErroreOverflow);
}

TEST(NumeroDiSistema, RegoleDelSeparatore) {
  double v = 0;
  EXPECT_TRUE(NumeroDiSistema(" 12,5 ", ",", &v));
  EXPECT_DOUBLE_EQ(v, 12.5);
  EXPECT_TRUE(NumeroDiSistema("1.200,5", ",", &v));
  EXPECT_DOUBLE_EQ(v, 1200.5);
  EXPECT_TRUE(NumeroDiSistema("-0.5", ".", &v));
  EXPECT_DOUBLE_EQ(v, -0.5);
  EXPECT_FALSE(NumeroDiSistema("abc", ".", &v));
  EXPECT_FALSE(NumeroDiSistema("", ".", &v));
  EXPECT_FALSE(NumeroDiSistema("1,2,3x", ".", &v));
}

TEST(TestoNumero, FormatoPredefinito) {
  EXPECT_EQ(TestoNumero(0.5, ","), "0,5");
  EXPECT_EQ(TestoNumero(2, ","), "2");
  EXPECT_EQ(TestoNumero(0.1f, "."), "0.1");
  EXPECT_EQ(TestoNumero(-40, "."), "-40");
  EXPECT_EQ(TestoNumero(1234567, "."), "1234567");
}

TEST(Formatta, Immagini) {
  EXPECT_EQ(Formatta(0.4, "######", "."), "");
  EXPECT_EQ(Formatta(0.5, "######", "."), "1");
  EXPECT_EQ(Formatta(2034.49, "######", "."), "2034");
  EXPECT_EQ(Formatta(0, "0.000", ","), "0,000");
  EXPECT_EQ(Formatta(0.0965, "0.000", "."), "0.097");
  EXPECT_EQ(Formatta(12.34, "###0.0", "."), "12.3");
  EXPECT_EQ(Formatta(0.04, "###0.0", "."), "0.0");
  EXPECT_EQ(Formatta(13.25, "##0.0", ","), "13,3");
  EXPECT_EQ(Formatta(-3.26, "##0.0", "."), "-3.3");
  EXPECT_EQ(Formatta(0.04, "#0.0", "."), "0.0");
  EXPECT_EQ(Formatta(123456, "###", "."), "123456");
  EXPECT_EQ(Formatta(-0.2, "######", "."), "");
}

TEST(Unita, TabelleEConversioni) {
  imp.SepDec = ".";
  RiempiUnita();
  um.UmPortataAria = 2;
  EXPECT_FLOAT_EQ(static_cast<float>(Interno(Grandezza::PortataAria, 1)), 1.0f / 3600);
  EXPECT_EQ(Mostra(Grandezza::PortataAria, 340.0 / 3600), "340");
  um.UmPotenza = 0;
  EXPECT_EQ(Mostra(Grandezza::Potenza, 0.4), "");
  um.UmPotenza = 1;
  EXPECT_EQ(NomeUnita(Grandezza::Potenza), "Cal/h - Frig/h");
  EXPECT_EQ(Mostra(Grandezza::Potenza, 1000), "860");
  um.UmPortataAcqua = 0;
  imp.SepDec = ",";
  EXPECT_EQ(Mostra(Grandezza::PortataAcqua, 0), "0,000");
  um.UmPerditaAcqua = 1;
  EXPECT_EQ(Mostra(Grandezza::PerditaAcqua, 10), "1,0");
  EXPECT_EQ(MostraTemperatura(13.24), "13,2");
  // An index outside its table reads as the first unit.
  um.UmPerditaAria = 7;
  EXPECT_EQ(NomeUnita(Grandezza::PerditaAria), "Pa");
}

// A typed value rewritten in another unit keeps its internal value: the
// unit's decimals, more only where they are needed, an exponent where
// decimals are not enough.
TEST(Unita, RiscritteInUnAltraUnita) {
  RiempiUnita();
  struct Caso {
    Grandezza g;
    int16_t da, a;
    double valore;
    const char* sep;
    const char* testo;
  } casi[] = {
      {Grandezza::PortataAria, 2, 0, 400, ".", "111.11111"},
      {Grandezza::PortataAria, 0, 1, 111.11111, ".", "0.11111111"},
      {Grandezza::PortataAria, 1, 2, 0.11111111, ".", "400"},
      {Grandezza::PortataAria, 2, 0, 360, ",", "100,0"},
      {Grandezza::PerditaAria, 0, 1, 30, ",", "3,06"},
      {Grandezza::PerditaAria, 1, 0, 3.06, ".", "30"},
      {Grandezza::PerditaAria, 1, 0, 3, ".", "29.4117653"},
      {Grandezza::PortataAcqua, 1, 0, -720, ".", "-0.200"},
      // Too small or too large for a dozen decimals: the digits kept.
      {Grandezza::PortataAcqua, 1, 0, 1e-20, ".", "2.7777778E-24"},
      {Grandezza::PortataAcqua, 0, 1, 1e-20, ",", "3,6E-17"},
      {Grandezza::PortataAria, 1, 2, 1e30, ".", "3.6E+33"},
  };
  for (const Caso& c : casi) {
    imp.SepDec = c.sep;
    UnitaMisura prima = um;
    prima.UmPortataAria = prima.UmPerditaAria = prima.UmPortataAcqua = c.da;
    um.UmPortataAria = um.UmPerditaAria = um.UmPortataAcqua = c.a;
    EXPECT_EQ(Riscrivi(c.g, c.valore, prima), c.testo) << c.valore;
  }
}
