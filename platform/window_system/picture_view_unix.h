// Shows a picture 1:1 and opaque in a widget, repainted when its owner says the pixels
// changed; child widgets placed on it are drawn over the picture.
#pragma once

#include <QWidget>

#include "platform/pictures/picture.h"

namespace platform {

class PictureView : public QWidget {
 public:
  // The picture must outlive the view and keep its size.
  explicit PictureView(const Picture& picture, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Picture& picture_;
};

}  // namespace platform
