#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>
#include <functional>
#include <utility>
#include <vector>

#include "catalogue/catalogo.h"
#include "catalogue/descrittore.h"
#include "platform/lista_voci.h"
#include "platform/recordset.h"
#include "tests/support/supporto.h"

namespace {

using catalogo::Catalogo;
using catalogo::Famiglia;
using catalogo::kSeparatore;

class ListaProva : public plat::ListaVoci {
 public:
  void Svuota() override {
    voci.clear();
    selezionata = -1;
  }
  void Aggiungi(const std::string& v) override {
    voci.push_back(v);
    if (durante_aggiunta) durante_aggiunta();
  }
  void Seleziona(int p) override { selezionata = p; }
  std::vector<std::string> voci;
  int selezionata = -1;
  std::function<void()> durante_aggiunta;
};

using Caricatore = bool (*)(plat::ListaVoci&, bool, const std::string&);

struct Serie {
  const char* codice;
  Caricatore carica;
  Famiglia famiglia;
  int modelli;    // rows of the sample tables
  int accessori;  // rows of the family's accessory table, -1 none
};

const Serie kSerie[] = {
    {"KALVO", catalogo::CaricaDatiKALVO, Famiglia::Kalvo, 24, -1},
    {"KALVOP", catalogo::CaricaDatiKALVOP, Famiglia::Kalvo, 24, -1},
    {"KALVOEC", catalogo::CaricaDatiKALVOEC, Famiglia::Kalvo, 24, -1},
    {"RMB", catalogo::CaricaDatiRMB, Famiglia::Rmb, 12, 8},
    {"DVK", catalogo::CaricaDatiDVK, Famiglia::Dvk, 12, 10},
    {"RMBBLDC", catalogo::CaricaDatiRMBBLDC, Famiglia::Rmb, 10, 8},
    {"DVKBLDC", catalogo::CaricaDatiDVKBLDC, Famiglia::Dvk, 10, 10},
};

class CatalogoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programma_ = plat::Database::Apri(PROGRAM_DIR "/Mistrel2013.mdb", ";PWD=bremolt");
    catalogo::ImpostaDatabase(programma_.get());
  }
  void TearDown() override { catalogo::ImpostaDatabase(nullptr); }

  // A database of the test's own, made from SQL that may read the program's
  // tables as prog.<table>.
  void UsaDatabase(const std::string& sql) {
    ASSERT_TRUE(dir_.isValid());
    const std::string percorso = dir_.filePath("prova.db").toStdString();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(percorso.c_str(), &db), SQLITE_OK);
    const std::string tutto = "ATTACH '" PROGRAM_DIR "/Mistrel2013.mdb' AS prog;" + sql;
    char* err = nullptr;
    const int rc = sqlite3_exec(db, tutto.c_str(), nullptr, nullptr, &err);
    ASSERT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_close(db);
    prova_ = plat::Database::Apri(percorso, "");
    catalogo::ImpostaDatabase(prova_.get());
  }

  std::unique_ptr<plat::Database> programma_, prova_;
  test::RegistroMessaggi messaggi_;
  ListaProva lista_;
  QTemporaryDir dir_;
};

TEST_F(CatalogoTest, OgniSerieInEntrambiIModi) {
  for (const Serie& s : kSerie) {
    for (bool district : {false, true}) {
      SCOPED_TRACE(std::string(s.codice) + (district ? " district" : ""));
      Catalogo().SerieCorrente = s.codice;
      ASSERT_TRUE(s.carica(lista_, district, "* All"));
      const auto& cat = Catalogo();
      EXPECT_EQ(cat.SerieCorrente, s.codice);
      EXPECT_EQ(catalogo::TrovaSerie(s.codice)->famiglia, s.famiglia);  // the constants its runs take
      ASSERT_EQ(cat.NModelli, s.modelli);
      ASSERT_EQ(lista_.voci.size(), static_cast<std::size_t>(s.modelli) + 1);
      EXPECT_EQ(lista_.voci[0], "* All");
      EXPECT_EQ(lista_.selezionata, 0);
      for (int k = 1; k <= cat.NModelli; ++k) {
        const auto& m = cat.Modelli[k];
        EXPECT_TRUE(lista_.voci[k] == m.Modello || lista_.voci[k] == kSeparatore) << k;
        EXPECT_GE(m.Geom, 1);
        EXPECT_GT(m.LunBat, 0);
        EXPECT_GT(m.NR, 0);
        EXPECT_GT(m.FC30[1], 0);
        EXPECT_GT(m.CC30[1], 0);
        EXPECT_GT(m.C100[1], 0);
        EXPECT_LT(m.VentA[1], 0);
        EXPECT_GT(m.VentC[1], 0);
      }
      EXPECT_TRUE(cat.Modelli[cat.NModelli + 1].Modello.empty());
      if (s.accessori >= 0) {
        EXPECT_EQ(cat.NAcc, s.accessori);
      }
      EXPECT_TRUE(messaggi_.messaggi.empty());
    }
  }
}

TEST_F(CatalogoTest, ValoriLettiPerNomeEIndice) {
  ASSERT_TRUE(catalogo::CaricaDatiKALVO(lista_, false, "* Tutto"));
  const auto& k10 = Catalogo().Modelli[1];
  EXPECT_EQ(k10.Modello, "KALVO 10");
  EXPECT_EQ(k10.LunBat, 400);
  EXPECT_EQ(k10.AltBat, 200);
  EXPECT_EQ(k10.VentC[3], 45);
  EXPECT_FLOAT_EQ(k10.VentA[3], -45.0f / (200 * 200));  // the coefficient keeps its digits
  EXPECT_FLOAT_EQ(k10.C100[1], 0.75f);
  EXPECT_FLOAT_EQ(k10.C100[3], 0.70f);
  EXPECT_EQ(k10.PIN[3], 30);
  EXPECT_EQ(k10.FCC50, 1);
  EXPECT_EQ(lista_.voci[0], "* Tutto");
  ASSERT_TRUE(catalogo::CaricaDatiKALVO(lista_, true, "* Tutto"));
  EXPECT_FLOAT_EQ(Catalogo().Modelli[1].C100[3], 0.63f);  // the district table

  ASSERT_TRUE(catalogo::CaricaDatiKALVOEC(lista_, false, "* All"));
  const auto& e10 = Catalogo().Modelli[1];
  EXPECT_EQ(e10.G[0], 616);
  EXPECT_EQ(e10.G[7], 1400);
  EXPECT_EQ(e10.MinQa, 60);
  EXPECT_EQ(e10.Nlog, 50);
  EXPECT_LT(e10.PA[7], 0);
  EXPECT_GT(e10.PC[0], 0);
  EXPECT_GT(e10.VentC[0], 0);  // curve 0 is filled like the others
}

TEST_F(CatalogoTest, OgniColonnaNelSuoCampo) {
  // One row per table, the columns that could be mistaken for one another
  // given values of their own.
  UsaDatabase(R"(
    CREATE TABLE DatiKALVOP AS SELECT * FROM prog.DatiKALVOP LIMIT 1;
    UPDATE DatiKALVOP SET F5C100 = 501, C5C30 = 502, F5C30 = 503, CC50 = 504, V6A = 601, V6B = 602, V6C = 603,
                          LWA6 = 604, PIN6 = 605, AltBAt = 7, LunBat = 8, NR = 9, NC = 10;
    CREATE TABLE DatiRMB AS SELECT * FROM prog.DatiRMB LIMIT 1;
    UPDATE DatiRMB SET Mod_descri = 'd', C100 = 11, CC30 = 12, FC30 = 13, FCC50 = 14, CCC50 = 15, LWA2 = 21,
                       PIN2 = 22, LWA_IN2 = 23, LWA_OUT2 = 24, Sezione = 25, Bocche = 26;
    CREATE TABLE DPAcc (Cost REAL, Espo REAL, OPZBoc TEXT);
    INSERT INTO DPAcc VALUES (3, 1.5, 'S');
    CREATE TABLE DatiDVKBLDC AS SELECT * FROM prog.DatiDVKBLDC LIMIT 1;
    UPDATE DatiDVKBLDC SET P0A = 31, P0B = 32, P0C = 33, G0 = 34, V0A = 35, LWA0 = 36, MinQa = 37, Nlog = 38,
                           Sezione = 39, Bocche = 40, C100 = 41, CC30 = 42, FC30 = 43, FCC50 = 44, CCC50 = 45;
    CREATE TABLE DPAccDVK AS SELECT * FROM DPAcc;
    CREATE TABLE DatiKALVOEC AS SELECT * FROM prog.DatiKALVOEC LIMIT 1;
    UPDATE DatiKALVOEC SET F1C100 = 51, C1C30 = 52, F1C30 = 53, CC50 = 54, P7C = 55, G7 = 56, LWA7 = 57;
  )");
  const auto& m = Catalogo().Modelli[1];
  ASSERT_TRUE(catalogo::CaricaDatiKALVOP(lista_, false, "*"));
  EXPECT_EQ(m.C100[5], 501);
  EXPECT_EQ(m.CC30[5], 502);
  EXPECT_EQ(m.FC30[5], 503);
  EXPECT_EQ(m.FCC50, 504);
  EXPECT_EQ(m.VentA[6], 601);
  EXPECT_EQ(m.VentB[6], 602);
  EXPECT_EQ(m.VentC[6], 603);
  EXPECT_EQ(m.LWA[6], 604);
  EXPECT_EQ(m.PIN[6], 605);
  EXPECT_EQ(m.AltBat, 7);
  EXPECT_EQ(m.LunBat, 8);
  EXPECT_EQ(m.NR, 9);
  EXPECT_EQ(m.NC, 10);

  ASSERT_TRUE(catalogo::CaricaDatiRMB(lista_, false, "*"));
  EXPECT_EQ(m.ModDescri, "d");
  EXPECT_EQ(m.C100[1], 11);
  EXPECT_EQ(m.CC30[1], 12);
  EXPECT_EQ(m.FC30[1], 13);
  EXPECT_EQ(m.FCC50, 14);
  EXPECT_EQ(m.CCC50, 15);
  EXPECT_EQ(m.LWA[2], 21);
  EXPECT_EQ(m.PIN[2], 22);
  EXPECT_EQ(m.LWAIn[2], 23);
  EXPECT_EQ(m.LWAOut[2], 24);
  EXPECT_EQ(m.Sezione, 25);
  EXPECT_EQ(m.Bocche, 26);
  ASSERT_EQ(Catalogo().NAcc, 1);
  EXPECT_EQ(Catalogo().Accessori[1].Cost, 3);
  EXPECT_EQ(Catalogo().Accessori[1].Espo, 1.5f);
  EXPECT_EQ(Catalogo().Accessori[1].OPZBoc, "S");

  ASSERT_TRUE(catalogo::CaricaDatiDVKBLDC(lista_, false, "*"));
  EXPECT_EQ(m.PA[0], 31);
  EXPECT_EQ(m.PB[0], 32);
  EXPECT_EQ(m.PC[0], 33);
  EXPECT_EQ(m.G[0], 34);
  EXPECT_EQ(m.VentA[0], 35);
  EXPECT_EQ(m.LWA[0], 36);
  EXPECT_EQ(m.MinQa, 37);
  EXPECT_EQ(m.Nlog, 38);
  EXPECT_EQ(m.Sezione, 39);
  EXPECT_EQ(m.Bocche, 40);
  EXPECT_EQ(m.C100[1], 41);
  EXPECT_EQ(m.CC30[1], 42);
  EXPECT_EQ(m.FC30[1], 43);
  EXPECT_EQ(m.FCC50, 44);
  EXPECT_EQ(m.CCC50, 45);

  ASSERT_TRUE(catalogo::CaricaDatiKALVOEC(lista_, false, "*"));
  EXPECT_EQ(m.C100[1], 51);
  EXPECT_EQ(m.CC30[1], 52);
  EXPECT_EQ(m.FC30[1], 53);
  EXPECT_EQ(m.FCC50, 54);
  EXPECT_EQ(m.CCC50, 45);  // no such column: the DVKBLDC value stays
  EXPECT_EQ(m.PC[7], 55);
  EXPECT_EQ(m.G[7], 56);
  EXPECT_EQ(m.LWA[7], 57);
}

TEST_F(CatalogoTest, SeparatoriSecondoSerieEMaiuscole) {
  UsaDatabase(R"(
    CREATE TABLE DatiKALVOP AS SELECT * FROM prog.DatiKALVOP LIMIT 4;
    UPDATE DatiKALVOP SET Modello = CASE rowid WHEN 1 THEN 'A' WHEN 2 THEN 'A 4P' WHEN 3 THEN 'A 4p' ELSE 'A*' END;
    CREATE TABLE DatiKALVO AS SELECT * FROM prog.DatiKALVO LIMIT 3;
    UPDATE DatiKALVO SET Modello = CASE rowid WHEN 1 THEN 'K 4P' WHEN 2 THEN 'K 4P*' ELSE 'K' END;
    CREATE TABLE DatiDVKBLDC AS SELECT * FROM prog.DatiDVKBLDC LIMIT 3;
    UPDATE DatiDVKBLDC SET Modello = CASE rowid WHEN 1 THEN 'D' WHEN 2 THEN 'D 4P' ELSE 'D*' END;
    CREATE TABLE DatiRMBBLDC AS SELECT * FROM prog.DatiRMBBLDC LIMIT 3;
    UPDATE DatiRMBBLDC SET Modello = CASE rowid WHEN 1 THEN 'R' WHEN 2 THEN 'R 4P' ELSE 'R*' END;
    CREATE TABLE DatiRMB AS SELECT * FROM prog.DatiRMB LIMIT 2;
    UPDATE DatiRMB SET Modello = CASE rowid WHEN 1 THEN 'M*' ELSE 'M 4P' END;
    CREATE TABLE DPAcc AS SELECT * FROM prog.DPAcc;
    CREATE TABLE DPAccDVK AS SELECT * FROM prog.DPAccDVK;
  )");
  const std::string s = kSeparatore;
  ASSERT_TRUE(catalogo::CaricaDatiKALVOP(lista_, false, "*"));
  EXPECT_EQ(lista_.voci, (std::vector<std::string>{"*", "A", s, "A 4p", "A*"}));
  // The separator hides the code only: the row is filled and keeps its place.
  EXPECT_EQ(Catalogo().Modelli[2].Modello, "A 4P");
  EXPECT_GT(Catalogo().Modelli[2].VentC[6], 0);
  EXPECT_EQ(Catalogo().Modelli[3].Modello, "A 4p");
  ASSERT_TRUE(catalogo::CaricaDatiKALVO(lista_, false, "*"));
  EXPECT_EQ(lista_.voci, (std::vector<std::string>{"*", "K 4P", s, "K"}));
  ASSERT_TRUE(catalogo::CaricaDatiDVKBLDC(lista_, false, "*"));
  EXPECT_EQ(lista_.voci, (std::vector<std::string>{"*", "D", s, "D*"}));
  ASSERT_TRUE(catalogo::CaricaDatiRMBBLDC(lista_, false, "*"));
  EXPECT_EQ(lista_.voci, (std::vector<std::string>{"*", "R", "R 4P", s}));
  ASSERT_TRUE(catalogo::CaricaDatiRMB(lista_, false, "*"));
  EXPECT_EQ(lista_.voci, (std::vector<std::string>{"*", "M*", "M 4P"}));
}

TEST_F(CatalogoTest, AccessoriDellaFamigliaEAltriCampiIntatti) {
  ASSERT_TRUE(catalogo::CaricaDatiDVK(lista_, true, "*"));  // district: same accessory table
  ASSERT_EQ(Catalogo().NAcc, 10);
  EXPECT_EQ(Catalogo().Accessori[5].OPZBoc, "S");
  const auto accessori_dvk = Catalogo().Accessori;
  const float lwa_in = Catalogo().Modelli[3].LWAIn[7];
  EXPECT_GT(lwa_in, 0);
  EXPECT_EQ(Catalogo().Modelli[1].EspAriaModello, 0);

  ASSERT_TRUE(catalogo::CaricaDatiKALVOP(lista_, false, "*"));
  ASSERT_TRUE(catalogo::CaricaDatiKALVO(lista_, false, "*"));
  EXPECT_EQ(Catalogo().NAcc, 10);  // the fan-coil loaders leave the accessories alone
  EXPECT_EQ(Catalogo().Accessori[10].Cost, accessori_dvk[10].Cost);
  EXPECT_EQ(Catalogo().Modelli[3].LWAIn[7], lwa_in);
  EXPECT_EQ(Catalogo().Modelli[1].VentA[4], 0);  // the KALVOP speeds 4..6 went with the reload
  EXPECT_EQ(Catalogo().Modelli[1].C100[6], 0);
  EXPECT_EQ(Catalogo().Modelli[25].Modello, "");  // KALVOP's 24 models, KALVO's 24

  ASSERT_TRUE(catalogo::CaricaDatiRMBBLDC(lista_, false, "*"));
  EXPECT_EQ(Catalogo().NAcc, 8);
  const float sezione = Catalogo().Modelli[2].Sezione;
  const std::int16_t g = Catalogo().Modelli[2].G[4];
  ASSERT_TRUE(catalogo::CaricaDatiKALVOEC(lista_, false, "*"));
  EXPECT_EQ(Catalogo().NAcc, 8);
  EXPECT_EQ(Catalogo().Modelli[2].Sezione, sezione);  // KALVOEC has no Sezione column
  EXPECT_NE(Catalogo().Modelli[2].G[4], g);           // but its own G
  ASSERT_TRUE(catalogo::CaricaDatiKALVO(lista_, false, "*"));
  EXPECT_GT(Catalogo().Modelli[2].PIN[1], 0);
  EXPECT_GT(Catalogo().Modelli[2].G[4], 0);  // EC fields stay after a fixed-speed load
}

TEST_F(CatalogoTest, TabellaOColonnaMancante) {
  UsaDatabase(R"(
    CREATE TABLE DatiKALVO AS SELECT * FROM prog.DatiKALVO;
    ALTER TABLE DatiKALVO DROP COLUMN F2C30;
    CREATE TABLE DatiRMB AS SELECT * FROM prog.DatiRMB;
  )");
  ASSERT_TRUE(catalogo::CaricaDatiKALVOP(lista_, false, "* All") == false);
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("DatiKALVOP"));
  EXPECT_EQ(lista_.voci, std::vector<std::string>{"* All"});
  EXPECT_EQ(lista_.selezionata, 0);
  EXPECT_EQ(Catalogo().NModelli, 0);
  EXPECT_EQ(Catalogo().Modelli[1].Modello, "");

  messaggi_.Svuota();
  EXPECT_FALSE(catalogo::CaricaDatiKALVO(lista_, false, "* All"));
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("F2C30"));
  EXPECT_EQ(Catalogo().NModelli, 0);
  EXPECT_EQ(Catalogo().Modelli[1].Modello, "");  // nothing half-filled
  EXPECT_EQ(lista_.voci, std::vector<std::string>{"* All"});

  // The model table reads well but the accessory table is missing.
  messaggi_.Svuota();
  EXPECT_FALSE(catalogo::CaricaDatiRMB(lista_, false, "* All"));
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("DPAcc"));
  EXPECT_EQ(Catalogo().NModelli, 0);
  EXPECT_EQ(Catalogo().NAcc, 0);
  EXPECT_EQ(Catalogo().Modelli[1].Modello, "");
}

TEST_F(CatalogoTest, NullTabellaVuotaEArrotondamenti) {
  UsaDatabase(R"(
    CREATE TABLE DatiKALVO AS SELECT * FROM prog.DatiKALVO LIMIT 3;
    UPDATE DatiKALVO SET Mod_Descri = NULL, V2B = NULL, Geom = NULL WHERE rowid = 1;
    UPDATE DatiKALVO SET Geom = 2.5, Passo = 3.5 WHERE rowid = 2;
    UPDATE DatiKALVO SET Geom = '3', LunBat = ' 500 ' WHERE rowid = 3;
    CREATE TABLE DatiKALVOP AS SELECT * FROM prog.DatiKALVOP WHERE 0;
    CREATE TABLE DatiKALVOEC AS SELECT * FROM prog.DatiKALVOEC LIMIT 1;
    UPDATE DatiKALVOEC SET G3 = 40000;
  )");
  ASSERT_TRUE(catalogo::CaricaDatiKALVO(lista_, false, "*"));
  EXPECT_TRUE(messaggi_.messaggi.empty());
  const auto& m = Catalogo().Modelli;
  EXPECT_EQ(m[1].ModDescri, "");
  EXPECT_EQ(m[1].VentB[2], 0);
  EXPECT_EQ(m[1].Geom, 0);
  EXPECT_EQ(m[2].Geom, 2);  // halves to the even neighbour
  EXPECT_EQ(m[2].Passo, 4);
  EXPECT_EQ(m[3].Geom, 3);
  EXPECT_EQ(m[3].LunBat, 500);

  ASSERT_TRUE(catalogo::CaricaDatiKALVOP(lista_, false, "*"));
  EXPECT_EQ(Catalogo().NModelli, 0);
  EXPECT_EQ(lista_.voci, std::vector<std::string>{"*"});
  EXPECT_TRUE(messaggi_.messaggi.empty());

  EXPECT_FALSE(catalogo::CaricaDatiKALVOEC(lista_, false, "*"));  // 40000 rpm is no 16-bit integer
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("G3"));
  EXPECT_EQ(Catalogo().NModelli, 0);
}

TEST_F(CatalogoTest, RigheOltreLaCapacita) {
  // 20 DVK rows for 18 places; 12 accessory rows for 10.
  UsaDatabase(R"(
    CREATE TABLE DatiDVK AS SELECT * FROM prog.DatiDVK;
    INSERT INTO DatiDVK SELECT * FROM prog.DatiDVK LIMIT 8;
    CREATE TABLE DPAccDVK AS SELECT * FROM prog.DPAccDVK;
    INSERT INTO DPAccDVK SELECT * FROM prog.DPAccDVK LIMIT 2;
  )");
  ASSERT_TRUE(catalogo::CaricaDatiDVK(lista_, false, "*"));
  EXPECT_EQ(Catalogo().NModelli, 18);
  EXPECT_EQ(lista_.voci.size(), 19u);
  EXPECT_EQ(Catalogo().NAcc, 10);
  EXPECT_EQ(Catalogo().Modelli[18].Modello, "DVK 20 4P");  // rows 13..18 repeat the first six
  ASSERT_EQ(messaggi_.messaggi.size(), 1u);                // one warning for both tables
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("18"));
  EXPECT_TRUE(messaggi_.messaggi[0].testo.contains("DPAccDVK"));
}

TEST_F(CatalogoTest, UnCaricamentoAllaVolta) {
  bool annidato = true;
  bool provato = false;
  lista_.durante_aggiunta = [&] {
    if (std::exchange(provato, true)) return;
    ListaProva altra;
    EXPECT_TRUE(catalogo::CaricamentoInCorso());
    annidato = catalogo::CaricaDatiDVK(altra, false, "*");
    EXPECT_TRUE(altra.voci.empty());
  };
  ASSERT_TRUE(catalogo::CaricaDatiKALVO(lista_, false, "*"));
  EXPECT_FALSE(annidato);
  EXPECT_FALSE(catalogo::CaricamentoInCorso());
  EXPECT_EQ(Catalogo().NModelli, 24);
}

TEST_F(CatalogoTest, SenzaDatabase) {
  catalogo::ImpostaDatabase(nullptr);
  EXPECT_FALSE(catalogo::CaricaDatiRMB(lista_, false, "*"));
  EXPECT_EQ(messaggi_.messaggi.size(), 1u);
  EXPECT_EQ(lista_.voci, std::vector<std::string>{"*"});
}

}  // namespace
