// Pieces shared by the two engines of the record-set layer.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/recordset.h"

namespace plat::interno {

// Names of tables and columns compared without case (UTF-8, full Unicode).
bool NomiUguali(std::string_view a, std::string_view b);

// A record set whose rows were all read when it was opened.
class RecordSetMemoria : public RecordSet {
 public:
  RecordSetMemoria(std::vector<std::string> colonne, std::vector<std::vector<Valore>> righe);
  void MoveFirst() override;
  void MoveNext() override;
  bool Eof() const override;
  Valore Campo(std::string_view nome) const override;
  bool HaCampo(std::string_view nome) const override;
  void Close() override;
  int IndiceColonna(std::string_view nome) const;  // -1 when missing
  // Keeps only the rows `tiene` accepts.
  void Filtra(const std::function<bool(const std::vector<Valore>& riga)>& tiene);

 private:
  std::vector<std::string> colonne_;
  std::vector<std::vector<Valore>> righe_;
  std::size_t posizione_ = 0;
  bool chiuso_ = false;
};

// The small query grammar understood on Access files.
struct Interrogazione {
  std::string tabella;
  std::vector<std::string> colonne_filtro;  // one per "?" of the where clause
};
// Throws ErroreDatabase for a text outside the grammar.
Interrogazione AnalizzaSql(std::string_view sql);

std::unique_ptr<Database> ApriSqlite(const std::string& percorso);
// Memory that SQLite can take over: a database as SQLite serializes it.
struct LiberaSqlite {
  void operator()(unsigned char* p) const;
};
using MemoriaSqlite = std::unique_ptr<unsigned char[], LiberaSqlite>;
// Null when there is not so much memory.
MemoriaSqlite NuovaMemoriaSqlite(std::int64_t byte);
// The database held in the first `byte` bytes of dati, read only; nome names
// it in messages.
std::unique_ptr<Database> ApriSqliteInMemoria(MemoriaSqlite dati, std::int64_t byte, const std::string& nome);
// The rows of an SQL text on a database that ApriSqlite opened.
std::unique_ptr<RecordSetMemoria> RigheSqlite(Database& sqlite, const std::string& sql);
std::unique_ptr<Database> ApriJet(const std::string& percorso);

}  // namespace plat::interno
