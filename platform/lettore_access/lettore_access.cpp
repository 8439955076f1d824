// The Access reader: a process of its own that reads a Microsoft Access
// (Jet 3, Jet 4 and later) file through mdbtools' libmdb and turns its user
// tables into an SQLite database, which it hands to the program through its
// standard output.  A damaged file can make libmdb crash, loop or eat memory:
// here that ends only this process, which the program starts with limits on
// memory and time, and without the right to write any file.
//
//   lettore_access <file.mdb> <most bytes of the database>
//
// The database is made in memory and never touches a disk: no file of it
// lies anywhere, in a shared folder or elsewhere.  It holds the table
// "tabelle" (one row per Access table: its name, and an error text when the
// table cannot be read) and, for the table of rowid N, the table tN with the
// same columns and rows in the same order.  Values are decoded here from
// their stored bytes, so that numbers keep every digit whatever the locale,
// and text comes out as UTF-8; single-precision columns are declared SINGLE.
// A database that would grow past the bytes given is refused: the file is
// damaged, or the reader is looping.
//
// On the standard output the reader writes a "." each time it gets on (a
// table, a thousand rows); then, on a new line, either the reason it failed,
// or "SQLite ", the size of the database in bytes and a new line, followed
// by exactly that many bytes: the database as SQLite serializes it.
// Exit status 0 when the file was read, 1 when it is not a readable Access
// file.
#include <fcntl.h>
// glib before mdbtools.h: mdbtools.h includes it inside extern "C", where
// its C++ declarations do not compile.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/testo_numero.h"

static_assert(std::endian::native == std::endian::little, "Access files are little-endian");

namespace {

constexpr std::uint32_t kInLinea = 0x80000000u;    // long value stored in the row
constexpr std::uint32_t kUnaPagina = 0x40000000u;  // long value in one page row
// The place of a row on a data page: where the row starts, and two flags.
constexpr int kMascheraPosizione = 0x1fff;
constexpr int kRigaCancellata = 0x8000;  // deleted, or the data of a row moved here
constexpr int kRigaSpostata = 0x4000;    // alone: the place holds where its row now lies

template <typename T>
T LeggiLE(const unsigned char* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

void AggiungiUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf16InUtf8(const std::u16string& s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t u = s[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      AggiungiUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (s[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AggiungiUtf8(out, 0xFFFD);
    } else {
      AggiungiUtf8(out, u);
    }
  }
  return out;
}

// Jet 4 text: UTF-16LE, or, after the mark FF FE, "compressed": one byte per
// character, with a zero byte switching to two-byte characters and back.
std::string TestoJet4(const unsigned char* p, std::size_t n) {
  std::u16string u;
  if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
    bool compresso = true;
    for (std::size_t i = 2; i < n;) {
      if (p[i] == 0) {
        compresso = !compresso;
        ++i;
      } else if (compresso) {
        u += static_cast<char16_t>(p[i]);
        ++i;
      } else if (i + 1 < n) {
        u += static_cast<char16_t>(p[i] | (p[i + 1] << 8));
        i += 2;
      } else {
        break;
      }
    }
  } else {
    for (std::size_t i = 0; i + 1 < n; i += 2) u += static_cast<char16_t>(p[i] | (p[i + 1] << 8));
  }
  return Utf16InUtf8(u);
}

// Jet 3 text: single bytes of the database's code page.
class CodePage {
 public:
  explicit CodePage(int numero) {
    const std::string nome = "CP" + std::to_string(numero > 0 ? numero : 1252);
    cd_ = iconv_open("UTF-8", nome.c_str());
    if (cd_ == reinterpret_cast<iconv_t>(-1)) cd_ = iconv_open("UTF-8", "CP1252");
  }
  ~CodePage() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  std::string InUtf8(const unsigned char* p, std::size_t n) {
    std::string out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {  // no converter at all: Latin-1
      for (std::size_t i = 0; i < n; ++i) AggiungiUtf8(out, p[i]);
      return out;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    auto* in = reinterpret_cast<char*>(const_cast<unsigned char*>(p));
    std::size_t restanti = n;
    char buf[1024];
    while (restanti > 0) {
      char* o = buf;
      std::size_t spazio = sizeof buf;
      const std::size_t rc = iconv(cd_, &in, &restanti, &o, &spazio);
      out.append(buf, static_cast<std::size_t>(o - buf));
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
        AggiungiUtf8(out, 0xFFFD);  // a byte the code page does not define
        ++in;
        --restanti;
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// The text of a text or memo column, as UTF-8.
class Testi {
 public:
  explicit Testi(MdbHandle* mdb)
      : jet3_(mdb->f->jet_version == MDB_VER_JET3), code_page_(mdb->f->code_page) {}
  std::string operator()(const unsigned char* p, std::size_t n) {
    return jet3_ ? code_page_.InUtf8(p, n) : TestoJet4(p, n);
  }

 private:
  bool jet3_;
  CodePage code_page_;
};

// An Access date: days since 30 December 1899, the fraction the time of day
// (for days before that date the fraction still counts forward).
std::string TestoData(double seriale) {
  if (!std::isfinite(seriale) || std::fabs(seriale) > 3.0e6) return plat::TestoNumero(seriale);
  double giorni_interi = std::trunc(seriale);
  long long secondi = std::llround(std::fabs(seriale - giorni_interi) * 86400.0);
  long long giorni = static_cast<long long>(giorni_interi);
  if (secondi >= 86400) {
    secondi -= 86400;
    giorni += 1;
  }
  // Civil date from a day count (days from 1 January 1970).
  long long z = giorni - 25569 + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long anno = yoe + era * 400;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long giorno = doy - (153 * mp + 2) / 5 + 1;
  const long long mese = mp < 10 ? mp + 3 : mp - 9;
  if (mese <= 2) ++anno;
  char buf[128];
  if (secondi == 0)
    std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld", anno, mese, giorno);
  else
    std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", anno, mese, giorno,
                  secondi / 3600, secondi / 60 % 60, secondi % 60);
  return buf;
}

// A decimal column: sign byte, then a 128-bit integer as four little-endian
// 32-bit words, the most significant first; the scale places the point.
double NumeroDecimale(const unsigned char* p, int scala) {
  unsigned __int128 n = 0;
  for (int parola = 0; parola < 4; ++parola) n = (n << 32) | LeggiLE<std::uint32_t>(p + 1 + 4 * parola);
  std::string cifre;
  do {
    cifre.insert(cifre.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
    n /= 10;
  } while (n != 0);
  if (scala > 0) {
    if (static_cast<int>(cifre.size()) <= scala)
      cifre.insert(0, static_cast<std::size_t>(scala) + 1 - cifre.size(), '0');
    cifre.insert(cifre.size() - static_cast<std::size_t>(scala), ".");
  }
  if (p[0] & 0x80) cifre.insert(0, "-");
  double v = 0;
  std::from_chars(cifre.data(), cifre.data() + cifre.size(), v);
  return v;
}

std::string TestoGuid(const unsigned char* k) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                k[3], k[2], k[1], k[0], k[5], k[4], k[7], k[6], k[8], k[9], k[10], k[11], k[12], k[13], k[14],
                k[15]);
  return buf;
}

// A value that the stored bytes cannot give: the table is damaged.
struct Danneggiato {};
// Row n (counted from 1 in the table's order) cannot be split into its fields.
struct RigaIllegibile {
  unsigned long riga;
};
// The table ends after fewer rows than it declares.
struct TabellaCorta {
  unsigned long righe, dichiarate;
};

struct ChiudiStatement {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, ChiudiStatement>;

struct LiberaTabella {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

// Finds the row that the place of a moved row points to (its row number in
// the low byte, its page above), leaving its page loaded: it must be the
// data of a moved row (flagged 0x8000 alone), on a data page of the same
// table.  False when the pointer leads to anything else.
bool TrovaRigaSpostata(MdbHandle* mdb, MdbTableDef* t, std::uint32_t dove, int& inizio,
                       std::size_t& lunghezza) {
  const unsigned long pagina = dove >> 8;
  const int r = static_cast<int>(dove & 0xff);
  struct stat st;
  if (pagina == 0 || fstat(fileno(mdb->f->stream), &st) != 0 ||
      pagina >= static_cast<unsigned long>(st.st_size / mdb->fmt->pg_size) ||
      mdb_read_pg(mdb, pagina) != mdb->fmt->pg_size)
    return false;
  if (mdb->pg_buf[0] != MDB_PAGE_DATA || LeggiLE<std::uint32_t>(mdb->pg_buf + 4) != t->entry->table_pg ||
      r >= mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset))
    return false;
  return mdb_find_row(mdb, r, &inizio, &lunghezza) == 0 &&
         (inizio & (kRigaCancellata | kRigaSpostata)) == kRigaCancellata;
}

// Calls `riga` with the fields of each row of the table, in the table's
// order: the order of the places listed on each data page of the table.
// A deleted row is not one of them; the place of a row that was moved
// (edited and grown out of its place) holds where the row now lies, on the
// same or another page of the table, and the row is read there.  A row
// that cannot be split into its fields (its place outside the page, no
// length, fields running off it, a pointer to no moved row's data) is
// damage, as is a table with fewer rows than it declares (pages lost or cut
// off end the rows early, without an error).
template <typename F>
void PerOgniRiga(MdbHandle* mdb, MdbTableDef* t, F riga) {
  std::vector<MdbField> campi(t->num_cols);
  unsigned long righe = 0;
  std::set<std::uint32_t> spostate;  // two places never lead to one row
  const auto leggi = [&](bool trovata, int inizio, std::size_t lunghezza) {
    if (!trovata || lunghezza == 0 ||
        mdb_crack_row(t, inizio & kMascheraPosizione, lunghezza, campi.data()) < 0)
      throw RigaIllegibile{righe + 1};
    riga(campi);
    ++righe;
  };
  mdb_rewind_table(t);
  while (mdb_read_next_dpg(t)) {
    const unsigned long pagina = mdb->cur_pg;
    const int posti = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
    for (int r = 0; r < posti; ++r) {
      int inizio = 0;
      std::size_t lunghezza = 0;
      const bool trovata = mdb_find_row(mdb, r, &inizio, &lunghezza) == 0;
      if (inizio & kRigaCancellata) continue;
      if (!(inizio & kRigaSpostata)) {
        leggi(trovata, inizio, lunghezza);
        continue;
      }
      if (!trovata || lunghezza < 4) throw RigaIllegibile{righe + 1};
      const auto dove = LeggiLE<std::uint32_t>(mdb->pg_buf + (inizio & kMascheraPosizione));
      const bool valida = spostate.insert(dove).second && TrovaRigaSpostata(mdb, t, dove, inizio, lunghezza);
      leggi(valida, inizio, lunghezza);
      if (mdb_read_pg(mdb, pagina) != mdb->fmt->pg_size) throw RigaIllegibile{righe + 1};
    }
  }
  if (righe < t->num_rows) throw TabellaCorta{righe, t->num_rows};
}

// "name" as an SQL name.
std::string Citato(const std::string& nome) {
  std::string out = "\"";
  for (char c : nome) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

class Lettore {
 public:
  Lettore(MdbHandle* mdb, sqlite3* db, int avanzamento, std::string percorso)
      : mdb_(mdb), db_(db), avanzamento_(avanzamento), percorso_(std::move(percorso)), testo_(mdb) {}

  void Esegui(const std::string& sql) {
    char* errore = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &errore) != SQLITE_OK) {
      const std::string testo = errore ? errore : "SQLite error";
      sqlite3_free(errore);
      throw std::runtime_error(testo + ": " + sql);
    }
  }

  Statement Prepara(const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
      throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + ": " + sql);
    return Statement(s);
  }

  void Avanza() { (void)!write(avanzamento_, ".", 1); }

  // Every user table of the catalogue.
  void Leggi() {
    Esegui("create table tabelle (nome text, errore text)");
    Statement elenco = Prepara("insert into tabelle (rowid, nome, errore) values (?, ?, ?)");
    int n = 0;
    for (unsigned i = 0; i < mdb_->num_catalog; ++i) {
      auto* voce = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb_->catalog, i));
      if (voce->object_type != MDB_TABLE || mdb_is_system_table(voce)) continue;
      ++n;
      const std::string tabella = "t" + std::to_string(n);
      const std::string su = "The database " + percorso_ + " is damaged (table " + voce->object_name + ")";
      std::string errore;
      try {
        LeggiTabella(voce, tabella);
      } catch (const RigaIllegibile& e) {
        errore = su + ": row " + std::to_string(e.riga) + " cannot be read";
      } catch (const TabellaCorta& e) {
        errore = su + ": only " + std::to_string(e.righe) + " of its " + std::to_string(e.dichiarate) +
                 " rows can be read";
      } catch (const Danneggiato&) {
        errore = su;
      }
      if (!errore.empty()) Esegui("drop table if exists " + tabella);
      sqlite3_reset(elenco.get());
      sqlite3_bind_int(elenco.get(), 1, n);
      sqlite3_bind_text(elenco.get(), 2, voce->object_name, -1, SQLITE_TRANSIENT);
      if (errore.empty())
        sqlite3_bind_null(elenco.get(), 3);
      else
        sqlite3_bind_text(elenco.get(), 3, errore.c_str(), -1, SQLITE_TRANSIENT);
      if (sqlite3_step(elenco.get()) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
      Avanza();
    }
  }

 private:
  void LeggiTabella(MdbCatalogEntry* voce, const std::string& nome) {
    std::unique_ptr<MdbTableDef, LiberaTabella> tabella(mdb_read_table(voce));
    if (!tabella || !mdb_read_columns(tabella.get())) throw Danneggiato();
    MdbTableDef* t = tabella.get();
    if (t->num_cols == 0) throw Danneggiato();

    std::vector<MdbColumn*> colonne;
    std::string crea = "create table " + nome + " (", inserisci = "insert into " + nome + " values (";
    for (unsigned i = 0; i < t->num_cols; ++i) {
      auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
      colonne.push_back(col);
      crea += (i ? ", " : "") + Citato(col->name) + (col->col_type == MDB_FLOAT ? " SINGLE" : "");
      inserisci += i ? ", ?" : "?";
    }
    try {
      Esegui(crea + ")");
    } catch (const std::runtime_error&) {
      throw Danneggiato();  // names SQLite refuses, such as two columns of one name
    }
    Statement riga = Prepara(inserisci + ")");

    if (t->num_rows == 0) return;  // as libmdb reads such a table
    unsigned long righe = 0;
    PerOgniRiga(mdb_, t, [&](const std::vector<MdbField>& campi) {
      sqlite3_reset(riga.get());
      sqlite3_clear_bindings(riga.get());  // a field the row lacks is a Null
      for (unsigned i = 0; i < t->num_cols; ++i) {
        const MdbField& f = campi[i];
        if (f.colnum < 0 || static_cast<unsigned>(f.colnum) >= t->num_cols) continue;
        Lega(riga.get(), f.colnum + 1, *colonne[static_cast<std::size_t>(f.colnum)], f);
      }
      if (sqlite3_step(riga.get()) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
      if (++righe % 1000 == 0) Avanza();
    });
  }

  void Lega(sqlite3_stmt* st, int k, const MdbColumn& col, const MdbField& f) {
    const auto testo = [&](const std::string& s) {
      sqlite3_bind_text(st, k, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    };
    const auto byte = [&](const void* p, std::size_t n) {
      sqlite3_bind_blob(st, k, n ? p : "", static_cast<int>(n), SQLITE_TRANSIENT);
    };
    if (col.col_type == MDB_BOOL) {  // the value is the null bit
      sqlite3_bind_int(st, k, f.is_null ? 0 : -1);
      return;
    }
    if (f.is_null) return;
    if (f.start < 0 || f.siz < 0 || f.start + f.siz > mdb_->fmt->pg_size) throw Danneggiato();
    const unsigned char* p = mdb_->pg_buf + f.start;
    const auto n = static_cast<std::size_t>(f.siz);
    const auto serve = [&](std::size_t byte) {
      if (n < byte) throw Danneggiato();
    };
    switch (col.col_type) {
      case MDB_BYTE:
        serve(1);
        sqlite3_bind_int(st, k, p[0]);
        return;
      case MDB_INT:
        serve(2);
        sqlite3_bind_int(st, k, LeggiLE<std::int16_t>(p));
        return;
      case MDB_LONGINT:
      case MDB_COMPLEX:
        serve(4);
        sqlite3_bind_int(st, k, LeggiLE<std::int32_t>(p));
        return;
      case MDB_FLOAT:
        serve(4);
        sqlite3_bind_double(st, k, LeggiLE<float>(p));
        return;
      case MDB_DOUBLE:
        serve(8);
        sqlite3_bind_double(st, k, LeggiLE<double>(p));
        return;
      case MDB_MONEY:
        serve(8);
        sqlite3_bind_double(st, k, static_cast<double>(LeggiLE<std::int64_t>(p)) / 10000.0);
        return;
      case MDB_NUMERIC:
        serve(17);
        sqlite3_bind_double(st, k, NumeroDecimale(p, col.col_scale));
        return;
      case MDB_DATETIME:
        serve(8);
        testo(TestoData(LeggiLE<double>(p)));
        return;
      case MDB_REPID:
        serve(16);
        testo(TestoGuid(p));
        return;
      case MDB_TEXT:
        testo(testo_(p, n));
        return;
      case MDB_MEMO: {
        const std::string b = ValoreLungo(p, n);
        testo(testo_(reinterpret_cast<const unsigned char*>(b.data()), b.size()));
        return;
      }
      case MDB_OLE: {
        const std::string b = ValoreLungo(p, n);
        byte(b.data(), b.size());
        return;
      }
      default:
        byte(p, n);
        return;
    }
  }

  // Memo and OLE values: a 12-byte head in the row (length and flags, then
  // where the data lies), the data in the row itself, in one row of another
  // page, or in a chain of such rows.
  std::string ValoreLungo(const unsigned char* p, std::size_t n) {
    if (n < MDB_MEMO_OVERHEAD) return {};
    const auto testa = LeggiLE<std::uint32_t>(p);
    const std::size_t lunghezza = testa & 0x3FFFFFFFu;
    if (testa & kInLinea)
      return std::string(reinterpret_cast<const char*>(p) + MDB_MEMO_OVERHEAD, n - MDB_MEMO_OVERHEAD);
    auto riga = static_cast<int>(LeggiLE<std::uint32_t>(p + 4));
    std::string out;
    void* buf = nullptr;
    int inizio = 0;
    std::size_t len = 0;
    if (testa & kUnaPagina) {
      if (mdb_find_pg_row(mdb_, riga, &buf, &inizio, &len) != 0) throw Danneggiato();
      out.assign(static_cast<const char*>(buf) + inizio, len);
    } else {
      // Each row of the chain starts with where the next one lies.
      for (int giri = 0; riga != 0 && out.size() < lunghezza; ++giri) {
        if (giri > 1'000'000 || mdb_find_pg_row(mdb_, riga, &buf, &inizio, &len) != 0 || len < 4)
          throw Danneggiato();
        const auto* q = static_cast<const unsigned char*>(buf) + inizio;
        riga = static_cast<int>(LeggiLE<std::uint32_t>(q));
        out.append(reinterpret_cast<const char*>(q) + 4, len - 4);
      }
    }
    if (out.size() > lunghezza) out.resize(lunghezza);
    return out;
  }

  MdbHandle* mdb_;
  sqlite3* db_;
  int avanzamento_;
  std::string percorso_;
  Testi testo_;
};

// Ends with status 1 after the reason, on a line of its own.
[[noreturn]] void Fallisci(int avanzamento, const std::string& motivo) {
  const std::string testo = "\n" + motivo;
  (void)!write(avanzamento, testo.data(), testo.size());
  _exit(1);
}

// A type of column whose values are all of one size, kept in the fixed
// part of a row.
bool TipoFisso(int tipo) {
  switch (tipo) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_DATETIME:
    case MDB_REPID:
    case MDB_NUMERIC:
    case MDB_COMPLEX:
      return true;
    default:
      return false;
  }
}

// A column type that the reader decodes (a binary column is kept as bytes).
bool TipoNoto(int tipo) {
  return TipoFisso(tipo) || tipo == MDB_BINARY || tipo == MDB_TEXT || tipo == MDB_OLE || tipo == MDB_MEMO;
}

// What is wrong with the name of an object, as decoded, or "".
std::string GuastoDelNome(const std::string& nome) {
  if (nome.empty()) return "is empty";
  if (nome.size() > MDB_MAX_OBJ_NAME) return "is too long";
  for (std::size_t i = 0; i < nome.size(); ++i) {
    const auto c = static_cast<unsigned char>(nome[i]);
    const bool c1 = c == 0xC2 && i + 1 < nome.size() && static_cast<unsigned char>(nome[i + 1]) < 0xA0;
    if (c < 0x20 || c == 0x7F || c1) return "holds control characters";
  }
  return "";
}

// What is wrong with the columns of a table's definition, or "": each of a
// known type, a type of fixed size kept in the fixed part of the row, where
// no other column lies, and the columns numbered 0 to their count less one
// (true of a table never altered, as the catalogue).
std::string GuastoDellaDefinizione(MdbTableDef* t) {
  std::vector<bool> numeri(t->num_cols);
  std::vector<std::pair<int, int>> fisse;  // the bytes of each fixed column
  for (unsigned i = 0; i < t->num_cols; ++i) {
    const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(t->columns, i));
    const std::string colonna = "column " + std::to_string(i + 1);
    if (!TipoNoto(col->col_type))
      return colonna + " is of an unknown type (" + std::to_string(col->col_type) + ")";
    if (TipoFisso(col->col_type) != static_cast<bool>(col->is_fixed))
      return colonna + (col->is_fixed ? " is of a variable size, kept as fixed"
                                      : " is of a fixed size, kept as variable");
    const std::string numero = std::to_string(col->col_num);
    if (col->col_num < 0 || static_cast<unsigned>(col->col_num) >= t->num_cols)
      return "a column is numbered " + numero + ", of " + std::to_string(t->num_cols);
    if (numeri[static_cast<std::size_t>(col->col_num)]) return "two columns are numbered " + numero;
    numeri[static_cast<std::size_t>(col->col_num)] = true;
    if (col->is_fixed && col->col_size > 0)
      fisse.emplace_back(col->fixed_offset, col->fixed_offset + col->col_size);
  }
  std::sort(fisse.begin(), fisse.end());
  for (std::size_t i = 1; i < fisse.size(); ++i)
    if (fisse[i].first < fisse[i - 1].second) return "two fixed columns overlap";
  return "";
}

// The columns of the catalogue that the reader takes, each of its type.
enum ColonnaCatalogo { kId, kNome, kTipo, kFlag, kColonneCatalogo };
constexpr struct {
  const char* nome;
  int tipo;
  const char* tipo_testo;
} kCatalogo[kColonneCatalogo] = {{"Id", MDB_LONGINT, "a long integer"},
                                 {"Name", MDB_TEXT, "a text"},
                                 {"Type", MDB_INT, "an integer"},
                                 {"Flags", MDB_LONGINT, "a long integer"}};

// Reads the catalogue of the file's objects into mdb->catalog, as libmdb
// fills it, from the rows of the catalogue table (its definition on page 2)
// in the order of their places: libmdb's own reading takes a moved row where
// its data lies.  What is wrong with the catalogue, or "": its definition
// must be whole and of known types, and each row whole, with a type and a
// name of its object.  A page read short, or damaged, reads as rows without
// them, and a damaged definition as names empty or shifted: tables would be
// missing, or system tables listed, without a word.
std::string LeggiCatalogo(MdbHandle* mdb) {
  MdbCatalogEntry voce{};
  voce.mdb = mdb;
  voce.object_type = MDB_TABLE;
  voce.table_pg = 2;
  std::snprintf(voce.object_name, sizeof voce.object_name, "%s", "MSysObjects");
  const std::unique_ptr<MdbTableDef, LiberaTabella> tabella(mdb_read_table(&voce));
  MdbTableDef* t = tabella.get();
  if (!t || !mdb_read_columns(t)) return "its catalogue cannot be read";
  if (const std::string g = GuastoDellaDefinizione(t); !g.empty()) return "in its catalogue, " + g;
  int indice[kColonneCatalogo] = {-1, -1, -1, -1};
  for (unsigned i = 0; i < t->num_cols; ++i) {
    const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(t->columns, i));
    for (int k = 0; k < kColonneCatalogo; ++k) {
      if (indice[k] >= 0 || g_ascii_strcasecmp(col->name, kCatalogo[k].nome) != 0) continue;
      if (col->col_type != kCatalogo[k].tipo)
        return std::string("the column ") + kCatalogo[k].nome + " of its catalogue is not " +
               kCatalogo[k].tipo_testo + " column";
      indice[k] = static_cast<int>(i);
    }
  }
  for (int k = 0; k < kColonneCatalogo; ++k)
    if (indice[k] < 0) return std::string("its catalogue has no column ") + kCatalogo[k].nome;

  Testi testo(mdb);
  std::vector<MdbCatalogEntry> oggetti;
  std::string guasto;
  try {
    PerOgniRiga(mdb, t, [&](const std::vector<MdbField>& campi) {
      if (!guasto.empty()) return;
      const std::string riga = "row " + std::to_string(oggetti.size() + 1) + " of its catalogue";
      const MdbField* campo[kColonneCatalogo] = {};
      for (const MdbField& f : campi)
        for (int k = 0; k < kColonneCatalogo; ++k)
          if (f.colnum == indice[k] && !f.is_null) campo[k] = &f;
      if (!campo[kNome] || campo[kNome]->siz <= 0 || !campo[kTipo]) {
        guasto = riga + " has no " + (campo[kNome] && campo[kNome]->siz > 0 ? "type" : "name");
        return;
      }
      // The value's bytes, when the row holds n of them on the page.
      const auto byte = [&](int k, int n) -> const unsigned char* {
        const MdbField* f = campo[k];
        if (!f) return nullptr;
        if (f->start < 0 || f->siz < n || f->start + f->siz > mdb->fmt->pg_size) throw RigaIllegibile{};
        return mdb->pg_buf + f->start;
      };
      MdbCatalogEntry o{};
      o.mdb = mdb;
      const std::string nome = testo(byte(kNome, 1), static_cast<std::size_t>(campo[kNome]->siz));
      o.object_type = LeggiLE<std::int16_t>(byte(kTipo, 2)) & 0x7F;
      if (const unsigned char* id = byte(kId, 4)) o.table_pg = LeggiLE<std::uint32_t>(id) & 0x00FFFFFFu;
      if (const unsigned char* flag = byte(kFlag, 4)) o.flags = LeggiLE<std::int32_t>(flag);
      if (const std::string g = GuastoDelNome(nome); !g.empty()) {
        guasto = "the name in " + riga + " " + g;
        return;
      }
      std::memcpy(o.object_name, nome.c_str(), nome.size() + 1);
      oggetti.push_back(o);
    });
  } catch (const RigaIllegibile&) {
    return "row " + std::to_string(oggetti.size() + 1) + " of its catalogue cannot be read";
  } catch (const TabellaCorta& e) {
    return std::to_string(e.righe) + " of the " + std::to_string(e.dichiarate) +
           " objects of its catalogue can be read";
  }
  if (!guasto.empty()) return guasto;
  // A column misplaced in the definition misreads the types or flags of
  // every object, the catalogue's own entry among them.
  if (std::none_of(oggetti.begin(), oggetti.end(), [](MdbCatalogEntry& o) {
        return o.table_pg == 2 && mdb_is_system_table(&o) &&
               g_ascii_strcasecmp(o.object_name, "MSysObjects") == 0;
      }))
    return "its catalogue does not list itself as a system table";
  mdb_free_catalog(mdb);
  mdb->catalog = g_ptr_array_new();
  for (const MdbCatalogEntry& o : oggetti) g_ptr_array_add(mdb->catalog, g_memdup2(&o, sizeof o));
  mdb->num_catalog = static_cast<unsigned>(oggetti.size());
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  // The progress and the database go to the standard output as it was;
  // whatever libmdb prints goes nowhere.
  const int avanzamento = dup(STDOUT_FILENO);
  const int nulla = open("/dev/null", O_WRONLY);
  if (avanzamento < 0 || nulla < 0) return 1;
  dup2(nulla, STDOUT_FILENO);
  dup2(nulla, STDERR_FILENO);
  sqlite3_int64 massimo = 0;
  const char* fine = argc == 3 ? argv[2] + std::strlen(argv[2]) : nullptr;
  if (argc != 3 || std::from_chars(argv[2], fine, massimo).ptr != fine || massimo <= 0)
    Fallisci(avanzamento, "usage: lettore_access <file.mdb> <most bytes of the database>");
  const std::string percorso = argv[1];

  MdbHandle* mdb = mdb_open(argv[1], MDB_NOFLAGS);
  if (!mdb) Fallisci(avanzamento, "Cannot read the Access database " + percorso);
  const std::string guasto = "The Access database " + percorso + " is damaged: ";
  // Access writes whole pages: a file that ends inside one was cut.
  struct stat st;
  if (fstat(fileno(mdb->f->stream), &st) != 0)
    Fallisci(avanzamento, "Cannot read the Access database " + percorso);
  if (st.st_size % mdb->fmt->pg_size != 0)
    Fallisci(avanzamento, guasto + "its length, " + std::to_string(st.st_size) +
                              " bytes, is not a whole number of its pages of " +
                              std::to_string(mdb->fmt->pg_size) + " bytes");
  // The catalogue is itself a table: every one of the objects it declares
  // must come back, or tables would be missing without a word.
  if (const std::string catalogo = LeggiCatalogo(mdb); !catalogo.empty())
    Fallisci(avanzamento, guasto + catalogo);
  (void)!write(avanzamento, ".", 1);

  // The database lives in one block of memory, which grows as it fills up
  // to the most bytes allowed, and which SQLite hands over as it is.
  const std::string su = "Cannot read the Access database " + percorso + ": ";
  sqlite3* db = nullptr;
  sqlite3_int64 limite = massimo;
  if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK ||
      sqlite3_deserialize(db, "main", nullptr, 0, 0,
                          SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE) != SQLITE_OK ||
      sqlite3_file_control(db, "main", SQLITE_FCNTL_SIZE_LIMIT, &limite) != SQLITE_OK)
    Fallisci(avanzamento, su + "no database can be made in memory");
  try {
    Lettore lettore(mdb, db, avanzamento, percorso);
    lettore.Esegui("pragma journal_mode = off; pragma temp_store = memory; begin");
    lettore.Leggi();
    lettore.Esegui("commit");
  } catch (const std::exception& e) {
    if (sqlite3_errcode(db) == SQLITE_FULL)
      Fallisci(avanzamento, su + "the file looks damaged (its tables take more than " +
                                std::to_string(massimo) + " bytes)");
    Fallisci(avanzamento, "Cannot convert the Access database " + percorso + ": " + e.what());
  }
  sqlite3_int64 n = 0;
  const unsigned char* dati = sqlite3_serialize(db, "main", &n, SQLITE_SERIALIZE_NOCOPY);
  if (!dati || n <= 0) Fallisci(avanzamento, su + "what it read cannot be handed over");
  const auto scrivi = [avanzamento](const void* p, std::size_t n) {
    const auto* c = static_cast<const char*>(p);
    while (n > 0) {
      const ssize_t scritti = write(avanzamento, c, n);
      if (scritti < 0 && errno == EINTR) continue;
      if (scritti <= 0) _exit(1);  // the program is no longer reading
      c += scritti;
      n -= static_cast<std::size_t>(scritti);
    }
  };
  const std::string testa = "\nSQLite " + std::to_string(n) + "\n";
  scrivi(testa.data(), testa.size());
  scrivi(dati, static_cast<std::size_t>(n));
  sqlite3_close(db);
  mdb_close(mdb);
  return 0;
}
