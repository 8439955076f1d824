#include "engine/ventilatori.h"

#include <cmath>

namespace motore {

double PressioneCurva(float q, const CurvaVentilatore& curva) {
  const double x = q;
  return curva.VentA * x * x + curva.VentB * x + curva.VentC;
}

float LimitePortata(const CurvaVentilatore& curva) {
  for (float q = 50.0f; q <= 2500.0f; q += 10.0f) {
    if (S(PressioneCurva(q, curva)) < 0.0f) return q;
  }
  return 2000.0f;
}

std::optional<float> PortataDaPressione(float pressione, const CurvaVentilatore& curva) {
  return PortataDaPressione(pressione, curva, LimitePortata(curva));
}

std::optional<float> PortataDaPressione(float pressione, const CurvaVentilatore& curva, float limite) {
  float sup = limite, inf = 0.0f;
  for (int n = 1; n <= 20; ++n) {
    const float q = S((static_cast<double>(sup) + inf) / 2.0);
    const float pc = S(PressioneCurva(q, curva));
    if (S(std::fabs(static_cast<double>(pressione) - pc)) < 0.001f) return q;
    if (pc <= pressione)
      sup = q;
    else
      inf = q;
  }
  return std::nullopt;
}

std::optional<float> PortataDaPressioneAcc(float pressione, const CurvaVentilatore& curva, std::int16_t k,
                                           const AccessoriModello& acc, StatoCalcolo& s) {
  float sup = 7000.0f, inf = 0.0f;
  for (int n = 1; n <= 20; ++n) {
    const float q = S((static_cast<double>(sup) + inf) / 2.0);
    float pc = S(PressioneCurva(q, curva));
    if (k == 1) pc = SottraiPerditeAccessori(pc, acc, S(q / 3600.0), s);
    if (std::fabs(static_cast<double>(pressione) - pc) < 0.01) return q;
    if (pc <= pressione)
      sup = q;
    else
      inf = q;
  }
  return std::nullopt;
}

namespace {
// Running value plus segno times the drops of the ticked accessories.
float PerditeAccessori(float p, const AccessoriModello& acc, float qa, double segno, StatoCalcolo& s) {
  float valore = p;
  for (std::size_t i = 0; i < acc.righe.size(); ++i) {
    if (i >= acc.spunte.size() || !acc.spunte[i]) continue;
    const AccessorioDP& riga = acc.righe[i];
    const double passaggio = riga.OPZBoc == "S" ? acc.Bocche * 0.0314 : static_cast<double>(acc.Sezione);
    const float v = S(Dividi(qa, passaggio));
    s.VelocitaAria = v;
    const double caduta = v > 0.0f ? riga.Cost * Potenza(v, riga.Espo) : 0.0;
    valore = S(valore + segno * caduta);
  }
  return valore;
}
}  // namespace

float SommaPerditeAccessori(float p, const AccessoriModello& acc, float qa, StatoCalcolo& s) {
  return PerditeAccessori(p, acc, qa, 1.0, s);
}

float SottraiPerditeAccessori(float p, const AccessoriModello& acc, float qa, StatoCalcolo& s) {
  return PerditeAccessori(p, acc, qa, -1.0, s);
}

}  // namespace motore
