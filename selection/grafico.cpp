#include "selection/grafico.h"

#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>

#include "catalogue/catalogo.h"
#include "core/numeri.h"
#include "core/testi.h"
#include "core/unita.h"
#include "engine/ventilatori.h"
#include "platform/messaggi.h"
#include "selection/finestre_selezione.h"

namespace sel {
namespace {

ApriGrafico& Apri() {
  static ApriGrafico f;
  return f;
}

// The last fan curve of the EC models.
constexpr int kUltimaCurvaEC = 7;
// The lowest flow the scroll bar offers, m3/h (less when the working point
// itself is lower).
constexpr float kPortataMinima = 50;
// The scroll bar's steps stay far inside its whole-number range.
constexpr double kPassiMassimi = 1e7;

int Passi(double portata) {
  const double p = std::nearbyint(portata / PassoPortataGrafico());
  return static_cast<int>(std::clamp(std::isfinite(p) ? p : 0.0, 0.0, kPassiMassimi));
}

}  // namespace

DatiGrafico& Grafico() {
  static DatiGrafico g;
  return g;
}

bool GraficoAperto(const plat::Form& finestra) {
  return Grafico().GraficoAperto && Grafico().Servita == &finestra;
}

double PassoPortataGrafico() { return core::um.UmPortataAria == 1 ? 0.001 : 1; }
double PassoPressioneGrafico() { return core::um.UmPerditaAria == 1 ? 0.1 : 1; }

plat::Form& ChiamanteSelezione::FinestraGrafico() { return f_; }

int ChiamanteSelezione::ModelloGrafico() {
  f_.AssicuraSerie();
  return f_.cboModel ? f_.cboModel->ListIndex() : 0;
}

int ChiamanteSelezione::RiferimentoGrafico() { return f_.Ultima().curvaRiferimento; }

void ChiamanteSelezione::AbilitaPortataGrafico(bool abilitata) {
  if (f_.txtqatot) f_.txtqatot->setEnabled(abilitata);
}

int ChiamanteSelezione::RicalcolaGrafico(const QString& pressione, const QString& portata) {
  if (!f_.InCalcolo()) {
    if (f_.txtpsu) f_.txtpsu->SetText(pressione);
    if (f_.txtqatot) f_.txtqatot->SetText(portata);
    // A new chart at the point of the run its button has just made: that
    // run stands.
    if (!appenaCalcolata_ || !f_.RigheAlleCaselle(ModelloGrafico())) {
      const QScopedValueRollback<bool> d(dalGrafico_, true);
      f_.cmdCalcola_Click();
    }
  }
  return RiferimentoGrafico();
}

void ChiamanteSelezione::cmdGrafico_Click() {
  if (OccupatoGrafico()) return;
  const int m = ModelloGrafico();
  const bool ricalcola = m >= 1 && !f_.RigheAlleCaselle(m);
  if (ricalcola) {
    f_.cmdCalcola_Click();
    if (!f_.RigheAlleCaselle(m)) return;
  }
  const QScopedValueRollback<bool> d(appenaCalcolata_, ricalcola);
  Consegna(false);
}

void ChiamanteSelezione::SeguiCorsa() {
  if (!dalGrafico_ && f_.RigheAlleCaselle(ModelloGrafico())) Consegna(true);
}

void ChiamanteSelezione::Consegna(bool segui) {
  ConsegnaGrafico(*this, f_.PressioneDelleRighe(), f_.txtqatot->Text(), f_.Ultima().curvaScelta, segui);
}

bool ChiamanteSelezione::OccupatoGrafico() const { return f_.InCalcolo(); }

void ImpostaApriGrafico(ApriGrafico f) { Apri() = std::move(f); }

ScalaGrafico ScalaDelGrafico(ChiamanteGrafico& c, int m, int curva, float portata, float pressione) {
  const float fattore = core::Fattore(core::Grandezza::PortataAria);
  const catalogo::DatiModello& d = catalogo::Catalogo().Modelli[m];
  const motore::CurvaVentilatore cv{d.VentA[curva], d.VentB[curva], d.VentC[curva]};
  // The search runs in m3/h, the unit of the fan curves.
  const float qmax = motore::PortataDaPressione(0, cv).value_or(0);
  const float lavoro = portata / fattore * 3600;
  const float perdita = c.PerditeGrafico(m, portata / fattore);
  const float passo = qmax / 200;
  float limite = 0;
  for (float q = 1; passo > 0 && q <= qmax; q += passo) {
    const float pf = static_cast<float>(motore::PressioneCurva(q, cv) - perdita);
    const float r = q / lavoro;
    const float ps = r * r * pressione;
    if (pf <= ps) break;
    limite = q;
  }
  ScalaGrafico s;
  s.valore = std::max(Passi(portata), 1);
  s.alto = std::max(Passi(limite / 3600.0 * fattore), s.valore);
  s.basso = std::min(Passi(kPortataMinima / 3600.0 * fattore), s.valore);
  return s;
}

void ConsegnaGrafico(ChiamanteGrafico& c, float pressione, const QString& portata, int curvaScelta,
                     bool segui) {
  if (c.OccupatoGrafico() || (segui && !GraficoAperto(c.FinestraGrafico()))) return;
  auto rifiuta = [segui](const QString& testo, plat::Icona icona) {
    if (!segui) plat::MsgBox(testo, icona);
  };
  const double q = core::ValNum(portata);
  if (!(q > 0)) {
    rifiuta(QStringLiteral(" Air flow is mandatory "), plat::Icona::Nessuna);
    return;
  }
  const int m = c.ModelloGrafico();
  const bool modello = m >= 1 && m <= catalogo::Catalogo().NModelli && m <= catalogo::kUltimoModello;
  const bool curva = curvaScelta >= 0 && curvaScelta <= kUltimaCurvaEC;
  if (!std::isfinite(q) || q / PassoPortataGrafico() > kPassiMassimi || !modello || !curva) {
    rifiuta(core::Testo(104), plat::Icona::Critica);
    return;
  }
  DatiGrafico& g = Grafico();
  g.PressioneGrafico = std::isfinite(pressione) ? std::max(pressione, 0.0f) : 0;
  g.PortataGrafico = static_cast<float>(q);
  if (curvaScelta == kUltimaCurvaEC) {
    rifiuta(QStringLiteral(
                "WARNING : that the maximum curve of speed has been selected, no faster speed is available"),
            plat::Icona::Nessuna);
  }
  const ScalaGrafico s = ScalaDelGrafico(c, m, curvaScelta, g.PortataGrafico, g.PressioneGrafico);
  if (Apri()) Apri()(c, s, segui);
}

}  // namespace sel
