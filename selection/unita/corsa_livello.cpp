#include "selection/unita/corsa_livello.h"

#include <algorithm>

#include "engine/numeri.h"

namespace unita {

namespace {

// The mixed-air check runs before the flow is known; the streams mix by the
// fresh-air share whatever the flow, so any flow above zero mixes them.
constexpr float kPortataDiMiscela = 1.0f;

}  // namespace

CorsaLivello::CorsaLivello(Valutazione& u, const Condizioni& k,
                           std::span<const motore::AccessorioDP> accessori, bool mista, double livello)
    : u_(u),
      k_(k),
      accessori_(accessori.first(std::min(accessori.size(), k.Accessori.size()))),
      mista_(mista),
      livello_(livello) {}

RigaLivello CorsaLivello::Modello(const catalogo::DatiModello& d, int m) {
  return mista_ ? Mista(d, m) : Singola(d, m);
}

EsitoLivello CorsaLivello::Cerca(const catalogo::DatiModello& d) {
  const motore::AccessoriModello acc{
      accessori_, std::span<const bool>(k_.Accessori.data(), accessori_.size()), d.Sezione, d.Bocche};
  try {
    return CercaPortataLivello(d, livello_, k_.PressioneUtile, {mista_, k_.SenzaLimiti}, acc, u_.stato());
  } catch (const motore::ErroreCalcolo&) {
    // A ticked accessory and a model with no passage for its air.
    return {};
  }
}

RigaLivello CorsaLivello::Chiudi(RigaLivello r) {
  r.RigaEC::Chiudi(u_, r.ventilatore.punto.Lw);
  return r;
}

RigaLivello CorsaLivello::Singola(const catalogo::DatiModello& d, int m) {
  RigaLivello r;
  if (!RuoloModello(TipoCorsa::FanCoil, d.Modello, k_.QuattroTubi).rata || !u_.ImpostaModello(d)) return r;
  r.ventilatore = Cerca(d);
  if (!r.ventilatore.Trovata()) return r;
  u_.stato().PortataAria = r.ventilatore.punto.Q;

  if (!r.DaiPassi(u_.PassiSingolaAria(d, m, 0, 1))) return r;
  return Chiudi(r);
}

RigaLivello CorsaLivello::Mista(const catalogo::DatiModello& d, int m) {
  StatoCorsa& s = u_.stato();
  RigaLivello r;
  // A coil without face, rows or circuits cannot be rated.
  if (!u_.ImpostaModello(d) || !(s.SuperficieFrontale > 0) || !(s.NumeroRanghi > 0) ||
      !(s.NumeroCircuiti > 0))
    return r;
  s.FlagPassaggio = kFreddo;
  r.esito = u_.ControllaMista(kFreddo, kPortataDiMiscela);
  r.controllata = true;
  if (!r.esito.Passato()) return r.fine = Riga::Fine::Fermata, r;
  const Ruolo ruolo = RuoloModello(TipoCorsa::Misto, d.Modello, k_.QuattroTubi);
  if (!ruolo.rata) return r;
  r.ventilatore = Cerca(d);
  if (!r.ventilatore.Trovata()) return r;
  const float q = r.ventilatore.punto.Q;

  if (ruolo.freddo) {
    s.PortataAria = q;
    u_.PassoFreddo({d.FC30[1], d.FCC50, d.C100[1]});
    coppie_.Freddo(0, m);
  }
  if (ruolo.caldo) {
    s.FlagPassaggio = kCaldo;
    r.esito = u_.ControllaMista(kCaldo, kPortataDiMiscela);
    if (!r.esito.Passato()) return r.fine = Riga::Fine::Fermata, r;
    s.PortataAria = q;
    u_.PassoCaldo({d.CC30[1], d.CCC50, 0}, s.QwDato);
  }
  if (!ruolo.riga) return r;
  // The partner was not rated just before: no cooling to show.
  if (!ruolo.freddo && !coppie_.FreddoDelCompagno(0, m)) u_.AzzeraFreddo();
  return Chiudi(r);
}

}  // namespace unita
