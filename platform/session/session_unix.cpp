#include "platform/session/session.h"

#include "platform/runtime/program_name.h"
#include "platform/session/display_choice_unix.h"

#include <QCoreApplication>
#include <QString>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cstdio>

namespace platform {
namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Only async-signal-safe work here: wake the event loop.
  [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

}  // namespace

std::string PrepareDisplay() {
  const DisplayChoice choice = ChooseDisplay(CurrentDisplayEnvironment());
  // Without an X server the toolkit would look for X alone: name the Wayland session to it.
  if (!choice.platform.empty()) ::setenv("QT_QPA_PLATFORM", choice.platform.c_str(), 1);
  return choice.unavailable;
}

namespace {
QtMessageHandler g_previousHandler = nullptr;
std::string g_firstPlatformMessage;
std::string g_missingPlugin;

// While the toolkit opens the display, its complaints are held back: a failure to open it
// ends in one line of ours instead of the toolkit's abort.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
  const bool platformMessage = context.category && std::string(context.category).rfind("qt.qpa", 0) == 0;
  if (type == QtFatalMsg) {
    const std::string why = !g_missingPlugin.empty()          ? g_missingPlugin
                            : !g_firstPlatformMessage.empty() ? g_firstPlatformMessage
                                                              : msg.toStdString();
    std::fprintf(stderr, "%s: %s\n", RunningProgramName().command.c_str(), DisplayFailureLine(why).c_str());
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (platformMessage) {
    const std::string text = msg.toStdString();
    if (g_firstPlatformMessage.empty()) g_firstPlatformMessage = text;
    if (g_missingPlugin.empty() && text.find("Could not find the Qt platform plugin") != std::string::npos)
      g_missingPlugin = text;
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

}  // namespace platform
