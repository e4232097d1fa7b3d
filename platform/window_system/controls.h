// The controls of a window, in the terms a dialog editor uses: labels, push buttons, picture
// boxes that show a picture their owner draws on, and fixed images. Places are pixels of the
// container's client area, captions are UTF-8 text, colours 0xRRGGBB values. A control is made by its
// container (the form or a picture box), belongs to it and goes with it; controls take the
// keyboard focus in the order they were made. What stands behind a control (a widget, a child
// window) is this layer's business: NativeControl is defined only by each system's
// implementation.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/pictures/picture.h"

namespace platform {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int Right() const { return x + width - 1; }  // last column inside
  bool Contains(const Rect& r) const {
    return r.x >= x && r.y >= y && r.x + r.width <= x + width && r.y + r.height <= y + height;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A font by face, size and weight. A face the system lacks is replaced by its default face
// for dialogs, at the same size.
struct Font {
  std::string face = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
};

enum class TextAlign { TopLeft, Centre };

struct NativeControl;

class Control {
 public:
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Rect Geometry() const;  // in the container's client pixels
  void SetGeometry(const Rect& place);

  // The window system's object, for this layer's implementations only.
  NativeControl& Native() const { return *native_; }

 protected:
  explicit Control(std::unique_ptr<NativeControl> native);

 private:
  std::unique_ptr<NativeControl> native_;
};

class Label;
class PushButton;
class PictureBox;
class ImageBox;

// A control that holds others.
class Container : public Control {
 public:
  ~Container() override;

  Label* AddLabel(const Rect& place, const std::string& caption);
  PushButton* AddPushButton(const Rect& place, const std::string& caption);
  // Shows the picture 1:1 at (x, y), opaque; its owner draws on it and then calls
  // PixelsChanged. The picture must outlive the picture box and keep its size.
  PictureBox* AddPictureBox(int x, int y, const Picture& picture);
  // A fixed picture, copied when the image is made.
  ImageBox* AddImage(const Rect& place, const Picture& picture);

  // The controls made here, in the order they were made (their tab order).
  std::vector<Control*> Children() const;

 protected:
  using Control::Control;

 private:
  template <typename T>
  T* Adopt(std::unique_ptr<T> child);
  std::vector<std::unique_ptr<Control>> children_;
};

// Static text with its font, colours and alignment. Without a background colour the label is
// transparent: its container shows through around the text.
class Label : public Control {
 public:
  Label(Container& parent, const Rect& place, const std::string& caption);

  std::string Caption() const;
  void SetCaption(const std::string& text);
  Font GetFont() const;  // as the system shows it (the face may be a replacement)
  void SetFont(const Font& font);
  void SetForeColor(Colour colour);
  void SetBackColor(Colour colour);  // opaque from then on
  void SetAlignment(TextAlign align);
  // Width in pixels of the text in the label's font.
  int TextWidth(const std::string& text) const;
};

class PushButton : public Control {
 public:
  PushButton(Container& parent, const Rect& place, const std::string& caption);

  std::string Caption() const;
  void SetFont(const Font& font);
  std::string ToolTip() const;
  void SetToolTip(const std::string& text);
  void SetClickHandler(std::function<void()> handler);
  // Presses and releases the button as the user does.
  void Click();
};

class PictureBox : public Container {
 public:
  PictureBox(Container& parent, int x, int y, const Picture& picture);

  // Shows the picture's pixels anew.
  void PixelsChanged();
};

class ImageBox : public Control {
 public:
  ImageBox(Container& parent, const Rect& place, const Picture& picture);
};

}  // namespace platform
