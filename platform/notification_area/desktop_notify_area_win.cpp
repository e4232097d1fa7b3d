#include "platform/notification_area/desktop_tray.h"
#include "platform/notification_area/icon_state.h"
#include "platform/notification_area/notify_icon.h"

#include <memory>

#include "platform/notification_area/shell_icon_win.h"

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"platform.NotificationArea";
constexpr UINT kCallbackMessage = WM_APP + 1;

// The shell's notification area. The program's record stays the program's: its window handle
// and callback message are reported back with each callback, while the shell talks to a
// hidden window of ours, which also hears when the taskbar is made anew (Explorer restarted)
// and then adds the icon again.
class ShellNotificationArea : public NotificationArea {
 public:
  ShellNotificationArea() {
    taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ShellNotificationArea::WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    ::RegisterClassExW(&wc);  // fails harmlessly when already registered
    // A top-level window that is never shown: only those hear the taskbar's broadcast.
    window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                wc.hInstance, nullptr);
    if (window_ != nullptr) ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }

  ~ShellNotificationArea() override {
    if (state_.Shown()) Send(NIM_DELETE, 0);
    if (window_ != nullptr) ::DestroyWindow(window_);
  }

  bool Shell_NotifyIconA(std::uint32_t message, const platform::NOTIFYICONDATAA* data) override {
    unsigned changes = 0;
    if (!state_.Apply(message, data, &changes)) return false;
    if (changes & NotifyIconState::kShown) {
      id_ = data->uID;
      return Send(NIM_ADD, NIF_ICON | NIF_TIP);
    }
    if (changes & NotifyIconState::kHidden) return Send(NIM_DELETE, 0);
    // The common case, every tick: the same pixels again, nothing for the shell to do.
    if (changes == NotifyIconState::kNoChange) return true;
    return Send(NIM_MODIFY, ((changes & NotifyIconState::kIcon) ? NIF_ICON : 0) |
                                ((changes & NotifyIconState::kTip) ? NIF_TIP : 0));
  }

 private:
  // One request to the shell with what the state holds now. The shell keeps its own copy of
  // the icon, so ours goes at once.
  bool Send(DWORD request, UINT flags) {
    if (window_ == nullptr) return false;
    HICON icon = (flags & NIF_ICON) ? SystemIconFromImage(state_.Icon()) : nullptr;
    if (icon == nullptr) flags &= ~NIF_ICON;
    ::NOTIFYICONDATAA record = ShellRecord(window_, kCallbackMessage, id_, flags | NIF_MESSAGE, icon, state_.Tip());
    const bool ok = ::Shell_NotifyIconA(request, &record) != FALSE;
    if (icon != nullptr) ::DestroyIcon(icon);
    return ok;
  }

  // Double-clicks and right-button releases go to the program, one at a time: one that comes
  // while the program still handles another (its popup menu is open) is dropped.
  void Deliver(UINT mouse) {
    if (mouse != WM_LBUTTONDBLCLK && mouse != WM_RBUTTONUP) return;
    if (delivering_ || !state_.Shown() || !state_.HasCallback()) return;
    struct Delivering {
      bool& flag;
      explicit Delivering(bool& f) : flag(f) { flag = true; }
      ~Delivering() { flag = false; }
    } delivering(delivering_);
    Notify(state_.Window(), state_.CallbackMessage(), mouse);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ShellNotificationArea*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
      if (message == kCallbackMessage) {
        self->Deliver(LOWORD(lParam));
        return 0;
      }
      if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
        if (self->state_.Shown()) self->Send(NIM_ADD, NIF_ICON | NIF_TIP);
        return 0;
      }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  NotifyIconState state_;
  std::uint32_t id_ = 0;
  HWND window_ = nullptr;
  UINT taskbarCreated_ = 0;
  bool delivering_ = false;
};

}  // namespace

// The shell shows the icon whenever it runs and pops up no menu of its own (the program does,
// on 517): no host to watch, and the menu and description go unused.
DesktopTray OpenDesktopTray(PopupMenu*, const std::string&) {
  DesktopTray tray;
  tray.area = std::make_unique<ShellNotificationArea>();
  return tray;
}

}  // namespace platform
