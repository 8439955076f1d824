#include "platform/fuoco.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <deque>

#include "platform/controlli.h"
#include "platform/form.h"

namespace plat::Fuoco {
namespace {

std::deque<QPointer<TextBox>> g_coda;
bool g_programmata = false;
int g_profondita = 0;

}  // namespace

void AccodaUscita(TextBox* box) {
  g_coda.emplace_back(box);
  if (!g_programmata) {
    g_programmata = true;
    QTimer::singleShot(0, qApp, [] { EseguiPendenti(); });
  }
}

bool g_richiamo = false;

void SegnaRichiamo() { g_richiamo = true; }

bool EseguiPendenti() {
  g_programmata = false;
  g_richiamo = false;
  while (!g_coda.empty()) {
    QPointer<TextBox> box = g_coda.front();
    g_coda.pop_front();
    if (!box || !box->LostFocus) continue;
    Form* f = FormDi(box);
    if (f && !f->Caricata()) continue;
    ++g_profondita;
    const auto gestore = box->LostFocus;
    Protetto(box, gestore);
    --g_profondita;
  }
  return g_richiamo;
}

bool Protetto(TextBox* box, const std::function<void()>& gestore) {
  QPointer<TextBox> io(box);
  try {
    gestore();
    return true;
  } catch (...) {
    if (Form* f = io ? FormDi(io) : nullptr)
      f->TrappolaErrori();
    else
      Form::TrappolaGenerica();
    if (io) io->SetFocus();
  }
  return false;
}

bool InVerifica() { return g_profondita > 0; }

QWidget* Ricevente() { return QApplication::focusWidget(); }

void SopprimiUscita(QWidget* w) {
  if (w) w->setProperty("SopprimiUscita", true);
}

bool ConsumaSoppressione(QWidget* w) {
  if (!w->property("SopprimiUscita").toBool()) return false;
  w->setProperty("SopprimiUscita", false);
  return true;
}

}  // namespace plat::Fuoco
