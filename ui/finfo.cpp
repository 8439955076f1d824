#include <QGridLayout>
#include <QSysInfo>
#include <QVBoxLayout>

#include "core/ambiente.h"
#include "core/documenti.h"
#include "core/testi.h"
#include "ui/disegni.h"
#include "ui/finestre.h"
#include "ui/informazioni.h"

namespace ui {

plat::Istanza<FormInfo> FInfo;

bool FinestraInformazioni::Form_KeyDown(int keyCode, Qt::KeyboardModifiers, QWidget* controllo) {
  plat::CommandButton* fine = PulsanteChiusura();
  if (!fine || fine->isHidden()) return false;
  const bool invio = keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter;
  if (keyCode != Qt::Key_Escape && !(invio && controllo == fine)) return false;
  fine->click();
  return true;
}

FormInfo::FormInfo() : FinestraInformazioni(QStringLiteral("FInfo"), Tipo::Finestra) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

QString FormInfo::IndirizzoWeb() { return QStringLiteral("https://www.example.com/"); }
QString FormInfo::IndirizzoPosta() { return QStringLiteral("sales@example.com"); }

void FormInfo::Progetta() {
  auto* lay = new QGridLayout(this);
  QFont times(QStringLiteral("Times New Roman"));
  auto etichetta = [&](const char* nome, const QString& testo) {
    auto* l = new plat::Label(this, QString::fromLatin1(nome));
    l->SetCaption(testo);
    l->setFont(times);
    return l;
  };
  Picture1 = new plat::Label(this, "Picture1");
  Picture1->setPixmap(Logo());
  lblDescri = etichetta("lblDescri", QString());
  QFont grande = times;
  grande.setPointSize(14);
  grande.setBold(true);
  lblDescri->setFont(grande);
  lblVer = etichetta("lblVer", QString());
  Label5 = etichetta("Label5", QStringLiteral("Idrotermica Esempio S.r.l."));
  Label2 = etichetta("Label2", QStringLiteral("Via dell'Esempio, 12"));
  Label3 = etichetta("Label3", QStringLiteral("00100 Città di Prova (XX)"));
  Label4 = etichetta("Label4", QStringLiteral("Tel. +39 000 0000000"));
  Label1 = etichetta("Label1", QStringLiteral("www.example.com"));
  Label6 = etichetta("Label6", IndirizzoPosta());
  for (plat::Label* l : {Label1, Label6}) {
    l->setCursor(Qt::PointingHandCursor);
    l->setStyleSheet(QStringLiteral("color: #1a4fa0; text-decoration: underline;"));
  }
  Label1->Click = [] { core::ApriDocumento(IndirizzoWeb()); };
  Label6->Click = [] { core::ApriDocumento(QStringLiteral("mailto:") + IndirizzoPosta()); };
  CmdFine = new plat::CommandButton(this, "CmdFine");
  CmdFine->setVisible(false);
  CmdFine->Click = [this] { Scarica(); };

  lay->addWidget(Picture1, 0, 0, 3, 1, Qt::AlignTop);
  lay->addWidget(lblDescri, 0, 1);
  lay->addWidget(lblVer, 1, 1);
  int r = 3;
  for (plat::Label* l : {Label5, Label2, Label3, Label4, Label1, Label6}) lay->addWidget(l, r++, 1);
  lay->addWidget(CmdFine, r, 1, Qt::AlignRight);
  setMinimumWidth(420);
}

void FormInfo::Form_Load() {
  lblDescri->SetCaption(core::Testo(60) + QStringLiteral(" Mistrel2013"));
  CmdFine->SetCaption(core::Testo(30));
  lblVer->SetCaption(QStringLiteral("Ver. ") + QLatin1String(core::kVersione));
  setWindowTitle(core::Testo(34).remove(QLatin1Char('&')));
}

// ---- System information ----

namespace {

class FormInfoSistema : public FinestraInformazioni {
 public:
  FormInfoSistema() : FinestraInformazioni(QStringLiteral("FInfoSistema"), Tipo::Finestra) {
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
  }

 protected:
  plat::CommandButton* PulsanteChiusura() const override { return ok_; }
  void Progetta() override {
    auto* lay = new QGridLayout(this);
    auto* icona = new plat::Label(this, "Icona");
    icona->setPixmap(Logo(48, 48));
    auto* testo = new plat::Label(this, "Testo");
    testo->SetCaption(QStringLiteral("Mistrel2013 ") + QLatin1String(core::kVersione) +
                      QStringLiteral("\nProgramma di selezione\r\nIdrotermica Esempio S.r.l.\n\n") +
                      QSysInfo::prettyProductName() + QStringLiteral(" (") +
                      QSysInfo::currentCpuArchitecture() + QStringLiteral(")\nQt ") +
                      QLatin1String(qVersion()));
    ok_ = new plat::CommandButton(this, "cmdOK");
    ok_->SetCaption(QStringLiteral("OK"));
    ok_->Click = [this] { Scarica(); };
    ok_->setFocus();
    lay->addWidget(icona, 0, 0, Qt::AlignTop);
    lay->addWidget(testo, 0, 1);
    lay->addWidget(ok_, 1, 1, Qt::AlignRight);
    setWindowTitle(QStringLiteral("Mistrel2013"));
  }

 private:
  plat::CommandButton* ok_ = nullptr;
};

plat::Istanza<FormInfoSistema> FInfoSistema;

}  // namespace

void MostraInfoSistema(QWidget*) { FInfoSistema().Mostra(true); }

}  // namespace ui
