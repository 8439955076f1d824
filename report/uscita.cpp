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

namespace rapporto {

namespace {

QByteArray Locale(const QString& percorso) { return QFile::encodeName(percorso); }

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

DocumentoNuovo::DocumentoNuovo(const QString& cartella, const QDateTime& quando) : cartella_(cartella) {
  if (!QDir().mkpath(cartella)) throw ErroreStampa(core::Testo(192) + QDir::toNativeSeparators(cartella));
  const QDir dir(cartella);
  for (int numero = 1;; ++numero) {
    const QString percorso = dir.filePath(NomeDocumento(quando, numero));
    // Taking the name fails when it is taken: an earlier report is never
    // written over.
    const int fd = ::open(Locale(percorso).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      percorso_ = percorso;
      return;
    }
    if (errno != EEXIST) throw ErroreStampa(MessaggioScrittura(errno, cartella, percorso));
  }
}

DocumentoNuovo::~DocumentoNuovo() {
  if (!scritto_ && !percorso_.isEmpty()) ::unlink(Locale(percorso_).constData());
}

void DocumentoNuovo::Scrivi(const QByteArray& dati) {
  QByteArray temporaneo = Locale(QDir(cartella_).filePath(QStringLiteral(".~DocXXXXXX")));
  const int fd = ::mkstemp(temporaneo.data());
  if (fd < 0) throw ErroreStampa(MessaggioScrittura(errno, cartella_, percorso_));
  // The permissions of any new file (a temporary file starts private).
  const mode_t maschera = ::umask(0);
  ::umask(maschera);
  int err = ScriviTutto(fd, dati);
  if (err == 0 && ::fchmod(fd, 0666 & ~maschera) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temporaneo.constData(), Locale(percorso_).constData()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temporaneo.constData());
    throw ErroreStampa(MessaggioScrittura(err, cartella_, percorso_));
  }
  scritto_ = true;
}

}  // namespace rapporto
