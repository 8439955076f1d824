#include "selection/stato.h"

namespace sel {

motore::StatoCalcolo& Stato() {
  static motore::StatoCalcolo stato;
  return stato;
}

}  // namespace sel
