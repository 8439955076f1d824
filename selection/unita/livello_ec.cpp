#include "selection/unita/livello_ec.h"

#include "engine/numeri.h"

namespace unita {

double LivelloComando(int posizione) {
  switch (posizione) {
    case 0:
      return 3;
    case 1:
      return 6;
    case 2:
      return 8.9;
    default:
      return 0;
  }
}

namespace {

bool NellaBanda(float tensione, double livello, bool mista) {
  const double v = tensione;
  if (mista) return livello - 0.05 <= v && v < livello + 0.05;
  return livello - 0.1 <= v && v <= livello + 0.1;
}

}  // namespace

EsitoLivello CercaPortataLivello(const catalogo::DatiModello& d, double livello, float pressione,
                                 const RegoleLivello& regole, const motore::AccessoriModello& acc,
                                 StatoCorsa& s) {
  EsitoLivello e;
  const int giriMinimi = regole.mista ? 100 : 150;
  const CurveModello curve(d);
  auto lavoro = [&](float q) {
    return regole.mista ? motore::SommaPerditeAccessori(pressione, acc, q, s) : pressione;
  };

  // The start: curve 7's flow at the pressure, for mixed air once more at
  // the pressure plus the drops at that flow.
  PortateCurve aPressione = curve.A(pressione);
  float q0 = aPressione[kCurvaRiferimentoLivello];
  if (regole.mista) {
    s.PressioneLavoro = lavoro(q0);
    q0 = curve.A(s.PressioneLavoro)[kCurvaRiferimentoLivello];
  }
  s.PressioneSalvata = pressione;
  s.CurvaRiferimento = kCurvaRiferimentoLivello;

  // The flows at 0 Pa do not depend on the flow tried, nor (without
  // accessory drops) those at the working pressure.
  const PortateCurve libere = curve.A(0);
  float pressioneCurve = pressione;

  const float passo = motore::S(-5.0 / 3600.0);
  for (float q = q0; q >= 0; q += passo) {
    s.PortataRichiesta = q;
    // A zero flow is never a result, and below curve 0 it would divide by it.
    if (!(q > 0)) break;
    ++e.tentativi;
    const float p = lavoro(q);
    if (regole.mista) {
      s.PressioneLavoro = p;
      s.PressioneUtile = p;
      if (p < 0) return e.fine = FineLivello::PressioneNegativa, e;
    }
    if (p != pressioneCurve) {
      aPressione = curve.A(p);
      pressioneCurve = p;
    }

    const RicercaEC zero = ScegliCurva(libere, curve.Libera(), q, regole.senzaLimiti, Soglia::AlmenoUguale);
    const RicercaEC r = ScegliCurva(aPressione, curve.Libera(), q, regole.senzaLimiti, Soglia::AlmenoUguale);
    s.PortataAria = r.PortataAria;
    s.PortataLibera = r.PortataLibera;
    s.CurvaSelezionata = static_cast<std::int16_t>(r.scelta);
    const std::optional<PuntoEC> p0 = Interpola(d, zero, q, SuonoSottoCurva0::Proporzionale);
    const std::optional<PuntoEC> p1 = Interpola(d, r, q, SuonoSottoCurva0::Proporzionale);
    if (!p0 || !p1) return e.fine = FineLivello::NessunaCurva, e;
    // The speed floor comes before the sound, whose speed law takes the
    // logarithm of the speed.
    if (p1->N < giriMinimi) return e.fine = FineLivello::SottoGiriMinimi, e;
    const std::optional<SuonoEC> suono = PotenzaSonora(d, *p0, *p1, p, regole.mista);
    const std::optional<float> tensione = TensioneComando(p1->N, d.G[kCurvaRiferimentoLivello]);
    if (!suono || !tensione) return e.fine = FineLivello::DatiNonValidi, e;

    if (r.scelta == 0) s.CurvaSelezionata = 1;
    s.TensioneComando = *tensione;
    if (NellaBanda(*tensione, livello, regole.mista)) {
      e.fine = FineLivello::Trovata;
      e.punto = {q, p1->N, p1->Pin, suono->Lw, suono->minimo, *tensione};
      return e;
    }
  }
  e.fine = FineLivello::NessunaPortata;
  return e;
}

}  // namespace unita
