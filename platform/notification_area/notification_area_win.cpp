// The notification area on the shell's: Shell_NotifyIconW with a hidden window of ours that
// hears the icon's mouse messages and the taskbar being made anew (Explorer restarted), when
// the icon is added again.
#include "platform/locale/utf16_win.h"
#include "platform/notification_area/notification_area.h"

#include "platform/pictures/picture_win.h"
#include "platform/runtime/windows_system_win.h"

#include <algorithm>
#include <cwchar>

namespace platform {

namespace {

constexpr wchar_t kWindowClass[] = L"platform.NotificationArea";
constexpr UINT kCallbackMessage = WM_APP + 1;
constexpr UINT kIconId = 1;

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
    Remove();
    if (window_ != nullptr) ::DestroyWindow(window_);
  }

  void Show(const Picture& picture, const std::string& tooltip) override {
    const bool newPicture = !shown_ || picture != picture_;
    const bool newTip = !shown_ || tooltip != tooltip_;
    if (!newPicture && !newTip) return;  // the same again: nothing for the shell to do
    if (newPicture) picture_ = picture;
    tooltip_ = tooltip;
    shown_ = Send(shown_ ? NIM_MODIFY : NIM_ADD, (newPicture ? NIF_ICON : 0) | (newTip ? NIF_TIP : 0)) || shown_;
  }

  void Remove() override {
    if (!shown_) return;
    shown_ = false;
    Send(NIM_DELETE, 0);
  }

 private:
  // One request to the shell with what is kept now; the picture becomes a system icon here,
  // once, and goes as soon as the shell has its own copy.
  bool Send(DWORD request, UINT flags) {
    if (window_ == nullptr) return false;
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = window_;
    record.uID = kIconId;
    record.uFlags = NIF_MESSAGE | flags;
    record.uCallbackMessage = kCallbackMessage;
    record.hIcon = (flags & NIF_ICON) ? SystemIcon(picture_) : nullptr;
    if ((flags & NIF_ICON) && record.hIcon == nullptr) record.uFlags &= ~NIF_ICON;
    const std::wstring tip = Wide(tooltip_);
    const std::size_t n = std::min(tip.size(), std::size(record.szTip) - 1);
    std::wmemcpy(record.szTip, tip.data(), n);
    record.szTip[n] = L'\0';
    const bool ok = ::Shell_NotifyIconW(request, &record) != FALSE;
    if (record.hIcon != nullptr) ::DestroyIcon(record.hIcon);
    return ok;
  }

  // Double-clicks and right-button releases are the program's requests, one at a time: one
  // that comes while the program still handles another (its popup menu is open) is dropped.
  void Deliver(UINT mouse) {
    if (mouse != WM_LBUTTONDBLCLK && mouse != WM_RBUTTONUP) return;
    if (delivering_ || !shown_) return;
    struct Delivering {
      bool& flag;
      explicit Delivering(bool& f) : flag(f) { flag = true; }
      ~Delivering() { flag = false; }
    } delivering(delivering_);
    Ask(mouse == WM_LBUTTONDBLCLK ? Request::Open : Request::Menu);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ShellNotificationArea*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
      if (message == kCallbackMessage) {
        self->Deliver(LOWORD(lParam));
        return 0;
      }
      if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
        if (self->shown_) self->Send(NIM_ADD, NIF_ICON | NIF_TIP);
        return 0;
      }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  bool shown_ = false;
  Picture picture_;
  std::string tooltip_;
  HWND window_ = nullptr;
  UINT taskbarCreated_ = 0;
  bool delivering_ = false;
};

}  // namespace

// The shell shows the icon whenever it runs and pops up no menu of its own (the program does,
// on Menu): the menu and description go unused.
std::unique_ptr<NotificationArea> OpenDesktopTray(PopupMenu*, const std::string&) {
  return std::make_unique<ShellNotificationArea>();
}

}  // namespace platform
