// Message boxes: a text, a title and the kind of message, with an OK button, brought to the
// front.
#pragma once

#include <string>

namespace platform {

// What a message tells, which picks the box's icon.
enum class MessageKind { Information, Error };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box with an OK button and the icon of its kind; returns when dismissed.
  virtual void Show(const std::string& text, MessageKind kind, const std::string& title) = 0;
};

// The system's own message boxes: QMessageBox on Linux, MessageBoxW on Windows.
class SystemMessageBoxes : public MessageBoxes {
 public:
  void Show(const std::string& text, MessageKind kind, const std::string& title) override;
};

}  // namespace platform
