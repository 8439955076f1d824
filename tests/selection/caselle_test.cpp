#include "selection/fdatip.h"
#include "tests/selection/supporto_selezione.h"
#include "ui/linee.h"

using namespace sel;

namespace {

class FanCoil : public test::ConProgramma {
 protected:
  void SetUp() override {
    ConProgramma::SetUp();
    ui::Fmenu().mnuprod_Click(0);
    f = &FDatiP();
    Attiva(*f);
  }
  FormDatiP* f = nullptr;
};

}  // namespace

TEST_F(FanCoil, ValoriPredefinitiEListe) {
  EXPECT_EQ(f->txtTsa1(0)->Text(), "27");
  EXPECT_EQ(f->txtTbu->Text(), "19");
  EXPECT_EQ(f->txtUr->Text(), "47");
  EXPECT_EQ(f->txtTw1(0)->Text(), "7");
  EXPECT_EQ(f->txtTw2(0)->Text(), "12");
  EXPECT_EQ(f->txtQw(0)->Text(), "");
  EXPECT_EQ(f->txtTsa1(1)->Text(), "20");
  EXPECT_EQ(f->txtTw1(1)->Text(), "70");
  EXPECT_EQ(f->txtTw2(1)->Text(), "60");
  EXPECT_EQ(f->txtGlic->Text(), "0");
  EXPECT_EQ(f->txtpsu->Text(), "0");
  EXPECT_EQ(f->txtDistanza->Text(), "2");
  ASSERT_EQ(f->cboVel->ListCount(), 4);
  EXPECT_EQ(f->cboVel->List(0), "* All");
  EXPECT_EQ(f->cboVel->Text(), "Max");
  EXPECT_EQ(f->cboDirezione->Text(), "2");
  EXPECT_EQ(f->lblumQw(0)->Caption(), "l/h");
  EXPECT_EQ(f->lblLegDes(16)->Caption(), "Power input");
  EXPECT_EQ(f->lblLegDes(3)->Caption(), "Water flow(Cooling)");
  EXPECT_EQ(f->cmdLegend->Caption(), "Legenda");
  EXPECT_TRUE(f->cmdLegend->isHidden());
  EXPECT_EQ(f->lblDistanza->Caption(), "Distance (mt)");
  EXPECT_EQ(f->txtpsu->Tag(), "External heating element-air side");
}

TEST_F(FanCoil, SeiVelocitaPerLaSerieP) {
  ui::Fmenu().mnuprod_Click(3);
  FormDatiP& p = FDatiP();
  ASSERT_EQ(p.cboVel->ListCount(), 7);
  EXPECT_EQ(p.cboVel->Text(), "3");
}

TEST_F(FanCoil, AcquaDiRaffreddamentoFuoriCampo) {
  Scrivi(f->txtTw1(0), "4.5");
  Esci(f->txtTw2(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 5 °C -> 20 °C\rset to 5");
  EXPECT_EQ(f->txtTw1(0)->Text(), "5");
  EXPECT_TRUE(f->txtTw1(0)->hasFocus());
  Scrivi(f->txtTw1(0), "20");
  Esci(f->txtTsa1(0));
  EXPECT_EQ(reg.messaggi.size(), 1u);
}

TEST_F(FanCoil, BulboSeccoSvuotatoERifiutato) {
  Scrivi(f->txtTsa1(0), "");
  Esci(f->txtTbu);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(f->txtTsa1(0)->Text(), "18");
  Scrivi(f->txtTsa1(1), "");
  Esci(f->txtTw1(1));
  EXPECT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(f->txtTsa1(1)->Text(), "");
}

TEST_F(FanCoil, BulboUmidoEUmidita) {
  Scrivi(f->txtTbu, "27");
  Esci(f->txtUr);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Wet bulb t. must be < than dry bulb t.");
  EXPECT_EQ(f->txtUr->Text(), "");
  EXPECT_TRUE(f->txtTbu->hasFocus());
  Scrivi(f->txtTbu, "19");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtUr->Text(), "47.1");
  Scrivi(f->txtUr, "50");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtTbu->Text(), "19.5");
  Scrivi(f->txtUr, "");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtUr->Text(), "49.9");
  Scrivi(f->txtUr, "99");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtUr->Text(), "20");
  EXPECT_EQ(f->txtTbu->Text(), "19.5");  // not recomputed from a refused humidity
}

TEST_F(FanCoil, UscitaAcquaEPortataSiEscludono) {
  Scrivi(f->txtQw(0), "400");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtTw2(0)->Text(), "");
  Scrivi(f->txtTw2(0), "12");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtQw(0)->Text(), "");
  Scrivi(f->txtTw2(0), "7");
  Esci(f->txtTw1(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Outlet temp must be> than inlet temp.");
  EXPECT_EQ(f->txtTw2(0)->Text(), "7");
  Scrivi(f->txtTw2(0), "12");
  Scrivi(f->txtTw2(1), "70");
  Esci(f->txtTw1(1));
  ASSERT_EQ(reg.messaggi.size(), 2u);
  EXPECT_EQ(reg.messaggi[1].testo, "Outlet temp must be< than inlet temp.");
}

TEST_F(FanCoil, ComeFreddoSvuotaEVieneTolto) {
  f->chkComeFreddo->SetValue(1);
  EXPECT_EQ(f->txtTw2(1)->Text(), "");
  EXPECT_EQ(f->txtQw(1)->Text(), "");
  Scrivi(f->txtQw(0), "300");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->chkComeFreddo->Value(), 0);
}

TEST_F(FanCoil, PortataMassimaInLitriOra) {
  Scrivi(f->txtQw(0), "3000");
  Esci(f->txtTw1(0));
  EXPECT_TRUE(reg.messaggi.empty());
  Scrivi(f->txtQw(0), "3001");
  Esci(f->txtTw1(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 0 l/h -> 3000 l/h\rset to 0");
  EXPECT_EQ(f->txtQw(0)->Text(), "0");
}

TEST_F(FanCoil, VersoFineNessunControllo) {
  Scrivi(f->txtTw1(0), "1");
  QTest::mouseClick(f->CmdFine, Qt::LeftButton);
  test::ProcessaEventi();
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_EQ(FDatiP.SeCaricata(), nullptr);
}

TEST_F(FanCoil, PuntoEVirgolaDiventanoIlSeparatore) {
  core::imp.SepDec = ",";
  Scrivi(f->txtTw1(0), "7.5");
  EXPECT_EQ(f->txtTw1(0)->Text(), "7,5");
  core::imp.SepDec = ".";
  Scrivi(f->txtTw1(0), "8,5");
  EXPECT_EQ(f->txtTw1(0)->Text(), "8.5");
  // Enter moves to the next box.
  f->txtTw1(0)->setFocus(Qt::TabFocusReason);
  QTest::keyClick(f->txtTw1(0), Qt::Key_Return);
  EXPECT_FALSE(f->txtTw1(0)->hasFocus());
}

TEST_F(FanCoil, InvioSuUnPulsantePremeIlPulsante) {
  // Enter moves from box to box and, on the button that has the focus, presses it.
  f->cboVel->setFocus(Qt::TabFocusReason);
  QTest::keyClick(f->cboVel, Qt::Key_Return);
  ASSERT_TRUE(f->cmdCalcola->hasFocus());
  QTest::keyClick(f->cmdCalcola, Qt::Key_Return);
  EXPECT_GT(f->Grd->Rows(), 2);
  EXPECT_EQ(f->Grd->FixedRows(), 2);
  f->CmdFine->setFocus(Qt::TabFocusReason);
  QTest::keyClick(f->CmdFine, Qt::Key_Return);
  test::ProcessaEventi();
  EXPECT_EQ(FDatiP.SeCaricata(), nullptr);
}

TEST_F(FanCoil, LeEtichetteSeguonoLeUnita) {
  ui::Fmenu().mnuUnmis_Click();
  ui::Funmis().cboqw->SetListIndex(0);
  ui::Funmis().close();
  EXPECT_EQ(f->lblumQw(0)->Caption(), "l/s");
  EXPECT_EQ(f->lblumQw(1)->Caption(), "l/s");
}

TEST_F(FanCoil, LegendaEDoppioClic) {
  f->cmdLegend_Click();
  EXPECT_TRUE(f->PanLegend->isVisible());
  QTest::mouseClick(f->lblLegDes(0), Qt::LeftButton);
  EXPECT_FALSE(f->PanLegend->isVisible());
  f->cmdLegend_Click();
  f->cmdLegend_Click();
  EXPECT_FALSE(f->PanLegend->isVisible());
}
