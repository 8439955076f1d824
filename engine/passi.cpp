#include "engine/passi.h"

#include <cmath>

#include "engine/correlazioni.h"

namespace motore {

namespace {

struct Fattori {
  double k, r;
};

Fattori FattoriBatteria(const StatoCalcolo& s, const CostantiBatteria& c) {
  if (s.GeomCorrente < 0 || s.GeomCorrente >= NumGeometrie || s.PassoCorrente < 0 ||
      s.PassoCorrente >= NumPassi)
    throw ErroreCalcolo(ErrIndiceFuoriIntervallo);
  if (s.QwCalcolo < 0.0) throw ErroreCalcolo(ErrChiamataNonValida);
  return {c.TabCoeffK[s.GeomCorrente][s.PassoCorrente], c.TabCoeffR[s.GeomCorrente][s.PassoCorrente]};
}

// Water velocity, Reynolds number and water-side coefficient of the pass.
void LatoAcqua(StatoCalcolo& s, const CostantiBatteria& c) {
  s.VelW = VelocitaAcqua(s.QwCalcolo, s.NumeroCircuiti, c);
  s.ReW = NumeroReynolds(s.VelW, s.TwMedia, s.MuW, c);
  s.HW = CoeffLatoAcqua(s, c);
}

void Capacita(StatoCalcolo& s, double u) {
  s.UGlobale = S(u);
  s.QBatteria = S(static_cast<double>(s.UGlobale) * s.DTML * s.SuperficieFrontale * s.NumeroRanghi);
  if (!std::isfinite(s.QBatteria) || !std::isfinite(s.QAcqua)) throw ErroreCalcolo(ErrOverflow);
}

}  // namespace

void CalcolaBatteriaCaldo(StatoCalcolo& s, const CostantiBatteria& c) {
  const Fattori f = FattoriBatteria(s, c);
  s.QAcqua =
      S(static_cast<double>(s.CpW) * s.QwCalcolo * s.RhoW * 1000.0 * (static_cast<double>(s.Tw1) - s.Tw2));
  s.Ta2 = S(s.Ta1 + Dividi(s.QAcqua, static_cast<double>(s.RhoA) * s.PortataAria * s.CpA * 1000.0));
  s.DTML = CalcolaDTML(s.Tw1, s.Tw2, s.Ta1, s.Ta2, c.FattoreDT);
  LatoAcqua(s, c);
  Capacita(s, Dividi(f.k, Dividi(f.r, s.HW) + Dividi(1.0, s.HA)));
}

void CalcolaBatteriaFreddo(StatoCalcolo& s, const CostantiBatteria& c) {
  const Fattori f = FattoriBatteria(s, c);
  const bool secca = s.FlagSecca != Falso;
  s.QAcqua =
      S(static_cast<double>(s.CpW) * s.QwCalcolo * s.RhoW * 1000.0 * (static_cast<double>(s.Tw2) - s.Tw1));
  if (!secca) {
    s.EntAria2 = S(s.EntAria1 - Dividi(s.QAcqua, static_cast<double>(s.RhoA) * s.PortataAria * 1000.0));
    s.DTML = CalcolaDEML(s.EntSat1, s.EntSat2, s.EntAria1, s.EntAria2, c.FattoreDT);
  } else {
    s.Ta2 = S(s.Ta1 - Dividi(s.QAcqua, static_cast<double>(s.RhoA) * s.PortataAria * s.CpA * 1000.0));
    s.DTML = CalcolaDTML(s.Ta2, s.Ta1, s.Tw2, s.Tw1, c.FattoreDT);
  }
  LatoAcqua(s, c);
  constexpr float MinimoLatoAcqua = 900.0f;
  if (s.HW < MinimoLatoAcqua) s.HW = MinimoLatoAcqua;
  if (!secca)
    Capacita(s, Dividi(f.k, f.r * s.PendenzaSat / s.HW + Dividi(s.CpA, s.HA)));
  else
    Capacita(s, Dividi(f.k, f.r / s.HW + Dividi(1.0, s.HA)));
}

}  // namespace motore
