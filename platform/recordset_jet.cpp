// The Access (Jet 3, Jet 4 and later) engine of the record-set layer, read
// only, through mdbtools' libmdb.  libmdb finds the tables, the columns and
// the rows; the values are decoded here from their stored bytes, so that
// numbers keep every digit whatever the locale, and text comes out as UTF-8.
// glib first: mdbtools.h includes it inside extern "C", where its C++ declarations
// do not compile.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/recordset_interno.h"

static_assert(std::endian::native == std::endian::little, "Access files are little-endian");

namespace plat::interno {
namespace {

constexpr std::uint32_t kInLinea = 0x80000000u;   // long value stored in the row
constexpr std::uint32_t kUnaPagina = 0x40000000u;  // long value in one page row
constexpr int kMascheraPosizione = 0x1fff;

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

// An Access date: days since 30 December 1899, the fraction the time of day
// (for days before that date the fraction still counts forward).
std::string TestoData(double seriale) {
  if (!std::isfinite(seriale) || std::fabs(seriale) > 3.0e6) return Valore::Numero(seriale).ComeTesto();
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
  for (int parola = 0; parola < 4; ++parola)
    n = (n << 32) | LeggiLE<std::uint32_t>(p + 1 + 4 * parola);
  std::string cifre;
  do {
    cifre.insert(cifre.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
    n /= 10;
  } while (n != 0);
  if (scala > 0) {
    if (static_cast<int>(cifre.size()) <= scala) cifre.insert(0, static_cast<std::size_t>(scala) + 1 - cifre.size(), '0');
    cifre.insert(cifre.size() - static_cast<std::size_t>(scala), ".");
  }
  if (p[0] & 0x80) cifre.insert(0, "-");
  return Valore::Testo(cifre).ComeNumero();
}

std::string TestoGuid(const unsigned char* k) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", k[3],
                k[2], k[1], k[0], k[5], k[4], k[7], k[6], k[8], k[9], k[10], k[11], k[12], k[13], k[14], k[15]);
  return buf;
}

struct LiberaTabella {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

class DatabaseJet : public Database {
 public:
  DatabaseJet(MdbHandle* mdb, std::string percorso)
      : mdb_(mdb), percorso_(std::move(percorso)), code_page_(mdb->f->code_page) {}
  ~DatabaseJet() override { mdb_close(mdb_); }
  DatabaseJet(const DatabaseJet&) = delete;
  DatabaseJet& operator=(const DatabaseJet&) = delete;

  std::unique_ptr<RecordSet> OpenRecordset(const std::string& sql,
                                           const std::vector<std::string>& valori) override {
    const Interrogazione q = AnalizzaSql(sql);
    if (q.colonne_filtro.size() != valori.size())
      throw ErroreDatabase("The query has " + std::to_string(q.colonne_filtro.size()) +
                           " \"?\" marks but " + std::to_string(valori.size()) + " values were given: " + sql);
    MdbCatalogEntry* voce = Voce(q.tabella);
    if (!voce) throw ErroreDatabase("No table " + q.tabella + " in the database " + percorso_);
    std::unique_ptr<MdbTableDef, LiberaTabella> tabella(mdb_read_table(voce));
    if (!tabella || !mdb_read_columns(tabella.get()))
      throw ErroreDatabase("Cannot read the table " + q.tabella + " of " + percorso_);
    MdbTableDef* t = tabella.get();

    std::vector<std::string> colonne;
    std::vector<MdbColumn*> definizioni;
    for (unsigned i = 0; i < t->num_cols; ++i) {
      auto* col = static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
      definizioni.push_back(col);
      colonne.emplace_back(col->name);
    }
    struct Filtro {
      std::size_t colonna;
      const std::string* valore;
    };
    std::vector<Filtro> filtri;
    for (std::size_t k = 0; k < q.colonne_filtro.size(); ++k) {
      std::size_t i = 0;
      while (i < colonne.size() && !NomiUguali(colonne[i], q.colonne_filtro[k])) ++i;
      if (i == colonne.size())
        throw ErroreDatabase("No column " + q.colonne_filtro[k] + " in the table " + q.tabella);
      filtri.push_back({i, &valori[k]});
    }

    std::vector<std::vector<Valore>> righe;
    std::vector<MdbField> campi(t->num_cols);
    mdb_rewind_table(t);
    while (mdb_fetch_row(t)) {
      // The row just read lies in the page buffer: split it into its fields.
      int inizio = 0;
      std::size_t lunghezza = 0;
      if (mdb_find_row(mdb_, static_cast<int>(t->cur_row) - 1, &inizio, &lunghezza) != 0) continue;
      if (mdb_crack_row(t, inizio & kMascheraPosizione, lunghezza, campi.data()) < 0) continue;
      std::vector<Valore> riga(t->num_cols);
      for (unsigned i = 0; i < t->num_cols; ++i) {
        const MdbField& f = campi[i];
        if (f.colnum < 0 || static_cast<unsigned>(f.colnum) >= t->num_cols) continue;
        riga[static_cast<std::size_t>(f.colnum)] = Decodifica(*definizioni[static_cast<std::size_t>(f.colnum)], f);
      }
      bool tiene = true;
      for (const Filtro& f : filtri)
        tiene = tiene && Uguale(*definizioni[f.colonna], riga[f.colonna], *f.valore, colonne[f.colonna]);
      if (tiene) righe.push_back(std::move(riga));
    }
    return std::make_unique<RecordSetMemoria>(std::move(colonne), std::move(righe));
  }

  bool EsisteTabella(const std::string& nome) override { return Voce(nome) != nullptr; }

 private:
  MdbCatalogEntry* Voce(const std::string& nome) {
    for (unsigned i = 0; i < mdb_->num_catalog; ++i) {
      auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb_->catalog, i));
      if (e->object_type == MDB_TABLE && NomiUguali(e->object_name, nome)) return e;
    }
    return nullptr;
  }

  [[noreturn]] void Danneggiato() const {
    throw ErroreDatabase("The database " + percorso_ + " is damaged");
  }

  Valore Decodifica(const MdbColumn& col, const MdbField& f) {
    if (col.col_type == MDB_BOOL) return Valore::Numero(f.is_null ? 0 : -1);  // the value is the null bit
    if (f.is_null) return Valore();
    if (f.start < 0 || f.siz < 0 || f.start + f.siz > mdb_->fmt->pg_size) Danneggiato();
    const unsigned char* p = mdb_->pg_buf + f.start;
    const auto n = static_cast<std::size_t>(f.siz);
    const auto serve = [&](std::size_t byte) {
      if (n < byte) Danneggiato();
    };
    switch (col.col_type) {
      case MDB_BYTE: serve(1); return Valore::Numero(p[0]);
      case MDB_INT: serve(2); return Valore::Numero(LeggiLE<std::int16_t>(p));
      case MDB_LONGINT:
      case MDB_COMPLEX: serve(4); return Valore::Numero(LeggiLE<std::int32_t>(p));
      case MDB_FLOAT: serve(4); return Valore::NumeroSingolo(LeggiLE<float>(p));
      case MDB_DOUBLE: serve(8); return Valore::Numero(LeggiLE<double>(p));
      case MDB_MONEY: serve(8); return Valore::Numero(static_cast<double>(LeggiLE<std::int64_t>(p)) / 10000.0);
      case MDB_NUMERIC: serve(17); return Valore::Numero(NumeroDecimale(p, col.col_scale));
      case MDB_DATETIME: serve(8); return Valore::Testo(TestoData(LeggiLE<double>(p)));
      case MDB_REPID: serve(16); return Valore::Testo(TestoGuid(p));
      case MDB_TEXT: return Valore::Testo(Testo(p, n));
      case MDB_MEMO: {
        const std::string b = ValoreLungo(p, n);
        return Valore::Testo(Testo(reinterpret_cast<const unsigned char*>(b.data()), b.size()));
      }
      case MDB_OLE: return Valore::Testo(ValoreLungo(p, n));
      default: return Valore::Testo(std::string(reinterpret_cast<const char*>(p), n));
    }
  }

  std::string Testo(const unsigned char* p, std::size_t n) {
    return mdb_->f->jet_version == MDB_VER_JET3 ? code_page_.InUtf8(p, n) : TestoJet4(p, n);
  }

  // Memo and OLE values: a 12-byte head in the row (length and flags, then
  // where the data lies), the data in the row itself, in one row of another
  // page, or in a chain of such rows.
  std::string ValoreLungo(const unsigned char* p, std::size_t n) {
    if (n < MDB_MEMO_OVERHEAD) return {};
    const auto testa = LeggiLE<std::uint32_t>(p);
    const std::size_t lunghezza = testa & 0x3FFFFFFFu;
    if (testa & kInLinea) return std::string(reinterpret_cast<const char*>(p) + MDB_MEMO_OVERHEAD, n - MDB_MEMO_OVERHEAD);
    auto riga = static_cast<int>(LeggiLE<std::uint32_t>(p + 4));
    std::string out;
    void* buf = nullptr;
    int inizio = 0;
    std::size_t len = 0;
    if (testa & kUnaPagina) {
      if (mdb_find_pg_row(mdb_, riga, &buf, &inizio, &len) != 0) Danneggiato();
      out.assign(static_cast<const char*>(buf) + inizio, len);
    } else {
      // Each row of the chain starts with where the next one lies.
      for (int giri = 0; riga != 0 && out.size() < lunghezza; ++giri) {
        if (giri > 1'000'000 || mdb_find_pg_row(mdb_, riga, &buf, &inizio, &len) != 0 || len < 4) Danneggiato();
        const auto* q = static_cast<const unsigned char*>(buf) + inizio;
        riga = static_cast<int>(LeggiLE<std::uint32_t>(q));
        out.append(reinterpret_cast<const char*>(q) + 4, len - 4);
      }
    }
    if (out.size() > lunghezza) out.resize(lunghezza);
    return out;
  }

  // The where clause: text compared without case, as Access does; numbers
  // as numbers; a Null matches nothing.
  static bool Uguale(const MdbColumn& col, const Valore& v, const std::string& cercato, const std::string& nome) {
    if (v.IsNull()) return false;
    if (v.tipo() == Valore::Tipo::Testo) return NomiUguali(v.ComeTesto(), cercato);
    double x = 0;
    try {
      x = Valore::Testo(cercato).ComeNumero();
    } catch (const ErroreDatabase&) {
      throw ErroreDatabase("Data type mismatch: \"" + cercato + "\" for the number column " + nome);
    }
    if (col.col_type == MDB_FLOAT) return static_cast<float>(x) == static_cast<float>(v.ComeNumero());
    return x == v.ComeNumero();
  }

  MdbHandle* mdb_;
  std::string percorso_;
  CodePage code_page_;
};

}  // namespace

std::unique_ptr<Database> ApriJet(const std::string& percorso) {
  MdbHandle* mdb = mdb_open(percorso.c_str(), MDB_NOFLAGS);
  if (!mdb) throw ErroreDatabase("Cannot read the Access database " + percorso);
  if (!mdb_read_catalog(mdb, MDB_TABLE)) {
    mdb_close(mdb);
    throw ErroreDatabase("Cannot read the tables of the Access database " + percorso);
  }
  return std::make_unique<DatabaseJet>(mdb, percorso);
}

}  // namespace plat::interno
