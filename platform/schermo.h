// Screen, mouse pointer, clipboard and pending events.
#pragma once

#include <QCursor>
#include <QString>
#include <QWidget>
#include <vector>

namespace plat {

constexpr int kTwipPerPixel = 15;  // 1440 twips an inch at 96 dpi

int LarghezzaSchermoTw();
int AltezzaSchermoTw();

// Busy mouse pointer for the life of the object; restored on every way out.
class PuntatoreOccupato {
 public:
  PuntatoreOccupato();
  ~PuntatoreOccupato();
  PuntatoreOccupato(const PuntatoreOccupato&) = delete;
  PuntatoreOccupato& operator=(const PuntatoreOccupato&) = delete;
};
// The normal pointer for the life of the object (a message box is never
// shown under the busy pointer): the pointers set before it are taken off
// and put back, in their order, when it ends.
class PuntatoreSospeso {
 public:
  PuntatoreSospeso();
  ~PuntatoreSospeso();
  PuntatoreSospeso(const PuntatoreSospeso&) = delete;
  PuntatoreSospeso& operator=(const PuntatoreSospeso&) = delete;

 private:
  std::vector<QCursor> sospesi_;  // the last set first
};
// Back to the default pointer, whatever was set before.
void PuntatoreNormale();
bool PuntatoreInAttesa();

QString TestoAppunti();
void ImpostaTestoAppunti(const QString& testo);

// Where nothing gives the activation back when a window or a message box
// closes (no window manager, some minimal or remote desktops, the offscreen
// platform), no window stays active: the focus then moves without focus
// events and the next box left is never checked.  Asks for the activation
// of the window that had it, unless another window has taken it meanwhile;
// true when asked.
bool RendiAttivazione(QWidget* finestra);

// Lets pending window events run once.
void DoEvents();

}  // namespace plat
