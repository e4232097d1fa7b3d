#include "platform/message_boxes/message_box.h"

#include <QMessageBox>
#include <QString>

#include "platform/window_system/shown_windows.h"

namespace platform {

void SystemMessageBoxes::Show(const std::string& text, MessageKind kind, const std::string& title) {
  NoteWindowShown();
  const QMessageBox::Icon icon = kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information;
  QMessageBox box(icon, QString::fromStdString(title), QString::fromStdString(text), QMessageBox::Ok);
  // In front of whatever the user is doing: the message may come while the window is hidden.
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.show();
  box.raise();
  box.activateWindow();
  box.exec();
}

}  // namespace platform
