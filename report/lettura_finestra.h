// What the report reads of a selection window: its controls, found by the
// names (and control-array indices) that every selection window gives them.
#pragma once

#include <QString>

namespace plat {
class Form;
class Griglia;
}  // namespace plat

namespace rapporto {

class LetturaFinestra {
 public:
  explicit LetturaFinestra(const plat::Form& finestra) : f_(finestra) {}

  QString Nome() const;
  // The text a control shows: a box's text; the caption of a label, frame or
  // tick box; the chosen item of a list.  Empty when the window has no such
  // control.
  QString Testo(const QString& nome, int indice = -1) const;
  bool Spuntata(const QString& nome, int indice) const;
  // A box's text read as the program reads numbers ("," as ".", no number 0).
  double Numero(const QString& nome) const;
  // The result grid (nullptr for a window without one).
  const plat::Griglia* Griglia() const;

 private:
  const plat::Form& f_;
};

}  // namespace rapporto
