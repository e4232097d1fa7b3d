// The font of dialog labels: "MS Sans Serif" 8.25 pt where installed, otherwise the
// platform's default sans-serif face at the same size.
#pragma once

#include <QFont>

namespace platform {

QFont DialogFont(bool bold = false);

}  // namespace platform
