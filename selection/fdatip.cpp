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

FormDatiP::FormDatiP() : FinestraSelezione(QStringLiteral("FDatiP"), true) {}

void FormDatiP::Progetta() {
  resize(1000, 660);
  auto* lay = new QVBoxLayout(this);

  // Cooling panel (index 0) and heating panel (index 1) side by side.
  auto* pannelli = new QHBoxLayout();
  pnlFreddo = new plat::Frame(this, "pnlFreddo");
  pnlCaldo = new plat::Frame(this, "pnlCaldo");
  for (int i = 0; i < 2; ++i) {
    plat::Frame* p = i == 0 ? pnlFreddo : pnlCaldo;
    auto* g = new QGridLayout(p);
    int r = 0;
    auto riga = [&](plat::Label* l, plat::TextBox* t, QWidget* unita) {
      g->addWidget(l, r, 0);
      g->addWidget(t, r, 1);
      if (unita) g->addWidget(unita, r, 2);
      ++r;
    };
    auto gradi = [&] { return new QLabel(QStringLiteral("°C"), p); };
    lblTbs.Imposta(i, CreaEtichetta(p, "lblTbs", i));
    txtTsa1.Imposta(i, CreaCasella(p, "txtTsa1", i));
    riga(lblTbs(i), txtTsa1(i), gradi());
    if (i == 0) {
      lbltbu = CreaEtichetta(p, "lbltbu");
      txtTbu = CreaCasella(p, "txtTbu");
      riga(lbltbu, txtTbu, gradi());
      lblUR = CreaEtichetta(p, "lblUR");
      txtUr = CreaCasella(p, "txtUr");
      riga(lblUR, txtUr, new QLabel(QStringLiteral("%"), p));
    }
    lblTw1.Imposta(i, CreaEtichetta(p, "lblTw1", i));
    txtTw1.Imposta(i, CreaCasella(p, "txtTw1", i));
    riga(lblTw1(i), txtTw1(i), gradi());
    lblTw2.Imposta(i, CreaEtichetta(p, "lblTw2", i));
    txtTw2.Imposta(i, CreaCasella(p, "txtTw2", i));
    riga(lblTw2(i), txtTw2(i), gradi());
    lblQw.Imposta(i, CreaEtichetta(p, "lblQw", i));
    txtQw.Imposta(i, CreaCasella(p, "txtQw", i));
    lblumQw.Imposta(i, CreaEtichetta(p, "lblumQw", i));
    riga(lblQw(i), txtQw(i), lblumQw(i));
    if (i == 1) {
      chkComeFreddo = new plat::CheckBox(p, "chkComeFreddo");
      chkComeFreddo->SetCaption(QStringLiteral("=QW(C)"));
      g->addWidget(chkComeFreddo, r - 1, 3);
      chkKQ = new plat::CheckBox(p, "chkKQ");
      g->addWidget(chkKQ, r++, 0, 1, 4);
    }
    g->setRowStretch(r, 1);
    g->setColumnStretch(0, 1);
    pannelli->addWidget(p, 1);
  }
  lay->addLayout(pannelli);

  // Below: sound frame, pressure and glycol, model and speed, buttons.
  auto* sotto = new QHBoxLayout();
  sotto->addWidget(CreaBloccoPressione(this));
  auto* pg = new QGridLayout();
  lblPsu = CreaEtichetta(this, "lblPsu");
  txtpsu = CreaCasella(this, "txtpsu");
  lblumDpa = CreaEtichetta(this, "lblumDpa");
  lblglic = CreaEtichetta(this, "lblglic");
  txtGlic = CreaCasella(this, "txtGlic");
  pg->addWidget(lblPsu, 0, 0);
  pg->addWidget(txtpsu, 0, 1);
  pg->addWidget(lblumDpa, 0, 2);
  pg->addWidget(lblglic, 1, 0);
  pg->addWidget(txtGlic, 1, 1);
  pg->addWidget(new QLabel(QStringLiteral("%"), this), 1, 2);
  sotto->addLayout(pg);
  auto* mv = new QGridLayout();
  lblModello = CreaEtichetta(this, "lblModello");
  cboModel = new plat::ComboBox(this, "cboModel");
  cboModel->setMinimumWidth(170);
  lblVel = CreaEtichetta(this, "lblVel");
  cboVel = new plat::ComboBox(this, "cboVel");
  mv->addWidget(lblModello, 0, 0);
  mv->addWidget(cboModel, 0, 1);
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

  CreaLegenda({{0, "QA"},      {1, "PT"},      {2, "PS"},      {3, "QW (C)"}, {4, "TW2 (C)"}, {5, "DPW (C)"},
               {6, "TA (C)"},  {7, "PH"},      {8, "QW (H)"},  {9, "TW2 (H)"}, {10, "DPW (H)"}, {11, "TA (H)"},
               {12, "LW"},     {13, "LP"},     {16, "Pin"}});

  // Handlers.
  for (int i = 0; i < 2; ++i) {
    txtTsa1(i)->LostFocus = [this, i] { txtTsa1_LostFocus(i); };
    txtTw1(i)->LostFocus = [this, i] { txtTw1_LostFocus(i); };
    txtTw2(i)->LostFocus = [this, i] { txtTw2_LostFocus(i); };
    txtQw(i)->LostFocus = [this, i] { txtQw_LostFocus(i); };
  }
  txtTbu->LostFocus = [this] { txtTbu_LostFocus(); };
  txtUr->LostFocus = [this] { txtUr_LostFocus(); };
  txtGlic->LostFocus = [this] { txtGlic_LostFocus(); };
  txtpsu->LostFocus = [this] { txtpsu_LostFocus(); };
  chkComeFreddo->Click = [this] { chkComeFreddo_Click(); };

  // Default texts of every opening.
  txtTsa1(0)->SetText("27");
  txtTbu->SetText("19");
  txtUr->SetText("47");
  txtTw1(0)->SetText("7");
  txtTw2(0)->SetText("12");
  txtTsa1(1)->SetText("20");
  txtTw1(1)->SetText("70");
  txtTw2(1)->SetText("60");
  txtGlic->SetText("0");
  txtpsu->SetText("0");
  txtDistanza->SetText("2");
}

void FormDatiP::Form_Load() {
  using core::Testo;
  for (int i = 0; i < 2; ++i) lblTbs(i)->SetCaption(Testo(83));
  pnlFreddo->SetCaption(Testo(62));
  pnlCaldo->SetCaption(Testo(65));
  lbltbu->SetCaption(Testo(81));
  lblUR->SetCaption(Testo(85));
  chkKQ->SetCaption(Testo(14));
  lblVel->SetCaption(Testo(86));
  DidascalieBase();  // water, glycol, pressure, sound, legend, directivity list
  FinestraSelezione::Form_Load();  // model label, buttons, centring
  const std::string& serieCaricata = catalogo::Catalogo().SerieCorrente;
  if (serieCaricata == "KALVO" || serieCaricata == "KALVOP")
    lblLegDes(16)->SetCaption(Testo(172));
  frmZepa->setVisible(false);

  cboVel->AddItem(Testo(84));
  if (serieCaricata == "KALVOP") {
    for (const char* v : {"1", "2", "3", "4", "5", "6"}) cboVel->AddItem(QString::fromLatin1(v));
  } else {
    for (const char* v : {"Min", "Med", "Max"}) cboVel->AddItem(QString::fromLatin1(v));
  }
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

void FormDatiP::txtTsa1_LostFocus(int i) {
  if (VersoChiusura()) return;
  if (i == 0)
    Controlla(txtTsa1(0), 18, 33, QStringLiteral("°C"), false);
  else
    Controlla(txtTsa1(1), -10, 30, QStringLiteral("°C"), true);
}

void FormDatiP::txtTbu_LostFocus() {
  if (VersoChiusura()) return;
  RegolaBulboUmido(txtTbu, txtTsa1(0), txtUr);
}

void FormDatiP::txtUr_LostFocus() { RegolaUmidita(txtUr, txtTsa1(0), txtTbu, 20, 98); }

void FormDatiP::txtTw1_LostFocus(int i) { ControllaTw1(i); }

void FormDatiP::txtTw2_LostFocus(int i) { RegolaUscitaAcqua(i); }

void FormDatiP::txtQw_LostFocus(int i) {
  if (Positivo(txtQw(i))) {
    chkComeFreddo->SetValue(0);
    if (Positivo(txtTw2(i))) txtTw2(i)->SetText(QString());
  }
  const float massimo = core::Fattore(core::Grandezza::PortataAcqua) * 3000.0f / 3600000.0f;
  Controlla(txtQw(i), 0, massimo, core::NomeUnita(core::Grandezza::PortataAcqua), false);
}

void FormDatiP::txtGlic_LostFocus() { ControllaGlicole(); }

void FormDatiP::txtpsu_LostFocus() {
  Controlla(txtpsu, 0, 80.0f * core::Fattore(core::Grandezza::PerditaAria),
            core::NomeUnita(core::Grandezza::PerditaAria), true);
}

// ---- Input check ----

unita::Condizioni FormDatiP::LeggiCondizioni() const {
  unita::Condizioni k;
  LeggiCondizioniComuni(k);
  for (int i = 0; i < 2; ++i) k.TaRicircolo[i] = NumeroOZero(txtTsa1(i));
  k.URRicircolo = NumeroOZero(txtUr);
  k.ComeFreddo = chkComeFreddo->Value() != 0;
  k.QuattroTubi = chkKQ->Value() != 0;
  return k;
}

plat::TextBox* FormDatiP::Casella(unita::Casella c, int p) {
  switch (c) {
    case unita::Casella::Tsa1: return txtTsa1(p);
    case unita::Casella::Ur: return txtUr;
    default: return FinestraSelezione::Casella(c, p);
  }
}

int FormDatiP::ControllaDati() {
  const unita::Condizioni k = LeggiCondizioni();
  unita::Valutazione u(unita::Stato(), unita::Costanti(), k);
  const unita::Esito e = u.ControllaSingola(unita::Stato().FlagPassaggio);
  if (!e.Passato()) Rifiuta(e);
  return e.Valore();
}

// ---- Grid heading ----

void FormDatiP::CalcolaIntestazione() {
  const std::string& serieCaricata = catalogo::Catalogo().SerieCorrente;
  const bool conPin = serieCaricata == "KALVO" || serieCaricata == "KALVOP";
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
  const QString& sep = core::imp.SepDec;

  CalcolaIntestazione();
  unita::Stato().FlagBassaPerdita = motore::Falso;
  // District cooling needs a water temperature rise of at least 8 K, when
  // the outlet temperature is the given quantity.
  if (core::imp.FlagDistrict && Positivo(txtTw2(0))) {
    const double tw1 = core::Numero(txtTw1(0)->Text(), sep), tw2 = core::Numero(txtTw2(0)->Text(), sep);
    if (tw2 - tw1 < 8) {
      plat::MsgBox(QStringLiteral("Delta T in cooling mode must be > 8°C"));
      return;
    }
  }
  const float pressione = LeggiPressioneUtile();

  // Models and speeds.
  const unita::Scelta scelta = unita::ModelliScelti(unita::TipoCorsa::FanCoil, cboModel->ListIndex(),
                                                    cboModel->Text().toStdString(), cat.NModelli);
  if (scelta.spunta) chkKQ->SetValue(1);
  const auto [tutteVel, primaVel, ultimaVel] = VelocitaScelte(cboVel);

  unita::Condizioni k = LeggiCondizioni();
  k.PressioneUtile = pressione;
  unita::Valutazione u(unita::Stato(), unita::Costanti(), k);
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

  ChiudiCalcolo();
}

}  // namespace sel
