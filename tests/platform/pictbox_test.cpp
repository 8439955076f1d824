#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <limits>
#include <memory>
#include <tuple>

#include "platform/controlli.h"
#include "platform/messaggi.h"
#include "platform/pictbox.h"
#include "tests/support/supporto.h"

namespace {

using Tipo = plat::PictureBox::Elemento::Tipo;

std::unique_ptr<plat::PictureBox> Riquadro(int w = 200, int h = 100) {
  auto p = std::make_unique<plat::PictureBox>(nullptr, "pct");
  p->resize(w, h);
  return p;
}

}  // namespace

TEST(PictureBox, ScalaInCoordinateUtente) {
  struct Caso {
    double x1, y1, x2, y2;  // the scale
    double x, y;            // a point
    double px, py;          // where it lands on a 200 x 100 box
  } casi[] = {
      {0, 0, 200, 100, 50, 25, 50, 25},  // pixels
      {0, 10, 20, 0, 5, 10, 50, 0},      // y upward: the top is 10
      {0, 10, 20, 0, 20, 0, 200, 100},
      {-10, 110, 110, -10, 0, 0, 200.0 / 12, 100.0 * 110 / 120},
      {-0.1, 1, 1.1, -0.1, 0.5, 0.5, 100, 100.0 * 0.5 / 1.1},
  };
  for (const Caso& c : casi) {
    auto p = Riquadro();
    ASSERT_TRUE(p->Scale(c.x1, c.y1, c.x2, c.y2));
    const QPointF px = p->InPixel(c.x, c.y);
    EXPECT_NEAR(px.x(), c.px, 1e-9) << c.x1 << " " << c.y1;
    EXPECT_NEAR(px.y(), c.py, 1e-9) << c.x1 << " " << c.y1;
  }
  // A scale of no width or height, or of no finite size, is refused.
  const double inf = std::numeric_limits<double>::infinity();
  auto p = Riquadro();
  ASSERT_TRUE(p->Scale(0, 10, 20, 0));
  for (auto [x1, y1, x2, y2] : {std::array{5.0, 0.0, 5.0, 1.0}, std::array{0.0, 3.0, 1.0, 3.0},
                                std::array{0.0, inf, 1.0, 0.0}, std::array{std::nan(""), 1.0, 1.0, 0.0}}) {
    EXPECT_FALSE(p->Scale(x1, y1, x2, y2));
  }
  EXPECT_EQ(p->ScaleTop(), 10);
  EXPECT_EQ(p->ScaleWidth(), 20);
  p->SetScaleMode(3);
  EXPECT_EQ(p->InPixel(7, 9), QPointF(7, 9));
}

TEST(PictureBox, RegistroEPosizioneCorrente) {
  auto p = Riquadro();
  p->Scale(0, 100, 200, 0);
  p->SetDrawWidth(1);
  p->Line(0, 0, 150, 0, plat::QBColor(0));
  EXPECT_EQ(p->CurrentX(), 150);
  p->SetCurrentX(-5);
  p->Print(plat::TestoStampa(7.5));
  EXPECT_EQ(p->CurrentX(), 0);  // back to the left edge, one line lower
  EXPECT_LT(p->CurrentY(), 0);
  p->SetDrawWidth(3);
  p->PSet(20, 30, plat::QBColor(4));
  p->Circle(50, 60, 2, plat::QBColor(1));
  const auto& r = p->Registro();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].tipo, Tipo::Linea);
  EXPECT_EQ(r[0].x2, 150);
  EXPECT_EQ(r[0].spessore, 1);
  EXPECT_EQ(r[1].tipo, Tipo::Testo);
  EXPECT_EQ(r[1].testo, " 7.5");
  EXPECT_EQ(r[1].x1, -5);
  EXPECT_EQ(r[1].y1, 0);
  EXPECT_EQ(r[2].tipo, Tipo::Punto);
  EXPECT_EQ(r[2].colore, QColor(128, 0, 0));
  EXPECT_EQ(r[2].spessore, 3);
  EXPECT_EQ(r[3].tipo, Tipo::Cerchio);
  EXPECT_EQ(r[3].raggio, 2);
  EXPECT_EQ(r[3].colore, QColor(0, 0, 128));
  p->Cls();
  EXPECT_TRUE(p->Registro().empty());
  EXPECT_EQ(p->CurrentX(), 0);
  EXPECT_EQ(p->CurrentY(), 100);
}

TEST(PictureBox, IlDisegnoRestaNelleRidipinture) {
  auto p = Riquadro();
  p->SetBackColor(Qt::white);
  p->Scale(0, 100, 200, 0);
  p->SetDrawWidth(3);
  p->Line(0, 50, 200, 50, plat::QBColor(4));
  p->PSet(40, 80, plat::QBColor(1));
  p->Circle(150, 50, 20, plat::QBColor(0));
  // Points far outside the box and points that are no numbers draw nothing
  // and break nothing.
  p->PSet(1e300, -1e300, plat::QBColor(0));
  p->Line(0, 0, std::nan(""), 1, plat::QBColor(0));
  p->Circle(10, 10, 1e300, plat::QBColor(0));
  p->show();
  for (int volta = 0; volta < 2; ++volta) {
    const QImage img = p->grab().toImage();
    EXPECT_EQ(img.pixelColor(100, 50), QColor(128, 0, 0));
    EXPECT_EQ(img.pixelColor(40, 20), QColor(0, 0, 128));
    EXPECT_EQ(img.pixelColor(150, 30), QColor(0, 0, 0));  // top of the circle: radius 20 pixels
    EXPECT_EQ(img.pixelColor(150, 40), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::white));
    p->update();
    test::ProcessaEventi();
  }
  EXPECT_EQ(p->Immagine().pixelColor(100, 50), QColor(128, 0, 0));
}

TEST(PictureBox, ColoriENumeriComeLiStampa) {
  EXPECT_EQ(plat::QBColor(0), QColor(0, 0, 0));
  EXPECT_EQ(plat::QBColor(1), QColor(0, 0, 128));
  EXPECT_EQ(plat::QBColor(4), QColor(128, 0, 0));
  EXPECT_EQ(plat::QBColor(8), QColor(128, 128, 128));
  EXPECT_EQ(plat::QBColor(99), QColor(0, 0, 0));
  EXPECT_EQ(plat::TestoStampa(5), " 5");
  EXPECT_EQ(plat::TestoStampa(0.5), " 0.5");
  EXPECT_EQ(plat::TestoStampa(0), " 0");
  EXPECT_EQ(plat::TestoStampa(-2.5), "-2.5");
}

TEST(ScrollBar, MinSopraMaxCorreVersoLAlto) {
  plat::ScrollBar barra(nullptr, "VScroll");
  barra.resize(20, 200);
  int cambi = 0;
  barra.Change = [&] { ++cambi; };
  barra.Estremi(50, 50);
  barra.SetValue(50);
  cambi = 0;
  barra.SetMin(800);
  EXPECT_EQ(barra.Min(), 800);
  EXPECT_EQ(barra.Max(), 50);
  EXPECT_EQ(cambi, 0);
  // A value set by code fires Change, once; the same value again does not.
  barra.SetValue(400);
  EXPECT_EQ(cambi, 1);
  barra.SetValue(400);
  EXPECT_EQ(cambi, 1);
  barra.SetSmallChange(1);
  barra.SetLargeChange(10);
  barra.show();
  // The up arrow and the up key raise the value; the down arrow lowers it.
  QTest::mouseClick(&barra, Qt::LeftButton, {}, QPoint(10, 3));
  EXPECT_EQ(barra.Value(), 401);
  QTest::mouseClick(&barra, Qt::LeftButton, {}, QPoint(10, 196));
  EXPECT_EQ(barra.Value(), 400);
  QTest::keyClick(&barra, Qt::Key_Up);
  EXPECT_EQ(barra.Value(), 401);
  QTest::keyClick(&barra, Qt::Key_Down);
  EXPECT_EQ(barra.Value(), 400);
  QWheelEvent ruota(QPointF(10, 100), QPointF(10, 100), {}, QPoint(0, 120), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&barra, &ruota);
  EXPECT_GT(barra.Value(), 400);
  barra.SetValue(400);
  EXPECT_EQ(cambi, 7);
  // The thumb stands at the top for the top value.
  barra.SetValue(800);
  EXPECT_EQ(barra.sliderPosition(), barra.minimum());
  // A bar that runs downward again.
  barra.Estremi(0, 100);
  EXPECT_EQ(barra.Min(), 0);
  EXPECT_EQ(barra.Max(), 100);
  EXPECT_EQ(barra.Value(), 100);  // brought inside the new ends
  QTest::mouseClick(&barra, Qt::LeftButton, {}, QPoint(10, 3));
  EXPECT_EQ(barra.Value(), 99);
}

// A step whose Change shows a message ends the press that made it (on the
// lower arrow, in the trough, with the message open 200 ms as a message box
// holds the events running): the steps before it repeat, none after it, not
// even back on the arrow still held; the release moves nothing, a click one
// step.
TEST(ScrollBar, UnMessaggioFinisceLaPressione) {
  test::RegistroMessaggi reg;
  plat::ScrollBar barra(nullptr, "VScroll");
  barra.resize(20, 200);
  barra.Estremi(800, 50);
  barra.SetLargeChange(10);
  barra.show();
  for (const auto& [y, passo, aperto] :
       {std::tuple(196, 1, 0), std::tuple(170, 10, 0), std::tuple(196, 1, 200)}) {
    barra.Change = nullptr;
    barra.SetValue(400);
    reg.Svuota();
    reg.alMessaggio = [aperto = aperto] { QTest::qWait(aperto); };
    const int fine = 400 - 3 * passo;
    barra.Change = [&, fine] {
      if (barra.Value() <= fine) plat::MsgBox(QStringLiteral("WARNING"));
    };
    QTest::mousePress(&barra, Qt::LeftButton, {}, QPoint(10, y));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reg.messaggi.empty(); }, 10000));
    QTest::qWait(400);
    QTest::mouseMove(&barra, QPoint(10, 100));
    QTest::mouseMove(&barra, QPoint(10, y));
    QTest::mouseRelease(&barra, Qt::LeftButton, {}, QPoint(10, y));
    EXPECT_EQ(barra.Value(), fine);
    QTest::mouseClick(&barra, Qt::LeftButton, {}, QPoint(10, y));
    EXPECT_EQ(barra.Value(), fine - passo);
    EXPECT_EQ(reg.messaggi.size(), 2u);
  }
}
