// Controls of the forms: thin classes over Qt widgets with the behaviour the
// window code relies on (click on a change made by code, lists that start
// with no selection, lost-focus checks after the focus has moved).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <map>

#include "platform/lista_voci.h"

namespace plat {

using Evento = std::function<void()>;

// Places a widget by twips (15 twips a pixel).
void PosizionaTw(QWidget* w, int left, int top, int width = -1, int height = -1);

// Names a control (and its index, for control arrays) for lookups by name.
void NominaControllo(QWidget* w, const QString& nome, int indice);

class TextBox : public QLineEdit {
  Q_OBJECT
 public:
  TextBox(QWidget* parent, const QString& nome, int indice = -1);
  int Indice() const { return indice_; }
  QString Text() const { return text(); }
  void SetText(const QString& t) { setText(t); }
  int SelStart() const;
  int SelLength() const;
  void SetSelezione(int start, int length);
  // Gives the box the focus back after a check's message, its whole text
  // selected (no other box of the window keeps a selection).  Called from a
  // lost-focus check, the control that had just received the focus gives it
  // back without a check of its own.
  void SetFocus();
  QString Tag() const { return property("Tag").toString(); }
  void SetTag(const QString& t);
  // The width (pixels) at which the box shows its whole text.
  int LarghezzaDelTesto() const;

  Evento GotFocus;
  Evento LostFocus;

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  int indice_;
};

class Label : public QLabel {
  Q_OBJECT
 public:
  Label(QWidget* parent, const QString& nome, int indice = -1);
  QString Caption() const { return text(); }
  void SetCaption(const QString& t) { setText(t); }
  Evento Click;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

class Frame : public QGroupBox {
  Q_OBJECT
 public:
  Frame(QWidget* parent, const QString& nome, int indice = -1);
  QString Caption() const { return title(); }
  void SetCaption(const QString& t) { setTitle(t); }
};

class CheckBox : public QCheckBox {
  Q_OBJECT
 public:
  CheckBox(QWidget* parent, const QString& nome, int indice = -1);
  int Value() const { return isChecked() ? 1 : 0; }
  void SetValue(int v) { setChecked(v != 0); }  // fires Click on a change
  QString Caption() const { return text(); }
  void SetCaption(const QString& t) { setText(t); }
  Evento Click;
};

class CommandButton : public QPushButton {
  Q_OBJECT
 public:
  CommandButton(QWidget* parent, const QString& nome, int indice = -1);
  QString Caption() const { return text(); }
  void SetCaption(const QString& t) { setText(t); }
  Evento Click;
};

// A list that cannot be typed into.  Adding entries selects nothing; a
// change of the selection, by the user or by code, fires Click.
class ComboBox : public QComboBox, public ListaVoci {
  Q_OBJECT
 public:
  ComboBox(QWidget* parent, const QString& nome, int indice = -1);
  void AddItem(const QString& voce);
  void Clear();
  int ListIndex() const { return currentIndex(); }
  void SetListIndex(int i);
  int ListCount() const { return count(); }
  QString List(int i) const { return itemText(i); }
  QString Text() const { return currentText(); }
  // An entry the user cannot choose (the arrows and the wheel pass over it).
  void DisabilitaVoce(int i);
  Evento Click;

  void Svuota() override { Clear(); }
  void Aggiungi(const std::string& voce) override { AddItem(QString::fromStdString(voce)); }
  void Seleziona(int posizione) override { SetListIndex(posizione); }
};

// A vertical scroll bar with Min at its top and Max at its bottom.  Min may
// be above Max: the bar then runs upward (the up arrow, the up key and the
// wheel raise the value).  Tab reaches it; once it has the focus the arrow,
// page, Home and End keys move it.  Change fires on every change of the
// value, by the user or by code.
class ScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  ScrollBar(QWidget* parent, const QString& nome, int indice = -1);
  int Value() const { return segno_ * value(); }
  void SetValue(int v) { setValue(segno_ * v); }  // fires Change only when the value changes
  int Min() const { return segno_ * minimum(); }
  int Max() const { return segno_ * maximum(); }
  // New ends; a value outside them is brought inside (firing Change).
  void SetMin(int v) { Estremi(v, Max()); }
  void SetMax(int v) { Estremi(Min(), v); }
  void Estremi(int min, int max);
  int SmallChange() const { return singleStep(); }
  void SetSmallChange(int v) { setSingleStep(v); }
  int LargeChange() const { return pageStep(); }
  void SetLargeChange(int v) { setPageStep(v); }
  // Ends an arrow or page press: no more repeats, and the arrow or trough
  // no longer held, as if the button had been released.  A Change that
  // shows a message does this itself: the message takes the button's
  // release, and the bar would go on stepping after each OK.
  void FermaRipetizione();
  Evento Change;

 private:
  // -1 while the bar runs upward: the Qt value is the opposite of Value.
  int segno_ = 1;
};

class Timer : public QObject {
  Q_OBJECT
 public:
  explicit Timer(QObject* parent);
  void SetInterval(int ms) { t_.setInterval(ms); }
  void SetEnabled(bool on) { on ? t_.start() : t_.stop(); }
  bool Enabled() const { return t_.isActive(); }
  Evento Tick;

 private:
  QTimer t_;
};

// A control array: elements by index, created on demand by the form.
template <class T>
class ArrayControlli {
 public:
  T* operator()(int i) const {
    auto it = el_.find(i);
    return it == el_.end() ? nullptr : it->second;
  }
  void Imposta(int i, T* c) { el_[i] = c; }
  int LBound() const { return el_.empty() ? 0 : el_.begin()->first; }
  int UBound() const { return el_.empty() ? -1 : el_.rbegin()->first; }
  const std::map<int, T*>& Elementi() const { return el_; }

 private:
  std::map<int, T*> el_;
};

}  // namespace plat
