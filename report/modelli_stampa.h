// The report's data: the report table DocXModello of the product database
// and the files it names in the folders beside the program.
#pragma once

#include <QString>
#include <vector>

namespace plat {
class Database;
}

namespace rapporto {

// One row of DocXModello: a model's report texts and file names.
struct RigaModello {
  QString serie, modello, foto, dimensioni, capitolato, schemi, breveDesc;
};

// The rows of a language and a series, in the table's order (the values
// are bound, never pasted into the query).  Throws plat::ErroreDatabase.
std::vector<RigaModello> LeggiRighe(plat::Database& db, const QString& lingua, const QString& serie);

// The rows of the language, or of the fallback language when it has none.
std::vector<RigaModello> RigheDellaLingua(plat::Database& db, const QString& lingua, const QString& riserva,
                                          const QString& serie);

// The path of file nome in the sub-folder cartella of the program folder,
// both found without regard to letter case; empty when there is none (also
// for an empty name or a name holding a folder).
QString TrovaFile(const QString& programma, const QString& cartella, const QString& nome);

}  // namespace rapporto
