// An Access reader source that includes the core.
#include "core/ambiente.h"
