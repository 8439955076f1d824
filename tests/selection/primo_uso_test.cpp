#include <QLineEdit>
#include <QMessageBox>

#include "catalogue/catalogo.h"
#include "core/numeri.h"
#include "engine/numeri.h"
#include "platform/schermo.h"
#include "selection/fdatip.h"
#include "selection/fdatipxx.h"
#include "tests/selection/supporto_selezione.h"
#include "ui/linee.h"

using namespace sel;

namespace {

// The program's own message boxes, shown for real and closed by "OK" as a
// user would close them; their texts are kept.
class MessaggiVeri {
 public:
  MessaggiVeri() {
    plat::ImpostaPresentatore(nullptr);
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      testi.push_back(box->text());
      QWidget* sotto = box->parentWidget() ? box->parentWidget()->window() : nullptr;
      QTest::keyClick(box, Qt::Key_Return);
      // The window manager gives the window below back its activation a
      // moment later.
      QTimer::singleShot(30, [sotto] {
        if (sotto && !QApplication::activeWindow()) QApplication::setActiveWindow(sotto);
      });
    });
    timer_.start();
  }
  ~MessaggiVeri() { plat::ImpostaPresentatore(nullptr); }
  std::vector<QString> testi;

 private:
  QTimer timer_;
};

class PrimoUso : public test::ConProgramma {
 protected:
  void SetUp() override {
    ConProgramma::SetUp();
    ui::Fmenu().mnuprod_Click(0);
    f = &FDatiP();
    Attiva(*f);
  }
  // Boxes of the window other than b that show a selection.
  QStringList AltreSelezioni(QWidget* b) const {
    QStringList nomi;
    for (auto* e : f->findChildren<QLineEdit*>())
      if (e != b && e->hasSelectedText()) nomi << e->objectName();
    return nomi;
  }
  FormDatiP* f = nullptr;
};

}  // namespace

// A refused value, whatever check refused it and however the box was left:
// the message's lines show as lines, the box gets the focus back with its
// whole text selected, no other box shows a selection, and typing replaces
// the refused value.
TEST_F(PrimoUso, IlValoreRifiutatoSiSostituisceScrivendo) {
  enum class Uscita { Tab, Clic, Calcola };
  struct Caso {
    const char* descrizione;
    std::function<plat::TextBox*(FormDatiP&)> box;
    const char* scritto;
    Uscita uscita;
    const char* messaggio;
    const char* mostrato;  // the box's text when the focus is back
    const char* riscritto;
  };
  const Caso casi[] = {
      {"range, left by Tab", [](FormDatiP& w) { return w.txtTw1(0); }, "80", Uscita::Tab,
       "Values must be in the range 5 °C -> 20 °C\nset to 5", "5", "5"},
      {"range, left by a click", [](FormDatiP& w) { return w.txtTw1(1); }, "200", Uscita::Clic,
       "Values must be in the range 30 °C -> 95 °C\nset to 30", "30", "45"},
      {"order of the water temperatures", [](FormDatiP& w) { return w.txtTw2(0); }, "6", Uscita::Tab, nullptr,
       "6", "13"},
      {"check of the run", [](FormDatiP& w) { return w.txtTw2(0); }, "18", Uscita::Calcola, nullptr, "18",
       "12"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.descrizione);
    MessaggiVeri veri;
    plat::TextBox* box = c.box(*f);
    const QString prima = box->Text();
    Scrivi(box, QString::fromUtf8(c.scritto));
    switch (c.uscita) {
      case Uscita::Tab:
        QTest::keyClick(box, Qt::Key_Tab);
        break;
      case Uscita::Clic:
        QTest::mouseClick(f->txtTsa1(0), Qt::LeftButton);
        break;
      case Uscita::Calcola:
        QTest::mouseClick(f->cmdCalcola, Qt::LeftButton);
        break;
    }
    // The message, then the focus back on the box.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !veri.testi.empty() && QApplication::focusWidget() == box; }, 5000));
    test::ProcessaEventi();
    ASSERT_EQ(veri.testi.size(), 1u);
    if (c.messaggio) {
      EXPECT_EQ(veri.testi[0], QString::fromUtf8(c.messaggio));
    }
    EXPECT_FALSE(veri.testi[0].contains(QLatin1Char('\r')));
    ASSERT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->Text(), c.mostrato);
    EXPECT_EQ(box->selectedText(), c.mostrato);
    EXPECT_EQ(AltreSelezioni(box), QStringList());
    QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(c.riscritto));
    EXPECT_EQ(box->Text(), c.riscritto);
    box->SetText(prima);
  }
}

namespace {

// A selection window whose run is a body the test gives.
class FinestraProva : public FinestraSelezione {
 public:
  FinestraProva() : FinestraSelezione(QStringLiteral("FProva"), true) {}
  std::function<void()> corpo;
  void cmdCalcola_Click() override { EseguiCalcolo(corpo); }
};

}  // namespace

// Whatever a run or a box's focus handler throws, its trap shows "Errore
// generico : " and a number with the exclamation icon, the pointer is back to
// normal, and the next run goes ahead.
TEST_F(PrimoUso, LaTrappolaDelCalcoloLiPrendeTutti) {
  struct Caso {
    const char* descrizione;
    std::function<void()> errore;
    int numero;
  };
  const Caso casi[] = {
      {"engine error", [] { throw motore::ErroreCalcolo(11); }, 11},
      {"run-time error", [] { throw core::ErroreEsecuzione(13); }, 13},
      {"overflow", [] { throw core::ErroreOverflow(); }, 6},
      {"memory", [] { throw std::bad_alloc(); }, FinestraSelezione::kErroreMemoria},
      {"index out of range", [] { (void)std::vector<int>{}.at(3); }, FinestraSelezione::kErroreInterno},
      {"not a standard exception", [] { throw 42; }, FinestraSelezione::kErroreInterno},
  };
  FinestraProva w;
  w.Mostra();
  w.serie = QString::fromStdString(catalogo::Catalogo().SerieCorrente);
  auto* box = new plat::TextBox(&w, "txtProva");
  auto* altra = new plat::TextBox(&w, "txtAltra");
  altra->move(0, 40);
  for (QWidget* b : {box, altra}) b->show();
  Attiva(w);
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.descrizione);
    reg.Svuota();
    w.corpo = [&c] {
      plat::PuntatoreOccupato occupato;
      c.errore();
    };
    w.cmdCalcola_Click();
    ASSERT_EQ(reg.messaggi.size(), 1u);
    EXPECT_EQ(reg.messaggi[0].testo, QStringLiteral("Errore generico : ") + QString::number(c.numero));
    EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Esclamativa);
    EXPECT_FALSE(plat::PuntatoreInAttesa());
    EXPECT_FALSE(w.InCalcolo());
    bool eseguito = false;
    w.corpo = [&eseguito] { eseguito = true; };
    w.cmdCalcola_Click();
    EXPECT_TRUE(eseguito);
    // The same error in a box's focus handlers: the message, the box gets
    // the focus back with its text selected, and no run starts meanwhile.
    for (bool uscita : {true, false}) {
      reg.Svuota();
      Scrivi(box, "12");
      if (!uscita) Esci(altra);
      (uscita ? box->LostFocus : box->GotFocus) = c.errore;
      QTest::mouseClick(uscita ? static_cast<QWidget*>(altra) : box, Qt::LeftButton);
      if (uscita) {
        eseguito = false;
        w.cmdCalcola_Click();
        EXPECT_FALSE(eseguito);
      }
      test::ProcessaEventi();
      ASSERT_EQ(reg.messaggi.size(), 1u) << uscita;
      EXPECT_EQ(reg.messaggi[0].testo, QStringLiteral("Errore generico : ") + QString::number(c.numero));
      EXPECT_EQ(QApplication::focusWidget(), box);
      EXPECT_EQ(box->selectedText(), "12");
      box->LostFocus = box->GotFocus = nullptr;
      altra->setFocus();
    }
  }
  w.Scarica();
}

TEST_F(PrimoUso, LeDueBarreDellaQuotaHannoLaStessaAltezza) {
  ui::Fmenu().mnuprod_Click(1);
  FormDatiPXX& m = FDatiPXX();
  Attiva(m);
  ASSERT_TRUE(m.Scrollfreddo->isVisible());
  EXPECT_EQ(m.Scrollfreddo->height(), m.ScrollCaldo->height());
  EXPECT_GE(m.Scrollfreddo->height(), 90);
}

// At one required air flow the DVK sizes a run lists rate in size order:
// a larger model gives at least the cooling and heating of a smaller one.
TEST_F(PrimoUso, ADataPortataLeTaglieDVKInOrdine) {
  ui::Fmenu().mnuprod_Click(2);
  FormDatiPXX& m = FDatiPXX();
  Attiva(m);
  m.cboVel->SetListIndex(m.cboVel->ListCount() - 1);  // top speed
  for (const char* portata : {"900", "1200", "1700"}) {
    SCOPED_TRACE(portata);
    Scrivi(m.txtqatot, QString::fromLatin1(portata));
    Esci(m.txtGlic);
    reg.Svuota();
    m.cmdCalcola->click();
    ASSERT_GE(m.Grd->Rows(), 4);
    QStringList codici;
    for (int i = 0; i < m.Grd->Cols(); ++i) codici << m.Grd->TextMatrix(0, i);
    const int pt = static_cast<int>(codici.indexOf("PT")), ph = static_cast<int>(codici.indexOf("PH"));
    ASSERT_GT(pt, 0);
    ASSERT_GT(ph, 0);
    double freddo = 0, caldo = 0;
    int righe = 0;
    for (int r = 2; r < m.Grd->Rows(); ++r) {
      if (m.Grd->TextMatrix(r, 0).contains("4P")) continue;
      const double t = core::ValNum(m.Grd->TextMatrix(r, pt)), h = core::ValNum(m.Grd->TextMatrix(r, ph));
      EXPECT_GE(t, freddo) << m.Grd->TextMatrix(r, 0).toStdString() << " "
                           << m.Grd->TextMatrix(r, 1).toStdString();
      EXPECT_GE(h, caldo) << m.Grd->TextMatrix(r, 0).toStdString();
      freddo = t;
      caldo = h;
      ++righe;
    }
    EXPECT_GE(righe, 2);
  }
}
