// Selection window of the fan-coil series: one air inlet, fixed speeds.
#pragma once

#include "selection/aria_singola.h"

namespace sel {

class FormDatiP : public FinestraAriaSingola {
  Q_OBJECT
 public:
  FormDatiP();

  plat::Frame* frmZepa = nullptr;
  plat::ComboBox* cboSpigot = nullptr;

  void chkComeFreddo_Click();
  void cboVel_GotFocus();
  void txtQw_LostFocus(int i) override;
  // 0 to 3000 l/h, in the water-flow unit.
  void ControllaPortataAcqua(int i) override;

  // The grid heading of a run.
  void CalcolaIntestazione();
  // The window's boxes as the conditions of a run.
  unita::Condizioni LeggiCondizioni() const;
  void cmdCalcola_Click() override;

 protected:
  void Progetta() override;
  void Form_Load() override;
  void UscitaAcquaData(int i) override;

 private:
  void Calcola();
};

}  // namespace sel
