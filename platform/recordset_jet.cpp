// The Access (Jet 3, Jet 4 and later) engine of the record-set layer, read
// only.  libmdb never runs in the program: the Access reader, a process of
// its own started with limits on memory, file size and time, turns the file's
// tables into a temporary SQLite file, read here through the SQLite engine
// with Access's query rules.  A reader that crashes, runs out of memory or
// stops getting on makes the file one that cannot be opened.
//
// The reader writes into a folder of its own inside the user's private
// temporary folder; the folder's name carries the program's process id, so
// that the folders of a program killed while its reader ran are removed by
// the next one that opens an Access file.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>

#include "platform/recordset_interno.h"
#include "platform/resti.h"

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

// Memory the reader may map: libmdb reads a page at a time and the rows go
// straight to the SQLite file, so a reader that needs more is looping.
constexpr rlim_t kMemoriaLettore = 256u << 20;
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

// Runs the reader on the file; the SQLite file it writes is `uscita`.
// Throws ErroreDatabase when it does not finish well.
void Converti(const std::string& percorso, const QString& uscita) {
  const std::string lettore = Lettore();
  if (!QFileInfo(QString::fromStdString(lettore)).isExecutable())
    throw ErroreDatabase("Cannot read the Access database " + percorso + ": the Access reader " + lettore +
                         " is missing");
  // The SQLite file is never much larger than the Access file; a reader
  // that writes more is looping.
  const rlim_t file_massimo =
      static_cast<rlim_t>(QFileInfo(QString::fromStdString(percorso)).size()) * 16 + (64u << 20);

  QProcess p;
  p.setProgram(QString::fromStdString(lettore));
  p.setArguments({QString::fromStdString(percorso), uscita});
  p.setStandardErrorFile(QProcess::nullDevice());
  p.setStandardInputFile(QProcess::nullDevice());
  p.setChildProcessModifier([file_massimo] {
    // Between fork and exec: system calls only.
    const auto limita = [](int risorsa, rlim_t valore) {
      const rlimit r{valore, valore};
      setrlimit(risorsa, &r);
    };
    if (kLimitaMemoria) limita(RLIMIT_AS, kMemoriaLettore);
    limita(RLIMIT_FSIZE, file_massimo);
    limita(RLIMIT_CPU, kInTuttoS);
    limita(RLIMIT_CORE, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
  });
  p.start();
  if (!p.waitForStarted())
    throw ErroreDatabase("Cannot read the Access database " + percorso + ": the Access reader " + lettore +
                         " does not start");

  QByteArray uscito;  // what the reader wrote: progress dots, then maybe a reason
  const QDeadlineTimer in_tutto(kInTuttoS * 1000);
  bool fermato = false;
  while (p.state() != QProcess::NotRunning) {
    const auto attesa = static_cast<int>(std::min<qint64>(attesa_lettore, in_tutto.remainingTime()));
    if (p.waitForReadyRead(attesa)) {
      if (uscito.size() < 4096)
        uscito += p.readAllStandardOutput().left(4096);
      else
        p.readAllStandardOutput();
      continue;
    }
    if (p.state() == QProcess::NotRunning) break;
    p.kill();  // no progress within the time, or too long in all
    p.waitForFinished(-1);
    fermato = true;
  }
  uscito += p.readAllStandardOutput().left(4096);

  const std::string su = "Cannot read the Access database " + percorso + ": ";
  if (fermato) throw ErroreDatabase(su + "the file looks damaged (reading it does not end)");
  if (p.exitStatus() == QProcess::CrashExit)
    throw ErroreDatabase(su + "the file looks damaged (reading it failed)");
  if (p.exitCode() != 0) {
    const auto a_capo = uscito.indexOf('\n');
    if (a_capo < 0) throw ErroreDatabase(su + "the Access reader failed");
    throw ErroreDatabase(uscito.mid(a_capo + 1).toStdString());
  }
}

// Folders of the reader: the prefix, then the owner's process id, a "-"
// and six random characters.
const QString kPrefissoCartella = QStringLiteral("Mistrel2013-");

// Removes the reader's folders whose program no longer runs.
void SpazzaCartelleOrfane(const QString& cartella) {
  SpazzaResti(cartella, TipoResto::Cartella, [](const QString& nome, qint64) {
    const qint64 pid = ProcessoDelNome(nome, kPrefissoCartella);
    return pid > 0 && pid != QCoreApplication::applicationPid() && !ProcessoVivo(pid);
  });
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
  const std::string su = "Cannot read the Access database " + percorso + ": ";
  QString errore;
  const QString propria = CartellaTemporaneaPropria(&errore);
  if (propria.isEmpty()) throw ErroreDatabase(su + errore.toStdString());
  SpazzaCartelleOrfane(propria);
  QTemporaryDir cartella(propria + QLatin1Char('/') + kPrefissoCartella +
                         QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"));
  if (!cartella.isValid())
    throw ErroreDatabase(su + "no folder can be made in the temporary folder " +
                         QDir::toNativeSeparators(propria).toStdString() + " (" +
                         cartella.errorString().toStdString() + ")");
  const QString uscita = cartella.filePath(QStringLiteral("access.sqlite"));
  Converti(percorso, uscita);
  // What the reader wrote is told by the Access file it comes from.
  const QFileInfo scritto(uscita);
  if (!scritto.isFile() || scritto.size() == 0)
    throw ErroreDatabase(su + "the Access reader ended without writing what it read");
  // Open, the file can go at once: the connection keeps reading it, and
  // nothing is left behind whatever happens to the program later.
  std::unique_ptr<Database> sqlite;
  try {
    sqlite = ApriSqlite(uscita.toStdString());
  } catch (const ErroreDatabase&) {
    throw ErroreDatabase(su + "what the Access reader wrote cannot be read");
  }
  try {
    return std::make_unique<DatabaseJet>(std::move(sqlite), percorso);
  } catch (const ErroreDatabase& e) {
    throw ErroreDatabase(su + e.what());
  }
}

}  // namespace interno
}  // namespace plat
