#include "platform/session.h"

#include <QCoreApplication>
#include <QString>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

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
  if (Env("DISPLAY").empty()) return "no display: DISPLAY and WAYLAND_DISPLAY are not set (run it in a desktop session)";
  return "";
}

namespace {
QtMessageHandler g_previousHandler = nullptr;
std::string g_firstPlatformMessage;

// While the toolkit opens the display, its complaints are held back: a failure to open it
// ends in one line of ours instead of the toolkit's abort.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
  const bool platformMessage = context.category && std::string(context.category).rfind("qt.qpa", 0) == 0;
  if (type == QtFatalMsg) {
    std::string why = g_firstPlatformMessage.empty() ? msg.toStdString() : g_firstPlatformMessage;
    std::fprintf(stderr, "zelmaro: cannot open the display (%s); run it in a desktop session\n", why.c_str());
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (platformMessage) {
    if (g_firstPlatformMessage.empty()) g_firstPlatformMessage = msg.toStdString();
    return;
  }
  if (g_previousHandler) g_previousHandler(type, context, msg);
}
}  // namespace

void BeginDisplayConnection() { g_previousHandler = qInstallMessageHandler(StartupMessageHandler); }

void EndDisplayConnection() { qInstallMessageHandler(g_previousHandler); }

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
