// The user-interface thread's message loop: the one place where the window system's events,
// timer ticks and other notices are dispatched to their handlers, one at a time.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

class MessageLoop {
 public:
  // Connects to the window system; argc and argv may lose the options it takes for itself.
  // Closing the last window does not end the loop: a program in the tray lives on.
  MessageLoop(int& argc, char** argv, const std::string& applicationName);
  ~MessageLoop();
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  // Dispatches messages until QuitMessageLoop; returns its status.
  int Run();
  // Called once the loop ends, for whatever reason (the program's own quit, or the session
  // manager ending the session).
  void SetEndHandler(std::function<void()> handler);

 private:
  struct Native;
  std::unique_ptr<Native> native_;
};

// Makes Run() return status once the current handler is done.
void QuitMessageLoop(int status);

// Dispatches every message already waiting in the user-interface thread's queue.
void ProcessPendingMessages();

}  // namespace platform
