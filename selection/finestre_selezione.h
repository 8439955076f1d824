// The six selection windows.  They share one design (FinestraSelezione):
// the result grid and its legend, the window keys, the entry-box rules, the
// buttons and the guarded run; each window adds its own inputs and run.
#pragma once

#include <QFrame>
#include <QGridLayout>
#include <functional>
#include <optional>

#include "catalogue/descrittore.h"
#include "platform/controlli.h"
#include "platform/form.h"
#include "platform/griglia.h"
#include "selection/unita/condizioni.h"
#include "selection/unita/corsa_livello.h"
#include "selection/unita/corsa_portata.h"
#include "selection/unita/curve_ec.h"
#include "selection/unita/valutazione.h"

namespace core {
struct UnitaMisura;
}

namespace plat {
class RegistroCorsa;
}

namespace sel {

class FinestraSelezione : public plat::Form {
  Q_OBJECT
 public:
  FinestraSelezione(const QString& nome, bool centra);

  // The series this window was opened for (set by the product-line opener).
  QString serie;

  // Controls every selection window has (some windows lack a few: nullptr).
  plat::ComboBox* cboModel = nullptr;
  // The speed list, or the command levels of an easy-calc window (nullptr
  // in the advanced EC windows).
  plat::Label* lblVel = nullptr;
  plat::ComboBox* cboVel = nullptr;
  plat::CommandButton* CmdFine = nullptr;
  plat::CommandButton* cmdCalcola = nullptr;
  plat::CommandButton* cmdStampa = nullptr;
  plat::CommandButton* cmdLegend = nullptr;
  plat::Griglia* Grd = nullptr;
  plat::Frame* PanLegend = nullptr;
  plat::ArrayControlli<plat::Label> lblLegSim;
  plat::ArrayControlli<plat::Label> lblLegDes;
  plat::ArrayControlli<plat::TextBox> txtTw1, txtTw2, txtQw;
  plat::ArrayControlli<plat::Label> lblTw1, lblTw2, lblQw, lblumQw;
  plat::TextBox* txtGlic = nullptr;
  plat::Label* lblglic = nullptr;
  plat::TextBox* txtpsu = nullptr;
  plat::Label* lblPsu = nullptr;
  plat::Label* lblumDpa = nullptr;
  plat::Label* lblModello = nullptr;
  plat::Frame* frmPressione = nullptr;
  plat::TextBox* txtDistanza = nullptr;
  plat::Label* lblDistanza = nullptr;
  plat::ComboBox* cboDirezione = nullptr;
  plat::Label* lblDirezione = nullptr;
  plat::ArrayControlli<plat::CheckBox> chkAcc;
  plat::TextBox* txtqatot = nullptr;
  plat::Label* lblQaTot = nullptr;
  plat::Label* lblUmQA = nullptr;
  plat::CommandButton* cmdGrafico = nullptr;  // the chart of the advanced EC windows

  // Shared handlers.
  void Grd_DblClick();
  void Grd_KeyPress(int& keyAscii);
  void CmdFine_Click();
  void cmdLegend_Click();
  void PanLegend_Click();
  // The shown legend at the grid's corner, whole inside the window.
  void PosizionaLegenda();
  void cmdStampa_Click();
  bool Form_KeyPress(int& keyAscii, QWidget* controllo) override;

  // The descriptor of the series this window was opened for (the loaded
  // series while the opener has not named it yet); nullptr for none.
  const catalogo::Serie* SerieFinestra() const;

  // Shows the unit labels in the units in force.
  virtual void AggiornaUnita();
  // The units were prima until now: the numbers typed in the boxes are
  // rewritten in the units in force, the labels follow, and the rows rated
  // in the old units are cleared (with the chart button of their run).
  void UnitaCambiate(const core::UnitaMisura& prima);
  // An easy-calc window: EC units rated at a fixed command level.
  virtual bool Facile() const { return false; }
  // True while a run is under way.
  bool InCalcolo() const { return inCalcolo_; }
  // Loads this window's series into the catalogue when another one is loaded.
  void AssicuraSerie();
  // The number the error trap shows for the exception being handled: the
  // numbered errors their own, memory exhausted kErroreMemoria, anything
  // else kErroreInterno.  Called only inside a catch block.
  static constexpr int kErroreMemoria = 7;
  static constexpr int kErroreInterno = 51;
  static int NumeroErroreCorrente();
  // The error trap of the runs and of the boxes' handlers: "Errore generico : "
  // and that number, the pointer back to normal.
  void TrappolaErrori() override;

  // The run of the calculate button (each window its own).
  virtual void cmdCalcola_Click() {}
  // The window's last check: of an entry box's range (True when the value
  // was out of range and has been reset), or a run's input check (1 passed,
  // 0 failed).
  std::int16_t EsitoControllo() const { return esitoControllo_; }

  // A run heads the grid with the column codes and the units: the rows
  // below them are the rated ones.
  static constexpr int kRigheIntestazione = 2;

  // What the window's last run left for the chart: the fan curve chosen for
  // the last model that reached the curve search (-1 none), the reference
  // curve (the command's full scale), and the static pressure of the boxes
  // (Pa) the last model was rated against.  And the list position picked
  // for the last run that headed the grid (-1 before any): the rows the
  // grid shows, if any, are that model's.
  struct UltimaCorsa {
    int curvaScelta = -1;
    int curvaRiferimento = 0;
    float pressione = 0;
    int modello = -1;
  };
  const UltimaCorsa& Ultima() const { return ultima_; }
  // The grid shows rows of the model at list position m rated at what the
  // boxes say now: the static pressure and the required air flow as a run
  // reads them, and the accessory ticks.
  bool RigheAlleCaselle(int m) const;
  // The static pressure (Pa) the rows the grid shows were rated at, as
  // their run read it from its box; 0 while the grid shows none.
  float PressioneDelleRighe() const;

  // Opens the report dialog for the window whose print button was pressed
  // (set at start-up).
  static void ImpostaApriStampa(std::function<void(FinestraSelezione&)> f);
  // Reloads a series into this window's model list (set by the opener).
  static void ImpostaRicarica(std::function<void(FinestraSelezione&)> f);

 protected:
  void Progetta() override;
  void Form_Load() override;
  void Form_Unload() override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  // A positive outlet water temperature was entered in panel i.
  virtual void UscitaAcquaData(int /*i*/) {}
  // Whether the separator entry at a list position can be chosen: one that
  // stands for a unit the window's run rates with its partner when picked.
  // The others cannot (the arrows and the wheel pass over them).
  virtual bool SeparatoreSceglibile(int /*posizione*/) const { return false; }

  // Captions, hints and legend descriptions the base windows share, and
  // the directivity list.
  void DidascalieBase();

  // Builders of the common blocks, for the windows' own layouts.
  QWidget* CreaBloccoPressione(QWidget* padre);  // frame of distance and directivity
  // Calculate, print, close; the chart button (hidden) before them when conGrafico.
  QWidget* CreaBloccoPulsanti(QWidget* padre, bool conGrafico = false);
  QWidget* CreaBloccoRisultati(QWidget* padre);  // grid with legend button and panel
  // Static pressure and glycol, after the required air flow when conPortata.
  QGridLayout* CreaBloccoPressioneGlicole(bool conPortata);
  // The model list with its label; a window adds its own rows below.
  QGridLayout* CreaBloccoModello();
  // Below the model list of an easy-calc window: the command levels "Min",
  // "Med", "Max" ("Max" chosen) with their fixed label; giving the list the
  // focus selects its whole text.
  void CreaListaLivelli(QGridLayout* blocco);
  void CreaLegenda(const std::vector<std::pair<int, QString>>& simboli);
  // The legend rows 0..13 every selection window has, and a window's own after them.
  static std::vector<std::pair<int, QString>> SimboliLegenda(
      std::vector<std::pair<int, QString>> propri = {});
  plat::TextBox* CreaCasella(QWidget* padre, const QString& nome, int indice = -1);
  plat::Label* CreaEtichetta(QWidget* padre, const QString& nome, int indice = -1);

  // Entry-box rules shared by the windows.
  bool Positivo(const plat::TextBox* box) const;
  // Range check: its result kept as the window's last check.
  bool Controlla(plat::TextBox* box, float minimo, float massimo, const QString& unita, bool zeroAmmesso);
  bool VersoChiusura() const;
  // Outlet water temperature of panel i: empties the water flow, checks the order.
  void RegolaUscitaAcqua(int i);
  // Wet bulb B against the dry bulb D: humidity H recomputed.  A humidity
  // the moist-air routines cannot give refuses B as out of H's range
  // (minimo to massimo %).
  void RegolaBulboUmido(plat::TextBox* b, plat::TextBox* d, plat::TextBox* h, float minimo, float massimo);
  // Humidity H in range, then the wet bulb B recomputed (and H again when
  // emptied).  A wet bulb the routines cannot give refuses H as out of range.
  void RegolaUmidita(plat::TextBox* h, plat::TextBox* d, plat::TextBox* b, float minimo, float massimo);
  // An air state that gives no humidity: the range message of the humidity,
  // the box left and the one derived from it emptied, the focus back on
  // the box left.
  void RifiutaAria(plat::TextBox* lasciata, plat::TextBox* derivata, float minimo, float massimo);
  void ControllaTw1(int i);
  void ControllaGlicole();
  // Water flow of panel i (the mixed-air windows' rule): empties the outlet
  // temperature, then its range check.
  void RegolaPortataAcqua(int i);
  // The range check of the water flow of panel i: 0 to 3000 in the
  // water-flow unit.
  virtual void ControllaPortataAcqua(int i);
  // A box a run reads, the value the run reads in it, and its range check,
  // which leaves its outcome as the window's last check.
  struct CasellaControllata {
    double valore;
    std::function<void()> controllo;
  };
  // The boxes with a range check that a run reads and no check of the run
  // covers, in the window's order: the water and the glycol here, a window
  // its air boxes before them.
  virtual std::vector<CasellaControllata> CaselleDellaCorsa();
  // Before a run: a value that no check saw (pasted, or written while
  // another box's refusal held the focus) goes through its box's check
  // when the run would read it as a number other than 0, and a refusal
  // stops the run; 0 (an empty box, a text that is no number) is left to
  // the run's input check.  Nothing with "nolimits".  True when a box was
  // refused.
  bool CaselleFuoriCampo();
  // Static pressure from 0 to the window's limit, in the unit shown;
  // letters refused.
  void ControllaPressione();
  // The static pressure's upper limit of the window's series, Pa.
  virtual float PressioneMassima() const;
  // The cooling water temperature rise of a run with both temperatures
  // given: at least 8 K for district cooling, at most 8 K otherwise when
  // limitato.  False (after its message) when the run must stop.
  bool SaltoTermicoAmmesso(bool limitato) const;

  // Runs a calculation: pending box checks first (a failed one stops it), a
  // distance that is no number above 0 refused with its message, no
  // second run meanwhile, the window's own series in the catalogue, the busy
  // pointer, and the error trap ("Errore generico : " and the number): it
  // catches every exception, and the program goes on.
  void EseguiCalcolo(const std::function<void()>& corpo);

  // Joins cells with tabs.
  static QString Riga(const QStringList& celle);
  // Clears the grid and heads it with the code row and the unit row; the
  // first column larghezzaPrima twips wide, the others 700 and right-aligned;
  // shows the legend button.
  void IntestaGriglia(const QStringList& codici, const QStringList& unita, int larghezzaPrima,
                      int larghezzaAltre = 700);
  // The columns from "PT" to "LP" of the base grids (codes and unit names;
  // flow or outlet temperature of each pass's water by its outlet box), and
  // their cells from "PT" to "TA (H)" for a row's results, a leaving air
  // temperature not above 0 shown empty when ariaVuota.
  void ColonneRese(QStringList& codici, QStringList& unita) const;
  void CelleRese(QStringList& celle, const unita::Rese& r, bool ariaVuota) const;
  // The record and the coil constants of one run: a record of its own,
  // which starts from what the window's last run left for the chart (so
  // that a run with the chart open keeps the reference curve) and gives it
  // back when the run ends, however it ends; the constants of the window's
  // series.
  class Calcolo {
   public:
    explicit Calcolo(FinestraSelezione& f);
    ~Calcolo();
    Calcolo(const Calcolo&) = delete;
    Calcolo& operator=(const Calcolo&) = delete;
    unita::StatoCorsa stato;
    motore::CostantiBatteria costanti;
    // The model picked is the one whose rows the grid shows.
    bool stessoModello = false;

   private:
    FinestraSelezione& f_;
  };
  // End of a run: the low water pressure drop warning (when the record s
  // met one), then the heading rows fixed, or the message that no unit
  // meets the data.
  void ChiudiCalcolo(const motore::StatoCalcolo& s);
  // Start of a run: an empty static pressure box becomes "0"; the pressure
  // in Pa.  A text that is no number (pasted where no check saw it) is
  // refused as the box's check refuses it, and the run stops (CorsaFermata).
  float LeggiPressioneUtile();
  // Thrown by a run that refused a box with that box's own message and gave
  // it the focus: the run ends there, without the error trap.
  struct CorsaFermata {};
  // How the runs read the boxes of numbers, in the unit shown: one routine
  // per box, which the rewrite on a change of units calls too, so that both
  // read a text alike.
  // The water flow of panel i: the number at the start of the text (","
  // a decimal mark too), 0 when there is none.
  double LetturaPortataAcqua(int i) const;
  // The static pressure by the system's rules, blanks alone an empty box
  // (0); nothing for a text that is no number.
  std::optional<double> LetturaPressione() const;
  // The required air flow as the window's run reads it: the number at the
  // start of the text; nothing for a text the run refuses (or no box).
  virtual std::optional<double> LetturaPortataTotale() const;
  // The boxes every base window has, read into the conditions of a run:
  // water of both passes, glycol, distance and directivity, and the
  // command-line words.
  void LeggiCondizioniComuni(unita::Condizioni& k) const;
  // The window's air boxes (and accessory ticks) with the shared boxes.
  virtual void LeggiCondizioniAria(unita::Condizioni& k) const { LeggiCondizioniComuni(k); }
  // The boxes read once for an EC run, at the static pressure of the run.
  unita::Condizioni CondizioniDellaCorsa(float pressione) const;
  // A failed input check: its message, and the focus on the box to correct.
  void Rifiuta(const unita::Esito& e);
  // A rated row as the run takes it: the result of its input check kept as
  // the window's last check; a failed check shown, and false: the run ends.
  bool ProseguiCorsa(const unita::Riga& r);
  // The models of scelta rated one by one by a run of the rating unit
  // (corsa.Modello, an EC run), a grid row added for each rated model, its
  // text from riga(model data, row); false when an input check stopped the
  // run.
  template <class Corsa, class Testo>
  bool RigheDellaCorsa(const unita::Scelta& scelta, Corsa& corsa, Testo&& riga) {
    const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
    for (int m = scelta.primo; m <= scelta.ultimo; ++m) {
      const catalogo::DatiModello& d = cat.Modelli[m];
      const auto r = corsa.Modello(d, m);
      if (!Prosegui(r.fine, r.esito, r.controllata)) return false;
      if (r.fine == unita::Riga::Fine::Riga) Grd->AddItem(riga(d, r));
    }
    return true;
  }
  // The box of pass p that an input check names.
  virtual plat::TextBox* Casella(unita::Casella c, int p);
  // ---- EC windows ----
  // The last three cells of an EC row: sound power, sound pressure lp (the
  // leaving humidity of r when umiditaUR), power input; the sound cells
  // marked "< " when minimo.
  void CelleSuonoEC(QStringList& celle, float lw, float lp, bool minimo, float pin, bool umiditaUR,
                    const unita::Rese& r) const;
  // Heads the grid of an EC run: 15 columns, the fan speed of the command's
  // full scale and the command voltage after the model; in an easy-calc
  // window (facile) 14, the air flow found in their place.  The others
  // 695 twips wide.
  void CalcolaIntestazioneEC(int larghezzaPrima, bool facile);
  // The required air flow of txtqatot in m3/s; 0 after the message that it
  // is mandatory, with the caret at the start of the box (below 0: after
  // RifiutaPortata).
  float PortataRichiesta();
  // A required air flow below 0: the range message naming the air flow,
  // the focus on its box.
  void RifiutaPortata();
  // A required air flow (internal units) too large for the rating to hold
  // (a single, in m3/h too): no unit meets it, said with the focus on its
  // box (true).
  bool PortataOltreOgniUnita(double q);
  // An EC row: model, full-scale speed and voltage, the passes' results,
  // sound power, sound pressure (the leaving humidity in "UR" mode when
  // umiditaUR), power input; the sound cells marked "< " when the sound
  // power was raised to its floor.
  QString RigaEC(const catalogo::DatiModello& d, const unita::RigaPortata& r, bool umiditaUR) const;
  // A row of an easy-calc run: model, the air flow found at the command
  // level, the passes' results (a leaving air temperature not above 0 shown
  // empty when ariaVuota), sound power and pressure, power input.
  QString RigaLivello(const catalogo::DatiModello& d, const unita::RigaLivello& r, bool ariaVuota) const;

  // The models of a run: all, or the one picked in cboModel (a 4-pipe pick
  // with its partner, which ticks the 4-pipe box quattroTubi).
  unita::Scelta ModelliDellaCorsa(unita::TipoCorsa t, plat::CheckBox* quattroTubi);
  // The speeds a run rates: every speed of the list at position 0, else the
  // chosen one (never past the model tables' last speed).
  struct Velocita {
    bool tutte;
    int prima, ultima;
  };
  static Velocita VelocitaScelte(const plat::ComboBox* cboVel);

  // The number of a box by the system's rules, 0 when the box holds no number.
  static float NumeroOZero(const plat::TextBox* box);

 private:
  bool Prosegui(unita::Riga::Fine fine, const unita::Esito& esito, bool controllata);
  // After a run that headed the grid: what the controls show, the
  // conditions its rows were rated at, recorded for the report (forgotten
  // with the rows).
  void RegistraCorsa();
  plat::RegistroCorsa* corsa_ = nullptr;
  bool centra_;
  bool inCalcolo_ = false;
  UltimaCorsa ultima_;
  std::int16_t esitoControllo_ = 0;
};

class FormDatiP;
class FormDatiPXX;
class FormDatiPEC;
class FormDatiPXXEC;

extern plat::Istanza<FormDatiP> FDatiP;
extern plat::Istanza<FormDatiPXX> FDatiPXX;
extern plat::Istanza<FormDatiPEC> FDatiPEC;
extern plat::Istanza<FormDatiPXXEC> FDatiPXXEC;

}  // namespace sel
