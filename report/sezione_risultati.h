// The results section of the report: the conditions entered in the selection
// window, the note on them, the accessories and warnings, a copy of the
// window's result grid and its legend.
#pragma once

#include <QString>
#include <functional>

namespace rapporto {

class Documento;
class LetturaFinestra;

// Sentences the report writes as they stand, in every language.
extern const QString kLivelloDelMare;
extern const QString kSenzaFiltri;
extern const QString kSenzaPressione;

// Writes the section at the insertion point, which stands after the
// section's page header, and leaves it at the end of the document.  serie is
// the series the window was opened for; avanza is called before the grid and
// before the legend (the progress label's dots).
void ScriviRisultati(Documento& d, const LetturaFinestra& f, const QString& serie,
                     const std::function<void()>& avanza);

}  // namespace rapporto
