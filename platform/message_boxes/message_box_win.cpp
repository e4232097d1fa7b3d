#include "platform/message_boxes/message_box.h"

#include <windows.h>

#include "platform/text/wide_text_win.h"

namespace platform {

namespace {

// The style word is the system's own: buttons, icon and MB_SETFOREGROUND pass as they are.
class Win32MessageBoxes : public MessageBoxes {
 public:
  void Show(const std::string& text, std::uint32_t style, const std::string& title) override {
    ::MessageBoxW(nullptr, WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(), style);
  }
};

}  // namespace

std::unique_ptr<MessageBoxes> CreateSystemMessageBoxes() { return std::make_unique<Win32MessageBoxes>(); }

}  // namespace platform
