#include "selection/fdatipxx.h"

namespace sel {

plat::Istanza<FormDatiPXX> FDatiPXX;

}  // namespace sel
