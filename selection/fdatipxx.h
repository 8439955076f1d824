// Selection window of the mixed-air series (thermo-ventilating and ducted
// units): return and fresh air mixed in a chosen share, fixed speeds, the
// fan working point from the useful static pressure or the required total
// air flow, and the pressure drops of the ticked accessories.
#pragma once

#include <span>
#include <string>

#include "engine/ventilatori.h"
#include "selection/finestre_selezione.h"

namespace catalogo {
struct DatiModello;
}

namespace sel {

class FormDatiPXX : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiPXX();

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

  plat::TextBox* txtqatot = nullptr;
  plat::Label* lblQaTot = nullptr;
  plat::Label* lblUmQA = nullptr;
  plat::ComboBox* cboVel = nullptr;
  plat::Label* lblVel = nullptr;
  plat::Frame* frmAccess = nullptr;

  void chkAcc_Click(int index);
  void Scrollfreddo_Change();
  void ScrollCaldo_Change();

  void txtGlic_LostFocus();
  void txtpsu_LostFocus();
  void txtqatot_LostFocus();
  void txtQw_LostFocus(int i);
  void txtTw1_LostFocus(int i);
  void txtTw2_LostFocus(int i);
  void txtTsa1ric_LostFocus(int i);
  void txtTsa1rin_LostFocus(int i);
  void txtTburic_LostFocus();
  void txttburin_LostFocus();
  void txtUrric_LostFocus();
  void txturrin_LostFocus();

  // Fan working point of model m at speed v (list positions): PortataAria,
  // PressioneLavoro (-1: unusable), PortataLibera, PrefissoPressione.
  void CalcolaPortata(int v, int m);
  // " " or "> " before a working pressure capped by the last working point.
  std::string PrefissoPressione = " ";
  // The grid heading of a run.
  void CalcolaIntestazione();
  // Input check of the pass in the state's FlagPassaggio with the total air
  // flow q (m3/s): mixes the two air streams; 1 passed, 0 failed.
  int ControllaDati(float q);
  // The window's boxes as the conditions of a run.
  unita::Condizioni LeggiCondizioni() const;
  void cmdCalcola_Click() override;
  void AggiornaUnita() override;

 protected:
  void Progetta() override;
  void Form_Load() override;
  plat::TextBox* Casella(unita::Casella c, int p) override;

 private:
  void Calcola();
  // The accessory rows of the loaded series.
  static std::span<const motore::AccessorioDP> AccessoriSerie();
  // The series the window was opened for.
  std::string SerieFinestra() const;
  QWidget* CreaPannello(int i);
};

}  // namespace sel
