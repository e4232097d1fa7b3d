// A top-level window with a fixed client size whose close requests and state changes are
// handed to the program through plain callbacks.
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
  // Called after the window has been minimised, maximised or restored.
  std::function<void()> stateChangedHandler;

  int WindowState() const;  // kNormal, kMinimized or kMaximized
  void SetWindowState(int state);
  void SetIconImage(const QImage& image);
  // True once the window system shows the window's contents on screen.
  bool IsExposed() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
};

}  // namespace platform
