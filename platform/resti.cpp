#include "platform/resti.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <ctime>
#include <limits>

namespace plat {

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

void SpazzaResti(const QString& cartella,
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
    struct stat st;
    if (::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_uid != ::geteuid() ||
        !S_ISREG(st.st_mode))
      continue;
    if (abbandonato(QFile::decodeName(e->d_name), static_cast<qint64>(ora - st.st_mtime)))
      ::unlinkat(fd, e->d_name, 0);
  }
  ::closedir(d);
}

}  // namespace plat
