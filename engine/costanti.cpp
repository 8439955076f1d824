#include "engine/costanti.h"

namespace motore {

namespace {

// What the three family routines set alike.
void ImpostaComuni(CostantiBatteria& c) {
  c.CostLaminare = 1.86f;
  c.EspLaminare = 0.33f;
  c.CostTurbolento = 0.023f;
  c.EspReynolds = 0.8f;
  c.EspPrandtlCaldo = 0.3f;
  c.EspPrandtlFreddo = 0.33f;
  c.FattoreDT = 1.0f;
  c.CostAttrito = 0.3164f;
  c.PassoTubi = 0.025f;
  c.CostCircuito = 0.3f;
  c.DiametroTubo = 0.0094f;
  c.EspAria2 = 0.47f;

  c.TabEspAria1[1] = 0.32f;
  c.TabEspAria1[2] = 0.65f;
  c.TabEspAria1[3] = 0.3f;
  c.TabEspAria3[2] = -0.025f;
  c.TabEspAria4[2] = 0.6f;
  c.TabEspAria5[2] = 0.23f;
  c.TabEspAria5[3] = -0.1f;
  c.TabEspAria6[3] = -0.165f;

  auto cella = [&c](int g, int m, float k, float r) {
    c.TabCoeffK[g][m] = k;
    c.TabCoeffR[g][m] = r;
  };
  cella(3, 1, 28.85f, 24.8f);
  cella(1, 2, 21.76f, 18.44f);
  cella(2, 2, 21.76f, 18.44f);
  cella(3, 2, 25.4f, 21.85f);
  cella(1, 3, 18.8f, 15.93f);
  cella(2, 3, 18.8f, 15.93f);
  cella(3, 3, 21.95f, 18.9f);

  c.TabPassoAlette[1] = 16;
  c.TabPassoAlette[2] = 18;
  c.TabPassoAlette[3] = 21;
  c.TabPassoAlette[4] = 25;
}

}  // namespace

void ImpostaCostantiKalvo(CostantiBatteria& c) {
  ImpostaComuni(c);
  c.TabCoeffK[3][4] = 18.5f;
  c.TabCoeffR[3][4] = 15.95f;
}

void ImpostaCostantiRmb(CostantiBatteria& c) {
  ImpostaComuni(c);
  c.TabCoeffK[1][4] = 16.04f;
  c.TabCoeffR[1][4] = 13.59f;
}

void ImpostaCostantiDvk(CostantiBatteria& c) { ImpostaCostantiRmb(c); }

}  // namespace motore
