#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>

#include "platform/recordset.h"

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

// The reader puts its SQLite file in the temporary folder: pointed at a
// folder of the test's own, which must be empty again afterwards.
class CartellaTemporanea {
 public:
  CartellaTemporanea() : prima_(qgetenv("TMPDIR")) { qputenv("TMPDIR", dir_.path().toUtf8()); }
  ~CartellaTemporanea() {
    if (prima_.isNull())
      qunsetenv("TMPDIR");
    else
      qputenv("TMPDIR", prima_);
  }
  QStringList Resti() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }
  QString File(const QString& nome) const { return dir_.filePath(nome); }

 private:
  QTemporaryDir dir_;
  QByteArray prima_;
};

}  // namespace

// Damaged Access files: libmdb crashes, or eats memory without end, on some;
// the database then cannot be opened, with the file named, and nothing is
// left in the temporary folder.
TEST(DatabaseAccessDanneggiato, CrashEMemoriaSenzaFineNonAprono) {
  const QByteArray nwind = Contenuto(CartellaAccess() + "/nwind.mdb");
  ASSERT_EQ(nwind.size(), 3002368);
  struct Caso {
    const char* nome;
    QByteArray dati;
  };
  const Caso casi[] = {
      {"fuzzed-crash.mdb", Contenuto(CartellaAccess() + "/damaged/fuzzed-crash.mdb")},
      {"nwind-1724416.mdb", nwind.left(1724416)},
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
    EXPECT_FALSE(ApriEScorri(percorso, kTabelleNwind));
  }
  EXPECT_EQ(tmp.Resti(), QStringList());
}

// Both samples cut at points spread over the file, on and off page
// boundaries: each opens, or is refused, in a few seconds at most.
TEST(DatabaseAccessDanneggiato, TroncamentiDeiDueCampioni) {
  struct Campione {
    const char* nome;
    std::vector<std::string> tabelle;
  };
  const Campione campioni[] = {{"nwind.mdb", kTabelleNwind}, {"DateTestDatabase.mdb", {"DateTest"}}};
  CartellaTemporanea tmp;
  int aperti = 0, rifiutati = 0;
  for (const Campione& c : campioni) {
    const QByteArray dati = Contenuto(CartellaAccess() + "/" + c.nome);
    ASSERT_FALSE(dati.isEmpty());
    for (int parte = 0; parte < 24; ++parte) {
      const qsizetype taglio = dati.size() * parte / 24 + (parte % 2 ? 1000 : 0);
      SCOPED_TRACE(std::string(c.nome) + " cut to " + std::to_string(taglio));
      const QString file = tmp.File("taglio.mdb");
      QFile f(file);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(dati.left(taglio));
      f.close();
      (ApriEScorri(file.toStdString(), c.tabelle) ? aperti : rifiutati)++;
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

// Pages cut off lose catalogue entries or rows without any error from
// libmdb: what was read is compared with what the file declares.
TEST(DatabaseAccessDanneggiato, PerditeSenzaErroreRifiutate) {
  struct Caso {
    const char* campione;
    qsizetype taglio;
    const char* tabella;  // nullptr: the whole file is refused
  };
  const Caso casi[] = {
      {"nwind.mdb", 1449984, nullptr},              // 4 of its 9 tables still listed
      {"DateTestDatabase.mdb", 65536, nullptr},     // no table listed at all
      {"DateTestDatabase.mdb", 77824, "DateTest"},  // the table lists no row of its 6
  };
  CartellaTemporanea tmp;
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.campione) + " cut to " + std::to_string(c.taglio));
    QTemporaryDir dir;
    const std::string file =
        FileDi(dir, "taglio.mdb", Contenuto(CartellaAccess() + "/" + c.campione).left(c.taglio));
    std::unique_ptr<Database> db;
    std::string errore = Errore([&] { db = Database::Apri(file, ""); });
    if (c.tabella) {
      ASSERT_EQ(errore, "");
      errore = Errore([&] { db->OpenRecordset(std::string("select * from ") + c.tabella); });
    }
    EXPECT_NE(errore.find(file), std::string::npos) << errore;
    EXPECT_NE(errore.find("damaged"), std::string::npos) << errore;
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

// The folders of a program killed while its reader ran go at the next open;
// those of running programs, and folders not named by a process, stay.
TEST(DatabaseAccessDanneggiato, CartelleDiProgrammiMortiSpazzate) {
  QProcess morto;
  morto.start(QStringLiteral("true"), {});
  ASSERT_TRUE(morto.waitForStarted());
  const qint64 pid_morto = morto.processId();
  ASSERT_TRUE(morto.waitForFinished());
  CartellaTemporanea tmp;
  const QString nomi[] = {QStringLiteral("Mistrel2013-%1-a1B2c3").arg(pid_morto),
                          QStringLiteral("Mistrel2013-%1-d4E5f6").arg(QCoreApplication::applicationPid()),
                          "Mistrel2013-1-g7H8i9", "Mistrel2013-j0K1l2", "Altro-123-m3N4o5"};
  for (const QString& n : nomi) {
    ASSERT_TRUE(QDir().mkpath(tmp.File(n + "/dentro")));
    QFile f(tmp.File(n + "/dentro/access.sqlite"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  ASSERT_NE(Database::Apri(CartellaAccess() + "/DateTestDatabase.mdb", ""), nullptr);
  QStringList restano(std::begin(nomi) + 1, std::end(nomi));
  restano.sort();
  EXPECT_EQ(tmp.Resti(), restano);
}

// No room left where the reader writes: the message says so.
TEST(DatabaseAccessDanneggiato, CartellaTemporaneaPiena) {
  QTemporaryDir dir;
  ASSERT_TRUE(QFile::link("/dev/full", dir.filePath("access.sqlite")));
  QProcess p;
  p.start(QStringLiteral(LETTORE_ACCESS),
          {QString::fromStdString(CartellaAccess()) + "/nwind.mdb", dir.filePath("access.sqlite")});
  ASSERT_TRUE(p.waitForFinished());
  EXPECT_EQ(p.exitCode(), 1);
  const QString uscita = QString::fromUtf8(p.readAllStandardOutput());
  EXPECT_TRUE(uscita.contains("the temporary folder " + dir.path() + " is full")) << uscita.toStdString();
}

// The reader runs under limits: a reader that maps more memory than a page
// reader needs, or writes a file far larger than the Access file, is
// stopped and the file refused; a reader's own refusal reaches the user as
// it wrote it, after its progress line.
TEST(DatabaseAccessDanneggiato, LimitiELRifiutoDelLettore) {
  const std::string file = CartellaAccess() + "/DateTestDatabase.mdb";
  const std::string su = "Cannot read the Access database " + file + ": ";
  const struct {
    const char* cosa;
    const char* copione;  // the reader, a shell script
    std::string errore;
  } casi[] = {
      {"more than 256 MB of memory",
       "exec awk 'BEGIN { s = \"x\"; for (i = 0; i < 29; i++) s = s s; print length(s) }'",
       su + "the Access reader failed"},
      {"an output past 16 times the file and 64 MB", "exec head -c 200000000 /dev/zero > \"$2\"",
       su + "the file looks damaged (reading it failed)"},
      {"its own refusal", "printf '...\\nThe catalogue is damaged: page 2'; exit 1",
       "The catalogue is damaged: page 2"},
  };
  QTemporaryDir dir;
  const QString finto = dir.filePath("lettore_finto");
  for (const auto& c : casi) {
    SCOPED_TRACE(c.cosa);
    QFile f(finto);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QByteArray("#!/bin/sh\n") + c.copione + "\n");
    f.setPermissions(f.permissions() | QFile::ExeOwner);
    f.close();
    plat::ImpostaLettoreAccess(finto.toStdString());
    EXPECT_EQ(Errore([&] { Database::Apri(file, ""); }), c.errore);
  }
  plat::ImpostaLettoreAccess(LETTORE_ACCESS);
}
