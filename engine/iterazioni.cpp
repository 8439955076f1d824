#include "engine/iterazioni.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/correlazioni.h"
#include "engine/glicole.h"
#include "engine/passi.h"
#include "engine/proprieta.h"
#include "engine/psicrometria.h"

namespace motore {

float ErroreCapacita(float qAcqua, float qBatteria) {
  if (!(qBatteria > 0.0f)) return -1.0f;
  return S((1.0 - static_cast<double>(qAcqua) / qBatteria) * 100.0);
}

bool Convergente(float errore) { return std::fabs(errore) < 0.05f; }

float ArrotondaPotenza(double q) { return static_cast<float>(10 * ConvertiIntero<std::int32_t>(q / 10.0)); }

bool SensibileComeSecca(float sensibile, float qBatteria) { return sensibile >= 0.95 * qBatteria; }

float StimaURUscita(float urIngresso) { return std::min(S(2.0 * urIngresso), 90.0f); }

namespace {

constexpr int PassiCaldo1 = 20;
constexpr int PassiCaldo2 = 15;
constexpr int PassiFreddo = 20;

// Whether the model's data and the working point allow a rating at all: a
// zero here would divide by zero in every pass.
bool DatiUtilizzabili(const StatoCalcolo& s, const CostantiBatteria& c) {
  return s.GeomCorrente >= 0 && s.GeomCorrente < NumGeometrie && s.PassoCorrente >= 0 &&
         s.PassoCorrente < NumPassi && s.PortataAria > 0.0f && s.SuperficieFrontale > 0.0f &&
         s.NumeroRanghi > 0.0f && s.NumeroCircuiti > 0.0f && s.LunghezzaBatteria > 0.0f && s.HA > 0.0f &&
         std::isfinite(s.HA) && s.RhoA > 0.0f && s.CpA > 0.0f && c.DiametroTubo > 0.0f;
}

// Water or glycol-water properties at TwMedia, then the Prandtl number.
void ProprietaFluido(StatoCalcolo& s) {
  if (s.PercGlicole > 0.0f) {
    s.MuW = S(ViscGlicole(s.TwMedia, s.PercGlicole));
    s.LambdaW = S(ConducGlicole(s.TwMedia, s.PercGlicole));
    s.RhoW = S(DensGlicole(s.TwMedia, s.PercGlicole));
    s.CpW = CpGlicole(s.TwMedia, s.PercGlicole);
  } else {
    s.MuW = ViscAcqua(s.TwMedia);
    s.LambdaW = ConducAcqua(s.TwMedia);
    s.RhoW = DensAcqua(s.TwMedia);
    s.CpW = CpAcqua(s.TwMedia);
  }
  s.PrW = S(Dividi(static_cast<double>(s.CpW) * s.MuW * 3600.0, static_cast<double>(s.LambdaW) * 3.6));
}

float MediaAcqua(const StatoCalcolo& s) { return S((static_cast<double>(s.Tw2) + s.Tw1) / 2.0); }

// Heat flow of the water per m3/s of flow.
double CapacitaPerPortata(const StatoCalcolo& s, double salto) {
  return static_cast<double>(s.CpW) * s.RhoW * 1000.0 * salto;
}

// Heating results of a converged pass. Everything is computed before any
// result field is written.
void RisultatiCaldo(StatoCalcolo& s, const CostantiBatteria& c) {
  const float ta2 =
      S(s.Ta1 + Dividi(s.QBatteria, static_cast<double>(s.PortataAria) * 1000.0 * s.RhoA * s.CpA));
  const float potenza = ArrotondaPotenza(s.QBatteria);
  s.DpwCaldo = PerditaCaricoAcqua(s, c);
  s.Ta2Caldo = ta2;
  s.PotCaldo = potenza;
}

// Bisection on the outlet temperature between inf and sup, with the flow given.
bool CercaUscitaCaldo(StatoCalcolo& s, const CostantiBatteria& c, double inf, double sup) {
  s.EstremoInf = inf;
  s.EstremoSup = sup;
  for (int n = 1;; ++n) {
    s.Tw2 = S((s.EstremoSup + s.EstremoInf) / 2.0);
    s.TwMedia = MediaAcqua(s);
    ProprietaFluido(s);
    if (n > PassiCaldo1) return false;
    CalcolaBatteriaCaldo(s, c);
    const float e = ErroreCapacita(s.QAcqua, s.QBatteria);
    if (Convergente(e)) {
      RisultatiCaldo(s, c);
      s.Tw2Caldo = s.Tw2;
      return true;
    }
    if (e > 0.0f)
      s.EstremoSup = s.Tw2;
    else
      s.EstremoInf = s.Tw2;
  }
}

// Runs a rating; a failure of the data inside it (ErroreCalcolo) means no result.
template <class F>
bool SenzaErrori(F&& valutazione) {
  try {
    return valutazione();
  } catch (const ErroreCalcolo&) {
    return false;
  }
}

}  // namespace

bool CalcolaCaldo1(StatoCalcolo& s, const CostantiBatteria& c) {
  if (!DatiUtilizzabili(s, c) || !(s.QwCalcolo > 0.0) || !(s.Tw1 > s.Ta1)) return false;
  return SenzaErrori([&] {
    const double tw1 = s.Tw1;
    if (CercaUscitaCaldo(s, c, s.Ta1, tw1 - 1.0)) return true;
    // A large flow cools the water by less than 1 K: search once more up
    // to just below the inlet temperature.
    return CercaUscitaCaldo(s, c, std::max<double>(s.Ta1, tw1 - 1.0), tw1 - 0.001);
  });
}

bool CalcolaCaldo2(StatoCalcolo& s, const CostantiBatteria& c) {
  if (!DatiUtilizzabili(s, c) || !(s.Tw1 > s.Ta1) || !(s.Tw1 > s.Tw2)) return false;
  return SenzaErrori([&] {
    s.TwMedia = MediaAcqua(s);
    ProprietaFluido(s);
    const double perPortata = CapacitaPerPortata(s, static_cast<double>(s.Tw1) - s.Tw2);
    const double aria = static_cast<double>(s.RhoA) * s.PortataAria * s.CpA * 1000.0;
    s.PotenzaStima = S(aria * ((static_cast<double>(s.Ta1) + 1.0) - s.Ta1));
    s.EstremoInf = Dividi(s.PotenzaStima, perPortata);
    s.PotenzaStima = S(aria * (static_cast<double>(s.Tw1) - s.Ta1));
    s.EstremoSup = Dividi(s.PotenzaStima, perPortata);
    for (int n = 1;; ++n) {
      s.QwCalcolo = (s.EstremoSup + s.EstremoInf) / 2.0;
      if (n > PassiCaldo2) return false;
      CalcolaBatteriaCaldo(s, c);
      const float e = ErroreCapacita(s.QAcqua, s.QBatteria);
      if (Convergente(e)) {
        RisultatiCaldo(s, c);
        s.QwCaldo = S(s.QwCalcolo);
        return true;
      }
      if (e > 0.0f)
        s.EstremoInf = s.QwCalcolo;
      else
        s.EstremoSup = s.QwCalcolo;
    }
  });
}

namespace {

enum class Esito { Accettato, Secco };

// Acceptance check and acceptance of a converged cooling pass: the leaving
// air state through the bypass factor, the switch to the dry coil, and the
// results. Everything is computed before any result field is written.
Esito AccettaFreddo(StatoCalcolo& s, const CostantiBatteria& c) {
  const bool umida = s.FlagSecca == Falso;
  const double aria = static_cast<double>(s.CpA) * s.PortataAria * s.RhoA * 1000.0;
  const float bf = FattoreBypass(s.NumeroRanghi, s.PassoCorrente, s.HA, s, c);
  if (umida) {
    s.TbuAria2 = TempDaEntalpiaSat(s.EntAria2);
    s.Ta2 = S(s.TbuAria2 + static_cast<double>(bf) * (static_cast<double>(s.Ta1) - s.TbuAria1));
    s.URCalcolata = UmiditaRelativa(s.Ta2, s.TbuAria2);
  }
  float sensibile = S(aria * (static_cast<double>(s.Ta1) - s.Ta2));
  if (umida && SensibileComeSecca(sensibile, s.QBatteria)) return Esito::Secco;
  if (!umida) {
    s.EntAria2 = S(s.EntAria1 - Dividi(sensibile, static_cast<double>(s.RhoA) * s.PortataAria * 1000.0));
    s.TbuAria2 = TempDaEntalpiaSat(s.EntAria2);
    s.URCalcolata = UmiditaRelativa(s.Ta2, s.TbuAria2);
    s.QBatteria = sensibile;
    if (s.URCalcolata > 100.0f) {
      s.Ta2 = s.TbuAria2;
      s.URCalcolata = 99.9f;
      sensibile = S(aria * (static_cast<double>(s.Ta1) - s.TbuAria2));
    }
  }
  const float totale = ArrotondaPotenza(s.QBatteria);
  const float sensibileArrotondata = ArrotondaPotenza(sensibile);
  s.DpwFreddo = PerditaCaricoAcqua(s, c);
  s.Ta2Freddo = s.Ta2;
  s.PotFreddoTot = totale;
  s.PotFreddoSens = sensibileArrotondata;
  return Esito::Accettato;
}

// Water properties and saturated-air values at the outlet temperature Tw2.
void StatoAcquaFreddo(StatoCalcolo& s) {
  s.TwMedia = MediaAcqua(s);
  s.PendenzaSat = PendenzaEntalpiaSat(s.TwMedia);
  ProprietaFluido(s);
}

// Bisection shared by the two cooling ratings. `punto` sets the bisection
// variable to the middle of the bracket (with what follows from it) and
// returns it; a positive error raises the lower end. `limite` sets the dry
// bracket after the wet search reaches its pass limit, `soglia` after the
// 95 % test; `scrivi` writes the result of the sought quantity.
template <class Punto, class Limite, class Soglia, class Scrivi>
bool BisezioneFreddo(StatoCalcolo& s, const CostantiBatteria& c, Punto punto, Limite limite, Soglia soglia,
                     Scrivi scrivi) {
  for (int n = 1;; ++n) {
    const double x = punto();
    if (n > PassiFreddo) {
      if (s.FlagSecca != Falso) return false;
      limite();
      n = 0;
      continue;
    }
    CalcolaBatteriaFreddo(s, c);
    const float e = ErroreCapacita(s.QAcqua, s.QBatteria);
    if (Convergente(e)) {
      if (AccettaFreddo(s, c) == Esito::Accettato) {
        scrivi();
        return true;
      }
      soglia();
      n = 0;
      continue;
    }
    if (e > 0.0f)
      s.EstremoInf = x;
    else
      s.EstremoSup = x;
  }
}

}  // namespace

bool CalcolaFreddo1(StatoCalcolo& s, const CostantiBatteria& c) {
  if (!DatiUtilizzabili(s, c) || !(s.QwCalcolo > 0.0) || !(s.Ta1 > s.Tw1)) return false;
  return SenzaErrori([&] {
    auto secca = [&] {
      s.FlagSecca = Vero;
      s.EstremoInf = s.Tw1;
      s.EstremoSup = s.Ta1;
    };
    s.FlagSecca = Falso;
    s.EstremoInf = s.Tw1;
    s.EstremoSup = s.Ta1;
    auto punto = [&] {
      s.Tw2 = S((s.EstremoSup + s.EstremoInf) / 2.0);
      StatoAcquaFreddo(s);
      s.EntSat2 = EntalpiaAria(s.Tw2, s.Tw2);
      return static_cast<double>(s.Tw2);
    };
    return BisezioneFreddo(s, c, punto, secca, secca, [&] { s.Tw2Freddo = s.Tw2; });
  });
}

bool CalcolaFreddo2(StatoCalcolo& s, const CostantiBatteria& c) {
  s.URStimaUscita = StimaURUscita(s.URAria1);
  if (!DatiUtilizzabili(s, c) || !(s.Tw2 > s.Tw1) || !(s.Ta1 > s.Tw1)) return false;
  return SenzaErrori([&] {
    StatoAcquaFreddo(s);
    s.EntSat2 = EntalpiaAria(s.Tw2, s.Tw2);
    const double perPortata = CapacitaPerPortata(s, static_cast<double>(s.Tw2) - s.Tw1);
    const double aria = static_cast<double>(s.RhoA) * s.PortataAria * 1000.0;

    s.PotenzaStima = S(aria * 0.5);
    const double qBassa = Dividi(s.PotenzaStima, perPortata);
    // Wet high end: the leaving air 0.1 K above the inlet water, at the
    // estimated humidity.
    s.Ta2 = S(static_cast<double>(s.Tw1) + 0.1);
    s.TbuAria2 = BulboUmidoDaUR(s.Ta2, s.URStimaUscita, s);
    s.EntAria2 = EntalpiaAria(s.TbuAria2, s.Ta2);
    s.PotenzaStima = S(aria * (static_cast<double>(s.EntAria1) - s.EntAria2));
    const double qAltaUmida = Dividi(s.PotenzaStima, perPortata);

    auto secca = [&](double alta) {
      s.FlagSecca = Vero;
      s.EstremoInf = qBassa;
      s.EstremoSup = alta;
    };
    // Dry high end: the flow that cools the air sensibly to the inlet water.
    auto altaSecca = [&] {
      s.PotenzaStima = S(aria * s.CpA * (static_cast<double>(s.Ta1) - s.Tw1));
      return Dividi(s.PotenzaStima, perPortata);
    };
    s.FlagSecca = Falso;
    s.EstremoInf = qBassa;
    s.EstremoSup = qAltaUmida;
    // Air too dry (or water too warm) for any condensation: the wet
    // bracket would hold no flow, or negative ones.
    if (!(qAltaUmida > qBassa)) secca(altaSecca());

    auto punto = [&] { return s.QwCalcolo = (s.EstremoSup + s.EstremoInf) / 2.0; };
    return BisezioneFreddo(
        s, c, punto, [&] { secca(altaSecca()); }, [&] { secca(qAltaUmida); },
        [&] { s.QwFreddo = S(s.QwCalcolo); });
  });
}

}  // namespace motore
