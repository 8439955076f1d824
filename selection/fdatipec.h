// "Advanced calc." window of the EC fan coils: one air inlet, every model
// rated at a required air flow against a static pressure, on the fan curve
// and command voltage that deliver it.
#pragma once

#include "selection/aria_singola.h"
#include "selection/grafico.h"

namespace sel {

class FormDatiPEC : public FinestraAriaSingola, public ChiamanteSelezione {
  Q_OBJECT
 public:
  FormDatiPEC();

  // Input check of the pass in the state's FlagPassaggio (the air flow q,
  // m3/s, is that of the run): true when the inputs are valid.
  bool ControllaDati(float q);
  void cmdCalcola_Click() override;
  // Hands the working point of the last run to the fan-curve chart.
  void cmdGrafico_Click();

 protected:
  void Progetta() override;
  void Form_Load() override;

 private:
  void Calcola();
};

extern plat::Istanza<FormDatiPEC> FDatiPEC;

}  // namespace sel
