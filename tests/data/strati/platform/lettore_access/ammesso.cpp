// What an Access reader source may include.
#include "platform/lettore_access/lettore.h"
#include "platform/testo_numero.h"
