#include "platform/message_boxes/message_box.h"

#include <QMessageBox>
#include <QString>

#include "platform/window_system/shown_windows.h"

namespace platform {

namespace {

QMessageBox::Icon IconForStyle(std::uint32_t style) {
  switch (style & 0xF0u) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

void SystemMessageBoxes::Show(const std::string& text, std::uint32_t style, const std::string& title) {
  NoteWindowShown();
  QMessageBox box(IconForStyle(style), QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Ok);
  if (style & MB_SETFOREGROUND) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.show();
    box.raise();
    box.activateWindow();
  }
  box.exec();
}

}  // namespace platform
