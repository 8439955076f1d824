// The Access (Jet 3, Jet 4 and later) engine of the record-set layer, read
// only.  libmdb never runs in the program: the Access reader, a process of
// its own started with limits on memory and time and no right to write a
// file, turns the file's tables into an SQLite database and hands it over
// through a pipe; it is opened in memory and read here through the SQLite
// engine with Access's query rules.  A reader that crashes, runs out of
// memory, stops getting on or hands over more than a file of that size can
// hold makes the file one that cannot be opened.
//
// Nothing of the conversion lies on a disk, in the temporary folder or
// elsewhere, so nobody can read, swap or block it and nothing is left behind
// by a program that is killed.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <atomic>
#include <cstring>

#include "platform/recordset_interno.h"

namespace plat {
namespace {

std::string& LettoreImpostato() {
  static std::string percorso;
  return percorso;
}

std::string Lettore() {
  if (!LettoreImpostato().empty()) return LettoreImpostato();
  return (QCoreApplication::applicationDirPath() + QStringLiteral("/lettore_access")).toStdString();
}

std::atomic<int> attesa_lettore{kAttesaLettoreAccessMs};

}  // namespace

void ImpostaLettoreAccess(const std::string& percorso) { LettoreImpostato() = percorso; }
void ImpostaAttesaLettoreAccess(int millisecondi) { attesa_lettore = millisecondi; }

namespace interno {
namespace {

// Memory the reader may map beside its database: libmdb reads a page at a
// time, so a reader that needs more is looping.
constexpr rlim_t kMemoriaLettore = 256u << 20;
// The database is never much larger than the Access file: at most this many
// times its size, and this many bytes more.  A reader that hands over more
// is looping, or the file is damaged.
constexpr qint64 kVolteIlFile = 16;
constexpr qint64 kMarginePerIlDatabase = 64 << 20;
// Bytes kept of the reader's reason, or of the line that announces the
// database.
constexpr qsizetype kRigaMassima = 4096;
// Bytes of progress the reader may write: a dot per table and per thousand
// rows.
constexpr qint64 kAvanzamentoMassimo = 1 << 20;
// Longest time the reader may take in all (its stall limit is
// attesa_lettore).
constexpr int kInTuttoS = 120;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLimitaMemoria = false;  // the sanitizer's shadow memory needs the address space
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kLimitaMemoria = false;
#else
constexpr bool kLimitaMemoria = true;
#endif
#else
constexpr bool kLimitaMemoria = true;
#endif

// What the reader writes on its standard output, taken as it comes: a "."
// each time it gets on; then, on a new line, the reason it failed, or
// "SQLite ", the size of the database in bytes and a new line, followed by
// that many bytes of the database.
class Consegna {
 public:
  explicit Consegna(qint64 massimo) : massimo_(massimo) {}

  enum class Esito { Bene, Troppo, Lunga, SenzaMemoria };

  Esito Aggiungi(const QByteArray& pezzo) {
    ricevuti_ += pezzo.size();
    if (ricevuti_ > massimo_ + kAvanzamentoMassimo + kRigaMassima) return Esito::Troppo;
    qsizetype i = 0;
    for (; attesi_ < 0 && i < pezzo.size(); ++i) {
      const char c = pezzo[i];
      qint64 n = 0;
      if (!a_capo_) {
        a_capo_ = c == '\n';
      } else if (c == '\n' && Annuncio(riga_, &n)) {
        if (n > massimo_) return Esito::Troppo;
        dati_ = NuovaMemoriaSqlite(n);
        if (!dati_) return Esito::SenzaMemoria;
        attesi_ = n;
      } else if (riga_.size() < kRigaMassima) {
        riga_ += c;
      }
    }
    const qsizetype resto = pezzo.size() - i;
    if (resto == 0) return Esito::Bene;
    if (resto > attesi_ - scritti_) return Esito::Lunga;
    std::memcpy(dati_.get() + scritti_, pezzo.constData() + i, static_cast<std::size_t>(resto));
    scritti_ += resto;
    return Esito::Bene;
  }

  // Whether the database came whole.
  bool Intera() const { return attesi_ > 0 && scritti_ == attesi_; }
  bool Annunciata() const { return attesi_ >= 0; }
  // What the reader wrote after its progress; empty without a new line.
  std::string Motivo() const { return riga_.toStdString(); }
  bool HaMotivo() const { return a_capo_; }
  qint64 Byte() const { return attesi_; }
  MemoriaSqlite Prendi() { return std::move(dati_); }

 private:
  // "SQLite " and a number of bytes in decimal digits.
  static bool Annuncio(const QByteArray& riga, qint64* n) {
    if (!riga.startsWith("SQLite ")) return false;
    const QByteArray cifre = riga.mid(7);
    bool numero = false;
    *n = cifre.toLongLong(&numero);
    return numero && *n > 0 && cifre == QByteArray::number(*n);
  }

  qint64 massimo_;
  qint64 ricevuti_ = 0;
  bool a_capo_ = false;
  QByteArray riga_;
  qint64 attesi_ = -1;
  qint64 scritti_ = 0;
  MemoriaSqlite dati_;
};

// Runs the reader on the file and opens the database it hands over.
// Throws ErroreDatabase when it does not finish well.
std::unique_ptr<Database> Converti(const std::string& percorso) {
  const std::string su = "Cannot read the Access database " + percorso + ": ";
  const std::string lettore = Lettore();
  if (!QFileInfo(QString::fromStdString(lettore)).isExecutable())
    throw ErroreDatabase(su + "the Access reader " + lettore + " is missing");
  const qint64 dimensione = QFileInfo(QString::fromStdString(percorso)).size();
  const qint64 massimo = dimensione * kVolteIlFile + kMarginePerIlDatabase;
  // The database in memory grows by doubling its block, up to twice the
  // most it may hold: that memory comes beside libmdb's own.
  const auto memoria = kMemoriaLettore + static_cast<rlim_t>(2 * kVolteIlFile * dimensione);

  QProcess p;
  p.setProgram(QString::fromStdString(lettore));
  p.setArguments({QString::fromStdString(percorso), QString::number(massimo)});
  p.setStandardErrorFile(QProcess::nullDevice());
  p.setStandardInputFile(QProcess::nullDevice());
  p.setChildProcessModifier([memoria] {
    // Between fork and exec: system calls only.
    const auto limita = [](int risorsa, rlim_t valore) {
      const rlimit r{valore, valore};
      setrlimit(risorsa, &r);
    };
    if (kLimitaMemoria) limita(RLIMIT_AS, memoria);
    limita(RLIMIT_FSIZE, 0);  // the reader writes no file
    limita(RLIMIT_CPU, kInTuttoS);
    limita(RLIMIT_CORE, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
  });
  p.start();
  if (!p.waitForStarted()) throw ErroreDatabase(su + "the Access reader " + lettore + " does not start");

  Consegna consegna(massimo);
  const QDeadlineTimer in_tutto(kInTuttoS * 1000);
  bool fermato = false;
  auto esito = Consegna::Esito::Bene;
  while (p.state() != QProcess::NotRunning && esito == Consegna::Esito::Bene) {
    const auto attesa = static_cast<int>(std::min<qint64>(attesa_lettore, in_tutto.remainingTime()));
    if (!p.waitForReadyRead(attesa)) {
      // No progress within the time, or too long in all.
      fermato = p.state() != QProcess::NotRunning;
      break;
    }
    esito = consegna.Aggiungi(p.readAllStandardOutput());
  }
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished(-1);
  }
  if (esito == Consegna::Esito::Bene && !fermato) esito = consegna.Aggiungi(p.readAllStandardOutput());

  if (esito == Consegna::Esito::Troppo)
    throw ErroreDatabase(su + "the file looks damaged (the Access reader hands over more than " +
                         std::to_string(massimo) + " bytes)");
  if (esito == Consegna::Esito::SenzaMemoria)
    throw ErroreDatabase(su + "there is not enough memory for what the Access reader read");
  if (esito == Consegna::Esito::Lunga)
    throw ErroreDatabase(su + "what the Access reader wrote cannot be read");
  if (fermato) throw ErroreDatabase(su + "the file looks damaged (reading it does not end)");
  if (p.exitStatus() == QProcess::CrashExit)
    throw ErroreDatabase(su + "the file looks damaged (reading it failed)");
  if (p.exitCode() != 0) {
    if (!consegna.HaMotivo() || consegna.Annunciata()) throw ErroreDatabase(su + "the Access reader failed");
    throw ErroreDatabase(consegna.Motivo());
  }
  // What the reader wrote is told by the Access file it comes from.
  if (!consegna.Intera()) throw ErroreDatabase(su + "the Access reader ended without writing what it read");
  try {
    return ApriSqliteInMemoria(consegna.Prendi(), consegna.Byte(), "read from " + percorso);
  } catch (const ErroreDatabase&) {
    throw ErroreDatabase(su + "what the Access reader wrote cannot be read");
  }
}

class DatabaseJet : public Database {
 public:
  DatabaseJet(std::unique_ptr<Database> sqlite, std::string percorso)
      : sqlite_(std::move(sqlite)), percorso_(std::move(percorso)) {
    auto rs = RigheSqlite(*sqlite_, "select rowid, nome, errore from tabelle order by rowid");
    for (; !rs->Eof(); rs->MoveNext())
      tabelle_.push_back({rs->Campo("nome").ComeTesto(), "t" + rs->Campo("rowid").ComeTesto(),
                          rs->Campo("errore").ComeTesto()});
  }

  std::unique_ptr<RecordSet> OpenRecordset(const std::string& sql,
                                           const std::vector<std::string>& valori) override {
    const Interrogazione q = AnalizzaSql(sql);
    if (q.colonne_filtro.size() != valori.size())
      throw ErroreDatabase("The query has " + std::to_string(q.colonne_filtro.size()) + " \"?\" marks but " +
                           std::to_string(valori.size()) + " values were given: " + sql);
    const Tabella* t = Trova(q.tabella);
    if (!t) throw ErroreDatabase("No table " + q.tabella + " in the database " + percorso_);
    if (!t->errore.empty()) throw ErroreDatabase(t->errore);
    auto rs = RigheSqlite(*sqlite_, "select * from " + t->nome_sqlite);

    struct Filtro {
      int colonna;
      const std::string* valore;
      const std::string* nome;
    };
    std::vector<Filtro> filtri;
    for (std::size_t k = 0; k < q.colonne_filtro.size(); ++k) {
      const int i = rs->IndiceColonna(q.colonne_filtro[k]);
      if (i < 0) throw ErroreDatabase("No column " + q.colonne_filtro[k] + " in the table " + q.tabella);
      filtri.push_back({i, &valori[k], &q.colonne_filtro[k]});
    }
    rs->Filtra([&](const std::vector<Valore>& riga) {
      for (const Filtro& f : filtri)
        if (!Uguale(riga[static_cast<std::size_t>(f.colonna)], *f.valore, *f.nome)) return false;
      return true;
    });
    return rs;
  }

  bool EsisteTabella(const std::string& nome) override { return Trova(nome) != nullptr; }

 private:
  struct Tabella {
    std::string nome, nome_sqlite, errore;
  };

  const Tabella* Trova(const std::string& nome) const {
    for (const Tabella& t : tabelle_)
      if (NomiUguali(t.nome, nome)) return &t;
    return nullptr;
  }

  // The where clause: text compared without case, as Access does; numbers
  // as numbers (singles as singles); a Null matches nothing.
  static bool Uguale(const Valore& v, const std::string& cercato, const std::string& nome) {
    if (v.IsNull()) return false;
    if (v.tipo() == Valore::Tipo::Testo) return NomiUguali(v.ComeTesto(), cercato);
    double x = 0;
    try {
      x = Valore::Testo(cercato).ComeNumero();
    } catch (const ErroreDatabase&) {
      throw ErroreDatabase("Data type mismatch: \"" + cercato + "\" for the number column " + nome);
    }
    if (v.Singolo()) return static_cast<float>(x) == static_cast<float>(v.ComeNumero());
    return x == v.ComeNumero();
  }

  std::unique_ptr<Database> sqlite_;
  std::string percorso_;
  std::vector<Tabella> tabelle_;
};

}  // namespace

std::unique_ptr<Database> ApriJet(const std::string& percorso) {
  std::unique_ptr<Database> sqlite = Converti(percorso);
  try {
    return std::make_unique<DatabaseJet>(std::move(sqlite), percorso);
  } catch (const ErroreDatabase& e) {
    throw ErroreDatabase("Cannot read the Access database " + percorso + ": " + e.what());
  }
}

}  // namespace interno
}  // namespace plat
