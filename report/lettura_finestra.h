// What the report reads of a selection window: its result grid, and the
// controls its rows were rated with, found by the names (and control-array
// indices) that every selection window gives them, as the window recorded
// them for the run that filled its grid.
#pragma once

#include <QString>

namespace plat {
class Form;
class Griglia;
class RegistroCorsa;
}  // namespace plat

namespace rapporto {

class LetturaFinestra {
 public:
  LetturaFinestra(const plat::Form& finestra, const plat::RegistroCorsa& corsa)
      : f_(finestra), corsa_(corsa) {}

  QString Nome() const;
  // The text a control showed when the run was recorded: a box's text; the
  // caption of a label, frame or tick box; the chosen item of a list.  Empty
  // when the window has no such control.
  QString Testo(const QString& nome, int indice = -1) const;
  bool Spuntata(const QString& nome, int indice) const;
  // The number the run read from a box, where the window recorded it; else
  // the box's text read as the program reads numbers ("," as ".", no number
  // 0).
  double Numero(const QString& nome) const;
  // The result grid (nullptr for a window without one).
  const plat::Griglia* Griglia() const;

 private:
  const plat::Form& f_;
  const plat::RegistroCorsa& corsa_;
};

}  // namespace rapporto
