// The notification area on the shell's: Shell_NotifyIconW with a hidden window of ours that
// hears the icon's mouse messages, changes of the display's scale, and the taskbar being made
// anew (Explorer restarted), when the icon is added again. The icon is drawn at the shell's
// small-icon size for the taskbar's DPI, so the shell never has to shrink or smooth it.
#include "platform/locale/utf16_win.h"
#include "platform/notification_area/notification_area.h"

#include "platform/pictures/picture_win.h"
#include "platform/runtime/windows_system_win.h"

#include <algorithm>
#include <cwchar>
#include <vector>

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
    side_ = ShellIconSide();
  }

  ~ShellNotificationArea() override {
    Remove();
    if (window_ != nullptr) ::DestroyWindow(window_);
    if (icon_ != nullptr) ::DestroyIcon(icon_);
  }

  using NotificationArea::Show;
  void Show(const Picture& picture, const std::string& tooltip, const PictureLines& lines) override {
    const bool newPicture = picture != picture_ || !std::ranges::equal(lines.columns, lineColumns_) ||
                            !std::ranges::equal(lines.rows, lineRows_);
    if (newPicture) {
      picture_ = picture;
      lineColumns_.assign(lines.columns.begin(), lines.columns.end());
      lineRows_.assign(lines.rows.begin(), lines.rows.end());
    }
    const bool newIcon = (newPicture || icon_ == nullptr) && Draw();
    const bool newTip = !shown_ || tooltip != tooltip_;
    tooltip_ = tooltip;
    if (!shown_) {
      shown_ = Send(NIM_ADD, NIF_ICON | NIF_TIP);
    } else if (newIcon || newTip) {
      Send(NIM_MODIFY, (newIcon ? NIF_ICON : 0) | (newTip ? NIF_TIP : 0));
    }
  }

  void Remove() override {
    if (!shown_) return;
    shown_ = false;
    Send(NIM_DELETE, 0);
  }

 private:
  // The shell's small-icon size for the taskbar's DPI (16 at 100 %, 20 at 125 %, 24 at 150 %,
  // 32 at 200 %), from the taskbar's own window where there is one.
  int ShellIconSide() const {
    UINT dpi = 0;
    if (HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr)) dpi = ::GetDpiForWindow(taskbar);
    if (dpi == 0 && window_ != nullptr) dpi = ::GetDpiForWindow(window_);
    if (dpi == 0) dpi = ::GetDpiForSystem();
    const int side = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    return side > 0 ? side : 16;
  }

  // Draws the picture at the shell's size and makes it the system icon, once per picture whose
  // pixels at that size are new. False when the icon stays as it was.
  bool Draw() {
    Picture drawn = Scaled(picture_, side_, side_, {lineColumns_, lineRows_});
    if (icon_ != nullptr && drawn == drawn_) return false;
    HICON icon = SystemIcon(drawn);
    if (icon == nullptr) return false;
    if (icon_ != nullptr) ::DestroyIcon(icon_);
    icon_ = icon;
    drawn_ = std::move(drawn);
    return true;
  }

  // The display's scale may have changed: a new size draws the icon anew.
  void Rescale() {
    const int side = ShellIconSide();
    if (side == side_) return;
    side_ = side;
    if (Draw() && shown_) Send(NIM_MODIFY, NIF_ICON);
  }

  // One request to the shell with what is kept now; the shell copies the icon.
  bool Send(DWORD request, UINT flags) {
    if (window_ == nullptr) return false;
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = window_;
    record.uID = kIconId;
    record.uFlags = NIF_MESSAGE | flags;
    record.uCallbackMessage = kCallbackMessage;
    record.hIcon = (flags & NIF_ICON) ? icon_ : nullptr;
    if ((flags & NIF_ICON) && record.hIcon == nullptr) record.uFlags &= ~NIF_ICON;
    const std::wstring tip = Wide(tooltip_);
    const std::size_t n = std::min(tip.size(), std::size(record.szTip) - 1);
    std::wmemcpy(record.szTip, tip.data(), n);
    record.szTip[n] = L'\0';
    return ::Shell_NotifyIconW(request, &record) != FALSE;
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
        // A new taskbar may come with a new scale.
        self->side_ = self->ShellIconSide();
        self->Draw();
        if (self->shown_) self->Send(NIM_ADD, NIF_ICON | NIF_TIP);
        return 0;
      }
      if (message == WM_DPICHANGED || message == WM_SETTINGCHANGE || message == WM_DISPLAYCHANGE) self->Rescale();
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  bool shown_ = false;
  Picture picture_;  // as handed over
  std::vector<PixelRun> lineColumns_, lineRows_;
  int side_ = 16;    // the shell's icon size
  Picture drawn_;    // the picture at that size
  HICON icon_ = nullptr;  // drawn_ as a system icon, kept for the shell's next request
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
