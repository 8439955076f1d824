#include <QKeyEvent>
#include <QRegularExpression>
#include <random>

#include "catalogue/catalogo.h"
#include "selection/fdatip.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipxxec.h"
#include "selection/grafico.h"
#include "tests/selection/supporto_selezione.h"
#include "ui/linee.h"

using namespace sel;

namespace {

// The mixed-air window opened from the product-line menu: entry 1 RMB, 2 DVK.
class FinestraMista : public test::ConProgramma {
 protected:
  void Apri(int linea) {
    ui::Fmenu().mnuprod_Click(linea);
    f = &FDatiPXX();
    Attiva(*f);
  }
  std::vector<int> Visibili() const {
    std::vector<int> v;
    for (int i = 1; i <= 10; ++i)
      if (!f->chkAcc(i)->isHidden()) v.push_back(i);
    return v;
  }
  FormDatiPXX* f = nullptr;
};

}  // namespace

TEST_F(FinestraMista, ValoriPredefinitiEDidascalie) {
  Apri(1);
  const std::pair<plat::TextBox*, const char*> attesi[] = {
      {f->txtTsa1ric(0), "27"}, {f->txtTburic, "19"},     {f->txtUrric, "47"},      {f->txtTsa1rin(0), "27"},
      {f->txttburin, "19"},     {f->txturrin, "47"},      {f->txtTw1(0), "7"},      {f->txtTw2(0), "12"},
      {f->txtQw(0), ""},        {f->txtTsa1ric(1), "20"}, {f->txtTsa1rin(1), "20"}, {f->txtTw1(1), "70"},
      {f->txtTw2(1), "60"},     {f->txtQw(1), ""},        {f->txtqatot, "0"},       {f->txtpsu, "0"},
      {f->txtGlic, "0"},        {f->txtDistanza, "2"}};
  for (const auto& [box, testo] : attesi) EXPECT_EQ(box->Text(), testo) << box->objectName().toStdString();
  EXPECT_EQ(f->lblQaTot->Caption(), "Total Air flow");
  EXPECT_EQ(f->lblUmQA->Caption(), "m3/h");
  EXPECT_EQ(f->lblumDpa->Caption(), "Pa");
  EXPECT_EQ(f->lblumQw(1)->Caption(), "l/h");
  EXPECT_EQ(f->frmAccess->Caption(), "Accessories");
  EXPECT_EQ(f->lblDistanza->Caption(), "Distance (mt)");
  EXPECT_EQ(f->lblRicircolo(0)->Caption(), "Return air100 %");
  EXPECT_EQ(f->lblRinnovo(1)->Caption(), "Fresh air100 %");
  // At load only the cooling frames carry the shares.
  EXPECT_EQ(f->frmRicircoloF->Caption(), "Return air ratio 100%");
  EXPECT_EQ(f->frmRinnovoF->Caption(), "Fresh air ratio 0%");
  EXPECT_EQ(f->frmRicircoloC->Caption(), "Return air ratio");
  EXPECT_EQ(f->FrmRinnovoC->Caption(), "Fresh air ratio");
  EXPECT_EQ(f->lblLegSim(0)->Caption(), "QA");
  EXPECT_EQ(f->lblLegDes(10)->Caption(), "Water pressure drop(Heating)");
  EXPECT_EQ(f->lblLegSim(13)->Caption(), "LP");
  EXPECT_EQ(f->txtpsu->Tag(), "External heating element-air side");
  EXPECT_TRUE(f->cmdLegend->isHidden());
  EXPECT_EQ(f->Scrollfreddo->minimum(), 0);
  EXPECT_EQ(f->Scrollfreddo->maximum(), 100);
  EXPECT_EQ(f->Scrollfreddo->Value(), 0);
}

TEST_F(FinestraMista, RmbTreAccessoriEFiltriAlternativi) {
  Apri(1);
  EXPECT_EQ(Visibili(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(f->chkAcc(1)->Caption(), "Additional Coil (4 pipes)");
  EXPECT_EQ(f->chkAcc(2)->Caption(), "Filter G2(TR2)");
  EXPECT_EQ(f->chkAcc(3)->Caption(), "Filter G4(TR4)");
  EXPECT_EQ(f->chkAcc(2)->Value(), 1);
  EXPECT_EQ(f->chkAcc(1)->Value(), 0);
  f->chkAcc(3)->click();
  EXPECT_EQ(f->chkAcc(3)->Value(), 1);
  EXPECT_EQ(f->chkAcc(2)->Value(), 0);
  f->chkAcc(2)->click();
  EXPECT_EQ(f->chkAcc(2)->Value(), 1);
  EXPECT_EQ(f->chkAcc(3)->Value(), 0);
  f->chkAcc(2)->click();  // unticking leaves the other alone
  EXPECT_EQ(f->chkAcc(2)->Value(), 0);
  EXPECT_EQ(f->chkAcc(3)->Value(), 0);
  ASSERT_EQ(f->cboVel->ListCount(), 4);
  EXPECT_EQ(f->cboVel->Text(), "Max");
}

TEST_F(FinestraMista, DvkUnAccessorioESetteVelocita) {
  Apri(2);
  EXPECT_EQ(Visibili(), (std::vector<int>{1}));
  EXPECT_EQ(f->chkAcc(1)->Caption(), "Additional coil (4 pipes)");
  EXPECT_EQ(f->chkAcc(1)->Value(), 0);
  f->chkAcc(1)->click();
  EXPECT_EQ(f->chkAcc(1)->Value(), 1);
  for (int i = 2; i <= 10; ++i) EXPECT_EQ(f->chkAcc(i)->Value(), 0) << i;
  ASSERT_EQ(f->cboVel->ListCount(), 8);
  EXPECT_EQ(f->cboVel->List(0), "* All");
  EXPECT_EQ(f->cboVel->List(7), "7");
  EXPECT_EQ(f->cboVel->Text(), "3");
  ASSERT_EQ(f->cboDirezione->ListCount(), 3);
  EXPECT_EQ(f->cboDirezione->Text(), "2");
}

TEST_F(FinestraMista, LeDueBarreTengonoLaStessaQuota) {
  Apri(1);
  f->ScrollCaldo->SetValue(30);
  EXPECT_EQ(f->Scrollfreddo->Value(), 30);
  for (plat::Frame* fr : {f->frmRicircoloF, f->frmRicircoloC})
    EXPECT_EQ(fr->Caption(), "Return air ratio 70%");
  for (plat::Frame* fr : {f->frmRinnovoF, f->FrmRinnovoC}) EXPECT_EQ(fr->Caption(), "Fresh air ratio 30%");
  f->Scrollfreddo->SetValue(100);
  EXPECT_EQ(f->ScrollCaldo->Value(), 100);
  EXPECT_EQ(f->frmRicircoloC->Caption(), "Return air ratio 0%");
  EXPECT_EQ(f->frmRinnovoF->Caption(), "Fresh air ratio 100%");
}

// The share from the keyboard: Tab from the last box of each pass's fresh
// air reaches its bar; the arrows, the page keys, Home and End move it, and
// the other bar and the captions follow.
TEST_F(FinestraMista, LaQuotaDallaTastiera) {
  Apri(1);
  const struct {
    plat::TextBox* ultima;
    plat::ScrollBar* barra;
    plat::ScrollBar* altra;
  } casi[] = {{f->txturrin, f->Scrollfreddo, f->ScrollCaldo},
              {f->txtTsa1rin(1), f->ScrollCaldo, f->Scrollfreddo}};
  const std::pair<Qt::Key, int> tasti[] = {{Qt::Key_Down, 1}, {Qt::Key_PageDown, 11}, {Qt::Key_End, 100},
                                           {Qt::Key_Up, 99},  {Qt::Key_PageUp, 89},   {Qt::Key_Home, 0}};
  for (const auto& c : casi) {
    c.ultima->setFocus(Qt::TabFocusReason);
    QTest::keyClick(c.ultima, Qt::Key_Tab);
    test::ProcessaEventi();
    ASSERT_EQ(QApplication::focusWidget(), c.barra) << c.ultima->objectName().toStdString();
    for (const auto& [tasto, valore] : tasti) {
      QTest::keyClick(QApplication::focusWidget(), tasto);
      EXPECT_EQ(c.barra->Value(), valore) << tasto;
      EXPECT_EQ(c.altra->Value(), valore) << tasto;
      EXPECT_EQ(f->FrmRinnovoC->Caption(), QStringLiteral("Fresh air ratio %1%").arg(valore));
    }
  }
  EXPECT_TRUE(reg.messaggi.empty());
}

TEST_F(FinestraMista, PressioneEPortataTotaleSiEscludono) {
  Apri(1);
  Scrivi(f->txtpsu, "100");
  Esci(f->txtGlic);
  EXPECT_TRUE(reg.messaggi.empty());  // 100 Pa is within the RMB limit of 250
  Scrivi(f->txtqatot, "900");
  Esci(f->txtGlic);
  EXPECT_EQ(f->txtpsu->Text(), "0");
  Scrivi(f->txtpsu, "50");
  Esci(f->txtGlic);
  EXPECT_EQ(f->txtqatot->Text(), "0");
  for (const char* vuota : {"", "   "}) {
    Scrivi(f->txtqatot, vuota);
    Esci(f->txtGlic);
    EXPECT_EQ(f->txtqatot->Text(), "0");
    EXPECT_EQ(f->txtpsu->Text(), "50");
    EXPECT_TRUE(reg.messaggi.empty());
  }
  // A leading no-break space is a blank to every reading of the boxes.
  Scrivi(f->txtqatot, QStringLiteral("\u00a0900"));
  Esci(f->txtGlic);
  EXPECT_EQ(f->txtpsu->Text(), "0");
  Scrivi(f->txtpsu, QStringLiteral("\u00a030"));
  Esci(f->txtGlic);
  EXPECT_EQ(f->txtqatot->Text(), "0");
  f->cmdCalcola_Click();  // 30 Pa: no warning of a unit without pressure
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_GT(f->Grd->Rows(), 2);
  // Letters after a number: positive as ValNum reads it, so the total air
  // flow becomes 0 before the pressure's check refuses the text.
  const QString rifiuto = "Values must be in the range 0 Pa -> 250 Pa\rset to 0";
  Scrivi(f->txtqatot, "900");
  Esci(f->txtGlic);
  Scrivi(f->txtpsu, "12abc");
  Esci(f->txtGlic);
  EXPECT_EQ(f->txtqatot->Text(), "0");
  EXPECT_EQ(f->txtpsu->Text(), "0");
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, rifiuto);
  reg.Svuota();
  // A total air flow pasted with a decimal comma, 0 to ValNum (900 to the
  // run): not positive, the pressure stays.
  core::imp.SepDec = QStringLiteral(",");
  Scrivi(f->txtpsu, "30");
  Esci(f->txtGlic);
  f->txtqatot->setFocus(Qt::TabFocusReason);
  f->txtqatot->SetText(QStringLiteral("0.0.900"));
  Esci(f->txtGlic);
  EXPECT_EQ(f->txtpsu->Text(), "30");
  core::imp.SepDec = QStringLiteral(".");
  Scrivi(f->txtpsu, "");
  Esci(f->txtGlic);
  EXPECT_EQ(f->txtpsu->Text(), "0");
  Scrivi(f->txtpsu, "251");
  Esci(f->txtGlic);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, rifiuto);
}

TEST_F(FinestraMista, DvkAccettaAlPiuOttantaPascal) {
  Apri(2);
  Scrivi(f->txtqatot, "900");
  Esci(f->txtGlic);
  Scrivi(f->txtpsu, "100");
  Esci(f->txtGlic);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 0 Pa -> 80 Pa\rset to 0");
  EXPECT_EQ(f->txtpsu->Text(), "0");
  EXPECT_EQ(f->txtqatot->Text(), "0");  // the positive pressure cleared it first
}

TEST_F(FinestraMista, PortataAcquaSenzaConversioneDelLimite) {
  Apri(1);
  Scrivi(f->txtQw(0), "3000");
  Esci(f->txtTw1(0));
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_EQ(f->txtTw2(0)->Text(), "");
  Scrivi(f->txtQw(0), "3001");
  Esci(f->txtTw1(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 0 l/h -> 3000 l/h\rset to 0");
}

// Water flow shown in l/s.
class FinestraMistaLitriSecondo : public FinestraMista {
 protected:
  QByteArray Ini() override { return "[Common]\r\nMulti= 1\r\n[Unmis]\r\nQa= 2\r\nQw= 0\r\n"; }
};

TEST_F(FinestraMistaLitriSecondo, IlLimiteRestaIlNumeroTremila) {
  Apri(1);
  EXPECT_EQ(f->lblumQw(0)->Caption(), "l/s");
  Scrivi(f->txtQw(1), "2999");
  Esci(f->txtTw1(1));
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_EQ(f->txtTw2(1)->Text(), "");
  Scrivi(f->txtTw2(1), "60");
  Esci(f->txtTw1(1));
  EXPECT_EQ(f->txtQw(1)->Text(), "");
}

TEST_F(FinestraMista, BulboSeccoControllatoSecondoLaQuota) {
  Apri(1);
  // Share 0: no fresh air, its cooling dry bulb is not checked.
  Scrivi(f->txtTsa1rin(0), "10");
  Esci(f->txtTw1(0));
  EXPECT_TRUE(reg.messaggi.empty());
  Scrivi(f->txtTsa1ric(0), "15");
  Esci(f->txtTw1(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 16 °C -> 35 °C\rset to 16");
  // Share 100: no return air.
  f->Scrollfreddo->SetValue(100);
  reg.Svuota();
  Scrivi(f->txtTsa1ric(0), "40");
  Esci(f->txtTw1(0));
  EXPECT_TRUE(reg.messaggi.empty());
  Scrivi(f->txtTsa1rin(0), "10");
  Esci(f->txtTw1(0));
  EXPECT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(f->txtTsa1rin(0)->Text(), "16");
  // Heating: return air -15 to 35, fresh air -10 to 30, whatever the share.
  reg.Svuota();
  Scrivi(f->txtTsa1ric(1), "-15");
  Esci(f->txtTw1(1));
  Scrivi(f->txtTsa1rin(1), "");
  Esci(f->txtTw1(1));
  EXPECT_TRUE(reg.messaggi.empty());
  Scrivi(f->txtTsa1rin(1), "31");
  Esci(f->txtTw1(1));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range -10 °C -> 30 °C\rset to -10");
}

TEST_F(FinestraMista, UmiditaEBulboUmidoDeiDueFlussi) {
  Apri(1);
  Scrivi(f->txturrin, "96");
  Esci(f->txtTw1(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(f->txturrin->Text(), "10");
  EXPECT_EQ(f->txttburin->Text(), "19");  // not recomputed from a refused humidity
  reg.Svuota();
  Scrivi(f->txtTsa1rin(0), "35");
  Scrivi(f->txturrin, "40");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txttburin->Text(), "23.9");
  Scrivi(f->txttburin, "35");
  Esci(f->txtTw1(0));
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Wet bulb t. must be < than dry bulb t.");
  EXPECT_EQ(f->txturrin->Text(), "");
  Scrivi(f->txtTburic, "20");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtUrric->Text(), "52.9");
  Scrivi(f->txtUrric, "");
  Esci(f->txtTw1(0));
  EXPECT_EQ(f->txtUrric->Text(), "52.9");  // emptied: filled again from the wet bulb
}

namespace {

// Every mixed-air window: RMB, DVK, their EC series, and those in easy calc.
struct FinestraDellaSerie {
  catalogo::Codice serie;
  bool facile;
};
constexpr FinestraDellaSerie kFinestreMiste[] = {
    {catalogo::Codice::RMB, false},     {catalogo::Codice::DVK, false},    {catalogo::Codice::RMBBLDC, false},
    {catalogo::Codice::DVKBLDC, false}, {catalogo::Codice::RMBBLDC, true}, {catalogo::Codice::DVKBLDC, true}};

FinestraAriaMista& ApriMista(const FinestraDellaSerie& w) {
  ui::ApriLinea(w.serie, w.facile);
  if (!catalogo::Descrittore(w.serie).ec) return FDatiPXX();
  return w.facile ? static_cast<FinestraAriaMista&>(FDatiPXXEC_VFIX()) : FDatiPXXEC();
}

// Any selection window, the single-air ones too.
FinestraSelezione& ApriFinestra(const FinestraDellaSerie& w) {
  const catalogo::Serie& d = catalogo::Descrittore(w.serie);
  if (d.aria != catalogo::Aria::Singola) return ApriMista(w);
  ui::ApriLinea(w.serie, w.facile);
  if (!d.ec) return FDatiP();
  return w.facile ? static_cast<FinestraSelezione&>(FDatiPEC_VFIX()) : FDatiPEC();
}

// The nine selection windows: the mixed-air ones, then the fan coils' and
// the two of the EC fan coils.
std::vector<FinestraDellaSerie> NoveFinestre() {
  std::vector<FinestraDellaSerie> finestre(std::begin(kFinestreMiste), std::end(kFinestreMiste));
  finestre.insert(finestre.end(), {{catalogo::Codice::KALVO, false},
                                   {catalogo::Codice::KALVOEC, false},
                                   {catalogo::Codice::KALVOEC, true}});
  return finestre;
}

}  // namespace

// A dry bulb that the share leaves unchecked, then the stream's wet bulb or
// humidity left by a click: a humidity or wet bulb that the moist-air
// routines cannot give is refused with the humidity's range, both boxes
// emptied and the focus on the box left; the program goes on.
TEST_F(FinestraMista, UnaCondizioneDAriaImpossibileERifiutata) {
  struct Caso {
    bool ricircolo;     // the return air at share 100, else the fresh air at share 0
    const char* secco;  // dry bulb
    bool daUmidita;     // the humidity box left, else the wet-bulb box
  } casi[] = {{false, "5000", false}, {false, "-300", true}, {false, "5000", true},
              {true, "5000", false},  {true, "-300", true},  {false, "1000", true}};
  for (const FinestraDellaSerie& w : kFinestreMiste) {
    FinestraAriaMista& m = ApriMista(w);
    Attiva(m);
    for (const Caso& c : casi) {
      SCOPED_TRACE(m.Nome().toStdString() + " " + m.serie.toStdString() + " " + c.secco +
                   (c.ricircolo ? " return" : " fresh") + (c.daUmidita ? " humidity" : " wet bulb"));
      m.Scrollfreddo->SetValue(c.ricircolo ? 100 : 0);
      plat::TextBox* secco = c.ricircolo ? m.txtTsa1ric(0) : m.txtTsa1rin(0);
      plat::TextBox* bulbo = c.ricircolo ? m.txtTburic : m.txttburin;
      plat::TextBox* umido = c.ricircolo ? m.txtUrric : m.txturrin;
      bulbo->SetText("19");
      umido->SetText("47");
      Scrivi(secco, c.secco);
      QTest::mouseClick(c.daUmidita ? umido : bulbo, Qt::LeftButton);
      test::ProcessaEventi();
      reg.Svuota();
      QTest::mouseClick(c.daUmidita ? static_cast<QWidget*>(m.txtTw1(0)) : umido, Qt::LeftButton);
      test::ProcessaEventi();
      plat::TextBox* lasciata = c.daUmidita ? umido : bulbo;
      ASSERT_EQ(reg.messaggi.size(), 1u);
      EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 10 % -> 95 %");
      EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
      EXPECT_EQ(QApplication::focusWidget(), lasciata);
      EXPECT_EQ(bulbo->Text(), "");
      EXPECT_EQ(umido->Text(), "");
      // Corrected, the stream's boxes work again.
      reg.Svuota();
      Scrivi(secco, "27");
      Scrivi(bulbo, "19");
      Esci(m.txtTw1(0));
      EXPECT_EQ(umido->Text(), "47.1");
      EXPECT_TRUE(reg.messaggi.empty());
    }
  }
}

// A dry bulb the share leaves unchecked, even one no single can hold, does
// not enter the mix while its stream has no share; once the share moves to
// let the stream in, the run refuses it with the range and the focus on it.
TEST_F(FinestraMista, UnBulboSeccoSenzaQuotaEntraSoloControllato) {
  for (const FinestraDellaSerie& w : kFinestreMiste) {
    FinestraAriaMista& m = ApriMista(w);
    Attiva(m);
    if (m.Nome() == "FDatiPXXEC") m.txtqatot->SetText("800");  // its run needs the air flow
    for (const char* secco : {"1e39", "5000"})
      for (const bool ricircolo : {false, true}) {
        SCOPED_TRACE(m.Nome().toStdString() + " " + m.serie.toStdString() + " " + secco +
                     (ricircolo ? " return" : " fresh"));
        plat::TextBox* box = ricircolo ? m.txtTsa1ric(0) : m.txtTsa1rin(0);
        m.Scrollfreddo->SetValue(ricircolo ? 100 : 0);
        Scrivi(box, secco);
        Esci(m.txtGlic);
        reg.Svuota();
        QTest::mouseClick(m.cmdCalcola, Qt::LeftButton);
        test::ProcessaEventi();
        QStringList testi;
        for (const auto& x : reg.messaggi) testi << x.testo;
        EXPECT_EQ(testi.filter("Errore").size(), 0) << testi.join('|').toStdString();
        EXPECT_GT(m.Grd->Rows(), 2);
        m.Scrollfreddo->SetValue(50);
        reg.Svuota();
        QTest::mouseClick(m.cmdCalcola, Qt::LeftButton);
        test::ProcessaEventi();
        testi.clear();
        for (const auto& x : reg.messaggi) testi << x.testo;
        EXPECT_EQ(testi.filter("Errore").size(), 0) << testi.join('|').toStdString();
        EXPECT_EQ(testi.filter("Values must be in the range 16 °C -> 35 °C").size(), 1)
            << testi.join('|').toStdString();
        EXPECT_LE(m.Grd->Rows(), 2);
        EXPECT_EQ(QApplication::focusWidget(), box);
        box->SetText("27");
      }
  }
}

// Letters in the static pressure box are refused when the box is left, and
// by the run when pasted where no check saw them (while another box's
// refusal held the focus); an air flow below 0 is refused by name, never
// rated to "No unit meets", but for "nolimits"; one beyond what the rating
// holds meets no unit.  In every window, each with the boxes it has.
TEST_F(FinestraMista, LettereEPortataNegativaRifiutate) {
  const std::vector<FinestraDellaSerie> finestre = NoveFinestre();
  auto testi = [this] {
    QStringList t;
    for (const auto& m : reg.messaggi) t << m.testo;
    return t;
  };
  int controllate = 0;
  for (const FinestraDellaSerie& w : finestre) {
    FinestraSelezione& f = ApriFinestra(w);
    SCOPED_TRACE(f.Nome().toStdString() + " " + f.serie.toStdString());
    Attiva(f);
    const QString limite = QString::number(catalogo::Descrittore(w.serie).pressioneMassima);
    const QString rifiutoPressione = "Values must be in the range 0 Pa -> " + limite + " Pa\rset to 0";
    reg.Svuota();
    Scrivi(f.txtpsu, "abc");
    Esci(f.txtGlic);
    EXPECT_EQ(testi(), QStringList{rifiutoPressione});
    EXPECT_EQ(f.txtpsu->Text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), f.txtpsu);
    // Pasted while the glycol's refusal holds the focus, then Calculate.
    Scrivi(f.txtGlic, "61");
    Esci(f.txtDistanza);
    EXPECT_EQ(QApplication::focusWidget(), f.txtGlic);
    reg.Svuota();
    f.txtpsu->setText("abc");
    QTest::mouseClick(f.cmdCalcola, Qt::LeftButton);
    test::ProcessaEventi();
    ASSERT_FALSE(testi().isEmpty());
    EXPECT_EQ(testi().filter("Errore"), QStringList{});
    EXPECT_EQ(testi().back(), rifiutoPressione);
    EXPECT_EQ(f.txtpsu->Text(), "0");
    EXPECT_EQ(QApplication::focusWidget(), f.txtpsu);
    EXPECT_LE(f.Grd->Rows(), 2);
    // Letters after a number: a pressure as the warning of a unit without
    // one reads it (12), refused by the run.
    f.txtpsu->setText("12abc");
    reg.Svuota();
    f.cmdCalcola->click();
    EXPECT_EQ(testi(), QStringList{rifiutoPressione});
    Scrivi(f.txtpsu, "20");
    Esci(f.txtGlic);
    ++controllate;
    // Every window but the easy-calc ones and the fan coils' has the box.
    EXPECT_EQ(f.txtqatot != nullptr, !w.facile && f.Nome() != "FDatiP");
    if (!f.txtqatot) continue;
    const QString rifiuto =
        QString::fromUtf8(catalogo::Descrittore(w.serie).aria != catalogo::Aria::Singola ? "Total " : "") +
        "Air flow : Values must be in the range > 0 m3/h";
    // Typed and left: the base window refuses it there, the EC windows
    // leave it to the run.
    const bool base = f.Nome() == "FDatiPXX";
    for (const char* portata : {"-400", "abc"}) {
      reg.Svuota();
      Scrivi(f.txtqatot, portata);
      Esci(f.txtGlic);
      EXPECT_EQ(testi(), base ? QStringList{rifiuto} : QStringList{}) << portata;
      EXPECT_EQ(f.txtqatot->Text(), base ? "0" : portata) << portata;
      EXPECT_EQ(QApplication::focusWidget(), base ? f.txtqatot : f.txtGlic) << portata;
    }
    // Pasted: the run refuses it.
    for (const char* portata : {"-400", "abc"}) {
      f.txtqatot->SetText(portata);
      reg.Svuota();
      f.cmdCalcola->click();
      const bool lettere = std::string(portata) == "abc";
      // The EC windows read letters as no flow: mandatory.
      EXPECT_EQ(testi().filter(QRegularExpression("Air flow|^Errore")),
                QStringList{lettere && !base ? QString(" Air flow is mandatory ") : rifiuto})
          << portata;
      EXPECT_LE(f.Grd->Rows(), 2);
      EXPECT_EQ(QApplication::focusWidget(), f.txtqatot);
    }
    // "nolimits": a flow below 0 is not refused; no model delivers it.
    core::imp.SenzaLimiti = true;
    Scrivi(f.txtqatot, "-400");
    Esci(f.txtGlic);
    f.txtpsu->SetText("0");
    reg.Svuota();
    f.cmdCalcola->click();
    core::imp.SenzaLimiti = false;
    EXPECT_EQ(f.txtqatot->Text(), "-400");
    EXPECT_EQ(testi().filter(QRegularExpression("Air flow|^Errore|^No unit")),
              QStringList{"No unit meets the requir.specified"});
    // A flow beyond what the rating holds: no unit meets it.
    for (const char* portata : {"1e200", "1e39"}) {
      f.txtqatot->SetText(portata);
      reg.Svuota();
      f.cmdCalcola->click();
      EXPECT_EQ(testi().filter(QRegularExpression("^No unit meets|^Errore")),
                QStringList{"No unit meets the requir.specified"})
          << portata;
      EXPECT_EQ(QApplication::focusWidget(), f.txtqatot);
    }
  }
  EXPECT_EQ(controllate, 9);
}

// A number pasted where no check saw it, outside its box's range: the run
// refuses it as the box's check does (message, minimum, focus), before any
// row and never through the error trap.  In every window.
TEST_F(FinestraMista, UnNumeroIncollatoFuoriCampoFermaIlCalcolo) {
  const std::vector<FinestraDellaSerie> finestre = NoveFinestre();
  for (const FinestraDellaSerie& w : finestre) {
    FinestraSelezione& f = ApriFinestra(w);
    SCOPED_TRACE(f.Nome().toStdString() + " " + f.serie.toStdString());
    Attiva(f);
    auto* m = dynamic_cast<FinestraAriaMista*>(&f);
    auto* s = dynamic_cast<FinestraAriaSingola*>(&f);
    ASSERT_TRUE(m || s);
    const struct {
      plat::TextBox* box;
      const char* testo;
      QString campo;
    } casi[] = {
        {m ? m->txtUrric : s->txtUr, "1e308", m ? "10 % -> 95 %\rset to 10" : "20 % -> 98 %\rset to 20"},
        {m ? m->txtTsa1ric(1) : s->txtTsa1(1), "-300",
         m ? "-15 °C -> 35 °C\rset to -15" : "-10 °C -> 30 °C\rset to -10"},
        {f.txtTw1(1), "400", "30 °C -> 95 °C\rset to 30"},
        {f.txtQw(0), "1e308", "0 l/h -> 3000 l/h\rset to 0"},
        {f.txtGlic, "99", "0 % -> 60 %\rset to 0"},
    };
    for (const auto& c : casi) {
      const QString prima = c.box->Text();
      c.box->SetText(c.testo);
      reg.Svuota();
      QTest::mouseClick(f.cmdCalcola, Qt::LeftButton);
      test::ProcessaEventi();
      QStringList testi;
      for (const auto& r : reg.messaggi) testi << r.testo;
      EXPECT_EQ(testi, QStringList{"Values must be in the range " + c.campo}) << c.testo;
      EXPECT_EQ(QApplication::focusWidget(), c.box) << c.testo;
      EXPECT_EQ(c.box->Text(), c.campo.mid(c.campo.lastIndexOf(' ') + 1)) << c.testo;
      c.box->SetText(prima);
    }
  }
}

// The separator rows of the model lists cannot be chosen: disabled, and the
// arrow keys pass over them, in every window whose series has them; but
// those of the DVKBLDC "4P" units, rated picked alone, are chosen like any
// model, in both DVKBLDC windows.
TEST_F(FinestraMista, ISeparatoriNonSiScelgono) {
  std::vector<FinestraDellaSerie> finestre(std::begin(kFinestreMiste), std::end(kFinestreMiste));
  finestre.insert(finestre.end(), {{catalogo::Codice::KALVO, false},
                                   {catalogo::Codice::KALVOP, false},
                                   {catalogo::Codice::KALVOEC, false},
                                   {catalogo::Codice::KALVOEC, true}});
  int separatori = 0, sceglibili = 0, raggiunti = 0;
  for (const FinestraDellaSerie& w : finestre) {
    FinestraSelezione& f = ApriFinestra(w);
    SCOPED_TRACE(f.Nome().toStdString() + " " + f.serie.toStdString());
    Attiva(f);
    const bool quattroTubi = w.serie == catalogo::Codice::DVKBLDC;
    plat::ComboBox* c = f.cboModel;
    for (int i = 0; i < c->ListCount(); ++i)
      if (c->List(i) == catalogo::kSeparatore) {
        ++separatori;
        sceglibili += quattroTubi;
        EXPECT_EQ(bool(c->model()->flags(c->model()->index(i, 0)) & Qt::ItemIsEnabled), quattroTubi) << i;
      }
    c->setFocus();
    c->SetListIndex(0);
    for (Qt::Key tasto : {Qt::Key_Down, Qt::Key_Up})
      for (int i = 0; i < c->ListCount(); ++i) {
        QTest::keyClick(c, tasto);
        if (c->Text() != catalogo::kSeparatore) continue;
        EXPECT_TRUE(quattroTubi) << i;
        ++raggiunti;
      }
  }
  EXPECT_GT(separatori, 10);
  EXPECT_GE(sceglibili, 10);
  EXPECT_EQ(raggiunti, 2 * sceglibili);  // each once on the way down, once on the way up
}

// The entry under DVKBLDC 10 reached with the arrow keys and Calculate
// pressed, in both DVKBLDC windows: one row, the cooling of DVKBLDC 10 and
// the heating of DVKBLDC 10 4P, with the additional coil ticked; the row
// "* All" gives with the coil ticked.
TEST_F(FinestraMista, LUnitaQuattroTubiSceltaDaSola) {
  const struct {
    bool facile;
    const char* riga;
  } casi[] = {
      {false, "DVKBLDC 10 4P\t1450\t8.8\t1360\t1360\t234\t3\t20.0\t2610\t229\t7\t32.9\t62.6\t48.6\t72.2"},
      {true, "DVKBLDC 10 4P\t605\t1370\t1370\t235\t3\t20.0\t2620\t230\t7\t32.8\t62.8\t48.8\t73.2"},
  };
  for (const auto& c : casi) {
    FinestraAriaMista& m = ApriMista({catalogo::Codice::DVKBLDC, c.facile});
    SCOPED_TRACE(m.Nome().toStdString());
    Attiva(m);
    if (!c.facile) m.txtqatot->SetText("600");
    m.txtpsu->SetText("50");
    m.cboModel->setFocus();
    m.cboModel->SetListIndex(1);
    ASSERT_EQ(m.cboModel->Text(), "DVKBLDC 10");
    QTest::keyClick(m.cboModel, Qt::Key_Down);
    ASSERT_EQ(m.cboModel->ListIndex(), 2);
    ASSERT_EQ(m.chkAcc(1)->Value(), 0);
    auto riga = [&m](int r) {
      QStringList celle;
      for (int k = 0; k < m.Grd->Cols(); ++k) celle << m.Grd->TextMatrix(r, k);
      return celle.join(QLatin1Char('\t'));
    };
    QTest::mouseClick(m.cmdCalcola, Qt::LeftButton);
    EXPECT_EQ(m.chkAcc(1)->Value(), 1);
    ASSERT_EQ(m.Grd->Rows(), 3);
    EXPECT_EQ(riga(2), QString::fromUtf8(c.riga));
    // "* All" with the coil ticked gives the same row among the other pairs'.
    const QString scelta = riga(2);
    m.cboModel->SetListIndex(0);
    QTest::mouseClick(m.cmdCalcola, Qt::LeftButton);
    ASSERT_GT(m.Grd->Rows(), 3);
    EXPECT_EQ(riga(2), scelta);
    for (int r = 2; r < m.Grd->Rows(); ++r) EXPECT_TRUE(m.Grd->TextMatrix(r, 0).endsWith(" 4P")) << r;
  }
}

// The legend's rows, shown, keep their whole height and width without
// overlapping, and the panel lies inside its window: every window, several
// languages.
TEST_F(FinestraMista, LaLegendaSiLeggeInOgniLingua) {
  std::vector<FinestraDellaSerie> finestre(std::begin(kFinestreMiste), std::end(kFinestreMiste));
  finestre.insert(finestre.end(), {{catalogo::Codice::KALVO, false},
                                   {catalogo::Codice::KALVOEC, false},
                                   {catalogo::Codice::KALVOEC, true}});
  for (int lingua : {300, 100, 500, 1100, 2300}) {
    core::imp.BaseTesti = static_cast<std::int16_t>(lingua);
    for (const FinestraDellaSerie& w : finestre) {
      FinestraSelezione& f = ApriFinestra(w);
      SCOPED_TRACE(f.Nome().toStdString() + " " + f.serie.toStdString() + " " + std::to_string(lingua));
      Attiva(f);
      f.cmdLegend->setVisible(true);
      f.cmdLegend_Click();
      test::ProcessaEventi();
      ASSERT_TRUE(f.PanLegend->isVisible());
      // Whole: inside the window and not cut by the widget that holds it.
      const QRect pannello(f.PanLegend->mapTo(&f, QPoint(0, 0)), f.PanLegend->size());
      EXPECT_TRUE(f.rect().contains(pannello));
      EXPECT_TRUE(f.PanLegend->parentWidget()->rect().contains(f.PanLegend->geometry()));
      int fondo = -1;
      for (const auto& [k, sim] : f.lblLegSim.Elementi()) {
        for (plat::Label* l : {sim, f.lblLegDes(k)}) {
          EXPECT_GE(l->height(), l->sizeHint().height()) << k;
          EXPECT_GE(l->width(), l->sizeHint().width()) << k;
          EXPECT_TRUE(f.PanLegend->rect().contains(l->geometry())) << k;
        }
        EXPECT_GE(sim->y(), fondo) << k;
        fondo = sim->geometry().bottom() + 1;
      }
      f.Scarica();
    }
  }
  core::imp.BaseTesti = 300;
}

TEST_F(FinestraMista, LeEtichetteSeguonoLeUnita) {
  Apri(1);
  ui::Fmenu().mnuUnmis_Click();
  ui::Funmis().cboqa->SetListIndex(0);
  ui::Funmis().cboDpA->SetListIndex(1);
  ui::Funmis().close();
  EXPECT_EQ(f->lblUmQA->Caption(), "l/s");
  EXPECT_EQ(f->lblumDpa->Caption(), "mmH2O");
}

// The chart's link to a selection window: its own series and model, the
// working point written into its boxes, the rerun through the Calculate
// button's guard.
TEST_F(FinestraMista, IlGraficoScriveLeCaselleERicalcolaComeIlPulsante) {
  Apri(1);
  f->cboModel->SetListIndex(2);
  sel::ChiamanteSelezione c(*f);
  EXPECT_EQ(&c.FinestraGrafico(), f);
  catalogo::Catalogo().SerieCorrente = "DVK";  // another series loaded since
  EXPECT_EQ(c.ModelloGrafico(), 2);
  EXPECT_EQ(catalogo::Catalogo().SerieCorrente, "RMB");
  c.AbilitaPortataGrafico(false);
  EXPECT_FALSE(f->txtqatot->isEnabled());
  c.RicalcolaGrafico("20", "0");
  EXPECT_EQ(f->txtpsu->Text(), "20");
  EXPECT_EQ(f->txtqatot->Text(), "0");
  ASSERT_GT(f->Grd->Rows(), 2);
  const QString riga = f->Grd->TextMatrix(2, 1);
  // A box left with a value out of range: its check runs first and stops the rerun.
  Attiva(*f);
  Scrivi(f->txtTw1(0), "99");
  f->txtGlic->setFocus(Qt::TabFocusReason);
  reg.Svuota();
  c.RicalcolaGrafico("40", "0");
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_TRUE(reg.messaggi[0].testo.startsWith("Values must be in the range"))
      << reg.messaggi[0].testo.toStdString();
  EXPECT_EQ(f->Grd->TextMatrix(2, 1), riga);
  c.AbilitaPortataGrafico(true);
  EXPECT_TRUE(f->txtqatot->isEnabled());
}

// A hostile user, with a fixed seed: odd texts typed into every box in any
// order, or pasted into one without a key or a move of the focus (also
// while another box's refusal holds the focus, then Calculate), the focus
// moved box to box, accessories ticked, the share moved, lists changed,
// Calculate pressed by a click or by Enter, in every window and with
// either decimal mark.  Never the error trap, never a number that is not
// one in the grid.
TEST_F(FinestraMista, UnUtenteOstileNonFermaIlProgramma) {
  const char* testi[] = {
      "1e308",  "-1e308", "1e-308",      "NaN",    "inf",   "-inf",  "abc",    "1,5", "",  "  ",  "€",
      "١٢",     "-0",     "99999999999", "-40",    "0x10",  "1.2.3", "+5",     "5e",  ".", "1d3", "&H10",
      "3.5e38", "1e39",   "32768",       "-32769", "1e-45", "27",    "19",     "47",  "7", "12",  "400",
      "20",     "70",     "60",          "5",      "300",   "1000",  "0.0001", "95",  "35"};
  const std::vector<FinestraDellaSerie> finestre = NoveFinestre();
  std::mt19937 caso(20261209);
  auto R = [&](qsizetype n) { return static_cast<int>(caso() % static_cast<unsigned>(n)); };
  auto abili = [](auto lista) {
    lista.removeIf([](QWidget* w) { return !w->isVisible() || !w->isEnabled(); });
    return lista;
  };
  auto testo = [&] {
    return R(25) == 0 ? QString(3000, '9') : QString::fromUtf8(testi[R(std::size(testi))]);
  };
  for (const FinestraDellaSerie& w : finestre) {
    FinestraSelezione& f = ApriFinestra(w);
    Attiva(f);
    core::imp.SepDec = R(2) == 0 ? "." : ",";
    const auto caselle = abili(f.findChildren<plat::TextBox*>());
    const auto spunte = abili(f.findChildren<plat::CheckBox*>());
    const auto liste = abili(f.findChildren<plat::ComboBox*>());
    const auto barre = abili(f.findChildren<plat::ScrollBar*>());
    QStringList passi;  // what was done, for a failure's message
    auto nome = [](const plat::TextBox* b) { return b->objectName() + QString::number(b->Indice()); };
    // Typed into the box the focus reaches; false when it does not.
    auto digita = [&](plat::TextBox* b) {
      b->setFocus(Qt::TabFocusReason);
      test::ProcessaEventi();
      if (QApplication::focusWidget() != b) return false;
      b->selectAll();
      QTest::keyClick(b, Qt::Key_Delete);
      QKeyEvent tasto(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, testo());
      QApplication::sendEvent(b, &tasto);
      passi << "typed " + nome(b) + " " + b->Text().left(20);
      return true;
    };
    auto calcola = [&] {
      QTest::mouseClick(f.cmdCalcola, Qt::LeftButton);
      passi << "Calculate";
    };
    for (int passo = 0; passo < 60; ++passo) {
      SCOPED_TRACE(f.Nome().toStdString() + " " + f.serie.toStdString() + " " + std::to_string(passo));
      const int a = R(26);
      if (a < 10) {
        digita(caselle[R(caselle.size())]);
      } else if (a < 13) {
        QTest::mouseClick(caselle[R(caselle.size())], Qt::LeftButton);
      } else if (a < 14 && !spunte.empty()) {
        spunte[R(spunte.size())]->click();
      } else if (a < 15 && !barre.empty()) {
        plat::ScrollBar* s = barre[R(barre.size())];
        s->SetValue(s->Min() + R(s->Max() - s->Min() + 1));
      } else if (a < 16) {
        plat::ComboBox* c = liste[R(liste.size())];
        c->SetListIndex(R(c->ListCount()));
      } else if (a < 18) {
        calcola();
      } else if (a < 20) {
        f.cmdCalcola->setFocus(Qt::TabFocusReason);
        test::ProcessaEventi();
        if (QApplication::focusWidget() == f.cmdCalcola) QTest::keyClick(f.cmdCalcola, Qt::Key_Return);
        passi << "Enter on Calculate";
      } else {
        // Pasted without a key or a move of the focus; from 23 up, while
        // the refusal of a value typed and left holds the focus, then
        // Calculate.
        const bool rifiuto = a >= 23 && digita(caselle[R(caselle.size())]);
        if (rifiuto) {
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
          test::ProcessaEventi();
        }
        plat::TextBox* b = caselle[R(caselle.size())];
        const QString t = testo();
        if (R(2) == 0)
          b->setText(t);
        else
          b->insert(t);
        passi << "pasted " + nome(b) + " " + t.left(20);
        if (rifiuto) calcola();
      }
      test::ProcessaEventi();
      for (const auto& m : reg.messaggi)
        ASSERT_FALSE(m.testo.startsWith("Errore")) << m.testo.toStdString() << "\n"
                                                   << passi.join("\n").toStdString();
      reg.Svuota();
      for (int r = 0; r < f.Grd->Rows(); ++r)
        for (int c = 0; c < f.Grd->Cols(); ++c)
          ASSERT_FALSE(f.Grd->TextMatrix(r, c).contains(
              QRegularExpression("nan|inf", QRegularExpression::CaseInsensitiveOption)))
              << f.Grd->TextMatrix(r, c).toStdString();
    }
  }
}
