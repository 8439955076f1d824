// "Advanced calc." window of the EC fan coils: one air inlet, every model
// rated at a required air flow against a static pressure, on the fan curve
// and command voltage that deliver it.  Its "Easy calc." variant has no
// required air flow and no chart: the user picks a command level and every
// model is rated at the air flow that level gives.
#pragma once

#include "selection/aria_singola.h"
#include "selection/grafico.h"

namespace sel {

class FormDatiPEC : public FinestraAriaSingola, public ChiamanteSelezione {
  Q_OBJECT
 public:
  FormDatiPEC();

  void cmdCalcola_Click() override;

  bool Facile() const override { return facile_; }

 protected:
  FormDatiPEC(const QString& nome, bool facile);
  void Progetta() override;
  void Form_Load() override;

 private:
  void Calcola();
  void CalcolaLivello();
  const bool facile_;
};

class FormDatiPEC_VFIX : public FormDatiPEC {
  Q_OBJECT
 public:
  FormDatiPEC_VFIX() : FormDatiPEC(QStringLiteral("FDatiPEC_VFIX"), true) {}
};

extern plat::Istanza<FormDatiPEC> FDatiPEC;
extern plat::Istanza<FormDatiPEC_VFIX> FDatiPEC_VFIX;

}  // namespace sel
