#include "selection/fdatipec.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/testi.h"
#include "core/unita.h"
#include "selection/unita/contesto.h"

namespace sel {

plat::Istanza<FormDatiPEC> FDatiPEC;
plat::Istanza<FormDatiPEC_VFIX> FDatiPEC_VFIX;

FormDatiPEC::FormDatiPEC() : FormDatiPEC(QStringLiteral("FDatiPEC"), false) {}

FormDatiPEC::FormDatiPEC(const QString& nome, bool facile)
    : FinestraAriaSingola(nome),
      ChiamanteSelezione(static_cast<FinestraSelezione&>(*this)),
      facile_(facile) {}

void FormDatiPEC::Progetta() {
  resize(1000, 660);
  auto* lay = new QVBoxLayout(this);
  lay->addLayout(CreaPannelli(false));

  // Below: sound frame; air flow (easy calc: none), pressure and glycol;
  // model (easy calc: and command level); buttons (easy calc: no chart).
  auto* sotto = new QHBoxLayout();
  sotto->addWidget(CreaBloccoPressione(this));
  sotto->addLayout(CreaBloccoPressioneGlicole(!facile_));
  auto* mv = CreaBloccoModello();
  if (facile_) CreaListaLivelli(mv);
  sotto->addLayout(mv);
  sotto->addStretch(1);
  sotto->addWidget(CreaBloccoPulsanti(this, !facile_));
  lay->addLayout(sotto);
  lay->addWidget(CreaBloccoRisultati(this), 1);

  CreaLegenda(SimboliLegenda({{14, "SPEED"}, {15, "Vin"}}));
  lblLegDes(14)->SetCaption(QStringLiteral("Curva impostata inverter"));
  lblLegDes(15)->SetCaption(QStringLiteral("Tensione di comando iverter (0-10v)"));

  txtpsu->LostFocus = [this] { txtpsu_LostFocus(); };
  if (facile_) return;
  txtqatot->GotFocus = nullptr;  // the required air flow is only read by the run
  cmdGrafico->Click = [this] { cmdGrafico_Click(); };
}

void FormDatiPEC::Form_Load() {
  Grafico().FormChiamante = Nome();
  DidascaliePannelli();
  if (lblQaTot) lblQaTot->SetCaption(core::Testo(49));
  AggiornaUnita();
  FinestraSelezione::Form_Load();  // model label, buttons, centring
}

// ---- The run ----

void FormDatiPEC::cmdCalcola_Click() {
  if (facile_) {
    EseguiCalcolo([this] { CalcolaLivello(); });
    return;
  }
  EseguiCalcolo([this] {
    try {
      Calcola();
    } catch (...) {
      cmdGrafico->setVisible(false);  // a run that failed hands nothing to the chart
      throw;
    }
  });
  SeguiCorsa();
}

void FormDatiPEC::Calcola() {
  Calcolo c(*this);
  unita::StatoCorsa& s = c.stato;

  CalcolaIntestazioneEC(1500, false);
  if (!SaltoTermicoAmmesso(false)) return;
  const float pressione = LeggiPressioneUtile();
  const float qr = PortataRichiesta();
  if (qr == 0) {
    cmdGrafico->setVisible(false);
    return;
  }

  cmdGrafico->setVisible(cboModel->ListIndex() > 0);
  const unita::Scelta scelta = ModelliDellaCorsa(unita::TipoCorsa::FanCoil, chkKQ);
  unita::Condizioni k = CondizioniDellaCorsa(pressione);
  k.PortataTotale = qr;
  unita::Valutazione u(s, c.costanti, k);
  u.IniziaCorsa();
  // The chart keeps the reference curve of the model it shows; another
  // model picked chooses its own, as the chart's first run does.
  unita::CorsaPortata corsa(u, k, {}, {false, k.SenzaLimiti, GraficoAperto(*this) && c.stessoModello});
  const bool finita = RigheDellaCorsa(
      scelta, corsa,
      [&](const catalogo::DatiModello& d, const unita::RigaPortata& r) { return RigaEC(d, r, k.ModoUR); });
  if (!finita) return;

  ChiudiCalcolo(s);
  if (Grd->Rows() <= 2) cmdGrafico->setVisible(false);
}

// The easy-calc run: each model at the air flow the chosen command level
// gives against the static pressure.
void FormDatiPEC::CalcolaLivello() {
  Calcolo c(*this);
  unita::StatoCorsa& s = c.stato;

  CalcolaIntestazioneEC(1500, true);
  if (!SaltoTermicoAmmesso(false)) return;
  const float pressione = LeggiPressioneUtile();

  const unita::Scelta scelta = ModelliDellaCorsa(unita::TipoCorsa::FanCoil, chkKQ);
  const unita::Condizioni k = CondizioniDellaCorsa(pressione);
  unita::Valutazione u(s, c.costanti, k);
  u.IniziaCorsa();
  unita::CorsaLivello corsa(u, k, {}, false, unita::LivelloComando(cboVel->ListIndex()));
  const bool finita = RigheDellaCorsa(
      scelta, corsa,
      [&](const catalogo::DatiModello& d, const unita::RigaLivello& r) { return RigaLivello(d, r, true); });
  if (!finita) return;
  ChiudiCalcolo(s);
}

}  // namespace sel
