#include "selection/aria_mista.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "catalogue/catalogo.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "platform/messaggi.h"

namespace sel {

namespace {
constexpr int kAccessori = catalogo::kAccessoriFinestra;
// Range of the cooling humidity boxes, in per cent.
constexpr float kUmiditaMin = 10, kUmiditaMax = 95;
}  // namespace

FinestraAriaMista::FinestraAriaMista(const QString& nome, bool centra) : FinestraSelezione(nome, centra) {}

QWidget* FinestraAriaMista::CreaPannello(int i) {
  plat::Frame* p = new plat::Frame(this, i == 0 ? "pnlFreddo" : "pnlCaldo");
  (i == 0 ? pnlFreddo : pnlCaldo) = p;
  auto* g = new QGridLayout(p);
  auto gradi = [](QWidget* padre) { return new QLabel(QStringLiteral("°C"), padre); };
  auto percento = [](QWidget* padre) { return new QLabel(QStringLiteral("%"), padre); };

  // The two air streams, each in its frame.
  auto flusso = [&](bool ricircolo) {
    const char* nomeFrame =
        ricircolo ? (i == 0 ? "frmRicircoloF" : "frmRicircoloC") : (i == 0 ? "frmRinnovoF" : "FrmRinnovoC");
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

namespace {

void CaptionQuote(plat::Frame* ricircolo, plat::Frame* rinnovo, int v) {
  ricircolo->SetCaption(core::Testo(116) + QStringLiteral(" %1%").arg(std::abs(100 - v)));
  rinnovo->SetCaption(core::Testo(120) + QStringLiteral(" %1%").arg(v));
}

}  // namespace

void FinestraAriaMista::Scrollfreddo_Change() {
  ScrollCaldo->SetValue(Scrollfreddo->Value());
  CaptionQuote(frmRicircoloF, frmRinnovoF, Scrollfreddo->Value());
}

void FinestraAriaMista::MostraQuote() {
  Scrollfreddo_Change();
  CaptionQuote(frmRicircoloC, FrmRinnovoC, ScrollCaldo->Value());
}

void FinestraAriaMista::ScrollCaldo_Change() {
  Scrollfreddo->SetValue(ScrollCaldo->Value());
  CaptionQuote(frmRicircoloC, FrmRinnovoC, ScrollCaldo->Value());
}

void FinestraAriaMista::txtQw_LostFocus(int i) { RegolaPortataAcqua(i); }

void FinestraAriaMista::txtTw1_LostFocus(int i) { ControllaTw1(i); }

void FinestraAriaMista::txtTw2_LostFocus(int i) { RegolaUscitaAcqua(i); }

void FinestraAriaMista::txtTsa1ric_LostFocus(int i) {
  if (i == 0) {
    if (Scrollfreddo->Value() != 100) Controlla(txtTsa1ric(0), 16, 35, QStringLiteral("°C"), false);
  } else {
    Controlla(txtTsa1ric(1), -15, 35, QStringLiteral("°C"), true);
  }
}

void FinestraAriaMista::txtTsa1rin_LostFocus(int i) {
  if (i == 0) {
    if (Scrollfreddo->Value() >= 1) Controlla(txtTsa1rin(0), 16, 35, QStringLiteral("°C"), false);
  } else {
    Controlla(txtTsa1rin(1), -10, 30, QStringLiteral("°C"), true);
  }
}

void FinestraAriaMista::txtTburic_LostFocus() {
  RegolaBulboUmido(txtTburic, txtTsa1ric(0), txtUrric, kUmiditaMin, kUmiditaMax);
}
void FinestraAriaMista::txttburin_LostFocus() {
  RegolaBulboUmido(txttburin, txtTsa1rin(0), txturrin, kUmiditaMin, kUmiditaMax);
}
void FinestraAriaMista::txtUrric_LostFocus() {
  RegolaUmidita(txtUrric, txtTsa1ric(0), txtTburic, kUmiditaMin, kUmiditaMax);
}
void FinestraAriaMista::txturrin_LostFocus() {
  RegolaUmidita(txturrin, txtTsa1rin(0), txttburin, kUmiditaMin, kUmiditaMax);
}

void FinestraAriaMista::LeggiCondizioniAria(unita::Condizioni& k) const {
  LeggiCondizioniComuni(k);
  for (int i = 0; i < 2; ++i) {
    k.TaRicircolo[i] = NumeroOZero(txtTsa1ric(i));
    k.TaRinnovo[i] = NumeroOZero(txtTsa1rin(i));
  }
  k.URRicircolo = NumeroOZero(txtUrric);
  k.URRinnovo = NumeroOZero(txturrin);
  k.QuotaRinnovo = Scrollfreddo->Value();
  k.PressioneCasella =
      static_cast<float>(LetturaPressione().value_or(0)) / core::Fattore(core::Grandezza::PerditaAria);
  for (int i = 1; i <= kAccessori; ++i) k.Accessori[i - 1] = chkAcc(i)->Value() != 0;
  k.QuattroTubi = k.Accessori[0];
}

plat::TextBox* FinestraAriaMista::Casella(unita::Casella c, int p) {
  switch (c) {
    case unita::Casella::Tsa1ric:
      return txtTsa1ric(p);
    case unita::Casella::Tsa1rin:
      return txtTsa1rin(p);
    case unita::Casella::Urric:
      return txtUrric;
    case unita::Casella::Urrin:
      return txturrin;
    default:
      return FinestraSelezione::Casella(c, p);
  }
}

std::vector<FinestraSelezione::CasellaControllata> FinestraAriaMista::CaselleDellaCorsa() {
  const QString percento = QStringLiteral("%");
  std::vector<CasellaControllata> v{
      {NumeroOZero(txtUrric),
       [this, percento] { Controlla(txtUrric, kUmiditaMin, kUmiditaMax, percento, true); }},
      {NumeroOZero(txturrin),
       [this, percento] { Controlla(txturrin, kUmiditaMin, kUmiditaMax, percento, true); }},
      {NumeroOZero(txtTsa1ric(1)), [this] { txtTsa1ric_LostFocus(1); }},
      {NumeroOZero(txtTsa1rin(1)), [this] { txtTsa1rin_LostFocus(1); }}};
  for (const CasellaControllata& c : FinestraSelezione::CaselleDellaCorsa()) v.push_back(c);
  return v;
}

float FinestraAriaMista::PressioneMassima() const {
  const catalogo::Serie* d = SerieFinestra();
  return d ? d->pressioneMassima : 250;
}

std::span<const motore::AccessorioDP> FinestraAriaMista::AccessoriSerie() {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  return {cat.Accessori.data() + 1, static_cast<std::size_t>(std::clamp<int>(cat.NAcc, 0, kAccessori))};
}

QLayout* FinestraAriaMista::CreaPannelli() {
  auto* pannelli = new QHBoxLayout();
  pannelli->addWidget(CreaPannello(0), 1);
  pannelli->addWidget(CreaPannello(1), 1);
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
  Scrollfreddo->Change = [this] { Scrollfreddo_Change(); };
  ScrollCaldo->Change = [this] { ScrollCaldo_Change(); };
  const std::pair<plat::TextBox*, const char*> predefiniti[] = {
      {txtTsa1ric(0), "27"}, {txtTburic, "19"},     {txtUrric, "47"},  {txtTsa1rin(0), "27"},
      {txttburin, "19"},     {txturrin, "47"},      {txtTw1(0), "7"},  {txtTw2(0), "12"},
      {txtTsa1ric(1), "20"}, {txtTsa1rin(1), "20"}, {txtTw1(1), "70"}, {txtTw2(1), "60"}};
  for (const auto& [box, testo] : predefiniti) box->SetText(QString::fromLatin1(testo));
  return pannelli;
}

QWidget* FinestraAriaMista::CreaBloccoAccessori() {
  frmAccess = new plat::Frame(this, "frmAccess");
  auto* ac = new QVBoxLayout(frmAccess);
  ac->setSpacing(2);
  const catalogo::Serie& qualsiasi = catalogo::Descrittore(catalogo::Codice::RMB);
  for (int i = 1; i <= kAccessori; ++i) {
    auto* b = new plat::CheckBox(frmAccess, "chkAcc", i);
    b->SetCaption(QString::fromUtf8(qualsiasi.accessori[i - 1].codice));
    b->Click = [this, i] { chkAcc_Click(i); };
    chkAcc.Imposta(i, b);
    ac->addWidget(b);
  }
  ac->addStretch(1);
  return frmAccess;
}

void FinestraAriaMista::DidascaliePannelli() {
  using core::Testo;
  pnlFreddo->SetCaption(Testo(62));
  pnlCaldo->SetCaption(Testo(65));
  if (lblQaTot) lblQaTot->SetCaption(Testo(115));
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
  frmRicircoloF->SetCaption(Testo(116));
  frmRicircoloC->SetCaption(Testo(116));
  frmRinnovoF->SetCaption(Testo(120));
  FrmRinnovoC->SetCaption(Testo(120));
  frmAccess->SetCaption(Testo(5));
  DidascalieBase();  // water, glycol, pressure, sound, legend, directivity list

  // The accessory boxes of the series; the others are hidden.
  if (const catalogo::Serie* d = SerieFinestra()) {
    const int visibili =
        Facile() && d->accessoriVisibiliFacile > 0 ? d->accessoriVisibiliFacile : d->accessoriVisibili;
    for (int i = 1; i <= kAccessori; ++i) {
      chkAcc(i)->SetCaption(QString::fromUtf8(d->accessori[i - 1].didascalia));
      chkAcc(i)->setVisible(i <= visibili);
    }
    if (d->accessorioSpuntato > 0) chkAcc(d->accessorioSpuntato)->SetValue(1);
  }
}

void FinestraAriaMista::chkAcc_Click(int index) {
  const catalogo::Serie* d = SerieFinestra();
  if (!d || !d->filtriEsclusivi) return;
  // The two filters exclude each other.
  if (chkAcc(2)->Value() == 1 && index == 2) chkAcc(3)->SetValue(0);
  if (index == 3 && chkAcc(3)->Value() == 1) chkAcc(2)->SetValue(0);
}

void FinestraAriaMista::txtGlic_LostFocus() { ControllaGlicole(); }

void FinestraAriaMista::AvvisaSenzaPressione() const {
  if (core::ValNum(txtpsu->Text()) == 0)
    plat::MsgBox(QStringLiteral(
        "WARNING : you are calculating a ducted unit without useful static pression! be careful"));
}

}  // namespace sel
