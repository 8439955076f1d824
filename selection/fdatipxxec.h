// "Advanced calc." window of the EC thermo-ventilating and ducted units:
// return and fresh air mixed, every model rated at a required air flow
// against the static pressure plus the drops of the ticked accessories, on
// the fan curve and command voltage that deliver it.  Its "Easy calc."
// variant has no required air flow and no chart: the user picks a command
// level and every model is rated at the air flow that level gives.
#pragma once

#include "selection/aria_mista.h"
#include "selection/grafico.h"

namespace sel {

class FormDatiPXXEC : public FinestraAriaMista, public ChiamanteSelezione {
  Q_OBJECT
 public:
  FormDatiPXXEC();

  void txtpsu_LostFocus();
  void cmdCalcola_Click() override;
  float PerditeGrafico(int m, float qa) override;

  bool Facile() const override { return facile_; }

 protected:
  FormDatiPXXEC(const QString& nome, bool facile);
  void Progetta() override;
  void Form_Load() override;
  bool SeparatoreSceglibile(int posizione) const override;

 private:
  void Calcola();
  void CalcolaLivello();
  const bool facile_;
};

class FormDatiPXXEC_VFIX : public FormDatiPXXEC {
  Q_OBJECT
 public:
  FormDatiPXXEC_VFIX() : FormDatiPXXEC(QStringLiteral("FDatiPXXEC_VFIX"), true) {}
};

extern plat::Istanza<FormDatiPXXEC> FDatiPXXEC;
extern plat::Istanza<FormDatiPXXEC_VFIX> FDatiPXXEC_VFIX;

}  // namespace sel
