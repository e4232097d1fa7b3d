// The tests' surroundings on Linux: the settings in a folder of the test's own, the toolkit's
// mouse events.
#include <QCoreApplication>
#include <QMouseEvent>

#include "form1_harness.h"
#include "platform/window_system/native_unix.h"

std::string TestSettingsRoot(const TempDir& dir) { return dir.File("config"); }

void RemoveTestSettingsRoot(const std::string&) {}  // goes with its temporary folder

void PressMouseOn(const platform::Control& control) {
  QWidget* widget = platform::WidgetOf<QWidget>(control);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &press);
}

void ForgetQuitRequest() {}  // the toolkit's quit ends only a loop that runs
