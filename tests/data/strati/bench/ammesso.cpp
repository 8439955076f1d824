// What a benchmark may include.
#include "selection/fdatipec.h"
#include "tools/banco_prova.h"
