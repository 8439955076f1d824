// Windows ("forms") over Qt widgets.
//
// A form is created and loaded on first touch of its global instance (the
// touch runs Form_Load before the caller's change is applied), lives in the
// collection of loaded forms in load order, and is destroyed by Scarica:
// the unload handler runs, the form leaves the collection at once and its
// global instance is cleared, so the next touch loads a fresh one.  Code that
// must not bring a closed form back asks the instance whether it is loaded.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QEventLoop;

namespace plat {

class Form : public QWidget {
  Q_OBJECT

 public:
  enum class Tipo { Principale, Figlia, Finestra };

  Form(const QString& nome, Tipo tipo);
  ~Form() override;

  const QString& Nome() const { return nome_; }
  Tipo tipo() const { return tipo_; }
  bool Caricata() const { return caricata_; }

  // Builds the controls (once), enters the collection and runs Form_Load.
  void Carica();
  // Runs Form_Unload, leaves the collection, hides and destroys the form.
  void Scarica();

  void ImpostaCaption(const QString& testo);
  QString Caption() const;
  // Shows the form; a modal show returns when the form is unloaded.  A
  // separate window its own code has not placed opens centred on the main
  // window (on the screen while the main window is not shown).
  void Mostra(bool modale = false);
  // The main window fills the screen's available area: maximised, and with
  // that area as its normal size where the window manager ignores the request.
  void RiempiSchermo();
  bool Visibile() const;
  // Hidden or closed, a separate window gives the activation back.
  void setVisible(bool visible) override;

  // Position and size in twips (15 twips a pixel at 96 dpi), relative to
  // the screen or, for a child window, to the main window's client area.
  int LeftTw() const;
  int TopTw() const;
  int WidthTw() const;
  int HeightTw() const;
  void SpostaTw(int left, int top);
  // Size of the area the form is placed in, in twips.
  int LarghezzaAreaTw() const;
  int AltezzaAreaTw() const;

  // Finds a control by its name (and index, for control arrays).
  QWidget* Controllo(const QString& nome, int indice = -1) const;

  // The client area that hosts child forms (set by the main window).
  static void ImpostaAreaFigli(QMdiArea* area);
  static QMdiArea* AreaFigli();

  // Called by the global instance to clear itself when the form unloads.
  void ImpostaAzzeramento(std::function<void()> f) { azzera_ = std::move(f); }

  // Key preview: the form sees keys before its controls.  Return true to
  // swallow the key.  KeyAscii may be changed (0 cancels the key).
  virtual bool Form_KeyPress(int& /*keyAscii*/, QWidget* /*controllo*/) { return false; }
  // The error trap of the handlers of the form's controls: reports the
  // exception being handled (called only inside a catch block).
  virtual void TrappolaErrori() { TrappolaGenerica(); }
  // A message that names no error number.
  static void TrappolaGenerica();
  virtual bool Form_KeyDown(int /*keyCode*/, Qt::KeyboardModifiers /*mod*/, QWidget* /*controllo*/) {
    return false;
  }

 signals:
  void scaricata();

 protected:
  virtual void Progetta() {}
  virtual void Form_Load() {}
  virtual void Form_Unload() {}

  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  // A key that reaches the window itself (no control has the focus, as
  // where no window manager gives one) goes to Form_KeyDown too.
  void keyPressEvent(QKeyEvent* e) override;

  // The top-level widget that carries the window frame (the sub-window for
  // a child form).
  QWidget* Cornice() const;

 private:
  void InstallaAnteprimaTasti();
  void CentraSullaPrincipale();

  QString nome_;
  Tipo tipo_;
  bool progettata_ = false;
  bool caricata_ = false;
  bool in_scarico_ = false;
  bool posizioneImpostata_ = false;
  bool adattaCornice_ = false;  // the frame still to be fitted into the screen
  QPointer<QMdiSubWindow> sotto_;
  QPointer<QWidget> precedente_;  // the window that was active when this one was shown
  std::function<void()> azzera_;
  std::vector<QEventLoop*> cicli_modali_;
};

// The collection of loaded forms, in load order.
namespace Forms {
int Count();
Form* Item(int i);
Form* Cerca(const QString& nome);  // the last loaded form of that name
void Svuota();                     // unloads every form, last first
}  // namespace Forms

// The one global instance of a form class.  Calling it touches (and so
// loads) the form; SeCaricata() looks without loading.
template <class T>
class Istanza {
 public:
  T& operator()() {
    if (!p_) {
      p_ = new T();
      p_->ImpostaAzzeramento([this] { p_ = nullptr; });
      p_->Carica();
    }
    return *p_;
  }
  T* SeCaricata() const { return p_; }
  T* operator->() { return &(*this)(); }

 private:
  T* p_ = nullptr;
};

// The form that contains a widget, or nullptr.
Form* FormDi(const QWidget* w);

}  // namespace plat
