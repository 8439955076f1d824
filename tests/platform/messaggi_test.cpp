#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QTest>
#include <QVBoxLayout>

#include "platform/schermo.h"
#include "tests/support/supporto.h"

TEST(Messaggi, IlRegistroRaccoglieIMessaggi) {
  test::RegistroMessaggi reg;
  plat::MsgBox("ciao", plat::Icona::Critica);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_EQ(reg.messaggi[0].testo, "ciao");
  EXPECT_EQ(reg.messaggi[0].icona, plat::Icona::Critica);
  EXPECT_EQ(reg.messaggi[0].titolo, plat::TitoloProgramma());
}

// A message is shown with the normal pointer; the pointers set before it
// come back after it, in their order.
TEST(Messaggi, MaiSottoIlPuntatoreOccupato) {
  struct Attesa : plat::Presentatore {
    void Mostra(const plat::Messaggio&) override { occupato.push_back(plat::PuntatoreInAttesa()); }
    std::vector<bool> occupato;
  } attesa;
  plat::ImpostaPresentatore(&attesa);
  {
    plat::PuntatoreOccupato occupato;
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));
    plat::MsgBox("a");
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_FALSE(plat::PuntatoreInAttesa());
  plat::MsgBox("b");
  EXPECT_FALSE(plat::PuntatoreInAttesa());
  plat::ImpostaPresentatore(nullptr);
  EXPECT_EQ(attesa.occupato, (std::vector<bool>{false, false}));
}

namespace {

// An active window of two boxes, the focus in the first.
class DueCaselle : public QWidget {
 public:
  DueCaselle() {
    auto* righe = new QVBoxLayout(this);
    righe->addWidget(a);
    righe->addWidget(b);
    show();
    QApplication::setActiveWindow(this);
    attiva = QTest::qWaitForWindowActive(this);
    a->setFocus(Qt::TabFocusReason);
  }
  // Active again, the focus where it was, and moving with its events.
  void Controlla() {
    EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == this; }));
    EXPECT_TRUE(a->hasFocus());
    QTest::keyClick(a, Qt::Key_Tab);
    EXPECT_TRUE(b->hasFocus());
  }
  QLineEdit* a = new QLineEdit(this);
  QLineEdit* b = new QLineEdit(this);
  bool attiva = false;
};

}  // namespace

// The window that was active gets its activation back after a message box
// that leaves none active, also after two messages in a row.
TEST(Messaggi, LaFinestraAttivaLoRestaDopoIlMessaggio) {
  DueCaselle finestra;
  ASSERT_TRUE(finestra.attiva);
  test::RegistroMessaggi reg;
  reg.modale = true;
  plat::MsgBox("uno");
  plat::MsgBox("due");
  EXPECT_EQ(reg.messaggi.size(), 2u);
  finestra.Controlla();
}

// The same with the program's own message box, closed by its OK once it has
// the activation, and with the busy pointer kept off it.
TEST(Messaggi, LaScatolaVeraRendeLAttivazione) {
  DueCaselle finestra;
  ASSERT_TRUE(finestra.attiva);
  QStringList visti;
  bool occupato = true;
  QTimer ok;
  QObject::connect(&ok, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || QApplication::activeWindow() != box) return;
    visti << box->windowTitle() + ": " + box->text();
    occupato = plat::PuntatoreInAttesa();
    box->button(QMessageBox::Ok)->click();
  });
  ok.start(0);
  {
    plat::PuntatoreOccupato attesa;
    plat::MsgBox("uno\rdue", plat::Icona::Critica);
    EXPECT_TRUE(plat::PuntatoreInAttesa());
  }
  ok.stop();
  EXPECT_EQ(visti, QStringList{plat::TitoloProgramma() + ": uno\ndue"});
  EXPECT_FALSE(occupato);
  finestra.Controlla();
}
