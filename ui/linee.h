// The product lines: the selection window that rates each series, and the
// opener that loads a series into it.
#pragma once

#include <QString>
#include <string>

#include "catalogue/descrittore.h"

namespace plat {
class ListaVoci;
}
namespace sel {
class FinestraSelezione;
}

namespace ui {

// The EC series by their entry 1..3 in the EC menus and the EC chooser.
inline constexpr catalogo::Codice kLineeEC[] = {catalogo::Codice::KALVOEC, catalogo::Codice::KALVOEC,
                                                catalogo::Codice::DVKBLDC, catalogo::Codice::RMBBLDC};

// The selection window of a series ("Easy calc." when facile), loading it
// when carica is set; nullptr when it is not loaded and carica is clear.
sel::FinestraSelezione* FinestraDi(const catalogo::Serie& s, bool facile, bool carica);

// The model-line name of a series as its window caption shows it.
QString CaptionLinea(const catalogo::Serie& s);

// Opens a product line: sets the easy-calc switch, the series and the
// transition rule, loads and shows the window, loads the series into it.
// A window still loaded for another series is closed first, so that what
// its opening set for that series (accessory boxes, speeds) never stays.
void ApriLinea(catalogo::Codice c, bool facile = false);

// Loads a series into a list; false when it could not be loaded.
bool CaricaSerie(const std::string& serie, plat::ListaVoci& lista);

// Connects the catalogue to the open database and the engine's constants.
void CollegaCatalogo();

}  // namespace ui
