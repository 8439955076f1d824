// A benchmark that includes a test file.
#include "tests/engine/prova.h"
