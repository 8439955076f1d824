// A rating unit source that includes a window header.
#include "selection/fdatipec.h"
