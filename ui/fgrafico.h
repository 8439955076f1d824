// The fan-curve chart: the reference fan curve of the model picked in the
// window that opened it, the system curve through the working point and the
// working point, which the scroll bar moves along the system curve; each
// move writes the point back into that window and reruns its selection.
#pragma once

#include <utility>

#include <QPointer>
#include <QString>

#include "platform/controlli.h"
#include "platform/form.h"
#include "platform/pictbox.h"
#include "selection/grafico.h"

namespace ui {

class FormGrafico : public plat::Form {
  Q_OBJECT
 public:
  FormGrafico();

  plat::PictureBox* pctCurva = nullptr;
  plat::Label* Label5 = nullptr;  // pressure unit of the vertical axis
  plat::Label* Label3 = nullptr;  // air-flow unit of the horizontal axis
  plat::Label* lblQa = nullptr;
  plat::Label* Label2 = nullptr;  // unit of lblQa
  plat::ScrollBar* VScroll2 = nullptr;
  plat::Label* lblPsu = nullptr;
  plat::Label* Label4 = nullptr;  // unit of lblPsu

  void VScroll2_Change();
  // Draws the chart with the working point at static pressure p (Pa) and
  // air flow q (in the air-flow unit shown).
  void Disegna(float p, float q);

  // Opens the chart for the caller with the scroll bar's range and value
  // (a chart open for another window closes first), or brings it forward.
  // segui: the chart, open for the caller, takes the range and the value
  // of the caller's own run, with no rerun.
  static void Apri(sel::ChiamanteGrafico& c, const sel::ScalaGrafico& s, bool segui);

  // The fan curve drawn (the curve whose speed is the command's full scale).
  int CurvaDisegnata() const { return curva_; }
  sel::ChiamanteGrafico* Chiamante() const { return chiamante_; }

 protected:
  void Progetta() override;
  void Form_Load() override;
  void Form_Unload() override;

 private:
  void Collega(sel::ChiamanteGrafico& c);
  // Labels, write-back, rerun and drawing at the bar's value.
  void SpostaPunto();
  // The working point at the bar's value into the labels: (pressure, flow).
  std::pair<float, float> PuntoDellaBarra();
  // Labels and drawing at the bar's value, without a rerun.
  void Ridisegna();
  sel::ChiamanteGrafico* chiamante_ = nullptr;
  QPointer<plat::Form> finestra_;
  int curva_ = -1;
  bool inCambio_ = false;   // a move is being written back and rerun
  int valoreInCambio_ = 0;  // the bar's value of that move
};

extern plat::Istanza<FormGrafico> FGrafico;

// Lets the chart buttons of the selection windows open the chart.
void CollegaGrafico();

}  // namespace ui
