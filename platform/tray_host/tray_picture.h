// A tray icon's picture: straight 0xAARRGGBB pixels (alpha 0 is transparent), row 0 at the top.
#pragma once

#include "platform/pictures/picture.h"

namespace platform {

using TrayPicture = Picture;

}  // namespace platform
