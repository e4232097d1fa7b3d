// The tests' surroundings on Windows: the settings under a registry key of the tests' own, the
// messages the system sends for a press of the mouse.
#include <filesystem>

#include "form1_harness.h"
#include "platform/runtime/windows_system_win.h"
#include "platform/window_system/native_win.h"

namespace {

constexpr const char* kTestsKey = "Software\\ZelmaroTests";

}  // namespace

std::string TestSettingsRoot(const TempDir& dir) {
  return std::string(kTestsKey) + "\\" + std::filesystem::path(dir.path()).filename().string();
}

void RemoveTestSettingsRoot(const std::string& root) {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestsKey);  // once no other test's root is left in it
}

void PressMouseOn(const platform::Control& control) {
  // A press on a child window is told to the window it sits on before the child gets it.
  const HWND hwnd = control.Native().hwnd;
  const LPARAM at = MAKELPARAM(5, 5);
  ::SendMessageW(::GetAncestor(hwnd, GA_ROOT), WM_PARENTNOTIFY,
                 MAKEWPARAM(WM_LBUTTONDOWN, ::GetDlgCtrlID(hwnd)), at);
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::ReleaseCapture();
}

void ForgetQuitRequest() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}
