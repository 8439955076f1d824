#include "selection/aria_singola.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "core/testi.h"
#include "core/unita.h"

namespace sel {

namespace {
// Range of the cooling humidity box, in per cent.
constexpr float kUmiditaMin = 20, kUmiditaMax = 98;
}  // namespace

FinestraAriaSingola::FinestraAriaSingola(const QString& nome) : FinestraSelezione(nome, true) {}

QLayout* FinestraAriaSingola::CreaPannelli(bool comeFreddo) {
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
      if (comeFreddo) {
        chkComeFreddo = new plat::CheckBox(p, "chkComeFreddo");
        chkComeFreddo->SetCaption(QStringLiteral("=QW(C)"));
        g->addWidget(chkComeFreddo, r - 1, 3);
      }
      chkKQ = new plat::CheckBox(p, "chkKQ");
      g->addWidget(chkKQ, r++, 0, 1, 4);
    }
    g->setRowStretch(r, 1);
    g->setColumnStretch(0, 1);
    pannelli->addWidget(p, 1);
  }

  for (int i = 0; i < 2; ++i) {
    txtTsa1(i)->LostFocus = [this, i] { txtTsa1_LostFocus(i); };
    txtTw1(i)->LostFocus = [this, i] { txtTw1_LostFocus(i); };
    txtTw2(i)->LostFocus = [this, i] { txtTw2_LostFocus(i); };
    txtQw(i)->LostFocus = [this, i] { txtQw_LostFocus(i); };
  }
  txtTbu->LostFocus = [this] { txtTbu_LostFocus(); };
  txtUr->LostFocus = [this] { txtUr_LostFocus(); };

  const std::pair<plat::TextBox*, const char*> predefiniti[] = {
      {txtTsa1(0), "27"}, {txtTbu, "19"},     {txtUr, "47"},     {txtTw1(0), "7"},
      {txtTw2(0), "12"},  {txtTsa1(1), "20"}, {txtTw1(1), "70"}, {txtTw2(1), "60"}};
  for (const auto& [box, testo] : predefiniti) box->SetText(QString::fromLatin1(testo));
  return pannelli;
}

void FinestraAriaSingola::DidascaliePannelli() {
  using core::Testo;
  for (int i = 0; i < 2; ++i) lblTbs(i)->SetCaption(Testo(83));
  pnlFreddo->SetCaption(Testo(62));
  pnlCaldo->SetCaption(Testo(65));
  lbltbu->SetCaption(Testo(81));
  lblUR->SetCaption(Testo(85));
  chkKQ->SetCaption(Testo(14));
  DidascalieBase();  // water, glycol, pressure, sound, legend, directivity list
}

// ---- Lost-focus handlers ----

void FinestraAriaSingola::txtTsa1_LostFocus(int i) {
  if (VersoChiusura()) return;
  if (i == 0)
    Controlla(txtTsa1(0), 18, 33, QStringLiteral("°C"), false);
  else
    Controlla(txtTsa1(1), -10, 30, QStringLiteral("°C"), true);
}

void FinestraAriaSingola::txtTbu_LostFocus() {
  if (VersoChiusura()) return;
  RegolaBulboUmido(txtTbu, txtTsa1(0), txtUr, kUmiditaMin, kUmiditaMax);
}

void FinestraAriaSingola::txtUr_LostFocus() {
  RegolaUmidita(txtUr, txtTsa1(0), txtTbu, kUmiditaMin, kUmiditaMax);
}

void FinestraAriaSingola::txtTw1_LostFocus(int i) { ControllaTw1(i); }

void FinestraAriaSingola::txtTw2_LostFocus(int i) { RegolaUscitaAcqua(i); }

void FinestraAriaSingola::txtQw_LostFocus(int i) { RegolaPortataAcqua(i); }

void FinestraAriaSingola::txtGlic_LostFocus() { ControllaGlicole(); }

void FinestraAriaSingola::txtpsu_LostFocus() { ControllaPressione(); }

// ---- Input check ----

void FinestraAriaSingola::LeggiCondizioniAria(unita::Condizioni& k) const {
  LeggiCondizioniComuni(k);
  for (int i = 0; i < 2; ++i) k.TaRicircolo[i] = NumeroOZero(txtTsa1(i));
  k.URRicircolo = NumeroOZero(txtUr);
  k.ComeFreddo = chkComeFreddo && chkComeFreddo->Value() != 0;
  k.QuattroTubi = chkKQ->Value() != 0;
}

std::vector<FinestraSelezione::CasellaControllata> FinestraAriaSingola::CaselleDellaCorsa() {
  std::vector<CasellaControllata> v{
      {NumeroOZero(txtTsa1(0)), [this] { txtTsa1_LostFocus(0); }},
      {NumeroOZero(txtUr), [this] { Controlla(txtUr, kUmiditaMin, kUmiditaMax, QStringLiteral("%"), true); }},
      {NumeroOZero(txtTsa1(1)), [this] { txtTsa1_LostFocus(1); }}};
  for (const CasellaControllata& c : FinestraSelezione::CaselleDellaCorsa()) v.push_back(c);
  return v;
}

plat::TextBox* FinestraAriaSingola::Casella(unita::Casella c, int p) {
  switch (c) {
    case unita::Casella::Tsa1:
      return txtTsa1(p);
    case unita::Casella::Ur:
      return txtUr;
    default:
      return FinestraSelezione::Casella(c, p);
  }
}

}  // namespace sel
