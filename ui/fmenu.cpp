#include <QDateTime>
#include <QHBoxLayout>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>

#include "core/ambiente.h"
#include "core/testi.h"
#include "platform/messaggi.h"
#include "selection/finestre_selezione.h"
#include "ui/disegni.h"
#include "platform/schermo.h"
#include "ui/finestre.h"
#include "ui/informazioni.h"
#include "ui/linee.h"

namespace ui {

plat::Istanza<FormMenu> Fmenu;

FormMenu::FormMenu() : plat::Form(QStringLiteral("Fmenu"), Tipo::Principale) {}

namespace {

QPushButton* BottoneLinea(QWidget* padre, const QString& nome, int indice, const QString& testo) {
  auto* b = new QPushButton(testo, padre);
  plat::NominaControllo(b, nome, indice);
  b->setMinimumWidth(800 / plat::kTwipPerPixel);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QToolButton* BottoneStrumento(QWidget* padre, const QString& nome, const QIcon& icona) {
  auto* b = new QToolButton(padre);
  b->setObjectName(nome);
  b->setIcon(icona);
  b->setIconSize(QSize(20, 20));
  b->setFixedSize(300 / plat::kTwipPerPixel + 8, 300 / plat::kTwipPerPixel + 8);
  b->setAutoRaise(false);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

void FormMenu::Progetta() {
  resize(1100, 760);
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);

  barra = new QMenuBar(this);
  lay->setMenuBar(barra);
  mnuFile = barra->addMenu(QString());
  mnuFile->setObjectName("mnuFile");
  mnuDefprt = mnuFile->addAction(QString(), this, [this] { mnuDefprt_Click(); });
  mnuDefprt->setObjectName("mnuDefprt");
  mnuFile->addSeparator()->setObjectName("mnu2");
  mnufine = mnuFile->addAction(QString(), this, [this] { mnufine_Click(); });
  mnufine->setObjectName("mnufine");
  mnuUnmis = barra->addAction(QString(), this, [this] { mnuUnmis_Click(); });
  mnuUnmis->setObjectName("mnuUnmis");
  mnuscelta = barra->addMenu(QString());
  mnuscelta->setObjectName("mnuscelta");
  for (int i = 0; i < 4; ++i) {
    mnuprod[i] = mnuscelta->addAction(QString(), this, [this, i] { mnuprod_Click(i); });
    mnuprod[i]->setObjectName(QStringLiteral("mnuprod%1").arg(i));
  }
  // Entries 4 and 5 only open their sub-menus: opening one does nothing else.
  QMenu* bldc = mnuscelta->addMenu(QStringLiteral("BLDC"));
  mnuprod[4] = bldc->menuAction();
  QMenu* facile = mnuscelta->addMenu(QStringLiteral("BLDC-EASY"));
  mnuprod[5] = facile->menuAction();
  for (int i = 1; i <= 3; ++i) {
    const QString linea = CaptionLinea(catalogo::Descrittore(kLineeEC[i]));
    mnuprods[i] = bldc->addAction(linea, this, [this, i] { mnuprods_Click(i); });
    mnuprods[i]->setObjectName(QStringLiteral("mnuprods%1").arg(i));
    mnuprods1[i] = facile->addAction(linea, this, [this, i] { mnuprods1_Click(i); });
    mnuprods1[i]->setObjectName(QStringLiteral("mnuprods1_%1").arg(i));
  }
  for (QAction* a : {mnuprods[3], mnuprods1[3]}) {
    a->setVisible(false);
    a->setEnabled(false);
  }
  mnulingua = barra->addAction(QString(), this, [this] { mnulingua_Click(); });
  mnulingua->setObjectName("mnulingua");
  mnuHelp = barra->addMenu(QStringLiteral("&?"));
  mnuHelp->setObjectName("mnuHelp");
  mnuInfotarv = mnuHelp->addAction(QString(), this, [this] { mnuInfotarv_Click(); });
  mnuInfotarv->setObjectName("mnuInfotarv");
  mnuInfo = mnuHelp->addAction(QString(), this, [this] { mnuInfo_Click(); });
  mnuInfo->setObjectName("mnuInfo");

  // Toolbar.
  SSPanel1 = new QFrame(this);
  SSPanel1->setObjectName("SSPanel1");
  SSPanel1->setFrameShape(QFrame::Panel);
  SSPanel1->setFrameShadow(QFrame::Raised);
  auto* tl = new QHBoxLayout(SSPanel1);
  tl->setContentsMargins(6, 3, 6, 3);
  SSdefprt = BottoneStrumento(SSPanel1, "SSdefprt", IconaStampante());
  SSunmis = BottoneStrumento(SSPanel1, "SSunmis", IconaUnita());
  SSlingua = BottoneStrumento(SSPanel1, "SSlingua", IconaLingua());
  connect(SSdefprt, &QToolButton::clicked, this, [this] { mnuDefprt_Click(); });
  connect(SSunmis, &QToolButton::clicked, this, [this] { mnuUnmis_Click(); });
  connect(SSlingua, &QToolButton::clicked, this, [this] { mnulingua_Click(); });
  tl->addWidget(SSdefprt);
  tl->addWidget(SSunmis);
  tl->addWidget(SSlingua);
  tl->addSpacing(20);
  const char* prod[] = {"QZR-N-B", "QZU", "QZG", "6 speeds"};
  for (int i = 0; i < 4; ++i) {
    SSprod[i] = BottoneLinea(SSPanel1, "SSprod", i, QString::fromLatin1(prod[i]));
    connect(SSprod[i], &QPushButton::clicked, this, [this, i] { mnuprod_Click(i); });
    tl->addWidget(SSprod[i]);
  }
  SSprodBLDC = BottoneLinea(SSPanel1, "SSprodBLDC", -1, QStringLiteral("BLDC"));
  connect(SSprodBLDC, &QPushButton::clicked, this, [this] { SSprodBLDC_Click(); });
  tl->addWidget(SSprodBLDC);
  tl->addStretch(1);
  lay->addWidget(SSPanel1);

  area = new QMdiArea(this);
  area->setObjectName("area");
  area->setBackground(QColor(120, 140, 160));
  // A selection window larger than the area can be scrolled into view.
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  lay->addWidget(area, 1);
  plat::Form::ImpostaAreaFigli(area);

  // Status band.
  SSPanel2 = new QFrame(this);
  SSPanel2->setObjectName("SSPanel2");
  SSPanel2->setFrameShape(QFrame::Panel);
  SSPanel2->setFrameShadow(QFrame::Sunken);
  auto* sl = new QHBoxLayout(SSPanel2);
  sl->setContentsMargins(8, 2, 8, 2);
  lblVer = new plat::Label(SSPanel2, "lblVer");
  lblOra = new plat::Label(SSPanel2, "lblOra");
  QFont arial(QStringLiteral("Arial"));
  lblVer->setFont(arial);
  lblOra->setFont(arial);
  sl->addWidget(lblVer);
  sl->addStretch(1);
  sl->addWidget(lblOra);
  lay->addWidget(SSPanel2);

  Timer1 = new plat::Timer(this);
  Timer1->SetInterval(1000);
  Timer1->Tick = [this] { Timer1_Timer(); };
}

void FormMenu::Form_Load() {
  RiempiSchermo();
  Timer1_Timer();
  lblVer->SetCaption(QStringLiteral("Ver. ") + QLatin1String(core::kVersione));
  Timer1->SetEnabled(true);
}

void FormMenu::Form_Unload() {
  Timer1->SetEnabled(false);
  // Leaving the main window closes every other window and ends the program.
  for (int i = plat::Forms::Count() - 1; i >= 0; --i) {
    plat::Form* f = plat::Forms::Item(i);
    if (f && f != this) f->Scarica();
  }
  plat::Form::ImpostaAreaFigli(nullptr);
}

void FormMenu::Timer1_Timer() {
  const QLocale loc = QLocale::system();
  const QDateTime ora = QDateTime::currentDateTime();
  // The long time of the system without its time zone, as a desktop clock shows it.
  QString formatoOra = loc.timeFormat(QLocale::LongFormat);
  formatoOra.remove(QLatin1Char('t'));
  lblOra->SetCaption(loc.toString(ora.date(), QLocale::LongFormat) + QStringLiteral("  ") +
                     loc.toString(ora.time(), formatoOra.trimmed()));
}

void FormMenu::mnuDefprt_Click() {
  if (impostaStampante) {
    impostaStampante();
    return;
  }
  QPrinter stampante;
  QPrintDialog dialogo(&stampante, this);
  dialogo.exec();
}

void FormMenu::mnufine_Click() { Scarica(); }

void FormMenu::mnuUnmis_Click() { Funmis().Mostra(); }

void FormMenu::mnulingua_Click() { Flingua().Mostra(); }

void FormMenu::SSprodBLDC_Click() { FChkBLDC().Mostra(); }

void FormMenu::mnuInfotarv_Click() {
  FInfo().CmdFine->setVisible(true);
  FInfo().CmdFine->setFocus();
  FInfo().Mostra(true);
}

void FormMenu::mnuInfo_Click() { MostraInfoSistema(this); }

void FormMenu::mnuprod_Click(int index) {
  if (index < 0 || index > 3) return;
  core::imp.FlagVFix = false;
  for (int i = plat::Forms::Count() - 1; i >= 0; --i) {
    plat::Form* f = plat::Forms::Item(i);
    if (f && (f->Nome() == QLatin1String("FDatiP") || f->Nome() == QLatin1String("FDatiPXX"))) f->Scarica();
  }
  static const catalogo::Codice linee[] = {catalogo::Codice::KALVO, catalogo::Codice::RMB,
                                           catalogo::Codice::DVK, catalogo::Codice::KALVOP};
  ApriLinea(linee[index]);
}

// The third entry of each EC sub-menu is hidden and does nothing.
void FormMenu::mnuprods_Click(int index) {
  if (index == 1 || index == 2) ApriLinea(kLineeEC[index]);
}

void FormMenu::mnuprods1_Click(int index) {
  if (index == 1 || index == 2) ApriLinea(kLineeEC[index], true);
}

}  // namespace ui
