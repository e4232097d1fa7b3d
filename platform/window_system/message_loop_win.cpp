// The thread's Win32 message loop.
#include "platform/window_system/message_loop.h"

#include "platform/window_system/native_win.h"

#include <commctrl.h>

namespace platform {

namespace {

// Hands a message to the window system, the keys of a form's window by way of the dialog
// keyboard handling (Enter, Esc, Tab), as a dialog box's are.
void Deliver(MSG& msg) {
  HWND top = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  const NativeControl* form = top != nullptr ? ControlOf(top) : nullptr;
  if (form != nullptr && form->form != nullptr && IsDialogMessageW(top, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

struct MessageLoop::Native {
  std::function<void()> ended;
};

MessageLoop::MessageLoop(int&, char**, const std::string&) : native_(std::make_unique<Native>()) {
  // Tooltips and the other common controls.
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
}

MessageLoop::~MessageLoop() = default;

int MessageLoop::Run() {
  MSG msg{};
  int status = 0;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      status = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) {
      status = 1;
      break;
    }
    Deliver(msg);
  }
  if (native_->ended) native_->ended();
  return status;
}

void MessageLoop::SetEndHandler(std::function<void()> handler) { native_->ended = std::move(handler); }

void QuitMessageLoop(int status) { PostQuitMessage(status); }

void ProcessPendingMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that runs the program
      return;
    }
    Deliver(msg);
  }
}

}  // namespace platform
