#include "selection/celle.h"

#include "core/ambiente.h"
#include "core/numeri.h"
#include "core/unita.h"

namespace sel {

QString CellaPotenza(float w) { return core::Mostra(core::Grandezza::Potenza, w); }
QString CellaPortataAria(float m3s) { return core::Mostra(core::Grandezza::PortataAria, m3s); }
QString CellaPortataAcqua(float m3s) { return core::Mostra(core::Grandezza::PortataAcqua, m3s); }
QString CellaPerditaAcqua(float kpa) { return core::Mostra(core::Grandezza::PerditaAcqua, kpa); }
QString CellaPressione(float pa) { return core::Mostra(core::Grandezza::PerditaAria, pa); }
QString CellaTemperaturaAria(float t) { return t > 0 ? core::MostraTemperatura(t) : QString(); }
QString CellaTemperatura(float t) { return core::MostraTemperatura(t); }
QString CellaPositiva(float v) { return v > 0 ? core::TestoNumero(v, core::imp.SepDec) : QString(); }

void CelleRese(QStringList& celle, const unita::Rese& s, bool portataFreddo, bool portataCaldo,
               bool ariaVuota) {
  auto aria = [ariaVuota](float t) { return ariaVuota ? CellaTemperaturaAria(t) : CellaTemperatura(t); };
  celle << CellaPotenza(s.PotFreddoTot) << CellaPotenza(s.PotFreddoSens);
  celle << (portataFreddo ? CellaPortataAcqua(s.QwFreddo) : CellaTemperatura(s.Tw2Freddo));
  celle << CellaPerditaAcqua(s.DpwFreddo) << aria(s.Ta2Freddo);
  celle << CellaPotenza(s.PotCaldo);
  celle << (portataCaldo ? CellaPortataAcqua(s.QwCaldo) : CellaTemperatura(s.Tw2Caldo));
  celle << CellaPerditaAcqua(s.DpwCaldo) << aria(s.Ta2Caldo);
}

}  // namespace sel
