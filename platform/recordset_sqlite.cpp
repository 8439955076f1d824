// The SQLite engine of the record-set layer.
#include <sqlite3.h>

#include "platform/recordset_interno.h"

namespace plat::interno {
namespace {

struct ChiudiStatement {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, ChiudiStatement>;

class DatabaseSqlite : public Database {
 public:
  explicit DatabaseSqlite(sqlite3* db) : db_(db) {}
  ~DatabaseSqlite() override { sqlite3_close_v2(db_); }
  DatabaseSqlite(const DatabaseSqlite&) = delete;
  DatabaseSqlite& operator=(const DatabaseSqlite&) = delete;

  std::unique_ptr<RecordSet> OpenRecordset(const std::string& sql,
                                           const std::vector<std::string>& valori) override {
    return Righe(sql, valori);
  }

  std::unique_ptr<RecordSetMemoria> Righe(const std::string& sql, const std::vector<std::string>& valori) {
    Statement st = Prepara(sql);
    const int segni = sqlite3_bind_parameter_count(st.get());
    if (segni != static_cast<int>(valori.size()))
      throw ErroreDatabase("The query has " + std::to_string(segni) + " \"?\" marks but " +
                           std::to_string(valori.size()) + " values were given: " + sql);
    for (std::size_t i = 0; i < valori.size(); ++i)
      sqlite3_bind_text(st.get(), static_cast<int>(i) + 1, valori[i].data(),
                        static_cast<int>(valori[i].size()), SQLITE_TRANSIENT);

    const int n = sqlite3_column_count(st.get());
    std::vector<std::string> colonne;
    std::vector<bool> singoli;
    for (int c = 0; c < n; ++c) {
      const char* nome = sqlite3_column_name(st.get(), c);
      colonne.emplace_back(nome ? nome : "");
      const char* tipo = sqlite3_column_decltype(st.get(), c);
      singoli.push_back(tipo && NomiUguali(tipo, "SINGLE"));
    }
    std::vector<std::vector<Valore>> righe;
    for (;;) {
      const int rc = sqlite3_step(st.get());
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) throw ErroreDatabase(std::string(sqlite3_errmsg(db_)) + ": " + sql);
      std::vector<Valore> riga;
      riga.reserve(static_cast<std::size_t>(n));
      for (int c = 0; c < n; ++c) {
        riga.push_back(Leggi(st.get(), c));
        // A column declared SINGLE holds single-precision numbers.
        if (singoli[static_cast<std::size_t>(c)] && riga.back().tipo() == Valore::Tipo::Numero)
          riga.back() = Valore::NumeroSingolo(static_cast<float>(riga.back().ComeNumero()));
      }
      righe.push_back(std::move(riga));
    }
    return std::make_unique<RecordSetMemoria>(std::move(colonne), std::move(righe));
  }

  bool EsisteTabella(const std::string& nome) override {
    Statement st = Prepara("select name from sqlite_master where type in ('table', 'view')");
    while (sqlite3_step(st.get()) == SQLITE_ROW) {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0));
      if (t && NomiUguali(t, nome)) return true;
    }
    return false;
  }

  Statement Prepara(const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    const char* resto = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()) + 1, &s, &resto) != SQLITE_OK)
      throw ErroreDatabase(std::string(sqlite3_errmsg(db_)) + ": " + sql);
    Statement st(s);
    if (!st) throw ErroreDatabase("Empty query");
    for (; resto && *resto; ++resto)
      if (*resto != ' ' && *resto != ';' && *resto != '\n' && *resto != '\r' && *resto != '\t')
        throw ErroreDatabase("One statement only: " + sql);
    return st;
  }

 private:
  static Valore Leggi(sqlite3_stmt* st, int c) {
    switch (sqlite3_column_type(st, c)) {
      case SQLITE_NULL:
        return Valore();
      case SQLITE_INTEGER:
        return Valore::Numero(static_cast<double>(sqlite3_column_int64(st, c)));
      case SQLITE_FLOAT:
        return Valore::Numero(sqlite3_column_double(st, c));
      default: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(st, c));
        const int n = sqlite3_column_bytes(st, c);
        return Valore::Testo(p ? std::string(p, static_cast<std::size_t>(n)) : std::string());
      }
    }
  }

  sqlite3* db_;
};

}  // namespace

std::unique_ptr<RecordSetMemoria> RigheSqlite(Database& sqlite, const std::string& sql) {
  return static_cast<DatabaseSqlite&>(sqlite).Righe(sql, {});
}

namespace {

// A damaged database opens without complaint; reading its schema tells.
std::unique_ptr<Database> Controllato(sqlite3* db, const std::string& nome) {
  auto risultato = std::make_unique<DatabaseSqlite>(db);
  try {
    Statement st = risultato->Prepara("select count(*) from sqlite_master");
    if (sqlite3_step(st.get()) != SQLITE_ROW) throw ErroreDatabase(sqlite3_errmsg(db));
  } catch (const ErroreDatabase& e) {
    throw ErroreDatabase("Cannot read the database " + nome + ": " + e.what());
  }
  return risultato;
}

}  // namespace

std::unique_ptr<Database> ApriSqlite(const std::string& percorso) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(percorso.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (rc != SQLITE_OK) {
    std::string messaggio = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close_v2(db);
    throw ErroreDatabase("Cannot open the database " + percorso + ": " + messaggio);
  }
  return Controllato(db, percorso);
}

void LiberaSqlite::operator()(unsigned char* p) const { sqlite3_free(p); }

MemoriaSqlite NuovaMemoriaSqlite(std::int64_t byte) {
  return MemoriaSqlite(static_cast<unsigned char*>(sqlite3_malloc64(static_cast<sqlite3_uint64>(byte))));
}

std::unique_ptr<Database> ApriSqliteInMemoria(MemoriaSqlite dati, std::int64_t byte,
                                              const std::string& nome) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close_v2(db);
    throw ErroreDatabase("Cannot open the database " + nome + ": out of memory");
  }
  // SQLite keeps the bytes, and frees them even when it refuses them.
  if (sqlite3_deserialize(db, "main", dati.release(), byte, byte,
                          SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK) {
    const std::string messaggio = sqlite3_errmsg(db);
    sqlite3_close_v2(db);
    throw ErroreDatabase("Cannot open the database " + nome + ": " + messaggio);
  }
  return Controllato(db, nome);
}

}  // namespace plat::interno
