#include "platform/window_system/dialog_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {

QFont DialogFont(bool bold) {
  static const QString family = [] {
    const QString preferred = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)) return preferred;
    const QString system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return system.isEmpty() ? QStringLiteral("Sans Serif") : system;
  }();
  QFont font(family);
  font.setPointSizeF(8.25);
  font.setBold(bold);
  return font;
}

}  // namespace platform
