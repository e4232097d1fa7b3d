#include "platform/single_instance/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <functional>

namespace platform {

namespace {

// The user's runtime directory (private to the user). Without one, the shared temp dir with
// the user id in the lock's name, so that users still never block each other.
std::string DefaultLockDir(std::string& suffix) {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (!runtime.isEmpty()) return runtime.toStdString();
  suffix = std::string("-").append(std::to_string(::getuid()));
  return QDir::tempPath().toStdString();
}

enum class Outcome { Taken, HeldByOther, Unavailable };

// flock() on the lock file; its contents mean nothing. A file that exists in a directory we may
// no longer write still locks when opened for reading. A file of another user (placed in a
// shared temp dir) is not ours to go by: nobody else can lock this user out.
Outcome LockFile(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return Outcome::Unavailable;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || st.st_uid != ::getuid()) {
    ::close(fd);
    fd = -1;
    return Outcome::Unavailable;
  }
  int r;
  do r = ::flock(fd, LOCK_EX | LOCK_NB); while (r != 0 && errno == EINTR);
  if (r == 0) return Outcome::Taken;
  const bool held = errno == EWOULDBLOCK;
  ::close(fd);
  fd = -1;
  return held ? Outcome::HeldByOther : Outcome::Unavailable;
}

sockaddr_un AbstractAddress(const std::string& name, socklen_t& length) {
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  const std::size_t n = std::min(name.size(), sizeof a.sun_path - 1);
  std::memcpy(a.sun_path + 1, name.data(), n);  // sun_path[0] = 0: the abstract namespace
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
  return a;
}

// Whether the listener on the abstract name runs as this user. Another user could take the
// name first: that copy does not count, so nobody else can lock this user out.
bool HolderIsThisUser(const sockaddr_un& address, socklen_t length) {
  const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  bool same = false;
  // A copy that has just bound the name listens a moment later: refused connections are tried
  // again for a few milliseconds before the name is taken for nobody's.
  int r = -1;
  for (int attempt = 0; attempt < 20; ++attempt) {
    r = ::connect(s, reinterpret_cast<const sockaddr*>(&address), length);
    if (r == 0 || errno != ECONNREFUSED) break;
    ::usleep(1000);
  }
  if (r == 0) {
    ucred peer{};
    socklen_t size = sizeof peer;
    same = ::getsockopt(s, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
  }
  ::close(s);
  return same;
}

// The abstract socket name: the kernel frees it when the last descriptor closes.
Outcome LockName(const std::string& name, int& fd) {
  socklen_t length = 0;
  const sockaddr_un address = AbstractAddress(name, length);
  fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return Outcome::Unavailable;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
      ::listen(fd, SOMAXCONN) == 0) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return Outcome::Taken;
  }
  const bool inUse = errno == EADDRINUSE;
  ::close(fd);
  fd = -1;
  if (!inUse) return Outcome::Unavailable;
  return HolderIsThisUser(address, length) ? Outcome::HeldByOther : Outcome::Unavailable;
}

}  // namespace

struct SingleInstance::State {
  State(std::string file, std::string name) : path(std::move(file)), socketName(std::move(name)) {}
  ~State() {
    drain.reset();
    if (fileFd >= 0) ::close(fileFd);
    if (nameFd >= 0) ::close(nameFd);
  }
  // Later starts connect to the name to see whose it is; their connections are accepted and
  // closed, so they never fill the queue and make the name look like nobody's.
  void DrainConnections() {
    if (nameFd < 0 || !QCoreApplication::instance()) return;
    drain = std::make_unique<QSocketNotifier>(nameFd, QSocketNotifier::Read);
    QObject::connect(drain.get(), &QSocketNotifier::activated, [fd = nameFd] {
      for (int c; (c = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) ::close(c);
    });
  }
  std::string path, socketName;
  int fileFd = -1, nameFd = -1;
  std::unique_ptr<QSocketNotifier> drain;
};

namespace {

std::string SocketName(const std::string& appName, const std::string& lockPath) {
  // The file's path keeps instances in different lock directories apart (tests); the user id
  // keeps users apart.
  return appName + "-" + std::to_string(::getuid()) + "-" +
         std::to_string(std::hash<std::string>{}(lockPath));
}

}  // namespace

SingleInstance::SingleInstance(std::string appName) {
  std::string suffix;
  const std::string path = DefaultLockDir(suffix) + "/" + appName + suffix + ".lock";
  state_ = std::make_unique<State>(path, SocketName(appName, appName));
}

SingleInstance::SingleInstance(std::string appName, std::string lockDir) {
  const std::string path = lockDir + "/" + appName + ".lock";
  state_ = std::make_unique<State>(path, SocketName(appName, path));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::PrevInstance() {
  State& s = *state_;
  if (s.fileFd >= 0 || s.nameFd >= 0) return false;  // already ours
  // Both locks are taken where possible: a copy whose runtime directory is unusable still
  // meets the name, and a copy in another network namespace still meets the file.
  const Outcome file = LockFile(s.path, s.fileFd);
  const Outcome name = LockName(s.socketName, s.nameFd);
  if (file == Outcome::HeldByOther || name == Outcome::HeldByOther) {
    if (s.fileFd >= 0) ::close(s.fileFd);
    if (s.nameFd >= 0) ::close(s.nameFd);
    s.fileFd = s.nameFd = -1;
    return true;
  }
  s.DrainConnections();
  return false;
}

}  // namespace platform
