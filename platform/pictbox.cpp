#include "platform/pictbox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/controlli.h"

namespace plat {
namespace {

// Farther than this from the box, a point is drawn at this distance: the
// painter's integer arithmetic would overflow.
constexpr double kLimitePixel = 1e6;

double Limita(double v) { return std::clamp(v, -kLimitePixel, kLimitePixel); }

}  // namespace

QColor QBColor(int n) {
  static const std::array<QColor, 16> colori = {
      QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
      QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
      QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
      QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
  return n >= 0 && n < 16 ? colori[n] : colori[0];
}

QString TestoStampa(double v) {
  const QString t = QString::number(v, 'g', 7);
  return v >= 0 ? QStringLiteral(" ") + t : t;
}

PictureBox::PictureBox(QWidget* parent, const QString& nome, int indice) : QWidget(parent) {
  NominaControllo(this, nome, indice);
  back_ = palette().color(QPalette::Base);
  fore_ = palette().color(QPalette::Text);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Prepara() {
  const QSize dim = size().expandedTo(QSize(1, 1));
  if (pixel_) {
    sw_ = dim.width();
    sh_ = dim.height();
  }
  if (immagine_.size() == dim) return;
  QImage nuova(dim, QImage::Format_RGB32);
  nuova.fill(back_);
  if (!immagine_.isNull()) {
    QPainter p(&nuova);
    p.drawImage(0, 0, immagine_);
  }
  immagine_ = std::move(nuova);
}

void PictureBox::SetBackColor(const QColor& c) {
  back_ = c;
  Cls();
}

void PictureBox::Cls() {
  immagine_ = QImage();
  Prepara();
  registro_.clear();
  cx_ = sx_;
  cy_ = sy_;
  update();
}

bool PictureBox::Scale(double x1, double y1, double x2, double y2) {
  const double w = x2 - x1, h = y2 - y1;
  if (!std::isfinite(w) || !std::isfinite(h) || w == 0 || h == 0) return false;
  pixel_ = false;
  sx_ = x1;
  sy_ = y1;
  sw_ = w;
  sh_ = h;
  return true;
}

void PictureBox::SetScaleMode(int modo) {
  if (modo != 3) return;
  pixel_ = true;
  sx_ = sy_ = 0;
  Prepara();
}

QPointF PictureBox::InPixel(double x, double y) const {
  const double w = std::max(width(), 1), h = std::max(height(), 1);
  return {Limita((x - sx_) * w / sw_), Limita((y - sy_) * h / sh_)};
}

namespace {

bool Finito(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

void PictureBox::Line(double x1, double y1, double x2, double y2, const QColor& colore) {
  Prepara();
  registro_.push_back({Elemento::Tipo::Linea, x1, y1, x2, y2, 0, colore, spessore_, {}});
  cx_ = x2;
  cy_ = y2;
  if (!Finito(x1, y1) || !Finito(x2, y2)) return;
  QPainter p(&immagine_);
  p.setPen(QPen(colore, spessore_, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(InPixel(x1, y1), InPixel(x2, y2));
  update();
}

void PictureBox::PSet(double x, double y, const QColor& colore) {
  Prepara();
  registro_.push_back({Elemento::Tipo::Punto, x, y, x, y, 0, colore, spessore_, {}});
  cx_ = x;
  cy_ = y;
  if (!Finito(x, y)) return;
  // A square dot DrawWidth pixels wide: a round one costs a stroke per point.
  const QPointF c = InPixel(x, y);
  QPainter p(&immagine_);
  p.fillRect(QRectF(c.x() - spessore_ / 2.0, c.y() - spessore_ / 2.0, spessore_, spessore_), colore);
  update();
}

void PictureBox::Circle(double x, double y, double raggio, const QColor& colore) {
  Prepara();
  registro_.push_back({Elemento::Tipo::Cerchio, x, y, x, y, raggio, colore, spessore_, {}});
  cx_ = x;
  cy_ = y;
  if (!Finito(x, y) || !std::isfinite(raggio)) return;
  const double r = Limita(std::abs(raggio * std::max(width(), 1) / sw_));
  QPainter p(&immagine_);
  p.setPen(QPen(colore, spessore_));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(InPixel(x, y), r, r);
  update();
}

void PictureBox::Print(const QString& testo) {
  Prepara();
  registro_.push_back({Elemento::Tipo::Testo, cx_, cy_, cx_, cy_, 0, fore_, spessore_, testo});
  const QFontMetricsF fm(font());
  if (Finito(cx_, cy_)) {
    QPainter p(&immagine_);
    p.setFont(font());
    p.setPen(fore_);
    const QPointF angolo = InPixel(cx_, cy_);
    p.drawText(QPointF(angolo.x(), angolo.y() + fm.ascent()), testo);
    update();
  }
  cx_ = sx_;
  cy_ += fm.height() * sh_ / std::max(height(), 1);
}

void PictureBox::paintEvent(QPaintEvent*) {
  Prepara();
  QPainter p(this);
  p.drawImage(0, 0, immagine_);
}

void PictureBox::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Prepara();
}

}  // namespace plat
