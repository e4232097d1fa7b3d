#include "platform/window_system/controls.h"

namespace platform {

// The controls go before their container's own window, newest first.
Container::~Container() {
  while (!children_.empty()) children_.pop_back();
}

template <typename T>
T* Container::Adopt(std::unique_ptr<T> child) {
  T* raw = child.get();
  children_.push_back(std::move(child));
  return raw;
}

Label* Container::AddLabel(const Rect& place, const std::string& caption) {
  return Adopt(std::make_unique<Label>(*this, place, caption));
}

PushButton* Container::AddPushButton(const Rect& place, const std::string& caption) {
  return Adopt(std::make_unique<PushButton>(*this, place, caption));
}

PictureBox* Container::AddPictureBox(int x, int y, const Picture& picture) {
  return Adopt(std::make_unique<PictureBox>(*this, x, y, picture));
}

ImageBox* Container::AddImage(const Rect& place, const Picture& picture) {
  return Adopt(std::make_unique<ImageBox>(*this, place, picture));
}

std::vector<Control*> Container::Children() const {
  std::vector<Control*> out;
  out.reserve(children_.size());
  for (const auto& child : children_) out.push_back(child.get());
  return out;
}

}  // namespace platform
