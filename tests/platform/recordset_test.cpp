#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/recordset.h"
#include "tests/support/supporto.h"

namespace {

std::string CartellaAccess() { return TESTDATA_ACCESS; }

using plat::Database;
using plat::ErroreDatabase;
using plat::Valore;

// A small SQLite database written for one test.
class DatabaseSqliteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    percorso_ = dir_.filePath("prova.db").toStdString();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(percorso_.c_str(), &db), SQLITE_OK);
    const char* sql = R"(
      CREATE TABLE Modelli (Modello TEXT, Descrizione TEXT, VentA REAL, Nr INTEGER);
      CREATE INDEX PerModello ON Modelli (Modello);
      INSERT INTO Modelli VALUES ('K30', 'terzo', -1.2345678901234e-05, 3);
      INSERT INTO Modelli VALUES ('K10', NULL, 0.1, 1);
      INSERT INTO Modelli VALUES ('O''Brien', 'con apice', NULL, 2);
      INSERT INTO Modelli VALUES ('K20', 'secondo', 2.5, NULL);
      INSERT INTO Modelli VALUES ('K10', 'ancora', 7, 4);
      CREATE TABLE Vuota (A TEXT);
    )";
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    db_ = Database::Apri(percorso_, ";PWD=bremolt");
  }

  std::vector<std::string> Colonna(plat::RecordSet& rs, const char* nome) {
    std::vector<std::string> v;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) v.push_back(rs.Campo(nome).ComeTesto());
    return v;
  }

  QTemporaryDir dir_;
  std::string percorso_;
  std::unique_ptr<Database> db_;
};

TEST_F(DatabaseSqliteTest, RigheNellOrdineDellaTabella) {
  auto rs = db_->OpenRecordset("select * from Modelli");
  EXPECT_EQ(Colonna(*rs, "Modello"), (std::vector<std::string>{"K30", "K10", "O'Brien", "K20", "K10"}));
  // An index on the filtered column does not change the order of equal keys.
  rs = db_->OpenRecordset("select * from Modelli where Modello = ?", {"K10"});
  EXPECT_EQ(Colonna(*rs, "Descrizione"), (std::vector<std::string>{"", "ancora"}));
}

TEST_F(DatabaseSqliteTest, IValoriSonoLegatiNonIncollati) {
  auto rs = db_->OpenRecordset("select * from Modelli where Modello = ? And Nr = ?", {"O'Brien", "2"});
  EXPECT_EQ(Colonna(*rs, "Descrizione"), std::vector<std::string>{"con apice"});
  rs = db_->OpenRecordset("select * from Modelli where Modello = ?", {"x' or '1'='1"});
  EXPECT_TRUE(rs->Eof());
  EXPECT_THROW(db_->OpenRecordset("select * from Modelli where Modello = ?"), ErroreDatabase);
  EXPECT_THROW(db_->OpenRecordset("select * from Modelli", {"K10"}), ErroreDatabase);
}

TEST_F(DatabaseSqliteTest, NullNumeriETestiECampiSenzaMaiuscole) {
  auto rs = db_->OpenRecordset("SELECT * FROM [modelli]");
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Campo("ventA").ComeNumero(), -1.2345678901234e-05);  // every digit kept
  EXPECT_EQ(rs->Campo("VENTA").tipo(), Valore::Tipo::Numero);
  EXPECT_EQ(rs->Campo("nr").ComeTesto(), "3");
  EXPECT_TRUE(rs->HaCampo("DESCRIZIONE"));
  EXPECT_FALSE(rs->HaCampo("Colore"));
  EXPECT_THROW(rs->Campo("Colore"), ErroreDatabase);
  rs->MoveNext();
  const Valore nulla = rs->Campo("Descrizione");
  EXPECT_TRUE(nulla.IsNull());
  EXPECT_EQ(nulla.ComeTesto(), "");
  EXPECT_EQ(nulla.ComeNumero(), 0);
  rs->MoveNext();
  EXPECT_TRUE(rs->Campo("VentA").IsNull());
  rs->MoveNext();
  rs->MoveNext();
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());
  EXPECT_THROW(rs->Campo("Modello"), ErroreDatabase);
  EXPECT_THROW(rs->MoveNext(), ErroreDatabase);
  rs->MoveFirst();
  EXPECT_EQ(rs->Campo("Modello").ComeTesto(), "K30");
  rs->Close();
  EXPECT_TRUE(rs->Eof());
}

TEST_F(DatabaseSqliteTest, TabelleMancantiEVuote) {
  EXPECT_THROW(db_->OpenRecordset("select * from Manca"), ErroreDatabase);
  EXPECT_THROW(db_->OpenRecordset("select * from Modelli; delete from Modelli"), ErroreDatabase);
  EXPECT_TRUE(db_->EsisteTabella("MODELLI"));
  EXPECT_FALSE(db_->EsisteTabella("Manca"));
  auto rs = db_->OpenRecordset("select * from Vuota");
  rs->MoveFirst();  // no error on an empty table
  EXPECT_TRUE(rs->Eof());
  EXPECT_TRUE(rs->HaCampo("a"));
}

TEST(Database, FileMancantiONonDatabase) {
  QTemporaryDir dir;
  const std::string testo = dir.filePath("testo.mdb").toStdString();
  std::ofstream(testo) << "not a database at all, just some text";
  EXPECT_THROW(Database::Apri(testo, ""), ErroreDatabase);
  const std::string vuoto = dir.filePath("vuoto.mdb").toStdString();
  std::ofstream{vuoto};
  EXPECT_THROW(Database::Apri(vuoto, ""), ErroreDatabase);
  const std::string rotto = dir.filePath("rotto.mdb").toStdString();
  std::ofstream(rotto, std::ios::binary) << std::string("SQLite format 3\0", 16) << std::string(4000, 'x');
  EXPECT_THROW(Database::Apri(rotto, ""), ErroreDatabase);
  EXPECT_THROW(Database::Apri(dir.filePath("manca.mdb").toStdString(), ""), ErroreDatabase);
  EXPECT_THROW(Database::Apri(CartellaAccess() + "/README.md", ""), ErroreDatabase);
}

TEST(Valore, TestiENumeri) {
  EXPECT_EQ(Valore::Numero(100000).ComeTesto(), "100000");
  EXPECT_EQ(Valore::Numero(-3).ComeTesto(), "-3");
  EXPECT_EQ(Valore::Numero(0.1).ComeTesto(), "0.1");
  EXPECT_EQ(Valore::Numero(-1.2345678901234e-05).ComeTesto(), "-1.2345678901234e-05");
  EXPECT_EQ(Valore::NumeroSingolo(0.15f).ComeTesto(), "0.15");
  EXPECT_EQ(Valore::Testo(" 2.5 ").ComeNumero(), 2.5);
  EXPECT_EQ(Valore::Testo("-4e-3").ComeNumero(), -4e-3);
  EXPECT_EQ(Valore::Testo("").ComeNumero(), 0);
  EXPECT_THROW(Valore::Testo("2,5").ComeNumero(), ErroreDatabase);
  EXPECT_THROW(Valore::Testo("abc").ComeNumero(), ErroreDatabase);
}

// The two Access files written by Access itself.
class DatabaseAccessTest : public ::testing::Test {
 protected:
  static std::unique_ptr<Database> Apri(const char* nome) {
    return Database::Apri(CartellaAccess() + "/" + nome, ";PWD=bremolt");
  }
};

TEST_F(DatabaseAccessTest, Jet4TestiMemoEDate) {
  auto db = Apri("DateTestDatabase.mdb");
  auto rs = db->OpenRecordset("select * from DateTest");
  std::vector<double> id;
  for (; !rs->Eof(); rs->MoveNext()) id.push_back(rs->Campo("idcol").ComeNumero());
  EXPECT_EQ(id, (std::vector<double>{1, 2, 3, 4, 5, 6}));

  rs = db->OpenRecordset("select * from [DateTest] where IDCol = ?", {"2"});
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Campo("ShortTextCol").ComeTesto(), "Year 1999");
  EXPECT_EQ(rs->Campo("LongTextCol").ComeTesto(), "Year 9999");
  EXPECT_EQ(rs->Campo("DateCol").ComeTesto(), "9999-01-01");
  rs = db->OpenRecordset("select * from DateTest where IDCol = ?", {"4"});
  EXPECT_EQ(rs->Campo("DateTimeCol").ComeTesto(), "0632-01-01");
  rs = db->OpenRecordset("select * from DateTest where IDCol = ?", {"6"});
  EXPECT_EQ(rs->Campo("LongTextCol").ComeTesto(), "New line\r\nin field");
  EXPECT_THROW(db->OpenRecordset("select * from DateTest where IDCol = ?", {"due"}), ErroreDatabase);
}

TEST_F(DatabaseAccessTest, Jet3NumeriEsattiEDenaro) {
  auto db = Apri("nwind.mdb");
  auto rs = db->OpenRecordset("select * from Shippers");
  std::vector<std::string> nomi;
  for (; !rs->Eof(); rs->MoveNext()) nomi.push_back(rs->Campo("CompanyName").ComeTesto());
  EXPECT_EQ(nomi, (std::vector<std::string>{"Speedy Express", "United Package", "Federal Shipping"}));

  rs = db->OpenRecordset("select * from Products where ProductID = ?", {"5"});
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Campo("ProductName").ComeTesto(), "Chef Anton's Gumbo Mix");
  EXPECT_EQ(rs->Campo("UnitPrice").ComeNumero(), 21.35);  // currency
  EXPECT_EQ(rs->Campo("Discontinued").ComeNumero(), -1);  // yes/no
  rs = db->OpenRecordset("select * from Products where Discontinued = ?", {"-1"});
  int fuori_produzione = 0;
  for (; !rs->Eof(); rs->MoveNext()) ++fuori_produzione;
  EXPECT_EQ(fuori_produzione, 8);

  // Single-precision column: the stored single, not a rounded print of it.
  rs = db->OpenRecordset("select * from [Order Details] where Discount = ?", {"0.15"});
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Campo("OrderID").ComeNumero(), 10250);
  EXPECT_EQ(rs->Campo("ProductID").ComeNumero(), 51);
  EXPECT_EQ(static_cast<float>(rs->Campo("Discount").ComeNumero()), 0.15f);
  EXPECT_EQ(rs->Campo("Discount").ComeTesto(), "0.15");
}

TEST_F(DatabaseAccessTest, Jet3NomiETestiNonAscii) {
  auto db = Apri("nwind.mdb");
  EXPECT_TRUE(db->EsisteTabella("UMSÄTZE"));
  auto rs = db->OpenRecordset("SELECT * FROM umsätze WHERE [ShipName] = ? and orderid = ?",
                              {"mère paillarde", "10332"});
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Campo("ShipName").ComeTesto(), "Mère Paillarde");
  EXPECT_EQ(rs->Campo("ShipCity").ComeTesto(), "Montréal");
  EXPECT_EQ(rs->Campo("Freight").ComeNumero(), 52.84);
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());

  rs = db->OpenRecordset("select * from Customers where CustomerID = ?", {"ANTON"});
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Campo("CompanyName").ComeTesto(), "Antonio Moreno Taquería");
  EXPECT_TRUE(rs->Campo("Region").IsNull());
  EXPECT_TRUE(rs->Campo("Fax").IsNull());

  // A memo longer than one text field, spread over a page of its own.
  rs = db->OpenRecordset("select * from Employees where EmployeeID = ?", {"2"});
  const std::string note = rs->Campo("Notes").ComeTesto();
  EXPECT_EQ(note.size(), 448u);
  EXPECT_EQ(note.substr(0, 15), "Andrew received");
  EXPECT_EQ(note.substr(note.size() - 12), "Association.");
}

TEST_F(DatabaseAccessTest, ErroriDiTabellaColonnaEQuery) {
  auto db = Apri("nwind.mdb");
  EXPECT_FALSE(db->EsisteTabella("Manca"));
  EXPECT_THROW(db->OpenRecordset("select * from Manca"), ErroreDatabase);
  EXPECT_THROW(db->OpenRecordset("select * from Shippers where Colore = ?", {"x"}), ErroreDatabase);
  EXPECT_THROW(db->OpenRecordset("select * from Shippers where ShipperID = ?"), ErroreDatabase);
  EXPECT_THROW(db->OpenRecordset("select CompanyName from Shippers"), ErroreDatabase);
  EXPECT_THROW(db->OpenRecordset("select * from Shippers order by Phone"), ErroreDatabase);
  EXPECT_THROW(db->OpenRecordset("select * from Shippers where ShipperID = 1"), ErroreDatabase);
  auto rs = db->OpenRecordset("select * from Shippers;");
  EXPECT_THROW(rs->Campo("Colore"), ErroreDatabase);
}

}  // namespace

namespace {

QByteArray Contenuto(const std::string& percorso) {
  QFile f(QString::fromStdString(percorso));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Opens a damaged file and reads every table it still lists: each step
// either works or throws ErroreDatabase.  False when the file did not open.
bool ApriEScorri(const std::string& percorso, const std::vector<std::string>& tabelle) {
  std::unique_ptr<Database> db;
  try {
    db = Database::Apri(percorso, "");
  } catch (const ErroreDatabase& e) {
    EXPECT_NE(std::string(e.what()).find(percorso), std::string::npos) << e.what();
    return false;
  }
  for (const std::string& t : tabelle) {
    try {
      if (!db->EsisteTabella(t)) continue;
      auto rs = db->OpenRecordset("select * from [" + t + "]");
      while (!rs->Eof()) rs->MoveNext();
    } catch (const ErroreDatabase&) {
    }
  }
  return true;
}

const std::vector<std::string> kTabelleNwind = {"Order Details", "Orders",     "Products",
                                                "Shippers",      "Categories", "Customers",
                                                "Employees",     "Suppliers",  "Umsätze"};

// The temporary folder, pointed at a folder of the test's own, where the
// program must make nothing at all.
class CartellaTemporanea {
 public:
  CartellaTemporanea() : prima_(qgetenv("TMPDIR")) { Punta(dir_.path()); }
  ~CartellaTemporanea() {
    if (prima_.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", prima_);
  }
  // Points the temporary folder elsewhere (a folder that is missing, a file).
  void Punta(const QString& percorso) { qputenv("TMPDIR", QFile::encodeName(percorso)); }
  // What is in the test's folder.
  QStringList Resti() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  }
  QString File(const QString& nome) const { return dir_.filePath(nome); }
  QString Percorso() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QByteArray prima_;
};

}  // namespace

// Damaged Access files: libmdb crashes, or eats memory without end, on some;
// the database then cannot be opened, with the file named, and nothing is
// left in the temporary folder.  nwind.mdb cut after page 841 keeps all its
// tables and the rows of its catalogue: only libmdb's own reading of the
// objects' properties, which the reader does without, ran away on it.
TEST(DatabaseAccessDanneggiato, CrashEMemoriaSenzaFineNonAprono) {
  const QByteArray nwind = Contenuto(CartellaAccess() + "/nwind.mdb");
  ASSERT_EQ(nwind.size(), 3002368);
  struct Caso {
    const char* nome;
    QByteArray dati;
    bool apre = false;
  };
  const QByteArray fuzzed = Contenuto(CartellaAccess() + "/damaged/fuzzed-crash.mdb");
  const Caso casi[] = {
      {"fuzzed-crash.mdb", fuzzed},  // a byte past its pages: refused before
      {"fuzzed-crash-whole-pages.mdb", fuzzed + QByteArray(4095, '\0')},
      {"nwind-1724416.mdb", nwind.left(1724416), true},
      {"nwind-1500000.mdb", nwind.left(1500000)},
  };
  CartellaTemporanea tmp;
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    ASSERT_FALSE(c.dati.isEmpty());
    QTemporaryDir dir;
    const std::string percorso = dir.filePath(c.nome).toStdString();
    QFile f(QString::fromStdString(percorso));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.dati);
    f.close();
    EXPECT_EQ(ApriEScorri(percorso, kTabelleNwind), c.apre);
  }
  EXPECT_EQ(tmp.Resti(), QStringList());
}

// Both samples cut at points spread over the file, on and off page
// boundaries: each opens, or is refused, in a few seconds at most; a file
// cut inside a page is always refused.
TEST(DatabaseAccessDanneggiato, TroncamentiDeiDueCampioni) {
  struct Campione {
    const char* nome;
    qsizetype pagina;
    std::vector<std::string> tabelle;
  };
  const Campione campioni[] = {{"nwind.mdb", 2048, kTabelleNwind},
                               {"DateTestDatabase.mdb", 4096, {"DateTest"}}};
  CartellaTemporanea tmp;
  int aperti = 0, rifiutati = 0;
  for (const Campione& c : campioni) {
    const QByteArray dati = Contenuto(CartellaAccess() + "/" + c.nome);
    ASSERT_FALSE(dati.isEmpty());
    for (int parte = 0; parte < 24; ++parte) {
      const qsizetype taglio = dati.size() * parte / 24 / c.pagina * c.pagina + (parte % 2 ? 1000 : 0);
      SCOPED_TRACE(std::string(c.nome) + " cut to " + std::to_string(taglio));
      const QString file = tmp.File("taglio.mdb");
      QFile f(file);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(dati.left(taglio));
      f.close();
      const bool aperto = ApriEScorri(file.toStdString(), c.tabelle);
      (aperto ? aperti : rifiutati)++;
      if (taglio % c.pagina != 0) {
        EXPECT_FALSE(aperto);
      }
      QFile::remove(file);
    }
  }
  EXPECT_GT(aperti, 0);
  EXPECT_GT(rifiutati, 0);
  EXPECT_EQ(tmp.Resti(), QStringList());
}

TEST(DatabaseAccessDanneggiato, SenzaIlLettoreIlFileNonApre) {
  plat::ImpostaLettoreAccess("/nessuna/cartella/lettore_access");
  EXPECT_THROW(Database::Apri(CartellaAccess() + "/nwind.mdb", ""), ErroreDatabase);
  plat::ImpostaLettoreAccess(LETTORE_ACCESS);
  EXPECT_NO_THROW(Database::Apri(CartellaAccess() + "/nwind.mdb", ""));
}

namespace {

// Writes dati as the file nome of dir; its path.
std::string FileDi(const QTemporaryDir& dir, const char* nome, const QByteArray& dati) {
  QFile f(dir.filePath(nome));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(dati);
  return dir.filePath(nome).toStdString();
}

// The text of the ErroreDatabase that f throws, or "" when it throws none.
template <typename F>
std::string Errore(F f) {
  try {
    f();
  } catch (const ErroreDatabase& e) {
    return e.what();
  }
  return "";
}

}  // namespace

// The DateTest sample: its catalogue's rows lie on page 17, the rows of its
// table DateTest on page 20 (pages of 4096 bytes; a data page lists the
// places of its rows from byte 14, two bytes each).
constexpr qsizetype kPaginaAccess = 4096;
constexpr qsizetype kPaginaCatalogo = 17 * kPaginaAccess;
constexpr qsizetype kPaginaDateTest = 20 * kPaginaAccess;

// The bit of each row's null mask that says the row holds a value of its
// catalogue column Name (0x04) or Type (0x08); the mask is the row's last
// byte but two, each row ending where the one listed before it starts.
void TogliNomeETipo(QByteArray& dati, int quali_righe, char bit) {
  qsizetype fine = kPaginaAccess;
  for (int r = 0; r < 25; ++r) {
    if (r < quali_righe)
      dati[kPaginaCatalogo + fine - 3] = static_cast<char>(dati[kPaginaCatalogo + fine - 3] ^ bit);
    const auto* posto =
        reinterpret_cast<const unsigned char*>(dati.constData() + kPaginaCatalogo + 14 + 2 * r);
    fine = posto[0] | (posto[1] << 8);
  }
}

// A data page lists after its row count the places of its rows, two bytes
// each: where the row starts, and the flags 0x8000 (deleted) and 0x4000
// (moved); a table's definition page declares its row count.  In
// DateTestDatabase.mdb the table DateTest is defined on page 18, its six
// rows on page 20; in nwind.mdb the catalogue is defined on page 2, the
// table Products on page 567, its rows on pages 569 to 571.
struct Formato {
  qsizetype pagina, righe, dichiarate;  // page size, offsets of the two counts
  qsizetype Posto(qsizetype p, int r) const { return p * pagina + righe + 2 + 2 * r; }
};
constexpr Formato kJet3{2048, 8, 12}, kJet4{4096, 12, 16};

quint16 Leggi16(const QByteArray& d, qsizetype i) { return qFromLittleEndian<quint16>(d.constData() + i); }
template <typename T>
void Scrivi(QByteArray& d, qsizetype i, T v) {
  qToLittleEndian<T>(v, d.data() + i);
}

void Segna(QByteArray& d, const Formato& f, qsizetype p, int r, int flag) {
  Scrivi<quint16>(d, f.Posto(p, r), Leggi16(d, f.Posto(p, r)) | flag);
}
void Dichiara(QByteArray& d, const Formato& f, qsizetype definizione, int di_piu) {
  const qsizetype i = definizione * f.pagina + f.dichiarate;
  Scrivi<quint32>(d, i, qFromLittleEndian<quint32>(d.constData() + i) + di_piu);
}
// Points the moved place r of page p at row `riga` of page `a`: in the
// first four bytes of its row, the row number, then the page.
void Punta(QByteArray& d, const Formato& f, qsizetype p, int r, quint32 a, int riga) {
  Scrivi<quint32>(d, p * f.pagina + (Leggi16(d, f.Posto(p, r)) & 0x1fff), a << 8 | riga);
}
// Moves row r of page `da` to page `a` as Access moves a row edited past
// its room: its data to a new place below the lowest row of `a`, flagged
// 0x8000, its own place flagged 0x4000 and pointing there.
void Sposta(QByteArray& d, const Formato& f, qsizetype da, int r, qsizetype a) {
  const int inizio = Leggi16(d, f.Posto(da, r)) & 0x1fff;
  const QByteArray riga =
      d.mid(da * f.pagina + inizio, (r ? Leggi16(d, f.Posto(da, r - 1)) & 0x1fff : f.pagina) - inizio);
  const int n = Leggi16(d, a * f.pagina + f.righe);
  int sotto = static_cast<int>(f.pagina);
  for (int k = 0; k < n; ++k) sotto = std::min(sotto, Leggi16(d, f.Posto(a, k)) & 0x1fff);
  const int nuovo = sotto - static_cast<int>(riga.size());
  d.replace(a * f.pagina + nuovo, riga.size(), riga);
  Scrivi<quint16>(d, f.Posto(a, n), nuovo | 0x8000);
  Scrivi<quint16>(d, a * f.pagina + f.righe, n + 1);
  Segna(d, f, da, r, 0x4000);
  Punta(d, f, da, r, a, n);
}

// Flips bits of the entry of column k in the definition of nwind.mdb's
// catalogue (page 2): after 43 bytes and 8 for each of its two indexes, 18
// bytes a column, in the order Id, ParentId, Name, Type, ..., Flags (k 7);
// byte 0 is its type, 1 its number, 3 its number among the columns of
// variable size, 13 its flags (1: of fixed size), 14 where it lies in the
// fixed part of a row.
std::function<void(QByteArray&)> CambiaColonnaDelCatalogo(int k, int byte, int bit) {
  return [=](QByteArray& d) {
    const qsizetype i = 2 * kJet3.pagina + 43 + 2 * 8 + 18 * k + byte;
    d[i] = static_cast<char>(d[i] ^ bit);
  };
}

// Pages cut off or damaged lose catalogue entries or rows without any error
// from libmdb: the file, or the table, is refused, with the file named.
TEST(DatabaseAccessDanneggiato, PerditeSenzaErroreRifiutate) {
  struct Caso {
    const char* cosa;
    const char* campione;
    std::function<void(QByteArray&)> guasta;
    const char* tabella;  // nullptr: the whole file is refused
    const char* motivo;
  };
  const auto taglia = [](qsizetype n) { return [n](QByteArray& d) { d.truncate(n); }; };
  // Row 2 of DateTest (and row 3) moved to the end of its page, then
  // pointing at row `riga` of page `pagina`.
  const auto punta = [](quint32 pagina, int riga, bool anche_3 = false) {
    return [=](QByteArray& d) {
      Sposta(d, kJet4, 20, 1, 20);
      if (anche_3) Sposta(d, kJet4, 20, 2, 20);
      Punta(d, kJet4, 20, 1, pagina, riga);
    };
  };
  // Row 2 of DateTest moved to a copy of its page laid at the file's end,
  // a page its table does not list, then byte `dove` of that page set:
  // byte 0 is the kind of page (1: data), byte 4 its table's definition
  // page.
  const auto altrove = [](qsizetype dove, char valore) {
    return [=](QByteArray& d) {
      const qsizetype n = d.size() / kJet4.pagina;
      d.append(d.mid(kPaginaDateTest, kJet4.pagina));
      Sposta(d, kJet4, 20, 1, n);
      d[n * kJet4.pagina + dove] = valore;
    };
  };
  const char* const riga_2 = "(table DateTest): row 2 cannot be read";
  const Caso casi[] = {
      // Rows of its catalogue were moved to page 713, past the cut.
      {"cut after page 707", "nwind.mdb", taglia(1449984), nullptr, "row 48 of its catalogue cannot be read"},
      {"no table listed at all", "DateTestDatabase.mdb", taglia(65536), nullptr, "0 of the 25 objects"},
      {"the table lists no row of its 6", "DateTestDatabase.mdb", taglia(77824), "DateTest",
       "(table DateTest): only 0 of its 6 rows can be read"},
      {"the catalogue page cut, read as blank rows", "DateTestDatabase.mdb", taglia(70000), nullptr,
       "its length, 70000 bytes, is not a whole number of its pages of 4096 bytes"},
      {"the catalogue page cut and filled up to whole pages", "DateTestDatabase.mdb",
       [](QByteArray& d) {
         d.replace(70000, kPaginaCatalogo + kPaginaAccess - 70000, QByteArray(3728, '\0'));
       },
       nullptr, "row 1 of its catalogue has no name"},
      {"50 bits flipped: no row of the catalogue names its object or type", "DateTestDatabase.mdb",
       [](QByteArray& d) { TogliNomeETipo(d, 25, 0x0c); }, nullptr, "row 1 of its catalogue has no name"},
      {"the objects of the catalogue's first 17 rows without a type", "DateTestDatabase.mdb",
       [](QByteArray& d) { TogliNomeETipo(d, 17, 0x08); }, nullptr, "row 1 of its catalogue has no type"},
      // A damaged definition of the catalogue, the name of every object
      // still there in bytes: read as it stands, no table, or objects of
      // other kinds or system tables listed as tables, names empty or
      // garbled.
      {"its column Name of an unknown type: every name empty", "nwind.mdb", CambiaColonnaDelCatalogo(2, 0, 4),
       nullptr, "in its catalogue, column 3 is of an unknown type (14)"},
      {"its column Name read from another column", "nwind.mdb", CambiaColonnaDelCatalogo(2, 3, 1), nullptr,
       "the name in row 1 of its catalogue holds control characters"},
      {"its column Type of the type yes/no: forms listed as tables", "nwind.mdb",
       CambiaColonnaDelCatalogo(3, 0, 2), nullptr,
       "the column Type of its catalogue is not an integer column"},
      {"its column Type kept as of variable size: no table", "nwind.mdb", CambiaColonnaDelCatalogo(3, 13, 1),
       nullptr, "in its catalogue, column 4 is of a fixed size, kept as variable"},
      {"its column Type over other columns: no table", "nwind.mdb", CambiaColonnaDelCatalogo(3, 14, 1),
       nullptr, "in its catalogue, two fixed columns overlap"},
      {"its column Flags numbered as another: system tables listed", "nwind.mdb",
       CambiaColonnaDelCatalogo(7, 1, 8), nullptr, "in its catalogue, two columns are numbered 15"},
      {"its column Flags a byte off: system tables listed", "nwind.mdb", CambiaColonnaDelCatalogo(7, 14, 1),
       nullptr, "its catalogue does not list itself as a system table"},
      {"its last column numbered as the count of its 17 columns", "nwind.mdb",
       CambiaColonnaDelCatalogo(16, 1, 1), nullptr, "in its catalogue, a column is numbered 17, of 17"},
      {"the name of DateTest in its catalogue decoding empty", "DateTestDatabase.mdb",
       [](QByteArray& d) {
         const QByteArray nome("D\0a\0t\0e\0T\0e\0s\0t\0", 16);  // UTF-16
         d.replace(d.indexOf(nome, kPaginaCatalogo), nome.size(), "\xff\xfe" + QByteArray(14, '\0'));
       },
       nullptr, "the name in row 17 of its catalogue is empty"},
      // A row the reader cannot split is damage, never a row skipped (and
      // the row after it, whose end is where that one starts).
      {"a row of DateTest placed outside its page", "DateTestDatabase.mdb",
       [](QByteArray& d) { d.replace(kPaginaDateTest + 14 + 2 * 2, 2, QByteArray("\xf0\x1f", 2)); },
       "DateTest", "(table DateTest): row 3 cannot be read"},
      {"a row of DateTest placed outside its page, the table declaring 5 rows", "DateTestDatabase.mdb",
       [](QByteArray& d) {
         d.replace(kPaginaDateTest + 14 + 2 * 2, 2, QByteArray("\xf0\x1f", 2));
         Dichiara(d, kJet4, 18, -1);
       },
       "DateTest", "(table DateTest): row 3 cannot be read"},
      // A deleted row is no row of the table, and counts as none.
      {"a row of DateTest deleted, the table still declaring 6", "DateTestDatabase.mdb",
       [](QByteArray& d) { Segna(d, kJet4, 20, 0, 0xC000); }, "DateTest",
       "(table DateTest): only 5 of its 6 rows can be read"},
      // The place of a moved row must lead to the data of a moved row, on a
      // data page of its table, that no other place leads to.
      {"row 2 of DateTest moved, pointing past the file's end", "DateTestDatabase.mdb", punta(0xFFFFFF, 0),
       "DateTest", riga_2},
      {"row 2 of DateTest moved, pointing into its catalogue", "DateTestDatabase.mdb", punta(17, 0),
       "DateTest", riga_2},
      {"row 2 of DateTest moved, pointing at its definition page", "DateTestDatabase.mdb", punta(18, 0),
       "DateTest", riga_2},
      {"row 2 of DateTest moved, pointing past the 7 rows of its page", "DateTestDatabase.mdb", punta(20, 7),
       "DateTest", riga_2},
      {"row 2 of DateTest moved, pointing at a live row", "DateTestDatabase.mdb", punta(20, 3), "DateTest",
       riga_2},
      // Each with one fault alone.
      {"row 2 of DateTest moved to a page of its catalogue's rows", "DateTestDatabase.mdb", altrove(4, 2),
       "DateTest", riga_2},
      {"row 2 of DateTest moved to a page that is no data page", "DateTestDatabase.mdb", altrove(0, 2),
       "DateTest", riga_2},
      {"row 2 of DateTest moved to the place its page's row count ends before", "DateTestDatabase.mdb",
       [](QByteArray& d) {
         Sposta(d, kJet4, 20, 1, 20);
         Scrivi<quint16>(d, kPaginaDateTest + kJet4.righe, 6);
       },
       "DateTest", riga_2},
      {"rows 2 and 3 of DateTest moved, 2 pointing at the place of 3", "DateTestDatabase.mdb",
       punta(20, 2, true), "DateTest", riga_2},
      {"rows 2 and 3 of DateTest moved, 3 pointing where 2 lies", "DateTestDatabase.mdb",
       [&](QByteArray& d) {
         punta(20, 6, true)(d);
         Punta(d, kJet4, 20, 2, 20, 6);
       },
       "DateTest", "(table DateTest): row 3 cannot be read"},
  };
  CartellaTemporanea tmp;
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.campione) + ": " + c.cosa);
    QByteArray dati = Contenuto(CartellaAccess() + "/" + c.campione);
    ASSERT_FALSE(dati.isEmpty());
    c.guasta(dati);
    QTemporaryDir dir;
    const std::string file = FileDi(dir, "guasto.mdb", dati);
    std::unique_ptr<Database> db;
    std::string errore = Errore([&] { db = Database::Apri(file, ""); });
    if (c.tabella) {
      ASSERT_EQ(errore, "");
      errore = Errore([&] { db->OpenRecordset(std::string("select * from ") + c.tabella); });
    }
    EXPECT_NE(errore.find(file), std::string::npos) << errore;
    EXPECT_NE(errore.find("damaged"), std::string::npos) << errore;
    EXPECT_NE(errore.find(c.motivo), std::string::npos) << errore;
  }
  EXPECT_EQ(tmp.Resti(), QStringList());
}

// Rows flagged and moved as Access flags and moves them come as Access
// gives them: a deleted row is gone, a moved row comes in its own place
// (not where its data now lies), a moved row later deleted is gone; the
// catalogue's own rows likewise.
TEST(DatabaseAccessRighe, SpostateECancellateComeLeDaAccess) {
  const auto sposta = [](const Formato& f, qsizetype da, int r, qsizetype a) {
    return [=](QByteArray& d) { Sposta(d, f, da, r, a); };
  };
  const auto cancella = [](const Formato& f, qsizetype p, int r, qsizetype definizione, bool spostata) {
    return [=](QByteArray& d) {
      if (spostata) Sposta(d, f, p, r, p);
      Segna(d, f, p, r, 0xC000);
      Dichiara(d, f, definizione, -1);
    };
  };
  const std::vector<std::string> come_il_campione, senza_2 = {"1", "3", "4", "5", "6"};
  const struct {
    const char* cosa;
    const char* campione;
    std::function<void(QByteArray&)> cambia;
    const char* tabella;  // nullptr: which tables of nwind.mdb the file lists
    const char* colonna;
    std::vector<std::string> attese;
  } casi[] = {
      {"row 2 of DateTest moved later in its page", "DateTestDatabase.mdb", sposta(kJet4, 20, 1, 20),
       "DateTest", "IDCol", come_il_campione},
      {"the first row of Products moved to its last page", "nwind.mdb", sposta(kJet3, 569, 0, 571),
       "Products", "ProductID", come_il_campione},
      {"row 2 of DateTest deleted", "DateTestDatabase.mdb", cancella(kJet4, 20, 1, 18, false), "DateTest",
       "IDCol", senza_2},
      {"row 2 of DateTest moved, then deleted", "DateTestDatabase.mdb", cancella(kJet4, 20, 1, 18, true),
       "DateTest", "IDCol", senza_2},
      // As libmdb reads it, a catalogue left declaring no row.
      {"the catalogue declaring no row", "DateTestDatabase.mdb",
       [](QByteArray& d) { Dichiara(d, kJet4, 2, -25); }, "DateTest", "IDCol", come_il_campione},
      // Place 1 of page 22 holds the catalogue row of Categories, moved.
      {"the catalogue row of Categories, moved, then deleted", "nwind.mdb", cancella(kJet3, 22, 1, 2, false),
       nullptr, nullptr,
       std::vector<std::string>{"Order Details", "Orders", "Products", "Shippers", "Customers", "Employees",
                                "Suppliers", "Umsätze"}},
  };
  QTemporaryDir dir;
  CartellaTemporanea tmp;
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.campione) + ": " + c.cosa);
    const auto leggi = [&](const std::string& file) {
      std::vector<std::string> v;
      const auto db = Database::Apri(file, "");
      for (const std::string& t : kTabelleNwind)
        if (!c.tabella && db->EsisteTabella(t)) v.push_back(t);
      if (!c.tabella) return v;
      for (auto rs = db->OpenRecordset(std::string("select * from ") + c.tabella); !rs->Eof(); rs->MoveNext())
        v.push_back(rs->Campo(c.colonna).ComeTesto());
      return v;
    };
    QByteArray dati = Contenuto(CartellaAccess() + "/" + c.campione);
    const std::vector<std::string> attese =
        c.attese.empty() ? leggi(CartellaAccess() + "/" + c.campione) : c.attese;
    c.cambia(dati);
    std::vector<std::string> lette;
    EXPECT_EQ(Errore([&] { lette = leggi(FileDi(dir, "righe.mdb", dati)); }), "");
    EXPECT_EQ(lette, attese);
  }
  EXPECT_EQ(tmp.Resti(), QStringList());
}

// Cut anywhere inside the catalogue's page, the file is refused.
TEST(DatabaseAccessDanneggiato, TagliNellaPaginaDelCatalogo) {
  const QByteArray dati = Contenuto(CartellaAccess() + "/DateTestDatabase.mdb");
  std::vector<qsizetype> tagli = {kPaginaCatalogo + 1, 69760, 72447, kPaginaCatalogo + kPaginaAccess - 1};
  for (qsizetype t = kPaginaCatalogo + 61; t < kPaginaCatalogo + kPaginaAccess; t += 61) tagli.push_back(t);
  QTemporaryDir dir;
  CartellaTemporanea tmp;
  for (const qsizetype taglio : tagli) {
    SCOPED_TRACE(taglio);
    const std::string file = FileDi(dir, "taglio.mdb", dati.left(taglio));
    EXPECT_EQ(Errore([&] { Database::Apri(file, ""); }),
              "The Access database " + file + " is damaged: its length, " + std::to_string(taglio) +
                  " bytes, is not a whole number of its pages of 4096 bytes");
  }
  EXPECT_EQ(tmp.Resti(), QStringList());
}

// A reader that makes no progress for a while (a slow disk, a network share
// waking up) is waited for up to the stall limit, a minute by default.
TEST(DatabaseAccessDanneggiato, LettoreFermoPerUnPo) {
  EXPECT_GE(plat::kAttesaLettoreAccessMs, 60000);
  QTemporaryDir dir;
  const QString lento = dir.filePath("lettore_lento");
  {
    QFile f(lento);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nsleep 1.5\nexec '" LETTORE_ACCESS "' \"$@\"\n");
    f.setPermissions(f.permissions() | QFile::ExeOwner);
  }
  plat::ImpostaLettoreAccess(lento.toStdString());
  const struct {
    int attesa_ms;
    bool apre;
  } casi[] = {{plat::kAttesaLettoreAccessMs, true}, {500, false}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.attesa_ms);
    plat::ImpostaAttesaLettoreAccess(c.attesa_ms);
    const std::string errore = Errore([] { Database::Apri(CartellaAccess() + "/DateTestDatabase.mdb", ""); });
    EXPECT_EQ(errore.empty(), c.apre) << errore;
  }
  plat::ImpostaAttesaLettoreAccess(plat::kAttesaLettoreAccessMs);
  plat::ImpostaLettoreAccess(LETTORE_ACCESS);
}

namespace {

// A folder of the user's with files in it, where planted links lead.
class CartellaDellUtente {
 public:
  CartellaDellUtente() {
    EXPECT_TRUE(QDir().mkpath(dir_.filePath("sotto")));
    for (const char* nome : {"lettera.txt", "sotto/conti.txt"}) {
      QFile f(dir_.filePath(nome));
      EXPECT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(nome);
    }
  }
  QString Percorso() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

// Everything at and under a path, seen without following a link: each
// entry's name, kind, mode and owner, a link's target, a file's content.
QStringList Fotografia(const QString& radice) {
  QStringList v;
  const auto voce = [&](const QString& percorso) {
    struct stat st;
    if (::lstat(QFile::encodeName(percorso).constData(), &st) != 0) return;
    QString riga = QDir(radice).relativeFilePath(percorso) +
                   QStringLiteral(" %1 %2").arg(st.st_mode, 0, 8).arg(st.st_uid);
    if (S_ISLNK(st.st_mode)) riga += " -> " + QFile::symLinkTarget(percorso);
    QFile f(percorso);
    if (S_ISREG(st.st_mode) && f.open(QIODevice::ReadOnly)) riga += ": " + QString::fromUtf8(f.readAll());
    v << riga;
  };
  voce(radice);
  QDirIterator it(radice, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) voce(it.next());
  v.sort();
  return v;
}

// The id of a process that has ended.
qint64 ProcessoFinito() {
  QProcess p;
  p.start(QStringLiteral("true"), {});
  EXPECT_TRUE(p.waitForStarted());
  const qint64 pid = p.processId();
  EXPECT_TRUE(p.waitForFinished());
  return pid;
}

// An executable shell script of the test's.
void Copione(const QString& percorso, const QByteArray& testo) {
  QFile f(percorso);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("#!/bin/sh\n" + testo + "\n");
  f.setPermissions(f.permissions() | QFile::ExeOwner);
}

}  // namespace

// The program makes nothing in the temporary folder, and nothing there
// matters: whatever another user, or an earlier version of the program, put
// there under the name of the folder it once used, a temporary folder that
// is missing or no folder at all, or one swapped for a link while the
// reader runs, the Access file opens with all its rows, and nothing there,
// nor where a link leads, changes.
TEST(DatabaseAccessDanneggiato, CartellaTemporaneaSenzaNulla) {
  const CartellaDellUtente utente;
  const QStringList dell_utente = Fotografia(utente.Percorso());
  const QString nome = QStringLiteral("Mistrel2013-utente-%1").arg(::geteuid());
  const QString morto = QStringLiteral("Mistrel2013-%1-").arg(ProcessoFinito());
  const auto cartella = [](const QString& p, int modo) {
    const QByteArray l = QFile::encodeName(p);
    return ::mkdir(l.constData(), 0700) == 0 && ::chmod(l.constData(), static_cast<mode_t>(modo)) == 0;
  };
  const auto file = [](const QString& p) { return QFile(p).open(QIODevice::WriteOnly); };
  // Folders of a killed reader, with what it wrote and a link to the
  // user's folder in them.
  const auto resto = [&](const QString& p) {
    return QDir().mkpath(p + "/dentro") && file(p + "/dentro/access.sqlite") &&
           QFile::link(utente.Percorso(), p + "/dentro/utente");
  };
  // Readers that, while the real one runs, play another user: they rename
  // the folder of old away for a folder of links to the user's folder,
  // named as the folders it held, or the temporary folder itself for a link
  // to the user's folder; what they changed is put back when it ends.
  QTemporaryDir copioni;
  const auto scambio = [&](const char* nome_copione, const QByteArray& scambia, const QByteArray& rimetti) {
    const QString percorso = copioni.filePath(nome_copione);
    Copione(percorso, "p=\"$TMPDIR/" + QFile::encodeName(nome) + "\"; u='" +
                          QFile::encodeName(utente.Percorso()) + "'\n" + scambia +
                          "\n'" LETTORE_ACCESS "' \"$@\"; esito=$?\n" + rimetti + "\nexit $esito");
    return percorso;
  };
  const QString scambia_cartella = scambio("scambia_cartella",
                                           "mv \"$p\" \"$p.via\"; mkdir -m 700 \"$p\"; for d in "
                                           "\"$p.via\"/*; do ln -s \"$u\" \"$p/${d##*/}\"; done",
                                           "rm -r \"$p\"; mv \"$p.via\" \"$p\"");
  const QString scambia_tmp =
      scambio("scambia_tmp", "mv \"$TMPDIR\" \"$TMPDIR.via\"; ln -s \"$u\" \"$TMPDIR\"",
              "rm \"$TMPDIR\"; mv \"$TMPDIR.via\" \"$TMPDIR\"");
  const struct {
    const char* cosa;
    bool altro_utente;  // needs root, to give an entry away
    std::function<bool(const QString& tmp)> prepara;
    QString dove = {};  // the temporary folder, under tmp; tmp itself when empty
    QString lettore = QStringLiteral(LETTORE_ACCESS);
  } casi[] = {
      {"nothing there", false, [](const QString&) { return true; }},
      {"a link to a folder of the user's", false,
       [&](const QString& t) { return QFile::link(utente.Percorso(), t + "/" + nome); }},
      {"a file", false, [&](const QString& t) { return file(t + "/" + nome); }},
      {"a FIFO", false,
       [&](const QString& t) { return ::mkfifo(QFile::encodeName(t + "/" + nome).constData(), 0600) == 0; }},
      {"another user's folder", true,
       [&](const QString& t) {
         return cartella(t + "/" + nome, 0700) &&
                ::chown(QFile::encodeName(t + "/" + nome).constData(), 65534, 65534) == 0;
       }},
      {"the user's own folder, open to everybody", false,
       [&](const QString& t) { return cartella(t + "/" + nome, 0777); }},
      {"a killed program's leftovers, links named like them, a running program's folder", false,
       [&](const QString& t) {
         const QString p = t + "/" + nome + "/";
         return cartella(t + "/" + nome, 0700) && resto(p + morto + "a1B2c3") &&
                resto(t + "/" + morto + "x4Y5z6") && QFile::link(utente.Percorso(), p + morto + "r8S9t0") &&
                resto(p + QStringLiteral("Mistrel2013-%1-d4E5f6").arg(QCoreApplication::applicationPid()));
       }},
      {"another user's leftovers", true,
       [&](const QString& t) {
         const QString p = t + "/" + nome + "/" + morto + "u1V2w3";
         return cartella(t + "/" + nome, 0700) && resto(p) &&
                ::chown(QFile::encodeName(p).constData(), 65534, 65534) == 0;
       }},
      {"a temporary folder that does not exist", false, [](const QString&) { return true; }, "manca/tmp"},
      {"a temporary folder that is a file", false, [&](const QString& t) { return file(t + "/file"); },
       "file"},
      {"the folder of old renamed away while the reader runs",
       false,
       [&](const QString& t) {
         return cartella(t + "/" + nome, 0700) && resto(t + "/" + nome + "/" + morto + "a1B2c3");
       },
       {},
       scambia_cartella},
      {"the temporary folder swapped for a link while the reader runs", false,
       [](const QString& t) { return QDir().mkdir(t + "/tmp"); }, "tmp", scambia_tmp},
  };
  const QString alla_radice = "/" + nome;
  ASSERT_FALSE(QFileInfo::exists(alla_radice));
  QStringList saltati;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cosa);
    if (c.altro_utente && ::geteuid() != 0) {
      saltati << c.cosa;
      continue;
    }
    CartellaTemporanea tmp;
    if (!c.dove.isEmpty()) tmp.Punta(tmp.File(c.dove));
    ASSERT_TRUE(c.prepara(tmp.Percorso()));
    const QStringList prima = Fotografia(tmp.Percorso());
    plat::ImpostaLettoreAccess(c.lettore.toStdString());
    std::vector<double> righe;
    const std::string errore = Errore([&] {
      auto rs = Database::Apri(CartellaAccess() + "/DateTestDatabase.mdb", "")
                    ->OpenRecordset("select * from DateTest");
      for (; !rs->Eof(); rs->MoveNext()) righe.push_back(rs->Campo("IDCol").ComeNumero());
    });
    plat::ImpostaLettoreAccess(LETTORE_ACCESS);
    EXPECT_EQ(errore, "");
    EXPECT_EQ(righe, (std::vector<double>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Fotografia(tmp.Percorso()), prima);
    EXPECT_EQ(Fotografia(utente.Percorso()), dell_utente);
    EXPECT_FALSE(QFileInfo::exists(alla_radice));
  }
  if (!saltati.isEmpty())
    GTEST_SKIP() << "not run as root, so nothing can be given to another user: rows not run: "
                 << saltati.join(", ").toStdString();
}

// The reader hands over its database after its progress, announcing its
// size; one that would take more than the bytes it is allowed is refused,
// the file named.
TEST(DatabaseAccessDanneggiato, MassimoDelLettore) {
  const struct {
    const char* file;
    const char* massimo;
    int uscita;
  } casi[] = {{"nwind.mdb", "100000", 1}, {"DateTestDatabase.mdb", "100000000", 0}};
  QTemporaryDir dir;
  for (const auto& c : casi) {
    SCOPED_TRACE(c.file);
    const QString file = QString::fromStdString(CartellaAccess()) + "/" + c.file;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(LETTORE_ACCESS), {file, c.massimo});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(p.exitCode(), c.uscita);
    const QByteArray uscita = p.readAllStandardOutput();
    const auto a_capo = uscita.indexOf('\n');
    ASSERT_GT(a_capo, 0);
    EXPECT_EQ(uscita.left(a_capo), QByteArray(a_capo, '.'));
    const QByteArray resto = uscita.mid(a_capo + 1);
    if (c.uscita != 0) {
      EXPECT_EQ(resto, "Cannot read the Access database " + file.toUtf8() +
                           ": the file looks damaged (its tables take more than 100000 bytes)");
      continue;
    }
    const auto fine_riga = resto.indexOf('\n');
    ASSERT_GT(fine_riga, 0);
    const QByteArray dati = resto.mid(fine_riga + 1);
    EXPECT_EQ(resto.left(fine_riga), "SQLite " + QByteArray::number(dati.size()));
    EXPECT_TRUE(dati.startsWith(QByteArray("SQLite format 3\0", 16)));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
}

// The reader runs under limits: a reader that maps more memory than a page
// reader needs, writes any file, or hands over more than 16 times the file
// and 64 MB is stopped and the file refused; a handover that is short,
// long or no database is refused; a reader's own refusal reaches the user
// as it wrote it, after its progress line.
TEST(DatabaseAccessDanneggiato, LimitiELRifiutoDelLettore) {
  const std::string file = CartellaAccess() + "/DateTestDatabase.mdb";
  const std::string su = "Cannot read the Access database " + file + ": ";
  const std::string troppo = su + "the file looks damaged (the Access reader hands over more than " +
                             std::to_string(274432 * 16 + (64 << 20)) + " bytes)";
  QTemporaryDir dir;
  const struct {
    const char* cosa;
    QByteArray copione;  // the reader, a shell script
    std::string errore;
  } casi[] = {
      {"more than 256 MB of memory",
       "exec awk 'BEGIN { s = \"x\"; for (i = 0; i < 29; i++) s = s s; print length(s) }'",
       su + "the Access reader failed"},
      {"a file written", "exec head -c 10 /dev/zero > '" + QFile::encodeName(dir.filePath("scritto")) + "'",
       su + "the file looks damaged (reading it failed)"},
      {"a database announced past 16 times the file and 64 MB",
       "printf '.\\nSQLite %s\\n' $(($2 + 1)); exec sleep 60", troppo},
      {"an output past it, announcing nothing", "exec head -c 200000000 /dev/zero", troppo},
      {"its own refusal", "printf '...\\nThe catalogue is damaged: page 2'; exit 1",
       "The catalogue is damaged: page 2"},
      {"an end without output", "exit 0", su + "the Access reader ended without writing what it read"},
      {"a handover shorter than announced", "printf '..\\nSQLite 100\\n0123456789'",
       su + "the Access reader ended without writing what it read"},
      {"a handover longer than announced", "printf '.\\nSQLite 4\\n0123456789'",
       su + "what the Access reader wrote cannot be read"},
      {"a handover longer than announced, in pieces each within it",
       "printf '.\\nSQLite 8\\n012345'; sleep 0.2; printf '6789ab'; sleep 0.2; printf 'cdefgh'",
       su + "what the Access reader wrote cannot be read"},
      {"a size with a sign", "printf '.\\nSQLite +8\\nnothing!'",
       su + "the Access reader ended without writing what it read"},
      {"a size with a leading zero", "printf '.\\nSQLite 08\\nnothing!'",
       su + "the Access reader ended without writing what it read"},
      {"a size after two blanks", "printf '.\\nSQLite  8\\nnothing!'",
       su + "the Access reader ended without writing what it read"},
      {"a handover that is no database", "printf '.\\nSQLite 8\\nnothing!'",
       su + "what the Access reader wrote cannot be read"},
  };
  const QString finto = dir.filePath("lettore_finto");
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cosa);
    Copione(finto, c.copione);
    plat::ImpostaLettoreAccess(finto.toStdString());
    EXPECT_EQ(Errore([&] { Database::Apri(file, ""); }), c.errore);
  }
  plat::ImpostaLettoreAccess(LETTORE_ACCESS);
  EXPECT_EQ(Contenuto(dir.filePath("scritto").toStdString()), QByteArray());
}
