// The controls of a window, in the terms a dialog editor uses: labels, push buttons, picture
// boxes that show a picture surface, and fixed images. Places are pixels of the container's
// client area, captions are UTF-8 text, colours 0x00BBGGRR values. A control is made by its
// container (the form or a picture box), belongs to it and goes with it; controls take the
// keyboard focus in the order they were made. What stands behind a control (a widget, a child
// window) is this layer's business: NativeControl is defined only by each system's
// implementation.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/raster_graphics/gdi.h"

namespace platform {

class PictureSurface;
class StdPicture;

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
  // Shows the surface's persistent image 1:1 at (x, y), repainted whenever the surface
  // changes. The surface must outlive the picture box.
  PictureBox* AddPictureBox(int x, int y, PictureSurface& surface);
  // A fixed picture, copied when the image is made.
  ImageBox* AddImage(const Rect& place, const StdPicture& picture);

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
  void SetForeColor(gdi::COLORREF colour);
  void SetBackColor(gdi::COLORREF colour);  // opaque from then on
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
  PictureBox(Container& parent, int x, int y, PictureSurface& surface);

  PictureSurface& Surface() const { return surface_; }

 private:
  PictureSurface& surface_;
};

class ImageBox : public Control {
 public:
  ImageBox(Container& parent, const Rect& place, const StdPicture& picture);
};

}  // namespace platform
