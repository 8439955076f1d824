#include "catalogue/catalogo.h"
#include "engine/stato.h"
#include "platform/schermo.h"
#include "selection/fdatip.h"
#include "tests/selection/supporto_selezione.h"

using namespace sel;

namespace {

class CalcoloFanCoil : public test::ConProgramma {
 protected:
  void SetUp() override {
    ConProgramma::SetUp();
    ui::Fmenu().mnuprod_Click(0);
    f = &FDatiP();
    Attiva(*f);
  }
  QStringList Riga(int r) {
    QStringList c;
    for (int i = 0; i < f->Grd->Cols(); ++i) c << f->Grd->TextMatrix(r, i);
    return c;
  }
  int Colonna(const QString& codice) { return static_cast<int>(Riga(0).indexOf(codice)); }
  double Cella(int r, const QString& codice) { return f->Grd->TextMatrix(r, Colonna(codice)).toDouble(); }
  int PosizioneModello(const QString& testo) {
    for (int i = 0; i < f->cboModel->ListCount(); ++i)
      if (f->cboModel->List(i) == testo) return i;
    return -1;
  }
  FormDatiP* f = nullptr;
};

}  // namespace

TEST_F(CalcoloFanCoil, TutteLeVelocitaInOrdineDiVelocita) {
  f->cboVel->SetListIndex(0);
  f->cmdCalcola->click();
  EXPECT_EQ(Riga(0), (QStringList{"", "Vel", "QA", "PT", "PS", "QW (C)", "DPW (C)", "TA (C)", "PH", "QW (H)",
                                  "DPW (H)", "TA (H)", "LW", "LP", "Pin"}));
  EXPECT_EQ(Riga(1), (QStringList{"Model", "", "m3/h", "W", "W", "l/h", "kPa", "°C", "W", "l/h", "kPa", "°C",
                                  "dB(A)", "dB(A)", "W"}));
  EXPECT_EQ(f->Grd->FixedRows(), 2);
  ASSERT_EQ(f->Grd->Rows(), 2 + 8 * 3);  // two-pipe models only, three speeds
  EXPECT_EQ(f->Grd->TextMatrix(2, 1), "Min");
  EXPECT_EQ(f->Grd->TextMatrix(2 + 8, 1), "Med");
  EXPECT_EQ(f->Grd->TextMatrix(2 + 16, 1), "Max");
  for (int r = 2; r < f->Grd->Rows(); ++r) EXPECT_FALSE(f->Grd->TextMatrix(r, 0).endsWith("4P")) << r;
  EXPECT_TRUE(reg.messaggi.empty());
  // Bigger sizes rate more at every speed.
  for (int v = 0; v < 3; ++v)
    for (int m = 1; m < 8; ++m) {
      const int r = 2 + v * 8 + m;
      EXPECT_GT(Cella(r, "PT"), Cella(r - 1, "PT")) << r;
      EXPECT_GT(Cella(r, "PH"), Cella(r - 1, "PH")) << r;
      EXPECT_GE(Cella(r, "DPW (C)"), 3) << r;
      EXPECT_LE(Cella(r, "DPW (C)"), 40) << r;
    }
}

TEST_F(CalcoloFanCoil, UnVentilconvettoreTipico) {
  f->cboModel->SetListIndex(PosizioneModello("KALVO 40"));
  f->cmdCalcola->click();
  ASSERT_EQ(f->Grd->Cols(), 14);  // one speed: no "Vel"
  ASSERT_EQ(f->Grd->Rows(), 3);
  EXPECT_EQ(f->Grd->TextMatrix(2, 0), "KALVO 40");
  const double qa = Cella(2, "QA"), pt = Cella(2, "PT"), ps = Cella(2, "PS");
  EXPECT_NEAR(qa, 540, 30);
  EXPECT_NEAR(pt, 3500, 700);
  EXPECT_GT(ps / pt, 0.65);
  EXPECT_LT(ps / pt, 0.8);
  // Water flow of 5 K: P = Qw cp dT.
  EXPECT_NEAR(Cella(2, "QW (C)"), pt / (4.19 * 5) * 3.6, 25);
  EXPECT_NEAR(Cella(2, "PH"), 2.1 * pt, 0.5 * pt);
  EXPECT_EQ(f->Grd->TextMatrix(2, Colonna("LP")), "37");  // 51 dB(A) at 2 m, factor 2
  EXPECT_EQ(f->Grd->TextMatrix(2, Colonna("Pin")), "55");
  // The input check's own result stays in the state.
  EXPECT_EQ(f->EsitoControllo(), 1);
  // Powers are multiples of 10 W.
  EXPECT_EQ(static_cast<int>(pt) % 10, 0);
}

TEST_F(CalcoloFanCoil, IntestazioneConPortataDataEUnitaFrigorie) {
  core::um.UmPotenza = 1;
  Scrivi(f->txtQw(0), "600");
  Esci(f->txtTsa1(0));
  f->cmdCalcola->click();
  EXPECT_EQ(Riga(0)[4], "TW2 (C)");
  EXPECT_EQ(Riga(1)[4], "°C");
  EXPECT_EQ(Riga(0)[8], "QW (H)");
  EXPECT_EQ(Riga(1)[2], "Frig/h");
  EXPECT_EQ(Riga(1)[7], "Frig/h");
  // The outlet temperature found for the typed flow.
  const double tw2 = Cella(2, "TW2 (C)");
  EXPECT_GT(tw2, 7);
  EXPECT_LT(tw2, 20);
}

TEST_F(CalcoloFanCoil, CopiaNegliAppuntiByPerByte) {
  f->cmdCalcola->click();
  ASSERT_GT(f->Grd->Rows(), 3);
  f->Grd->Seleziona(2, 0, 2, f->Grd->Cols() - 1);
  int tasto = 3;
  f->Grd_KeyPress(tasto);
  auto riga = [&](int r, int fino) {
    QString t;
    for (int c = 0; c <= fino; ++c) t += f->Grd->TextMatrix(r, c) + '\t';
    return t + '\n';
  };
  const int ultima = f->Grd->Cols() - 1;
  EXPECT_EQ(plat::TestoAppunti(), riga(0, ultima) + riga(1, ultima) + riga(2, ultima));
  // A selection whose last column is 3 copies columns 0 to 3, from any first column.
  f->Grd->Seleziona(3, 2, 4, 3);
  f->Grd_KeyPress(tasto);
  EXPECT_EQ(plat::TestoAppunti(), riga(0, 3) + riga(1, 3) + riga(3, 3) + riga(4, 3));
  // Other keys do nothing.
  plat::ImpostaTestoAppunti("x");
  int altro = 65;
  f->Grd_KeyPress(altro);
  EXPECT_EQ(plat::TestoAppunti(), "x");
}

TEST_F(CalcoloFanCoil, DoppioClicScegieIlModello) {
  f->cmdCalcola->click();
  f->Grd->Seleziona(4, 5, 4, 5);
  f->Grd_DblClick();
  EXPECT_EQ(f->cboModel->Text(), f->Grd->TextMatrix(4, 0));
  // A description with pattern characters is compared literally.
  f->Grd->SetTextMatrix(4, 0, "KALVO *");
  f->cboModel->SetListIndex(0);
  f->Grd_DblClick();
  EXPECT_EQ(f->cboModel->ListIndex(), 0);
}

TEST_F(CalcoloFanCoil, QuattroTubiInCoppia) {
  f->chkKQ->SetValue(1);
  f->cmdCalcola->click();
  ASSERT_EQ(f->Grd->Rows(), 2 + 8);  // one row per pair
  EXPECT_EQ(f->Grd->TextMatrix(2, 0), "KALVO 10 4P");
  EXPECT_GT(Cella(2, "PT"), 0);
  EXPECT_GT(Cella(2, "PH"), 0);
  f->chkKQ->SetValue(0);
  // Picking a "4P" entry rates the pair and ticks the 4-pipe box.
  f->cboModel->SetListIndex(PosizioneModello("KALVO 30 4P"));
  f->cmdCalcola->click();
  EXPECT_EQ(f->chkKQ->Value(), 1);
  ASSERT_EQ(f->Grd->Rows(), 3);
  EXPECT_EQ(f->Grd->TextMatrix(2, 0), "KALVO 30 4P");
}

TEST_F(CalcoloFanCoil, SecondaBatteriaDaSolaSenzaFreddoAltrui) {
  // The additional-coil line picked alone rates its heating only: its
  // cooling cells never show the cooling of the model rated before it.
  ui::Fmenu().mnuprod_Click(3);
  f = &FDatiP();
  Attiva(*f);
  f->cmdCalcola->click();  // the state now holds the cooling of the last model
  ASSERT_GT(f->Grd->Rows(), 2);
  f->cboModel->SetListIndex(PosizioneModello("KALVOP 30 4P*"));
  ASSERT_GT(f->cboModel->ListIndex(), 0);
  f->chkKQ->SetValue(1);
  f->cmdCalcola->click();
  ASSERT_EQ(f->Grd->Rows(), 3);
  EXPECT_EQ(f->Grd->TextMatrix(2, Colonna("PT")), "");
  EXPECT_EQ(f->Grd->TextMatrix(2, Colonna("PS")), "");
  EXPECT_EQ(f->Grd->TextMatrix(2, Colonna("DPW (C)")), "");
  EXPECT_EQ(f->Grd->TextMatrix(2, Colonna("TA (C)")), "");
  EXPECT_GT(Cella(2, "PH"), 0);
  // Rated with its pair, the same line shows the pair's cooling.
  f->cboModel->SetListIndex(0);
  f->cmdCalcola->click();
  bool trovata = false;
  for (int r = 2; r < f->Grd->Rows(); ++r) {
    EXPECT_GT(Cella(r, "PT"), 0) << r;
    trovata = trovata || f->Grd->TextMatrix(r, 0).startsWith("KALVOP 30");
  }
  EXPECT_TRUE(trovata);
}

TEST_F(CalcoloFanCoil, UltimoModelloQuattroTubiNonEsceDallaSerie) {
  // The last list entry ending "4P" adds no model past the end.
  const int n = catalogo::Catalogo().NModelli;
  int pos = -1;
  for (int i = 1; i <= n; ++i)
    if (f->cboModel->List(i).endsWith("4P")) pos = i;
  ASSERT_GT(pos, 0);
  f->cboModel->SetListIndex(pos);
  f->cmdCalcola->click();
  EXPECT_LE(f->Grd->Rows(), 3);
}

TEST_F(CalcoloFanCoil, NessunApparecchioEPressioneAlta) {
  Scrivi(f->txtpsu, "80");
  Esci(f->txtGlic);
  f->cmdCalcola->click();
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "No unit meets the requir.specified");
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
  EXPECT_EQ(f->Grd->Rows(), 2);
  EXPECT_EQ(f->Grd->FixedRows(), 0);
}

TEST_F(CalcoloFanCoil, CopiaSenzaRigheNonRipeteLIntestazione) {
  // A run that rated nothing leaves the heading rows as ordinary rows: a
  // selection over them copies them once.
  Scrivi(f->txtpsu, "80");
  Esci(f->txtGlic);
  f->cmdCalcola->click();
  ASSERT_EQ(f->Grd->Rows(), 2);
  ASSERT_EQ(f->Grd->FixedRows(), 0);
  auto centro = [&](int r, int c) { return f->Grd->visualRect(f->Grd->model()->index(r, c)).center(); };
  QTest::mouseClick(f->Grd->viewport(), Qt::LeftButton, {}, centro(0, 0));
  QTest::mouseClick(f->Grd->viewport(), Qt::LeftButton, Qt::ShiftModifier, centro(1, 3));
  QTest::keyClick(f->Grd, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(plat::TestoAppunti(), "\tQA\tPT\tPS\t\nModel\tm3/h\tW\tW\t\n");
}

TEST_F(CalcoloFanCoil, PressioneVuotaDiventaZero) {
  for (const char* vuota : {"", "  "}) {
    f->txtpsu->SetText(vuota);
    f->cmdCalcola->click();
    EXPECT_EQ(f->txtpsu->Text(), "0");
    EXPECT_GT(f->Grd->Rows(), 2);
    EXPECT_TRUE(reg.messaggi.empty()) << reg.messaggi[0].testo.toStdString();
  }
}

// Letters pasted into the static pressure box, which no check saw: the run
// refuses them as the box's check does, also with "nolimits" (the run has
// no number to rate), never through the error trap.
TEST_F(CalcoloFanCoil, LettereIncollateNellaPressioneRifiutate) {
  for (bool senzaLimiti : {false, true}) {
    core::imp.SenzaLimiti = senzaLimiti;
    reg.Svuota();
    f->txtpsu->SetText("x");
    f->cmdCalcola->click();
    core::imp.SenzaLimiti = false;
    ASSERT_EQ(reg.messaggi.size(), 1u);
    EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 0 Pa -> 80 Pa\rset to 0");
    EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
    EXPECT_EQ(f->txtpsu->Text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), f->txtpsu);
    EXPECT_EQ(f->Grd->FixedRows(), 0);
    EXPECT_FALSE(plat::PuntatoreInAttesa());
  }
}

TEST_F(CalcoloFanCoil, ControlloPrimaDelCalcolo) {
  f->txtUr->SetText("");
  f->cmdCalcola->click();
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Humidity % not indicated");
  EXPECT_EQ(f->EsitoControllo(), 0);
  EXPECT_TRUE(f->txtUr->hasFocus());
  EXPECT_EQ(f->Grd->Rows(), 2);
}

TEST_F(CalcoloFanCoil, UnValoreSbagliatoNonFaPartireIlCalcolo) {
  Scrivi(f->txtTw1(0), "1");
  QTest::mouseClick(f->cmdCalcola, Qt::LeftButton);
  test::ProcessaEventi();
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_TRUE(reg.messaggi[0].testo.startsWith("Values must be in the range 5"));
  EXPECT_EQ(f->txtTw1(0)->Text(), "5");
  EXPECT_FALSE(f->cmdLegend->isVisible());  // no run: no heading
}

TEST_F(CalcoloFanCoil, ComeFreddoConPortataDigitata) {
  Scrivi(f->txtQw(0), "500");
  Esci(f->txtTsa1(0));
  f->chkComeFreddo->SetValue(1);
  f->cmdCalcola->click();
  ASSERT_GT(f->Grd->Rows(), 2);
  EXPECT_EQ(Riga(0)[8], "TW2 (H)");
  for (int r = 2; r < f->Grd->Rows(); ++r) {
    EXPECT_GT(Cella(r, "PH"), 0) << r;  // heating rates the typed cooling flow
    EXPECT_LT(Cella(r, "TW2 (H)"), 70) << r;
  }
}

TEST_F(CalcoloFanCoil, ComeFreddoConUscitaData) {
  f->chkComeFreddo->SetValue(1);
  f->cmdCalcola->click();
  ASSERT_GT(f->Grd->Rows(), 2);
  for (int r = 2; r < f->Grd->Rows(); ++r) EXPECT_GT(Cella(r, "PH"), 0) << r;
}

TEST_F(CalcoloFanCoil, AcquaCaldaNonPiuCaldaDellAria) {
  Scrivi(f->txtTw1(1), "30");
  Scrivi(f->txtTw2(1), "25");
  Scrivi(f->txtTsa1(1), "30");
  Esci(f->txtGlic);
  f->cmdCalcola->click();
  ASSERT_GT(f->Grd->Rows(), 2);
  for (int r = 2; r < f->Grd->Rows(); ++r) {
    EXPECT_EQ(f->Grd->TextMatrix(r, Colonna("PH")), "") << r;  // 0 W shows empty
    EXPECT_EQ(f->Grd->TextMatrix(r, Colonna("TA (H)")), "") << r;
  }
}

TEST_F(CalcoloFanCoil, AvvisoDiPerditaBassa) {
  Scrivi(f->txtTw2(0), "17");
  Esci(f->txtGlic);
  f->cboVel->SetListIndex(1);
  f->cmdCalcola->click();
  ASSERT_GE(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo,
            "WARNING : at least one model is calculated at very low water pressure drop ( < 3 kPa )");
  EXPECT_EQ(f->Grd->FixedRows(), 2);
}

TEST_F(CalcoloFanCoil, LaSerieDellaFinestraVieneRicaricata) {
  const int scelta = PosizioneModello("KALVO 30");
  f->cboModel->SetListIndex(scelta);
  ui::Fmenu().mnuprods_Click(1);  // loads the EC fan coils into their own window
  EXPECT_EQ(catalogo::Catalogo().SerieCorrente, "KALVOEC");
  f->cmdCalcola->click();
  EXPECT_EQ(catalogo::Catalogo().SerieCorrente, "KALVO");
  EXPECT_EQ(f->cboModel->ListIndex(), scelta);
  ASSERT_EQ(f->Grd->Rows(), 3);
  EXPECT_EQ(f->Grd->TextMatrix(2, 0), "KALVO 30");
}

TEST_F(CalcoloFanCoil, SenzaLimitiEPortataPiccola) {
  plat::Forms::Svuota();
  core::imp.SenzaLimiti = true;
  ui::Fmenu().mnuprod_Click(0);
  FormDatiP& g = FDatiP();
  g.txtpsu->SetText("60");
  g.cmdCalcola->click();
  // Without limits a row is rated whenever the fan gives some air.
  EXPECT_GT(g.Grd->Rows(), 2);
  core::imp.SenzaLimiti = false;
}

namespace {

class CalcoloDistretto : public CalcoloFanCoil {
 protected:
  QString Comando() override { return "district"; }
};

}  // namespace

TEST_F(CalcoloDistretto, SaltoTermicoMinimoSoloConUscitaData) {
  f->cmdCalcola->click();
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Delta T in cooling mode must be > 8°C");
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Nessuna);
  EXPECT_EQ(f->Grd->Rows(), 2);
  reg.Svuota();
  Scrivi(f->txtQw(0), "400");
  Esci(f->txtTsa1(0));
  f->cmdCalcola->click();
  for (auto& m : reg.messaggi) EXPECT_FALSE(m.testo.startsWith("Delta T")) << m.testo.toStdString();
  EXPECT_GT(f->Grd->Rows(), 2);
}
