// Message boxes of the system (MessageBoxW), the style word passed as it is.
#include "platform/message_boxes/message_box.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platform {

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

void SystemMessageBoxes::Show(const std::string& text, std::uint32_t style, const std::string& title) {
  MessageBoxW(nullptr, Wide(text).c_str(), Wide(title).c_str(), style);
}

}  // namespace platform
