#include "report/uscita.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/testi.h"
#include "platform/resti.h"

namespace rapporto {

namespace {

QByteArray Locale(const QString& percorso) { return QFile::encodeName(percorso); }

// A report is written first to a hidden file beside it: the prefix, the
// process id, "-" and six random characters.
const QString kPrefissoTemporaneo = QStringLiteral(".~Doc");
// How long such a file must have stayed unchanged before it counts as left
// by a print that was stopped: a print of a program on another machine that
// shares the folder keeps its file.
constexpr qint64 kTemporaneoAbbandonatoS = 3600;

bool TemporaneoAbbandonato(const QString& nome, qint64 eta_s) {
  if (eta_s < kTemporaneoAbbandonatoS) return false;
  // Only names the program makes: any other file stays, however like them
  // it looks.
  const qint64 pid = plat::ProcessoDelNome(nome, kPrefissoTemporaneo);
  return pid > 0 && !plat::ProcessoVivo(pid);
}

}  // namespace

QString NomeDocumento(const QDateTime& quando, int numero) {
  QString nome = QStringLiteral("Doc") + quando.toString(QStringLiteral("ddMMyy-HHmmss"));
  if (numero > 1) nome += QLatin1Char('-') + QString::number(numero);
  return nome + QStringLiteral(".docx");
}

QString MessaggioScrittura(int err, const QString& cartella, const QString& percorso) {
  switch (err) {
    case EACCES:
    case EPERM:
    case EROFS:
      return core::Testo(193) + QDir::toNativeSeparators(cartella);
    case ENOSPC:
    case EDQUOT:
      return core::Testo(194) + QDir::toNativeSeparators(percorso);
    default:
      return core::Testo(195) + QDir::toNativeSeparators(percorso) + QStringLiteral("\n") +
             QString::fromLocal8Bit(std::strerror(err));
  }
}

int ScriviTutto(int fd, const QByteArray& dati) {
  const char* p = dati.constData();
  qint64 resto = dati.size();
  while (resto > 0) {
    const ssize_t n = ::write(fd, p, static_cast<size_t>(resto));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    p += n;
    resto -= n;
  }
  return 0;
}

DocumentoNuovo::DocumentoNuovo(const QString& cartella, const QDateTime& quando)
    : cartella_(cartella), quando_(quando) {
  if (!QDir().mkpath(cartella)) throw ErroreStampa(core::Testo(192) + QDir::toNativeSeparators(cartella));
  const QDir dir(cartella);
  struct stat st;
  for (;; ++numero_) {
    percorso_ = dir.filePath(NomeDocumento(quando_, numero_));
    if (::lstat(Locale(percorso_).constData(), &st) != 0) break;
  }
}

namespace {

// Puts the complete temporary file under a name that must not exist yet:
// a hard link, else (a file system without links) a rename that refuses to
// replace, else a reserved empty file renamed over.  Returns 0, or the errno
// value (EEXIST: the name is taken).
int Collega(const QByteArray& temporaneo, const QByteArray& nome) {
  if (::link(temporaneo.constData(), nome.constData()) == 0) {
    ::unlink(temporaneo.constData());
    return 0;
  }
  if (errno == EEXIST) return EEXIST;
  if (::renameat2(AT_FDCWD, temporaneo.constData(), AT_FDCWD, nome.constData(), RENAME_NOREPLACE) == 0)
    return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != EPERM && errno != EOPNOTSUPP) return errno;
  const int fd = ::open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return errno;
  ::close(fd);
  if (::rename(temporaneo.constData(), nome.constData()) == 0) return 0;
  const int err = errno;
  ::unlink(nome.constData());
  return err;
}

}  // namespace

void DocumentoNuovo::Scrivi(const QByteArray& dati) {
  // What stopped prints left in the folder goes first.
  plat::SpazzaResti(cartella_, TemporaneoAbbandonato);
  QByteArray temporaneo = Locale(QDir(cartella_).filePath(kPrefissoTemporaneo + QString::number(::getpid()) +
                                                          QStringLiteral("-XXXXXX")));
  const int fd = ::mkstemp(temporaneo.data());
  if (fd < 0) throw ErroreStampa(MessaggioScrittura(errno, cartella_, percorso_));
  // The permissions of any new file (a temporary file starts private).
  const mode_t maschera = ::umask(0);
  ::umask(maschera);
  int err = ScriviTutto(fd, dati);
  if (err == 0 && ::fchmod(fd, 0666 & ~maschera) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  const QDir dir(cartella_);
  while (err == 0) {
    err = Collega(temporaneo, Locale(percorso_));
    if (err != EEXIST) break;
    err = 0;
    percorso_ = dir.filePath(NomeDocumento(quando_, ++numero_));
  }
  if (err != 0) {
    ::unlink(temporaneo.constData());
    throw ErroreStampa(MessaggioScrittura(err, cartella_, percorso_));
  }
}

}  // namespace rapporto
