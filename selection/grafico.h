// The working point that the advanced EC windows hand to the fan-curve
// chart, and what the chart needs of the window that opened it.  The chart
// window itself is opened through a routine set at start-up, so that the
// selection windows do not depend on it.
#pragma once

#include <QString>
#include <functional>

namespace plat {
class Form;
class TextBox;
}  // namespace plat

namespace sel {

class FinestraSelezione;

struct DatiGrafico {
  float PressioneGrafico = 0;           // static pressure of the working point, Pa
  float PortataGrafico = 0;             // air flow of the working point, in the air-flow unit shown
  bool GraficoAperto = false;           // the chart is open for the window Servita
  QString FormChiamante;                // name of the EC window loaded last
  const plat::Form* Servita = nullptr;  // the window whose chart button opened the chart
};

DatiGrafico& Grafico();

// True while the chart is open for this window: its runs keep the
// reference curve and accept flows below a third of the free delivery.
bool GraficoAperto(const plat::Form& finestra);

// The window that opened the chart, as the chart sees it.
class ChiamanteGrafico {
 public:
  virtual ~ChiamanteGrafico() = default;
  virtual plat::Form& FinestraGrafico() = 0;
  // The picked model (its position in the model list, 0 for none), with
  // this window's series loaded.
  virtual int ModelloGrafico() = 0;
  // The reference curve of the window's last run: the curve the chart draws.
  virtual int RiferimentoGrafico() = 0;
  // The drop (Pa) of the ticked accessories of model m at air flow qa
  // (m3/s); 0 for a window without accessories.
  virtual float PerditeGrafico(int m, float qa) = 0;
  // The air-flow box may be typed into (false while the chart drives it).
  virtual void AbilitaPortataGrafico(bool abilitata) = 0;
  // Writes the working point into the static-pressure and air-flow boxes
  // (texts in the units shown) and reruns the selection as the Calculate
  // button does; gives back the reference curve of the window's last run,
  // the curve the chart draws.
  virtual int RicalcolaGrafico(const QString& pressione, const QString& portata) = 0;
  // True while a run of the window is under way.
  virtual bool OccupatoGrafico() const = 0;
};

// The chart's link to a selection window: its model list, its air-flow box,
// its static-pressure box and its Calculate button.  A window with
// accessories gives their drop.
class ChiamanteSelezione : public ChiamanteGrafico {
 public:
  explicit ChiamanteSelezione(FinestraSelezione& f) : f_(f) {}

  plat::Form& FinestraGrafico() override;
  int ModelloGrafico() override;
  int RiferimentoGrafico() override;
  float PerditeGrafico(int /*m*/, float /*qa*/) override { return 0; }
  void AbilitaPortataGrafico(bool abilitata) override;
  // Nothing is written while a run is under way; the rerun passes the
  // Calculate button's own guard and pending box checks.
  int RicalcolaGrafico(const QString& pressione, const QString& portata) override;
  bool OccupatoGrafico() const override;

  // The chart button.  Unless the grid shows rows of the model picked
  // rated at the boxes as they stand (static pressure, air flow, accessory
  // ticks), the window first reruns as its Calculate button does (at the
  // chart's point while the chart is open).  Then that run's point (the
  // static pressure it read, the air flow of the box) and the curve it
  // chose go to the chart; a run that rated no row of the model picked
  // opens no chart, its message having said why.
  void cmdGrafico_Click();

 protected:
  // After a run of the Calculate button: with the chart open for the
  // window, a run that rated the model picked hands its point, curve and
  // range to the chart as the chart button would, with no second run and
  // none of the button's messages.  Not after the chart's own reruns.
  void SeguiCorsa();

 private:
  void Consegna(bool segui);
  FinestraSelezione& f_;
  bool dalGrafico_ = false;       // the chart's move is rerunning the window
  bool appenaCalcolata_ = false;  // the chart button has just rerun it at its boxes
};

// The air-flow step of the chart's scroll bar, in the air-flow unit shown:
// one l/s, one m3/h, or a litre a second (0.001) in m3/s.
double PassoPortataGrafico();
// The pressure step of the chart, in the pressure unit shown: one Pa, or a
// tenth of a mm of water.
double PassoPressioneGrafico();

// The scroll bar's range and value handed to the chart, in steps.
struct ScalaGrafico {
  int alto = 0;    // the top: the end of the working range of the chosen curve
  int basso = 0;   // the bottom
  int valore = 0;  // the working point
};

// The chart button: hands the working point of the last run (pressione in
// Pa, portata the text of the air-flow box) and the curve it chose to the
// chart and opens it.  A missing air flow or a run that chose no curve
// gives a message instead.  segui: the point of a run made with the chart
// open for the caller, taken by that chart with no rerun and no message.
void ConsegnaGrafico(ChiamanteGrafico& c, float pressione, const QString& portata, int curvaScelta,
                     bool segui = false);

// The range of the scroll bar for a working point (portata in the unit
// shown, pressione in Pa) on curve `curva` of model m, net of the caller's
// accessory drops at the working point.
ScalaGrafico ScalaDelGrafico(ChiamanteGrafico& c, int m, int curva, float portata, float pressione);

// Opens (or brings forward) the chart for the caller, or (segui) has the
// chart, open for it, take the point with no rerun (set at start-up).
using ApriGrafico = std::function<void(ChiamanteGrafico& c, const ScalaGrafico& s, bool segui)>;
void ImpostaApriGrafico(ApriGrafico f);

}  // namespace sel
