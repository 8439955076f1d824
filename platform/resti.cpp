#include "platform/resti.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <limits>

namespace plat {
namespace {

// Folders nested deeper than this are left where they are.
constexpr int kProfonditaMassima = 16;

bool PuntoOPuntoPunto(const char* nome) {
  return std::strcmp(nome, ".") == 0 || std::strcmp(nome, "..") == 0;
}

// Removes the folder `nome` of the open folder `padre` with all it holds.
// Each level is opened by its descriptor without following a link, and must
// be the very folder that was looked at (`visto`); links inside are removed
// as links, and a folder of another file system is left.  True when gone.
bool RimuoviAlbero(int padre, const char* nome, const struct stat& visto, int profondita) {
  if (profondita > kProfonditaMassima) return false;
  const int fd = ::openat(padre, nome, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || st.st_dev != visto.st_dev || st.st_ino != visto.st_ino) {
    ::close(fd);
    return false;
  }
  DIR* d = ::fdopendir(fd);
  if (!d) {
    ::close(fd);
    return false;
  }
  bool vuota = true;
  while (const dirent* e = ::readdir(d)) {
    if (PuntoOPuntoPunto(e->d_name)) continue;
    struct stat figlio;
    if (::fstatat(fd, e->d_name, &figlio, AT_SYMLINK_NOFOLLOW) != 0) {
      vuota = false;
    } else if (!S_ISDIR(figlio.st_mode)) {
      if (::unlinkat(fd, e->d_name, 0) != 0) vuota = false;
    } else if (figlio.st_dev != st.st_dev || !RimuoviAlbero(fd, e->d_name, figlio, profondita + 1)) {
      vuota = false;
    }
  }
  ::closedir(d);
  return vuota && ::unlinkat(padre, nome, AT_REMOVEDIR) == 0;
}

}  // namespace

QString CartellaTemporaneaPropria(QString* errore) {
  const QString percorso =
      QDir::tempPath() + QStringLiteral("/Mistrel2013-utente-") + QString::number(::geteuid());
  const QString nativo = QDir::toNativeSeparators(percorso);
  const QByteArray locale = QFile::encodeName(percorso);
  if (::mkdir(locale.constData(), 0700) != 0 && errno != EEXIST) {
    const int err = errno;
    *errore = QStringLiteral("the temporary folder %1 cannot be made (%2)")
                  .arg(nativo, QString::fromLocal8Bit(std::strerror(err)));
    return {};
  }
  // Looked at through the folder itself, never through a link.
  const int fd = ::open(locale.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  struct stat st;
  const bool letta = fd >= 0 && ::fstat(fd, &st) == 0;
  const int err = errno;
  if (fd >= 0) ::close(fd);
  if (!letta) {
    *errore = err == ELOOP || err == ENOTDIR
                  ? QStringLiteral("the temporary folder %1 is a link or a file, not a folder").arg(nativo)
                  : QStringLiteral("the temporary folder %1 cannot be opened (%2)")
                        .arg(nativo, QString::fromLocal8Bit(std::strerror(err)));
    return {};
  }
  if (st.st_uid != ::geteuid()) {
    *errore = QStringLiteral("the temporary folder %1 belongs to another user").arg(nativo);
    return {};
  }
  if ((st.st_mode & 077) != 0) {
    *errore = QStringLiteral(
                  "the temporary folder %1 is open to other users (mode %2): only its owner may enter it")
                  .arg(nativo, QStringLiteral("0") + QString::number(st.st_mode & 07777, 8));
    return {};
  }
  return percorso;
}

qint64 ProcessoDelNome(const QString& nome, const QString& prefisso) {
  static const QRegularExpression dopo(QStringLiteral("^([1-9][0-9]{0,18})-[A-Za-z0-9]{6}$"));
  if (!nome.startsWith(prefisso)) return 0;
  const QRegularExpressionMatch m = dopo.match(QStringView(nome).mid(prefisso.size()));
  bool numero = false;
  const qint64 pid = m.hasMatch() ? m.captured(1).toLongLong(&numero) : 0;
  return numero && pid <= std::numeric_limits<pid_t>::max() ? pid : 0;
}

bool ProcessoVivo(qint64 pid) {
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

void SpazzaResti(const QString& cartella, TipoResto tipo,
                 const std::function<bool(const QString& nome, qint64 eta_s)>& abbandonato) {
  const int fd = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  DIR* d = ::fdopendir(fd);
  if (!d) {
    ::close(fd);
    return;
  }
  const std::time_t ora = std::time(nullptr);
  while (const dirent* e = ::readdir(d)) {
    if (PuntoOPuntoPunto(e->d_name)) continue;
    struct stat st;
    if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_uid != ::geteuid()) continue;
    if (tipo == TipoResto::File ? !S_ISREG(st.st_mode) : !S_ISDIR(st.st_mode)) continue;
    if (!abbandonato(QFile::decodeName(e->d_name), static_cast<qint64>(ora - st.st_mtime))) continue;
    if (tipo == TipoResto::File)
      ::unlinkat(fd, e->d_name, 0);
    else
      RimuoviAlbero(fd, e->d_name, st, 0);
  }
  ::closedir(d);
}

}  // namespace plat
