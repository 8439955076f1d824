#include "ui/fgrafico.h"

#include <QFontMetricsF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/unita.h"
#include "engine/ventilatori.h"
#include "platform/schermo.h"

namespace ui {

plat::Istanza<FormGrafico> FGrafico;

namespace {

// The chart's top is a whole number of tenths of the pressure unit that
// fits sixteen bits; a higher curve is cut off there.
constexpr double kAltoMassimo = 32767;
// The flow scale runs from -10 % to 110 % of the free delivery: the
// pressure axis stands at this share of the picture's width.
constexpr double kPostoAsse = 0.1 / 1.2;
// Pixels between a text and the axis line beside it.
constexpr double kDistaccoPx = 3;
// The smallest size (points) to which the pressure unit is set to keep it
// clear of the axis.
constexpr double kPuntiMinimi = 6;
// A flow label starts this much air flow (m3/h) left of its line, in every
// unit.
constexpr double kRientroM3h = 15;
// The rule's flow lines, every 50 m3/h (and pressure lines every 5 Pa),
// labelled every line up to twelve lines of free delivery.
constexpr double kLineaPortataM3h = 50;
constexpr double kLineaPressione = 50;  // tenths of a pascal
constexpr double kLineeTutteEtichettate = 12;
// Each axis has at least this many lines.
constexpr double kLineeMinime = 5;
// Pixels that keep two labels apart.
constexpr double kStaccoPx = 1;

// The largest round value (1, 2 or 5 times a power of ten) not above v.
double TondoFinoA(double v) {
  const double e = std::pow(10.0, std::floor(std::log10(v) + 1e-9));
  for (double b : {5.0, 2.0}) {
    if (b * e <= v * (1 + 1e-9)) return b * e;
  }
  return e;
}

// The smallest round label step (1, 2, 2.5 or 5 times a power of ten)
// above v.
double TondoOltre(double v) {
  const double e = std::pow(10.0, std::floor(std::log10(v) + 1e-9));
  for (double b : {1.0, 2.0, 2.5, 5.0}) {
    if (b * e > v * (1 + 1e-9)) return b * e;
  }
  return 10 * e;
}

// The step of an axis's lines: the largest round value not above the
// rule's step in the unit shown, smaller while the axis (its length
// `campo`) would hold fewer than five lines.
double PassoLinee(double regola, double campo) {
  double s = TondoFinoA(regola);
  for (int i = 0; i < 100 && campo / s < kLineeMinime - 1e-9; ++i) s = TondoFinoA(s * 0.99);
  return s;
}

// How many lines of step s an axis of length campo holds.
long QuanteLinee(double campo, double s) { return static_cast<long>(std::floor(campo / s + 1e-9)); }

// Two labels (their places in pixels) touch.
bool Toccano(const QRectF& a, const QRectF& b) {
  return a.adjusted(-kStaccoPx, -kStaccoPx, kStaccoPx, kStaccoPx).intersects(b);
}

// How many lines lie between two labels of an axis of n lines of step
// `linea`: the label step is the smallest round multiple of the line step,
// from `almeno` lines, at which no two labels touch (posto(k) is the place
// of the label of line k).
template <class Posto>
long LineeTraEtichette(double linea, long almeno, long n, const Posto& posto) {
  for (double v = linea * almeno * (1 - 1e-6);;) {
    v = TondoOltre(v);
    const double r = v / linea;
    const long ogni = std::lround(r);
    if (std::abs(r - ogni) > 1e-6 * r) continue;
    bool stanno = true;
    for (long k = ogni; stanno && k + ogni <= n; k += ogni) stanno = !Toccano(posto(k), posto(k + ogni));
    if (stanno) return std::min(ogni, std::max(n, 1L));  // one label at least
  }
}

void Carattere(QWidget* w, double punti, bool grassetto) {
  QFont f = w->font();
  f.setPointSizeF(punti);
  f.setBold(grassetto);
  w->setFont(f);
}

QString TestoPortata(double q) {
  return core::Formatta(q, sel::PassoPortataGrafico() < 1 ? QStringLiteral("0.000") : QStringLiteral("0"),
                        core::imp.SepDec);
}

// A pressure in Pa as the chart shows it: whole pascals (halves to even)
// or tenths of a mm of water.
QString TestoPressione(double pa) {
  const double p = std::clamp(pa * core::Fattore(core::Grandezza::PerditaAria), -1e9, 1e9);
  if (sel::PassoPressioneGrafico() < 1) return core::Formatta(p, QStringLiteral("0.0"), core::imp.SepDec);
  return core::Formatta(std::nearbyint(p), QStringLiteral("0"), core::imp.SepDec);
}

// Pressure (Pa) of the system curve through the handed-over working point at
// air flow q (in the unit shown).
double PressioneSistema(double q) {
  const sel::DatiGrafico& g = sel::Grafico();
  if (!(g.PortataGrafico > 0)) return 0;
  const double r = q / g.PortataGrafico;
  return r * r * g.PressioneGrafico;
}

}  // namespace

FormGrafico::FormGrafico() : plat::Form(QStringLiteral("FGrafico"), Tipo::Finestra) {}

void FormGrafico::Progetta() {
  setWindowTitle(QStringLiteral("Grafico curva motore"));
  setFixedSize(8820 / plat::kTwipPerPixel, 10545 / plat::kTwipPerPixel);
  pctCurva = new plat::PictureBox(this, "pctCurva");
  plat::PosizionaTw(pctCurva, 375, 75, 8190, 9690);
  auto etichetta = [this](const char* nome, const char* testo, int l, int t, int w, int h, double punti,
                          bool grassetto) {
    auto* e = new plat::Label(this, QString::fromLatin1(nome));
    e->SetCaption(QString::fromLatin1(testo));
    plat::PosizionaTw(e, l, t, w, h);
    Carattere(e, punti, grassetto);
    return e;
  };
  Label5 = etichetta("Label5", "Pa", 0, 75, 330, 300, 12, true);
  Label3 = etichetta("Label3", "m3/h", 7950, 9825, 600, 300, 12, true);
  lblQa = etichetta("lblQa", "", 450, 9900, 1200, 495, 18, false);
  Label2 = etichetta("Label2", "m3/h", 1650, 9975, 840, 390, 13.5, true);
  lblPsu = etichetta("lblPsu", "", 4050, 9900, 1200, 495, 18, false);
  Label4 = etichetta("Label4", "Pa", 5250, 9975, 375, 360, 13.5, true);
  VScroll2 = new plat::ScrollBar(this, "VScroll2");
  plat::PosizionaTw(VScroll2, 2625, 9900, 315, 540);
  VScroll2->Estremi(50, 50);
  VScroll2->SetValue(50);
  VScroll2->SetSmallChange(1);
  VScroll2->SetLargeChange(10);
  VScroll2->Change = [this] { VScroll2_Change(); };
}

void FormGrafico::Form_Load() {
  SpostaTw(plat::LarghezzaSchermoTw() - WidthTw() - 100, TopTw());
  const QString portata = core::NomeUnita(core::Grandezza::PortataAria);
  const QString pressione = core::NomeUnita(core::Grandezza::PerditaAria);
  Label2->SetCaption(portata);
  Label3->SetCaption(portata);
  Label4->SetCaption(pressione);
  Label5->SetCaption(pressione);
  // The pressure unit stands left of the pressure axis: a name too long for
  // the room is set smaller.
  const double asse = pctCurva->x() + pctCurva->width() * kPostoAsse - kDistaccoPx;
  while (Label5->x() + Label5->sizeHint().width() > asse && Label5->font().pointSizeF() > kPuntiMinimi)
    Carattere(Label5, Label5->font().pointSizeF() - 0.5, true);
  // A unit name longer than its label widens it, within the window.
  for (plat::Label* l : {Label2, Label3, Label4, Label5}) {
    const int w = std::max(l->width(), l->sizeHint().width());
    l->setGeometry(std::max(0, std::min(l->x(), width() - w)), l->y(), w, l->height());
  }
}

void FormGrafico::Form_Unload() {
  sel::Grafico().GraficoAperto = false;
  sel::Grafico().Servita = nullptr;
  if (finestra_ && chiamante_) chiamante_->AbilitaPortataGrafico(true);
  chiamante_ = nullptr;
}

void FormGrafico::Collega(sel::ChiamanteGrafico& c) {
  chiamante_ = &c;
  finestra_ = &c.FinestraGrafico();
  c.AbilitaPortataGrafico(false);
  // The chart serves its window only: it closes with it.
  connect(finestra_, &plat::Form::scaricata, this, [this] {
    finestra_ = nullptr;
    chiamante_ = nullptr;
    Scarica();
  });
}

void FormGrafico::Apri(sel::ChiamanteGrafico& c, const sel::ScalaGrafico& s, bool segui) {
  FormGrafico* aperto = FGrafico.SeCaricata();
  if (aperto && aperto->chiamante_ != &c) {
    aperto->Scarica();
    aperto = nullptr;
  }
  FormGrafico& f = FGrafico();
  if (!aperto) f.Collega(c);
  // The range and the value are set without moving the point; the point
  // then moves once, when it changed or the chart is new.
  const int prima = f.VScroll2->Value();
  auto cambio = std::move(f.VScroll2->Change);
  f.VScroll2->Change = nullptr;
  f.VScroll2->Estremi(s.alto, s.basso);
  f.VScroll2->SetValue(s.valore);
  f.VScroll2->Change = std::move(cambio);
  if (!aperto || f.VScroll2->Value() != prima) {
    f.VScroll2_Change();
  } else {
    // The window's run stands: the model, the pressure or the ticks it
    // rated may have changed.
    f.curva_ = c.RiferimentoGrafico();
    f.Ridisegna();
  }
  if (segui || !FGrafico.SeCaricata() || !f.finestra_) return;
  sel::Grafico().GraficoAperto = true;
  sel::Grafico().Servita = f.finestra_;
  f.Mostra();
}

void FormGrafico::VScroll2_Change() {
  // A move made while the window reruns (the arrow repeating under the
  // rerun's message, which holds its release) is undone and ends the
  // press, so that one click is one step and the labels, the boxes, the
  // grid and the point show the same working point.  A step whose rerun
  // showed a message ends the press too (the bar does that itself).
  if (inCambio_) {
    VScroll2->FermaRipetizione();
    const bool bloccata = VScroll2->blockSignals(true);
    VScroll2->SetValue(valoreInCambio_);
    VScroll2->blockSignals(bloccata);
    return;
  }
  inCambio_ = true;
  valoreInCambio_ = VScroll2->Value();
  SpostaPunto();
  inCambio_ = false;
}

void FormGrafico::SpostaPunto() {
  sel::ChiamanteGrafico* c = finestra_ ? chiamante_ : nullptr;
  if (!c) return;
  const auto [p, q] = PuntoDellaBarra();
  // The point is drawn where the labels and the boxes put it before the
  // rerun, which may rate nothing or stop at a message; the window's runs
  // keep their reference curve while the chart is open for it, so the
  // chart is drawn again only when the rerun chose another one (the rerun
  // of a new chart).  The rerun goes through the Calculate button's guard.
  Disegna(p, q);
  const int curva = c->RicalcolaGrafico(lblPsu->Caption(), lblQa->Caption());
  if (!finestra_ || curva == curva_) return;
  curva_ = curva;
  Disegna(p, q);
}

std::pair<float, float> FormGrafico::PuntoDellaBarra() {
  const float q = static_cast<float>(VScroll2->Value() * sel::PassoPortataGrafico());
  const float p = static_cast<float>(PressioneSistema(q));
  lblQa->SetCaption(TestoPortata(q));
  lblPsu->SetCaption(TestoPressione(p));
  return {p, q};
}

void FormGrafico::Ridisegna() {
  const auto [p, q] = PuntoDellaBarra();
  Disegna(p, q);
}

void FormGrafico::Disegna(float p, float q) {
  plat::PictureBox& pb = *pctCurva;
  pb.Cls();
  sel::ChiamanteGrafico* c = finestra_ ? chiamante_ : nullptr;
  if (!c) return;
  const int m = c->ModelloGrafico();
  const int r = curva_;
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  if (m < 1 || m > cat.NModelli || m > catalogo::kUltimoModello || r < 0 || r > catalogo::kUltimaCurva)
    return;
  const catalogo::DatiModello& d = cat.Modelli[m];
  const motore::CurvaVentilatore cv{d.VentA[r], d.VentB[r], d.VentC[r]};
  const double fq = core::Fattore(core::Grandezza::PortataAria);
  const double fp = core::Fattore(core::Grandezza::PerditaAria);
  const double passo = sel::PassoPortataGrafico();

  // Free delivery of the reference curve, and the top of the chart: 110 %
  // of the curve's pressure at a third of it, in tenths of the pressure unit.
  const double qmax = static_cast<float>(motore::PortataDaPressione(0, cv).value_or(0) / 3600 * fq);
  const double alto = std::min(
      std::nearbyint(motore::PressioneCurva(static_cast<float>(qmax / 3 * 3600 / fq), cv) * fp * 1.1 * 10),
      kAltoMassimo);
  if (!(qmax > 0) || !(alto > 0)) return;  // no curve to draw: an empty chart
  const int ytop = static_cast<int>(alto);
  pb.SetScaleMode(3);
  pb.Scale(-0.1 * qmax, ytop, 1.1 * qmax, -0.1 * ytop);

  pb.SetDrawWidth(1);
  const QColor nero = plat::QBColor(0), grigio = plat::QBColor(8);
  pb.Line(0, 0, 1.1 * qmax, 0, nero);
  pb.Line(0, 0, 0, ytop, nero);
  // The grid: lines at a round step on each axis (the rule's 50 m3/h and
  // 5 Pa where they give five lines, a round step of the unit elsewhere);
  // labels at one round step on its multiples, every line where the labels
  // have room.
  const double pixel = pb.ScaleWidth() / std::max(pb.width(), 1);
  const QFontMetricsF metrica(pb.font());
  const double altezzaTesto = metrica.height();
  // The axis captions beside the picture, in its pixels: no label stands
  // under them.
  std::vector<QRectF> didascalie;
  for (const plat::Label* l : {Label5, Label3})
    didascalie.emplace_back(QPointF(pb.mapFrom(this, l->pos())), QSizeF(l->size()));
  auto sottoDidascalia = [&](const QRectF& r) {
    return std::any_of(didascalie.begin(), didascalie.end(),
                       [&](const QRectF& d) { return d.intersects(r); });
  };

  // A pressure line a step, labelled at its left from -5 % of the free
  // delivery; a label too long for that ends short of the axis line
  // instead, within the picture.
  const double lineeP = PassoLinee(kLineaPressione * fp, ytop);
  const long nP = QuanteLinee(ytop, lineeP);
  auto testoP = [&](long k) { return plat::TestoStampa(k * lineeP / 10); };
  auto xP = [&](long k) {
    const double accosto = -(metrica.horizontalAdvance(testoP(k)) + kDistaccoPx) * pixel;
    return std::max(std::min(-0.05 * qmax, accosto), pb.ScaleLeft());
  };
  auto postoP = [&](long k) {
    return QRectF(pb.InPixel(xP(k), k * lineeP), QSizeF(metrica.horizontalAdvance(testoP(k)), altezzaTesto));
  };
  const long ogniP = LineeTraEtichette(lineeP, 1, nP, postoP);
  for (long k = 1; k <= nP; ++k) {
    const double y = k * lineeP;
    pb.Line(0, y, 1.1 * qmax, y, grigio);
    if (k % ogniP != 0 || sottoDidascalia(postoP(k))) continue;
    pb.SetCurrentX(xP(k));
    pb.Print(testoP(k));
  }

  // A flow line a step, labelled below it from 15 m3/h left of it; above
  // twelve lines of free delivery (600 m3/h) the rule labels every second
  // line.  A label too long for the room left of the picture's right edge
  // ends at the edge instead; when it would then run into the label before
  // it, it goes one line lower.
  const double campoQ = std::lround(1.1 * qmax / passo) * passo;  // the last line's flow at the most
  const double lineeQ = PassoLinee(kLineaPortataM3h * fq / 3600, campoQ);
  const long nQ = QuanteLinee(campoQ, lineeQ);
  const double rientro = kRientroM3h * fq / 3600;
  const double altoQ = pb.InPixel(0, -0.01 * ytop).y();
  auto postoQ = [&](long k) {
    const QString testo = plat::TestoStampa(k * lineeQ);
    return QRectF(pb.InPixel(k * lineeQ - rientro, 0).x(), altoQ, metrica.horizontalAdvance(testo) + 1,
                  altezzaTesto);
  };
  const long ogniQ = LineeTraEtichette(lineeQ, qmax / lineeQ <= kLineeTutteEtichettate ? 1 : 2, nQ, postoQ);
  const double destra = pb.ScaleLeft() + pb.ScaleWidth();
  double fineEtichetta = pb.ScaleLeft();  // right end of the last flow label
  for (long k = 1; k <= nQ; ++k) {
    const double x = k * lineeQ;
    pb.Line(x, 0, x, 1.1 * ytop, grigio);
    if (k % ogniQ != 0 || sottoDidascalia(postoQ(k))) continue;
    pb.SetCurrentY(-0.01 * ytop);
    pb.SetCurrentX(x - rientro);
    const QString testo = plat::TestoStampa(x);
    const double larghezza = (metrica.horizontalAdvance(testo) + 1) * pixel;
    if (pb.CurrentX() + larghezza > destra) {
      pb.SetCurrentX(destra - larghezza);
      if (pb.CurrentX() < fineEtichetta)
        pb.SetCurrentY(pb.CurrentY() +
                       (altezzaTesto + kStaccoPx) * pb.ScaleHeight() / std::max(pb.height(), 1));
    }
    fineEtichetta = pb.CurrentX() + larghezza;
    pb.Print(testo);
  }

  pb.SetDrawWidth(3);
  // The fan curve, net of the ticked accessories, from free delivery back
  // to a third of it; one point a step, none at or below 0.  Neighbouring
  // points are joined, so that the curve stays whole where a step of the
  // unit spans several pixels (l/s, m3/s).
  std::optional<QPointF> prima;
  auto traccia = [&](double x, double y, bool dentro, const QColor& colore) {
    if (!dentro) {
      prima.reset();
      return;
    }
    pb.PSet(x, y, colore);
    if (prima) pb.Line(prima->x(), prima->y(), x, y, colore);
    prima = QPointF(x, y);
  };
  for (long k = 0;; ++k) {
    const double x = qmax - k * passo;
    if (x < qmax / 3) break;
    const double pf = motore::PressioneCurva(static_cast<float>(x * 3600 / fq), cv) -
                      c->PerditeGrafico(m, static_cast<float>(x / fq));
    const float pv = static_cast<float>(pf * fp);
    traccia(x, 10.0 * pv, pv > 0, nero);
  }
  prima.reset();
  // The system curve through the working point, below 90 % of the top.
  const QColor rosso = plat::QBColor(4);
  for (long k = 0;; ++k) {
    const double x = k * passo;
    if (x > qmax) break;
    const float ps = static_cast<float>(PressioneSistema(x) * fp);
    traccia(x, 10.0 * ps, 10 * ps < 0.9f * ytop, rosso);
  }
  pb.Circle(q, 10.0 * p * fp, qmax / 100, plat::QBColor(1));
  pb.repaint();
}

void CollegaGrafico() { sel::ImpostaApriGrafico(&FormGrafico::Apri); }

}  // namespace ui
