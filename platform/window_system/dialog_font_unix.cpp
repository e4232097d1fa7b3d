#include "platform/window_system/dialog_font_unix.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {

namespace {

// Looking the face up in the font database is slow, and every control asks for the same one:
// the last answer is kept.
QString Family(const std::string& face) {
  static std::string asked;
  static QString family;
  if (family.isEmpty() || face != asked) {
    const QString preferred = QString::fromStdString(face);
    if (QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)) {
      family = preferred;
    } else {
      const QString system = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
      family = system.isEmpty() ? QStringLiteral("Sans Serif") : system;
    }
    asked = face;
  }
  return family;
}

}  // namespace

QFont ToolkitFont(const Font& font) {
  QFont out(Family(font.face));
  out.setPointSizeF(font.points);
  out.setBold(font.bold);
  return out;
}

}  // namespace platform
