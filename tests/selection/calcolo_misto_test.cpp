#include <cmath>

#include "catalogue/catalogo.h"
#include "core/numeri.h"
#include "selection/fdatipxx.h"
#include "tests/selection/supporto_selezione.h"
#include "ui/linee.h"

using namespace sel;

namespace {

const char* const kSenzaPressione =
    "WARNING : you are calculating a ducted unit without useful static pression! be careful";

// The mixed-air window opened from the product-line menu (1 RMB, 2 DVK),
// with the grid read back as text.
class CalcoloMisto : public test::ConProgramma {
 protected:
  void Apri(int linea) {
    ui::Fmenu().mnuprod_Click(linea);
    f = &FDatiPXX();
    Attiva(*f);
  }
  void SetUp() override {
    ConProgramma::SetUp();
    Apri(1);
  }
  void Calcola() {
    reg.Svuota();
    f->cmdCalcola->click();
  }
  QStringList Riga(int r) const {
    QStringList c;
    for (int i = 0; i < f->Grd->Cols(); ++i) c << f->Grd->TextMatrix(r, i);
    return c;
  }
  // The data row of a model (and of a speed, when all speeds were rated).
  QStringList RigaDi(const QString& modello, const QString& velocita = QString()) const {
    for (int r = 2; r < f->Grd->Rows(); ++r) {
      const QStringList c = Riga(r);
      if (c[0] == modello && (velocita.isEmpty() || c[1] == velocita)) return c;
    }
    return {};
  }
  QStringList Modelli() const {
    QStringList m;
    for (int r = 2; r < f->Grd->Rows(); ++r) m << f->Grd->TextMatrix(r, 0);
    return m;
  }
  static double N(const QString& cella) { return core::ValNum(cella); }
  QStringList Testi() const {
    QStringList t;
    for (const auto& m : reg.messaggi) t << m.testo;
    return t;
  }
  bool ErroreGenerico() const {
    for (const auto& m : reg.messaggi)
      if (m.testo.startsWith("Errore generico")) return true;
    return false;
  }
  int Posizione(const QString& voce) const {
    for (int i = 0; i < f->cboModel->ListCount(); ++i)
      if (f->cboModel->List(i) == voce) return i;
    return -1;
  }
  FormDatiPXX* f = nullptr;
};

class CalcoloMistoSenzaLimiti : public CalcoloMisto {
 protected:
  QString Comando() override { return QStringLiteral("nolimits"); }
};

class CalcoloMistoDistrict : public CalcoloMisto {
 protected:
  QString Comando() override { return QStringLiteral("district"); }
};

}  // namespace

// ---- Air mixing ----

TEST_F(CalcoloMisto, MisceladeiDueFlussi) {
  unita::StatoCorsa s;
  f->txtTsa1rin(0)->SetText("35");
  f->txturrin->SetText("40");
  f->Scrollfreddo->SetValue(50);
  s.FlagPassaggio = 0;
  ASSERT_EQ(f->ControllaDati(s, 0.5f), 1);
  // Half and half of 27 C 47 % (10.514 g/kg) and 35 C 40 % (14.203 g/kg):
  // 31 C at 12.358 g/kg, entering the coil at 62.599 kJ/kg; saturated air
  // at the 7 C water inlet holds 22.683 kJ/kg.
  EXPECT_NEAR(s.Ta1, 31.0, 1e-4);
  EXPECT_NEAR(s.TbuAria1, 21.5646, 1e-3);
  EXPECT_NEAR(s.URAria1, 43.6988, 1e-3);
  EXPECT_NEAR(s.EntAria1, 62.5991, 1e-3);
  EXPECT_NEAR(s.EntSat1, 22.6834, 1e-3);

  // Share 100: the fresh air alone, with its humidity.
  f->Scrollfreddo->SetValue(100);
  ASSERT_EQ(f->ControllaDati(s, 0.5f), 1);
  EXPECT_FLOAT_EQ(s.Ta1, 35);
  EXPECT_FLOAT_EQ(s.URAria1, 40);

  // Share 0: the return air; the fresh-air humidity is not needed.
  f->Scrollfreddo->SetValue(0);
  f->txturrin->SetText("");
  ASSERT_EQ(f->ControllaDati(s, 0.5f), 1);
  EXPECT_FLOAT_EQ(s.Ta1, 27);
  EXPECT_FLOAT_EQ(s.URAria1, 47);

  // No air flow: the return air, whatever the share.
  f->txturrin->SetText("40");
  f->Scrollfreddo->SetValue(50);
  ASSERT_EQ(f->ControllaDati(s, 0.0f), 1);
  EXPECT_FLOAT_EQ(s.Ta1, 27);
  EXPECT_FLOAT_EQ(s.URAria1, 47);
  EXPECT_TRUE(reg.messaggi.empty());
}

TEST_F(CalcoloMisto, MisceladiRiscaldamentoASeccoDaZeroGradi) {
  unita::StatoCorsa s;
  f->Scrollfreddo->SetValue(30);
  f->txtTsa1rin(1)->SetText("-5");
  s.FlagPassaggio = 1;
  ASSERT_EQ(f->ControllaDati(s, 1.0f), 1);
  EXPECT_NEAR(s.Ta1, 0.7 * 20 + 0.3 * -5, 1e-4);
  EXPECT_EQ(s.URAria1, 0);
  EXPECT_EQ(s.TbuAria1, 0);
  f->txtTsa1rin(1)->SetText("0");  // fresh air at 0 degrees: accepted in heating
  EXPECT_EQ(f->ControllaDati(s, 1.0f), 1);
  f->txtTsa1ric(1)->SetText("0");  // return air at 0 degrees with a return share: refused
  EXPECT_EQ(f->ControllaDati(s, 1.0f), 0);
  ASSERT_EQ(Testi(), QStringList{"Air inlet temperature not indicated"});
  EXPECT_TRUE(f->txtTsa1ric(1)->hasFocus());
}

TEST_F(CalcoloMisto, QuotaDiAriaEsternaNellaResa) {
  f->cboModel->SetListIndex(1);
  Calcola();
  const QStringList soloRicircolo = RigaDi("RMB 10");
  // All fresh air in the same state as the return air: the same row.
  f->Scrollfreddo->SetValue(100);
  Calcola();
  EXPECT_EQ(RigaDi("RMB 10"), soloRicircolo);
  // Half of it hot and humid: more cooling, colder heating inlet, more heating.
  f->Scrollfreddo->SetValue(50);
  f->txtTsa1rin(0)->SetText("35");
  f->txturrin->SetText("50");
  f->txtTsa1rin(1)->SetText("-5");
  Calcola();
  const QStringList mista = RigaDi("RMB 10");
  ASSERT_FALSE(mista.isEmpty());
  EXPECT_GT(N(mista[2]), N(soloRicircolo[2]) * 1.3);
  EXPECT_GT(N(mista[7]), N(soloRicircolo[7]));
  EXPECT_EQ(mista[1], soloRicircolo[1]);  // same air flow
}

// ---- Heading and rows ----

TEST_F(CalcoloMisto, IntestazioneERigheDiTutteLeVelocita) {
  f->cboVel->SetListIndex(0);
  Calcola();
  ASSERT_EQ(f->Grd->Cols(), 17);
  EXPECT_EQ(Riga(0), (QStringList{"", "Vel", "QA", "PT", "PS", "QW (C)", "DPW (C)", "TA (C)", "PH", "QW (H)",
                                  "DPW (H)", "TA (H)", "LW", "LP", "Pin", "LW_In+R", "LW_Out"}));
  EXPECT_EQ(Riga(1), (QStringList{"Model", "", "m3/h", "W", "W", "l/h", "kPa", "°C", "W", "l/h", "kPa", "°C",
                                  "dB(A)", "dB(A)", "W", "dB(A)", "dB(A)"}));
  EXPECT_GE(f->Grd->ColWidth(0), 1300 - 15);  // whole pixels
  EXPECT_GE(f->Grd->ColWidth(5), 700 - 15);
  EXPECT_EQ(f->Grd->FixedRows(), 2);
  EXPECT_TRUE(f->cmdLegend->isVisible());
  // Speed by speed, base models only (no additional coil ticked).
  ASSERT_EQ(f->Grd->Rows(), 2 + 3 * 6);
  EXPECT_EQ(Riga(2)[1], "Min");
  EXPECT_EQ(Riga(8)[1], "Med");
  for (const QString& m : Modelli()) EXPECT_FALSE(m.endsWith("4P")) << m.toStdString();
  // RMB 10 at top speed, free delivery less the G2 filter ticked at opening.
  const QStringList r = RigaDi("RMB 10", "Max");
  ASSERT_EQ(r.size(), 17);
  EXPECT_EQ(r[12], "62");   // LW
  EXPECT_EQ(r[13], "48");   // LP at 2 m, factor 2
  EXPECT_EQ(r[14], "160");  // Pin
  EXPECT_EQ(r[15], "60");
  EXPECT_EQ(r[16], "63");
  EXPECT_GT(N(r[3]), 4000);
  EXPECT_LT(N(r[4]), N(r[3]));
  EXPECT_GT(N(r[8]), N(r[3]));
  EXPECT_EQ(Testi(), QStringList{kSenzaPressione});
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Nessuna);
}

TEST_F(CalcoloMisto, ColonneDellAcquaSecondoIlDatoFornito) {
  f->cboModel->SetListIndex(1);
  Scrivi(f->txtQw(0), "900");
  Scrivi(f->txtDistanza, "4");
  f->cboDirezione->SetListIndex(2);
  Esci(f->txtTw1(0));
  Calcola();
  ASSERT_EQ(f->Grd->Cols(), 16);
  EXPECT_EQ(Riga(0)[4], "TW2 (C)");
  EXPECT_EQ(Riga(1)[4], "°C");
  EXPECT_EQ(Riga(0)[8], "QW (H)");
  const QStringList r = RigaDi("RMB 10");
  const double tw2 = N(r[4]);
  EXPECT_GT(tw2, 11);
  EXPECT_LT(tw2, 14);
  EXPECT_EQ(r[12], "48");  // 62 dB(A) at 4 m with factor 8
  // The run rule on the cooling water rise needs the outlet temperature: none here.
  EXPECT_EQ(Testi(), QStringList{kSenzaPressione});
}

TEST_F(CalcoloMisto, ModelloSenzaPotenzaAssorbitaDaTrediciCelle) {
  catalogo::Catalogo().Modelli[1].PIN[3] = 0;
  Calcola();
  ASSERT_EQ(f->Grd->Cols(), 16);
  const QStringList r = RigaDi("RMB 10");
  EXPECT_EQ(r[12], "48");
  EXPECT_EQ(r[13], "");
  EXPECT_EQ(r[14], "");
  EXPECT_EQ(r[15], "");
  EXPECT_EQ(RigaDi("RMB 15")[13], "250");
}

// ---- Fan working point ----

namespace {

// Fan pressure less the drop of one accessory, at q m3/h.
double PressioneDisponibile(const catalogo::DatiModello& d, int v, double q, int accessorio) {
  const catalogo::AccessorioDP& a = catalogo::Catalogo().Accessori[accessorio];
  const double velocita = q / 3600.0 / d.Sezione;
  return d.VentA[v] * q * q + d.VentB[v] * q + d.VentC[v] - a.Cost * std::pow(velocita, a.Espo);
}

}  // namespace

TEST_F(CalcoloMisto, PressioneUtileConLePerditeDegliAccessori) {
  Scrivi(f->txtpsu, "100");
  Esci(f->txtGlic);
  Calcola();
  EXPECT_TRUE(reg.messaggi.empty());
  const catalogo::DatiModello& d = catalogo::Catalogo().Modelli[1];
  const double g2 = N(RigaDi("RMB 10")[1]);
  // The shown flow (whole m3/h) is where the fan less the G2 filter gives 100 Pa.
  EXPECT_GT(PressioneDisponibile(d, 3, g2 - 1, 2), 100);
  EXPECT_LT(PressioneDisponibile(d, 3, g2 + 1, 2), 100);
  // The finer filter instead: a larger drop, a smaller flow.
  f->chkAcc(3)->click();
  Calcola();
  const double g4 = N(RigaDi("RMB 10")[1]);
  EXPECT_GT(PressioneDisponibile(d, 3, g4 - 1, 3), 100);
  EXPECT_LT(PressioneDisponibile(d, 3, g4 + 1, 3), 100);
  EXPECT_LT(g4, g2 - 20);
  // No filter: the bare curve.
  f->chkAcc(3)->click();
  Calcola();
  const double nudo = N(RigaDi("RMB 10")[1]);
  EXPECT_NEAR(nudo, std::sqrt((d.VentC[3] - 100) / -d.VentA[3]), 1.0);
  EXPECT_GT(nudo, g2);
}

TEST_F(CalcoloMisto, PortataRichiestaEPressioneDiLavoro) {
  f->cboVel->SetListIndex(0);
  Scrivi(f->txtqatot, "900");
  Esci(f->txtGlic);
  Calcola();
  EXPECT_EQ(Riga(0)[2], "PSU");
  EXPECT_EQ(Riga(1)[2], "Pa");
  EXPECT_EQ(f->lblLegSim(0)->Caption(), "PSU");
  EXPECT_EQ(f->lblLegDes(0)->Caption(), "External static pressure");
  // RMB 10 at top speed: curve less the G2 filter at 900 m3/h, a blank before it.
  const catalogo::DatiModello& d10 = catalogo::Catalogo().Modelli[1];
  const QStringList r10 = RigaDi("RMB 10", "Max");
  ASSERT_FALSE(r10.isEmpty());
  EXPECT_EQ(r10[2], " " + QString::number(std::lround(PressioneDisponibile(d10, 3, 900, 2))));
  // Beyond 250 Pa: capped and marked.
  EXPECT_EQ(RigaDi("RMB 40", "Max")[2], "> 250");
  // 900 m3/h is beyond the low-speed curve of RMB 10 and within the first
  // quarter of the speed-1 free delivery of RMB 50 (3900 m3/h): no rows.
  EXPECT_TRUE(RigaDi("RMB 10", "Min").isEmpty());
  EXPECT_TRUE(RigaDi("RMB 50", "Max").isEmpty());
  EXPECT_FALSE(RigaDi("RMB 40", "Min").isEmpty());
  // The flow is the one asked for, whatever the model.
  Scrivi(f->txtqatot, "0");
  Esci(f->txtGlic);
  Calcola();
  EXPECT_EQ(Riga(0)[2], "QA");
  EXPECT_EQ(f->lblLegSim(0)->Caption(), "QA");
  EXPECT_EQ(f->lblLegDes(0)->Caption(), "Air flow");
}

TEST_F(CalcoloMistoSenzaLimiti, PortataRichiestaSenzaLimiti) {
  f->cboVel->SetListIndex(3);
  f->txtqatot->SetText("900");
  Calcola();
  const catalogo::DatiModello& d50 = catalogo::Catalogo().Modelli[11];
  const QStringList r = RigaDi("RMB 50");
  ASSERT_FALSE(r.isEmpty());
  EXPECT_EQ(r[1], " " + QString::number(std::lround(PressioneDisponibile(d50, 3, 900, 2))));
}

TEST_F(CalcoloMistoSenzaLimiti, PressioneOltreIlVentilatoreNessunaRiga) {
  // Above the shut-off pressure of RMB 10 (320 Pa) the fan moves no air:
  // no row of zeros, even without limits; RMB 50 (450 Pa) still delivers.
  f->txtpsu->SetText("400");
  Calcola();
  EXPECT_FALSE(ErroreGenerico());
  EXPECT_TRUE(RigaDi("RMB 10").isEmpty());
  const QStringList r = RigaDi("RMB 50");
  ASSERT_FALSE(r.isEmpty());
  EXPECT_GT(N(r[1]), 0);
  EXPECT_GT(N(r[2]), 0);
}

// An empty box, blanks alone among them, is the pressure mode.
TEST_F(CalcoloMisto, PortataTotaleVuotaValeZero) {
  f->cboModel->SetListIndex(1);
  for (const QString& vuota : {QString(), QString("   "), QString(QChar(0xa0))}) {
    f->txtqatot->SetText(vuota);
    Calcola();
    EXPECT_FALSE(ErroreGenerico());
    EXPECT_EQ(f->txtqatot->Text(), "0");
    EXPECT_EQ(Riga(0)[1], "QA");
    EXPECT_EQ(Modelli(), QStringList{"RMB 10"});
  }
}

TEST_F(CalcoloMisto, PortataOltreIlVentilatore) {
  f->cboModel->SetListIndex(1);
  f->txtqatot->SetText("1500");  // RMB 10 gives 1100 m3/h at most
  f->txtpsu->SetText("0");
  Calcola();
  EXPECT_EQ(f->Grd->Rows(), 2);
  EXPECT_EQ(Testi(), (QStringList{kSenzaPressione, "No unit meets the requir.specified"}));
  EXPECT_EQ(reg.messaggi[1].icona, plat::Icona::Critica);
  EXPECT_EQ(f->Grd->FixedRows(), 0);
}

// ---- Additional coil (4 pipes) ----

TEST_F(CalcoloMisto, QuattroTubiACoppie) {
  Calcola();
  const QStringList base = RigaDi("RMB 15");
  ASSERT_FALSE(base.isEmpty());
  EXPECT_EQ(Modelli().size(), 6);

  // One "4P" unit picked: rated with the model before it, one row, box 1 ticked.
  f->cboModel->SetListIndex(Posizione("RMB 15 4P"));
  Calcola();
  EXPECT_EQ(f->chkAcc(1)->Value(), 1);
  ASSERT_EQ(Modelli(), QStringList{"RMB 15 4P"});
  const QStringList coppia = RigaDi("RMB 15 4P");
  // The additional coil's drop lowers the flow and the cooling of the base
  // coil; the one-row additional coil heats far less than the base coil.
  EXPECT_LT(N(coppia[1]), N(base[1]));
  EXPECT_LT(N(coppia[2]), N(base[2]));
  EXPECT_GT(N(coppia[2]), 0.8 * N(base[2]));
  EXPECT_LT(N(coppia[7]), 0.5 * N(base[7]));
  EXPECT_GT(N(coppia[7]), 0);

  // All models with the box ticked: only the pairs give rows, the same rows.
  f->cboModel->SetListIndex(0);
  Calcola();
  EXPECT_EQ(Modelli(),
            (QStringList{"RMB 10 4P", "RMB 15 4P", "RMB 20 4P", "RMB 30 4P", "RMB 40 4P", "RMB 50 4P"}));
  EXPECT_EQ(RigaDi("RMB 15 4P"), coppia);

  // A base model picked with the box ticked: its cooling alone, no row.
  f->cboModel->SetListIndex(Posizione("RMB 15"));
  Calcola();
  EXPECT_EQ(f->Grd->Rows(), 2);
  EXPECT_EQ(Testi().last(), "No unit meets the requir.specified");
}

TEST_F(CalcoloMisto, QuattroTubiSenzaIlModelloBaseValutato) {
  // The base model cannot be rated (no passage for the filter's air): the
  // "4P" row shows no cooling rather than another model's.
  catalogo::Catalogo().Modelli[3].Sezione = 0;
  f->chkAcc(1)->SetValue(1);
  Calcola();
  EXPECT_FALSE(ErroreGenerico());
  const QStringList r = RigaDi("RMB 15 4P");
  ASSERT_FALSE(r.isEmpty());
  EXPECT_EQ(r[2], "");  // no total cooling
  EXPECT_EQ(r[3], "");
  EXPECT_GT(N(r[7]), 0);
  EXPECT_GT(N(RigaDi("RMB 20 4P")[2]), 0);
}

// ---- Sound behaviour where the data or inputs give no rating ----

TEST_F(CalcoloMisto, QuattroTubiPrimoInElencoNonRaggiungeIlModelloZero) {
  catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  cat.Modelli[1].Modello = cat.Modelli[1].ModDescri = "RMB 10 4P";
  f->cboModel->setItemText(1, "RMB 10 4P");
  f->cboModel->SetListIndex(1);
  Calcola();
  EXPECT_FALSE(ErroreGenerico());
  ASSERT_EQ(Modelli(), QStringList{"RMB 10 4P"});
  const QStringList r = RigaDi("RMB 10 4P");
  EXPECT_EQ(r[2], "");  // nothing rated before it
  EXPECT_GT(N(r[7]), 0);
}

TEST_F(CalcoloMisto, VoceOltreLUltimoModello) {
  catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  cat.NModelli = 10;  // the list still shows RMB 50 and RMB 50 4P
  f->cboModel->SetListIndex(Posizione("RMB 50 4P"));
  Calcola();
  EXPECT_FALSE(ErroreGenerico());
  EXPECT_EQ(f->Grd->Rows(), 2);
  EXPECT_EQ(Testi().last(), "No unit meets the requir.specified");
}

TEST_F(CalcoloMisto, ModelliConDatiInutilizzabiliSaltati) {
  catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  cat.Modelli[1].Sezione = 0;  // the ticked G2 filter has no passage
  cat.Modelli[3].AltBat = 0;   // no coil face
  cat.Modelli[5].Bocche = 0;   // no outlet spigots for a spigot accessory
  f->chkAcc(6)->SetValue(1);
  Calcola();
  EXPECT_FALSE(ErroreGenerico());
  EXPECT_EQ(Modelli(), (QStringList{"RMB 30", "RMB 40", "RMB 50"}));
}

TEST_F(CalcoloMisto, AcquaNonPiuCaldaDellAriaNessunaResa) {
  Scrivi(f->txtTsa1ric(1), "35");
  Scrivi(f->txtTw1(1), "30");
  Scrivi(f->txtTw2(1), "25");
  Esci(f->txtGlic);
  ASSERT_TRUE(reg.messaggi.empty());
  Calcola();
  EXPECT_FALSE(ErroreGenerico());
  ASSERT_EQ(Modelli().size(), 6);
  const QStringList r = RigaDi("RMB 10");
  EXPECT_GT(N(r[2]), 0);  // cooling rated
  EXPECT_EQ(r[7], "");    // no heating
  EXPECT_EQ(r[8], "");
  // Water exactly as warm as the air: no heating either.
  Scrivi(f->txtTw1(1), "35");
  Esci(f->txtGlic);
  Calcola();
  EXPECT_FALSE(ErroreGenerico());
  EXPECT_EQ(RigaDi("RMB 10")[7], "");
}

// ---- Messages, rules and the run guard ----

TEST_F(CalcoloMisto, SaltoTermicoFuoriDistrict) {
  f->txtTw2(0)->SetText("16");
  Calcola();
  EXPECT_EQ(Testi(), (QStringList{kSenzaPressione, "Delta T in cooling mode must be < 8°C"}));
  EXPECT_EQ(f->Grd->Rows(), 2);
  EXPECT_EQ(f->Grd->FixedRows(), 0);
  f->txtTw2(0)->SetText("15");  // exactly 8 K passes
  Calcola();
  EXPECT_EQ(f->Grd->FixedRows(), 2);
}

TEST_F(CalcoloMistoDistrict, SaltoTermicoInDistrict) {
  Calcola();
  EXPECT_EQ(Testi(), (QStringList{kSenzaPressione, "Delta T in cooling mode must be > 8°C"}));
  EXPECT_EQ(f->Grd->Rows(), 2);
  f->txtTw1(0)->SetText("5");
  f->txtTw2(0)->SetText("13");
  Calcola();
  EXPECT_EQ(Modelli().size(), 6);
  EXPECT_GT(N(RigaDi("RMB 10")[2]), 3000);
  f->txtTw2(0)->SetText("16");
  Calcola();
  EXPECT_EQ(Testi(), (QStringList{kSenzaPressione, "DT cannot be  > 10 °C"}));
  EXPECT_EQ(reg.messaggi[1].icona, plat::Icona::Critica);
  EXPECT_TRUE(f->txtTw2(0)->hasFocus());
}

TEST_F(CalcoloMisto, ControlliPrimaDellaPassata) {
  struct Caso {
    plat::TextBox* box;
    const char* testo;
    const char* messaggio;
    plat::TextBox* fuoco;
  };
  // Each box emptied (or set) by code, past its own check, then a run.
  const Caso casi[] = {
      {f->txtTsa1ric(0), "", "Air inlet temperature not indicated", f->txtTsa1ric(0)},
      {f->txtUrric, "", "Humidity % not indicated", f->txtUrric},
      {f->txtTw1(0), "", "Water inlet temp.not indicated", f->txtTw1(0)},
      {f->txtTw2(0), "", "Enter outlet temp.or water flow", f->txtTw2(0)},
      {f->txtTw2(1), "25", "DT cannot be  > 40 °C", f->txtTw2(1)},
  };
  f->cboModel->SetListIndex(1);
  for (const Caso& c : casi) {
    const QString prima = c.box->Text();
    c.box->SetText(QString::fromUtf8(c.testo));
    Calcola();
    EXPECT_EQ(Testi(), (QStringList{kSenzaPressione, QString::fromUtf8(c.messaggio)})) << c.messaggio;
    EXPECT_TRUE(c.fuoco->hasFocus()) << c.messaggio;
    EXPECT_EQ(f->Grd->Rows(), 2) << c.messaggio;
    EXPECT_EQ(f->EsitoControllo(), 0) << c.messaggio;
    c.box->SetText(prima);
  }
  // Heating with the water flow given: the 40 K rule does not apply.
  f->txtTw2(1)->SetText("");
  f->txtQw(1)->SetText("1000");
  Calcola();
  EXPECT_EQ(Testi(), QStringList{kSenzaPressione});
  EXPECT_EQ(f->EsitoControllo(), 1);  // the check's own result, not a True flag
}

TEST_F(CalcoloMisto, UmiditaDellAriaEsterna) {
  f->Scrollfreddo->SetValue(50);
  f->txturrin->SetText("");
  Calcola();
  EXPECT_EQ(Testi(), (QStringList{kSenzaPressione, "Humidity % not indicated"}));
  EXPECT_TRUE(f->txturrin->hasFocus());
}

TEST_F(CalcoloMistoSenzaLimiti, SenzaLimitiSoloLUmiditaResta) {
  f->txtTw1(0)->SetText("");
  Calcola();
  EXPECT_EQ(Testi().first(), kSenzaPressione);
  for (const auto& m : reg.messaggi) EXPECT_EQ(m.icona, plat::Icona::Nessuna) << m.testo.toStdString();
  EXPECT_GT(f->Grd->Rows(), 2);
  f->txtTw1(0)->SetText("7");
  f->Scrollfreddo->SetValue(50);
  f->txturrin->SetText("");
  Calcola();
  EXPECT_EQ(Testi(), (QStringList{kSenzaPressione, "Humidity % not indicated"}));
}

TEST_F(CalcoloMisto, BassaPerditaDiCarico) {
  f->cboVel->SetListIndex(1);
  Scrivi(f->txtpsu, "100");
  Esci(f->txtGlic);
  Calcola();
  EXPECT_EQ(
      Testi(),
      QStringList{"WARNING : at least one model is calculated at very low water pressure drop ( < 3 kPa )"});
  EXPECT_EQ(f->Grd->FixedRows(), 2);
}

// Letters pasted into the static pressure box: refused by the run with the
// box's own message, the heading kept, never through the error trap.
TEST_F(CalcoloMisto, LettereIncollateNellaPressioneTengonoLIntestazione) {
  f->txtpsu->SetText("x");
  Calcola();
  ASSERT_EQ(reg.messaggi.size(), 2u);
  EXPECT_EQ(reg.messaggi[1].testo, "Values must be in the range 0 Pa -> 250 Pa\rset to 0");
  EXPECT_EQ(reg.messaggi[1].icona, plat::Icona::Critica);
  EXPECT_EQ(QApplication::focusWidget(), f->txtpsu);
  EXPECT_EQ(f->Grd->Rows(), 2);
  EXPECT_EQ(f->Grd->FixedRows(), 0);
}

TEST_F(CalcoloMisto, UnaCasellaSbagliataFermaIlCalcolo) {
  Scrivi(f->txtTw1(0), "4.5");
  QTest::mouseClick(f->cmdCalcola, Qt::LeftButton);
  test::ProcessaEventi();
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 5 °C -> 20 °C\rset to 5");
  EXPECT_TRUE(f->cmdLegend->isHidden());  // never headed
  EXPECT_TRUE(f->txtTw1(0)->hasFocus());
}

TEST_F(CalcoloMisto, RicaricaLaSuaSerie) {
  ui::ApriLinea(catalogo::Codice::DVKBLDC);  // another series loaded meanwhile
  ASSERT_NE(catalogo::Catalogo().SerieCorrente, "RMB");
  Attiva(*f);
  Calcola();
  EXPECT_EQ(catalogo::Catalogo().SerieCorrente, "RMB");
  EXPECT_EQ(Modelli().first(), "RMB 10");
}

TEST_F(CalcoloMisto, IntestazioneNelleUnitaScelte) {
  ui::Fmenu().mnuUnmis_Click();
  ui::Funmis().cboqa->SetListIndex(0);
  ui::Funmis().cboDpA->SetListIndex(1);
  ui::Funmis().close();
  f->txtqatot->SetText("250");  // l/s
  Calcola();
  EXPECT_EQ(f->lblUmQA->Caption(), "l/s");
  EXPECT_EQ(Riga(1)[1], "mmH2O");
}

// ---- The sample series at the standard conditions ----

TEST_F(CalcoloMisto, CampioneRealisticoECrescenteConLaTaglia) {
  for (int linea : {1, 2}) {
    Apri(linea);
    for (int i = 1; i <= 10; ++i) f->chkAcc(i)->SetValue(0);
    f->cboVel->SetListIndex(0);
    Calcola();
    const int velocita = f->cboVel->ListCount() - 1;
    ASSERT_EQ(f->Grd->Rows(), 2 + 6 * velocita) << linea;
    for (int v = 1; v <= velocita; ++v) {
      double precedente = 0, precedenteCaldo = 0;
      for (int m = 0; m < 6; ++m) {
        const QStringList r = Riga(2 + (v - 1) * 6 + m);
        EXPECT_GT(N(r[3]), precedente) << r.join(' ').toStdString();
        EXPECT_GT(N(r[8]), precedenteCaldo) << r.join(' ').toStdString();
        EXPECT_GE(N(r[6]), 3) << r.join(' ').toStdString();
        EXPECT_LE(N(r[6]), 40) << r.join(' ').toStdString();
        EXPECT_LT(N(r[4]), N(r[3])) << r.join(' ').toStdString();  // a wet coil
        precedente = N(r[3]);
        precedenteCaldo = N(r[8]);
      }
    }
    // Top speed: about 5 kW for the smallest unit, under 40 kW for the largest.
    const QStringList piccolo = Riga(2 + (velocita - 1) * 6), grande = Riga(2 + (velocita - 1) * 6 + 5);
    EXPECT_NEAR(N(piccolo[3]), 5000, 600);
    EXPECT_GT(N(grande[3]), 30000);
    EXPECT_LT(N(grande[3]), 40000);
    EXPECT_GE(N(piccolo[2]), 1000);
    EXPECT_LE(N(grande[2]), 6000);
    for (int m = 0; m < 6; ++m) {
      const QStringList r = Riga(2 + (velocita - 1) * 6 + m);
      EXPECT_GE(N(r[6]), 5) << r.join(' ').toStdString();
    }
  }
}
