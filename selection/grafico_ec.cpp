#include "selection/grafico_ec.h"

namespace sel {

int GraficoEC::ModelloGrafico() {
  f_.AssicuraSerie();
  return f_.cboModel->ListIndex();
}

void GraficoEC::AbilitaPortataGrafico(bool abilitata) { f_.txtqatot->setEnabled(abilitata); }

void GraficoEC::RicalcolaGrafico(const QString& pressione, const QString& portata) {
  f_.txtpsu->SetText(pressione);
  f_.txtqatot->SetText(portata);
  f_.cmdCalcola_Click();
}

}  // namespace sel
