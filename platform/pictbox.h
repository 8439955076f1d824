// A picture box that draws in user coordinates.  Every drawing operation
// paints into a kept picture (so the drawing survives repaints) and is also
// written to a drawing record in user coordinates, which tests read back.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <vector>

namespace plat {

// The sixteen classic colours by number (0 black, 1 dark blue, 4 dark red,
// 8 grey, ...); a number outside 0..15 gives black.
QColor QBColor(int n);

// A number as Print writes it: a blank before a number that is not
// negative, up to seven significant digits, "." as decimal mark.
QString TestoStampa(double v);

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  PictureBox(QWidget* parent, const QString& nome, int indice = -1);

  // One operation of the drawing record, in user coordinates.
  struct Elemento {
    enum class Tipo { Linea, Punto, Cerchio, Testo };
    Tipo tipo;
    double x1, y1, x2, y2;  // a line from (x1, y1) to (x2, y2); the point, centre or text corner at (x1, y1)
    double raggio;          // circle radius in horizontal units
    QColor colore;
    int spessore;  // DrawWidth in pixels
    QString testo;
  };

  // Clears the picture and the record; the current position goes back to
  // the top left corner of the scale.
  void Cls();
  // Scale (x1, y1)-(x2, y2): the top left corner is (x1, y1), the bottom
  // right (x2, y2); y1 > y2 makes y grow upward.  A scale of zero or
  // non-finite width or height is refused (false) and the old one stays.
  bool Scale(double x1, double y1, double x2, double y2);
  // 3 = pixels: the default scale of one unit a pixel, y downward.
  void SetScaleMode(int modo);
  double ScaleLeft() const { return sx_; }
  double ScaleTop() const { return sy_; }
  double ScaleWidth() const { return sw_; }
  double ScaleHeight() const { return sh_; }

  void SetDrawWidth(int w) { spessore_ = w < 1 ? 1 : w; }
  int DrawWidth() const { return spessore_; }
  QColor ForeColor() const { return fore_; }
  void SetForeColor(const QColor& c) { fore_ = c; }
  QColor BackColor() const { return back_; }
  void SetBackColor(const QColor& c);

  // A line; the current position moves to its end.
  void Line(double x1, double y1, double x2, double y2, const QColor& colore);
  // A point DrawWidth pixels wide; the current position moves to it.
  void PSet(double x, double y, const QColor& colore);
  // A circle whose radius is measured along x; the current position moves
  // to its centre.
  void Circle(double x, double y, double raggio, const QColor& colore);
  double CurrentX() const { return cx_; }
  double CurrentY() const { return cy_; }
  void SetCurrentX(double x) { cx_ = x; }
  void SetCurrentY(double y) { cy_ = y; }
  // Text in the box's font and fore colour with its top left corner at the
  // current position; then the position moves to the start of the next line.
  void Print(const QString& testo);

  // Pixel position of a point in user coordinates (far points are clamped
  // to a range the painter can handle).
  QPointF InPixel(double x, double y) const;

  const std::vector<Elemento>& Registro() const { return registro_; }
  // The kept picture.
  const QImage& Immagine() const { return immagine_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Prepara();

  QImage immagine_;
  std::vector<Elemento> registro_;
  double sx_ = 0, sy_ = 0, sw_ = 1, sh_ = 1;
  bool pixel_ = true;  // the pixel scale follows the size of the box
  double cx_ = 0, cy_ = 0;
  int spessore_ = 1;
  QColor fore_, back_;
};

}  // namespace plat
