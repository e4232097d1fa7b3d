// The controls as Win32 child windows: a label is a STATIC, a push button a BUTTON with a
// comctl32 tooltip, a picture box and an image are windows of our own class that paint their
// pixels scaled to the window's DPI (paint_pixels_win.h). Places are kept in 96-dpi pixels
// and scaled for the window system (display_scale.h).
#include "platform/window_system/display_scale.h"
#include "platform/window_system/native_win.h"
#include "platform/window_system/paint_pixels_win.h"

#include <commctrl.h>

#include <cmath>

namespace platform {

namespace {

constexpr wchar_t kControlProp[] = L"NativeControl";
constexpr wchar_t kPictureClass[] = L"PictureBox";

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // every pixel is painted
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (const NativeControl* c = ControlOf(hwnd)) {
        const Picture& picture = c->picture != nullptr ? *c->picture : c->image;
        // A picture set aside in another form while unseen has no pixels to show.
        if (picture.width > 0 && picture.height > 0 &&
            picture.argb.size() == static_cast<std::size_t>(picture.width) * picture.height) {
          RECT area{};
          GetClientRect(hwnd, &area);
          PaintPixels(dc, picture, area);
        }
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    default: {
      LRESULT result = 0;
      if (AnswerControlMessage(hwnd, message, wParam, lParam, &result)) return result;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  }
}

void RegisterPictureClass() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kPictureClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

std::unique_ptr<NativeControl> NewChild(Container& parent, const wchar_t* windowClass, const std::string& text,
                                        DWORD style, const Rect& place) {
  // A control on a picture box is placed from the box's corner in the window.
  const NativeControl& container = parent.Native();
  const bool onForm = container.form != nullptr;
  const int originX = onForm ? 0 : container.originX + container.place.x;
  const int originY = onForm ? 0 : container.originY + container.place.y;
  const Rect r = ScaleRect(place, WindowDpi(container.hwnd), originX, originY);
  HWND hwnd = CreateWindowExW(0, windowClass, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                              r.x, r.y, r.width, r.height, container.hwnd, nullptr, Instance(), nullptr);
  auto native = std::make_unique<NativeControl>(hwnd);
  native->place = place;
  native->originX = originX;
  native->originY = originY;
  Attach(hwnd, native.get());
  Stack(hwnd);
  return native;
}

std::unique_ptr<NativeControl> NewLabel(Container& parent, const Rect& place, const std::string& caption) {
  return NewChild(parent, L"STATIC", caption, SS_LEFT | SS_NOPREFIX, place);
}

std::unique_ptr<NativeControl> NewButton(Container& parent, const Rect& place, const std::string& caption) {
  return NewChild(parent, L"BUTTON", caption, WS_TABSTOP | BS_PUSHBUTTON, place);
}

std::unique_ptr<NativeControl> NewView(Container& parent, int x, int y, const Picture& picture) {
  RegisterPictureClass();
  auto native = NewChild(parent, kPictureClass, "", WS_CLIPCHILDREN, {x, y, picture.width, picture.height});
  native->picture = &picture;
  return native;
}

std::unique_ptr<NativeControl> NewImage(Container& parent, const Rect& place, const Picture& picture) {
  RegisterPictureClass();
  auto native = NewChild(parent, kPictureClass, "", 0, place);
  native->image = picture;
  return native;
}

COLORREF SystemColour(Colour c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

}  // namespace

void ApplyFont(NativeControl& c) {
  if (!c.fontAsked) return;  // the system's font, which follows the DPI itself
  const Font& font = *c.fontAsked;
  LOGFONTW lf{};
  lf.lfHeight = -FontPixelHeight(font.points, WindowDpi(c.hwnd));
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  // The system maps a face it lacks to its nearest, "MS Sans Serif" to its TrueType heir.
  lstrcpynW(lf.lfFaceName, Wide(font.face).c_str(), LF_FACESIZE);
  HFONT made = CreateFontIndirectW(&lf);
  SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
  if (c.font != nullptr) DeleteObject(c.font);
  c.font = made;
}

NativeControl::~NativeControl() {
  if (tooltip != nullptr) DestroyWindow(tooltip);
  if (IsWindow(hwnd)) {
    RemovePropW(hwnd, kControlProp);
    DestroyWindow(hwnd);
  }
  if (font != nullptr) DeleteObject(font);
  if (back != nullptr) DeleteObject(back);
}

void Attach(HWND hwnd, NativeControl* control) { SetPropW(hwnd, kControlProp, control); }

NativeControl* ControlOf(HWND hwnd) { return static_cast<NativeControl*>(GetPropW(hwnd, kControlProp)); }

std::string WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void Stack(HWND control) {
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool AnswerControlMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  NativeControl* c = lParam != 0 ? ControlOf(reinterpret_cast<HWND>(lParam)) : nullptr;
  if (c == nullptr) return false;
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (c->clicked) c->clicked();
    *result = 0;
    return true;
  }
  if (message == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (c->hasFore) SetTextColor(dc, c->fore);
    if (c->back != nullptr) {
      SetBkColor(dc, c->backColour);
      *result = reinterpret_cast<LRESULT>(c->back);
    } else {
      // Transparent: the text over the container's face colour.
      SetBkMode(dc, TRANSPARENT);
      *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return true;
  }
  return false;
}

Control::Control(std::unique_ptr<NativeControl> native) : native_(std::move(native)) {}

Control::~Control() = default;

Rect Control::Geometry() const {
  HWND hwnd = native_->hwnd;
  RECT r{};
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  } else {
    // A top-level window: its client area, placed on the screen.
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
  }
  const Rect shown{r.left, r.top, r.right - r.left, r.bottom - r.top};
  if (native_->form != nullptr) {
    // The client area at its place on the screen, its size in 96-dpi pixels.
    const Rect size = UnscaleRect({0, 0, shown.width, shown.height}, WindowDpi(hwnd));
    return {shown.x, shown.y, size.width, size.height};
  }
  return UnscaleRect(shown, WindowDpi(hwnd), native_->originX, native_->originY);
}

void Control::SetGeometry(const Rect& place) {
  native_->place = place;
  PlaceControl(*native_);
}

Label::Label(Container& parent, const Rect& place, const std::string& caption)
    : Control(NewLabel(parent, place, caption)) {}

std::string Label::Caption() const { return WindowText(Native().hwnd); }

void Label::SetCaption(const std::string& text) {
  if (text != Caption()) SetWindowTextW(Native().hwnd, Wide(text).c_str());
}

Font Label::GetFont() const {
  LOGFONTW lf{};
  HGDIOBJ font = Native().font != nullptr ? static_cast<HGDIOBJ>(Native().font) : GetStockObject(DEFAULT_GUI_FONT);
  GetObjectW(font, sizeof lf, &lf);
  return {Utf8(lf.lfFaceName), std::abs(lf.lfHeight) * 72.0 / WindowDpi(Native().hwnd), lf.lfWeight >= FW_BOLD};
}

void Label::SetFont(const Font& font) {
  Native().fontAsked = font;
  ApplyFont(Native());
}

void Label::SetForeColor(Colour colour) {
  Native().hasFore = true;
  Native().fore = SystemColour(colour);
  InvalidateRect(Native().hwnd, nullptr, TRUE);
}

void Label::SetBackColor(Colour colour) {
  if (Native().back != nullptr) DeleteObject(Native().back);
  Native().back = CreateSolidBrush(SystemColour(colour));
  Native().backColour = SystemColour(colour);
  InvalidateRect(Native().hwnd, nullptr, TRUE);
}

void Label::SetAlignment(TextAlign align) {
  HWND hwnd = Native().hwnd;
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_TYPEMASK | SS_CENTERIMAGE);
  style |= align == TextAlign::Centre ? SS_CENTER | SS_CENTERIMAGE : SS_LEFT;
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  InvalidateRect(hwnd, nullptr, TRUE);
}

int Label::TextWidth(const std::string& text) const {
  HWND hwnd = Native().hwnd;
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, Native().font != nullptr ? static_cast<HGDIOBJ>(Native().font)
                                                          : GetStockObject(DEFAULT_GUI_FONT));
  const std::wstring wide = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return UnscaleLength(size.cx, WindowDpi(hwnd));
}

PushButton::PushButton(Container& parent, const Rect& place, const std::string& caption)
    : Control(NewButton(parent, place, caption)) {}

std::string PushButton::Caption() const { return WindowText(Native().hwnd); }

void PushButton::SetFont(const Font& font) {
  Native().fontAsked = font;
  ApplyFont(Native());
}

std::string PushButton::ToolTip() const { return Native().tip; }

void PushButton::SetToolTip(const std::string& text) {
  NativeControl& c = Native();
  c.tip = text;
  std::wstring wide = Wide(text);
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;  // understood with and without common controls 6
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(c.hwnd);
  ti.uId = reinterpret_cast<UINT_PTR>(c.hwnd);
  ti.lpszText = wide.data();
  if (c.tooltip == nullptr) {
    c.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                GetAncestor(c.hwnd, GA_ROOT), nullptr, Instance(), nullptr);
    SendMessageW(c.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  } else {
    SendMessageW(c.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void PushButton::SetClickHandler(std::function<void()> handler) { Native().clicked = std::move(handler); }

// The click the button would send its parent, through the parent's own procedure.
void PushButton::Click() {
  HWND hwnd = Native().hwnd;
  SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
}

PictureBox::PictureBox(Container& parent, int x, int y, const Picture& picture)
    : Container(NewView(parent, x, y, picture)) {}

void PictureBox::PixelsChanged() { InvalidateRect(Native().hwnd, nullptr, FALSE); }

ImageBox::ImageBox(Container& parent, const Rect& place, const Picture& picture)
    : Control(NewImage(parent, place, picture)) {}

}  // namespace platform
