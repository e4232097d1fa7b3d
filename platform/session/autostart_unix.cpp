#include "platform/session/autostart.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/settings/config_dir_unix.h"

namespace platform {

namespace {

std::string Reason(const std::string& what, int error) { return what + ": " + std::strerror(error); }

// Writes all of text to fd, through short writes and interruptions.
bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

AutostartFolder::AutostartFolder() : AutostartFolder(UserConfigDir()) {}

AutostartFolder::AutostartFolder(std::string configDir) : dir_(std::move(configDir) + "/autostart") {}

std::string AutostartFolder::EntryPath(const std::string& fileName) const { return dir_ + "/" + fileName; }

std::string AutostartFolder::Write(const std::string& fileName, const std::string& contents) const {
  std::error_code ec;
  std::filesystem::create_directories(dir_, ec);
  if (ec) return dir_ + ": " + ec.message();
  std::string temp = dir_ + "/." + fileName + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Reason(dir_, errno);
  // An entry is read by the session, not secret: the usual mode of a user's file.
  const bool written = ::fchmod(fd, 0644) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    ::unlink(temp.c_str());
    return Reason(temp, written ? errno : writeError);
  }
  if (::rename(temp.c_str(), EntryPath(fileName).c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temp.c_str());
    return Reason(EntryPath(fileName), renameError);
  }
  return "";
}

std::string AutostartFolder::Remove(const std::string& fileName, bool& removed) const {
  removed = false;
  if (::unlink(EntryPath(fileName).c_str()) == 0) {
    removed = true;
    return "";
  }
  if (errno == ENOENT || errno == ENOTDIR) return "";
  return Reason(EntryPath(fileName), errno);
}

std::string AutostartEntryText(const AutostartProgram& program) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" + DesktopStringValue(program.name) + "\n"
         "Comment=" + DesktopStringValue(program.comment) + "\n"
         "Exec=" + DesktopExecArgument(program.path) + "\n"
         "TryExec=" + DesktopStringValue(program.path) + "\n"
         "Icon=" + DesktopStringValue(program.icon) + "\n"
         "Terminal=false\n"
         "StartupNotify=false\n";
}

std::string RunningProgramPath() {
  std::error_code ec;
  std::string path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  // A program file replaced while it runs (an upgrade) reads as "<path> (deleted)".
  const std::string deleted = " (deleted)";
  if (path.size() > deleted.size() && path.ends_with(deleted) &&
      std::filesystem::exists(path.substr(0, path.size() - deleted.size()), ec))
    path.resize(path.size() - deleted.size());
  return path;
}

}  // namespace platform
