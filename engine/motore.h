// The calculation engine: fluid and air properties, psychrometrics, coil
// correlations and passes, fan curves, accessory drops and sound.
#pragma once

#include "engine/correlazioni.h"
#include "engine/costanti.h"
#include "engine/glicole.h"
#include "engine/numeri.h"
#include "engine/passi.h"
#include "engine/proprieta.h"
#include "engine/psicrometria.h"
#include "engine/stato.h"
#include "engine/suono.h"
#include "engine/ventilatori.h"
#include "engine/iterazioni.h"
