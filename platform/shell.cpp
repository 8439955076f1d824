#include "platform/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace plat {
namespace {

// How long the desktop's opener is watched: one that finds no program fails
// within it; one that waits for the program it started is still running.
constexpr int kAttesaOpenerMs = 2000;
int g_attesaOpenerMs = kAttesaOpenerMs;

// Openers still running after the watch (each waits for its program), taken
// back as they end.
std::vector<pid_t>& InCorso() {
  static std::vector<pid_t> v;
  return v;
}

void Raccogli() {
  auto& v = InCorso();
  v.erase(std::remove_if(v.begin(), v.end(), [](pid_t p) { return ::waitpid(p, nullptr, WNOHANG) != 0; }),
          v.end());
}

// Runs the desktop's opener (xdg-open) on the argument and judges it by how
// it ends: an error exit means no program could show it (2: the file is
// missing).  Returns -1 when there is no opener to run.
int ConOpener(const QByteArray& argomento) {
  Raccogli();
  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
  QByteArray nome("xdg-open"), arg(argomento);
  char* argv[] = {nome.data(), arg.data(), nullptr};
  pid_t pid = 0;
  const int r = ::posix_spawnp(&pid, "xdg-open", &azioni, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&azioni);
  if (r != 0) return -1;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < g_attesaOpenerMs) {
    int stato = 0;
    const pid_t fine = ::waitpid(pid, &stato, WNOHANG);
    if (fine == pid) {
      if (WIFEXITED(stato) && WEXITSTATUS(stato) == 0) return 42;
      return WIFEXITED(stato) && WEXITSTATUS(stato) == 2 ? 2 : 31;
    }
    if (fine < 0) return 42;  // taken back elsewhere: nothing to judge
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(10);
  }
  InCorso().push_back(pid);
  return 42;
}

int ApriConDesktop(const QString& target) {
  QUrl url = QUrl(target, QUrl::StrictMode);
  const bool indirizzo = url.isValid() && url.scheme().size() > 1;  // "C:" is a drive, not a scheme
  QByteArray argomento = url.toEncoded();
  if (!indirizzo) {
    QFileInfo fi(target);
    if (!fi.exists()) return fi.dir().exists() ? 2 : 3;
    url = QUrl::fromLocalFile(fi.absoluteFilePath());
    argomento = QFile::encodeName(fi.absoluteFilePath());
  }
  const int esito = ConOpener(argomento);
  if (esito >= 0) return esito;
  return QDesktopServices::openUrl(url) ? 42 : 31;
}

std::function<int(const QString&)>& Gestore() {
  static std::function<int(const QString&)> g;
  return g;
}

}  // namespace

int ApriConShell(const QString& target) { return Gestore() ? Gestore()(target) : ApriConDesktop(target); }

void ImpostaShell(std::function<int(const QString&)> f) { Gestore() = std::move(f); }

void ImpostaAttesaOpener(int ms) { g_attesaOpenerMs = ms > 0 ? ms : kAttesaOpenerMs; }

}  // namespace plat
