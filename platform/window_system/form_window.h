// The program's top-level window: a title, an icon, a fixed client size and the controls on
// it. Close requests and state changes are handed to the program through plain
// handlers, one at a time on the user-interface thread; the window never closes itself.
//
// The window state (normal, minimised, maximised) is kept here and handed to the window
// system only while the window is shown: minimising a window that the resize handler then
// hides never reaches it, so no minimise is still under way when the window is withdrawn,
// and the next show puts it on screen in the state asked for.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/pictures/picture.h"
#include "platform/window_system/controls.h"

namespace platform {

class FormWindow : public Container {
 public:
  // Window states.
  static constexpr int kNormal = 0;
  static constexpr int kMinimized = 1;
  static constexpr int kMaximized = 2;
  // Close reasons the close-request handler receives from the window system.
  static constexpr int kCloseByUser = 0;        // close button, control menu, shortcut
  static constexpr int kCloseBySessionEnd = 2;  // the user's session is ending
  static constexpr int kCloseByOtherProgram = 3;  // another program asked (a task manager, taskkill)

  // A hidden window in the normal state, of the given client size, never resized.
  FormWindow(const std::string& title, int clientWidth, int clientHeight);
  ~FormWindow() override;

  std::string Title() const;
  // The window's own icon, copied.
  void SetIcon(const Picture& icon);
  bool HasIcon() const;

  // Called for every close request with its reason; the window stays unless the program
  // hides or destroys it.
  void SetCloseRequestHandler(std::function<void(int reason)> handler);
  // Called after the window has been minimised, maximised or restored, by the program or by
  // the user through the window system.
  void SetResizeHandler(std::function<void()> handler);

  int WindowState() const;  // kNormal, kMinimized or kMaximized
  // Changes the state and calls the resize handler; a window still shown after the handler
  // then goes to that state on screen. A hidden window takes its state when next shown.
  void SetWindowState(int state);

  // Showing puts the window on screen in its state; shown in the normal state it is raised
  // and given the focus where the window system allows.
  void Show();
  void Hide();
  bool Visible() const;
  // Asks the window to close as its close button does: the close-request handler decides.
  void Close();

  // True once the window system shows the window's contents on screen.
  bool IsExposed() const;
  // Handles window-system events until the shown window is on screen, framed by the window
  // manager, or until maxMs have passed.
  void WaitUntilExposed(int maxMs);

  // Whether the user has taken the window up since MarkUntouched: moved or resized it, changed
  // its state through the window system, or clicked, typed or turned the wheel in it.
  void MarkUntouched();
  bool Touched() const;

  // The window's place on the screen with its frame, in screen pixels.
  Rect FrameGeometry() const;
  // Places the window so that its frame's top-left corner is at (x, y) on the screen.
  void MoveFrameTo(int x, int y);
};

// The primary screen's whole area in screen pixels; none without a screen.
std::optional<Rect> PrimaryScreen();

}  // namespace platform
