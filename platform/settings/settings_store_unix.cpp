#include "platform/settings/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cerrno>
#include <cstdlib>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <tuple>

#include "platform/settings/config_dir_unix.h"
#include "platform/settings/ini_stream_unix.h"
#include "platform/settings/settings_lock_unix.h"

namespace platform {

namespace {

// How long a save waits for another program that holds the file's lock (on the worker).
constexpr std::chrono::milliseconds kLockPatience{5000};

std::string ErrorText(int error) {
  if (error == EWOULDBLOCK) return "another program keeps the file locked";
  return std::strerror(error);
}

SaveOutcome Failed(const std::string& file, const std::string& reason) { return {false, file, reason}; }

// Creates the directory and its missing parents (mode 0700, as the user's config dir).
int MakeDirs(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
  const std::size_t slash = dir.find_last_of('/');
  if (slash != std::string::npos && slash > 0) {
    if (const int e = MakeDirs(dir.substr(0, slash)); e != 0) return e;
  }
  if (::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST) return 0;
  return errno;
}

}  // namespace

// One worker thread per store, started by the first save, with the latest value per key.
struct SettingsStore::Worker {
  using Key = std::tuple<std::string, std::string, std::string>;  // app, section, key
  struct Job {
    std::string value;
    std::function<void(const SaveOutcome&)> done;
  };

  explicit Worker(SettingsStore* store) : store(store) {
    // Outcomes are delivered through an object of the event loop's thread: once it is gone
    // (the store with it), an outcome still queued is dropped instead of reaching a dead owner.
    if (QCoreApplication::instance()) {
      context = new QObject;
      context->moveToThread(QCoreApplication::instance()->thread());
    }
    thread = std::thread([this] { Run(); });
  }
  ~Worker() {
    {
      std::lock_guard<std::mutex> l(mutex);
      stopping = true;
    }
    wake.notify_all();
    thread.join();
    delete context;
  }

  void Add(Key key, Job job) {
    {
      std::lock_guard<std::mutex> l(mutex);
      pending[std::move(key)] = std::move(job);
    }
    wake.notify_all();
  }

  void WaitIdle() {
    std::unique_lock<std::mutex> l(mutex);
    idle.wait(l, [this] { return pending.empty() && !busy; });
  }

  void Run() {
    std::unique_lock<std::mutex> l(mutex);
    for (;;) {
      wake.wait(l, [this] { return stopping || !pending.empty(); });
      if (pending.empty()) return;  // stopping, nothing left to write
      auto node = pending.extract(pending.begin());
      busy = true;
      l.unlock();
      const auto& [app, section, key] = node.key();
      const SaveOutcome outcome = store->Save(app, section, key, node.mapped().value);
      Deliver(std::move(node.mapped().done), outcome);
      l.lock();
      busy = false;
      idle.notify_all();
    }
  }

  void Deliver(std::function<void(const SaveOutcome&)> done, const SaveOutcome& outcome) {
    if (!done) return;
    if (!context) return done(outcome);
    QMetaObject::invokeMethod(context, [done = std::move(done), outcome] { done(outcome); },
                              Qt::QueuedConnection);
  }

  SettingsStore* store;
  QObject* context = nullptr;
  std::thread thread;
  std::mutex mutex;
  std::condition_variable wake, idle;
  std::map<Key, Job> pending;
  bool busy = false, stopping = false;
};

SettingsStore::SettingsStore() : configDir_(UserConfigDir()) {}

SettingsStore::SettingsStore(std::string configDir) : configDir_(std::move(configDir)) {}

SettingsStore::SettingsStore(SettingsStore&& other) noexcept
    : configDir_(std::move(other.configDir_)) {
  other.WaitForSaves();
  other.worker_.reset();
}

SettingsStore::~SettingsStore() = default;  // the worker writes what is pending, then ends

std::string SettingsStore::FilePath(const std::string& app) const {
  return configDir_ + "/" + app + ".ini";
}

std::string SettingsStore::GetSetting(const std::string& app, const std::string& section,
                                      const std::string& key,
                                      const std::string& defaultValue) const {
  const int fd = ::open(FilePath(app).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return defaultValue;
  const auto value = IniReadValue(fd, section, key);
  ::close(fd);
  return value.value_or(defaultValue);
}

SaveOutcome SettingsStore::Save(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& value) {
  std::string file = FilePath(app);
  // A settings file that is a link (a dotfiles repository) is replaced where it points.
  if (char* real = ::realpath(file.c_str(), nullptr)) {
    struct stat link {};
    if (::lstat(file.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) file = real;
    std::free(real);
  }
  const auto escaped = IniEscapeValue(value);
  if (!escaped) return Failed(file, "the value cannot be stored as text");
  if (const int e = MakeDirs(configDir_); e != 0) return Failed(file, ErrorText(e));
  // Other programs' settings code writing the same file takes this lock too.
  SettingsLock lock(file + ".lock", kLockPatience);
  if (!lock.Locked()) return Failed(file, ErrorText(lock.Error()));

  const int in = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0 && errno != ENOENT) return Failed(file, ErrorText(errno));
  struct stat st {};
  const mode_t mode = in >= 0 && ::fstat(in, &st) == 0 ? (st.st_mode & 07777) : 0600;
  // The new contents go to a temporary beside the file and are renamed over it once complete
  // and on disk: a crash or a full disk at any moment leaves the old file or the new, whole.
  // Under the lock only one writer at a time uses the temporary, so it has a fixed name: one a
  // killed save left behind is reused, not piled up.
  const std::string temp = file + ".new";
  ::unlink(temp.c_str());
  const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (out < 0) {
    const int e = errno;
    if (in >= 0) ::close(in);
    return Failed(file, ErrorText(e));
  }
  (void)::fchmod(out, mode);  // a mode that cannot be set is no reason to fail
  bool ok = IniRewrite(in, out, section, key, *escaped) && ::fsync(out) == 0;
  int e = errno;
  if (in >= 0) ::close(in);
  if (::close(out) != 0 && ok) ok = false, e = errno;
  if (ok && ::rename(temp.c_str(), file.c_str()) != 0) ok = false, e = errno;
  if (!ok) {
    ::unlink(temp.c_str());
    return Failed(file, ErrorText(e == 0 ? EIO : e));
  }
  return {true, file, {}};
}

void SettingsStore::SaveSettingLater(const std::string& app, const std::string& section,
                                     const std::string& key, const std::string& value,
                                     std::function<void(const SaveOutcome&)> done) {
  if (!worker_) worker_ = std::make_unique<Worker>(this);
  worker_->Add({app, section, key}, {value, std::move(done)});
}

void SettingsStore::WaitForSaves() {
  if (worker_) worker_->WaitIdle();
}

}  // namespace platform
