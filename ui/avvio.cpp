#include "ui/avvio.h"

namespace ui {

int Main(int, char**) { return 1; }

}  // namespace ui
