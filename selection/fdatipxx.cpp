#include "selection/fdatipxx.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>
#include <cstdlib>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "engine/numeri.h"
#include "platform/messaggi.h"
#include "selection/celle.h"
#include "selection/unita/contesto.h"

namespace sel {

plat::Istanza<FormDatiPXX> FDatiPXX;

namespace {

constexpr int kAccessori = 10;

// Captions of the accessory boxes 1..10 by series; the boxes a series does
// not offer are hidden.
const char* const kAccessoriRMB[kAccessori] = {
    "Additional Coil (4 pipes)",
    "Filter G2(TR2)",
    "Filter G4(TR4)",
    "Electric Heater(NXW)",
    "90° connectors",
    "Connecting panel circluar ducts (VKNT Return)",
    "Connecting panel circluar ducts (VKNT Supply)",
    "Motor driven fresh air louvre (PLWO)",
    "",
    ""};
const char* const kAccessoriDVK[kAccessori] = {
    "Additional coil (4 pipes)",
    "Inlet/outlet plenum (non insutalted)",
    "Inlet/outlet plenum (insutalted)",
    "Frontal air suction plenum (non insutalted)",
    "90° inlet/outlet connetor (non insutalted)",
    "90° inlet/outlet connetor (insutalted)",
    "Motorised dumper",
    "Soud attenuator",
    "Air suction grill",
    "Outlet grill"};
const char* const kCodiciAccessori[kAccessori] = {"4 Pipe", "VUD", "VUDN", "BEK", "J27",
                                                  "J27N",   "TRUZ E", "MOK", "JX", "JV"};

}  // namespace

FormDatiPXX::FormDatiPXX() : FinestraSelezione(QStringLiteral("FDatiPXX"), true) {}

std::string FormDatiPXX::SerieFinestra() const {
  return serie.isEmpty() ? catalogo::Catalogo().SerieCorrente : serie.toStdString();
}

// ---- Layout ----

QWidget* FormDatiPXX::CreaPannello(int i) {
  plat::Frame* p = new plat::Frame(this, i == 0 ? "pnlFreddo" : "pnlCaldo");
  (i == 0 ? pnlFreddo : pnlCaldo) = p;
  auto* g = new QGridLayout(p);
  auto gradi = [](QWidget* padre) { return new QLabel(QStringLiteral("°C"), padre); };
  auto percento = [](QWidget* padre) { return new QLabel(QStringLiteral("%"), padre); };

  // The two air streams, each in its frame.
  auto flusso = [&](bool ricircolo) {
    const char* nomeFrame = ricircolo ? (i == 0 ? "frmRicircoloF" : "frmRicircoloC")
                                      : (i == 0 ? "frmRinnovoF" : "FrmRinnovoC");
    auto* fr = new plat::Frame(p, nomeFrame);
    auto* fg = new QGridLayout(fr);
    auto* l = CreaEtichetta(fr, ricircolo ? "lblTbsric" : "lblTbsrin", i);
    auto* t = CreaCasella(fr, ricircolo ? "txtTsa1ric" : "txtTsa1rin", i);
    (ricircolo ? lblTbsric : lblTbsrin).Imposta(i, l);
    (ricircolo ? txtTsa1ric : txtTsa1rin).Imposta(i, t);
    fg->addWidget(l, 0, 0);
    fg->addWidget(t, 0, 1);
    fg->addWidget(gradi(fr), 0, 2);
    if (i == 0) {
      auto* lb = CreaEtichetta(fr, ricircolo ? "lbltburic" : "lbltburin");
      auto* tb = CreaCasella(fr, ricircolo ? "txtTburic" : "txttburin");
      auto* lu = CreaEtichetta(fr, ricircolo ? "lblUrric" : "lblurrin");
      auto* tu = CreaCasella(fr, ricircolo ? "txtUrric" : "txturrin");
      (ricircolo ? lbltburic : lbltburin) = lb;
      (ricircolo ? txtTburic : txttburin) = tb;
      (ricircolo ? lblUrric : lblurrin) = lu;
      (ricircolo ? txtUrric : txturrin) = tu;
      fg->addWidget(lb, 1, 0);
      fg->addWidget(tb, 1, 1);
      fg->addWidget(gradi(fr), 1, 2);
      fg->addWidget(lu, 2, 0);
      fg->addWidget(tu, 2, 1);
      fg->addWidget(percento(fr), 2, 2);
    }
    fg->setColumnStretch(0, 1);
    return fr;
  };
  auto* aria = new QVBoxLayout();
  plat::Frame* ric = flusso(true);
  plat::Frame* rin = flusso(false);
  (i == 0 ? frmRicircoloF : frmRicircoloC) = ric;
  (i == 0 ? frmRinnovoF : FrmRinnovoC) = rin;
  aria->addWidget(ric);
  aria->addWidget(rin);
  g->addLayout(aria, 0, 0, 1, 3);

  // The share: return air at the top, fresh air at the bottom.
  auto* quota = new QVBoxLayout();
  lblRicircolo.Imposta(i, CreaEtichetta(p, "lblRicircolo", i));
  lblRinnovo.Imposta(i, CreaEtichetta(p, "lblRinnovo", i));
  auto* barra = new plat::ScrollBar(p, i == 0 ? "Scrollfreddo" : "ScrollCaldo");
  barra->setRange(0, 100);
  barra->setSingleStep(1);
  barra->setPageStep(10);
  barra->setFixedHeight(110);  // the same in both panels, whatever their rows
  (i == 0 ? Scrollfreddo : ScrollCaldo) = barra;
  quota->addWidget(lblRicircolo(i), 0, Qt::AlignHCenter);
  quota->addWidget(barra, 1, Qt::AlignHCenter);
  quota->addWidget(lblRinnovo(i), 0, Qt::AlignHCenter);
  g->addLayout(quota, 0, 3);

  // Water.
  int r = 1;
  auto riga = [&](plat::Label* l, plat::TextBox* t, QWidget* unita) {
    g->addWidget(l, r, 0);
    g->addWidget(t, r, 1);
    g->addWidget(unita, r, 2);
    ++r;
  };
  lblTw1.Imposta(i, CreaEtichetta(p, "lblTw1", i));
  txtTw1.Imposta(i, CreaCasella(p, "txtTw1", i));
  riga(lblTw1(i), txtTw1(i), gradi(p));
  lblTw2.Imposta(i, CreaEtichetta(p, "lblTw2", i));
  txtTw2.Imposta(i, CreaCasella(p, "txtTw2", i));
  riga(lblTw2(i), txtTw2(i), gradi(p));
  lblQw.Imposta(i, CreaEtichetta(p, "lblQw", i));
  txtQw.Imposta(i, CreaCasella(p, "txtQw", i));
  lblumQw.Imposta(i, CreaEtichetta(p, "lblumQw", i));
  riga(lblQw(i), txtQw(i), lblumQw(i));
  g->setColumnStretch(0, 1);
  g->setRowStretch(r, 1);
  return p;
}

void FormDatiPXX::Progetta() {
  resize(1060, 720);
  auto* lay = new QVBoxLayout(this);
  auto* pannelli = new QHBoxLayout();
  pannelli->addWidget(CreaPannello(0), 1);
  pannelli->addWidget(CreaPannello(1), 1);
  lay->addLayout(pannelli);

  // Below: sound frame; air flow, pressure and glycol; model and speed;
  // accessories; buttons.
  auto* sotto = new QHBoxLayout();
  sotto->addWidget(CreaBloccoPressione(this), 0, Qt::AlignTop);
  auto* pg = new QGridLayout();
  lblQaTot = CreaEtichetta(this, "lblQaTot");
  txtqatot = CreaCasella(this, "txtqatot");
  lblUmQA = CreaEtichetta(this, "lblUmQA");
  lblPsu = CreaEtichetta(this, "lblPsu");
  txtpsu = CreaCasella(this, "txtpsu");
  lblumDpa = CreaEtichetta(this, "lblumDpa");
  lblglic = CreaEtichetta(this, "lblglic");
  txtGlic = CreaCasella(this, "txtGlic");
  pg->addWidget(lblQaTot, 0, 0);
  pg->addWidget(txtqatot, 0, 1);
  pg->addWidget(lblUmQA, 0, 2);
  pg->addWidget(lblPsu, 1, 0);
  pg->addWidget(txtpsu, 1, 1);
  pg->addWidget(lblumDpa, 1, 2);
  pg->addWidget(lblglic, 2, 0);
  pg->addWidget(txtGlic, 2, 1);
  pg->addWidget(new QLabel(QStringLiteral("%"), this), 2, 2);
  pg->setRowStretch(3, 1);
  sotto->addLayout(pg);
  auto* mv = new QGridLayout();
  lblModello = CreaEtichetta(this, "lblModello");
  cboModel = new plat::ComboBox(this, "cboModel");
  cboModel->setMinimumWidth(150);
  lblVel = CreaEtichetta(this, "lblVel");
  cboVel = new plat::ComboBox(this, "cboVel");
  mv->addWidget(lblModello, 0, 0);
  mv->addWidget(cboModel, 0, 1);
  mv->addWidget(lblVel, 1, 0);
  mv->addWidget(cboVel, 1, 1);
  mv->setRowStretch(2, 1);
  sotto->addLayout(mv);
  frmAccess = new plat::Frame(this, "frmAccess");
  auto* ac = new QVBoxLayout(frmAccess);
  ac->setSpacing(2);
  for (int i = 1; i <= kAccessori; ++i) {
    auto* b = new plat::CheckBox(frmAccess, "chkAcc", i);
    b->SetCaption(QString::fromUtf8(kCodiciAccessori[i - 1]));
    b->Click = [this, i] { chkAcc_Click(i); };
    chkAcc.Imposta(i, b);
    ac->addWidget(b);
  }
  ac->addStretch(1);
  sotto->addWidget(frmAccess, 0, Qt::AlignTop);
  sotto->addStretch(1);
  sotto->addWidget(CreaBloccoPulsanti(this), 0, Qt::AlignTop);
  lay->addLayout(sotto);
  lay->addWidget(CreaBloccoRisultati(this), 1);

  CreaLegenda({{0, "QA"},     {1, "PT"},     {2, "PS"},      {3, "QW (C)"},  {4, "TW2 (C)"},
               {5, "DPW (C)"}, {6, "TA (C)"}, {7, "PH"},      {8, "QW (H)"},  {9, "TW2 (H)"},
               {10, "DPW (H)"}, {11, "TA (H)"}, {12, "LW"},  {13, "LP"}});

  // Handlers.
  for (int i = 0; i < 2; ++i) {
    txtTsa1ric(i)->LostFocus = [this, i] { txtTsa1ric_LostFocus(i); };
    txtTsa1rin(i)->LostFocus = [this, i] { txtTsa1rin_LostFocus(i); };
    txtTw1(i)->LostFocus = [this, i] { txtTw1_LostFocus(i); };
    txtTw2(i)->LostFocus = [this, i] { txtTw2_LostFocus(i); };
    txtQw(i)->LostFocus = [this, i] { txtQw_LostFocus(i); };
  }
  txtTburic->LostFocus = [this] { txtTburic_LostFocus(); };
  txttburin->LostFocus = [this] { txttburin_LostFocus(); };
  txtUrric->LostFocus = [this] { txtUrric_LostFocus(); };
  txturrin->LostFocus = [this] { txturrin_LostFocus(); };
  txtGlic->LostFocus = [this] { txtGlic_LostFocus(); };
  txtpsu->LostFocus = [this] { txtpsu_LostFocus(); };
  txtqatot->LostFocus = [this] { txtqatot_LostFocus(); };
  Scrollfreddo->Change = [this] { Scrollfreddo_Change(); };
  ScrollCaldo->Change = [this] { ScrollCaldo_Change(); };

  // Default texts of every opening.
  const std::pair<plat::TextBox*, const char*> predefiniti[] = {
      {txtTsa1ric(0), "27"}, {txtTburic, "19"},     {txtUrric, "47"},    {txtTsa1rin(0), "27"},
      {txttburin, "19"},     {txturrin, "47"},      {txtTw1(0), "7"},    {txtTw2(0), "12"},
      {txtTsa1ric(1), "20"}, {txtTsa1rin(1), "20"}, {txtTw1(1), "70"},   {txtTw2(1), "60"},
      {txtqatot, "0"},       {txtpsu, "0"},         {txtGlic, "0"},      {txtDistanza, "2"}};
  for (const auto& [box, testo] : predefiniti) box->SetText(QString::fromLatin1(testo));
}

void FormDatiPXX::Form_Load() {
  using core::Testo;
  if (serie.isEmpty()) serie = QString::fromStdString(catalogo::Catalogo().SerieCorrente);
  const std::string serieFinestra = SerieFinestra();

  pnlFreddo->SetCaption(Testo(62));
  pnlCaldo->SetCaption(Testo(65));
  lblQaTot->SetCaption(Testo(115));
  for (int i = 0; i < 2; ++i) {
    lblTbsric(i)->SetCaption(Testo(83));
    lblTbsrin(i)->SetCaption(Testo(83));
    lblRicircolo(i)->SetCaption(Testo(169) + QStringLiteral("100 %"));
    lblRinnovo(i)->SetCaption(Testo(170) + QStringLiteral("100 %"));
  }
  lbltburic->SetCaption(Testo(81));
  lbltburin->SetCaption(Testo(81));
  lblUrric->SetCaption(Testo(85));
  lblurrin->SetCaption(Testo(85));
  lblVel->SetCaption(Testo(86));
  frmRicircoloF->SetCaption(Testo(116));
  frmRicircoloC->SetCaption(Testo(116));
  frmRinnovoF->SetCaption(Testo(120));
  FrmRinnovoC->SetCaption(Testo(120));
  frmAccess->SetCaption(Testo(5));
  DidascalieBase();  // water, glycol, pressure, sound, legend, directivity list

  // Accessories of the series: RMB offers the additional coil and the two
  // filters (G2 ticked), DVK the additional coil alone.
  const bool rmb = serieFinestra == "RMB";
  const char* const* didascalie = rmb ? kAccessoriRMB : kAccessoriDVK;
  for (int i = 1; i <= kAccessori; ++i) chkAcc(i)->SetCaption(QString::fromUtf8(didascalie[i - 1]));
  if (rmb) chkAcc(2)->SetValue(1);
  for (int i = rmb ? 4 : 2; i <= kAccessori; ++i) chkAcc(i)->setVisible(false);

  cboVel->AddItem(Testo(84));
  if (serieFinestra == "DVK") {
    for (const char* v : {"1", "2", "3", "4", "5", "6", "7"}) cboVel->AddItem(QString::fromLatin1(v));
  } else {
    for (const char* v : {"Min", "Med", "Max"}) cboVel->AddItem(QString::fromLatin1(v));
  }
  cboVel->SetListIndex(3);
  AggiornaUnita();
  Scrollfreddo_Change();
  FinestraSelezione::Form_Load();  // model label, buttons, centring
}

void FormDatiPXX::AggiornaUnita() {
  FinestraSelezione::AggiornaUnita();
  lblUmQA->SetCaption(core::NomeUnita(core::Grandezza::PortataAria));
}

// ---- Accessories and share ----

void FormDatiPXX::chkAcc_Click(int index) {
  if (SerieFinestra() != "RMB") return;
  // The two filters exclude each other.
  if (chkAcc(2)->Value() == 1 && index == 2) chkAcc(3)->SetValue(0);
  if (index == 3 && chkAcc(3)->Value() == 1) chkAcc(2)->SetValue(0);
}

namespace {

void CaptionQuote(plat::Frame* ricircolo, plat::Frame* rinnovo, int v) {
  ricircolo->SetCaption(core::Testo(116) + QStringLiteral(" %1%").arg(std::abs(100 - v)));
  rinnovo->SetCaption(core::Testo(120) + QStringLiteral(" %1%").arg(v));
}

}  // namespace

void FormDatiPXX::Scrollfreddo_Change() {
  ScrollCaldo->SetValue(Scrollfreddo->Value());
  CaptionQuote(frmRicircoloF, frmRinnovoF, Scrollfreddo->Value());
}

void FormDatiPXX::ScrollCaldo_Change() {
  Scrollfreddo->SetValue(ScrollCaldo->Value());
  CaptionQuote(frmRicircoloC, FrmRinnovoC, ScrollCaldo->Value());
}

// ---- Lost-focus handlers ----

void FormDatiPXX::txtGlic_LostFocus() { ControllaGlicole(); }

void FormDatiPXX::txtpsu_LostFocus() {
  if (txtpsu->Text().isEmpty()) txtpsu->SetText(QStringLiteral("0"));
  if (Positivo(txtpsu)) txtqatot->SetText(QStringLiteral("0"));
  const float massimo = SerieFinestra() == "DVK" ? 80.0f : 250.0f;
  Controlla(txtpsu, 0, massimo * core::Fattore(core::Grandezza::PerditaAria),
            core::NomeUnita(core::Grandezza::PerditaAria), true);
}

void FormDatiPXX::txtqatot_LostFocus() {
  if (txtqatot->Text().isEmpty()) txtqatot->SetText(QStringLiteral("0"));
  if (Positivo(txtqatot)) txtpsu->SetText(QStringLiteral("0"));
}

void FormDatiPXX::txtQw_LostFocus(int i) {
  if (Positivo(txtTw2(i)) && Positivo(txtQw(i))) txtTw2(i)->SetText(QString());
  Controlla(txtQw(i), 0, 3000, core::NomeUnita(core::Grandezza::PortataAcqua), false);
}

void FormDatiPXX::txtTw1_LostFocus(int i) { ControllaTw1(i); }

void FormDatiPXX::txtTw2_LostFocus(int i) { RegolaUscitaAcqua(i); }

void FormDatiPXX::txtTsa1ric_LostFocus(int i) {
  if (i == 0) {
    if (Scrollfreddo->Value() != 100) Controlla(txtTsa1ric(0), 16, 35, QStringLiteral("°C"), false);
  } else {
    Controlla(txtTsa1ric(1), -15, 35, QStringLiteral("°C"), true);
  }
}

void FormDatiPXX::txtTsa1rin_LostFocus(int i) {
  if (i == 0) {
    if (Scrollfreddo->Value() >= 1) Controlla(txtTsa1rin(0), 16, 35, QStringLiteral("°C"), false);
  } else {
    Controlla(txtTsa1rin(1), -10, 30, QStringLiteral("°C"), true);
  }
}

void FormDatiPXX::txtTburic_LostFocus() { RegolaBulboUmido(txtTburic, txtTsa1ric(0), txtUrric); }
void FormDatiPXX::txttburin_LostFocus() { RegolaBulboUmido(txttburin, txtTsa1rin(0), txturrin); }
void FormDatiPXX::txtUrric_LostFocus() { RegolaUmidita(txtUrric, txtTsa1ric(0), txtTburic, 10, 95); }
void FormDatiPXX::txturrin_LostFocus() { RegolaUmidita(txturrin, txtTsa1rin(0), txttburin, 10, 95); }

// ---- Input check and air mixing ----

unita::Condizioni FormDatiPXX::LeggiCondizioni() const {
  unita::Condizioni k;
  LeggiCondizioniComuni(k);
  for (int i = 0; i < 2; ++i) {
    k.TaRicircolo[i] = NumeroOZero(txtTsa1ric(i));
    k.TaRinnovo[i] = NumeroOZero(txtTsa1rin(i));
  }
  k.URRicircolo = NumeroOZero(txtUrric);
  k.URRinnovo = NumeroOZero(txturrin);
  k.QuotaRinnovo = Scrollfreddo->Value();
  k.PressioneCasella = NumeroOZero(txtpsu) / core::Fattore(core::Grandezza::PerditaAria);
  for (int i = 1; i <= kAccessori; ++i) k.Accessori[i - 1] = chkAcc(i)->Value() != 0;
  k.QuattroTubi = k.Accessori[0];
  return k;
}

plat::TextBox* FormDatiPXX::Casella(unita::Casella c, int p) {
  switch (c) {
    case unita::Casella::Tsa1ric: return txtTsa1ric(p);
    case unita::Casella::Tsa1rin: return txtTsa1rin(p);
    case unita::Casella::Urric: return txtUrric;
    case unita::Casella::Urrin: return txturrin;
    default: return FinestraSelezione::Casella(c, p);
  }
}

int FormDatiPXX::ControllaDati(float q) {
  const unita::Condizioni k = LeggiCondizioni();
  unita::Valutazione u(unita::Stato(), unita::Costanti(), k, AccessoriSerie());
  const unita::Esito e = u.ControllaMista(unita::Stato().FlagPassaggio, q);
  if (!e.Passato()) Rifiuta(e);
  return e.Valore();
}

// ---- Fan working point ----

std::span<const motore::AccessorioDP> FormDatiPXX::AccessoriSerie() {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  return {cat.Accessori.data() + 1, static_cast<std::size_t>(std::clamp<int>(cat.NAcc, 0, kAccessori))};
}

void FormDatiPXX::CalcolaPortata(int v, int m) {
  motore::StatoCalcolo& s = unita::Stato();
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  PrefissoPressione = " ";
  if (m < 1 || m > cat.NModelli || m > catalogo::kUltimoModello || v < 1 || v > catalogo::kUltimaCurva) {
    s.PortataAria = s.PortataLibera = 0;
    s.PressioneLavoro = -1;
    return;
  }
  const unita::Condizioni k = LeggiCondizioni();
  unita::Valutazione u(s, unita::Costanti(), k, AccessoriSerie());
  PrefissoPressione = u.PuntoMisto(cat.Modelli[m], v).Prefisso;
}

// ---- Grid heading ----

void FormDatiPXX::CalcolaIntestazione() {
  const std::string serieFinestra = SerieFinestra();
  const bool conPin = serieFinestra == "RMB" || serieFinestra == "DVK";
  const bool tutteVel = cboVel->ListIndex() == 0;
  const bool portata = core::Numero(txtqatot->Text(), core::imp.SepDec) == 0;
  QStringList codici{QString()}, unita{core::Testo(40)};
  auto colonna = [&](const QString& codice, const QString& u) {
    codici << codice;
    unita << u;
  };
  if (tutteVel) colonna("Vel", QString());
  if (portata)
    colonna("QA", core::NomeUnita(core::Grandezza::PortataAria));
  else
    colonna("PSU", core::NomeUnita(core::Grandezza::PerditaAria));
  ColonneRese(codici, unita);
  if (conPin) {
    const QString db = QStringLiteral("dB(A)");
    colonna("Pin", QStringLiteral("W"));
    colonna("LW_In+R", db);
    colonna("LW_Out", db);
  }
  IntestaGriglia(codici, unita, 1300);
}

// ---- The run ----

void FormDatiPXX::cmdCalcola_Click() {
  EseguiCalcolo([this] { Calcola(); });
}

void FormDatiPXX::Calcola() {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  const QString& sep = core::imp.SepDec;

  if (core::ValNum(txtpsu->Text()) == 0)
    plat::MsgBox(QStringLiteral("WARNING : you are calculating a ducted unit without useful static pression! be careful"));
  if (txtqatot->Text().isEmpty()) txtqatot->SetText(QStringLiteral("0"));
  const double qaTot = core::Numero(txtqatot->Text(), sep);
  if (qaTot == 0) {
    lblLegSim(0)->SetCaption(QStringLiteral("QA"));
    lblLegDes(0)->SetCaption(core::Testo(49));
  } else {
    lblLegSim(0)->SetCaption(QStringLiteral("PSU"));
    lblLegDes(0)->SetCaption(core::Testo(58));
  }
  CalcolaIntestazione();
  unita::Stato().FlagBassaPerdita = motore::Falso;

  // Cooling water temperature rise, when both temperatures are given: at
  // least 8 K for district cooling, at most 8 K otherwise.
  if (Positivo(txtTw1(0)) && Positivo(txtTw2(0))) {
    const double d = core::ValNum(txtTw2(0)->Text()) - core::ValNum(txtTw1(0)->Text());
    if (core::imp.FlagDistrict && d < 8) {
      plat::MsgBox(QStringLiteral("Delta T in cooling mode must be > 8°C"));
      return;
    }
    if (!core::imp.FlagDistrict && d > 8) {
      plat::MsgBox(QStringLiteral("Delta T in cooling mode must be < 8°C"));
      return;
    }
  }
  const float pressione = LeggiPressioneUtile();

  // Models and speeds.  A "4P" unit is rated with the model before it (its
  // cooling) through the additional coil.
  const unita::Scelta scelta = unita::ModelliScelti(unita::TipoCorsa::Misto, cboModel->ListIndex(),
                                                    cboModel->Text().toStdString(), cat.NModelli);
  if (scelta.spunta) chkAcc(1)->SetValue(1);
  const auto [tutteVel, primaVel, ultimaVel] = VelocitaScelte(cboVel);

  unita::Condizioni k = LeggiCondizioni();
  k.PressioneUtile = pressione;
  k.PortataTotale = qaTot != 0 ? static_cast<float>(core::Interno(core::Grandezza::PortataAria, qaTot)) : 0.0f;
  unita::Valutazione u(unita::Stato(), unita::Costanti(), k, AccessoriSerie());
  u.IniziaCorsa();
  for (int v = primaVel; v <= ultimaVel; ++v) {
    for (int m = scelta.primo; m <= scelta.ultimo; ++m) {
      const catalogo::DatiModello& d = cat.Modelli[m];
      const unita::Riga r = u.RigaMista(d, m, v);
      if (!ProseguiCorsa(r)) return;
      if (r.fine != unita::Riga::Fine::Riga) continue;
      PrefissoPressione = r.punto.Prefisso;

      QStringList celle{QString::fromStdString(d.ModDescri)};
      if (tutteVel) celle << cboVel->List(v);
      if (qaTot == 0)
        celle << CellaPortataAria(r.punto.PortataAria);
      else
        celle << QString::fromStdString(r.punto.Prefisso) + CellaPressione(r.punto.PressioneLavoro);
      CelleRese(celle, r.rese, false);
      celle << core::TestoNumero(r.LWA, sep) << QString::number(r.LP);
      if (r.PIN > 0)
        celle << core::TestoNumero(r.PIN, sep) << core::TestoNumero(r.LWAIn, sep) << core::TestoNumero(r.LWAOut, sep);
      Grd->AddItem(Riga(celle));
    }
  }
  ChiudiCalcolo();
}

}  // namespace sel
