#include "selection/unita/contesto.h"

namespace unita {

motore::StatoCalcolo& Stato() {
  static motore::StatoCalcolo stato;
  return stato;
}

motore::CostantiBatteria& Costanti() {
  static motore::CostantiBatteria costanti;
  return costanti;
}

}  // namespace unita
