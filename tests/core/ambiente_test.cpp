#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/ambiente.h"
#include "core/impostazioni.h"
#include "core/testi.h"
#include "core/unita.h"
#include "platform/ini.h"

using namespace core;

namespace {

void Azzera() {
  imp.SenzaLimiti = imp.FlagDistrict = false;
  imp.ModoUR.clear();
}

void ScriviFile(const QString& percorso, const QByteArray& testo) {
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(testo);
}

}  // namespace

TEST(RigaComando, SoloLaParolaInteraConIlSuoCaso) {
  Azzera();
  ApplicaRigaComando("nolimits");
  EXPECT_TRUE(imp.SenzaLimiti);
  for (const char* altro : {"NOLIMITS", "Nolimits", "nolimits district", " nolimits", ""}) {
    Azzera();
    ApplicaRigaComando(altro);
    EXPECT_FALSE(imp.SenzaLimiti) << altro;
    EXPECT_FALSE(imp.FlagDistrict) << altro;
  }
  Azzera();
  ApplicaRigaComando("district");
  EXPECT_TRUE(imp.FlagDistrict);
  EXPECT_FALSE(imp.SenzaLimiti);
  Azzera();
  ApplicaRigaComando("UR");
  EXPECT_EQ(imp.ModoUR, "UR");
  EXPECT_FALSE(imp.SenzaLimiti);
  EXPECT_FALSE(imp.FlagDistrict);
}

TEST(SeparatoreDecimale, DalTestoDiDieciTerzi) {
  EXPECT_EQ(SeparatoreDaTesto("3,333333"), ",");
  EXPECT_EQ(SeparatoreDaTesto("3.333333"), ".");
  EXPECT_EQ(SeparatoreDaTesto("3333333"), "");
  EXPECT_EQ(SeparatoreDaTesto(",3"), "");  // a mark at position 1 does not count
  EXPECT_FALSE(SeparatoreDecimale().isNull());
}

TEST(CartellaProgramma, UnSoloSeparatoreFinale) {
  EXPECT_EQ(CartellaConSeparatore("/opt/prog"), "/opt/prog/");
  EXPECT_EQ(CartellaConSeparatore("/"), "/");
}

TEST(Impostazioni, LetturaDeiNumeri) {
  EXPECT_EQ(NumeroIni(" 3"), 3);
  EXPECT_EQ(NumeroIni("1,6"), 2);
  EXPECT_EQ(NumeroIni("2.5"), 2);
  EXPECT_EQ(NumeroIni("3.5"), 4);
  EXPECT_EQ(NumeroIni(""), 0);
  EXPECT_EQ(NumeroIni("abc"), 0);
  EXPECT_EQ(NumeroIni("99999"), 0);
  EXPECT_EQ(TestoIndice(4), " 4");
}

TEST(Impostazioni, FileCompletoEValoriFuoriTabella) {
  QTemporaryDir dir;
  imp.PercorsoApp = CartellaConSeparatore(dir.path());
  ScriviFile(FileIni(),
             "[common]\r\nMULTI= 3\r\nOutputDir=uscita\r\nDefault=ENG\r\n[Unmis]\r\nPt=1\r\nQa= 2\r\nQw=9\r\n"
             "DpW=-1\r\nDpA=1\r\n[Lingue]\r\nL0=ITALIANO\r\nL1=EN\r\n");
  LeggiImpostazioni();
  EXPECT_EQ(imp.IndiceLingua, 3);
  EXPECT_EQ(imp.BaseTesti, 700);
  EXPECT_EQ(imp.LinguaDefault, "ENG");
  EXPECT_TRUE(QDir(imp.CartellaOutput).exists());
  EXPECT_TRUE(imp.CartellaOutput.endsWith("uscita"));
  EXPECT_EQ(um.UmPotenza, 1);
  EXPECT_EQ(um.UmPortataAria, 2);
  EXPECT_EQ(um.UmPortataAcqua, 0);  // 9 is outside the table
  EXPECT_EQ(um.UmPerditaAcqua, 0);
  EXPECT_EQ(um.UmPerditaAria, 1);
  EXPECT_EQ(imp.CodiciLingua[0], "ITA");
  EXPECT_EQ(imp.CodiciLingua[1], "EN ");
  EXPECT_EQ(imp.CodiciLingua[2], "   ");
  EXPECT_EQ(imp.CodiciLingua[15], "");
  EXPECT_EQ(um.NomiUmPotenza[1], "Cal/h - Frig/h");
}

TEST(Impostazioni, FileMancanteELinguaFuoriIntervallo) {
  QTemporaryDir dir;
  imp.PercorsoApp = CartellaConSeparatore(dir.path());
  LeggiImpostazioni();
  EXPECT_EQ(imp.IndiceLingua, 0);
  EXPECT_EQ(imp.BaseTesti, 100);
  EXPECT_EQ(imp.CartellaOutput, "");
  EXPECT_EQ(um.UmPortataAria, 0);
  ScriviFile(FileIni(), "[Common]\nMulti=27\n");
  LeggiImpostazioni();
  EXPECT_EQ(imp.IndiceLingua, 0);
}

TEST(Testi, RicadutaInglese) {
  imp.IndiceLingua = 5;
  imp.BaseTesti = 1100;
  EXPECT_EQ(Testo(172), "Power input");
  EXPECT_EQ(Traduci(1100 + 171), "");  // missing in English too: empty text
  imp.BaseTesti = 100;
  EXPECT_EQ(Testo(108), "Il valore deve essere compreso tra ");
  EXPECT_EQ(Testo(95), "Perc.glicole");
  imp.BaseTesti = 300;
  EXPECT_EQ(Testo(95), "Glycol  %");
  EXPECT_EQ(Testo(34), "Info Brivanto 5.0");
}
