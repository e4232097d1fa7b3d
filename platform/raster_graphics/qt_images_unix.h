// Conversions from the raster layer's objects to Qt images, for the widgets that show them.
#pragma once

#include <QImage>
#include <QPixmap>

#include "platform/raster_graphics/gdi.h"
#include "platform/raster_graphics/picture_surface.h"

namespace platform {

// The icon's pixels with its transparency (ARGB32); a null image for a handle that is no icon.
QImage IconToQImage(gdi::HICON icon);
// The picture's bitmap as an opaque pixmap; a null pixmap for no picture.
QPixmap PictureToPixmap(const StdPicture& picture);
// A copy of the surface's persistent image (RGB32).
QImage SurfaceToQImage(const PictureSurface& surface);

}  // namespace platform
