#include "selection/fdatipxxec.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "engine/ventilatori.h"
#include "platform/messaggi.h"
#include "selection/unita/contesto.h"
#include "selection/unita/coppie.h"

namespace sel {

plat::Istanza<FormDatiPXXEC> FDatiPXXEC;
plat::Istanza<FormDatiPXXEC_VFIX> FDatiPXXEC_VFIX;

FormDatiPXXEC::FormDatiPXXEC() : FormDatiPXXEC(QStringLiteral("FDatiPXXEC"), false) {}

FormDatiPXXEC::FormDatiPXXEC(const QString& nome, bool facile)
    : FinestraAriaMista(nome, false),
      ChiamanteSelezione(static_cast<FinestraSelezione&>(*this)),
      facile_(facile) {}

void FormDatiPXXEC::Progetta() {
  resize(1060, 720);
  auto* lay = new QVBoxLayout(this);
  lay->addLayout(CreaPannelli());

  // Below: sound frame; air flow (easy calc: none), pressure and glycol;
  // model (easy calc: and command level); accessories; buttons (easy calc:
  // no chart).
  auto* sotto = new QHBoxLayout();
  sotto->addWidget(CreaBloccoPressione(this), 0, Qt::AlignTop);
  sotto->addLayout(CreaBloccoPressioneGlicole(!facile_));
  auto* mv = CreaBloccoModello();
  if (facile_) CreaListaLivelli(mv);
  mv->setRowStretch(mv->rowCount(), 1);
  sotto->addLayout(mv);
  sotto->addWidget(CreaBloccoAccessori(), 0, Qt::AlignTop);
  sotto->addStretch(1);
  sotto->addWidget(CreaBloccoPulsanti(this, !facile_), 0, Qt::AlignTop);
  lay->addLayout(sotto);
  lay->addWidget(CreaBloccoRisultati(this), 1);

  CreaLegenda(SimboliLegenda());

  txtpsu->LostFocus = [this] { txtpsu_LostFocus(); };
  if (!facile_) cmdGrafico->Click = [this] { cmdGrafico_Click(); };
}

void FormDatiPXXEC::Form_Load() {
  Grafico().FormChiamante = Nome();
  if (serie.isEmpty()) serie = QString::fromStdString(catalogo::Catalogo().SerieCorrente);
  SpostaTw(0, 0);
  DidascaliePannelli();
  AggiornaUnita();
  MostraQuote();
  FinestraSelezione::Form_Load();  // model label, buttons
}

// A "4P" unit, listed as a separator, is rated picked alone: with the model
// before it (its cooling) through the additional coil.
bool FormDatiPXXEC::SeparatoreSceglibile(int posizione) const {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  if (posizione < 1 || posizione > catalogo::kUltimoModello) return false;
  return unita::ModelliScelti(unita::TipoCorsa::Misto, posizione, cat.Modelli[posizione].Modello,
                              catalogo::kUltimoModello)
      .spunta;
}

// The static pressure up to the series' limit; an empty box stays empty,
// and the required air flow stays: both are inputs of the same run.
void FormDatiPXXEC::txtpsu_LostFocus() { ControllaPressione(); }

// ---- The run ----

void FormDatiPXXEC::cmdCalcola_Click() {
  EseguiCalcolo([this] { facile_ ? CalcolaLivello() : Calcola(); });
  if (!facile_) SeguiCorsa();
}

void FormDatiPXXEC::Calcola() {
  Calcolo c(*this);
  unita::StatoCorsa& s = c.stato;

  AvvisaSenzaPressione();
  const bool senzaPortata = LetturaPortataTotale().value_or(0) == 0;
  lblLegSim(0)->SetCaption(senzaPortata ? QStringLiteral("QA") : QStringLiteral("PSU"));
  lblLegDes(0)->SetCaption(core::Testo(senzaPortata ? 49 : 58));
  CalcolaIntestazioneEC(1100, false);
  if (!SaltoTermicoAmmesso(true)) return;
  const float pressione = LeggiPressioneUtile();
  const float qr = PortataRichiesta();
  if (qr == 0) return;

  cmdGrafico->setVisible(cboModel->ListIndex() > 0);
  const unita::Scelta scelta = ModelliDellaCorsa(unita::TipoCorsa::Misto, chkAcc(1));
  unita::Condizioni k = CondizioniDellaCorsa(pressione);
  k.PortataTotale = qr;
  const std::span<const motore::AccessorioDP> righe = AccessoriSerie();
  unita::Valutazione u(s, c.costanti, k, righe);
  u.IniziaCorsa();
  // The chart keeps the reference curve of the model it shows; another
  // model picked chooses its own, as the chart's first run does.
  unita::CorsaPortata corsa(u, k, righe, {true, k.SenzaLimiti, GraficoAperto(*this) && c.stessoModello});
  const bool finita = RigheDellaCorsa(
      scelta, corsa,
      [&](const catalogo::DatiModello& d, const unita::RigaPortata& r) { return RigaEC(d, r, false); });
  if (!finita) return;
  ChiudiCalcolo(s);
}

// The easy-calc run: each model at the air flow the chosen command level
// gives against the static pressure plus the drops of the ticked
// accessories at that flow.
void FormDatiPXXEC::CalcolaLivello() {
  Calcolo c(*this);
  unita::StatoCorsa& s = c.stato;

  AvvisaSenzaPressione();
  lblLegSim(0)->SetCaption(QStringLiteral("QA"));
  lblLegDes(0)->SetCaption(core::Testo(49));
  CalcolaIntestazioneEC(1100, true);
  if (!SaltoTermicoAmmesso(false)) return;
  const float pressione = LeggiPressioneUtile();

  const unita::Scelta scelta = ModelliDellaCorsa(unita::TipoCorsa::Misto, chkAcc(1));
  const unita::Condizioni k = CondizioniDellaCorsa(pressione);
  const std::span<const motore::AccessorioDP> righe = AccessoriSerie();
  unita::Valutazione u(s, c.costanti, k, righe);
  u.IniziaCorsa();
  unita::CorsaLivello corsa(u, k, righe, true, unita::LivelloComando(cboVel->ListIndex()));
  const bool finita = RigheDellaCorsa(
      scelta, corsa,
      [&](const catalogo::DatiModello& d, const unita::RigaLivello& r) { return RigaLivello(d, r, false); });
  if (!finita) return;
  ChiudiCalcolo(s);
}

// ---- Chart ----

float FormDatiPXXEC::PerditeGrafico(int m, float qa) {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  if (m < 1 || m > cat.NModelli || m > catalogo::kUltimoModello) return 0;
  unita::Condizioni k;
  LeggiCondizioniAria(k);
  const std::span<const motore::AccessorioDP> righe = AccessoriSerie();
  const motore::AccessoriModello acc{righe, std::span<const bool>(k.Accessori.data(), righe.size()),
                                     cat.Modelli[m].Sezione, cat.Modelli[m].Bocche};
  motore::StatoCalcolo prova;  // the drop alone: the run's state stays as it is
  try {
    return motore::SommaPerditeAccessori(0, acc, qa, prova);
  } catch (const motore::ErroreCalcolo&) {
    return 0;
  }
}

}  // namespace sel
