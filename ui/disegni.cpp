#include "ui/disegni.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace ui {
namespace {

void Strisce(QPainter& p, int w, int h, std::initializer_list<QColor> colori, bool verticali) {
  const int n = static_cast<int>(colori.size());
  int i = 0;
  for (const QColor& c : colori) {
    if (verticali)
      p.fillRect(QRectF(w * i / double(n), 0, w / double(n) + 1, h), c);
    else
      p.fillRect(QRectF(0, h * i / double(n), w, h / double(n) + 1), c);
    ++i;
  }
}

void CroceNordica(QPainter& p, int w, int h, QColor fondo, QColor croce) {
  p.fillRect(0, 0, w, h, fondo);
  const double s = h * 0.2;
  p.fillRect(QRectF(w * 0.3, 0, s, h), croce);
  p.fillRect(QRectF(0, (h - s) / 2, w, s), croce);
}

const QColor kRosso(206, 17, 38), kBianco(Qt::white), kVerde(0, 140, 69);

}  // namespace

QPixmap Bandiera(int lingua, int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (lingua) {
    case 0:
      Strisce(p, w, h, {kVerde, kBianco, kRosso}, true);
      break;
    case 1: {
      p.fillRect(0, 0, w, h, QColor(1, 33, 105));
      p.setPen(QPen(kBianco, h * 0.2));
      p.drawLine(0, 0, w, h);
      p.drawLine(0, h, w, 0);
      p.setPen(QPen(QColor(200, 16, 46), h * 0.07));
      p.drawLine(0, 0, w, h);
      p.drawLine(0, h, w, 0);
      p.fillRect(QRectF(w * 0.4, 0, w * 0.2, h), kBianco);
      p.fillRect(QRectF(0, h * 0.333, w, h * 0.334), kBianco);
      p.fillRect(QRectF(w * 0.44, 0, w * 0.12, h), QColor(200, 16, 46));
      p.fillRect(QRectF(0, h * 0.4, w, h * 0.2), QColor(200, 16, 46));
      break;
    }
    case 2:
      Strisce(p, w, h, {QColor(0, 35, 149), kBianco, QColor(237, 41, 57)}, true);
      break;
    case 3:
      Strisce(p, w, h, {Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)}, false);
      break;
    case 4:
      Strisce(p, w, h, {QColor(170, 21, 27), QColor(241, 191, 0), QColor(241, 191, 0), QColor(170, 21, 27)},
              false);
      break;
    case 5:
      Strisce(p, w, h, {QColor(205, 42, 62), kBianco, QColor(67, 111, 77)}, false);
      break;
    case 6: {
      const QColor blu(13, 94, 175);
      for (int i = 0; i < 9; ++i) p.fillRect(QRectF(0, h * i / 9.0, w, h / 9.0 + 1), i % 2 ? kBianco : blu);
      const double c = h * 5 / 9.0;
      p.fillRect(QRectF(0, 0, c, c), blu);
      p.fillRect(QRectF(c * 0.4, 0, c * 0.2, c), kBianco);
      p.fillRect(QRectF(0, c * 0.4, c, c * 0.2), kBianco);
      break;
    }
    case 7: {
      Strisce(p, w, h, {kBianco, QColor(215, 20, 26)}, false);
      p.setBrush(QColor(17, 69, 126));
      p.setPen(Qt::NoPen);
      p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(w / 2.0, h / 2.0), QPointF(0, h)}));
      break;
    }
    case 8:
      CroceNordica(p, w, h, QColor(0, 106, 167), QColor(254, 204, 0));
      break;
    case 9:
      Strisce(p, w, h, {kBianco, QColor(0, 57, 166), QColor(213, 43, 30)}, false);
      break;
    case 10:
      Strisce(p, w, h, {kBianco, QColor(220, 20, 60)}, false);
      break;
    case 11:
      Strisce(p, w, h, {QColor(198, 54, 60), QColor(12, 64, 118), kBianco}, false);
      break;
    case 12:
      Strisce(p, w, h, {QColor(255, 0, 0), kBianco, QColor(23, 23, 150)}, false);
      break;
    case 13:
      Strisce(p, w, h, {kBianco, QColor(0, 91, 187), QColor(237, 28, 36)}, false);
      break;
    case 14:
      CroceNordica(p, w, h, kBianco, QColor(0, 47, 108));
      break;
    default:
      break;
  }
  // The frame line runs whole along the picture's outer pixels: a line on
  // the pixels' edges would lose half of its width outside the picture at
  // the top and left and smear over two pixels at the bottom and right.
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  return pm;
}

QIcon IconaStampante() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.setBrush(kBianco);
  p.drawRect(9, 3, 14, 10);
  p.setBrush(QColor(150, 150, 160));
  p.drawRoundedRect(3, 12, 26, 11, 2, 2);
  p.setBrush(kBianco);
  p.drawRect(9, 19, 14, 10);
  p.drawLine(12, 23, 20, 23);
  p.drawLine(12, 26, 18, 26);
  return QIcon(pm);
}

QIcon IconaUnita() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.setBrush(QColor(240, 210, 120));
  p.drawRect(2, 11, 28, 10);
  for (int x = 5; x < 30; x += 4) p.drawLine(x, 11, x, x % 8 == 5 ? 17 : 15);
  return QIcon(pm);
}

QIcon IconaLingua() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(30, 80, 150), 1.5));
  p.setBrush(QColor(200, 225, 250));
  p.drawEllipse(3, 3, 26, 26);
  p.drawEllipse(10, 3, 12, 26);
  p.drawLine(3, 16, 29, 16);
  p.drawLine(16, 3, 16, 29);
  return QIcon(pm);
}

QPixmap Logo(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, QColor(0, 90, 170));
  g.setColorAt(1, QColor(0, 160, 200));
  p.setBrush(g);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(2, 2, w - 4, h - 4), w * 0.15, h * 0.15);
  // Three waves: air over a water coil.
  p.setPen(QPen(kBianco, w * 0.05, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 3; ++i) {
    QPainterPath onda;
    const double y = h * (0.32 + 0.18 * i);
    onda.moveTo(w * 0.18, y);
    onda.cubicTo(w * 0.38, y - h * 0.12, w * 0.62, y + h * 0.12, w * 0.82, y);
    p.drawPath(onda);
  }
  return pm;
}

}  // namespace ui
