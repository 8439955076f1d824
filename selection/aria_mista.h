// The selection windows of the units that mix return and fresh air
// (thermo-ventilating and ducted units, fixed speed or EC): the two
// streams of each pass with the fresh-air share, the water boxes, the
// accessory boxes, their captions, checks and defaults.
#pragma once

#include <span>

#include "engine/ventilatori.h"
#include "selection/finestre_selezione.h"

namespace sel {

class FinestraAriaMista : public FinestraSelezione {
  Q_OBJECT
 public:
  FinestraAriaMista(const QString& nome, bool centra);

  // Cooling panel (index 0 of the arrays) and heating panel (index 1).
  plat::Frame* pnlFreddo = nullptr;
  plat::Frame* pnlCaldo = nullptr;
  plat::Frame* frmRicircoloF = nullptr;
  plat::Frame* frmRinnovoF = nullptr;
  plat::Frame* frmRicircoloC = nullptr;
  plat::Frame* FrmRinnovoC = nullptr;
  plat::ArrayControlli<plat::TextBox> txtTsa1ric, txtTsa1rin;
  plat::ArrayControlli<plat::Label> lblTbsric, lblTbsrin;
  plat::TextBox* txtTburic = nullptr;
  plat::TextBox* txttburin = nullptr;
  plat::TextBox* txtUrric = nullptr;
  plat::TextBox* txturrin = nullptr;
  plat::Label* lbltburic = nullptr;
  plat::Label* lbltburin = nullptr;
  plat::Label* lblUrric = nullptr;
  plat::Label* lblurrin = nullptr;
  // The fresh-air share in per cent (0 at the top: all return air).
  plat::ScrollBar* Scrollfreddo = nullptr;
  plat::ScrollBar* ScrollCaldo = nullptr;
  plat::ArrayControlli<plat::Label> lblRicircolo, lblRinnovo;
  plat::Frame* frmAccess = nullptr;

  void chkAcc_Click(int index);
  void Scrollfreddo_Change();
  void ScrollCaldo_Change();

  void txtGlic_LostFocus();
  void txtQw_LostFocus(int i);
  void txtTw1_LostFocus(int i);
  void txtTw2_LostFocus(int i);
  void txtTsa1ric_LostFocus(int i);
  void txtTsa1rin_LostFocus(int i);
  void txtTburic_LostFocus();
  void txttburin_LostFocus();
  void txtUrric_LostFocus();
  void txturrin_LostFocus();

 protected:
  // The two panels side by side, their handlers and default texts.
  QLayout* CreaPannelli();
  // The frame of the ten accessory boxes (captioned with their codes).
  QWidget* CreaBloccoAccessori();
  // Captions of the panels, the share, the accessory boxes of the window's
  // series (shown, hidden, ticked), then those every base window shares.
  void DidascaliePannelli();
  // The shares in the captions of the four stream frames.
  void MostraQuote();
  // The air and accessory boxes in the conditions of a run, with the shared boxes.
  void LeggiCondizioniAria(unita::Condizioni& k) const override;
  plat::TextBox* Casella(unita::Casella c, int p) override;
  float PressioneMassima() const override;
  // The run checks the cooling dry bulbs itself, by the share.
  std::vector<CasellaControllata> CaselleDellaCorsa() override;
  // The accessory rows of the loaded series.
  static std::span<const motore::AccessorioDP> AccessoriSerie();
  // Before a run: the warning of a unit rated without static pressure, when
  // the pressure box's number (as a positive box is read) is 0.
  void AvvisaSenzaPressione() const;

 private:
  QWidget* CreaPannello(int i);
};

}  // namespace sel
