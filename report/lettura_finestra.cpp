#include "report/lettura_finestra.h"

#include "core/numeri.h"
#include "platform/form.h"
#include "platform/griglia.h"
#include "platform/registro_corsa.h"

namespace rapporto {

QString LetturaFinestra::Nome() const { return f_.Nome(); }

QString LetturaFinestra::Testo(const QString& nome, int indice) const { return corsa_.Testo(nome, indice); }

bool LetturaFinestra::Spuntata(const QString& nome, int indice) const {
  return corsa_.Spuntata(nome, indice);
}

double LetturaFinestra::Numero(const QString& nome) const {
  // As the run read it, where the window recorded that.
  return corsa_.Letto(nome).value_or(core::ValNum(Testo(nome)));
}

const plat::Griglia* LetturaFinestra::Griglia() const {
  return qobject_cast<plat::Griglia*>(f_.Controllo(QStringLiteral("Grd")));
}

}  // namespace rapporto
