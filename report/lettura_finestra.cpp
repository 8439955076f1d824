#include "report/lettura_finestra.h"

#include "core/numeri.h"
#include "platform/controlli.h"
#include "platform/form.h"
#include "platform/griglia.h"

namespace rapporto {

QString LetturaFinestra::Nome() const { return f_.Nome(); }

QString LetturaFinestra::Testo(const QString& nome, int indice) const {
  QWidget* w = f_.Controllo(nome, indice);
  if (auto* t = qobject_cast<plat::TextBox*>(w)) return t->Text();
  if (auto* l = qobject_cast<plat::Label*>(w)) return l->Caption();
  if (auto* r = qobject_cast<plat::Frame*>(w)) return r->Caption();
  if (auto* c = qobject_cast<plat::CheckBox*>(w)) return c->Caption();
  if (auto* c = qobject_cast<plat::ComboBox*>(w))
    return c->ListIndex() < 0 ? QString() : c->List(c->ListIndex());
  return QString();
}

bool LetturaFinestra::Spuntata(const QString& nome, int indice) const {
  auto* c = qobject_cast<plat::CheckBox*>(f_.Controllo(nome, indice));
  return c && c->Value() == 1;
}

double LetturaFinestra::Numero(const QString& nome) const { return core::ValNum(Testo(nome)); }

const plat::Griglia* LetturaFinestra::Griglia() const {
  return qobject_cast<plat::Griglia*>(f_.Controllo(QStringLiteral("Grd")));
}

}  // namespace rapporto
