// What stands behind a control on the toolkit: its widget, which the control deletes when it
// goes (unless the toolkit has already deleted it with its parent).
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/window_system/controls.h"

namespace platform {

struct NativeControl {
  explicit NativeControl(QWidget* w) : widget(w) {}
  ~NativeControl() { delete widget.data(); }
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;
  QPointer<QWidget> widget;
};

// The control's widget as the kind of widget it is.
template <typename W>
W* WidgetOf(const Control& control) {
  return static_cast<W*>(control.Native().widget.data());
}

}  // namespace platform
