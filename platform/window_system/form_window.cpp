#include "platform/window_system/form_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QWindow>

#include "platform/window_system/shown_windows.h"
#include "platform/window_system/x11_wm_hints.h"

namespace platform {
namespace {

Qt::WindowStates ToolkitState(int state) {
  if (state == FormWindow::kMinimized) return Qt::WindowMinimized;
  if (state == FormWindow::kMaximized) return Qt::WindowMaximized;
  return Qt::WindowNoState;
}

int FromToolkit(Qt::WindowStates s) {
  if (s & Qt::WindowMinimized) return FormWindow::kMinimized;
  if (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) return FormWindow::kMaximized;
  return FormWindow::kNormal;
}

}  // namespace

FormWindow::FormWindow(int clientWidth, int clientHeight, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  // The layout is fixed in pixels, so the window never resizes.
  setFixedSize(clientWidth, clientHeight);
}

void FormWindow::SetWindowState(int state) {
  if (state == state_) return;
  state_ = state;
  if (stateChangedHandler) stateChangedHandler();
  if (isVisible()) ApplyState();
}

// Brings the toolkit's (and so the window manager's) state in line with ours.
void FormWindow::ApplyState() {
  const Qt::WindowStates wanted = ToolkitState(state_);
  const Qt::WindowStates current = windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
  if (current == wanted) return;
  // Leaving the minimised state makes the toolkit map the window at once, with the iconic
  // hint it set when minimising: a window manager could map it minimised again.
  if ((current & Qt::WindowMinimized) && !(wanted & Qt::WindowMinimized) && testAttribute(Qt::WA_WState_Created))
    SetNormalInitialState(winId());
  applying_ = true;
  setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) | wanted);
  applying_ = false;
}

void FormWindow::setVisible(bool visible) {
  const bool showing = visible && !isVisible();
  if (showing) NoteWindowShown();  // what it draws is let go once it is hidden again
  if (showing) ApplyState();
  QWidget::setVisible(visible);
  if (visible && state_ != kMinimized) {
    raise();
    activateWindow();
  }
}

void FormWindow::SetIconImage(const QImage& image) {
  setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

bool FormWindow::IsExposed() const {
  const QWindow* handle = windowHandle();
  return handle != nullptr && handle->isExposed();
}

void FormWindow::MoveFrameTo(int x, int y) {
  // The client area is placed, not the frame: window managers differ in how they read a
  // request to move a frame.
  const QPoint inset = geometry().topLeft() - frameGeometry().topLeft();
  setGeometry(QRect(QPoint(x, y) + inset, size()));
}

void FormWindow::WaitUntilExposed(int maxMs) {
  QElapsedTimer timer;
  timer.start();
  while (isVisible() && !IsExposed() && timer.elapsed() < maxMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
  }
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (closeHandler) {
    closeHandler(event);
  } else {
    event->accept();
  }
}

void FormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Only the window manager's changes of a shown window are news: the user minimised or
  // restored it. A hidden window keeps the state the program gave it.
  if (event->type() != QEvent::WindowStateChange || applying_ || !isVisible()) return;
  const int reported = FromToolkit(windowState());
  if (reported == state_) return;
  state_ = reported;
  if (stateChangedHandler) stateChangedHandler();
}

}  // namespace platform
