// What a window's results were worked out from.  A window whose result grid
// is filled by a run records, once the run is over, what each of its named
// controls shows; a run that left no rated row below the grid's heading
// records nothing, and the record is forgotten as soon as the grid loses a
// row (a new run heads it again, a change of units clears it).  Whoever
// reads the rows reads with them the conditions they were rated at, whatever
// the controls show later.
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <optional>
#include <utility>

namespace plat {

class Form;
class Griglia;

class RegistroCorsa : public QObject {
  Q_OBJECT
 public:
  // The record of window f (its child) for the rows of its grid g, whose
  // first `intestazione` rows head it.
  RegistroCorsa(Form& f, const Griglia& g, int intestazione);

  // The record a window keeps, nullptr for a window without one.
  static RegistroCorsa* Di(const Form& f);

  // Records what the window's named controls show now, with the numbers the
  // run read from some of them (by control name), as it read them; nothing
  // while the grid holds no rated row.
  void Registra(const std::map<QString, double>& letti = {});
  // True from a record until the grid loses a row: the grid then holds the
  // rated rows the record belongs to.
  bool Presente() const { return presente_; }

  // As recorded: the text a control showed (a box's text; the caption of a
  // label, frame or tick box; the chosen item of a list), whether a tick
  // box was ticked.  Empty, and not ticked, for a control the window did not
  // have or while nothing is recorded.
  QString Testo(const QString& nome, int indice = -1) const;
  bool Spuntata(const QString& nome, int indice = -1) const;
  // The number the run read from a control, when it was recorded.
  std::optional<double> Letto(const QString& nome) const;

 signals:
  // Recorded, or forgotten.
  void Cambiato();

 private:
  void Dimentica();

  struct Voce {
    QString testo;
    bool spuntata = false;
  };
  const Form& f_;
  const Griglia& g_;
  const int intestazione_;
  bool presente_ = false;
  std::map<std::pair<QString, int>, Voce> voci_;
  std::map<QString, double> letti_;
};

}  // namespace plat
