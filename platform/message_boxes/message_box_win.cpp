// Message boxes of the system (MessageBoxW): an OK button, the icon of the message's kind, and
// the box brought to the foreground.
#include "platform/message_boxes/message_box.h"

#include "platform/locale/utf16_win.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

void SystemMessageBoxes::Show(const std::string& text, MessageKind kind, const std::string& title) {
  const UINT icon = kind == MessageKind::Error ? MB_ICONERROR : MB_ICONINFORMATION;
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace platform
