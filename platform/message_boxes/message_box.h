// Message boxes: text, title and the platform's style word (buttons, icon, foreground).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline constexpr std::uint32_t MB_OK = 0x0;
inline constexpr std::uint32_t MB_ICONERROR = 0x10;
inline constexpr std::uint32_t MB_ICONQUESTION = 0x20;
inline constexpr std::uint32_t MB_ICONWARNING = 0x30;
inline constexpr std::uint32_t MB_ICONINFORMATION = 0x40;
inline constexpr std::uint32_t MB_SETFOREGROUND = 0x10000;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box with an OK button and the icon the style names; returns when dismissed.
  virtual void Show(const std::string& text, std::uint32_t style, const std::string& title) = 0;
};

// The system's own message boxes: QMessageBox on Linux, MessageBoxW on Windows.
class SystemMessageBoxes : public MessageBoxes {
 public:
  void Show(const std::string& text, std::uint32_t style, const std::string& title) override;
};

}  // namespace platform
