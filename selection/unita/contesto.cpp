#include "selection/unita/contesto.h"

namespace unita {

StatoCorsa StatoIniziale() {
  StatoCorsa s;
  s.TipoTransizione = 2;
  return s;
}

motore::CostantiBatteria CostantiFamiglia(catalogo::Famiglia f) {
  motore::CostantiBatteria c;
  switch (f) {
    case catalogo::Famiglia::Kalvo:
      motore::ImpostaCostantiKalvo(c);
      break;
    case catalogo::Famiglia::Rmb:
      motore::ImpostaCostantiRmb(c);
      break;
    case catalogo::Famiglia::Dvk:
      motore::ImpostaCostantiDvk(c);
      break;
  }
  return c;
}

}  // namespace unita
