#include "platform/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QString>

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

}  // namespace

struct SingleInstance::State {
  explicit State(const std::string& path) : lock(QString::fromStdString(path)) {
    // Only a dead owner makes the lock stale, never its age: a long-running instance must
    // keep its lock, while the lock of a killed process is taken over.
    lock.setStaleLockTime(0);
  }
  QLockFile lock;
};

SingleInstance::SingleInstance(std::string appName) {
  std::string suffix;
  const std::string dir = DefaultLockDir(suffix);
  state_ = std::make_unique<State>(dir + "/" + appName + suffix + ".lock");
}

SingleInstance::SingleInstance(std::string appName, std::string lockDir)
    : state_(std::make_unique<State>(lockDir + "/" + appName + ".lock")) {}

SingleInstance::~SingleInstance() = default;  // QLockFile unlocks when destroyed

bool SingleInstance::PrevInstance() {
  if (state_->lock.isLocked()) return false;
  if (state_->lock.tryLock(0)) return false;
  // Only a live holder counts; a lock that cannot be created at all (no such directory, no
  // permission) says nothing about another instance, so the program may run.
  return state_->lock.error() == QLockFile::LockFailedError;
}

}  // namespace platform
