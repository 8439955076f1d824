#include "platform/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <algorithm>

#include "platform/messaggi.h"
#include "platform/schermo.h"

namespace plat {
namespace {

std::vector<Form*>& Elenco() {
  static std::vector<Form*> elenco;
  return elenco;
}

QPointer<QMdiArea>& Area() {
  static QPointer<QMdiArea> area;
  return area;
}

}  // namespace

Form::Form(const QString& nome, Tipo tipo) : QWidget(nullptr), nome_(nome), tipo_(tipo) {
  setObjectName(nome);
  if (tipo != Tipo::Figlia) setWindowFlag(Qt::Window, true);
}

Form::~Form() {
  auto& e = Elenco();
  e.erase(std::remove(e.begin(), e.end(), this), e.end());
  if (azzera_) azzera_();
}

void Form::Carica() {
  if (caricata_) return;
  if (!progettata_) {
    progettata_ = true;
    Progetta();
    InstallaAnteprimaTasti();
  }
  caricata_ = true;
  Elenco().push_back(this);
  Form_Load();
}

void Form::Scarica() {
  if (!caricata_ || in_scarico_) return;
  in_scarico_ = true;
  Form_Unload();
  auto& e = Elenco();
  e.erase(std::remove(e.begin(), e.end(), this), e.end());
  caricata_ = false;
  if (azzera_) {
    auto f = std::move(azzera_);
    azzera_ = nullptr;
    f();
  }
  emit scaricata();
  for (QEventLoop* ciclo : cicli_modali_) ciclo->quit();
  if (sotto_) {
    sotto_->hide();
    sotto_->deleteLater();
  } else {
    hide();
    deleteLater();
  }
  if (e.empty()) QCoreApplication::quit();
}

void Form::TrappolaGenerica() {
  PuntatoreNormale();
  MsgBox(QStringLiteral("Errore generico"), Icona::Esclamativa);
}

void Form::ImpostaCaption(const QString& testo) {
  Carica();
  setWindowTitle(testo);
  if (sotto_) sotto_->setWindowTitle(testo);
}

QString Form::Caption() const { return windowTitle(); }

void Form::Mostra(bool modale) {
  Carica();
  if (!caricata_) return;  // Form_Load unloaded it
  QPointer<Form> io(this);
  if (tipo_ == Tipo::Figlia && AreaFigli()) {
    if (!sotto_) {
      const QPoint posizione = pos();
      sotto_ = AreaFigli()->addSubWindow(this);
      sotto_->setWindowTitle(windowTitle());
      sotto_->setAttribute(Qt::WA_DeleteOnClose, false);
      const QSize progetto = size();
      sotto_->resize(sotto_->sizeHint().expandedTo(progetto + (sotto_->sizeHint() - sizeHint())));
      if (posizioneImpostata_) sotto_->move(posizione);
    }
    sotto_->show();
    show();
    AreaFigli()->setActiveSubWindow(sotto_);
  } else {
    if (tipo_ == Tipo::Finestra && !isVisible() && !posizioneImpostata_) CentraSullaPrincipale();
    if (modale) setWindowModality(Qt::ApplicationModal);
    if (!isVisible() && QApplication::activeWindow() != this) precedente_ = QApplication::activeWindow();
    show();
    raise();
    activateWindow();
  }
  if (modale && io && caricata_) {
    QEventLoop ciclo;
    cicli_modali_.push_back(&ciclo);
    ciclo.exec();
    if (io)
      io->cicli_modali_.erase(std::remove(io->cicli_modali_.begin(), io->cicli_modali_.end(), &ciclo),
                              io->cicli_modali_.end());
  }
}

namespace {

// The screen's area free of panels, where windows are placed.
QRect AreaDisponibile(const QWidget* w) {
  QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  return s ? s->availableGeometry() : QRect();
}

}  // namespace

void Form::CentraSullaPrincipale() {
  const QRect area = AreaDisponibile(this);
  QRect riferimento = area;
  for (Form* f : Elenco())
    if (f->tipo_ == Tipo::Principale && f->isVisible()) riferimento = f->frameGeometry();
  if (!testAttribute(Qt::WA_Resized)) adjustSize();
  QRect posto(QPoint(0, 0), size());
  posto.moveCenter(riferimento.center());
  // Never off the screen: the title bar stays within reach.
  if (!area.isEmpty()) {
    posto.moveRight(std::min(posto.right(), area.right()));
    posto.moveBottom(std::min(posto.bottom(), area.bottom()));
    posto.moveLeft(std::max(posto.left(), area.left()));
    posto.moveTop(std::max(posto.top(), area.top()));
  }
  move(posto.topLeft());
}

void Form::RiempiSchermo() {
  const QRect area = AreaDisponibile(this);
  if (!area.isEmpty()) {
    move(area.topLeft());
    resize(area.size());
    // Once the frame is known (the window shown, not maximised), the window
    // shrinks by the frame so that the frame fits the area.
    adattaCornice_ = true;
  }
  setWindowState(windowState() | Qt::WindowMaximized);
}

bool Form::event(QEvent* e) {
  if (adattaCornice_ && (e->type() == QEvent::Resize || e->type() == QEvent::Move) && isVisible() &&
      !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
    const QRect cornice = frameGeometry(), cliente = geometry();
    if (cornice != cliente) {
      adattaCornice_ = false;
      const QRect area = AreaDisponibile(this);
      resize(area.width() - (cornice.width() - cliente.width()),
             area.height() - (cornice.height() - cliente.height()));
      move(area.topLeft());
    }
  }
  return QWidget::event(e);
}

void Form::setVisible(bool visibile) {
  const bool era = isVisible();
  QWidget::setVisible(visibile);
  if (!era || visibile || !isWindow()) return;
  // A window hidden or closed (its cancel button, Escape, unloaded) leaves
  // no window active where nothing else gives the activation back: the one
  // it was opened over, else the main window, is active again.
  QWidget* indietro = precedente_;
  for (Form* f : Elenco())
    if (!indietro && f->tipo_ == Tipo::Principale) indietro = f;
  if (indietro != this) RendiAttivazione(indietro);
}

bool Form::Visibile() const { return caricata_ && (sotto_ ? sotto_->isVisible() : isVisible()); }

QWidget* Form::Cornice() const {
  return sotto_ ? static_cast<QWidget*>(sotto_.data()) : const_cast<Form*>(this);
}

int Form::LeftTw() const { return Cornice()->x() * kTwipPerPixel; }
int Form::TopTw() const { return Cornice()->y() * kTwipPerPixel; }
// Before it is first shown a window measures its designed size.
int Form::WidthTw() const {
  const QWidget* c = Cornice();
  return (c->isVisible() ? c->frameGeometry().width() : std::max(c->width(), c->sizeHint().width())) *
         kTwipPerPixel;
}
int Form::HeightTw() const {
  const QWidget* c = Cornice();
  return (c->isVisible() ? c->frameGeometry().height() : std::max(c->height(), c->sizeHint().height())) *
         kTwipPerPixel;
}

void Form::SpostaTw(int left, int top) {
  posizioneImpostata_ = true;
  Cornice()->move(left / kTwipPerPixel, top / kTwipPerPixel);
}

int Form::LarghezzaAreaTw() const {
  if (tipo_ == Tipo::Figlia && AreaFigli()) return AreaFigli()->viewport()->width() * kTwipPerPixel;
  return LarghezzaSchermoTw();
}

int Form::AltezzaAreaTw() const {
  if (tipo_ == Tipo::Figlia && AreaFigli()) return AreaFigli()->viewport()->height() * kTwipPerPixel;
  return AltezzaSchermoTw();
}

QWidget* Form::Controllo(const QString& nome, int indice) const {
  const auto figli = findChildren<QWidget*>(nome);
  for (QWidget* w : figli) {
    QVariant v = w->property("Indice");
    if (indice < 0 ? !v.isValid() : (v.isValid() && v.toInt() == indice)) return w;
  }
  return nullptr;
}

void Form::ImpostaAreaFigli(QMdiArea* area) { Area() = area; }
QMdiArea* Form::AreaFigli() { return Area(); }

void Form::closeEvent(QCloseEvent* e) {
  e->accept();
  if (!in_scarico_) Scarica();
}

void Form::InstallaAnteprimaTasti() {
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

void Form::keyPressEvent(QKeyEvent* e) {
  if (Form_KeyDown(e->key(), e->modifiers(), this))
    e->accept();
  else
    QWidget::keyPressEvent(e);
}

bool Form::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(o, e);
  auto* k = static_cast<QKeyEvent*>(e);
  auto* w = qobject_cast<QWidget*>(o);
  if (Form_KeyDown(k->key(), k->modifiers(), w)) return true;
  int ascii = 0;
  if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
    ascii = 13;
  } else if (!k->text().isEmpty() && !(k->modifiers() & Qt::ControlModifier)) {
    ascii = k->text().at(0).unicode();
  }
  if (ascii == 0) return QWidget::eventFilter(o, e);
  const int originale = ascii;
  if (Form_KeyPress(ascii, w)) return true;
  if (ascii == 0) return true;
  if (ascii != originale) {
    if (auto* le = qobject_cast<QLineEdit*>(w)) {
      le->insert(QString(QChar(ascii)));
      return true;
    }
  }
  return QWidget::eventFilter(o, e);
}

namespace Forms {

int Count() { return static_cast<int>(Elenco().size()); }

Form* Item(int i) {
  auto& e = Elenco();
  return (i >= 0 && i < static_cast<int>(e.size())) ? e[i] : nullptr;
}

Form* Cerca(const QString& nome) {
  auto& e = Elenco();
  for (auto it = e.rbegin(); it != e.rend(); ++it)
    if ((*it)->Nome().compare(nome, Qt::CaseInsensitive) == 0) return *it;
  return nullptr;
}

void Svuota() {
  while (!Elenco().empty()) Elenco().back()->Scarica();
}

}  // namespace Forms

Form* FormDi(const QWidget* w) {
  for (QObject* o = const_cast<QWidget*>(w); o; o = o->parent())
    if (auto* f = qobject_cast<Form*>(o)) return f;
  return nullptr;
}

}  // namespace plat
