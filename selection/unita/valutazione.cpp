#include "selection/unita/valutazione.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/correlazioni.h"
#include "engine/iterazioni.h"
#include "engine/numeri.h"
#include "engine/proprieta.h"
#include "engine/psicrometria.h"
#include "engine/suono.h"

namespace unita {

namespace {

// A statement whose failure leaves its target as it was and lets the check
// go on with the next one.
template <class F>
void Tenta(F&& istruzione) {
  try {
    istruzione();
  } catch (const motore::ErroreCalcolo&) {
  }
}

Esito Rifiuto(int testo, Casella casella, int passo, const char* coda = "") {
  return {testo, coda, casella, passo};
}

constexpr const char* kOltre10 = " > 10 °C";
constexpr const char* kOltre40 = " > 40 °C";
constexpr const char* kBulboSecco = " 16 °C -> 35 °C";

}  // namespace

Rese Rese::DaStato(const motore::StatoCalcolo& s) {
  Rese r;
  r.PotFreddoTot = s.PotFreddoTot;
  r.PotFreddoSens = s.PotFreddoSens;
  r.QwFreddo = s.QwFreddo;
  r.Tw2Freddo = s.Tw2Freddo;
  r.DpwFreddo = s.DpwFreddo;
  r.Ta2Freddo = s.Ta2Freddo;
  r.PotCaldo = s.PotCaldo;
  r.QwCaldo = s.QwCaldo;
  r.Tw2Caldo = s.Tw2Caldo;
  r.DpwCaldo = s.DpwCaldo;
  r.Ta2Caldo = s.Ta2Caldo;
  r.URCalcolata = s.URCalcolata;
  r.Secca = s.FlagSecca != motore::Falso;
  return r;
}

UltimoPassaggio UltimoPassaggio::DaStato(const motore::StatoCalcolo& s, bool accettato) {
  return {s.UGlobale, s.HW, s.ReW, accettato};
}

Ingresso Ingresso::DaStato(const motore::StatoCalcolo& s) {
  return {s.Ta1, s.URAria1, s.TbuAria1, s.EntAria1, s.EntSat1};
}

Valutazione::Valutazione(StatoCorsa& s, const motore::CostantiBatteria& c, const Condizioni& k,
                         std::span<const motore::AccessorioDP> accessori)
    : s_(s),
      c_(c),
      k_(k),
      accessori_(accessori.first(std::min<std::size_t>(accessori.size(), k.Accessori.size()))) {}

void Valutazione::IniziaCorsa() {
  s_.FlagBassaPerdita = motore::Falso;
  s_.PressioneUtile = k_.PressioneUtile;
}

// ---- Model set-up ----

bool Valutazione::ImpostaModello(const catalogo::DatiModello& m) {
  StatoCorsa& s = s_;
  const motore::CostantiBatteria& c = c_;
  if (m.Geom < 0 || m.Geom >= motore::NumGeometrie || m.Passo < 0 || m.Passo >= motore::NumPassi)
    return false;
  s.GeomCorrente = m.Geom;
  s.PassoCorrente = m.Passo;
  s.LunghezzaBatteria = m.LunBat / 1000.0f;
  s.AltezzaBatteria = m.AltBat / 1000.0f;
  s.SuperficieFrontale = s.AltezzaBatteria * s.LunghezzaBatteria;
  s.NumeroCircuiti = m.NC;
  s.NumeroRanghi = m.NR;
  s.EspAria4 = c.TabEspAria4[m.Geom];
  s.EspAria3 = c.TabEspAria3[m.Geom];
  s.EspAria6 = c.TabEspAria6[m.Geom];
  s.EspAria5 = c.TabEspAria5[m.Geom];
  if (c.PassoTubi <= 0) return false;
  s.NumeroTubi = motore::ConvertiIntero<std::int16_t>(s.AltezzaBatteria / c.PassoTubi * s.NumeroRanghi);
  s.EspAria1 = c.TabEspAria1[m.Geom];
  return true;
}

// ---- Fan working point ----

PuntoLavoro Valutazione::PuntoFanCoil(const catalogo::DatiModello& d, int v) {
  StatoCorsa& s = s_;
  PuntoLavoro p;
  if (v < 1 || v > catalogo::kUltimaCurva) return p;
  const motore::CurvaVentilatore curva{d.VentA[v], d.VentB[v], d.VentC[v]};
  const motore::CurvaVentilatore curva1{d.VentA[1], d.VentB[1], d.VentC[1]};
  s.PortataAria = motore::PortataDaPressione(s.PressioneUtile, curva).value_or(0.0f) / 3600.0f;
  s.PortataLibera = motore::PortataDaPressione(0, curva1).value_or(0.0f) / 3600.0f;
  p.PortataAria = s.PortataAria;
  p.PortataLibera = s.PortataLibera;
  p.PressioneLavoro = s.PressioneUtile;
  // The working flow must exceed half the free delivery of speed 1 ("nolimits": be above 0).
  p.Utilizzabile = k_.SenzaLimiti ? s.PortataAria != 0 : !(s.PortataLibera / 2 >= s.PortataAria);
  return p;
}

PuntoLavoro Valutazione::PuntoMisto(const catalogo::DatiModello& d, int v) {
  StatoCorsa& s = s_;
  PuntoLavoro p;
  if (v < 1 || v > catalogo::kUltimaCurva) {
    s.PortataAria = s.PortataLibera = 0;
    s.PressioneLavoro = -1;
    p.PressioneLavoro = -1;
    return p;
  }
  const motore::AccessoriModello acc{
      accessori_, std::span<const bool>(k_.Accessori.data(), accessori_.size()), d.Sezione, d.Bocche};
  const motore::CurvaVentilatore curva{d.VentA[v], d.VentB[v], d.VentC[v]};
  const motore::CurvaVentilatore curva1{d.VentA[1], d.VentB[1], d.VentC[1]};
  bool senzaPassaggio = false;
  try {
    if (s.PressioneUtile < 0 || (s.PressioneUtile == 0 && s.PortataTotale != 0)) {
      // Required air flow: the pressure the fan has left at that flow.
      s.PortataAria = s.PortataTotale;
      s.PressioneLavoro = motore::S(motore::PressioneCurva(s.PortataTotale * 3600.0f, curva));
      s.PressioneLavoro = motore::SottraiPerditeAccessori(s.PressioneLavoro, acc, s.PortataAria, s);
    } else {
      // Useful static pressure: the flow at which the fan, less the
      // accessories, gives it.
      s.PortataAria =
          motore::PortataDaPressioneAcc(s.PressioneUtile, curva, 1, acc, s).value_or(0.0f) / 3600.0f;
      s.PressioneLavoro = s.PressioneUtile;
    }
  } catch (const motore::ErroreCalcolo&) {
    // A ticked accessory and a model with no passage for its air.
    senzaPassaggio = true;
  }
  s.PortataLibera = motore::PortataDaPressioneAcc(0, curva1, 0, acc, s).value_or(0.0f) / 3600.0f;
  if (!k_.SenzaLimiti) {
    if (s.PressioneLavoro > 250) {
      s.PressioneLavoro = 250;
      p.Prefisso = "> ";
    }
    // A working point in the first quarter of the free delivery is unusable.
    if (s.PortataLibera / 4 >= s.PortataAria) s.PressioneLavoro = -1;
  }
  // No air through the unit: nothing to rate, "nolimits" or not.
  if (senzaPassaggio || !(s.PortataAria > 0)) s.PressioneLavoro = -1;
  p.PortataAria = s.PortataAria;
  p.PortataLibera = s.PortataLibera;
  p.PressioneLavoro = s.PressioneLavoro;
  p.Utilizzabile = !(s.PressioneLavoro < 0);
  return p;
}

// ---- Input checks ----

void Valutazione::ImpostaPassaggio(int p) { s_.FlagPassaggio = static_cast<std::int16_t>(p); }

Esito Valutazione::ControllaSingola(int p) {
  StatoCorsa& s = s_;
  p = p == kFreddo ? kFreddo : kCaldo;
  s.Ta1 = k_.TaRicircolo[p];
  s.Tw1 = k_.Tw1[p];
  s.Tw2Dato = k_.Tw2[p];
  s.QwDato = k_.Qw[p];
  s.PercGlicole = k_.PercGlicole;
  s.URAria1 = k_.URRicircolo;
  if (!k_.SenzaLimiti) {
    const bool freddo = p == kFreddo;
    if (freddo && s.Ta1 == 0) return Rifiuto(105, Casella::Tsa1, p);
    if (s.Tw1 == 0) return Rifiuto(100, Casella::Tw1, p);
    if (freddo && s.URAria1 == 0) return Rifiuto(106, Casella::Ur, p);
    // In heating with the cooling water flow the heating boxes are not needed.
    if (s.Tw2Dato == 0 && s.QwDato == 0 && (freddo || !k_.ComeFreddo)) return Rifiuto(107, Casella::Tw2, p);
    if (freddo && s.Tw2Dato - s.Tw1 > 10 && s.QwDato == 0) return Rifiuto(103, Casella::Tw2, p, kOltre10);
    if (!freddo && s.Tw1 - s.Tw2Dato > 40 && s.QwDato == 0 && !k_.ComeFreddo)
      return Rifiuto(103, Casella::Tw2, p, kOltre40);
  }
  if (p == kFreddo) {
    s.EntSat1 = motore::EntalpiaAria(s.Tw1, s.Tw1);
    s.TbuAria1 = motore::BulboUmidoDaUR(s.Ta1, s.URAria1, s);
    s.EntAria1 = motore::EntalpiaAria(s.TbuAria1, s.Ta1);
  } else {
    s.URAria1 = 0;
  }
  return {};
}

Esito Valutazione::ControllaMista(int p, float q) {
  StatoCorsa& s = s_;
  p = p == kFreddo ? kFreddo : kCaldo;
  s.Ta1 = s.Tw1 = s.Tw2Dato = s.QwDato = s.PercGlicole = s.PressioneUtile = s.TbuAria1 = s.URAria1 = 0;

  // The two streams mix by volume flow.
  const double tr = k_.TaRicircolo[p], tf = k_.TaRinnovo[p];
  const int v = k_.QuotaRinnovo;
  const double pr = std::abs(100 - v), pf = v;
  const double qr = pr * q / 100.0, qf = pf * q / 100.0;
  // A stream without a share does not enter, whatever its box holds.
  const double somma = (qr > 0 ? tr * qr : 0.0) + (qf > 0 ? tf * qf : 0.0);
  s.Ta1 = q > 0 ? motore::S(somma / q) : static_cast<float>(tr);
  s.Tw1 = k_.Tw1[p];
  s.Tw2Dato = k_.Tw2[p];
  s.QwDato = k_.Qw[p];
  s.PercGlicole = k_.PercGlicole;
  s.PressioneUtile = k_.PressioneCasella;

  float ur = 0, uf = 0;
  if (p == kFreddo) {
    ur = k_.URRicircolo;
    uf = k_.URRinnovo;
    // A stream that enters needs its humidity, even with "nolimits".
    if (qr > 0 && ur == 0) return Rifiuto(106, Casella::Urric, p);
    if (qf > 0 && uf == 0) return Rifiuto(106, Casella::Urrin, p);
    if (qr <= 0 || qf <= 0) {
      s.URAria1 = (q == 0 || qr > 0) ? ur : uf;
      Tenta([&] { s.TbuAria1 = motore::BulboUmidoDaUR(s.Ta1, s.URAria1, s); });
    } else {
      // Two streams: the humidity ratios mix as the dry bulbs do.
      float tbr = 0, tbf = 0, xr = 0, xf = 0;
      Tenta([&] { tbr = motore::BulboUmidoDaUR(static_cast<float>(tr), ur, s); });
      Tenta([&] { xr = motore::UmiditaSpecifica(static_cast<float>(tr), tbr); });
      Tenta([&] { tbf = motore::BulboUmidoDaUR(static_cast<float>(tf), uf, s); });
      Tenta([&] { xf = motore::UmiditaSpecifica(static_cast<float>(tf), tbf); });
      const float x = motore::S((qr * xr + qf * xf) / q);
      Tenta([&] { s.TbuAria1 = motore::BulboUmidoDaX(s.Ta1, x); });
      Tenta([&] { s.URAria1 = motore::UmiditaRelativa(s.Ta1, s.TbuAria1); });
    }
  }

  if (!k_.SenzaLimiti) {
    const bool freddo = p == kFreddo;
    if (freddo && s.Ta1 == 0) return Rifiuto(105, Casella::Tsa1ric, p);
    if (pr > 0 && tr == 0) return Rifiuto(105, Casella::Tsa1ric, p);
    if (freddo && pf > 0 && tf == 0) return Rifiuto(105, Casella::Tsa1rin, p);
    if (freddo && pr > 0 && ur == 0) return Rifiuto(106, Casella::Urric, p);
    if (freddo && pf > 0 && uf == 0) return Rifiuto(106, Casella::Urrin, p);
    // A cooling dry bulb left unchecked while its stream had no share
    // (the share moved since) is checked once the stream enters.
    if (freddo && pr > 0 && !(tr >= 16 && tr <= 35)) return Rifiuto(108, Casella::Tsa1ric, p, kBulboSecco);
    if (freddo && pf > 0 && !(tf >= 16 && tf <= 35)) return Rifiuto(108, Casella::Tsa1rin, p, kBulboSecco);
    if (s.Tw1 == 0) return Rifiuto(100, Casella::Tw1, p);
    if (s.Tw2Dato == 0 && s.QwDato == 0) return Rifiuto(107, Casella::Tw2, p);
    if (freddo && s.QwDato == 0 && s.Tw2Dato - s.Tw1 > 10) return Rifiuto(103, Casella::Tw2, p, kOltre10);
    if (!freddo && s.QwDato == 0 && s.Tw1 - s.Tw2Dato > 40) return Rifiuto(103, Casella::Tw2, p, kOltre40);
  }
  if (p == kFreddo) {
    s.EntSat1 = motore::EntalpiaAria(s.Tw1, s.Tw1);
    s.EntAria1 = motore::EntalpiaAria(s.TbuAria1, s.Ta1);
  } else {
    s.URAria1 = 0;
  }
  return {};
}

// ---- Passes ----

void Valutazione::AzzeraFreddo() {
  s_.QwFreddo = s_.Tw2Freddo = s_.DpwFreddo = s_.PotFreddoTot = s_.PotFreddoSens = s_.Ta2Freddo = 0;
  s_.URCalcolata = 0;
}

void Valutazione::AzzeraCaldo() { s_.PotCaldo = s_.QwCaldo = s_.Tw2Caldo = s_.DpwCaldo = s_.Ta2Caldo = 0; }

bool Valutazione::LatoAria() {
  StatoCorsa& s = s_;
  if (s.SuperficieFrontale <= 0) return false;
  s.VelocitaAria = s.PortataAria / s.SuperficieFrontale;
  s.LunghezzaCircuito = motore::CalcolaLunghezzaCircuito(s.NumeroTubi, s, c_);
  s.HA = motore::CoeffLatoAria(s.NumeroRanghi, s.VelocitaAria, s.GeomCorrente,
                               c_.TabPassoAlette[s.PassoCorrente], s, c_);
  return true;
}

bool Valutazione::PassoFreddo(const CoeffPasso& k) {
  StatoCorsa& s = s_;
  s.RhoA = motore::DensitaAria(s.Ta1, s.URAria1);
  s.CpA = motore::CpAria(s.Ta1);
  AzzeraFreddo();
  s.CoeffC50 = k.C50;
  s.CoeffC100 = k.C100;
  s.CoeffC30 = k.C30;
  if (s.SuperficieFrontale <= 0) return false;
  s.VelocitaAria = s.PortataAria / s.SuperficieFrontale;
  s.LunghezzaCircuito = motore::CalcolaLunghezzaCircuito(s.NumeroTubi, s, c_);
  // A model with no cooling coefficient has no cooling rating.
  if (s.CoeffC30 <= 0 || s.EspAria1 <= 0) return false;
  s.HA = motore::CoeffLatoAria(s.NumeroRanghi, s.VelocitaAria, s.GeomCorrente,
                               c_.TabPassoAlette[s.PassoCorrente], s, c_);
  bool accettato;
  if (s.Tw2Dato > 0) {
    s.Tw2 = s.Tw2Dato;
    accettato = motore::CalcolaFreddo2(s, c_);
  } else {
    s.QwCalcolo = s.QwDato;
    accettato = motore::CalcolaFreddo1(s, c_);
  }
  if (!accettato) s.URCalcolata = 0;  // a rating that wrote no result leaves no leaving humidity
  return accettato;
}

bool Valutazione::PassoCaldo(const CoeffPasso& k, double qw) {
  StatoCorsa& s = s_;
  s.RhoA = motore::DensitaAria(s.Ta1, s.URAria1);
  s.CpA = motore::CpAria(s.Ta1);
  s.CoeffC50 = k.C50;
  s.CoeffC30 = k.C30;
  const bool latoAria = LatoAria();
  AzzeraCaldo();
  if (!latoAria) return false;
  if (s.Tw2Dato > 0) {
    s.Tw2 = s.Tw2Dato;
    return motore::CalcolaCaldo2(s, c_);
  }
  if (!(qw > 0)) return false;
  s.QwCalcolo = qw;
  return motore::CalcolaCaldo1(s, c_);
}

// ---- Sound ----

float Valutazione::PressioneSonora(float lw) const {
  if (k_.ErroreDistanza != 0) throw motore::ErroreCalcolo(k_.ErroreDistanza);
  return motore::CalcolaPressioneSonora(lw, k_.Distanza, k_.Direttivita);
}

// ---- Whole rows ----

Riga Valutazione::Chiudi(Riga r, const catalogo::DatiModello& d, int v, bool sempreLP) {
  r.fine = Riga::Fine::Riga;
  r.punto.PortataAria = s_.PortataAria;
  r.punto.PortataLibera = s_.PortataLibera;
  r.rese = Rese::DaStato(s_);
  r.LWA = d.LWA[v];
  if (v <= catalogo::kUltimaVelocitaPin) {
    r.PIN = d.PIN[v];
    r.LWAIn = d.LWAIn[v];
    r.LWAOut = d.LWAOut[v];
  }
  r.conLP = sempreLP || r.LWA > 0;
  if (r.conLP) r.LP = motore::ConvertiIntero<std::int32_t>(PressioneSonora(r.LWA));
  return r;
}

Riga Valutazione::PassiSingolaAria(const catalogo::DatiModello& d, int m, int v, int set) {
  StatoCorsa& s = s_;
  Riga r;
  r.punto = {s.PortataAria, s.PortataLibera, s.PressioneUtile, " ", true};
  const Ruolo ruolo = RuoloModello(TipoCorsa::FanCoil, d.Modello, k_.QuattroTubi);
  if (!ruolo.rata) return r;

  ImpostaPassaggio(kFreddo);
  r.esito = ControllaSingola(kFreddo);
  r.controllata = true;
  if (!r.esito.Passato()) {
    r.fine = Riga::Fine::Fermata;
    return r;
  }
  r.ingresso = Ingresso::DaStato(s);
  if (ruolo.freddo) {
    const bool accettato = PassoFreddo({d.FC30[set], d.FCC50, d.C100[set]});
    r.freddo = UltimoPassaggio::DaStato(s, accettato);
    qwFreddo_ = s.Tw2Dato > 0 ? s.QwFreddo : s.QwDato;
    coppie_.Freddo(v, m);
  } else if (!coppie_.FreddoDelCompagno(v, m)) {
    // Its partner was not rated just before: no cooling to show.
    AzzeraFreddo();
    qwFreddo_ = 0;
  }
  if (!ruolo.caldo) return r;

  ImpostaPassaggio(kCaldo);
  r.esito = ControllaSingola(kCaldo);
  if (!r.esito.Passato()) {
    r.fine = Riga::Fine::Fermata;
    return r;
  }
  const bool accettato = PassoCaldo({d.CC30[set], d.FCC50, 0}, k_.ComeFreddo ? qwFreddo_ : s.QwDato);
  r.caldo = UltimoPassaggio::DaStato(s, accettato);
  r.fine = Riga::Fine::Riga;
  r.rese = Rese::DaStato(s);
  return r;
}

Riga Valutazione::RigaFanCoil(const catalogo::DatiModello& d, int m, int v) {
  if (!RuoloModello(TipoCorsa::FanCoil, d.Modello, k_.QuattroTubi).rata || !ImpostaModello(d)) return {};
  const PuntoLavoro punto = PuntoFanCoil(d, v);
  if (!punto.Utilizzabile) return {};
  Riga r = PassiSingolaAria(d, m, v, v);
  r.punto = punto;
  return r.fine == Riga::Fine::Riga ? Chiudi(r, d, v, false) : r;
}

Riga Valutazione::RigaMista(const catalogo::DatiModello& d, int m, int v) {
  StatoCorsa& s = s_;
  Riga r;
  // A coil without face, rows or circuits cannot be rated.
  if (!ImpostaModello(d) || !(s.SuperficieFrontale > 0) || !(s.NumeroRanghi > 0) || !(s.NumeroCircuiti > 0))
    return r;
  ImpostaPassaggio(kFreddo);
  s.PortataTotale = k_.PortataTotale;
  r.punto = PuntoMisto(d, v);
  r.esito = ControllaMista(kFreddo, s.PortataAria);
  r.controllata = true;
  if (!r.esito.Passato()) {
    r.fine = Riga::Fine::Fermata;
    return r;
  }
  if (s.PressioneLavoro < 0) return r;
  const Ruolo ruolo = RuoloModello(TipoCorsa::Misto, d.Modello, k_.QuattroTubi);
  if (!ruolo.rata) return r;

  r.ingresso = Ingresso::DaStato(s);
  if (ruolo.freddo) {
    const bool accettato = PassoFreddo({d.FC30[1], d.FCC50, d.C100[1]});
    r.freddo = UltimoPassaggio::DaStato(s, accettato);
    coppie_.Freddo(v, m);
  }
  if (ruolo.caldo) {
    ImpostaPassaggio(kCaldo);
    r.punto = PuntoMisto(d, v);
    r.esito = ControllaMista(kCaldo, s.PortataAria);
    if (!r.esito.Passato()) {
      r.fine = Riga::Fine::Fermata;
      return r;
    }
    const bool accettato = PassoCaldo({d.CC30[1], d.CCC50, 0}, s.QwDato);
    r.caldo = UltimoPassaggio::DaStato(s, accettato);
  }
  if (!ruolo.riga) return r;
  // The partner was not rated just before: no cooling to show.
  if (!ruolo.freddo && !coppie_.FreddoDelCompagno(v, m)) AzzeraFreddo();
  return Chiudi(r, d, v, true);
}

bool RigaEC::DaiPassi(const Riga& passi) {
  esito = passi.esito;
  controllata = passi.controllata;
  if (passi.fine == Riga::Fine::Riga) return true;
  fine = passi.fine;
  return false;
}

void RigaEC::Chiudi(Valutazione& u, float lw) {
  fine = Riga::Fine::Riga;
  rese = Rese::DaStato(u.stato());
  LP = u.PressioneSonora(lw);
}

}  // namespace unita
