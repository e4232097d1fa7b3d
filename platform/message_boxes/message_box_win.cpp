// Message boxes of the system (MessageBoxW): the style word is the system's own, buttons, icon
// and MB_SETFOREGROUND pass as they are.
#include "platform/message_boxes/message_box.h"

#include "platform/locale/utf16_win.h"
#include "platform/runtime/windows_system_win.h"

namespace platform {

void SystemMessageBoxes::Show(const std::string& text, std::uint32_t style, const std::string& title) {
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), style);
}

}  // namespace platform
