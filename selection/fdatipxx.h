// Selection window of the mixed-air series: return and fresh air, fixed speeds.
#pragma once

#include "selection/finestre_selezione.h"

namespace sel {

class FormDatiPXX : public FinestraSelezione {
  Q_OBJECT
 public:
  FormDatiPXX() : FinestraSelezione(QStringLiteral("FDatiPXX"), true) {}
};

}  // namespace sel
