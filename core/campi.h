// Routines shared by every window with numeric entry boxes.
#pragma once

#include <QString>

namespace plat {
class TextBox;
class Form;
}  // namespace plat

namespace core {

// Selects the whole text of a box, so that typing replaces it.
void SelezionaTesto(plat::TextBox* box);

// Checks a box's value against its range when the box has lost the focus.
// Returns true when the value was out of range: the range message was shown,
// the box reset to the minimum and given the focus back.  No check with
// "nolimits", nor when the focus went to the window's close button.
bool ControllaValore(plat::TextBox* box, float minimo, float massimo, const QString& unita, bool zeroAmmesso);

// A box's value refused as out of range whatever it is: the range message,
// the box reset to the minimum and given the focus back; true.  As
// ControllaValore, false and nothing else with "nolimits" or towards the
// window's close button.
bool RifiutaValore(plat::TextBox* box, float minimo, float massimo, const QString& unita);

// The same refusal whatever the command line and the focus: for a text that
// is no number where a run needs one.
void RifiutaTesto(plat::TextBox* box, float minimo, float massimo, const QString& unita);

// The first line of the range message: text 108 and the limits with their unit.
QString TestoCampo(float minimo, float massimo, const QString& unita);

// Centres a window, 800 twips above the middle of its area.
void CentraForm(plat::Form* f);

}  // namespace core
