// The form as a top-level toolkit widget. The widget keeps the program's window state and
// hands it to the toolkit only while shown (see form_window.h).
#include "platform/window_system/form_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/pictures/picture_unix.h"
#include "platform/window_system/native_unix.h"
#include "platform/window_system/shown_windows.h"
#include "platform/window_system/x11_wm_hints_unix.h"

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

constexpr Qt::WindowStates kStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

class FormWidget : public QWidget {
 public:
  FormWidget(const std::string& title, int clientWidth, int clientHeight)
      : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    // The layout is fixed in pixels, so the window never resizes.
    setFixedSize(clientWidth, clientHeight);
    setWindowTitle(QString::fromStdString(title));
  }

  std::function<void(int)> closeRequest;
  std::function<void()> resized;

  int State() const { return state_; }

  void MarkUntouched() {
    touched_ = false;
    untouchedGeometry_ = geometry();
    // The application's filter sees presses on the child controls too, before they take them.
    if (!watchingTouch_) QCoreApplication::instance()->installEventFilter(this);
    watchingTouch_ = true;
  }

  bool Touched() const { return touched_ || geometry() != untouchedGeometry_; }

  void SetState(int state) {
    if (state == state_) return;
    state_ = state;
    if (resized) resized();
    if (isVisible()) ApplyState();
  }

  void setVisible(bool visible) override {
    const bool showing = visible && !isVisible();
    if (showing) NoteWindowShown();  // what it draws is let go once it is hidden again
    if (showing) ApplyState();
    QWidget::setVisible(visible);
    if (visible && state_ != FormWindow::kMinimized) {
      raise();
      activateWindow();
    }
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (!closeRequest) return event->accept();
    event->ignore();  // the program decides
    closeRequest(FormWindow::kCloseByUser);
  }

  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    // Only the window manager's changes of a shown window are news: the user minimised or
    // restored it. A hidden window keeps the state the program gave it.
    if (event->type() != QEvent::WindowStateChange || applying_ || !isVisible()) return;
    const int reported = FromToolkit(windowState());
    if (reported == state_) return;
    state_ = reported;
    touched_ = true;
    if (resized) resized();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::Wheel:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
          touched_ = true;
          QCoreApplication::instance()->removeEventFilter(this);  // once is enough
          watchingTouch_ = false;
        }
        break;
      default:
        break;
    }
    return QWidget::eventFilter(watched, event);
  }

 private:
  // Brings the toolkit's (and so the window manager's) state in line with ours.
  void ApplyState() {
    const Qt::WindowStates wanted = ToolkitState(state_);
    const Qt::WindowStates current = windowState() & kStates;
    if (current == wanted) return;
    // Leaving the minimised state makes the toolkit map the window at once, with the iconic
    // hint it set when minimising: a window manager could map it minimised again.
    if ((current & Qt::WindowMinimized) && !(wanted & Qt::WindowMinimized) && testAttribute(Qt::WA_WState_Created))
      SetNormalInitialState(winId());
    applying_ = true;
    setWindowState((windowState() & ~kStates) | wanted);
    applying_ = false;
  }

  int state_ = FormWindow::kNormal;
  bool applying_ = false;  // our own request to the toolkit, not a report from the window manager
  bool watchingTouch_ = false;
  bool touched_ = false;
  QRect untouchedGeometry_;
};

FormWidget* Widget(const FormWindow& form) { return WidgetOf<FormWidget>(form); }

}  // namespace

FormWindow::FormWindow(const std::string& title, int clientWidth, int clientHeight)
    : Container(std::make_unique<NativeControl>(new FormWidget(title, clientWidth, clientHeight))) {}

FormWindow::~FormWindow() = default;

std::string FormWindow::Title() const { return Widget(*this)->windowTitle().toStdString(); }

void FormWindow::SetIcon(const Picture& icon) {
  Widget(*this)->setWindowIcon(QIcon(QPixmap::fromImage(ToQImage(icon))));
}

bool FormWindow::HasIcon() const { return !Widget(*this)->windowIcon().isNull(); }

void FormWindow::SetCloseRequestHandler(std::function<void(int reason)> handler) {
  Widget(*this)->closeRequest = std::move(handler);
}

void FormWindow::SetResizeHandler(std::function<void()> handler) { Widget(*this)->resized = std::move(handler); }

int FormWindow::WindowState() const { return Widget(*this)->State(); }

void FormWindow::SetWindowState(int state) { Widget(*this)->SetState(state); }

void FormWindow::Show() { Widget(*this)->show(); }

void FormWindow::Hide() { Widget(*this)->hide(); }

bool FormWindow::Visible() const { return Widget(*this)->isVisible(); }

void FormWindow::Close() { Widget(*this)->close(); }

bool FormWindow::IsExposed() const {
  const QWindow* handle = Widget(*this)->windowHandle();
  return handle != nullptr && handle->isExposed();
}

void FormWindow::WaitUntilExposed(int maxMs) {
  QElapsedTimer timer;
  timer.start();
  while (Visible() && !IsExposed() && timer.elapsed() < maxMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
  }
}

void FormWindow::MarkUntouched() { Widget(*this)->MarkUntouched(); }

bool FormWindow::Touched() const { return Widget(*this)->Touched(); }

Rect FormWindow::FrameGeometry() const {
  const QRect r = Widget(*this)->frameGeometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

void FormWindow::MoveFrameTo(int x, int y) {
  QWidget* w = Widget(*this);
  // The client area is placed, not the frame: window managers differ in how they read a
  // request to move a frame.
  const QPoint inset = w->geometry().topLeft() - w->frameGeometry().topLeft();
  w->setGeometry(QRect(QPoint(x, y) + inset, w->size()));
}

std::optional<Rect> PrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return std::nullopt;
  const QRect s = screen->geometry();
  return Rect{s.x(), s.y(), s.width(), s.height()};
}

}  // namespace platform
