#include "platform/session.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace platform {
namespace {

bool SocketExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Only async-signal-safe work here: wake the event loop.
  [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

}  // namespace

std::string DisplayUnavailableReason() {
  const std::string qpa = Env("QT_QPA_PLATFORM");
  if (!qpa.empty() && qpa.rfind("xcb", 0) != 0 && qpa.rfind("wayland", 0) != 0) return "";
  const std::string wayland = Env("WAYLAND_DISPLAY");
  if (qpa.rfind("xcb", 0) != 0 && !wayland.empty()) {
    const std::string path = wayland[0] == '/' ? wayland : Env("XDG_RUNTIME_DIR") + "/" + wayland;
    if (SocketExists(path)) return "";
  }
  const std::string display = Env("DISPLAY");
  if (display.empty()) return "no display: DISPLAY and WAYLAND_DISPLAY are not set (run it in a desktop session)";
  xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
  const bool ok = c && xcb_connection_has_error(c) == 0;
  if (c) xcb_disconnect(c);
  if (!ok) return "cannot open display " + display + " (run it in a desktop session)";
  return "";
}

void WatchSessionEnd(std::function<void()> onEnd) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
  ::fcntl(g_signalPipe[1], F_SETFL, O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onEnd = std::move(onEnd)] {
    char buf[16];
    [[maybe_unused]] ssize_t n = ::read(g_signalPipe[0], buf, sizeof buf);
    onEnd();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
}

void ProcessPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace platform
