// The form as a Win32 top-level window of our own class. Its window procedure turns the
// window system's messages into the form's handlers: WM_CLOSE and WM_ENDSESSION into close
// requests, WM_SIZE into state changes, and its controls' notifications into theirs.
// Enter presses the focused button and Esc closes as the close button does (the message loop
// hands keys to IsDialogMessage). The layout follows the DPI of the window's monitor.
#include "platform/window_system/form_window.h"

#include "platform/runtime/runtime.h"
#include "platform/window_system/display_scale.h"
#include "platform/window_system/native_win.h"
#include "platform/pictures/picture_win.h"
#include "platform/pictures/scaled_picture.h"


namespace platform {
namespace {

constexpr wchar_t kFormClass[] = L"FormWindow";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

FormState* StateOf(HWND hwnd) {
  NativeControl* c = ControlOf(hwnd);
  return c != nullptr ? c->form.get() : nullptr;
}

// The window's size with its frame for a client area of the form's size at dpi.
SIZE FrameSize(const FormState& s, int dpi) {
  RECT frame{0, 0, ScaleEdge(s.clientWidth, dpi), ScaleEdge(s.clientHeight, dpi)};
  AdjustWindowRectExForDpi(&frame, kFormStyle, FALSE, 0, static_cast<UINT>(dpi));
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// An icon of width x height pixels sampled from the window's icon picture.
HICON IconOfSize(const FormState& s, int width, int height) {
  return SystemIcon(Scaled(s.iconPicture, width, height));
}

HICON IconOfSystemSize(const FormState& s, int metric) {
  const int size = GetSystemMetricsForDpi(metric, static_cast<UINT>(s.dpi));
  return IconOfSize(s, size, size);
}

// The window's icons for its DPI: at 96 dpi the picture serves at both sizes, as it always
// has; at other scales one icon per size the system shows, with the picture's own pixels.
void ApplyIcons(HWND hwnd, FormState& s) {
  if (s.iconPicture.argb.empty()) return;
  const bool base = s.dpi == kBaseDpi;
  HICON big = base ? IconOfSize(s, s.iconPicture.width, s.iconPicture.height) : IconOfSystemSize(s, SM_CXICON);
  HICON small = base ? big : IconOfSystemSize(s, SM_CXSMICON);
  SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (s.smallIcon != nullptr && s.smallIcon != s.icon) DestroyIcon(s.smallIcon);
  if (s.icon != nullptr) DestroyIcon(s.icon);
  s.icon = big;
  s.smallIcon = small;
}

// The user's close, from the close button, the control menu, Alt+F4 or Esc.
void UserClose(HWND hwnd, FormState* s) {
  if (s != nullptr && s->closeRequest) {
    s->closeRequest(FormWindow::kCloseByUser);
  } else {
    ShowWindow(hwnd, SW_HIDE);
  }
}

int ReportedState(WPARAM sizeType) {
  if (sizeType == SIZE_MINIMIZED) return FormWindow::kMinimized;
  if (sizeType == SIZE_MAXIMIZED) return FormWindow::kMaximized;
  return FormWindow::kNormal;
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  FormState* s = StateOf(hwnd);
  switch (message) {
    case WM_SYSCOMMAND:
      // The user's close (the close button, the control menu, Alt+F4) comes as SC_CLOSE; a bare
      // WM_CLOSE comes from another program (taskkill, a task manager) asking the program to end.
      if ((wParam & 0xFFF0) != SC_CLOSE) break;
      UserClose(hwnd, s);
      return 0;
    case WM_COMMAND:
      // The dialog keys (IsDialogMessage): Enter presses the focused button, Esc closes.
      if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
        UserClose(hwnd, s);
        return 0;
      }
      if (lParam == 0 && LOWORD(wParam) == IDOK) {
        HWND focus = GetFocus();
        if (IsChild(hwnd, focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
          SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        return 0;
      }
      if (LRESULT result = 0; AnswerControlMessage(hwnd, message, wParam, lParam, &result)) return result;
      break;
    case WM_GETDPISCALEDSIZE:
      // Moving to a monitor of another DPI: the frame around the client area scaled anew.
      if (s != nullptr) {
        *reinterpret_cast<SIZE*>(lParam) = FrameSize(*s, LOWORD(wParam));
        return TRUE;
      }
      break;
    case WM_DPICHANGED:
      if (s != nullptr) {
        s->dpi = LOWORD(wParam);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        LayOutControls(hwnd);
        ApplyIcons(hwnd, *s);
      }
      return 0;
    case WM_CLOSE:
      if (s != nullptr && s->closeRequest) {
        s->closeRequest(FormWindow::kCloseByOtherProgram);
      } else {
        ShowWindow(hwnd, SW_HIDE);
      }
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // never refused
    case WM_ENDSESSION:
      if (wParam && s != nullptr && s->closeRequest) s->closeRequest(FormWindow::kCloseBySessionEnd);
      return 0;
    case WM_SIZE:
      // Only the user's changes of a shown window are news; a hidden window keeps the state
      // the program gave it.
      if (s != nullptr && !s->applying && IsWindowVisible(hwnd) &&
          (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED || wParam == SIZE_RESTORED)) {
        const int reported = ReportedState(wParam);
        if (reported != s->state) {
          s->touched = true;
          s->state = reported;
          if (s->resized) s->resized();
        }
      }
      break;
    case WM_PARENTNOTIFY:  // a press on one of the controls
      if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN || LOWORD(wParam) == WM_MBUTTONDOWN) {
        if (s != nullptr) s->touched = true;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
      if (s != nullptr) s->touched = true;
      break;
    case WM_SETFOCUS:
      // The keyboard goes to the first control that takes it, as the toolkit's windows do.
      if (HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE)) {
        SetFocus(first);
        return 0;
      }
      break;
    default: {
      LRESULT result = 0;
      if (AnswerControlMessage(hwnd, message, wParam, lParam, &result)) return result;
      break;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::unique_ptr<NativeControl> NewForm(const std::string& title, int clientWidth, int clientHeight) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FormProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);  // the dialogs' face colour
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  HWND hwnd = CreateWindowExW(0, kFormClass, Wide(title).c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                              nullptr, nullptr, Instance(), nullptr);
  auto native = std::make_unique<NativeControl>(hwnd);
  native->form = std::make_unique<FormState>();
  FormState& s = *native->form;
  s.clientWidth = clientWidth;
  s.clientHeight = clientHeight;
  s.dpi = WindowDpi(hwnd);
  Attach(hwnd, native.get());
  // The frame around the client area at the window's DPI; the window is never resized. It
  // starts centred on the primary screen, so that it appears nowhere else when first shown.
  const SIZE frame = FrameSize(s, s.dpi);
  const std::optional<Rect> screen = PrimaryScreen();
  const Rect area = screen.value_or(Rect{0, 0, frame.cx, frame.cy});
  const int x = area.x + static_cast<int>(RoundHalfEven((static_cast<float>(area.width) - static_cast<float>(frame.cx)) / 2.0f));
  const int y = area.y + static_cast<int>(RoundHalfEven((static_cast<float>(area.height) - static_cast<float>(frame.cy)) / 2.0f));
  SetWindowPos(hwnd, nullptr, x, y, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  return native;
}

HWND Hwnd(const FormWindow& form) { return form.Native().hwnd; }
FormState& State(const FormWindow& form) { return *form.Native().form; }

// Brings the window system's state of a shown window in line with ours.
void ApplyState(const FormWindow& form) {
  HWND hwnd = Hwnd(form);
  FormState& s = State(form);
  const int current = IsIconic(hwnd) ? FormWindow::kMinimized : IsZoomed(hwnd) ? FormWindow::kMaximized : FormWindow::kNormal;
  if (current == s.state) return;
  s.applying = true;
  ShowWindow(hwnd, s.state == FormWindow::kMinimized   ? SW_MINIMIZE
                   : s.state == FormWindow::kMaximized ? SW_MAXIMIZE
                                                       : SW_RESTORE);
  s.applying = false;
}

}  // namespace

FormWindow::FormWindow(const std::string& title, int clientWidth, int clientHeight)
    : Container(NewForm(title, clientWidth, clientHeight)) {}

FormWindow::~FormWindow() = default;

std::string FormWindow::Title() const { return WindowText(Hwnd(*this)); }

void FormWindow::SetIcon(const Picture& icon) {
  FormState& s = State(*this);
  if (icon.width <= 0 || icon.height <= 0) return;
  s.iconPicture = icon;
  ApplyIcons(Hwnd(*this), s);
}

bool FormWindow::HasIcon() const { return State(*this).icon != nullptr; }

void FormWindow::SetCloseRequestHandler(std::function<void(int reason)> handler) {
  State(*this).closeRequest = std::move(handler);
}

void FormWindow::SetResizeHandler(std::function<void()> handler) { State(*this).resized = std::move(handler); }

int FormWindow::WindowState() const { return State(*this).state; }

void FormWindow::SetWindowState(int state) {
  FormState& s = State(*this);
  if (state == s.state) return;
  s.state = state;
  if (s.resized) s.resized();
  if (Visible()) ApplyState(*this);
}

void FormWindow::Show() {
  HWND hwnd = Hwnd(*this);
  FormState& s = State(*this);
  if (!IsWindowVisible(hwnd)) {
    s.applying = true;
    ShowWindow(hwnd, s.state == kMinimized   ? SW_SHOWMINNOACTIVE
                     : s.state == kMaximized ? SW_SHOWMAXIMIZED
                                             : SW_SHOWNORMAL);
    s.applying = false;
  }
  if (s.state != kMinimized) {
    BringWindowToTop(hwnd);
    SetForegroundWindow(hwnd);
  }
}

void FormWindow::Hide() { ShowWindow(Hwnd(*this), SW_HIDE); }

bool FormWindow::Visible() const { return IsWindowVisible(Hwnd(*this)) != FALSE; }

// As the user closes it: the close button's system command.
void FormWindow::Close() { SendMessageW(Hwnd(*this), WM_SYSCOMMAND, SC_CLOSE, 0); }

bool FormWindow::IsExposed() const { return Visible() && !IsIconic(Hwnd(*this)); }

void FormWindow::WaitUntilExposed(int) {
  // Showing is synchronous here: painting what is shown is all that is left.
  if (Visible()) UpdateWindow(Hwnd(*this));
}

void FormWindow::MarkUntouched() {
  FormState& s = State(*this);
  s.touched = false;
  GetWindowRect(Hwnd(*this), &s.untouched);
}

bool FormWindow::Touched() const {
  const FormState& s = State(*this);
  RECT now{};
  GetWindowRect(Hwnd(*this), &now);
  return s.touched || now.left != s.untouched.left || now.top != s.untouched.top || now.right != s.untouched.right ||
         now.bottom != s.untouched.bottom;
}

Rect FormWindow::FrameGeometry() const {
  RECT r{};
  GetWindowRect(Hwnd(*this), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void FormWindow::MoveFrameTo(int x, int y) {
  SetWindowPos(Hwnd(*this), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<Rect> PrimaryScreen() {
  const int w = GetSystemMetrics(SM_CXSCREEN);
  const int h = GetSystemMetrics(SM_CYSCREEN);
  if (w <= 0 || h <= 0) return std::nullopt;
  return Rect{0, 0, w, h};
}

}  // namespace platform
