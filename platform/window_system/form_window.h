// A top-level window with a fixed client size whose close requests and state changes are
// handed to the program through plain callbacks.
//
// The window state (normal, minimised, maximised) is kept here and handed to the window
// manager only while the window is shown: minimising a window that the state-change handler
// then hides never reaches the window manager, so no iconify is still under way when the
// window is withdrawn, and the next show maps it in the state asked for. Window managers act
// on iconify requests asynchronously; a window withdrawn while one is pending stays marked
// iconic and comes back minimised.
#pragma once

#include <QCloseEvent>
#include <QImage>
#include <QWidget>
#include <functional>

namespace platform {

class FormWindow : public QWidget {
 public:
  static constexpr int kNormal = 0;
  static constexpr int kMinimized = 1;
  static constexpr int kMaximized = 2;

  FormWindow(int clientWidth, int clientHeight, QWidget* parent = nullptr);

  // Called for every close request; the handler accepts or ignores the event. Without a
  // handler the window closes.
  std::function<void(QCloseEvent*)> closeHandler;
  // Called after the window has been minimised, maximised or restored, by the program or by
  // the user through the window manager.
  std::function<void()> stateChangedHandler;

  int WindowState() const { return state_; }  // kNormal, kMinimized or kMaximized
  // Changes the state and calls the handler; a window still shown after the handler then
  // goes to that state on screen. A hidden window takes its state when next shown.
  void SetWindowState(int state);
  void SetIconImage(const QImage& image);
  // True once the window system shows the window's contents on screen.
  bool IsExposed() const;
  // Places the window so that its frame's top-left corner is at (x, y) on the screen.
  void MoveFrameTo(int x, int y);
  // Handles window-system events until the shown window is on screen, framed by the window
  // manager, or until maxMs have passed.
  void WaitUntilExposed(int maxMs);

  // Whether the user has taken the window up since MarkUntouched: moved or resized it, changed
  // its state through the window manager, or clicked, typed or turned the wheel in it.
  void MarkUntouched();
  bool Touched() const;

  // Showing maps the window in its state; shown in the normal state it is raised and given
  // the focus where the window manager allows.
  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyState();

  int state_ = kNormal;
  bool applying_ = false;  // our own request to the toolkit, not a report from the window manager
  bool watchingTouch_ = false;
  bool touched_ = false;
  QRect untouchedGeometry_;
};

}  // namespace platform
