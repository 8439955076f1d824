// Selection window of the fan-coil series: one air inlet, fixed speeds.
#pragma once

#include "selection/finestre_selezione.h"

namespace sel {

class FormDatiP : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiP();

  plat::Frame* pnlFreddo = nullptr;
  plat::Frame* pnlCaldo = nullptr;
  plat::ArrayControlli<plat::TextBox> txtTsa1;
  plat::ArrayControlli<plat::Label> lblTbs;
  plat::TextBox* txtTbu = nullptr;
  plat::Label* lbltbu = nullptr;
  plat::TextBox* txtUr = nullptr;
  plat::Label* lblUR = nullptr;
  plat::CheckBox* chkComeFreddo = nullptr;
  plat::CheckBox* chkKQ = nullptr;
  plat::ComboBox* cboVel = nullptr;
  plat::Label* lblVel = nullptr;
  plat::Frame* frmZepa = nullptr;
  plat::ComboBox* cboSpigot = nullptr;

  void chkComeFreddo_Click();
  void cboVel_GotFocus();
  void txtTsa1_LostFocus(int i);
  void txtTbu_LostFocus();
  void txtUr_LostFocus();
  void txtTw1_LostFocus(int i);
  void txtTw2_LostFocus(int i);
  void txtQw_LostFocus(int i);
  void txtGlic_LostFocus();
  void txtpsu_LostFocus();

  // The grid heading of a run.
  void CalcolaIntestazione();
  // Input check of the pass in the state's FlagPassaggio: 1 passed, 0 failed.
  int ControllaDati();
  // The window's boxes as the conditions of a run.
  unita::Condizioni LeggiCondizioni() const;
  void cmdCalcola_Click() override;

 protected:
  void Progetta() override;
  void Form_Load() override;
  void UscitaAcquaData(int i) override;
  plat::TextBox* Casella(unita::Casella c, int p) override;

 private:
  void Calcola();
};

}  // namespace sel
