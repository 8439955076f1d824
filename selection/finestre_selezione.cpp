#include "selection/finestre_selezione.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QPainter>
#include <QPainterPath>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/campi.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "engine/numeri.h"
#include "engine/psicrometria.h"
#include "engine/suono.h"
#include "platform/fuoco.h"
#include "platform/messaggi.h"
#include "platform/registro_corsa.h"
#include "platform/schermo.h"
#include "selection/celle.h"
#include "selection/unita/contesto.h"

namespace sel {

namespace {

// The width of an entry box (pixels) as designed.
constexpr int kLarghezzaCasella = 70;

std::function<void(FinestraSelezione&)>& ApriStampa() {
  static std::function<void(FinestraSelezione&)> f;
  return f;
}

std::function<void(FinestraSelezione&)>& Ricarica() {
  static std::function<void(FinestraSelezione&)> f;
  return f;
}

}  // namespace

void FinestraSelezione::ImpostaApriStampa(std::function<void(FinestraSelezione&)> f) {
  ApriStampa() = std::move(f);
}
void FinestraSelezione::ImpostaRicarica(std::function<void(FinestraSelezione&)> f) {
  Ricarica() = std::move(f);
}

FinestraSelezione::FinestraSelezione(const QString& nome, bool centra)
    : plat::Form(nome, Tipo::Figlia), centra_(centra) {}

// The EC windows are completed by their own classes; until then they carry
// the model list, the grid and the close button.
void FinestraSelezione::Progetta() {
  resize(900, 560);
  auto* lay = new QVBoxLayout(this);
  auto* alto = new QHBoxLayout();
  lblModello = CreaEtichetta(this, "lblModello");
  cboModel = new plat::ComboBox(this, "cboModel");
  cboModel->setMinimumWidth(180);
  alto->addWidget(lblModello);
  alto->addWidget(cboModel);
  alto->addStretch(1);
  alto->addWidget(CreaBloccoPulsanti(this));
  lay->addLayout(alto);
  lay->addWidget(CreaBloccoRisultati(this), 1);
  CreaLegenda({});
}

void FinestraSelezione::Form_Load() {
  // The separator rows of the model list cannot be chosen, but for those
  // the run rates as a pair.  The loader adds an entry once its model's row
  // is filled.
  if (cboModel)
    connect(cboModel->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int da, int a) {
              for (int i = da; i <= a; ++i)
                if (cboModel->List(i) == QLatin1String(catalogo::kSeparatore) && !SeparatoreSceglibile(i))
                  cboModel->DisabilitaVoce(i);
            });
  if (lblModello) lblModello->SetCaption(core::Testo(40));
  if (CmdFine) {
    CmdFine->SetCaption(core::Testo(30));
    CmdFine->setToolTip(core::Testo(67));
  }
  if (cmdCalcola) {
    cmdCalcola->SetCaption(core::Testo(15));
    cmdCalcola->setToolTip(core::Testo(15));
  }
  if (cmdStampa) cmdStampa->SetCaption(core::Testo(74));
  if (centra_) core::CentraForm(this);
}

void FinestraSelezione::DidascalieBase() {
  using core::Testo;
  for (int i = 0; i < 2; ++i) {
    lblTw1(i)->SetCaption(Testo(82));
    lblTw2(i)->SetCaption(Testo(94));
    lblQw(i)->SetCaption(Testo(48));
    txtTw2(i)->SetTag(Testo(22));
    txtQw(i)->SetTag(Testo(23));
  }
  lblglic->SetCaption(Testo(95));
  lblPsu->SetCaption(Testo(58));
  txtpsu->SetTag(Testo(63));
  frmPressione->SetCaption(Testo(57));
  lblDistanza->SetCaption(Testo(157) + QStringLiteral(" (mt)"));
  lblDirezione->SetCaption(Testo(158));
  const QString raff = QStringLiteral("(") + Testo(62) + QStringLiteral(")");
  const QString risc = QStringLiteral("(") + Testo(65) + QStringLiteral(")");
  const std::pair<int, QString> legenda[] = {
      {0, Testo(49)},        {1, Testo(55)},        {2, Testo(52)},         {3, Testo(48) + raff},
      {4, Testo(94) + raff}, {5, Testo(45) + raff}, {6, Testo(96) + raff},  {7, Testo(159)},
      {8, Testo(48) + risc}, {9, Testo(94) + risc}, {10, Testo(45) + risc}, {11, Testo(96) + risc},
      {12, Testo(53)},       {13, Testo(57)}};
  for (const auto& [k, t] : legenda) lblLegDes(k)->SetCaption(t);
  for (const char* d : {"2", "4", "8"}) cboDirezione->AddItem(QString::fromLatin1(d));
  cboDirezione->SetListIndex(0);
}

void FinestraSelezione::Form_Unload() {}

void FinestraSelezione::closeEvent(QCloseEvent* e) {
  // A window closes only between runs.
  if (inCalcolo_) {
    e->ignore();
    return;
  }
  plat::Form::closeEvent(e);
}

// ---- Builders ----

plat::TextBox* FinestraSelezione::CreaCasella(QWidget* padre, const QString& nome, int indice) {
  auto* t = new plat::TextBox(padre, nome, indice);
  t->setMaximumWidth(kLarghezzaCasella);
  t->setAlignment(Qt::AlignRight);
  t->GotFocus = [t] { core::SelezionaTesto(t); };
  return t;
}

plat::Label* FinestraSelezione::CreaEtichetta(QWidget* padre, const QString& nome, int indice) {
  return new plat::Label(padre, nome, indice);
}

QWidget* FinestraSelezione::CreaBloccoPressione(QWidget* padre) {
  frmPressione = new plat::Frame(padre, "frmPressione");
  auto* g = new QGridLayout(frmPressione);
  lblDistanza = CreaEtichetta(frmPressione, "lblDistanza");
  txtDistanza = new plat::TextBox(frmPressione, "txtDistanza");
  txtDistanza->setMaximumWidth(70);
  txtDistanza->setAlignment(Qt::AlignRight);
  txtDistanza->SetText("2");
  lblDirezione = CreaEtichetta(frmPressione, "lblDirezione");
  cboDirezione = new plat::ComboBox(frmPressione, "cboDirezione");
  g->addWidget(lblDistanza, 0, 0);
  g->addWidget(txtDistanza, 0, 1);
  g->addWidget(lblDirezione, 1, 0);
  g->addWidget(cboDirezione, 1, 1);
  return frmPressione;
}

QGridLayout* FinestraSelezione::CreaBloccoPressioneGlicole(bool conPortata) {
  auto* pg = new QGridLayout();
  int r = 0;
  auto riga = [&](plat::Label* l, plat::TextBox* t, QWidget* u) {
    pg->addWidget(l, r, 0);
    pg->addWidget(t, r, 1);
    pg->addWidget(u, r, 2);
    ++r;
  };
  if (conPortata) {
    lblQaTot = CreaEtichetta(this, "lblQaTot");
    txtqatot = CreaCasella(this, "txtqatot");
    lblUmQA = CreaEtichetta(this, "lblUmQA");
    riga(lblQaTot, txtqatot, lblUmQA);
  }
  lblPsu = CreaEtichetta(this, "lblPsu");
  txtpsu = CreaCasella(this, "txtpsu");
  lblumDpa = CreaEtichetta(this, "lblumDpa");
  riga(lblPsu, txtpsu, lblumDpa);
  lblglic = CreaEtichetta(this, "lblglic");
  txtGlic = CreaCasella(this, "txtGlic");
  riga(lblglic, txtGlic, new QLabel(QStringLiteral("%"), this));
  pg->setRowStretch(r, 1);
  txtGlic->LostFocus = [this] { ControllaGlicole(); };
  for (plat::TextBox* box : {txtqatot, txtpsu, txtGlic})
    if (box) box->SetText(QStringLiteral("0"));
  return pg;
}

QGridLayout* FinestraSelezione::CreaBloccoModello() {
  auto* mv = new QGridLayout();
  lblModello = CreaEtichetta(this, "lblModello");
  cboModel = new plat::ComboBox(this, "cboModel");
  cboModel->setMinimumWidth(170);
  mv->addWidget(lblModello, 0, 0);
  mv->addWidget(cboModel, 0, 1);
  return mv;
}

void FinestraSelezione::CreaListaLivelli(QGridLayout* blocco) {
  lblVel = CreaEtichetta(this, "lblVel");
  lblVel->SetCaption(QStringLiteral("Velocita' funzionamento"));
  cboVel = new plat::ComboBox(this, "cboVel");
  for (const char* livello : {"Min", "Med", "Max"}) cboVel->AddItem(QString::fromLatin1(livello));
  cboVel->SetListIndex(2);
  const int riga = blocco->rowCount();
  blocco->addWidget(lblVel, riga, 0);
  blocco->addWidget(cboVel, riga, 1);
}

namespace {

// A control shown only after a run keeps its place while hidden, so that
// nothing moves under the pointer when it appears.
void TieniIlPosto(QWidget* w) {
  QSizePolicy p = w->sizePolicy();
  p.setRetainSizeWhenHidden(true);
  w->setSizePolicy(p);
  w->setVisible(false);
}

// The chart button's picture: a fan curve falling across a system curve.
QIcon IconaGrafico() {
  QPixmap p(32, 32);
  p.fill(Qt::white);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(QPen(Qt::black, 1.5));
  g.drawLine(4, 28, 29, 28);
  g.drawLine(4, 28, 4, 3);
  QPainterPath ventilatore(QPointF(4, 7));
  ventilatore.quadTo(QPointF(22, 6), QPointF(28, 27));
  g.setPen(QPen(QColor(0, 0, 160), 2));
  g.drawPath(ventilatore);
  QPainterPath impianto(QPointF(4, 28));
  impianto.quadTo(QPointF(18, 26), QPointF(27, 6));
  g.setPen(QPen(QColor(180, 0, 0), 2));
  g.drawPath(impianto);
  return QIcon(p);
}

}  // namespace

QWidget* FinestraSelezione::CreaBloccoPulsanti(QWidget* padre, bool conGrafico) {
  auto* w = new QWidget(padre);
  auto* v = new QVBoxLayout(w);
  v->setContentsMargins(0, 0, 0, 0);
  if (conGrafico) {
    cmdGrafico = new plat::CommandButton(w, "cmdGrafico");
    cmdGrafico->setIcon(IconaGrafico());
    cmdGrafico->setIconSize(QSize(32, 32));
    TieniIlPosto(cmdGrafico);
    v->addWidget(cmdGrafico, 0, Qt::AlignHCenter);
  }
  cmdCalcola = new plat::CommandButton(w, "cmdCalcola");
  cmdStampa = new plat::CommandButton(w, "cmdStampa");
  CmdFine = new plat::CommandButton(w, "CmdFine");
  for (auto* b : {cmdCalcola, cmdStampa, CmdFine}) {
    b->setMinimumWidth(110);
    v->addWidget(b);
  }
  cmdCalcola->Click = [this] { cmdCalcola_Click(); };
  cmdStampa->Click = [this] { cmdStampa_Click(); };
  cmdStampa->setEnabled(static_cast<bool>(ApriStampa()));
  CmdFine->Click = [this] { CmdFine_Click(); };
  return w;
}

QWidget* FinestraSelezione::CreaBloccoRisultati(QWidget* padre) {
  auto* w = new QWidget(padre);
  auto* g = new QGridLayout(w);
  g->setContentsMargins(0, 0, 0, 0);
  // A fixed spacing: the style's spacing above a frame would make the
  // legend panel, when shown, take height from the boxes above.
  g->setVerticalSpacing(0);
  Grd = new plat::Griglia(w, "Grd");
  Grd->setMinimumHeight(200);
  Grd->DblClick = [this] { Grd_DblClick(); };
  Grd->KeyPress = [this](int& k) { Grd_KeyPress(k); };
  corsa_ = new plat::RegistroCorsa(*this, *Grd, kRigheIntestazione);
  cmdLegend = new plat::CommandButton(w, "cmdLegend");
  cmdLegend->SetCaption(QStringLiteral("Legenda"));
  TieniIlPosto(cmdLegend);
  cmdLegend->Click = [this] { cmdLegend_Click(); };
  // The legend lies over the grid, in no layout: it never takes room from
  // the boxes above, and its rows keep their whole height in any language.
  PanLegend = new plat::Frame(this, "PanLegend");
  PanLegend->setVisible(false);
  PanLegend->setAutoFillBackground(true);
  PanLegend->installEventFilter(this);
  Grd->installEventFilter(this);
  g->addWidget(Grd, 1, 0, 1, 2);
  g->addWidget(cmdLegend, 0, 0, Qt::AlignLeft);
  g->setColumnStretch(1, 1);
  return w;
}

void FinestraSelezione::CreaLegenda(const std::vector<std::pair<int, QString>>& simboli) {
  auto* g = new QGridLayout(PanLegend);
  g->setVerticalSpacing(1);
  g->setSizeConstraint(QLayout::SetFixedSize);  // the panel follows its rows' captions
  int riga = 0;
  for (const auto& [k, simbolo] : simboli) {
    auto* s = CreaEtichetta(PanLegend, "lblLegSim", k);
    s->SetCaption(simbolo);
    QFont f = s->font();
    f.setBold(true);
    s->setFont(f);
    auto* uguale = new QLabel(QStringLiteral("="), PanLegend);
    auto* d = CreaEtichetta(PanLegend, "lblLegDes", k);
    for (QWidget* x : {static_cast<QWidget*>(s), static_cast<QWidget*>(uguale), static_cast<QWidget*>(d)})
      x->installEventFilter(this);
    lblLegSim.Imposta(k, s);
    lblLegDes.Imposta(k, d);
    g->addWidget(s, riga, 0);
    g->addWidget(uguale, riga, 1);
    g->addWidget(d, riga, 2);
    ++riga;
  }
}

std::vector<std::pair<int, QString>> FinestraSelezione::SimboliLegenda(
    std::vector<std::pair<int, QString>> propri) {
  std::vector<std::pair<int, QString>> v{{0, "QA"},      {1, "PT"},      {2, "PS"},       {3, "QW (C)"},
                                         {4, "TW2 (C)"}, {5, "DPW (C)"}, {6, "TA (C)"},   {7, "PH"},
                                         {8, "QW (H)"},  {9, "TW2 (H)"}, {10, "DPW (H)"}, {11, "TA (H)"},
                                         {12, "LW"},     {13, "LP"}};
  v.insert(v.end(), propri.begin(), propri.end());
  return v;
}

bool FinestraSelezione::eventFilter(QObject* o, QEvent* e) {
  // A click anywhere on the legend panel hides it.
  if (e->type() == QEvent::MouseButtonRelease && PanLegend &&
      (o == PanLegend || (o->isWidgetType() && PanLegend->isAncestorOf(static_cast<QWidget*>(o))))) {
    PanLegend_Click();
    return true;
  }
  if (o == Grd && (e->type() == QEvent::Resize || e->type() == QEvent::Move)) PosizionaLegenda();
  return plat::Form::eventFilter(o, e);
}

// ---- Shared handlers ----

void FinestraSelezione::Grd_DblClick() {
  Grd->SetCol(0);
  const QString testo = Grd->TextMatrix(Grd->Row(), 0);
  if (testo.isEmpty()) return;
  for (int i = 1; i < cboModel->ListCount(); ++i)
    if (cboModel->List(i) == testo) cboModel->SetListIndex(i);  // the last match wins
}

void FinestraSelezione::Grd_KeyPress(int& keyAscii) {
  if (keyAscii != 3) return;
  plat::ImpostaTestoAppunti(QString());
  const int ultimaCol = std::max(Grd->Col(), Grd->ColSel());
  // The two heading rows are copied first anyway, also while they are not
  // fixed (a run that added no row): a selection over them does not repeat them.
  const int da = std::max(std::min(Grd->Row(), Grd->RowSel()), 2);
  const int a = std::max(Grd->Row(), Grd->RowSel());
  QString testo;
  auto copiaRiga = [&](int r) {
    for (int c = 0; c <= ultimaCol; ++c) testo += Grd->TextMatrix(r, c) + QLatin1Char('\t');
    testo += QLatin1Char('\n');
  };
  copiaRiga(0);
  copiaRiga(1);
  for (int r = da; r <= a; ++r) copiaRiga(r);
  Grd->SetRow(a);
  Grd->SetCol(ultimaCol);
  plat::ImpostaTestoAppunti(testo);
}

void FinestraSelezione::CmdFine_Click() {
  if (inCalcolo_) return;
  Scarica();
}

void FinestraSelezione::cmdLegend_Click() {
  PanLegend->setVisible(!PanLegend->isVisible());
  PosizionaLegenda();
}

void FinestraSelezione::PosizionaLegenda() {
  if (!PanLegend->isVisible()) return;
  PanLegend->adjustSize();
  // At the grid's top left corner, moved up (and left) where the window
  // leaves it too little room below.
  QPoint p = Grd->mapTo(this, QPoint(0, 0));
  p.setY(std::max(0, std::min(p.y(), height() - PanLegend->height())));
  p.setX(std::max(0, std::min(p.x(), width() - PanLegend->width())));
  PanLegend->move(p);
  PanLegend->raise();
}

void FinestraSelezione::PanLegend_Click() { PanLegend->setVisible(false); }

void FinestraSelezione::cmdStampa_Click() {
  if (ApriStampa() && !inCalcolo_) ApriStampa()(*this);
}

bool FinestraSelezione::Form_KeyPress(int& keyAscii, QWidget* controllo) {
  if (keyAscii == 13) {
    if (qobject_cast<plat::Griglia*>(controllo)) return false;
    // Enter on a button that has the focus presses it.
    if (auto* b = qobject_cast<plat::CommandButton*>(controllo)) {
      if (b->isEnabled()) b->click();
      return true;
    }
    focusNextChild();
    return true;
  }
  if (keyAscii == 44 || keyAscii == 46) {
    if (core::imp.SepDec == QLatin1String(".")) keyAscii = 46;
    if (core::imp.SepDec == QLatin1String(",")) keyAscii = 44;
  }
  return false;
}

const catalogo::Serie* FinestraSelezione::SerieFinestra() const {
  return catalogo::TrovaSerie(serie.isEmpty() ? catalogo::Catalogo().SerieCorrente : serie.toStdString());
}

void FinestraSelezione::AggiornaUnita() {
  for (const auto& [i, l] : lblumQw.Elementi()) l->SetCaption(core::NomeUnita(core::Grandezza::PortataAcqua));
  if (lblumDpa) lblumDpa->SetCaption(core::NomeUnita(core::Grandezza::PerditaAria));
  if (lblUmQA) lblUmQA->SetCaption(core::NomeUnita(core::Grandezza::PortataAria));
}

void FinestraSelezione::UnitaCambiate(const core::UnitaMisura& prima) {
  using core::Grandezza;
  // Each box read as the window's run reads it: a text the run refuses, or
  // one it reads as 0, stays as it was typed.
  auto riscrivi = [&prima](plat::TextBox* box, Grandezza g, std::optional<double> v) {
    if (!box || !v || *v == 0 || !std::isfinite(*v) || core::Fattore(g, prima) == core::Fattore(g)) return;
    box->SetText(core::Riscrivi(g, *v, prima));
    // The number shows whole, from its first digit: a box too narrow for
    // it widens as far as it needs (and back when the number is short).
    const int w = box->LarghezzaDelTesto();
    box->setMinimumWidth(w > kLarghezzaCasella ? w : 0);
    box->setMaximumWidth(std::max(w, kLarghezzaCasella));
    box->setCursorPosition(0);
  };
  for (const auto& [i, box] : txtQw.Elementi())
    riscrivi(box, Grandezza::PortataAcqua, LetturaPortataAcqua(i));
  riscrivi(txtqatot, Grandezza::PortataAria, LetturaPortataTotale());
  riscrivi(txtpsu, Grandezza::PerditaAria, LetturaPressione());
  AggiornaUnita();
  if (Grd) {
    Grd->SetRows(0);
    Grd->SetFixedRows(0);
  }
  if (cmdGrafico) cmdGrafico->setVisible(false);
}

// ---- Entry-box rules ----

bool FinestraSelezione::Positivo(const plat::TextBox* box) const {
  return box && core::ValNum(box->Text()) > 0;
}

bool FinestraSelezione::Controlla(plat::TextBox* box, float minimo, float massimo, const QString& unita,
                                  bool zeroAmmesso) {
  const bool esito = core::ControllaValore(box, minimo, massimo, unita, zeroAmmesso);
  esitoControllo_ = esito ? motore::Vero : motore::Falso;
  return esito;
}

bool FinestraSelezione::VersoChiusura() const {
  QWidget* r = plat::Fuoco::Ricevente();
  return r && r == CmdFine;
}

void FinestraSelezione::RegolaUscitaAcqua(int i) {
  if (VersoChiusura()) return;
  plat::TextBox* tw2 = txtTw2(i);
  plat::TextBox* tw1 = txtTw1(i);
  if (Positivo(tw2)) {
    UscitaAcquaData(i);
    if (Positivo(txtQw(i))) txtQw(i)->SetText(QString());
  }
  if (Positivo(tw1) && Positivo(tw2)) {
    const double entrata = core::ValNum(tw1->Text()), uscita = core::ValNum(tw2->Text());
    const bool sbagliata = i == 0 ? !(uscita > entrata) : !(uscita < entrata);
    if (sbagliata) {
      plat::MsgBox(core::Testo(i == 0 ? 111 : 102), plat::Icona::Critica);
      tw2->SetFocus();
    }
  }
}

namespace {

QString Formato1(double v) { return core::Formatta(v, QStringLiteral("##.0"), core::imp.SepDec); }

// The humidity of dry bulb d and wet bulb b, nothing where the moist-air
// routines give no state (an error of theirs, or no humidity above 0 and
// up to 100).
std::optional<float> UmiditaDi(double d, double b) {
  try {
    const float h = motore::UmiditaRelativa(static_cast<float>(d), static_cast<float>(b));
    if (std::isfinite(h) && h > 0 && h <= 100) return h;
  } catch (const motore::ErroreCalcolo&) {
  }
  return std::nullopt;
}

// The wet bulb of dry bulb d at humidity h, nothing where the search finds none.
std::optional<float> BulboDi(double d, double h) {
  motore::StatoCalcolo prova;  // a box's check leaves the run's state alone
  try {
    const float b = motore::BulboUmidoDaUR(static_cast<float>(d), static_cast<float>(h), prova);
    if (h == 100 || std::fabs(static_cast<double>(prova.URCalcolata) - h) <= 0.001) return b;
  } catch (const motore::ErroreCalcolo&) {
  }
  return std::nullopt;
}

}  // namespace

void FinestraSelezione::RifiutaAria(plat::TextBox* lasciata, plat::TextBox* derivata, float minimo,
                                    float massimo) {
  plat::MsgBox(core::TestoCampo(minimo, massimo, QStringLiteral("%")), plat::Icona::Critica);
  derivata->SetText(QString());
  lasciata->SetText(QString());
  lasciata->SetFocus();
}

void FinestraSelezione::RegolaBulboUmido(plat::TextBox* b, plat::TextBox* d, plat::TextBox* h, float minimo,
                                         float massimo) {
  if (!Positivo(b) || !Positivo(d)) return;
  const double umido = core::ValNum(b->Text()), secco = core::ValNum(d->Text());
  if (umido >= secco) {
    plat::MsgBox(core::Testo(110), plat::Icona::Critica);
    h->SetText(QString());
    b->SetFocus();
    return;
  }
  if (const auto u = UmiditaDi(secco, umido))
    h->SetText(Formato1(*u));
  else
    RifiutaAria(b, h, minimo, massimo);
}

void FinestraSelezione::RegolaUmidita(plat::TextBox* h, plat::TextBox* d, plat::TextBox* b, float minimo,
                                      float massimo) {
  const bool reimpostata = Controlla(h, minimo, massimo, QStringLiteral("%"), true);
  if (Positivo(h) && !reimpostata) {
    const auto bulbo = BulboDi(core::ValNum(d->Text()), core::ValNum(h->Text()));
    if (!bulbo) {
      RifiutaAria(h, b, minimo, massimo);
      return;
    }
    b->SetText(Formato1(*bulbo));
  }
  // Emptied: filled again from the wet bulb, where that gives a humidity.
  if (Positivo(d) && Positivo(b) && core::ValNum(h->Text()) == 0) {
    if (const auto u = UmiditaDi(core::ValNum(d->Text()), core::ValNum(b->Text()))) h->SetText(Formato1(*u));
  }
}

void FinestraSelezione::ControllaTw1(int i) {
  if (i == 0)
    Controlla(txtTw1(0), core::imp.FlagDistrict ? 4 : 5, 20, QStringLiteral("°C"), false);
  else
    Controlla(txtTw1(1), 30, 95, QStringLiteral("°C"), false);
}

void FinestraSelezione::ControllaGlicole() { Controlla(txtGlic, 0, 60, QStringLiteral("%"), true); }

void FinestraSelezione::RegolaPortataAcqua(int i) {
  if (Positivo(txtTw2(i)) && Positivo(txtQw(i))) txtTw2(i)->SetText(QString());
  ControllaPortataAcqua(i);
}

void FinestraSelezione::ControllaPortataAcqua(int i) {
  Controlla(txtQw(i), 0, 3000, core::NomeUnita(core::Grandezza::PortataAcqua), false);
}

std::vector<FinestraSelezione::CasellaControllata> FinestraSelezione::CaselleDellaCorsa() {
  std::vector<CasellaControllata> v;
  for (int i = 0; i < 2; ++i) {
    if (txtTw1(i)) v.push_back({NumeroOZero(txtTw1(i)), [this, i] { ControllaTw1(i); }});
    if (txtQw(i)) v.push_back({LetturaPortataAcqua(i), [this, i] { ControllaPortataAcqua(i); }});
  }
  if (txtGlic) v.push_back({NumeroOZero(txtGlic), [this] { ControllaGlicole(); }});
  return v;
}

bool FinestraSelezione::CaselleFuoriCampo() {
  if (core::imp.SenzaLimiti) return false;
  for (const CasellaControllata& c : CaselleDellaCorsa()) {
    if (c.valore == 0) continue;
    esitoControllo_ = motore::Falso;
    c.controllo();
    if (esitoControllo_ == motore::Vero) return true;
  }
  return false;
}

void FinestraSelezione::ControllaPressione() {
  const float limite = PressioneMassima() * core::Fattore(core::Grandezza::PerditaAria);
  const QString unita = core::NomeUnita(core::Grandezza::PerditaAria);
  // Letters are no pressure: refused as out of range, although 0 is allowed.
  if (!LetturaPressione()) {
    esitoControllo_ = core::RifiutaValore(txtpsu, 0, limite, unita) ? motore::Vero : motore::Falso;
    return;
  }
  Controlla(txtpsu, 0, limite, unita, true);
}

float FinestraSelezione::PressioneMassima() const {
  const catalogo::Serie* d = SerieFinestra();
  return d ? d->pressioneMassima : 80;
}

bool FinestraSelezione::SaltoTermicoAmmesso(bool limitato) const {
  // Only a run given both cooling water temperatures has a rise to check.
  if (!Positivo(txtTw1(0)) || !Positivo(txtTw2(0))) return true;
  const double d = core::ValNum(txtTw2(0)->Text()) - core::ValNum(txtTw1(0)->Text());
  if (core::imp.FlagDistrict && d < 8) {
    plat::MsgBox(QStringLiteral("Delta T in cooling mode must be > 8°C"));
    return false;
  }
  if (limitato && !core::imp.FlagDistrict && d > 8) {
    plat::MsgBox(QStringLiteral("Delta T in cooling mode must be < 8°C"));
    return false;
  }
  return true;
}

// ---- Runs ----

void FinestraSelezione::CalcolaIntestazioneEC(int larghezzaPrima, bool facile) {
  QStringList codici{QString()}, unita{core::Testo(40)};
  if (facile) {
    codici << QStringLiteral("Qa");
    unita << core::NomeUnita(core::Grandezza::PortataAria);
  } else {
    codici << QStringLiteral("SPEED") << QStringLiteral("Vin");
    unita << QStringLiteral("RPM") << QStringLiteral("V");
  }
  ColonneRese(codici, unita);
  codici << QStringLiteral("Pin");
  unita << QStringLiteral("W");
  IntestaGriglia(codici, unita, larghezzaPrima, 695);
}

float FinestraSelezione::PortataRichiesta() {
  const float q =
      static_cast<float>(core::Interno(core::Grandezza::PortataAria, LetturaPortataTotale().value_or(0)));
  if (PortataOltreOgniUnita(q)) return 0;
  // "nolimits": a flow below 0 is rated too (no model delivers it).
  if (q > 0 || (q < 0 && core::imp.SenzaLimiti)) return q;
  if (q < 0) {
    RifiutaPortata();
    return 0;
  }
  plat::MsgBox(QStringLiteral(" Air flow is mandatory "));
  txtqatot->setCursorPosition(0);
  txtqatot->setSelection(0, 1);
  txtqatot->SetFocus();
  return 0;
}

bool FinestraSelezione::PortataOltreOgniUnita(double q) {
  // The rating works the flow as a single, also in m3/h.
  if (std::isfinite(static_cast<float>(q) * 3600.0f)) return false;
  plat::MsgBox(core::Testo(104), plat::Icona::Critica);
  txtqatot->SetFocus();
  return true;
}

void FinestraSelezione::RifiutaPortata() {
  plat::MsgBox((lblQaTot ? lblQaTot->Caption() : core::Testo(49)) + QStringLiteral(" : ") + core::Testo(108) +
                   QStringLiteral(" > 0 ") + core::NomeUnita(core::Grandezza::PortataAria),
               plat::Icona::Critica);
  txtqatot->SetFocus();
}

void FinestraSelezione::CelleSuonoEC(QStringList& celle, float lw, float lp, bool minimo, float pin,
                                     bool umiditaUR, const unita::Rese& r) const {
  auto uno = [](double x) { return core::Formatta(x, QStringLiteral("##.0"), core::imp.SepDec); };
  const QString segno = minimo ? QStringLiteral("< ") : QString();
  celle << segno + uno(lw);
  // A row whose cooling gave no leaving humidity shows none.
  celle << (umiditaUR ? (r.URCalcolata > 0 ? uno(r.URCalcolata) : QString()) : segno + uno(lp));
  celle << uno(pin);
}

QString FinestraSelezione::RigaEC(const catalogo::DatiModello& d, const unita::RigaPortata& r,
                                  bool umiditaUR) const {
  const QString& sep = core::imp.SepDec;
  const unita::VentilatoreEC& v = r.ventilatore;
  QStringList celle{QString::fromStdString(d.ModDescri)};
  celle << QString::number(d.G[std::clamp<int>(r.curvaRiferimento, 0, catalogo::kUltimaCurva)]);
  celle << core::Formatta(unita::TensioneTroncata(v.Tensione), QStringLiteral("0.0"), sep);
  CelleRese(celle, r.rese, true);
  CelleSuonoEC(celle, v.Lw, r.LP, v.suonoMinimo, v.lavoro.Pin, umiditaUR, r.rese);
  return Riga(celle);
}

QString FinestraSelezione::RigaLivello(const catalogo::DatiModello& d, const unita::RigaLivello& r,
                                       bool ariaVuota) const {
  const unita::PuntoLivello& p = r.ventilatore.punto;
  QStringList celle{QString::fromStdString(d.ModDescri), CellaPortataAria(p.Q)};
  CelleRese(celle, r.rese, ariaVuota);
  CelleSuonoEC(celle, p.Lw, r.LP, p.suonoMinimo, p.Pin, false, r.rese);
  return Riga(celle);
}

QString FinestraSelezione::Riga(const QStringList& celle) { return celle.join(QLatin1Char('\t')); }

void FinestraSelezione::IntestaGriglia(const QStringList& codici, const QStringList& unita,
                                       int larghezzaPrima, int larghezzaAltre) {
  Grd->SetRows(1);
  Grd->SetFixedRows(0);
  Grd->SetCols(static_cast<int>(codici.size()));
  Grd->SetColWidth(0, larghezzaPrima);
  for (int i = 1; i < Grd->Cols(); ++i) {
    Grd->SetColWidth(i, larghezzaAltre);
    Grd->SetColAlignment(i, 1);
    Grd->SetFixedAlignment(i, 1);
  }
  Grd->AddItem(Riga(codici));
  Grd->AddItem(Riga(unita));
  Grd->RemoveItem(0);
  cmdLegend->setVisible(true);
  // The rows that follow are those of the model picked now; a run stopped
  // before its heading leaves the earlier rows, and their model.
  ultima_.modello = cboModel ? cboModel->ListIndex() : 0;
}

bool FinestraSelezione::RigheAlleCaselle(int m) const {
  // The record of the rows holds what their run read and ticked (nothing
  // read while the grid shows no rows).
  if (ultima_.modello != m || !corsa_) return false;
  if (corsa_->Letto(QStringLiteral("txtpsu")) != LetturaPressione() ||
      corsa_->Letto(QStringLiteral("txtqatot")) != LetturaPortataTotale())
    return false;
  for (const auto& [i, c] : chkAcc.Elementi())
    if ((c->Value() == 1) != corsa_->Spuntata(QStringLiteral("chkAcc"), i)) return false;
  return true;
}

float FinestraSelezione::PressioneDelleRighe() const {
  const std::optional<double> p = corsa_ ? corsa_->Letto(QStringLiteral("txtpsu")) : std::nullopt;
  return static_cast<float>(p.value_or(0) / core::Fattore(core::Grandezza::PerditaAria));
}

void FinestraSelezione::ColonneRese(QStringList& codici, QStringList& unita) const {
  using core::Grandezza;
  const QString potenza = core::NomeUnita(Grandezza::Potenza).right(6);
  const QString acqua = core::NomeUnita(Grandezza::PortataAcqua);
  const QString dpw = core::NomeUnita(Grandezza::PerditaAcqua);
  const QString gradi = QStringLiteral("°C"), db = QStringLiteral("dB(A)");
  auto colonna = [&](const QString& codice, const QString& u) {
    codici << codice;
    unita << u;
  };
  for (int i = 0; i < 2; ++i) {
    const bool portata = core::ValNum(txtTw2(i)->Text()) > 0;
    const QString passo = QLatin1String(i == 0 ? " (C)" : " (H)");
    if (i == 0) {
      colonna("PT", potenza);
      colonna("PS", potenza);
    } else {
      colonna("PH", potenza);
    }
    colonna((portata ? "QW" : "TW2") + passo, portata ? acqua : gradi);
    colonna("DPW" + passo, dpw);
    colonna("TA" + passo, gradi);
  }
  colonna("LW", db);
  colonna("LP", db);
}

void FinestraSelezione::CelleRese(QStringList& celle, const unita::Rese& s, bool ariaVuota) const {
  sel::CelleRese(celle, s, core::ValNum(txtTw2(0)->Text()) > 0, core::ValNum(txtTw2(1)->Text()) > 0,
                 ariaVuota);
}

FinestraSelezione::Calcolo::Calcolo(FinestraSelezione& f) : stato(unita::StatoIniziale()), f_(f) {
  const catalogo::Serie* d = f.SerieFinestra();
  if (d) costanti = unita::CostantiFamiglia(d->famiglia);
  stato.CurvaSelezionata = static_cast<std::int16_t>(f.ultima_.curvaScelta);
  stato.CurvaRiferimento = static_cast<std::int16_t>(f.ultima_.curvaRiferimento);
  stato.PressioneSalvata = f.ultima_.pressione;
  stessoModello = f.cboModel && f.cboModel->ListIndex() == f.ultima_.modello;
}

FinestraSelezione::Calcolo::~Calcolo() {
  f_.ultima_.curvaScelta = stato.CurvaSelezionata;
  f_.ultima_.curvaRiferimento = stato.CurvaRiferimento;
  f_.ultima_.pressione = stato.PressioneSalvata;
}

void FinestraSelezione::ChiudiCalcolo(const motore::StatoCalcolo& s) {
  if (s.FlagBassaPerdita)
    plat::MsgBox(QStringLiteral(
        "WARNING : at least one model is calculated at very low water pressure drop ( < 3 kPa )"));
  if (Grd->FixedRows() == 0 && Grd->Rows() > kRigheIntestazione)
    Grd->SetFixedRows(kRigheIntestazione);
  else
    plat::MsgBox(core::Testo(104), plat::Icona::Critica);
}

float FinestraSelezione::LeggiPressioneUtile() {
  // Blanks alone are an empty box, as the box's check reads them.
  if (txtpsu->Text().trimmed().isEmpty()) txtpsu->SetText(QStringLiteral("0"));
  const std::optional<double> p = LetturaPressione();
  if (!p) {
    // Whatever the command line: the run has no number to rate.
    core::RifiutaTesto(txtpsu, 0, PressioneMassima() * core::Fattore(core::Grandezza::PerditaAria),
                       core::NomeUnita(core::Grandezza::PerditaAria));
    throw CorsaFermata();
  }
  return static_cast<float>(*p / core::Fattore(core::Grandezza::PerditaAria));
}

double FinestraSelezione::LetturaPortataAcqua(int i) const {
  return txtQw(i) ? core::ValNum(txtQw(i)->Text()) : 0.0;
}

std::optional<double> FinestraSelezione::LetturaPressione() const {
  if (!txtpsu) return std::nullopt;
  if (txtpsu->Text().trimmed().isEmpty()) return 0.0;
  double v = 0;
  if (!core::NumeroDiSistema(txtpsu->Text(), core::imp.SepDec, &v)) return std::nullopt;
  return v;
}

std::optional<double> FinestraSelezione::LetturaPortataTotale() const {
  if (!txtqatot) return std::nullopt;
  return core::ValNum(txtqatot->Text());
}

unita::Condizioni FinestraSelezione::CondizioniDellaCorsa(float pressione) const {
  unita::Condizioni k;
  LeggiCondizioniAria(k);
  k.PressioneUtile = pressione;
  return k;
}

void FinestraSelezione::LeggiCondizioniComuni(unita::Condizioni& k) const {
  for (int i = 0; i < 2; ++i) {
    k.Tw1[i] = NumeroOZero(txtTw1(i));
    k.Tw2[i] = NumeroOZero(txtTw2(i));
    k.Qw[i] = static_cast<float>(core::Interno(core::Grandezza::PortataAcqua, LetturaPortataAcqua(i)));
  }
  k.PercGlicole = NumeroOZero(txtGlic);
  // A distance that is no number stops the run when the first row needs it.
  double distanza = 0;
  if (core::NumeroDiSistema(txtDistanza->Text(), core::imp.SepDec, &distanza))
    k.Distanza = static_cast<float>(distanza);
  else
    k.ErroreDistanza = 13;
  k.Direttivita = motore::ConvertiIntero<std::int16_t>(core::ValNum(cboDirezione->Text()));
  k.SenzaLimiti = core::imp.SenzaLimiti;
  k.District = core::imp.FlagDistrict;
  k.ModoUR = core::imp.ModoUR == QLatin1String("UR");
}

unita::Scelta FinestraSelezione::ModelliDellaCorsa(unita::TipoCorsa t, plat::CheckBox* quattroTubi) {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  const int posizione = cboModel->ListIndex();
  const std::string codice = posizione > 0 && posizione <= cat.NModelli ? cat.Modelli[posizione].Modello : "";
  const unita::Scelta scelta = unita::ModelliScelti(t, posizione, codice, cat.NModelli);
  if (scelta.spunta) quattroTubi->SetValue(1);
  return scelta;
}

bool FinestraSelezione::ProseguiCorsa(const unita::Riga& r) {
  return Prosegui(r.fine, r.esito, r.controllata);
}

bool FinestraSelezione::Prosegui(unita::Riga::Fine fine, const unita::Esito& esito, bool controllata) {
  if (controllata) esitoControllo_ = static_cast<std::int16_t>(esito.Valore());
  if (fine != unita::Riga::Fine::Fermata) return true;
  Rifiuta(esito);
  return false;
}

plat::TextBox* FinestraSelezione::Casella(unita::Casella c, int p) {
  switch (c) {
    case unita::Casella::Tw1:
      return txtTw1(p);
    case unita::Casella::Tw2:
      return txtTw2(p);
    default:
      return nullptr;
  }
}

void FinestraSelezione::Rifiuta(const unita::Esito& e) {
  plat::MsgBox(core::Testo(e.testo) + QString::fromUtf8(e.coda), plat::Icona::Critica);
  if (plat::TextBox* box = Casella(e.casella, e.passo)) box->SetFocus();
}

FinestraSelezione::Velocita FinestraSelezione::VelocitaScelte(const plat::ComboBox* cboVel) {
  const bool tutte = cboVel->ListIndex() <= 0;
  const int prima = tutte ? 1 : cboVel->ListIndex();
  const int ultima = std::min(tutte ? cboVel->ListCount() - 1 : cboVel->ListIndex(), catalogo::kUltimaCurva);
  return {tutte, prima, ultima};
}

float FinestraSelezione::NumeroOZero(const plat::TextBox* box) {
  double v = 0;
  return box && core::NumeroDiSistema(box->Text(), core::imp.SepDec, &v) ? static_cast<float>(v) : 0.0f;
}

void FinestraSelezione::AssicuraSerie() {
  if (serie.toStdString() != catalogo::Catalogo().SerieCorrente && Ricarica()) Ricarica()(*this);
}

void FinestraSelezione::EseguiCalcolo(const std::function<void()>& corpo) {
  if (inCalcolo_ || catalogo::CaricamentoInCorso()) return;
  // A box left with a wrong value is checked first, then any number no check
  // saw; a failed check stops the run.
  if (plat::Fuoco::EseguiPendenti() || CaselleFuoriCampo()) return;
  if (!Caricata()) return;
  // The sound pressure needs a distance above zero that the rating can hold
  // (a single, and its square): said before the run.
  double distanza = 0;
  if (txtDistanza && !(core::NumeroDiSistema(txtDistanza->Text(), core::imp.SepDec, &distanza) &&
                       static_cast<float>(distanza) > 0 && std::isfinite(static_cast<float>(distanza)))) {
    plat::MsgBox(core::Testo(173), plat::Icona::Critica);
    txtDistanza->SetFocus();
    return;
  }
  inCalcolo_ = true;
  struct Fine {
    bool& flag;
    ~Fine() { flag = false; }
  } fine{inCalcolo_};
  try {
    // The easy-calc runs show the busy pointer while they work.
    std::optional<plat::PuntatoreOccupato> occupato;
    if (Facile()) occupato.emplace();
    AssicuraSerie();
    corpo();
  } catch (const CorsaFermata&) {
    // Refused with the box's own message, the focus on the box.
  } catch (...) {
    TrappolaErrori();
  }
  RegistraCorsa();
}

void FinestraSelezione::RegistraCorsa() {
  // A new heading forgot the last record; a run stopped before its heading
  // leaves the earlier rows with theirs, and one that rated no row records
  // nothing.
  if (!corsa_ || corsa_->Presente()) return;
  // The pressure and the total air flow as the run read them.
  std::map<QString, double> letti;
  if (const std::optional<double> p = LetturaPressione()) letti[QStringLiteral("txtpsu")] = *p;
  if (const std::optional<double> q = LetturaPortataTotale()) letti[QStringLiteral("txtqatot")] = *q;
  corsa_->Registra(letti);
}

void FinestraSelezione::TrappolaErrori() {
  plat::MsgBox(QStringLiteral("Errore generico : ") + QString::number(NumeroErroreCorrente()),
               plat::Icona::Esclamativa);
  plat::PuntatoreNormale();
}

int FinestraSelezione::NumeroErroreCorrente() {
  try {
    throw;
  } catch (const motore::ErroreCalcolo& e) {
    return e.numero();
  } catch (const core::ErroreEsecuzione& e) {
    return e.numero();
  } catch (const std::bad_alloc&) {
    return kErroreMemoria;
  } catch (...) {
    return kErroreInterno;
  }
}

}  // namespace sel
