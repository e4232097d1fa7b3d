// What stands behind a control on Win32: its child window and what the form's window
// procedure needs to paint and answer it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/locale/utf16_win.h"
#include "platform/pictures/picture.h"
#include "platform/runtime/windows_system_win.h"
#include "platform/window_system/controls.h"

namespace platform {

// What the form's window procedure keeps of the form.
struct FormState {
  FormState() = default;
  ~FormState() {
    if (smallIcon != nullptr && smallIcon != icon) DestroyIcon(smallIcon);
    if (icon != nullptr) DestroyIcon(icon);
  }
  FormState(const FormState&) = delete;
  FormState& operator=(const FormState&) = delete;
  int state = 0;          // the program's window state (FormWindow::kNormal, ...)
  bool applying = false;  // our own request to the window system, not a report from it
  bool touched = false;   // the user has taken the window up since the mark
  RECT untouched{};       // where the window was at the mark
  std::function<void(int reason)> closeRequest;
  std::function<void()> resized;
  HICON icon = nullptr;       // the window's icon at the system's large size
  HICON smallIcon = nullptr;  // and at its small size (the same icon at 96 dpi)
  Picture iconPicture;        // the icon's own pixels
  int dpi = 96;  // of the monitor the window is on; the layout is scaled from 96
  int clientWidth = 0;   // in 96-dpi pixels
  int clientHeight = 0;
};

struct NativeControl {
  explicit NativeControl(HWND h) : hwnd(h) {}
  ~NativeControl();
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  HWND hwnd;
  Rect place;                    // in the container, in 96-dpi pixels
  int originX = 0, originY = 0;  // the container's corner in the window, in 96-dpi pixels
  HFONT font = nullptr;
  std::optional<Font> fontAsked;  // the control's own font, made again for each DPI
  bool hasFore = false;
  COLORREF fore = 0;
  HBRUSH back = nullptr;  // set: an opaque label of backColour
  COLORREF backColour = 0;
  std::function<void()> clicked;
  HWND tooltip = nullptr;
  std::string tip;
  const Picture* picture = nullptr;  // a picture box shows its owner's picture, opaque
  Picture image;                     // an image box shows its own copy
  std::unique_ptr<FormState> form;  // the form's own window
};

// Ties a window to the control it stands for, until the control goes.
void Attach(HWND hwnd, NativeControl* control);
// The control that a window of ours stands for (null for other windows).
NativeControl* ControlOf(HWND hwnd);

// A window's text as UTF-8.
std::string WindowText(HWND hwnd);

// The process's module, for window classes and windows.
HINSTANCE Instance();
// Puts a new control above the controls made before it, as the toolkit stacks them.
void Stack(HWND control);

// The DPI of the monitor a window of ours is on (96 before Windows 10's per-monitor DPI).
int WindowDpi(HWND hwnd);
// Places a control at its place scaled for the DPI of its window.
void PlaceControl(NativeControl& control);
// Makes the control's font again at its window's DPI (a control without a font of its own keeps
// the system's).
void ApplyFont(NativeControl& control);
// Lays out every control of a form for the form's DPI, as a new DPI asks.
void LayOutControls(HWND form);

// A container's answer to its controls' messages (colours, clicks); false: not one of ours,
// the default procedure answers.
bool AnswerControlMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace platform
