#include "selection/unita/corsa_portata.h"

#include <algorithm>

namespace unita {

CorsaPortata::CorsaPortata(Valutazione& u, const Condizioni& k,
                           std::span<const motore::AccessorioDP> accessori, const RegoleEC& regole)
    : u_(u),
      k_(k),
      accessori_(accessori.first(std::min(accessori.size(), k.Accessori.size()))),
      regole_(regole),
      qr_(k.PortataTotale) {
  u_.stato().PortataRichiesta = qr_;
}

RigaPortata CorsaPortata::Modello(const catalogo::DatiModello& d, int m) {
  return regole_.mista ? Mista(d, m) : Singola(d, m);
}

RigaPortata CorsaPortata::Chiudi(RigaPortata r) {
  r.curvaRiferimento = u_.stato().CurvaRiferimento;
  r.RigaEC::Chiudi(u_, r.ventilatore.Lw);
  return r;
}

RigaPortata CorsaPortata::Singola(const catalogo::DatiModello& d, int m) {
  StatoCorsa& s = u_.stato();
  RigaPortata r;
  if (SottoMinimo(d.MinQa, qr_)) return r;
  if (!RuoloModello(TipoCorsa::FanCoil, d.Modello, k_.QuattroTubi).rata || !u_.ImpostaModello(d)) return r;
  const auto ventilatore = ValutaVentilatoreEC(d, qr_, s.PressioneUtile, regole_, s);
  if (!ventilatore) return r;
  r.ventilatore = *ventilatore;
  s.PortataAria = qr_;  // the coil is rated at the required flow

  if (!r.DaiPassi(u_.PassiSingolaAria(d, m, 0, 1))) return r;
  return Chiudi(r);
}

// The mixed-air check of pass p at the required flow, which the coil takes.
bool CorsaPortata::Controlla(RigaPortata& r, int p) {
  StatoCorsa& s = u_.stato();
  s.FlagPassaggio = static_cast<std::int16_t>(p);
  r.esito = u_.ControllaMista(p, qr_);
  r.controllata = true;
  s.PortataTotale = s.PortataAria = qr_;
  if (!r.esito.Passato()) r.fine = Riga::Fine::Fermata;
  return r.esito.Passato();
}

RigaPortata CorsaPortata::Mista(const catalogo::DatiModello& d, int m) {
  StatoCorsa& s = u_.stato();
  RigaPortata r;
  if (!u_.ImpostaModello(d)) return r;
  if (!Controlla(r, kFreddo)) return r;
  // The fan works against the static pressure plus the accessories' drops.
  s.PressioneSalvata = s.PressioneUtile;
  const motore::AccessoriModello acc{
      accessori_, std::span<const bool>(k_.Accessori.data(), accessori_.size()), d.Sezione, d.Bocche};
  try {
    s.PressioneLavoro = motore::SommaPerditeAccessori(s.PressioneSalvata, acc, s.PortataAria, s);
  } catch (const motore::ErroreCalcolo&) {
    return r;  // a ticked accessory and a model with no passage for its air
  }
  s.PressioneUtile = s.PressioneLavoro;
  if (s.PressioneLavoro < 0) return r;
  const Ruolo ruolo = RuoloModello(TipoCorsa::Misto, d.Modello, k_.QuattroTubi);
  if (!ruolo.rata) return r;
  const auto ventilatore = ValutaVentilatoreEC(d, qr_, s.PressioneUtile, regole_, s);
  if (!ventilatore) return r;
  r.ventilatore = *ventilatore;

  s.PortataAria = qr_;
  if (ruolo.freddo) {
    u_.PassoFreddo({d.FC30[1], d.FCC50, d.C100[1]});
    coppie_.Freddo(0, m);
  }
  if (ruolo.caldo) {
    if (!Controlla(r, kCaldo)) return r;
    s.PressioneUtile = s.PressioneLavoro;  // the check read the box's pressure again
    u_.PassoCaldo({d.CC30[1], d.CCC50, 0}, s.QwDato);
  }
  if (!ruolo.riga) return r;  // its cooling goes into the row of the "4P" unit after it
  // The partner was not rated just before: no cooling to show.
  if (!ruolo.freddo && !coppie_.FreddoDelCompagno(0, m)) u_.AzzeraFreddo();
  return Chiudi(r);
}

}  // namespace unita
