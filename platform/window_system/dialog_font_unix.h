// The toolkit font for a font of ours: the face where installed, otherwise the platform's
// default face for dialogs, at the same size and weight.
#pragma once

#include <QFont>

#include "platform/window_system/controls.h"

namespace platform {

QFont ToolkitFont(const Font& font);

}  // namespace platform
