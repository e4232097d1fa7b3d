// What stands behind a control on Win32: its child window and what the form's window
// procedure needs to paint and answer it. Our headers come before <windows.h>, whose macros
// would otherwise rewrite some of our names.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/locale/utf16_win.h"
#include "platform/pictures/picture.h"
#include "platform/window_system/controls.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

// What the form's window procedure keeps of the form.
struct FormState {
  FormState() = default;
  ~FormState() {
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
  HICON icon = nullptr;
};

struct NativeControl {
  explicit NativeControl(HWND h) : hwnd(h) {}
  ~NativeControl();
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  HWND hwnd;
  HFONT font = nullptr;
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

// A container's answer to its controls' messages (colours, clicks); false: not one of ours,
// the default procedure answers.
bool AnswerControlMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace platform
