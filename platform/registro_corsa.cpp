#include "platform/registro_corsa.h"

#include "platform/controlli.h"
#include "platform/form.h"
#include "platform/griglia.h"

namespace plat {

namespace {

QString TestoControllo(const QWidget* w) {
  if (auto* t = qobject_cast<const TextBox*>(w)) return t->Text();
  if (auto* l = qobject_cast<const Label*>(w)) return l->Caption();
  if (auto* r = qobject_cast<const Frame*>(w)) return r->Caption();
  if (auto* c = qobject_cast<const CheckBox*>(w)) return c->Caption();
  if (auto* c = qobject_cast<const ComboBox*>(w))
    return c->ListIndex() < 0 ? QString() : c->List(c->ListIndex());
  return QString();
}

}  // namespace

RegistroCorsa::RegistroCorsa(Form& f, const Griglia& g, int intestazione)
    : QObject(&f), f_(f), g_(g), intestazione_(intestazione) {
  // Rows taken away: the grid headed again or cleared.
  connect(&g, &Griglia::RigheTolte, this, &RegistroCorsa::Dimentica);
}

RegistroCorsa* RegistroCorsa::Di(const Form& f) {
  return f.findChild<RegistroCorsa*>(QString(), Qt::FindDirectChildrenOnly);
}

void RegistroCorsa::Registra(const std::map<QString, double>& letti) {
  // Headings alone (no model rated, or a run refused after heading the grid)
  // are no results.
  if (g_.Rows() <= intestazione_) return;
  voci_.clear();
  letti_ = letti;
  // The first control of a name and index, as the window's lookup finds it.
  for (const QWidget* w : f_.findChildren<QWidget*>()) {
    if (w->objectName().isEmpty()) continue;
    const QVariant i = w->property("Indice");
    const auto* c = qobject_cast<const CheckBox*>(w);
    voci_.try_emplace({w->objectName(), i.isValid() ? i.toInt() : -1},
                      Voce{TestoControllo(w), c && c->Value() == 1});
  }
  presente_ = true;
  emit Cambiato();
}

void RegistroCorsa::Dimentica() {
  if (!presente_) return;
  presente_ = false;
  voci_.clear();
  letti_.clear();
  emit Cambiato();
}

QString RegistroCorsa::Testo(const QString& nome, int indice) const {
  const auto v = voci_.find({nome, indice});
  return v == voci_.end() ? QString() : v->second.testo;
}

std::optional<double> RegistroCorsa::Letto(const QString& nome) const {
  const auto v = letti_.find(nome);
  if (v == letti_.end()) return std::nullopt;
  return v->second;
}

bool RegistroCorsa::Spuntata(const QString& nome, int indice) const {
  const auto v = voci_.find({nome, indice});
  return v != voci_.end() && v->second.spuntata;
}

}  // namespace plat
