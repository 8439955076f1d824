#include "selection/fdatipxx.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>
#include <cstdlib>

#include "catalogue/catalogo.h"
#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "engine/numeri.h"
#include "platform/messaggi.h"
#include "selection/celle.h"
#include "selection/unita/contesto.h"

namespace sel {

plat::Istanza<FormDatiPXX> FDatiPXX;

FormDatiPXX::FormDatiPXX() : FinestraAriaMista(QStringLiteral("FDatiPXX"), true) {}

// ---- Layout ----

void FormDatiPXX::Progetta() {
  resize(1060, 720);
  auto* lay = new QVBoxLayout(this);
  lay->addLayout(CreaPannelli());

  // Below: sound frame; air flow, pressure and glycol; model and speed;
  // accessories; buttons.
  auto* sotto = new QHBoxLayout();
  sotto->addWidget(CreaBloccoPressione(this), 0, Qt::AlignTop);
  sotto->addLayout(CreaBloccoPressioneGlicole(true));
  auto* mv = CreaBloccoModello();
  cboModel->setMinimumWidth(150);
  lblVel = CreaEtichetta(this, "lblVel");
  cboVel = new plat::ComboBox(this, "cboVel");
  mv->addWidget(lblVel, 1, 0);
  mv->addWidget(cboVel, 1, 1);
  mv->setRowStretch(2, 1);
  sotto->addLayout(mv);
  sotto->addWidget(CreaBloccoAccessori(), 0, Qt::AlignTop);
  sotto->addStretch(1);
  sotto->addWidget(CreaBloccoPulsanti(this), 0, Qt::AlignTop);
  lay->addLayout(sotto);
  lay->addWidget(CreaBloccoRisultati(this), 1);

  CreaLegenda(SimboliLegenda());

  txtpsu->LostFocus = [this] { txtpsu_LostFocus(); };
  txtqatot->LostFocus = [this] { txtqatot_LostFocus(); };
}

void FormDatiPXX::Form_Load() {
  using core::Testo;
  if (serie.isEmpty()) serie = QString::fromStdString(catalogo::Catalogo().SerieCorrente);
  lblVel->SetCaption(Testo(86));
  DidascaliePannelli();
  cboVel->AddItem(Testo(84));
  if (const catalogo::Serie* d = SerieFinestra())
    for (const std::string& v : d->velocita) cboVel->AddItem(QString::fromStdString(v));
  cboVel->SetListIndex(3);
  AggiornaUnita();
  Scrollfreddo_Change();
  FinestraSelezione::Form_Load();  // model label, buttons, centring
}

// ---- Lost-focus handlers ----

void FormDatiPXX::txtpsu_LostFocus() {
  if (txtpsu->Text().trimmed().isEmpty()) txtpsu->SetText(QStringLiteral("0"));
  if (Positivo(txtpsu)) txtqatot->SetText(QStringLiteral("0"));
  ControllaPressione();
}

void FormDatiPXX::txtqatot_LostFocus() {
  // Blanks alone are an empty box.
  if (txtqatot->Text().trimmed().isEmpty()) txtqatot->SetText(QStringLiteral("0"));
  if (!VersoChiusura() && RifiutaPortataTotale()) return;
  if (Positivo(txtqatot)) txtpsu->SetText(QStringLiteral("0"));
}

std::optional<double> FormDatiPXX::LetturaPortataTotale() const {
  if (txtqatot->Text().trimmed().isEmpty()) return 0.0;
  double q = 0;
  if (!core::NumeroDiSistema(txtqatot->Text(), core::imp.SepDec, &q)) return std::nullopt;
  return q;
}

bool FormDatiPXX::RifiutaPortataTotale() {
  const std::optional<double> q = LetturaPortataTotale();
  if (q && !(*q < 0 && !core::imp.SenzaLimiti)) return false;
  txtqatot->SetText(QStringLiteral("0"));
  RifiutaPortata();
  return true;
}

// ---- Input check and air mixing ----

unita::Condizioni FormDatiPXX::LeggiCondizioni() const {
  unita::Condizioni k;
  LeggiCondizioniAria(k);
  return k;
}

int FormDatiPXX::ControllaDati(unita::StatoCorsa& s, float q) {
  const unita::Condizioni k = LeggiCondizioni();
  const motore::CostantiBatteria nessuna;  // the check reads no coil constant
  unita::Valutazione u(s, nessuna, k, AccessoriSerie());
  const unita::Esito e = u.ControllaMista(s.FlagPassaggio, q);
  if (!e.Passato()) Rifiuta(e);
  return e.Valore();
}

// ---- Grid heading ----

void FormDatiPXX::CalcolaIntestazione() {
  const catalogo::Serie* d = SerieFinestra();
  const bool conPin = d && d->colonneRumoreInOut;
  const bool tutteVel = cboVel->ListIndex() == 0;
  const bool portata = LetturaPortataTotale().value_or(0) == 0;
  QStringList codici{QString()}, unita{core::Testo(40)};
  auto colonna = [&](const QString& codice, const QString& u) {
    codici << codice;
    unita << u;
  };
  if (tutteVel) colonna("Vel", QString());
  if (portata)
    colonna("QA", core::NomeUnita(core::Grandezza::PortataAria));
  else
    colonna("PSU", core::NomeUnita(core::Grandezza::PerditaAria));
  ColonneRese(codici, unita);
  if (conPin) {
    const QString db = QStringLiteral("dB(A)");
    colonna("Pin", QStringLiteral("W"));
    colonna("LW_In+R", db);
    colonna("LW_Out", db);
  }
  IntestaGriglia(codici, unita, 1300);
}

// ---- The run ----

void FormDatiPXX::cmdCalcola_Click() {
  EseguiCalcolo([this] { Calcola(); });
}

void FormDatiPXX::Calcola() {
  const catalogo::CatalogoSerie& cat = catalogo::Catalogo();
  const QString& sep = core::imp.SepDec;

  AvvisaSenzaPressione();
  if (txtqatot->Text().trimmed().isEmpty()) txtqatot->SetText(QStringLiteral("0"));
  if (RifiutaPortataTotale()) return;
  const double qaTot = LetturaPortataTotale().value_or(0);
  if (PortataOltreOgniUnita(core::Interno(core::Grandezza::PortataAria, qaTot))) return;
  if (qaTot == 0) {
    lblLegSim(0)->SetCaption(QStringLiteral("QA"));
    lblLegDes(0)->SetCaption(core::Testo(49));
  } else {
    lblLegSim(0)->SetCaption(QStringLiteral("PSU"));
    lblLegDes(0)->SetCaption(core::Testo(58));
  }
  Calcolo c(*this);
  CalcolaIntestazione();

  if (!SaltoTermicoAmmesso(true)) return;
  const float pressione = LeggiPressioneUtile();

  // Models and speeds.  A "4P" unit is rated with the model before it (its
  // cooling) through the additional coil.
  const unita::Scelta scelta = unita::ModelliScelti(unita::TipoCorsa::Misto, cboModel->ListIndex(),
                                                    cboModel->Text().toStdString(), cat.NModelli);
  if (scelta.spunta) chkAcc(1)->SetValue(1);
  const auto [tutteVel, primaVel, ultimaVel] = VelocitaScelte(cboVel);

  unita::Condizioni k = LeggiCondizioni();
  k.PressioneUtile = pressione;
  k.PortataTotale =
      qaTot != 0 ? static_cast<float>(core::Interno(core::Grandezza::PortataAria, qaTot)) : 0.0f;
  unita::Valutazione u(c.stato, c.costanti, k, AccessoriSerie());
  u.IniziaCorsa();
  for (int v = primaVel; v <= ultimaVel; ++v) {
    for (int m = scelta.primo; m <= scelta.ultimo; ++m) {
      const catalogo::DatiModello& d = cat.Modelli[m];
      const unita::Riga r = u.RigaMista(d, m, v);
      if (!ProseguiCorsa(r)) return;
      if (r.fine != unita::Riga::Fine::Riga) continue;
      PrefissoPressione = r.punto.Prefisso;

      QStringList celle{QString::fromStdString(d.ModDescri)};
      if (tutteVel) celle << cboVel->List(v);
      if (qaTot == 0)
        celle << CellaPortataAria(r.punto.PortataAria);
      else
        celle << QString::fromStdString(r.punto.Prefisso) + CellaPressione(r.punto.PressioneLavoro);
      CelleRese(celle, r.rese, false);
      celle << core::TestoNumero(r.LWA, sep) << QString::number(r.LP);
      if (r.PIN > 0)
        celle << core::TestoNumero(r.PIN, sep) << core::TestoNumero(r.LWAIn, sep)
              << core::TestoNumero(r.LWAOut, sep);
      Grd->AddItem(Riga(celle));
    }
  }
  ChiudiCalcolo(c.stato);
}

}  // namespace sel
