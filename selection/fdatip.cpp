#include "selection/fdatip.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/campi.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "engine/numeri.h"
#include "platform/messaggi.h"
#include "selection/celle.h"
#include "selection/unita/contesto.h"

namespace sel {

plat::Istanza<FormDatiP> FDatiP;

FormDatiP::FormDatiP() : FinestraAriaSingola(QStringLiteral("FDatiP")) {}

void FormDatiP::Progetta() {
  resize(1000, 660);
  auto* lay = new QVBoxLayout(this);
  lay->addLayout(CreaPannelli(true));

  // Below: sound frame, pressure and glycol, model and speed, buttons.
  auto* sotto = new QHBoxLayout();
  sotto->addWidget(CreaBloccoPressione(this));
  sotto->addLayout(CreaBloccoPressioneGlicole(false));
  auto* mv = CreaBloccoModello();
  lblVel = CreaEtichetta(this, "lblVel");
  cboVel = new plat::ComboBox(this, "cboVel");
  mv->addWidget(lblVel, 1, 0);
  mv->addWidget(cboVel, 1, 1);
  sotto->addLayout(mv);
  sotto->addStretch(1);
  sotto->addWidget(CreaBloccoPulsanti(this));
  lay->addLayout(sotto);
  lay->addWidget(CreaBloccoRisultati(this), 1);

  // Unit-heater fields: never shown for the series of this window.
  frmZepa = new plat::Frame(PanLegend, "frmZepa");
  cboSpigot = new plat::ComboBox(frmZepa, "cboSpigot");
  frmZepa->setVisible(false);

  CreaLegenda(SimboliLegenda({{16, "Pin"}}));

  txtpsu->LostFocus = [this] { txtpsu_LostFocus(); };
  chkComeFreddo->Click = [this] { chkComeFreddo_Click(); };
}

void FormDatiP::Form_Load() {
  using core::Testo;
  lblVel->SetCaption(Testo(86));
  DidascaliePannelli();
  FinestraSelezione::Form_Load();  // model label, buttons, centring
  const catalogo::Serie* d = SerieFinestra();
  if (d && d->colonnaPin) lblLegDes(16)->SetCaption(Testo(172));
  frmZepa->setVisible(false);

  cboVel->AddItem(Testo(84));
  if (d)
    for (const std::string& v : d->velocita) cboVel->AddItem(QString::fromStdString(v));
  cboVel->SetListIndex(3);
  AggiornaUnita();
}

void FormDatiP::chkComeFreddo_Click() {
  if (chkComeFreddo->Value() == 1) {
    txtTw2(1)->SetText(QString());
    txtQw(1)->SetText(QString());
  }
}

void FormDatiP::cboVel_GotFocus() {}

void FormDatiP::UscitaAcquaData(int) { chkComeFreddo->SetValue(0); }

// ---- Lost-focus handlers ----

void FormDatiP::txtQw_LostFocus(int i) {
  if (Positivo(txtQw(i))) {
    chkComeFreddo->SetValue(0);
    if (Positivo(txtTw2(i))) txtTw2(i)->SetText(QString());
  }
  ControllaPortataAcqua(i);
}

void FormDatiP::ControllaPortataAcqua(int i) {
  const float massimo = core::Fattore(core::Grandezza::PortataAcqua) * 3000.0f / 3600000.0f;
  Controlla(txtQw(i), 0, massimo, core::NomeUnita(core::Grandezza::PortataAcqua), false);
}

// ---- Input check ----

unita::Condizioni FormDatiP::LeggiCondizioni() const {
  unita::Condizioni k;
  LeggiCondizioniAria(k);
  return k;
}

// ---- Grid heading ----

void FormDatiP::CalcolaIntestazione() {
  const catalogo::Serie* d = SerieFinestra();
  const bool conPin = d && d->colonnaPin;
  const bool tutteVel = cboVel->ListIndex() == 0;
  QStringList codici{QString()}, unita{core::Testo(40)};
  auto colonna = [&](const QString& codice, const QString& u) {
    codici << codice;
    unita << u;
  };
  if (tutteVel) colonna("Vel", QString());
  colonna("QA", core::NomeUnita(core::Grandezza::PortataAria));
  ColonneRese(codici, unita);
  if (conPin) colonna("Pin", QStringLiteral("W"));
  IntestaGriglia(codici, unita, 1100);
}

// ---- The run ----

void FormDatiP::cmdCalcola_Click() {
  EseguiCalcolo([this] { Calcola(); });
}

void FormDatiP::Calcola() {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  Calcolo c(*this);
  CalcolaIntestazione();
  if (!SaltoTermicoAmmesso(false)) return;
  const float pressione = LeggiPressioneUtile();

  // Models and speeds.
  const unita::Scelta scelta = unita::ModelliScelti(unita::TipoCorsa::FanCoil, cboModel->ListIndex(),
                                                    cboModel->Text().toStdString(), cat.NModelli);
  if (scelta.spunta) chkKQ->SetValue(1);
  const auto [tutteVel, primaVel, ultimaVel] = VelocitaScelte(cboVel);

  unita::Condizioni k = LeggiCondizioni();
  k.PressioneUtile = pressione;
  unita::Valutazione u(c.stato, c.costanti, k);
  u.IniziaCorsa();
  for (int v = primaVel; v <= ultimaVel; ++v) {
    for (int m = scelta.primo; m <= scelta.ultimo; ++m) {
      const catalogo::DatiModello& d = cat.Modelli[m];
      const unita::Riga r = u.RigaFanCoil(d, m, v);
      if (!ProseguiCorsa(r)) return;
      if (r.fine != unita::Riga::Fine::Riga) continue;

      QStringList celle{QString::fromStdString(d.ModDescri)};
      if (tutteVel) celle << cboVel->List(v);
      celle << CellaPortataAria(r.punto.PortataAria);
      CelleRese(celle, r.rese, true);
      celle << CellaPositiva(r.LWA);
      celle << (r.conLP ? QString::number(r.LP) : QString());
      celle << CellaPositiva(r.PIN);
      Grd->AddItem(Riga(celle));
    }
  }

  ChiudiCalcolo(c.stato);
}

}  // namespace sel
