#include "platform/session/session.h"

#include "platform/runtime/windows_system_win.h"

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"platform.SessionEnd";
constexpr UINT kConsoleEnd = WM_APP + 2;

HWND g_window = nullptr;
std::function<void()> g_onEnd;
bool g_ended = false;

void End() {
  if (g_ended || !g_onEnd) return;
  g_ended = true;
  g_onEnd();
}

// The end of the logon or a shutdown is not refused; it is acted on once it is certain.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) End();
      return 0;
    case kConsoleEnd:
      End();
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

// Runs on a thread of the system's: the work goes to the user-interface thread.
BOOL WINAPI OnConsoleEvent(DWORD) {
  ::PostMessageW(g_window, kConsoleEnd, 0, 0);
  return TRUE;
}

}  // namespace

std::string PrepareDisplay() { return {}; }  // the desktop is always there

void BeginDisplayConnection() {}

void EndDisplayConnection() {}

void WatchSessionEnd(std::function<void()> onEnd) {
  g_onEnd = std::move(onEnd);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassExW(&wc);
  // A top-level window that is never shown: only those are asked about the end of the session.
  g_window = ::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               wc.hInstance, nullptr);
  if (g_window != nullptr) ::SetConsoleCtrlHandler(&OnConsoleEvent, TRUE);
}

}  // namespace platform
