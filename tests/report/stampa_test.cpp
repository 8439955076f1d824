// The print dialog through the windows: opened by a selection window's print
// button, its model list and sections, and the report it writes.
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <sqlite3.h>

#include "core/ambiente.h"
#include "core/testi.h"
#include "platform/griglia.h"
#include "platform/recordset.h"
#include "platform/schermo.h"
#include "platform/shell.h"
#include "report/fstampa.h"
#include "report/pacchetto.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"
#include "selection/fdatipec.h"
#include "selection/fdatipxxec.h"
#include "tests/report/lettura_docx.h"
#include "tests/report/supporto_stampa.h"
#include "ui/linee.h"

namespace {

using rapporto::FormStampa;

class Stampa : public test::ConStampa {
 protected:
  // Presses the window's print button; the dialog it opened.
  FormStampa& Premi(sel::FinestraSelezione& f) {
    f.cmdStampa->click();
    FormStampa* s = rapporto::FStampa.SeCaricata();
    EXPECT_TRUE(s && s->isVisible());
    return *s;
  }
  std::vector<bool> Abilitate(const FormStampa& s) {
    std::vector<bool> v;
    for (int k = 0; k < 6; ++k) v.push_back(s.chkSelez(k)->isEnabled());
    return v;
  }
  void Sql(const char* testo) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(dir.filePath("Mistrel2013.mdb").toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, testo, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
  // Prints and reads the document back.
  QStringList StampaELeggi(FormStampa& s) {
    s.cmdStampa->click();
    if (s.UltimoDocumento().isEmpty()) return {};
    return test::Corpo(rapporto::Pacchetto::Leggi(s.UltimoDocumento()));
  }
  QString Oggi() const { return QDate::currentDate().toString("dd/MM/yyyy"); }
  // The report converted to PDF by LibreOffice (with a private profile) in
  // the folder of lavoro; empty after a failed assertion.
  QString InPdf(const QString& docx, const QTemporaryDir& lavoro) {
    const QString profilo = QUrl::fromLocalFile(lavoro.filePath("profilo")).toString();
    QProcess soffice;
    soffice.start("soffice", {"-env:UserInstallation=" + profilo, "--headless", "--convert-to", "pdf",
                              "--outdir", lavoro.path(), docx});
    EXPECT_TRUE(soffice.waitForStarted(30000)) << "LibreOffice (soffice) is not installed";
    EXPECT_TRUE(soffice.waitForFinished(240000)) << "LibreOffice did not finish";
    const QString pdf = lavoro.filePath(QFileInfo(docx).completeBaseName() + ".pdf");
    EXPECT_TRUE(QFileInfo::exists(pdf)) << "LibreOffice could not open the report:\n"
                                        << soffice.readAllStandardError().toStdString();
    return QFileInfo::exists(pdf) ? pdf : QString();
  }
  // The text of a PDF's pages as laid out.
  static QString TestoPdf(const QString& pdf, const QStringList& pagine = {}) {
    QProcess testo;
    testo.start("pdftotext", pagine + QStringList{"-layout", pdf, "-"});
    EXPECT_TRUE(testo.waitForFinished(60000));
    return QString::fromUtf8(testo.readAllStandardOutput());
  }
  QStringList DocumentiSalvati() const {
    return QDir(dir.filePath("Documenti")).entryList(QDir::Files | QDir::Hidden);
  }
};

TEST_F(Stampa, ModelliDellaLinguaODellaLinguaDiRiserva) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  const struct {
    int lingua;
    const char* riserva;
    int righe;
    const char* breve;
    std::vector<bool> caselle;
  } casi[] = {
      {1,
       "ENG",
       8,
       "Fan coil, three speeds, 2-pipe or 4-pipe water coil",
       {true, true, false, true, true, true}},
      {0,
       "ENG",
       8,
       "Ventilconvettore a tre velocità, batteria ad acqua a 2 o 4 tubi",
       {true, true, false, true, true, true}},
      {2,
       "ENG",
       8,
       "Fan coil, three speeds, 2-pipe or 4-pipe water coil",
       {true, true, false, true, true, true}},
      {2, "XXX", 0, "", {false, false, false, false, false, true}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.lingua);
    core::imp.IndiceLingua = static_cast<int16_t>(c.lingua);
    core::imp.LinguaDefault = QString::fromLatin1(c.riserva);
    FormStampa& s = Premi(sel::FDatiP());
    ASSERT_EQ(static_cast<int>(s.Righe().size()), c.righe);
    EXPECT_EQ(s.CboModello->ListCount(), c.righe);
    EXPECT_EQ(!s.CboModello->isHidden(), c.righe > 1);
    EXPECT_EQ(Abilitate(s), c.caselle);
    EXPECT_EQ(s.imgModello->pixmap().isNull(), c.righe == 0);
    if (c.righe > 0) {
      EXPECT_EQ(s.CboModello->ListIndex(), 0);
      EXPECT_EQ(s.Righe()[0].modello, "KALVO 10");
      EXPECT_EQ(s.Righe()[0].breveDesc, QString::fromUtf8(c.breve));
    }
    EXPECT_EQ(s.txtData->Text(), Oggi());
    s.cmdAnnulla->click();
    EXPECT_FALSE(s.isVisible());
  }
}

TEST_F(Stampa, UnaRigaNomiSenzaRiguardoAlleMaiuscoleENomiVuoti) {
  // One French row: names in another letter case, an empty drawing, a
  // diagram in a sub-folder; the photo folder renamed in lower case.
  Sql("insert into DocXModello values ('FRA', 'KALVO', 'KALVO 30', 'KALVO.PNG', '', 'Kalvo_ENG.DOCX', "
      "'sub/kalvo_schema.png', 'Ventilo-convecteur')");
  ASSERT_TRUE(QDir(dir.path()).rename("FotoW", "fotow"));
  core::imp.IndiceLingua = 2;
  ui::ApriLinea(catalogo::Codice::KALVO);
  FormStampa& s = Premi(sel::FDatiP());
  ASSERT_EQ(s.Righe().size(), 1u);
  EXPECT_FALSE(!s.CboModello->isHidden());
  EXPECT_FALSE(s.imgModello->pixmap().isNull());
  EXPECT_EQ(Abilitate(s), (std::vector<bool>{true, true, false, false, false, true}));
  // The report uses that one model.
  s.chkSelez(0)->SetValue(1);
  const QStringList corpo = StampaELeggi(s);
  ASSERT_GE(corpo.size(), 2);
  EXPECT_TRUE(corpo[1].startsWith("tbl{*Series : KALVO 30~Ventilo-convecteur* / [img "))
      << corpo[1].toStdString();
}

TEST_F(Stampa, LaRicercaLegaIValoriEListaQualsiasiNumeroDiRighe) {
  // A quote in a value is data, never part of the query.
  plat::Database& db = *core::imp.DbProdotti;
  EXPECT_TRUE(rapporto::LeggiRighe(db, "ENG' or '1'='1", "KALVO").empty());
  EXPECT_TRUE(rapporto::LeggiRighe(db, "ENG", "KALVO' or '1'='1").empty());
  EXPECT_EQ(rapporto::LeggiRighe(db, "ENG", "KALVO").size(), 8u);
  // Seventy models of one language and series are all listed, in order.
  std::string sql = "insert into DocXModello values ";
  for (int i = 0; i < 70; ++i)
    sql +=
        (i ? ", " : "") + std::string("('FRA', 'KALVO', 'M") + std::to_string(i) + "', '', '', '', '', '')";
  Sql(sql.c_str());
  core::imp.IndiceLingua = 2;
  ui::ApriLinea(catalogo::Codice::KALVO);
  FormStampa& s = Premi(sel::FDatiP());
  ASSERT_EQ(s.CboModello->ListCount(), 70);
  EXPECT_EQ(s.CboModello->List(69), "M69");
  s.CboModello->SetListIndex(69);
  EXPECT_EQ(s.Righe()[69].modello, "M69");
}

TEST_F(Stampa, IControlliDeiFileSeguonoIlModelloScelto) {
  ASSERT_TRUE(QFile::remove(dir.filePath("dimensionali/kalvo_20.png")));
  ui::ApriLinea(catalogo::Codice::KALVO);
  FormStampa& s = Premi(sel::FDatiP());
  EXPECT_TRUE(s.chkSelez(3)->isEnabled());
  s.CboModello->SetListIndex(1);  // KALVO 20: no drawing
  EXPECT_FALSE(s.chkSelez(3)->isEnabled());
  EXPECT_TRUE(s.chkSelez(0)->isEnabled());
  EXPECT_FALSE(s.imgModello->pixmap().isNull());
  s.CboModello->SetListIndex(2);
  EXPECT_TRUE(s.chkSelez(3)->isEnabled());
}

// The dialog opens on the model the window rated alone (a 4-pipe variant on
// its model's row); after a run of every model, on the first.
TEST_F(Stampa, SiApreSulModelloDellaFinestra) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  sel::FormDatiP& f = sel::FDatiP();
  const struct {
    const char* scelto;  // in the window
    const char* modello;
  } casi[] = {
      {"KALVO 30", "KALVO 30"}, {"KALVO 20 4P", "KALVO 20"}, {"* All", "KALVO 10"}, {"KALVO 50", "KALVO 50"}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.scelto);
    const int i = f.cboModel->findText(QString::fromUtf8(c.scelto));
    ASSERT_GE(i, 0);
    f.cboModel->SetListIndex(i);
    f.cmdCalcola->click();
    FormStampa& s = Premi(f);
    EXPECT_EQ(s.CboModello->Text(), c.modello);
    for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(k == 0 || k == 3);
    const QStringList corpo = StampaELeggi(s);
    ASSERT_GE(corpo.size(), 2);
    EXPECT_TRUE(corpo[1].startsWith(QStringLiteral("tbl{*Series : ") + c.modello + "~"))
        << corpo[1].toStdString();
    s.cmdAnnulla->click();
  }
}

TEST_F(Stampa, DueAltezzeLaNotaSpuntataAllungaLaFinestra) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  FormStampa& s = Premi(sel::FDatiP());
  const int corta = FormStampa::kAltezzaCorta / plat::kTwipPerPixel;
  const int alta = FormStampa::kAltezzaAlta / plat::kTwipPerPixel;
  // No sliver of the notes box shows under the buttons of the short layout;
  // the tall one shows it whole.
  auto notaInVista = [](const FormStampa& f) {
    return f.txtNote->isVisibleTo(&f) ? f.rect().intersected(f.txtNote->geometry()) : QRect();
  };
  EXPECT_EQ(s.height(), corta);
  EXPECT_FALSE(s.txtNote->isEnabled());
  EXPECT_TRUE(notaInVista(s).isEmpty());
  EXPECT_FALSE(s.frmModello->isVisibleTo(&s));
  s.chkSelez(5)->SetValue(1);
  EXPECT_EQ(s.height(), alta);
  EXPECT_TRUE(s.txtNote->isEnabled());
  EXPECT_EQ(notaInVista(s), s.txtNote->geometry());
  s.chkSelez(1)->SetValue(1);
  EXPECT_TRUE(s.frmModello->isVisibleTo(&s));
  s.txtcliente->SetText("ACME");
  s.cmdAnnulla->click();
  // A new opening keeps the height of the tick, the whole notes box in view;
  // ticks and texts stay.
  FormStampa& t = Premi(sel::FDatiP());
  EXPECT_EQ(t.height(), alta);
  EXPECT_LE(t.txtNote->geometry().bottom(), t.height());
  EXPECT_TRUE(t.txtNote->isEnabled());
  EXPECT_EQ(t.chkSelez(5)->Value(), 1);
  EXPECT_EQ(t.txtcliente->Text(), "ACME");
  t.chkSelez(5)->SetValue(0);
  EXPECT_EQ(t.height(), corta);
  EXPECT_FALSE(t.txtNote->isEnabled());
  EXPECT_TRUE(notaInVista(t).isEmpty());
  // Escape closes it, from any box.
  QTest::keyClick(t.txtcliente, Qt::Key_Escape);
  EXPECT_FALSE(t.isVisible());
}

// The title bar's close box hides the dialog as its cancel button does: the
// next opening shows the ticks, customer, project and notes typed.  A
// language change still unloads it.
TEST_F(Stampa, LaCasellaDiChiusuraTieneSpunteETesti) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  for (bool evento : {false, true}) {
    FormStampa& s = Premi(sel::FDatiP());
    for (int k : {1, 5}) s.chkSelez(k)->SetValue(0);
    for (int k : {1, 5}) s.chkSelez(k)->click();
    s.txtcliente->clear(), s.txtProgetto->clear(), s.txtNote->clear();
    QTest::keyClicks(s.txtcliente, evento ? "ACME" : "Bianchi");
    QTest::keyClicks(s.txtProgetto, "Tower B");
    QTest::keyClicks(s.txtNote, "first");
    QTest::keyClick(s.txtNote, Qt::Key_Return);
    QTest::keyClicks(s.txtNote, "second");
    QCloseEvent e;
    evento ? void(QApplication::sendEvent(&s, &e)) : void(s.close());
    EXPECT_FALSE(s.isVisible());
    ASSERT_EQ(rapporto::FStampa.SeCaricata(), &s);
    FormStampa& t = Premi(sel::FDatiP());
    for (int k = 0; k < 6; ++k) EXPECT_EQ(t.chkSelez(k)->Value(), k == 1 || k == 5) << k;
    EXPECT_EQ(t.txtcliente->Text(), evento ? "ACME" : "Bianchi");
    EXPECT_EQ(t.txtProgetto->Text(), "Tower B");
    EXPECT_EQ(t.txtNote->toPlainText(), "first\nsecond");
    t.close();
  }
  // Escape reaching the window itself (no control with the focus) hides it too.
  QTest::keyClick(&Premi(sel::FDatiP()), Qt::Key_Escape);
  EXPECT_FALSE(rapporto::FStampa().isVisible());
  ui::ImpostaLingua();
  EXPECT_EQ(rapporto::FStampa.SeCaricata(), nullptr);
}

// The notes hold a limited number of characters, so that any paste stays
// quick to lay out (the long line wraps at any character): a longer paste
// is cut at the limit with a message, never inside a character, and fills
// the box (a CR LF takes the one character of the line end it becomes); at
// the limit a typed key is refused with the message, whatever modifiers carry
// it; a paste replaces the selection; the report prints the notes the box holds.
TEST_F(Stampa, NoteFinoAlLimiteConUnMessaggio) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  FormStampa& s = Premi(sel::FDatiP());
  for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(k == 5);
  rapporto::CasellaNote& n = *s.txtNote;
  EXPECT_EQ(n.wordWrapMode(), QTextOption::WrapAnywhere);
  const int limite = static_cast<int>(rapporto::CasellaNote::kMassimo);
  EXPECT_TRUE(core::Testo(199).contains(QString::number(limite)));
  const QString pieno(limite, 'x'), faccina = QString::fromUtf8("\U0001F600");
  const struct {
    const char* nome;
    QString prima;      // the box's text, the caret at its end
    int scelti;         // characters selected before the caret
    QString incollato;  // pasted with Ctrl+V (empty: the key is typed)
    Qt::Key tasto;
    QString dopo;
    bool messaggio;
    Qt::KeyboardModifiers modificatori = {};
  } casi[] = {
      {"a paste of one long line", "", 0, QString(100000, 'y'), {}, QString(limite, 'y'), true},
      {"a paste over a selection", "abcd", 2, "yz", {}, "abyz", false},
      {"a paste that fills the box",
       QString(limite - 2, 'x'),
       0,
       "yz",
       {},
       QString(limite - 2, 'x') + "yz",
       false},
      {"a key at the limit", pieno, 0, {}, Qt::Key_Q, pieno, true},
      {"Enter at the limit", pieno, 0, {}, Qt::Key_Return, pieno, true},
      {"Backspace at the limit", pieno, 0, {}, Qt::Key_Backspace, QString(limite - 1, 'x'), false},
      {"a key over a selection at the limit", pieno, 1, {}, Qt::Key_Q, QString(limite - 1, 'x') + "q", false},
      {"half a character never", QString(limite - 1, 'x'), 0, faccina, {}, QString(limite - 1, 'x'), true},
      {"a key with Ctrl and Alt (AltGr)",
       pieno,
       0,
       {},
       Qt::Key_Q,
       pieno,
       true,
       Qt::ControlModifier | Qt::AltModifier},
      {"a key with Alt", pieno, 0, {}, Qt::Key_Q, pieno, true, Qt::AltModifier},
      {"a CR LF is one character",
       QString(limite - 3, 'x'),
       0,
       "a\r\nb",
       {},
       QString(limite - 3, 'x') + "a\nb",
       false},
      {"a cut paste with CR LF fills the box",
       "",
       0,
       QString("abcdefgh\r\n").repeated(12000),
       {},
       QString("abcdefgh\n").repeated(12000).left(limite),
       true},
      {"a lone CR and a CR LF",
       QString(limite - 5, 'x'),
       0,
       "a\rb\r\nc\r\n",
       {},
       QString(limite - 5, 'x') + "a\nb\nc",
       true},
      {"a paste over the whole box",
       pieno,
       limite,
       QString(100000, 'y') + "\nz",
       {},
       QString(limite, 'y'),
       true},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    n.setPlainText(c.prima);
    n.setFocus();
    QTextCursor k = n.textCursor();
    k.setPosition(static_cast<int>(c.prima.size()) - c.scelti);
    k.setPosition(static_cast<int>(c.prima.size()), QTextCursor::KeepAnchor);
    n.setTextCursor(k);
    reg.Svuota();
    if (c.incollato.isEmpty()) {
      QTest::keyClick(&n, c.tasto, c.modificatori);
    } else {
      QGuiApplication::clipboard()->setText(c.incollato);
      QTest::keyClick(&n, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(n.toPlainText().size(), c.dopo.size());
    EXPECT_TRUE(n.toPlainText() == c.dopo);
    EXPECT_EQ(Messaggi(), c.messaggio ? QStringList{core::Testo(199)} : QStringList{});
  }
  const QStringList corpo = StampaELeggi(s);
  ASSERT_FALSE(corpo.isEmpty());
  EXPECT_TRUE(corpo.back() == "p:" + QString(limite, 'y'));
}

TEST_F(Stampa, LeggeLaFinestraIlCuiPulsanteHaApertoIlDialogo) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  sel::FDatiP().cmdCalcola->click();
  ASSERT_GT(sel::FDatiP().Grd->Rows(), 2);
  ui::ApriLinea(catalogo::Codice::RMB);      // loaded after the fan-coil window
  ui::ApriLinea(catalogo::Codice::RMBBLDC);  // and this one last
  reg.Svuota();
  const struct {
    std::function<sel::FinestraSelezione&()> finestra;
    const char* modello;
    bool risultati;
  } casi[] = {
      {[]() -> sel::FinestraSelezione& { return sel::FDatiP(); }, "KALVO 10", true},
      {[]() -> sel::FinestraSelezione& { return sel::FDatiPXX(); }, "RMB 10", false},
      {[]() -> sel::FinestraSelezione& { return sel::FDatiPXXEC(); }, "RMBBLDC 10", false},
  };
  for (const auto& c : casi) {
    sel::FinestraSelezione& f = c.finestra();
    SCOPED_TRACE(f.Nome().toStdString());
    FormStampa& s = Premi(f);
    EXPECT_EQ(s.Finestra(), &f);
    ASSERT_FALSE(s.Righe().empty());
    EXPECT_EQ(s.Righe()[0].modello, c.modello);
    EXPECT_EQ(s.chkSelez(2)->isEnabled(), c.risultati);
    s.chkSelez(0)->SetValue(1);
    const QStringList corpo = StampaELeggi(s);
    ASSERT_GE(corpo.size(), 2);
    EXPECT_TRUE(corpo[1].startsWith(QStringLiteral("tbl{*Series : ") + c.modello)) << corpo[1].toStdString();
    s.cmdAnnulla->click();
  }
  // The grid of an EC window counts too, once a run has rated its rows: rows
  // no run rated stand for no conditions.
  sel::FormDatiPXXEC& ec = sel::FDatiPXXEC();
  ec.Grd->SetCols(2);
  ec.Grd->AddItem("a\tb");
  ec.Grd->AddItem("c\td");
  EXPECT_FALSE(Premi(ec).chkSelez(2)->isEnabled());
  EXPECT_TRUE(reg.messaggi.empty());
  rapporto::FStampa().cmdAnnulla->click();
  ec.txtqatot->SetText("800");
  ec.txtpsu->SetText("40");
  ec.cmdCalcola->click();
  ASSERT_GT(ec.Grd->Rows(), 2);
  reg.Svuota();
  EXPECT_TRUE(Premi(ec).chkSelez(2)->isEnabled());
  EXPECT_TRUE(reg.messaggi.empty());
}

TEST_F(Stampa, SezioniScritteSoloSeSpuntateEAbilitate) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  const QString data = QStringLiteral("p:Date :\t") + Oggi();
  const QString titolo = QStringLiteral("tbl{*Technical Selection*}");
  const QString foto = QStringLiteral(
      "tbl{*Series : KALVO 10~Fan coil, three speeds, 2-pipe or 4-pipe water coil* / "
      "[img 81x60 mm]}");
  const struct {
    const char* nome;
    std::vector<int> spuntate;  // the section boxes ticked
    const char* cliente;
    std::function<void()> prima;   // before the dialog opens
    std::function<void()> stampa;  // between opening and printing
    QStringList atteso;
  } casi[] = {
      {"nessuna sezione", {}, "", {}, {}, {data, titolo}},
      {"cliente e progetto nell'intestazione",
       {},
       "ACME",
       {},
       {},
       {data, "p:Customer :\tACME", "p:Project :\tTower", titolo}},
      {"foto", {0}, "", {}, {}, {data, foto, titolo}},
      {"foto spuntata ma disabilitata",
       {0},
       "",
       [this] { QFile::remove(dir.filePath("FotoW/kalvo.png")); },
       {},
       {data, titolo}},
      {"solo il disegno",
       {3},
       "",
       {},
       {},
       {data, titolo, "p:[page]" + data.mid(2), "p!Overall dimensions", "p![img 170x98 mm]"}},
      {"solo lo schema",
       {4},
       "",
       {},
       {},
       {data, titolo, "p:[page]" + data.mid(2), "p!Wiring diagram", "p![img 170x107 mm]"}},
  };
  int n = 0;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    if (c.prima) c.prima();
    FormStampa& s = Premi(sel::FDatiP());
    for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(std::count(c.spuntate.begin(), c.spuntate.end(), k));
    // The model list is in view for the sections built on the chosen model.
    EXPECT_EQ(s.frmModello->isVisibleTo(&s), std::any_of(c.spuntate.begin(), c.spuntate.end(),
                                                         [](int k) { return k == 0 || k == 1 || k == 3; }));
    s.txtcliente->SetText(QString::fromLatin1(c.cliente));
    s.txtProgetto->SetText(c.cliente[0] ? QStringLiteral("Tower") : QString());
    if (c.stampa) c.stampa();
    QGuiApplication::clipboard()->setText("the user's own");
    EXPECT_EQ(StampaELeggi(s), c.atteso);
    ++n;
    // Saved, shown, reported; the button back, the pointer back, the
    // clipboard untouched.
    EXPECT_TRUE(QRegularExpression("^Doc\\d{6}-\\d{6}(-\\d+)?\\.docx$")
                    .match(QFileInfo(s.UltimoDocumento()).fileName())
                    .hasMatch());
    EXPECT_EQ(aperti.size(), n);
    EXPECT_EQ(aperti.back(), s.UltimoDocumento());
    EXPECT_EQ(s.lblAttesa->Caption(), "Saving document in " + s.UltimoDocumento() + " OK");
    EXPECT_TRUE(s.cmdStampa->isEnabled());
    EXPECT_FALSE(plat::PuntatoreInAttesa());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "the user's own");
    EXPECT_TRUE(reg.messaggi.empty());
    QFile::copy(QStringLiteral(PROGRAM_DIR "/FotoW/kalvo.png"), dir.filePath("FotoW/kalvo.png"));
    s.cmdAnnulla->click();
  }
}

TEST_F(Stampa, UnModelloRovinatoDaUnMessaggioENessunFile) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  const struct {
    const char* nome;
    QByteArray contenuto;  // empty: no template at all
  } casi[] = {{"rovinato", "PK\x03\x04 not really a zip"}, {"mancante", QByteArray()}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    QFile::remove(dir.filePath("intest.docx"));
    if (!c.contenuto.isEmpty()) {
      QFile f(dir.filePath("intest.docx"));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(c.contenuto);
    }
    reg.Svuota();
    FormStampa& s = Premi(sel::FDatiP());
    s.cmdStampa->click();
    ASSERT_EQ(reg.messaggi.size(), 1u);
    EXPECT_TRUE(reg.messaggi[0].testo.contains("intest.docx")) << reg.messaggi[0].testo.toStdString();
    EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
    EXPECT_TRUE(DocumentiSalvati().isEmpty());
    EXPECT_TRUE(aperti.isEmpty());
    EXPECT_TRUE(s.cmdStampa->isEnabled());
    EXPECT_FALSE(s.lblAttesa->isVisible());
    EXPECT_FALSE(plat::PuntatoreInAttesa());
    s.cmdAnnulla->click();
  }
}

// A full report of a mixed-air run opens in LibreOffice and renders: every
// section on its own page, each page holding its section's texts.
TEST_F(Stampa, IlRapportoSiApreInLibreOfficeESiConverteInPdf) {
  ui::ApriLinea(catalogo::Codice::RMB);
  sel::FDatiPXX().cmdCalcola->click();
  ASSERT_GT(sel::FDatiPXX().Grd->Rows(), 2);
  FormStampa& s = Premi(sel::FDatiPXX());
  for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(1);
  s.txtcliente->SetText("ACME Engineering");
  s.txtNote->setPlainText("Delivery in spring\nControls by others");
  s.cmdStampa->click();
  ASSERT_FALSE(s.UltimoDocumento().isEmpty());
  QTemporaryDir lavoro;
  const QString pdf = InPdf(s.UltimoDocumento(), lavoro);
  ASSERT_FALSE(pdf.isEmpty());
  QProcess info;
  info.start("pdfinfo", {pdf});
  ASSERT_TRUE(info.waitForFinished(60000));
  const QString testoInfo = QString::fromUtf8(info.readAllStandardOutput());
  // The heating capacity of the grid's last row, whole on its page.
  const plat::Griglia& g = *sel::FDatiPXX().Grd;
  const QString ultimaResa = g.TextMatrix(g.Rows() - 1, 7);
  const std::vector<QStringList> pagine = {
      {"Series : RMB 10", "Technical Selection"},
      {"Calculation results", "Return air ratio 100%", "Fresh air ratio 0%", "Water inlet temperature",
       "The selection is based on sea level", "Accessories : Filter G2(TR2)",
       "without useful static pressure", "LW_Out", ultimaResa, "Legenda",
       "Sound pressure level Distance : 2 meter Directivity Factor : 2"},
      {"Overall dimensions"},
      {"Tender specifications", "Tender specification - RMB", "Main features"},
      {"Wiring diagram"},
      {"Notes", "Delivery in spring", "Controls by others"},
  };
  EXPECT_TRUE(
      QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pagine.size())).match(testoInfo).hasMatch())
      << testoInfo.toStdString();
  for (size_t i = 0; i < pagine.size(); ++i) {
    SCOPED_TRACE(i + 1);
    const QString n = QString::number(i + 1);
    const QString t = TestoPdf(pdf, {"-f", n, "-l", n});
    // The letterhead and the page header on every page, then the section.
    QStringList attesi{"Mistrel2013", "Date :", Oggi(), "Customer :", "ACME Engineering"};
    attesi << pagine[i];
    int dove = -1;
    for (const QString& a : attesi) {
      const int k = static_cast<int>(t.indexOf(a, std::max(dove, 0)));
      EXPECT_GT(k, dove) << a.toStdString() << "\n" << t.toStdString();
      if (k > dove) dove = k;
    }
  }
}

// Half a character (a lone surrogate) typed in every box of the dialog, and
// an output folder whose name reads as markup: the report is saved whole,
// opens in LibreOffice, and the label shows the folder as written.
TEST_F(Stampa, TestoImpossibileECartellaStranaSalvatiEApertiInLibreOffice) {
  ui::ApriLinea(catalogo::Codice::KALVO);
  core::imp.CartellaOutput = dir.filePath("<b>x</b>/" + QString("a folder deep in the disk/").repeated(4));
  FormStampa& s = Premi(sel::FDatiP());
  for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(k == 5);
  const QString mezzo(QChar(0xD800));
  s.txtData->SetText("08/12/2026" + mezzo);
  s.txtcliente->SetText("ACME" + mezzo + "Engineering");
  s.txtProgetto->SetText(mezzo + "Tower");
  s.txtNote->setPlainText("Delivery in spring" + QString(QChar(0xDC00)) + " and autumn");
  s.cmdStampa->click();
  ASSERT_FALSE(s.UltimoDocumento().isEmpty());
  EXPECT_TRUE(reg.messaggi.empty());
  EXPECT_EQ(s.lblAttesa->Caption(), "Saving document in " + s.UltimoDocumento() + " OK");
  EXPECT_TRUE(s.UltimoDocumento().contains("/<b>x</b>/a folder"));
  EXPECT_EQ(s.lblAttesa->textFormat(), Qt::PlainText);
  // One line in the window: the start and the file's name whole.
  const QString mostrato = s.lblAttesa->TestoMostrato();
  EXPECT_TRUE(mostrato.startsWith("Saving document in ")) << mostrato.toStdString();
  EXPECT_TRUE(mostrato.endsWith(QFileInfo(s.UltimoDocumento()).fileName() + " OK")) << mostrato.toStdString();
  EXPECT_LE(s.lblAttesa->fontMetrics().horizontalAdvance(mostrato), s.lblAttesa->contentsRect().width());
  EXPECT_TRUE(s.rect().contains(s.lblAttesa->geometry()));
  EXPECT_LE(s.lblAttesa->geometry().bottom(), s.cmdStampa->geometry().top());
  QTemporaryDir lavoro;
  const QString pdf = InPdf(s.UltimoDocumento(), lavoro);
  ASSERT_FALSE(pdf.isEmpty());
  const QString t = TestoPdf(pdf);
  for (const char* atteso :
       {"08/12/2026", "ACME", "Engineering", "Tower", "Delivery in spring", "and autumn"})
    EXPECT_TRUE(t.contains(atteso)) << atteso << "\n" << t.toStdString();
}

// The results grid of the EC windows (fifteen columns in small print) keeps
// every word of its headings and cells whole on the page.
TEST_F(Stampa, LaGrigliaDelRapportoNonSpezzaLeParole) {
  const struct {
    catalogo::Codice serie;
    const char *portata, *pressione;
  } casi[] = {{catalogo::Codice::DVKBLDC, "802", "50"}, {catalogo::Codice::KALVOEC, "350", "30"}};
  for (const auto& c : casi) {
    ui::ApriLinea(c.serie);
    sel::FinestraSelezione& f = c.serie == catalogo::Codice::KALVOEC
                                    ? static_cast<sel::FinestraSelezione&>(sel::FDatiPEC())
                                    : sel::FDatiPXXEC();
    SCOPED_TRACE(f.Nome().toStdString());
    f.txtqatot->SetText(c.portata);
    f.txtpsu->SetText(c.pressione);
    f.cmdCalcola->click();
    const plat::Griglia& g = *f.Grd;
    ASSERT_GT(g.Rows(), 2);
    ASSERT_GT(g.Cols(), 10);  // small print
    QStringList parole;
    for (int r = 0; r < g.Rows(); ++r)
      for (int k = 0; k < g.Cols(); ++k) parole << g.TextMatrix(r, k).split(' ', Qt::SkipEmptyParts);
    ASSERT_TRUE(parole.contains("SPEED"));
    for (int r = 2; r < g.Rows(); ++r) parole << g.TextMatrix(r, 0);  // the models' names on one line
    FormStampa& s = Premi(f);
    for (int k = 0; k < 6; ++k) s.chkSelez(k)->SetValue(k == 2);
    s.cmdStampa->click();
    ASSERT_FALSE(s.UltimoDocumento().isEmpty());
    QTemporaryDir lavoro;
    const QString pdf = InPdf(s.UltimoDocumento(), lavoro);
    ASSERT_FALSE(pdf.isEmpty());
    const QString t = TestoPdf(pdf);
    QStringList spezzate;
    for (const QString& p : parole)
      if (!t.contains(QRegularExpression("(^|\\s)" + QRegularExpression::escape(p) + "(\\s|$)")))
        spezzate << p;
    EXPECT_TRUE(spezzate.isEmpty()) << spezzate.join(' ').toStdString() << "\n" << t.toStdString();
  }
}

}  // namespace
