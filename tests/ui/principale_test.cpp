#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/impostazioni.h"
#include "core/unita.h"
#include "platform/ini.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipxxec.h"
#include "tests/support/supporto.h"
#include "ui/avvio.h"
#include "ui/finestre.h"
#include "ui/linee.h"

using namespace ui;

namespace {

class Programma : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(PROGRAM_DIR "/Mistrel2013.mdb", dir.filePath("Mistrel2013.mdb")));
    core::imp = core::Impostazioni{};
  }
  void TearDown() override {
    plat::Forms::Svuota();
    test::ProcessaEventi();
  }
  void ScriviIni(const QByteArray& testo) {
    QFile f(dir.filePath("Mistrel2013.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(testo);
  }
  QString Ini(const char* sez, const char* chiave) {
    return plat::LeggiProfilo(dir.filePath("Mistrel2013.ini"), sez, chiave);
  }
  QStringList Caricate() {
    QStringList n;
    for (int i = 0; i < plat::Forms::Count(); ++i) n << plat::Forms::Item(i)->Nome();
    return n;
  }
  QTemporaryDir dir;
  test::RegistroMessaggi reg;
};

}  // namespace

TEST_F(Programma, AvvioSenzaFileDiImpostazioni) {
  ASSERT_EQ(Avvia("", dir.path()), 0);
  EXPECT_EQ(Caricate(), QStringList{"Fmenu"});  // the splash is gone
  EXPECT_EQ(Fmenu().Caption(), "Brivanto 5.6");
  EXPECT_EQ(Fmenu().mnuFile->title(), "File");
  EXPECT_EQ(Fmenu().mnuscelta->title(), "Linea &prodotto");
  EXPECT_EQ(Fmenu().lblVer->Caption(), "Ver. 5.6");
  EXPECT_FALSE(Fmenu().lblOra->Caption().isEmpty());
  // The file is created with the single key Multi.
  QFile f(dir.filePath("Mistrel2013.ini"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "[Common]\r\nMulti= 0\r\n");
  EXPECT_TRUE(core::imp.PercorsoApp.endsWith('/'));
  EXPECT_TRUE(reg.messaggi.empty());
}

TEST_F(Programma, DatabaseMancanteFermaIlProgramma) {
  QFile::remove(dir.filePath("Mistrel2013.mdb"));
  EXPECT_NE(Avvia("", dir.path()), 0);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
  EXPECT_TRUE(reg.messaggi[0].testo.contains("Mistrel2013.mdb"));
  EXPECT_EQ(plat::Forms::Count(), 0);
}

TEST_F(Programma, FileNonDatabase) {
  QFile::remove(dir.filePath("Mistrel2013.mdb"));
  QFile f(dir.filePath("Mistrel2013.mdb"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a database at all");
  f.close();
  EXPECT_NE(Avvia("", dir.path()), 0);
  EXPECT_EQ(reg.messaggi.size(), 1u);
}

TEST_F(Programma, CambioDiLinguaChiudeLeAltreFinestreESalva) {
  ScriviIni("[Common]\r\nMulti= 1\r\n[Unmis]\r\nQa= 2\r\n");
  ASSERT_EQ(Avvia("district", dir.path()), 0);
  EXPECT_TRUE(core::imp.FlagDistrict);
  EXPECT_EQ(Fmenu().mnufine->text(), "Exit");
  Fmenu().mnuprods_Click(1);  // an EC window
  Fmenu().mnuUnmis_Click();
  Fmenu().mnuprod_Click(0);
  EXPECT_EQ(Caricate(), (QStringList{"Fmenu", "FDatiPEC", "Funmis", "FDatiP"}));
  Fmenu().mnulingua_Click();
  // The language window closes the base selection windows as it loads.
  EXPECT_EQ(Caricate(), (QStringList{"Fmenu", "FDatiPEC", "Funmis", "Flingua"}));
  EXPECT_EQ(Flingua().lblLingua(2)->Caption(), "French");
  Flingua().Image1_Click(3);
  EXPECT_EQ(Caricate(), QStringList{"Fmenu"});
  EXPECT_EQ(Ini("Common", "Multi"), "3");
  EXPECT_EQ(core::imp.BaseTesti, 700);
  EXPECT_EQ(Fmenu().mnuFile->title(), "Datei");
  EXPECT_EQ(Fmenu().Caption(), "Brivanto 5.6");
  EXPECT_EQ(Fmenu().mnuprod[0]->text(), "QZR-N-B");
  EXPECT_EQ(Fmenu().SSprod[3]->toolTip(), "QZR-N-B  (S)");
}

TEST_F(Programma, UnitaAccoppiateApplicateESalvate) {
  ScriviIni("[Common]\r\nMulti= 1\r\n[Unmis]\r\nPt= 0\r\nDpW= 1\r\n");
  ASSERT_EQ(Avvia("", dir.path()), 0);
  Fmenu().mnuUnmis_Click();
  FormUnita& u = Funmis();
  // The stored water-drop unit sets the power unit on opening.
  EXPECT_EQ(u.cboPotenz->Text(), "Cal/h - Frig/h");
  EXPECT_EQ(u.windowTitle(), "Select unit of measure");
  u.cboDpw->SetListIndex(0);
  EXPECT_EQ(u.cboPotenz->Text(), "W");
  u.cboPotenz->SetListIndex(1);
  EXPECT_EQ(u.cboDpw->Text(), "mH2O");
  u.cboqa->SetListIndex(2);
  u.close();  // the close box applies without saving
  EXPECT_EQ(core::um.UmPortataAria, 2);
  EXPECT_EQ(core::um.UmPotenza, 1);
  EXPECT_EQ(Ini("Unmis", "Qa"), "");
  Fmenu().mnuUnmis_Click();
  Funmis().cboqw->SetListIndex(1);
  Funmis().cmdOK_Click();
  EXPECT_EQ(Funmis.SeCaricata(), nullptr);
  EXPECT_EQ(core::um.UmPortataAcqua, 1);
  EXPECT_EQ(Ini("Unmis", "Pt"), "1");
  EXPECT_EQ(Ini("Unmis", "Qa"), "2");
  EXPECT_EQ(Ini("Unmis", "Qw"), "1");
  EXPECT_EQ(Ini("Unmis", "DpW"), "1");
  EXPECT_EQ(Ini("Unmis", "DpA"), "0");
}

TEST_F(Programma, OgniLineaApreLaSuaFinestra) {
  ScriviIni("[Common]\r\nMulti= 1\r\n");
  ASSERT_EQ(Avvia("", dir.path()), 0);
  Fmenu().mnuprod_Click(0);
  EXPECT_EQ(catalogo::Catalogo().SerieCorrente, "KALVO");
  EXPECT_EQ(sel::FDatiP().Caption(), "QZA-E-T");
  EXPECT_EQ(sel::FDatiP().cboModel->List(0), "* All");
  Fmenu().mnuprod_Click(1);  // closes FDatiP
  EXPECT_EQ(sel::FDatiP.SeCaricata(), nullptr);
  EXPECT_EQ(sel::FDatiPXX().Caption(), "QZU");
  Fmenu().mnuprod_Click(2);
  EXPECT_EQ(sel::FDatiPXX().Caption(), "QZG");
  EXPECT_EQ(catalogo::Catalogo().SerieCorrente, "DVK");
  Fmenu().mnuprod_Click(3);
  EXPECT_EQ(sel::FDatiP().Caption(), "QZA-E-T fan coilsP");
  EXPECT_EQ(catalogo::Catalogo().SerieCorrente, "KALVOP");
  EXPECT_EQ(sel::FDatiPXX.SeCaricata(), nullptr);
  Fmenu().mnuprods1_Click(2);
  EXPECT_TRUE(core::imp.FlagVFix);
  EXPECT_EQ(sel::FDatiPXXEC_VFIX().Caption(), "QZJ");
  // The hidden third entries stay hidden and disabled.
  EXPECT_FALSE(Fmenu().mnuprods[3]->isVisible());
  EXPECT_FALSE(Fmenu().mnuprods1[3]->isEnabled());
  // Selection windows are children of the main window.
  test::ProcessaEventi();
  EXPECT_EQ(Fmenu().area->subWindowList().size(), 2);
}

TEST_F(Programma, SceltaECConLeDueColonne) {
  ScriviIni("[Common]\r\nMulti= 1\r\n");
  ASSERT_EQ(Avvia("", dir.path()), 0);
  struct Caso {
    bool facile;
    int indice;
    const char* serie;
    const char* finestra;
    const char* caption;
  } casi[] = {
      {false, 1, "KALVOEC", "FDatiPEC", "QZO-Y-C"},   {false, 2, "DVKBLDC", "FDatiPXXEC", "QZJ"},
      {false, 3, "RMBBLDC", "FDatiPXXEC", "QZX"},     {true, 1, "KALVOEC", "FDatiPEC_VFIX", "QZO-Y-C"},
      {true, 2, "DVKBLDC", "FDatiPXXEC_VFIX", "QZJ"}, {true, 3, "RMBBLDC", "FDatiPXXEC_VFIX", "QZX"}};
  for (const Caso& c : casi) {
    Fmenu().SSprodBLDC_Click();
    ASSERT_NE(FChkBLDC.SeCaricata(), nullptr);
    if (c.facile)
      FChkBLDC().cmdBLDCeasy_Click(c.indice);
    else
      FChkBLDC().cmdBLDC_Click(c.indice);
    EXPECT_EQ(FChkBLDC.SeCaricata(), nullptr);
    EXPECT_EQ(core::imp.FlagVFix, c.facile);
    EXPECT_EQ(catalogo::Catalogo().SerieCorrente, c.serie);
    plat::Form* f = plat::Forms::Cerca(c.finestra);
    ASSERT_NE(f, nullptr) << c.finestra;
    EXPECT_EQ(f->Caption(), c.caption);
    // The loader filled the model list of the window the line names.
    auto* lista = static_cast<sel::FinestraSelezione*>(f)->cboModel;
    EXPECT_EQ(lista->ListCount(), catalogo::Catalogo().NModelli + 1) << c.finestra;
    EXPECT_EQ(lista->ListIndex(), 0);
    EXPECT_EQ(lista->List(0), "* All");
  }
  // Base and EC windows stay open together.
  Fmenu().mnuprod_Click(0);
  EXPECT_NE(plat::Forms::Cerca("FDatiPEC"), nullptr);
}

TEST_F(Programma, FinestraMistaECRiapertaPerLAltraSerie) {
  ScriviIni("[Common]\r\nMulti= 1\r\n");
  ASSERT_EQ(Avvia("", dir.path()), 0);
  Fmenu().mnuprods_Click(2);  // DVKBLDC
  sel::FinestraSelezione* prima = sel::FDatiPXXEC.SeCaricata();
  ASSERT_NE(prima, nullptr);
  EXPECT_EQ(prima->serie, "DVKBLDC");
  // The same series again: the window stays as it is.
  FChkBLDC().cmdBLDC_Click(2);
  EXPECT_EQ(sel::FDatiPXXEC.SeCaricata(), prima);
  // The other mixed-air EC series: a window loaded afresh for it.
  int chiusure = 0;
  QObject::connect(prima, &plat::Form::scaricata, [&] { ++chiusure; });
  FChkBLDC().cmdBLDC_Click(3);
  EXPECT_EQ(chiusure, 1);
  ASSERT_NE(sel::FDatiPXXEC.SeCaricata(), nullptr);
  EXPECT_EQ(sel::FDatiPXXEC().serie, "RMBBLDC");
  EXPECT_EQ(sel::FDatiPXXEC().Caption(), "QZX");
  EXPECT_EQ(plat::Forms::Cerca("FDatiPXXEC"), sel::FDatiPXXEC.SeCaricata());
  // The easy-calc window is another window: opening it leaves this one.
  FChkBLDC().cmdBLDCeasy_Click(2);
  EXPECT_NE(plat::Forms::Cerca("FDatiPXXEC"), nullptr);
  EXPECT_EQ(sel::FDatiPXXEC_VFIX().serie, "DVKBLDC");
}

TEST_F(Programma, InformazioniEChiusura) {
  ScriviIni("[Common]\r\nMulti= 0\r\n");
  ASSERT_EQ(Avvia("", dir.path()), 0);
  bool bottoneVisibile = false;
  QString descrizione;
  QTimer::singleShot(0, [&] {
    bottoneVisibile = !FInfo().CmdFine->isHidden();
    descrizione = FInfo().lblDescri->Caption();
    FInfo().CmdFine->click();
  });
  Fmenu().mnuInfotarv_Click();  // modal: returns when closed
  EXPECT_TRUE(bottoneVisibile);
  EXPECT_EQ(descrizione, "Programma di calcolo  Mistrel2013");
  EXPECT_EQ(FInfo.SeCaricata(), nullptr);
  // Exit closes every window, top-level ones too.
  Fmenu().mnuUnmis_Click();
  Fmenu().mnuprod_Click(0);
  Fmenu().mnufine_Click();
  EXPECT_EQ(plat::Forms::Count(), 0);
}

TEST_F(Programma, LoSplashNonHaIlPulsanteDiChiusura) {
  FInfo().Mostra();
  EXPECT_TRUE(FInfo().CmdFine->isHidden());
  // Escape leaves it open.
  QTest::keyClick(&FInfo(), Qt::Key_Escape);
  QTest::keyClick(FInfo().lblVer, Qt::Key_Escape);
  ASSERT_NE(FInfo.SeCaricata(), nullptr);
  EXPECT_TRUE(FInfo().isVisible());
}

// Each flag of the language window has its frame line whole, one pixel wide
// along the picture's edges.
TEST_F(Programma, LeBandiereHannoLaCorniceIntera) {
  for (int k = 0; k < 15; ++k) {
    const QImage im = Flingua().Image1(k)->pixmap().toImage();
    const int w = im.width(), h = im.height();
    SCOPED_TRACE(k);
    for (const QPoint& p : {QPoint(w / 3, 0), QPoint(w / 3, h - 1), QPoint(0, h / 3), QPoint(w - 1, h / 3)})
      EXPECT_EQ(im.pixelColor(p), QColor(90, 90, 90)) << p.x() << "," << p.y();
    for (const QPoint& p : {QPoint(w / 3, 1), QPoint(w / 3, h - 2), QPoint(1, h / 3), QPoint(w - 2, h / 3)})
      EXPECT_NE(im.pixelColor(p), QColor(90, 90, 90)) << p.x() << "," << p.y();
  }
}

// The about boxes of the Help menu close with Escape, and with Enter, Return
// or Space on their close button, whether the window is active or not: the
// key reaches the control with the focus (the close button), else the window.
TEST_F(Programma, LeFinestreDiInformazioniSiChiudonoDallaTastiera) {
  ASSERT_EQ(Avvia("", dir.path()), 0);
  const struct {
    Qt::Key tasto;
    const char* a;  // "window", "button", or the window's focus
  } casi[] = {{Qt::Key_Escape, "window"}, {Qt::Key_Escape, "button"}, {Qt::Key_Escape, ""},
              {Qt::Key_Return, "button"}, {Qt::Key_Enter, "button"},  {Qt::Key_Return, ""},
              {Qt::Key_Space, "button"}};
  for (const char* nome : {"FInfo", "FInfoSistema"}) {
    for (const auto& c : casi) {
      SCOPED_TRACE(std::string(nome) + " " + c.a + " " + std::to_string(c.tasto));
      // A box the key left open is closed after a while.
      bool rimasta = false;
      QTimer guardia;
      guardia.setSingleShot(true);
      QObject::connect(&guardia, &QTimer::timeout, [&] {
        if (plat::Form* g = plat::Forms::Cerca(nome)) rimasta = true, g->Scarica();
      });
      QTimer::singleShot(0, [&] {
        plat::Form* f = plat::Forms::Cerca(nome);
        if (!f) return;
        QWidget* pulsante = f->Controllo(f == FInfo.SeCaricata() ? "CmdFine" : "cmdOK");
        const std::string a = c.a;
        QWidget* w = a == "window" ? f : a == "button" ? pulsante : f->focusWidget();
        QTest::keyClick(w ? w : f, c.tasto);
        guardia.start(200);
      });
      std::string(nome) == "FInfo" ? Fmenu().mnuInfotarv_Click() : Fmenu().mnuInfo_Click();
      EXPECT_FALSE(rimasta);
      EXPECT_EQ(plat::Forms::Cerca(nome), nullptr);
      test::ProcessaEventi();
    }
  }
}

// Where the program's windows open: the main window over the screen's
// available area, the separate windows centred on the main window.
namespace {

QRect Disponibile() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// The frame of the window the opener shows, read while it is up (a modal
// window is closed after the reading).
QRect Apri(const std::function<void()>& apri, const QString& nome) {
  QRect letta;
  QTimer::singleShot(50, [&] {
    if (plat::Form* f = plat::Forms::Cerca(nome)) {
      letta = f->frameGeometry();
      f->Scarica();
    }
  });
  apri();
  // A modeless window is read once the timer fires; a modal one already.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !letta.isEmpty(); }, 5000)) << nome.toStdString();
  return letta;
}

}  // namespace

TEST_F(Programma, LaFinestraPrincipaleRiempieLoSchermo) {
  ASSERT_EQ(ui::Avvia("", dir.path()), 0);
  test::ProcessaEventi();
  EXPECT_TRUE(ui::Fmenu().isMaximized());
  EXPECT_EQ(ui::Fmenu().frameGeometry(), Disponibile());
  // Where the maximise request is not honoured the window has the same place.
  ui::Fmenu().showNormal();
  EXPECT_TRUE(QTest::qWaitFor([] { return ui::Fmenu().frameGeometry() == Disponibile(); }, 2000));
  EXPECT_EQ(ui::Fmenu().frameGeometry(), Disponibile());
}

TEST_F(Programma, LeFinestreSiApronoAlCentroDellaPrincipale) {
  QRect splash;
  QTimer::singleShot(0, [&] {
    if (ui::FInfo.SeCaricata()) splash = ui::FInfo.SeCaricata()->frameGeometry();
  });
  ASSERT_EQ(ui::Avvia("", dir.path()), 0);
  // The splash comes before the main window: centred on the screen.
  ASSERT_FALSE(splash.isEmpty());
  EXPECT_LE((splash.center() - Disponibile().center()).manhattanLength(), 4);

  ui::FormMenu& m = ui::Fmenu();
  m.showNormal();
  m.setGeometry(150, 200, 600, 500);
  test::ProcessaEventi();
  const QPoint centro = m.frameGeometry().center();
  struct Caso {
    const char* nome;
    std::function<void()> apri;
  };
  const Caso casi[] = {
      {"Funmis", [&] { m.mnuUnmis_Click(); }},
      {"FChkBLDC", [&] { m.SSprodBLDC_Click(); }},
      {"FInfo", [&] { m.mnuInfotarv_Click(); }},
      {"FInfoSistema", [&] { m.mnuInfo_Click(); }},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    const QRect r = Apri(c.apri, c.nome);
    ASSERT_FALSE(r.isEmpty());
    EXPECT_LE((r.center() - centro).manhattanLength(), 4) << r.center().x() << "," << r.center().y();
  }
}
