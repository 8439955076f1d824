#include "selection/valutazione.h"

#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/unita.h"
#include "engine/correlazioni.h"
#include "engine/iterazioni.h"
#include "engine/numeri.h"
#include "engine/proprieta.h"
#include "engine/psicrometria.h"

namespace sel {

bool ImpostaModello(motore::StatoCalcolo& s, const motore::CostantiBatteria& c, const catalogo::DatiModello& m) {
  if (m.Geom < 0 || m.Geom >= motore::NumGeometrie || m.Passo < 0 || m.Passo >= motore::NumPassi) return false;
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

namespace {

// Face velocity, circuit length and air-side coefficient of a pass.
bool ImpostaLatoAria(motore::StatoCalcolo& s, const motore::CostantiBatteria& c) {
  if (s.SuperficieFrontale <= 0) return false;
  s.VelocitaAria = s.PortataAria / s.SuperficieFrontale;
  s.LunghezzaCircuito = motore::CalcolaLunghezzaCircuito(s.NumeroTubi, s, c);
  s.HA = motore::CoeffLatoAria(s.NumeroRanghi, s.VelocitaAria, s.GeomCorrente, c.TabPassoAlette[s.PassoCorrente], s,
                               c);
  return true;
}

}  // namespace

void AzzeraFreddo(motore::StatoCalcolo& s) {
  s.QwFreddo = s.Tw2Freddo = s.DpwFreddo = s.PotFreddoTot = s.PotFreddoSens = s.Ta2Freddo = 0;
}

void PassoFreddo(motore::StatoCalcolo& s, const motore::CostantiBatteria& c, float c30, float c50, float c100) {
  s.RhoA = motore::DensitaAria(s.Ta1, s.URAria1);
  s.CpA = motore::CpAria(s.Ta1);
  AzzeraFreddo(s);
  s.CoeffC50 = c50;
  s.CoeffC100 = c100;
  s.CoeffC30 = c30;
  if (s.SuperficieFrontale <= 0) return;
  s.VelocitaAria = s.PortataAria / s.SuperficieFrontale;
  s.LunghezzaCircuito = motore::CalcolaLunghezzaCircuito(s.NumeroTubi, s, c);
  if (s.CoeffC30 <= 0 || s.EspAria1 <= 0) return;
  s.HA = motore::CoeffLatoAria(s.NumeroRanghi, s.VelocitaAria, s.GeomCorrente, c.TabPassoAlette[s.PassoCorrente], s,
                               c);
  if (s.Tw2Dato > 0) {
    s.Tw2 = s.Tw2Dato;
    motore::CalcolaFreddo2(s, c);
  } else {
    s.QwCalcolo = s.QwDato;
    motore::CalcolaFreddo1(s, c);
  }
}

void PassoCaldo(motore::StatoCalcolo& s, const motore::CostantiBatteria& c, float c30, float c50, double qwDato) {
  s.RhoA = motore::DensitaAria(s.Ta1, s.URAria1);
  s.CpA = motore::CpAria(s.Ta1);
  s.CoeffC50 = c50;
  s.CoeffC30 = c30;
  const bool latoAria = ImpostaLatoAria(s, c);
  s.PotCaldo = s.QwCaldo = s.Tw2Caldo = s.DpwCaldo = s.Ta2Caldo = 0;
  if (!latoAria) return;
  if (s.Tw2Dato > 0) {
    s.Tw2 = s.Tw2Dato;
    motore::CalcolaCaldo2(s, c);
  } else if (qwDato > 0) {
    s.QwCalcolo = qwDato;
    motore::CalcolaCaldo1(s, c);
  }
}

bool FinisceCon(const std::string& codice, const char* suffisso) {
  const std::string f(suffisso);
  return codice.size() >= f.size() && codice.compare(codice.size() - f.size(), f.size(), f) == 0;
}

QString CellaPotenza(float w) { return core::Mostra(core::Grandezza::Potenza, w); }
QString CellaPortataAria(float m3s) { return core::Mostra(core::Grandezza::PortataAria, m3s); }
QString CellaPortataAcqua(float m3s) { return core::Mostra(core::Grandezza::PortataAcqua, m3s); }
QString CellaPerditaAcqua(float kpa) { return core::Mostra(core::Grandezza::PerditaAcqua, kpa); }
QString CellaPressione(float pa) { return core::Mostra(core::Grandezza::PerditaAria, pa); }
QString CellaTemperaturaAria(float t) { return t > 0 ? core::MostraTemperatura(t) : QString(); }
QString CellaTemperatura(float t) { return core::MostraTemperatura(t); }
QString CellaPositiva(float v) { return v > 0 ? core::TestoNumero(v, core::imp.SepDec) : QString(); }

}  // namespace sel
