#include "selection/stato.h"

namespace sel {

motore::StatoCalcolo& Stato() {
  static motore::StatoCalcolo stato;
  return stato;
}

motore::CostantiBatteria& Costanti() {
  static motore::CostantiBatteria costanti;
  return costanti;
}

}  // namespace sel
