// Screen, mouse pointer, clipboard and pending events.
#pragma once

#include <QString>

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
// Back to the default pointer, whatever was set before.
void PuntatoreNormale();
bool PuntatoreInAttesa();

QString TestoAppunti();
void ImpostaTestoAppunti(const QString& testo);

// Lets pending window events run once.
void DoEvents();

}  // namespace plat
