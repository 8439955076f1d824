#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "core/ambiente.h"
#include "core/campi.h"
#include "platform/controlli.h"
#include "platform/form.h"
#include "platform/fuoco.h"
#include "tests/support/supporto.h"

namespace {

int g_caricamenti = 0;
int g_scaricamenti = 0;

class FormProva : public plat::Form {
 public:
  explicit FormProva(const QString& nome = "FProva") : plat::Form(nome, Tipo::Finestra) {}
  plat::TextBox* txtA = nullptr;
  plat::TextBox* txtB = nullptr;
  plat::CommandButton* CmdFine = nullptr;
  plat::ComboBox* cbo = nullptr;
  plat::CheckBox* chk = nullptr;
  int clickCombo = 0, clickCheck = 0;
  std::vector<QString> riceventi;
  bool esito = false;

 protected:
  void Progetta() override {
    txtA = new plat::TextBox(this, "txtA");
    txtB = new plat::TextBox(this, "txtB");
    CmdFine = new plat::CommandButton(this, "CmdFine");
    cbo = new plat::ComboBox(this, "cbo");
    chk = new plat::CheckBox(this, "chk", 2);
    plat::PosizionaTw(txtA, 150, 150, 1500, 300);
    plat::PosizionaTw(txtB, 150, 600, 1500, 300);
    plat::PosizionaTw(CmdFine, 150, 1050, 1500, 400);
    plat::PosizionaTw(cbo, 150, 1500, 1500, 300);
    plat::PosizionaTw(chk, 150, 1950, 1500, 300);
    txtA->GotFocus = [this] { core::SelezionaTesto(txtA); };
    txtA->LostFocus = [this] {
      riceventi.push_back(plat::Fuoco::Ricevente() ? plat::Fuoco::Ricevente()->objectName() : QString());
      esito = core::ControllaValore(txtA, 5, 30, "°C", false);
    };
    txtB->LostFocus = [this] { esito = core::ControllaValore(txtB, 0.5f, 2, "m", true); };
    cbo->Click = [this] { ++clickCombo; };
    chk->Click = [this] { ++clickCheck; };
    resize(300, 200);
  }
  void Form_Load() override { ++g_caricamenti; }
  void Form_Unload() override { ++g_scaricamenti; }
};

plat::Istanza<FormProva> FProva;

class Finestra : public ::testing::Test {
 protected:
  void SetUp() override {
    core::imp.SenzaLimiti = false;
    core::imp.SepDec = ".";
    core::imp.BaseTesti = 300;
    FProva().Mostra();
    QApplication::setActiveWindow(FProva.SeCaricata());
    ASSERT_TRUE(QTest::qWaitForWindowActive(FProva.SeCaricata()));
    FProva().txtA->SetText("10");
    FProva().txtB->SetText("1");
  }
  void TearDown() override {
    plat::Forms::Svuota();
    test::ProcessaEventi();
  }
  void Entra(plat::TextBox* box, const QString& testo) {
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClicks(box, testo);
  }
  test::RegistroMessaggi reg;
};

}  // namespace

TEST(Forms, CaricaAlPrimoToccoEScaricaSubito) {
  g_caricamenti = g_scaricamenti = 0;
  EXPECT_EQ(FProva.SeCaricata(), nullptr);
  const int prima = plat::Forms::Count();
  FProva().ImpostaCaption("uno");
  EXPECT_EQ(g_caricamenti, 1);
  EXPECT_EQ(plat::Forms::Count(), prima + 1);
  EXPECT_EQ(plat::Forms::Cerca("fprova"), FProva.SeCaricata());
  FProva().ImpostaCaption("due");
  EXPECT_EQ(g_caricamenti, 1);
  FProva().Scarica();
  EXPECT_EQ(g_scaricamenti, 1);
  EXPECT_EQ(FProva.SeCaricata(), nullptr);
  EXPECT_EQ(plat::Forms::Count(), prima);
  EXPECT_EQ(plat::Forms::Cerca("FProva"), nullptr);
  test::ProcessaEventi();
  // A new touch loads a fresh window from its design.
  EXPECT_EQ(FProva().Caption(), "");
  EXPECT_EQ(g_caricamenti, 2);
  plat::Forms::Svuota();
  test::ProcessaEventi();
}

TEST(Forms, CollezioneInOrdineDiCaricamento) {
  FormProva* a = new FormProva("FA");
  FormProva* b = new FormProva("FB");
  FormProva* c = new FormProva("FC");
  a->Carica();
  b->Carica();
  c->Carica();
  const int n = plat::Forms::Count();
  EXPECT_EQ(plat::Forms::Item(n - 3), a);
  EXPECT_EQ(plat::Forms::Item(n - 1), c);
  // Unloading during a walk by index: the next window moves into the place.
  b->Scarica();
  EXPECT_EQ(plat::Forms::Item(n - 2), c);
  EXPECT_EQ(plat::Forms::Item(n), nullptr);
  EXPECT_EQ(plat::FormDi(c->txtA), c);
  EXPECT_EQ(c->Controllo("chk", 2), c->chk);
  EXPECT_EQ(c->Controllo("chk"), nullptr);
  plat::Forms::Svuota();
  EXPECT_EQ(plat::Forms::Count(), 0);
  test::ProcessaEventi();
}

TEST_F(Finestra, ListeEVociComeNelToolkit) {
  FormProva& f = FProva();
  f.cbo->AddItem("W");
  f.cbo->AddItem("Cal/h");
  EXPECT_EQ(f.cbo->ListIndex(), -1);
  EXPECT_EQ(f.clickCombo, 0);
  f.cbo->SetListIndex(1);
  EXPECT_EQ(f.clickCombo, 1);
  f.cbo->SetListIndex(1);  // same position: nothing further
  EXPECT_EQ(f.clickCombo, 1);
  EXPECT_FALSE(f.cbo->isEditable());
  f.chk->SetValue(1);
  EXPECT_EQ(f.clickCheck, 1);
  EXPECT_EQ(f.chk->Value(), 1);
}

TEST_F(Finestra, ValoreFuoriCampoSegnalatoDopoLoSpostamento) {
  FormProva& f = FProva();
  Entra(f.txtA, "abc");
  f.txtB->setFocus(Qt::TabFocusReason);
  test::ProcessaEventi();
  ASSERT_EQ(f.riceventi.size(), 1u);
  EXPECT_EQ(f.riceventi[0], "txtB");
  EXPECT_TRUE(f.esito);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 5 °C -> 30 °C\rset to 5");
  EXPECT_EQ(f.txtA->Text(), "5");
  EXPECT_TRUE(f.txtA->hasFocus());
  // The box that gave the focus back runs no check of its own.
  test::ProcessaEventi();
  EXPECT_EQ(reg.messaggi.size(), 1u);
}

TEST_F(Finestra, EstremiAccettatiEZeroAmmesso) {
  FormProva& f = FProva();
  Entra(f.txtA, "30");
  f.txtB->setFocus(Qt::TabFocusReason);
  test::ProcessaEventi();
  EXPECT_FALSE(f.esito);
  Entra(f.txtB, "0");
  f.txtA->setFocus(Qt::TabFocusReason);
  test::ProcessaEventi();
  EXPECT_FALSE(f.esito);
  EXPECT_EQ(f.txtB->Text(), "0");
  Entra(f.txtB, "xyz");  // letters read as zero: accepted as typed
  f.txtA->setFocus(Qt::TabFocusReason);
  test::ProcessaEventi();
  EXPECT_EQ(f.txtB->Text(), "xyz");
  EXPECT_TRUE(reg.messaggi.empty());
}

TEST_F(Finestra, ZeroVirgolaCinqueNonEZero) {
  core::imp.SepDec = ",";
  FormProva& f = FProva();
  Entra(f.txtB, "0,4");
  f.txtA->setFocus(Qt::TabFocusReason);
  test::ProcessaEventi();
  EXPECT_TRUE(f.esito);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "Values must be in the range 0,5 m -> 2 m\rset to 0,5");
  EXPECT_EQ(f.txtB->Text(), "0,5");
}

TEST_F(Finestra, NessunControlloVersoIlPulsanteDiChiusura) {
  FormProva& f = FProva();
  Entra(f.txtA, "99");
  QTest::mouseClick(f.CmdFine, Qt::LeftButton);
  test::ProcessaEventi();
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_EQ(f.txtA->Text(), "99");
}

TEST_F(Finestra, SenzaLimitiNessunMessaggio) {
  core::imp.SenzaLimiti = true;
  FormProva& f = FProva();
  Entra(f.txtA, "999");
  f.txtB->setFocus(Qt::TabFocusReason);
  test::ProcessaEventi();
  EXPECT_FALSE(f.esito);
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_EQ(f.txtA->Text(), "999");
  core::imp.SenzaLimiti = false;
}

TEST_F(Finestra, IControlliInSospesoSiEseguonoSubito) {
  FormProva& f = FProva();
  Entra(f.txtA, "1");
  f.txtB->setFocus(Qt::TabFocusReason);
  plat::Fuoco::EseguiPendenti();  // a calculation button checks before it runs
  EXPECT_TRUE(f.esito);
  EXPECT_EQ(reg.messaggi.size(), 1u);
  test::ProcessaEventi();
  EXPECT_EQ(reg.messaggi.size(), 1u);
}

TEST_F(Finestra, FuocoSelezionaTutto) {
  FormProva& f = FProva();
  f.txtA->SetText("12.5");
  f.txtB->setFocus(Qt::TabFocusReason);
  test::ProcessaEventi();
  QTest::mouseClick(f.txtA, Qt::LeftButton, {}, QPoint(3, 5));
  test::ProcessaEventi();
  EXPECT_EQ(f.txtA->SelLength(), 4);
  EXPECT_EQ(f.txtA->selectedText(), "12.5");
}
