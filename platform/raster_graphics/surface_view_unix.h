// Shows a picture surface's persistent image 1:1 in a widget. The view repaints whenever the
// surface reports a change; child widgets placed on it are drawn over the image.
#pragma once

#include <QWidget>

#include "platform/raster_graphics/picture_surface.h"

namespace platform {

class SurfaceView : public QWidget {
 public:
  // The surface must outlive the view; the view registers itself as the surface's change
  // listener and unregisters when destroyed.
  explicit SurfaceView(PictureSurface& surface, QWidget* parent = nullptr);
  ~SurfaceView() override;
  SurfaceView(const SurfaceView&) = delete;
  SurfaceView& operator=(const SurfaceView&) = delete;

  PictureSurface& Surface() const { return surface_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PictureSurface& surface_;
};

}  // namespace platform
