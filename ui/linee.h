// The product lines: which series each menu entry or chooser button loads,
// into which selection window.
#pragma once

#include <QString>
#include <functional>
#include <string>

namespace plat {
class ListaVoci;
}
namespace sel {
class FinestraSelezione;
}

namespace ui {

struct LineaProdotto {
  const char* serie;  // series code
  std::function<sel::FinestraSelezione&()> finestra;
  std::function<QString()> caption;
  bool facile;  // "Easy calc." line
};

enum class Linea { KALVO, RMB, DVK, KALVOP, KALVOEC, DVKBLDC, RMBBLDC, KALVOEC_VFIX, DVKBLDC_VFIX, RMBBLDC_VFIX };

const LineaProdotto& Definizione(Linea l);

// Opens a product line: sets the easy-calc switch, the series and the
// transition rule, loads and shows the window, loads the series into it.
void ApriLinea(Linea l);

// Loads a series into a list; false when it could not be loaded.
bool CaricaSerie(const std::string& serie, plat::ListaVoci& lista);

// Connects the catalogue to the open database and the engine's constants.
void CollegaCatalogo();

}  // namespace ui
