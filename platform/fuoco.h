// Focus checks.  A box's lost-focus handler runs after the focus has moved
// (so the handler knows the receiver), never for a change of the active
// window or a pop-up, and can be run at once by code that must not start
// while a box holds an unchecked value (a calculation button).
#pragma once

#include <QWidget>
#include <functional>

namespace plat {

class TextBox;

namespace Fuoco {

void AccodaUscita(TextBox* box);
// Runs a focus handler of a box under the error trap of the box's window:
// an error is reported, the box gets the focus back with its whole text
// selected, and the program goes on.  False after an error.
bool Protetto(TextBox* box, const std::function<void()>& gestore);
// Runs every queued lost-focus handler now; true when one of them gave the
// focus back to its box (a check failed).
bool EseguiPendenti();
// Called when a box takes the focus back during a check.
void SegnaRichiamo();
// True while a lost-focus handler runs.
bool InVerifica();
// The control that holds the focus (during a check: the one that received it).
QWidget* Ricevente();
// The next focus-out of w runs no check.
void SopprimiUscita(QWidget* w);
bool ConsumaSoppressione(QWidget* w);

}  // namespace Fuoco
}  // namespace plat
