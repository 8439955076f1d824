#include "core/campi.h"

#include <algorithm>

#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "platform/controlli.h"
#include "platform/form.h"
#include "platform/fuoco.h"
#include "platform/messaggi.h"

namespace core {

void SelezionaTesto(plat::TextBox* box) {
  if (box) box->SetSelezione(0, static_cast<int>(box->Text().size()));
}

namespace {

bool VersoChiusura(const plat::TextBox* box) {
  QWidget* ricevente = plat::Fuoco::Ricevente();
  return ricevente && ricevente->objectName().compare(QLatin1String("CmdFine"), Qt::CaseInsensitive) == 0 &&
         plat::FormDi(ricevente) == plat::FormDi(box);
}

}  // namespace

void RifiutaTesto(plat::TextBox* box, float minimo, float massimo, const QString& unita) {
  const QString testoMin = TestoNumero(minimo, imp.SepDec);
  plat::MsgBox(TestoCampo(minimo, massimo, unita) + QLatin1Char('\r') + Testo(109) + testoMin,
               plat::Icona::Critica);
  box->SetText(testoMin);
  box->SetFocus();
}

bool ControllaValore(plat::TextBox* box, float minimo, float massimo, const QString& unita,
                     bool zeroAmmesso) {
  if (!box || imp.SenzaLimiti || VersoChiusura(box)) return false;
  if (zeroAmmesso && ValNum(box->Text()) == 0) return false;  // "0,5" is not zero
  double letto = 0;
  if (!NumeroDiSistema(box->Text(), imp.SepDec, &letto)) {
    box->SetText(QStringLiteral("0"));
    letto = 0;
  }
  const float valore = static_cast<float>(letto);
  if (minimo <= valore && valore <= massimo) return false;
  RifiutaTesto(box, minimo, massimo, unita);
  return true;
}

bool RifiutaValore(plat::TextBox* box, float minimo, float massimo, const QString& unita) {
  if (!box || imp.SenzaLimiti || VersoChiusura(box)) return false;
  RifiutaTesto(box, minimo, massimo, unita);
  return true;
}

QString TestoCampo(float minimo, float massimo, const QString& unita) {
  return Testo(108) + QLatin1Char(' ') + TestoNumero(minimo, imp.SepDec) + QLatin1Char(' ') + unita +
         QLatin1String(" -> ") + TestoNumero(massimo, imp.SepDec) + QLatin1Char(' ') + unita;
}

void CentraForm(plat::Form* f) {
  if (!f) return;
  int left = (f->LarghezzaAreaTw() - f->WidthTw()) / 2;
  int top = (f->AltezzaAreaTw() - f->HeightTw()) / 2 - 800;
  // A child window keeps its title bar inside the main window's client area.
  if (f->tipo() == plat::Form::Tipo::Figlia) {
    left = std::max(left, 0);
    top = std::max(top, 0);
  }
  f->SpostaTw(left, top);
}

}  // namespace core
