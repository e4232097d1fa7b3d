// Pictures as the toolkit's images, for the widgets that show them.
#pragma once

#include <QImage>

#include "platform/pictures/picture.h"

namespace platform {

// A copy of the picture with its transparency (ARGB32); a null image for an empty picture.
QImage ToQImage(const Picture& picture);
// The picture's pixels as they are, without a copy (valid while the picture is unchanged).
QImage WrapQImage(const Picture& picture);

}  // namespace platform
