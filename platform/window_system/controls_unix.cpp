// The controls as toolkit widgets: a label is a QLabel, a push button a QPushButton, a picture
// box a PictureView, an image a QLabel holding a pixmap.
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include "platform/pictures/picture_unix.h"
#include "platform/window_system/controls.h"
#include "platform/window_system/dialog_font_unix.h"
#include "platform/window_system/native_unix.h"
#include "platform/window_system/picture_view_unix.h"

namespace platform {

namespace {

QWidget* ParentWidget(Container& parent) { return parent.Native().widget.data(); }

QRect ToQRect(const Rect& r) { return QRect(r.x, r.y, r.width, r.height); }

QColor ToQColor(Colour c) { return QColor::fromRgb(c & 0xFFFFFF); }

void SetPaletteColour(QWidget* widget, QPalette::ColorRole role, Colour colour) {
  QPalette p = widget->palette();
  p.setColor(role, ToQColor(colour));
  widget->setPalette(p);
}

QLabel* NewLabel(Container& parent, const Rect& place, const std::string& caption) {
  auto* label = new QLabel(QString::fromStdString(caption), ParentWidget(parent));
  label->setGeometry(ToQRect(place));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QPushButton* NewButton(Container& parent, const Rect& place, const std::string& caption) {
  auto* button = new QPushButton(QString::fromStdString(caption), ParentWidget(parent));
  button->setGeometry(ToQRect(place));
  return button;
}

PictureView* NewView(Container& parent, int x, int y, const Picture& picture) {
  auto* view = new PictureView(picture, ParentWidget(parent));
  view->move(x, y);
  return view;
}

QLabel* NewImage(Container& parent, const Rect& place, const Picture& picture) {
  auto* image = new QLabel(ParentWidget(parent));
  image->setGeometry(ToQRect(place));
  image->setPixmap(QPixmap::fromImage(ToQImage(picture)));
  return image;
}

}  // namespace

Control::Control(std::unique_ptr<NativeControl> native) : native_(std::move(native)) {}

Control::~Control() = default;

Rect Control::Geometry() const {
  const QRect r = native_->widget->geometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

void Control::SetGeometry(const Rect& place) { native_->widget->setGeometry(ToQRect(place)); }

Label::Label(Container& parent, const Rect& place, const std::string& caption)
    : Control(std::make_unique<NativeControl>(NewLabel(parent, place, caption))) {}

std::string Label::Caption() const { return WidgetOf<QLabel>(*this)->text().toStdString(); }

void Label::SetCaption(const std::string& text) { WidgetOf<QLabel>(*this)->setText(QString::fromStdString(text)); }

Font Label::GetFont() const {
  const QFont f = WidgetOf<QLabel>(*this)->font();
  return {f.family().toStdString(), f.pointSizeF(), f.bold()};
}

void Label::SetFont(const Font& font) { WidgetOf<QLabel>(*this)->setFont(ToolkitFont(font)); }

void Label::SetForeColor(Colour colour) { SetPaletteColour(WidgetOf<QLabel>(*this), QPalette::WindowText, colour); }

void Label::SetBackColor(Colour colour) {
  QLabel* label = WidgetOf<QLabel>(*this);
  label->setAutoFillBackground(true);
  SetPaletteColour(label, QPalette::Window, colour);
}

void Label::SetAlignment(TextAlign align) {
  WidgetOf<QLabel>(*this)->setAlignment(align == TextAlign::Centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
}

int Label::TextWidth(const std::string& text) const {
  return WidgetOf<QLabel>(*this)->fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

PushButton::PushButton(Container& parent, const Rect& place, const std::string& caption)
    : Control(std::make_unique<NativeControl>(NewButton(parent, place, caption))) {}

std::string PushButton::Caption() const { return WidgetOf<QPushButton>(*this)->text().toStdString(); }

void PushButton::SetFont(const Font& font) { WidgetOf<QPushButton>(*this)->setFont(ToolkitFont(font)); }

std::string PushButton::ToolTip() const { return WidgetOf<QPushButton>(*this)->toolTip().toStdString(); }

void PushButton::SetToolTip(const std::string& text) {
  WidgetOf<QPushButton>(*this)->setToolTip(QString::fromStdString(text));
}

void PushButton::SetClickHandler(std::function<void()> handler) {
  QPushButton* button = WidgetOf<QPushButton>(*this);
  QObject::disconnect(button, &QPushButton::clicked, nullptr, nullptr);
  if (handler) QObject::connect(button, &QPushButton::clicked, button, std::move(handler));
}

void PushButton::Click() { WidgetOf<QPushButton>(*this)->click(); }

PictureBox::PictureBox(Container& parent, int x, int y, const Picture& picture)
    : Container(std::make_unique<NativeControl>(NewView(parent, x, y, picture))) {}

void PictureBox::PixelsChanged() { Native().widget->update(); }

ImageBox::ImageBox(Container& parent, const Rect& place, const Picture& picture)
    : Control(std::make_unique<NativeControl>(NewImage(parent, place, picture))) {}

}  // namespace platform
