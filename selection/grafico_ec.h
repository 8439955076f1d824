// The chart's side of an advanced EC window: the picked model, the air-flow
// box the chart drives, and the rerun through the window's own Calculate.
#pragma once

#include "selection/finestre_selezione.h"
#include "selection/grafico.h"

namespace sel {

class GraficoEC : public ChiamanteGrafico {
 public:
  explicit GraficoEC(FinestraSelezione& f) : f_(f) {}
  plat::Form& FinestraGrafico() override { return f_; }
  int ModelloGrafico() override;
  float PerditeGrafico(int m, float qa) override { return 0; }
  void AbilitaPortataGrafico(bool abilitata) override;
  void RicalcolaGrafico(const QString& pressione, const QString& portata) override;
  bool OccupatoGrafico() const override { return f_.InCalcolo(); }

 private:
  FinestraSelezione& f_;
};

}  // namespace sel
