#include "platform/form_window.h"

#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QWindow>

namespace platform {

FormWindow::FormWindow(int clientWidth, int clientHeight, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  // The layout is fixed in pixels, so the window never resizes.
  setFixedSize(clientWidth, clientHeight);
}

int FormWindow::WindowState() const {
  const Qt::WindowStates s = windowState();
  if (s & Qt::WindowMinimized) return kMinimized;
  if (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) return kMaximized;
  return kNormal;
}

void FormWindow::SetWindowState(int state) {
  Qt::WindowStates s = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (state == kMinimized) s |= Qt::WindowMinimized;
  if (state == kMaximized) s |= Qt::WindowMaximized;
  setWindowState(s);
}

void FormWindow::SetIconImage(const QImage& image) {
  setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

bool FormWindow::IsExposed() const {
  const QWindow* handle = windowHandle();
  return handle != nullptr && handle->isExposed();
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
  if (event->type() == QEvent::WindowStateChange && stateChangedHandler) stateChangedHandler();
}

}  // namespace platform
