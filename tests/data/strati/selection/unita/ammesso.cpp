// What a rating unit source may include.
#include <vector>

#include "catalogue/catalogo.h"
#include "engine/stato.h"
#include "selection/unita/coppie.h"
