// The message loop as the toolkit's application object and its event loop.
#include "platform/window_system/message_loop.h"

#include <QApplication>

namespace platform {

struct MessageLoop::Native {
  Native(int& argc, char** argv) : app(argc, argv) {}
  QApplication app;
};

MessageLoop::MessageLoop(int& argc, char** argv, const std::string& applicationName)
    : native_(std::make_unique<Native>(argc, argv)) {
  QApplication::setApplicationName(QString::fromStdString(applicationName));
  QApplication::setQuitOnLastWindowClosed(false);  // closing the window only hides it
}

MessageLoop::~MessageLoop() = default;

int MessageLoop::Run() { return QApplication::exec(); }

void MessageLoop::SetEndHandler(std::function<void()> handler) {
  QObject::connect(&native_->app, &QCoreApplication::aboutToQuit, &native_->app, std::move(handler));
}

void QuitMessageLoop(int status) { QCoreApplication::exit(status); }

void ProcessPendingMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace platform
