// The selection windows of the units with one air inlet (fan coils, fixed
// speed or EC): the cooling and heating panels with their boxes, captions,
// checks and defaults.
#pragma once

#include "selection/finestre_selezione.h"

namespace sel {

class FinestraAriaSingola : public FinestraSelezione {
  Q_OBJECT
 public:
  explicit FinestraAriaSingola(const QString& nome);

  // Cooling panel (index 0 of the arrays) and heating panel (index 1).
  plat::Frame* pnlFreddo = nullptr;
  plat::Frame* pnlCaldo = nullptr;
  plat::ArrayControlli<plat::TextBox> txtTsa1;
  plat::ArrayControlli<plat::Label> lblTbs;
  plat::TextBox* txtTbu = nullptr;
  plat::Label* lbltbu = nullptr;
  plat::TextBox* txtUr = nullptr;
  plat::Label* lblUR = nullptr;
  plat::CheckBox* chkComeFreddo = nullptr;  // heating at the cooling water flow; not in every window
  plat::CheckBox* chkKQ = nullptr;

  void txtTsa1_LostFocus(int i);
  void txtTbu_LostFocus();
  void txtUr_LostFocus();
  void txtTw1_LostFocus(int i);
  void txtTw2_LostFocus(int i);
  virtual void txtQw_LostFocus(int i);
  void txtGlic_LostFocus();
  void txtpsu_LostFocus();

 protected:
  // The two panels side by side (the box "=QW(C)" beside the heating water
  // flow when comeFreddo), their handlers and default texts.
  QLayout* CreaPannelli(bool comeFreddo);
  // Captions of the panels, their air boxes and the 4-pipe box, then those
  // every base window shares.
  void DidascaliePannelli();
  // The air boxes in the conditions of a run, with the shared boxes.
  void LeggiCondizioniAria(unita::Condizioni& k) const override;
  plat::TextBox* Casella(unita::Casella c, int p) override;
  std::vector<CasellaControllata> CaselleDellaCorsa() override;
};

}  // namespace sel
