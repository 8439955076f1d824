// The fan-curve chart driven by a stand-in for the window that opens it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "engine/ventilatori.h"
#include "platform/controlli.h"
#include "platform/schermo.h"
#include "selection/grafico.h"
#include "tests/support/supporto.h"
#include "ui/fgrafico.h"

using ui::FGrafico;
using Tipo = plat::PictureBox::Elemento::Tipo;

namespace {

// The model's reference curve: 200 Pa at no flow, free delivery 1000 m3/h.
constexpr int kCurva = 3;
constexpr float kChiusura = 200;
constexpr float kLibera = 1000;

double Ventilatore(double qm3h) { return kChiusura - kChiusura / (kLibera * kLibera) * qm3h * qm3h; }

// A window with an air-flow box and a static-pressure box whose run records
// the working points written into it.
class FinestraProva : public plat::Form, public sel::ChiamanteGrafico {
 public:
  explicit FinestraProva(const QString& nome) : plat::Form(nome, Tipo::Finestra) {}
  plat::TextBox* txtqatot = nullptr;
  plat::TextBox* txtpsu = nullptr;
  int modello = 1;
  float perditaPerM3s2 = 0;  // accessory drop = k qa^2
  bool occupata = false;
  std::vector<std::pair<QString, QString>> corse;  // (pressure, flow) of each rerun
  std::function<void()> durante;                   // done once inside the next rerun
  bool avviso = false;                             // every rerun ends with a message
  double avvisoSotto = 0;                          // and every rerun at a flow below this

  plat::Form& FinestraGrafico() override { return *this; }
  int ModelloGrafico() override { return modello; }
  int RiferimentoGrafico() override { return kCurva; }
  float PerditeGrafico(int, float qa) override { return perditaPerM3s2 * qa * qa; }
  void AbilitaPortataGrafico(bool a) override { txtqatot->setEnabled(a); }
  bool OccupatoGrafico() const override { return occupata; }
  int RicalcolaGrafico(const QString& p, const QString& q) override {
    if (occupata) return kCurva;  // the Calculate button's guard
    txtpsu->SetText(p);
    txtqatot->SetText(q);
    corse.emplace_back(p, q);
    if (auto d = std::exchange(durante, nullptr)) {
      occupata = true;
      d();
      occupata = false;
    }
    if (avviso || q.toDouble() < avvisoSotto) plat::MsgBox(QStringLiteral("WARNING"));
    return kCurva;
  }
  void Consegna() {
    const float pa =
        static_cast<float>(core::Interno(core::Grandezza::PerditaAria, core::ValNum(txtpsu->Text())));
    sel::ConsegnaGrafico(*this, pa, txtqatot->Text(), kCurva);
  }

 protected:
  void Progetta() override {
    txtqatot = new plat::TextBox(this, "txtqatot");
    txtpsu = new plat::TextBox(this, "txtpsu");
  }
};

class Grafico : public ::testing::Test {
 protected:
  void SetUp() override {
    core::imp.SepDec = ".";
    core::imp.BaseTesti = 300;
    core::RiempiUnita();
    core::um.UmPortataAria = 2;
    core::um.UmPerditaAria = 0;
    catalogo::CatalogoSerie& cat = catalogo::Catalogo();
    cat.NModelli = 2;
    for (int m = 1; m <= 2; ++m) {
      auto& d = cat.Modelli[m];
      d.VentA.fill(0);
      d.VentB.fill(0);
      d.VentC.fill(0);
      d.VentA[kCurva] = -kChiusura / (kLibera * kLibera);
      d.VentC[kCurva] = kChiusura;
    }
    sel::ImpostaApriGrafico(&ui::FormGrafico::Apri);
    a = new FinestraProva("FDatiPEC");
    a->Carica();
  }
  void TearDown() override {
    plat::Forms::Svuota();
    test::ProcessaEventi();
    core::um.UmPortataAria = 0;
    core::um.UmPerditaAria = 0;
  }
  void Apri(FinestraProva* f, const QString& portata, const QString& pressione) {
    f->txtqatot->SetText(portata);
    f->txtpsu->SetText(pressione);
    f->Consegna();
  }
  std::vector<plat::PictureBox::Elemento> Elementi(Tipo t, QColor colore = QColor()) {
    std::vector<plat::PictureBox::Elemento> v;
    for (const auto& e : FGrafico().pctCurva->Registro()) {
      if (e.tipo == t && (!colore.isValid() || e.colore == colore)) v.push_back(e);
    }
    return v;
  }
  // The labels of a chart, by their numbers: the flow axis's from left to
  // right, the pressure axis's from the bottom up.
  struct Etichette {
    std::vector<double> flusso, pressione;
  };
  // The texts of the chart of a fan of free delivery `libera` (m3/h), in
  // pixels of the picture: each whole inside it, none over another nor
  // under an axis caption; a pressure label ends short of the pressure
  // axis, a flow label starts 15 m3/h left of its line (on a small fan its
  // line through its first digit) unless it ends at the right edge.
  Etichette EtichetteAlLoroPosto(double libera, bool primaCifra) {
    ui::FormGrafico& g = FGrafico();
    const plat::PictureBox& pb = *g.pctCurva;
    const double qmax = libera / 3600 * core::Fattore(core::Grandezza::PortataAria);
    const QFontMetricsF fm(pb.font());
    const double asse = pb.InPixel(0, 0).x();
    const double rientro = pb.width() * 15 / (1.2 * libera);
    Etichette etichette;
    std::vector<QRectF> posti;
    for (const plat::Label* l : {g.Label5, g.Label3}) posti.emplace_back(pb.mapFrom(&g, l->pos()), l->size());
    const size_t didascalie = posti.size();
    for (const auto& e : Elementi(Tipo::Testo)) {
      SCOPED_TRACE(e.testo.toStdString());
      const QRectF posto(pb.InPixel(e.x1, e.y1), QSizeF(fm.horizontalAdvance(e.testo), fm.height()));
      EXPECT_TRUE(QRectF(pb.rect()).contains(posto)) << posto.left() << " " << posto.right();
      for (size_t i = 0; i < posti.size(); ++i) {
        // Labels keep a pixel between them.
        const QRectF r = i < didascalie ? posti[i] : posti[i].adjusted(-1, -1, 1, 1);
        EXPECT_FALSE(r.intersects(posto)) << r.left() << " " << posto.left();
      }
      posti.push_back(posto);
      const double sinistra = posto.left();
      if (e.y1 < 0) {
        etichette.flusso.push_back(e.testo.toDouble());
        const double linea = pb.InPixel(etichette.flusso.back(), 0).x();
        if (linea - rientro + posto.width() <= pb.width()) {
          EXPECT_NEAR(linea - sinistra, rientro, 0.01);
          if (primaCifra) {
            EXPECT_GT(linea, sinistra + fm.horizontalAdvance(" "));
            EXPECT_LT(linea, sinistra + fm.horizontalAdvance(e.testo.left(2)));
          }
        }
      } else {
        etichette.pressione.push_back(e.testo.toDouble());
        EXPECT_GE(sinistra, 0);
        EXPECT_LE(sinistra, pb.InPixel(-0.05 * qmax, 0).x() + 0.01);
        EXPECT_LT(sinistra + fm.horizontalAdvance(e.testo), asse - 1);
      }
    }
    return etichette;
  }
  FinestraProva* a = nullptr;
  test::RegistroMessaggi reg;
};

}  // namespace

// The working point 500 m3/h at 100 Pa in every unit: the system curve
// 100 (q / 500)^2 meets the fan curve at 577 m3/h, so the search's last flow
// above it is 576 m3/h; the bottom is 50 m3/h.  At 2.5 and 3.5 Pa the
// curves meet at 976 and 967 m3/h, and the pressure label rounds halves to
// even.  Every label sits at its line: a flow label 15 m3/h left of it, its
// line through its first digit (the last one ends at the right edge when it
// would pass it); a pressure label and the pressure unit end short of the
// pressure axis.
TEST_F(Grafico, ConsegnaEDisegnoInOgniUnita) {
  struct Caso {
    int umQa, umDpa;
    QString portata, pressione;
    int alto, basso, valore;
    QString qa, psu, qaSu;  // labels at the point and one step up
  } casi[] = {
      {2, 0, "500", "100", 576, 50, 500, "500", "100", "501"},
      {0, 0, "138.9", "100", 160, 14, 139, "139", "100", "140"},
      {1, 0, "0.139", "100", 160, 14, 139, "0.139", "100", "0.140"},
      {2, 1, "500", "10.2", 576, 50, 500, "500", "10.2", "501"},
      {1, 1, "0.139", "10.2", 160, 14, 139, "0.139", "10.2", "0.140"},
      {0, 1, "138.9", "10.2", 160, 14, 139, "139", "10.2", "140"},
      {2, 0, "500", "2.5", 971, 50, 500, "500", "2", "501"},
      {2, 0, "500", "3.5", 966, 50, 500, "500", "4", "501"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.portata.toStdString() + " " + c.pressione.toStdString());
    core::um.UmPortataAria = static_cast<int16_t>(c.umQa);
    core::um.UmPerditaAria = static_cast<int16_t>(c.umDpa);
    const double fq = core::Fattore(core::Grandezza::PortataAria);
    const double fp = core::Fattore(core::Grandezza::PerditaAria);
    const double passo = sel::PassoPortataGrafico();
    const double pa = core::ValNum(c.pressione) / fp;
    Apri(a, c.portata, c.pressione);
    ui::FormGrafico& g = FGrafico();
    EXPECT_TRUE(reg.messaggi.empty());
    EXPECT_EQ(g.VScroll2->Min(), c.alto);
    EXPECT_EQ(g.VScroll2->Max(), c.basso);
    EXPECT_EQ(g.VScroll2->Value(), c.valore);
    EXPECT_EQ(g.lblQa->Caption(), c.qa);
    EXPECT_EQ(g.Label2->Caption(), core::NomeUnita(core::Grandezza::PortataAria));
    EXPECT_EQ(g.Label4->Caption(), core::NomeUnita(core::Grandezza::PerditaAria));
    ASSERT_EQ(a->corse.size(), 1u);
    EXPECT_EQ(a->corse[0].second, c.qa);
    EXPECT_EQ(a->corse[0].first, c.psu);
    EXPECT_FALSE(a->txtqatot->isEnabled());
    EXPECT_TRUE(sel::GraficoAperto(*a));

    // Scales: free delivery 1000 m3/h; the top 110 % of the pressure at a
    // third of it, in tenths of the pressure unit.
    const plat::PictureBox& pb = *g.pctCurva;
    const double qmax = kLibera / 3600 * fq;
    const double ytop = std::nearbyint(Ventilatore(kLibera / 3) * fp * 11);
    EXPECT_NEAR(pb.ScaleLeft(), -0.1 * qmax, 1e-4 * qmax);
    EXPECT_NEAR(pb.ScaleWidth(), 1.2 * qmax, 1e-4 * qmax);
    EXPECT_EQ(pb.ScaleTop(), ytop);
    EXPECT_NEAR(pb.ScaleHeight(), -1.1 * ytop, 1e-9);
    // Every fan-curve point on the fan curve, every system-curve point on
    // the parabola through the working point, one point a step.
    const auto ventola = Elementi(Tipo::Punto, plat::QBColor(0));
    const auto sistema = Elementi(Tipo::Punto, plat::QBColor(4));
    EXPECT_NEAR(static_cast<double>(ventola.size()), 2.0 / 3 * qmax / passo, 2);
    EXPECT_NEAR(sistema.front().x1, 0, 1e-9);
    EXPECT_NEAR(sistema[1].x1, passo, 1e-9);
    for (const auto& e : ventola) {
      EXPECT_NEAR(e.y1, 10 * fp * Ventilatore(e.x1 / fq * 3600), 0.05) << e.x1;
      EXPECT_EQ(e.spessore, 3);
    }
    const double qLavoro = c.valore * passo;
    for (const auto& e : sistema) {
      EXPECT_NEAR(e.y1, 10 * fp * pa * std::pow(e.x1 / core::ValNum(c.portata), 2), 0.05) << e.x1;
      EXPECT_LT(e.y1, 0.9 * ytop);
    }
    const auto cerchi = Elementi(Tipo::Cerchio);
    ASSERT_EQ(cerchi.size(), 1u);
    EXPECT_NEAR(cerchi[0].x1, qLavoro, 1e-6);
    EXPECT_NEAR(cerchi[0].y1, 10 * fp * pa * std::pow(qLavoro / core::ValNum(c.portata), 2), 0.01);
    EXPECT_NEAR(cerchi[0].raggio, qmax / 100, 1e-4 * qmax);
    EXPECT_EQ(cerchi[0].colore, plat::QBColor(1));

    const auto etichetteFlusso = EtichetteAlLoroPosto(kLibera, true).flusso;
    EXPECT_EQ(etichetteFlusso.size(), c.umQa == 2 ? 11u : 15u);
    EXPECT_EQ(g.Label5->Caption(), core::NomeUnita(core::Grandezza::PerditaAria));
    EXPECT_GE(g.Label5->width(), g.Label5->sizeHint().width());
    EXPECT_LT(g.Label5->x() + g.Label5->width(), pb.x() + pb.InPixel(0, 0).x() - 1);
    if (c.umDpa == 0) {
      EXPECT_EQ(g.Label5->font().pointSizeF(), 12);
    }

    // One click on the up arrow: one step more air, written back, rerun.
    g.show();
    QTest::mouseClick(g.VScroll2, Qt::LeftButton, {}, QPoint(g.VScroll2->width() / 2, 2));
    EXPECT_EQ(g.VScroll2->Value(), c.valore + 1);
    EXPECT_EQ(g.lblQa->Caption(), c.qaSu);
    ASSERT_EQ(a->corse.size(), 2u);
    EXPECT_EQ(a->txtqatot->Text(), c.qaSu);
    EXPECT_EQ(a->txtpsu->Text(), g.lblPsu->Caption());
    g.Scarica();
    EXPECT_TRUE(a->txtqatot->isEnabled());
    EXPECT_FALSE(sel::GraficoAperto(*a));
    a->corse.clear();
  }
}

namespace {

// v is 1, 2, 2.5 or 5 (basi) times a power of ten.
bool Tondo(double v, std::initializer_list<double> basi = {1, 2, 2.5, 5}) {
  const double m = v / std::pow(10.0, std::floor(std::log10(v) + 1e-9));
  return std::any_of(basi.begin(), basi.end(), [m](double b) { return std::abs(m - b) < 1e-6; });
}

// Numbers that rise at one round step and stand on its multiples; the step.
double PassoRegolare(const std::vector<double>& v) {
  if (v.size() < 2) return 0;
  const double d = v[1] - v[0];
  EXPECT_TRUE(Tondo(d)) << d;
  for (size_t i = 0; i < v.size(); ++i) {
    EXPECT_NEAR(v[i] / d, std::round(v[i] / d), 1e-6) << v[i];
    if (i > 0) {
      EXPECT_NEAR(v[i] - v[i - 1], d, 1e-6 * d) << v[i];
    }
  }
  return d;
}

}  // namespace

// Fans of 300, 1000, 1900 and 2450 m3/h of free delivery closing at 200 Pa,
// one of 1700 m3/h closing at 300 Pa and a small one (150 m3/h, 20 Pa), in
// every pair of units: each axis has
// at least five lines at one round step and at least four labels, which
// rise at one round step (a whole number of lines) and stand on its
// multiples; the texts lie whole inside the picture, none over another nor
// under a caption.  In m3/h and Pa the small and the middle fan keep the
// rule's labels: every flow line up to 600 m3/h, every second one above,
// every pressure line.
TEST_F(Grafico, AssiLeggibiliInOgniUnita) {
  struct Ventola {
    float libera, chiusura;
    size_t flussoRegola, pressioneRegola;  // labels in m3/h and Pa (0: not pinned)
  } ventole[] = {{300, 200, 6, 39}, {1000, 200, 11, 39}, {1900, 200, 0, 0},  {1700, 300, 0, 0},
                 {2450, 200, 0, 0}, {150, 20, 0, 0},     {600, 200, 13, 39}, {620, 200, 6, 39}};
  a->modello = 2;
  for (const Ventola& v : ventole) {
    auto& d = catalogo::Catalogo().Modelli[2];
    d.VentA[kCurva] = -v.chiusura / (v.libera * v.libera);
    d.VentC[kCurva] = v.chiusura;
    for (int umQa : {2, 0, 1}) {
      for (int umDpa : {0, 1}) {
        SCOPED_TRACE(std::to_string(v.libera) + " " + std::to_string(umQa) + " " + std::to_string(umDpa));
        core::um.UmPortataAria = static_cast<int16_t>(umQa);
        core::um.UmPerditaAria = static_cast<int16_t>(umDpa);
        const double fq = core::Fattore(core::Grandezza::PortataAria);
        const double fp = core::Fattore(core::Grandezza::PerditaAria);
        Apri(a, QString::number(v.libera / 2 / 3600 * fq, 'f', umQa == 1 ? 3 : 1),
             QString::number(50 * fp, 'f', 1));
        const Etichette e = EtichetteAlLoroPosto(v.libera, false);
        std::vector<double> lineeQ, lineeP;
        for (const auto& l : Elementi(Tipo::Linea, plat::QBColor(8)))
          (l.x1 == l.x2 ? lineeQ : lineeP).push_back(l.x1 == l.x2 ? l.x1 : l.y1 / 10);
        EXPECT_GE(lineeQ.size(), 5u);
        EXPECT_GE(lineeP.size(), 5u);
        const double passoQ = PassoRegolare(lineeQ), passoP = PassoRegolare(lineeP);
        EXPECT_TRUE(Tondo(passoQ, {1, 2, 5}));
        EXPECT_TRUE(Tondo(passoP, {1, 2, 5}));
        EXPECT_GE(e.flusso.size(), 4u);
        EXPECT_GE(e.pressione.size(), 4u);
        const double etichettaQ = PassoRegolare(e.flusso), etichettaP = PassoRegolare(e.pressione);
        EXPECT_NEAR(etichettaQ / passoQ, std::round(etichettaQ / passoQ), 1e-6);
        EXPECT_NEAR(etichettaP / passoP, std::round(etichettaP / passoP), 1e-6);
        if (umQa == 2 && umDpa == 0 && v.flussoRegola > 0) {
          EXPECT_EQ(passoQ, 50);
          EXPECT_EQ(passoP, 5);
          EXPECT_EQ(e.flusso.size(), v.flussoRegola);
          EXPECT_EQ(e.pressione.size(), v.pressioneRegola);
        }
        FGrafico().Scarica();
      }
    }
  }
}

// A message that stays open, the events running meanwhile, until the arrow
// pressed under it has repeated (the bar's own auto-repeat); once it has, a
// further message closes at once.
class MessaggioFinoAllaRipetizione : public plat::Presentatore {
 public:
  explicit MessaggioFinoAllaRipetizione(QScrollBar* barra)
      : collegamento_(
            QObject::connect(barra, &QAbstractSlider::actionTriggered, barra, [this] { ++azioni; })) {}
  ~MessaggioFinoAllaRipetizione() override { QObject::disconnect(collegamento_); }
  void Mostra(const plat::Messaggio&) override {
    ++mostrati;
    const int prima = azioni;
    if (!ripetuta) ripetuta = QTest::qWaitFor([&] { return azioni > prima; }, 30000);
  }
  int mostrati = 0;
  int azioni = 0;  // steps of the bar: the click's and each repeat's
  bool ripetuta = false;

 private:
  QMetaObject::Connection collegamento_;
};

// One click on an arrow is one step, also when the step's rerun shows a
// message that stays open while the arrow would repeat under it; a move
// made while the window reruns is undone, so that the labels, the boxes and
// the point show the same working point.  An arrow held down repeats up to
// the first step whose rerun shows a message, and no further: its release
// moves nothing, and a new click moves one step.
TEST_F(Grafico, UnClicUnPassoAncheConUnMessaggio) {
  Apri(a, "400", "100");
  ui::FormGrafico& g = FGrafico();
  g.show();
  MessaggioFinoAllaRipetizione lento(g.VScroll2);
  plat::ImpostaPresentatore(&lento);
  a->avviso = true;
  QTest::mouseClick(g.VScroll2, Qt::LeftButton, {},
                    QPoint(g.VScroll2->width() / 2, g.VScroll2->height() - 2));
  plat::ImpostaPresentatore(&reg);
  EXPECT_EQ(lento.mostrati, 1);
  ASSERT_TRUE(lento.ripetuta);  // the repeat came under the message, and was undone
  EXPECT_EQ(lento.azioni, 2);
  EXPECT_EQ(g.VScroll2->Value(), 399);
  ASSERT_EQ(a->corse.size(), 2u);
  EXPECT_EQ(a->corse[1].second, "399");
  a->avviso = false;
  a->durante = [&] { g.VScroll2->SetValue(405); };
  g.VScroll2->SetValue(401);
  ASSERT_EQ(a->corse.size(), 3u);
  EXPECT_EQ(g.VScroll2->Value(), 401);
  EXPECT_EQ(g.lblQa->Caption(), "401");
  EXPECT_EQ(a->txtqatot->Text(), "401");
  const auto cerchi = Elementi(Tipo::Cerchio);
  ASSERT_EQ(cerchi.size(), 1u);
  EXPECT_NEAR(cerchi[0].x1, 401, 1e-3);

  a->avvisoSotto = 395;  // seven steps from 401, the last with a message
  const QPoint freccia(g.VScroll2->width() / 2, g.VScroll2->height() - 2);
  QTest::mousePress(g.VScroll2, Qt::LeftButton, {}, freccia);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !reg.messaggi.empty(); }, 10000));
  QTest::qWait(400);
  QTest::mouseRelease(g.VScroll2, Qt::LeftButton, {}, freccia);
  EXPECT_EQ(a->corse.size(), 10u);
  EXPECT_EQ(a->txtqatot->Text(), "394");
  QTest::mouseClick(g.VScroll2, Qt::LeftButton, {}, freccia);
  EXPECT_EQ(a->txtqatot->Text(), "393");
  EXPECT_EQ(reg.messaggi.size(), 2u);
}

// Tab gives the scroll bar the focus; then the arrows, the page keys, Home
// and End move the working point (upward: the top is the most air).
TEST_F(Grafico, LaBarraDallaTastiera) {
  Apri(a, "500", "100");  // from 576 at the top to 50 at the bottom
  ui::FormGrafico& g = FGrafico();
  g.show();
  QApplication::setActiveWindow(&g);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), g.VScroll2);
  const std::pair<Qt::Key, int> tasti[] = {{Qt::Key_Up, 501},     {Qt::Key_Down, 500},
                                           {Qt::Key_PageUp, 510}, {Qt::Key_PageDown, 500},
                                           {Qt::Key_Home, 576},   {Qt::Key_End, 50}};
  for (const auto& [tasto, valore] : tasti) {
    QTest::keyClick(QApplication::focusWidget(), tasto);
    EXPECT_EQ(g.VScroll2->Value(), valore) << tasto;
    EXPECT_EQ(a->txtqatot->Text(), QString::number(valore)) << tasto;
  }
}

TEST_F(Grafico, GrigliaEtichette) {
  Apri(a, "500", "100");
  // The window stands at the right edge of the screen (placed before its
  // frame is known: within a few pixels).
  EXPECT_EQ(FGrafico().Caption(), "Grafico curva motore");
  EXPECT_NEAR(FGrafico().LeftTw(), plat::LarghezzaSchermoTw() - FGrafico().WidthTw() - 100,
              5 * plat::kTwipPerPixel);
  const plat::PictureBox& pb = *FGrafico().pctCurva;
  // Axes first, then a pressure line every 5 Pa up to the top (1956 tenths).
  const auto linee = Elementi(Tipo::Linea);
  ASSERT_GE(linee.size(), 2u);
  EXPECT_NEAR(linee[0].x2, 1.1 * pb.ScaleWidth() / 1.2, 1e-6);
  EXPECT_EQ(linee[1].y2, 1956);
  const auto grigie = Elementi(Tipo::Linea, plat::QBColor(8));
  ASSERT_EQ(grigie.size(), 39u + 22u);  // 50..1950 tenths; 50..1100 m3/h
  EXPECT_EQ(grigie[38].y1, 1950);
  EXPECT_EQ(grigie[39].x1, 50);
  EXPECT_EQ(grigie.back().x1, 1100);
  const auto testi = Elementi(Tipo::Testo);
  ASSERT_EQ(testi.size(), 39u + 11u);  // above 600 m3/h of free delivery the flow lines of 100s only
  EXPECT_EQ(testi[0].testo, " 5");
  EXPECT_EQ(testi[38].testo, " 195");
  EXPECT_NEAR(testi[0].x1, -0.05 * pb.ScaleWidth() / 1.2, 1e-3);
  EXPECT_EQ(testi[39].testo, " 100");
  EXPECT_EQ(testi[39].x1, 85);
  EXPECT_NEAR(testi[39].y1, -19.56, 1e-9);
}

TEST_F(Grafico, ImmagineDelGrafico) {
  Apri(a, "500", "100");
  ui::FormGrafico& g = FGrafico();
  g.show();
  plat::PictureBox& pb = *g.pctCurva;
  const QImage img = pb.grab().toImage();
  // The colour at a point of the chart, or near it (within a pixel).
  auto vicino = [&](double x, double y, const QColor& c) {
    const QPointF p = pb.InPixel(x, y);
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (img.pixelColor(static_cast<int>(p.x()) + dx, static_cast<int>(p.y()) + dy) == c) return true;
      }
    }
    return false;
  };
  for (double q : {400.0, 600.0, 900.0}) EXPECT_TRUE(vicino(q, 10 * Ventilatore(q), QColor(0, 0, 0))) << q;
  for (double q : {200.0, 300.0, 450.0}) {
    EXPECT_TRUE(vicino(q, 10 * 100 * q * q / 250000, QColor(128, 0, 0))) << q;
    EXPECT_FALSE(vicino(q, 10 * Ventilatore(q), QColor(128, 0, 0))) << q;
  }
  EXPECT_TRUE(vicino(510, 1000, QColor(0, 0, 128)));  // the circle's right edge
  EXPECT_FALSE(vicino(500, 1000, QColor(0, 0, 128)));
  EXPECT_TRUE(vicino(0, 900, QColor(0, 0, 0)));  // the pressure axis
  const QPointF vuoto = pb.InPixel(975, 1825);   // between grid lines, above both curves
  EXPECT_EQ(img.pixelColor(vuoto.toPoint()), pb.BackColor());
}

// In l/s and m3/s a step of the flow spans several pixels where the curves
// are steep: each curve's neighbouring points are joined by a line as thick
// as the points, so that the curves stay whole.
TEST_F(Grafico, CurveIntereInOgniUnita) {
  for (int um : {0, 1, 2}) {
    SCOPED_TRACE(um);
    core::um.UmPortataAria = static_cast<int16_t>(um);
    const double fq = core::Fattore(core::Grandezza::PortataAria);
    Apri(a, QString::number(500 / 3600.0 * fq, 'f', um == 1 ? 3 : 1), "100");
    for (const QColor& colore : {plat::QBColor(0), plat::QBColor(4)}) {
      const auto punti = Elementi(Tipo::Punto, colore);
      const auto linee = Elementi(Tipo::Linea, colore);
      ASSERT_GT(punti.size(), 10u);
      std::vector<plat::PictureBox::Elemento> tratti;
      for (const auto& l : linee)
        if (l.spessore == 3) tratti.push_back(l);
      ASSERT_EQ(tratti.size(), punti.size() - 1);
      for (size_t i = 0; i + 1 < punti.size(); ++i) {
        EXPECT_EQ(tratti[i].x1, punti[i].x1);
        EXPECT_EQ(tratti[i].y1, punti[i].y1);
        EXPECT_EQ(tratti[i].x2, punti[i + 1].x1);
        EXPECT_EQ(tratti[i].y2, punti[i + 1].y1);
      }
    }
    FGrafico().Scarica();
  }
}

TEST_F(Grafico, CasiDiGuasto) {
  struct Caso {
    int16_t um;  // air-flow unit
    QString portata;
    int modello, curva;
    QString messaggio;
  } casi[] = {
      {2, "", 1, kCurva, " Air flow is mandatory "},
      {2, "0", 1, kCurva, " Air flow is mandatory "},
      {1, "0.000", 1, kCurva, " Air flow is mandatory "},
      {0, "abc", 1, kCurva, " Air flow is mandatory "},
      {2, "1e30", 1, kCurva, core::Testo(104)},
      {1, "20000", 1, kCurva, core::Testo(104)},  // 2 10^7 steps of 0.001 m3/s
      {2, "500", 1, -1, core::Testo(104)},
      {0, "139", 1, 8, core::Testo(104)},
      {2, "500", 0, kCurva, core::Testo(104)},
      {1, "0.139", 9, kCurva, core::Testo(104)},
  };
  for (const Caso& c : casi) {
    reg.Svuota();
    core::um.UmPortataAria = c.um;
    a->modello = c.modello;
    a->txtqatot->SetText(c.portata);
    a->txtpsu->SetText("100");
    sel::ConsegnaGrafico(*a, 100, c.portata, c.curva);
    ASSERT_EQ(reg.messaggi.size(), 1u) << c.portata.toStdString();
    EXPECT_EQ(reg.messaggi[0].testo, c.messaggio);
    EXPECT_EQ(FGrafico.SeCaricata(), nullptr);
    EXPECT_TRUE(a->corse.empty());
  }
  // A flow below one step of the bar: the chart opens at one step.
  core::um.UmPortataAria = 1;
  a->modello = 1;
  sel::ConsegnaGrafico(*a, 100, "0.0004", kCurva);
  ASSERT_NE(FGrafico.SeCaricata(), nullptr);
  EXPECT_EQ(FGrafico().VScroll2->Value(), 1);
  EXPECT_EQ(FGrafico().lblQa->Caption(), "0.001");
  FGrafico().Scarica();
  core::um.UmPortataAria = 2;
  // The last curve: a warning, then the chart.
  reg.Svuota();
  a->modello = 1;
  sel::ConsegnaGrafico(*a, 100, "500", 7);
  ASSERT_EQ(reg.messaggi.size(), 1u);
  EXPECT_TRUE(reg.messaggi[0].testo.startsWith("WARNING : that the maximum curve"));
  EXPECT_NE(FGrafico.SeCaricata(), nullptr);
}

TEST_F(Grafico, PuntoFuoriDallaCorsaEScaleEstreme) {
  // Below 50 m3/h and beyond the crossing: the range widens to hold the point.
  Apri(a, "30", "100");
  EXPECT_EQ(FGrafico().VScroll2->Max(), 30);
  EXPECT_EQ(FGrafico().VScroll2->Value(), 30);
  Apri(a, "800", "100");
  EXPECT_EQ(FGrafico().VScroll2->Min(), 800);
  EXPECT_EQ(FGrafico().VScroll2->Value(), 800);
  // The point high above the chart: drawn off the picture.
  Apri(a, "500", "300");
  EXPECT_EQ(FGrafico().VScroll2->Min(), 500);
  EXPECT_GT(Elementi(Tipo::Cerchio)[0].y1, FGrafico().pctCurva->ScaleTop());
  // A pressure at which no flow is usable: the whole range is the point.
  Apri(a, "500", "100000");
  EXPECT_EQ(FGrafico().VScroll2->Min(), 500);
  EXPECT_EQ(FGrafico().VScroll2->Value(), 500);
  // A curve too high for the chart's sixteen bits: cut off at its top.
  catalogo::Catalogo().Modelli[1].VentC[kCurva] = 5000;
  catalogo::Catalogo().Modelli[1].VentA[kCurva] = -5000.0f / (kLibera * kLibera);
  Apri(a, "501", "100");
  EXPECT_EQ(FGrafico().pctCurva->ScaleTop(), 32767);
  // A curve with no free delivery: an empty chart, the rerun made.
  catalogo::Catalogo().Modelli[1].VentC[kCurva] = -1;
  a->corse.clear();
  Apri(a, "502", "100");
  EXPECT_TRUE(FGrafico().pctCurva->Registro().empty());
  EXPECT_EQ(a->corse.size(), 1u);
  EXPECT_EQ(FGrafico().lblQa->Caption(), "502");
}

TEST_F(Grafico, AccessoriAbbassanoLaCurva) {
  // Mixed air: the fan curve net of a drop of 400 qa^2 Pa (qa in m3/s).
  a->perditaPerM3s2 = 400;
  Apri(a, "500", "50");
  for (const auto& e : Elementi(Tipo::Punto, plat::QBColor(0))) {
    const double qa = e.x1 / 3600;
    EXPECT_NEAR(e.y1, 10 * (Ventilatore(e.x1) - 400 * qa * qa), 0.05);
    EXPECT_GT(e.y1, 0);
  }
  // The range ends lower: the fan curve less the drop at the working point
  // (7.7 Pa) meets 50 (q / 500)^2 at 693 m3/h, the search's last step
  // below it is 691 (against 706 without accessories).
  EXPECT_EQ(FGrafico().VScroll2->Min(), 691);
}

TEST_F(Grafico, LaFinestraCheLoHaApertoEPoiLAltra) {
  auto* b = new FinestraProva("FDatiPXXEC");
  b->Carica();
  Apri(a, "500", "100");
  sel::Grafico().FormChiamante = "FDatiPXXEC";  // another EC window loaded after
  FGrafico().VScroll2->SetValue(450);
  EXPECT_EQ(a->txtqatot->Text(), "450");
  EXPECT_TRUE(b->corse.empty());
  EXPECT_EQ(FGrafico().CurvaDisegnata(), kCurva);
  EXPECT_FALSE(Elementi(Tipo::Punto, plat::QBColor(0)).empty());
  // Unchanged boxes: a second click brings the chart forward without a rerun.
  const size_t corse = a->corse.size();
  a->Consegna();
  EXPECT_EQ(a->corse.size(), corse);
  // The other window's button: the chart moves to it.
  Apri(b, "400", "80");
  EXPECT_TRUE(a->txtqatot->isEnabled());
  EXPECT_FALSE(b->txtqatot->isEnabled());
  EXPECT_FALSE(sel::GraficoAperto(*a));
  EXPECT_TRUE(sel::GraficoAperto(*b));
  EXPECT_EQ(b->corse.size(), 1u);
  // A busy window is not handed over.
  b->occupata = true;
  Apri(b, "300", "80");
  EXPECT_EQ(FGrafico().VScroll2->Value(), 400);
  b->occupata = false;
  // Closing the window closes its chart.
  b->Scarica();
  EXPECT_EQ(FGrafico.SeCaricata(), nullptr);
  EXPECT_FALSE(sel::Grafico().GraficoAperto);
  test::ProcessaEventi();
}
