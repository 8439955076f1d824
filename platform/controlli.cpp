#include "platform/controlli.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/fuoco.h"
#include "platform/messaggi.h"
#include "platform/schermo.h"

namespace plat {

void PosizionaTw(QWidget* w, int left, int top, int width, int height) {
  const int l = left / kTwipPerPixel, t = top / kTwipPerPixel;
  if (width < 0 || height < 0) {
    w->move(l, t);
  } else {
    w->setGeometry(l, t, width / kTwipPerPixel, height / kTwipPerPixel);
  }
}

void NominaControllo(QWidget* w, const QString& nome, int indice) {
  w->setObjectName(nome);
  if (indice >= 0) w->setProperty("Indice", indice);
}

// ---- TextBox ----

TextBox::TextBox(QWidget* parent, const QString& nome, int indice) : QLineEdit(parent), indice_(indice) {
  NominaControllo(this, nome, indice);
}

int TextBox::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }
int TextBox::SelLength() const { return static_cast<int>(selectedText().size()); }

void TextBox::SetSelezione(int start, int length) { setSelection(start, length); }

int TextBox::LarghezzaDelTesto() const {
  // The text and the cursor after it, within the box's margins (two pixels
  // a side inside the text margins), then the frame the style draws.
  constexpr int kMargine = 2;
  const QMargins tm = textMargins(), cm = contentsMargins();
  const int testo = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text()))) + 2;
  QStyleOptionFrame opt;
  initStyleOption(&opt);
  const QSize contenuto(testo + 2 * kMargine + tm.left() + tm.right() + cm.left() + cm.right(), height());
  return style()->sizeFromContents(QStyle::CT_LineEdit, &opt, contenuto, this).width();
}

void TextBox::SetFocus() {
  if (Fuoco::InVerifica()) {
    QWidget* ora = QApplication::focusWidget();
    if (ora && ora != this) Fuoco::SopprimiUscita(ora);
    Fuoco::SegnaRichiamo();
  }
  // The box that had the focus while the message was up keeps no selection.
  for (auto* altra : window()->findChildren<QLineEdit*>())
    if (altra != this && altra->hasSelectedText()) altra->deselect();
  setFocus(Qt::OtherFocusReason);
  // Typing replaces the refused value, also where the window gets its
  // activation back only after this call (the focus then arrives with no
  // event of its own).
  selectAll();
}

void TextBox::SetTag(const QString& t) {
  setProperty("Tag", t);
  setToolTip(t);
}

void TextBox::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
  if (!GotFocus) return;
  const bool eseguito = Fuoco::Protetto(this, GotFocus);
  // A mouse click places the cursor after the focus arrives: select again
  // (after an error in the handler, only the selection the trap made).
  if (e->reason() == Qt::MouseFocusReason) {
    QPointer<TextBox> io(this);
    QTimer::singleShot(0, this, [io, eseguito] {
      if (!io || !io->hasFocus()) return;
      if (!eseguito)
        io->selectAll();
      else if (io->GotFocus)
        Fuoco::Protetto(io, io->GotFocus);
    });
  }
}

void TextBox::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
  if (Fuoco::ConsumaSoppressione(this)) return;
  if (LostFocus) Fuoco::AccodaUscita(this);
}

// ---- Label, Frame ----

Label::Label(QWidget* parent, const QString& nome, int indice) : QLabel(parent) {
  NominaControllo(this, nome, indice);
  setTextFormat(Qt::PlainText);  // a caption is shown as it is written, whatever it holds
}

void Label::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (Click && e->button() == Qt::LeftButton) Click();
}

Frame::Frame(QWidget* parent, const QString& nome, int indice) : QGroupBox(parent) {
  NominaControllo(this, nome, indice);
}

// ---- CheckBox, CommandButton ----

CheckBox::CheckBox(QWidget* parent, const QString& nome, int indice) : QCheckBox(parent) {
  NominaControllo(this, nome, indice);
  connect(this, &QCheckBox::toggled, this, [this] {
    if (Click) Click();
  });
}

CommandButton::CommandButton(QWidget* parent, const QString& nome, int indice) : QPushButton(parent) {
  NominaControllo(this, nome, indice);
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] {
    if (Click) Click();
  });
}

// ---- ComboBox ----

ComboBox::ComboBox(QWidget* parent, const QString& nome, int indice) : QComboBox(parent) {
  NominaControllo(this, nome, indice);
  setEditable(false);
  connect(this, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0 && Click) Click();
  });
}

void ComboBox::AddItem(const QString& voce) {
  const bool blocca = blockSignals(true);
  const int prima = currentIndex();
  addItem(voce);
  if (currentIndex() != prima) setCurrentIndex(prima);  // Qt selects the first entry by itself
  blockSignals(blocca);
}

void ComboBox::Clear() {
  const bool blocca = blockSignals(true);
  clear();
  blockSignals(blocca);
}

void ComboBox::DisabilitaVoce(int i) {
  if (auto* m = qobject_cast<QStandardItemModel*>(model()))
    if (QStandardItem* voce = m->item(i))
      voce->setFlags(voce->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
}

void ComboBox::SetListIndex(int i) { setCurrentIndex(i < count() ? i : -1); }

// ---- ScrollBar, Timer ----

ScrollBar::ScrollBar(QWidget* parent, const QString& nome, int indice) : QScrollBar(Qt::Vertical, parent) {
  NominaControllo(this, nome, indice);
  // Tab and a click give it the focus; then the arrows, the page keys,
  // Home and End move it.
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QScrollBar::valueChanged, this, [this] {
    if (!Change) return;
    const unsigned long messaggi = MessaggiMostrati();
    Change();
    // A step that showed a message is the last of its press: the next one
    // needs a new press.
    if (MessaggiMostrati() != messaggi) FermaRipetizione();
  });
}

void ScrollBar::FermaRipetizione() {
  setRepeatAction(SliderNoAction);
  // The release clears the held arrow or trough (a release that comes
  // later finds nothing held and moves nothing).
  const QPointF qui(width() / 2.0, height() / 2.0);
  QMouseEvent rilascio(QEvent::MouseButtonRelease, qui, mapToGlobal(qui), Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
  mouseReleaseEvent(&rilascio);
}

void ScrollBar::Estremi(int min, int max) {
  const int limite = std::numeric_limits<int>::max();
  min = std::clamp(min, -limite, limite);
  max = std::clamp(max, -limite, limite);
  const int prima = Value();
  const bool blocca = blockSignals(true);
  segno_ = min > max ? -1 : 1;
  setRange(segno_ * min, segno_ * max);
  setValue(segno_ * std::clamp(prima, std::min(min, max), std::max(min, max)));
  blockSignals(blocca);
  if (Value() != prima && Change) Change();
}

Timer::Timer(QObject* parent) : QObject(parent) {
  connect(&t_, &QTimer::timeout, this, [this] {
    if (Tick) Tick();
  });
}

}  // namespace plat
