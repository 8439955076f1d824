#include <QGridLayout>

#include "core/impostazioni.h"
#include "core/testi.h"
#include "core/unita.h"
#include "selection/finestre_selezione.h"
#include "ui/fgrafico.h"
#include "ui/finestre.h"

namespace ui {

plat::Istanza<FormUnita> Funmis;

FormUnita::FormUnita() : plat::Form(QStringLiteral("Funmis"), Tipo::Finestra) {
  setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
}

void FormUnita::Progetta() {
  auto* lay = new QGridLayout(this);
  auto riga = [&](int r, plat::Label*& lbl, const char* nl, plat::ComboBox*& cbo, const char* nc) {
    lbl = new plat::Label(this, QString::fromLatin1(nl));
    cbo = new plat::ComboBox(this, QString::fromLatin1(nc));
    cbo->setMinimumWidth(140);
    lay->addWidget(lbl, r, 0);
    lay->addWidget(cbo, r, 1);
  };
  riga(0, lblPotenz, "lblPotenz", cboPotenz, "cboPotenz");
  riga(1, lblQW, "lblQW", cboqw, "cboqw");
  riga(2, lblQa, "lblQa", cboqa, "cboqa");
  riga(3, lbldpw, "lbldpw", cboDpw, "cboDpw");
  riga(4, lblpsu, "lblpsu", cboDpA, "cboDpA");
  cmdOK = new plat::CommandButton(this, "cmdOK");
  cmdOK->SetCaption(QStringLiteral("OK"));
  lay->addWidget(cmdOK, 5, 1, Qt::AlignRight);
  cboPotenz->Click = [this] { cboPotenz_Click(); };
  cboDpw->Click = [this] { cboDpw_Click(); };
  cmdOK->Click = [this] { cmdOK_Click(); };
}

void FormUnita::Form_Load() {
  using core::Testo;
  using core::um;
  setWindowTitle(Testo(72));
  lblPotenz->SetCaption(Testo(50));
  lbldpw->SetCaption(Testo(45));
  lblQW->SetCaption(Testo(48));
  lblQa->SetCaption(Testo(49));
  lblpsu->SetCaption(Testo(58));
  auto riempi = [](plat::ComboBox* c, const auto& nomi, int scelta) {
    for (const QString& n : nomi) c->AddItem(n);
    c->SetListIndex(scelta);
  };
  riempi(cboPotenz, um.NomiUmPotenza, um.UmPotenza);
  riempi(cboqw, um.NomiUmPortataAcqua, um.UmPortataAcqua);
  riempi(cboqa, um.NomiUmPortataAria, um.UmPortataAria);
  riempi(cboDpw, um.NomiUmPerditaAcqua, um.UmPerditaAcqua);
  riempi(cboDpA, um.NomiUmPerditaAria, um.UmPerditaAria);
}

// W goes with kPa, the other power unit with mH2O.
void FormUnita::cboPotenz_Click() {
  if (!Visibile()) return;
  cboDpw->SetListIndex(cboPotenz->Text() == QLatin1String("W") ? 0 : 1);
}

void FormUnita::cboDpw_Click() { cboPotenz->SetListIndex(cboDpw->Text() == QLatin1String("kPa") ? 0 : 1); }

namespace {

// A list position that is a valid unit index, else the index in force.
int16_t Scelta(const plat::ComboBox* c, int16_t attuale) {
  const int i = c->ListIndex();
  return (i >= 0 && i < c->ListCount()) ? static_cast<int16_t>(i) : attuale;
}

}  // namespace

void FormUnita::Applica() {
  using core::um;
  const core::UnitaMisura prima = um;
  um.UmPotenza = Scelta(cboPotenz, um.UmPotenza);
  um.UmPortataAria = Scelta(cboqa, um.UmPortataAria);
  um.UmPortataAcqua = Scelta(cboqw, um.UmPortataAcqua);
  um.UmPerditaAcqua = Scelta(cboDpw, um.UmPerditaAcqua);
  um.UmPerditaAria = Scelta(cboDpA, um.UmPerditaAria);
  if (um.UmPotenza == prima.UmPotenza && um.UmPortataAria == prima.UmPortataAria &&
      um.UmPortataAcqua == prima.UmPortataAcqua && um.UmPerditaAcqua == prima.UmPerditaAcqua &&
      um.UmPerditaAria == prima.UmPerditaAria)
    return;
  // No number keeps an old unit under a new name: the chart, drawn in the
  // old units, closes, and every open selection window rewrites its boxes
  // and clears the rows rated in the old units.
  if (FormGrafico* g = FGrafico.SeCaricata()) g->Scarica();
  for (int i = 0; i < plat::Forms::Count(); ++i)
    if (auto* s = dynamic_cast<sel::FinestraSelezione*>(plat::Forms::Item(i))) s->UnitaCambiate(prima);
}

void FormUnita::cmdOK_Click() {
  using core::um;
  Applica();
  core::ScriviIni("Unmis", "Pt", core::TestoIndice(um.UmPotenza));
  core::ScriviIni("Unmis", "Qa", core::TestoIndice(um.UmPortataAria));
  core::ScriviIni("Unmis", "Qw", core::TestoIndice(um.UmPortataAcqua));
  core::ScriviIni("Unmis", "DpW", core::TestoIndice(um.UmPerditaAcqua));
  core::ScriviIni("Unmis", "DpA", core::TestoIndice(um.UmPerditaAria));
  Scarica();
}

void FormUnita::Form_Unload() { Applica(); }

}  // namespace ui
