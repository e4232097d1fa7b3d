#include "platform/message_boxes/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include "support/qt_app_unix.h"

namespace {

struct Seen {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  bool onTop = false;
};

// Shows one box and records what it looked like, dismissing it with its OK button.
Seen ShowAndDismiss(const std::string& text, std::uint32_t style) {
  testing_qt::EnsureQtApp();
  Seen seen;
  QTimer::singleShot(0, [&seen] {
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
    if (!box) return QApplication::exit(1);  // not shown: fail rather than hang
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
            box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
    box->button(QMessageBox::Ok)->click();
  });
  platform::SystemMessageBoxes().Show(text, style, "Zelmaro");
  return seen;
}

}  // namespace

TEST(SystemMessageBoxes, TitleTextOkButtonAndTheIconTheStyleNames) {
  struct Case {
    std::uint32_t style;
    QMessageBox::Icon icon;
    bool onTop;
  } cases[] = {{0x10040, QMessageBox::Information, true}, {0x10010, QMessageBox::Critical, true}};
  for (const Case& c : cases) {
    Seen seen = ShowAndDismiss("A copy of Zelmaro is already running!", c.style);
    EXPECT_EQ(seen.title, "Zelmaro");
    EXPECT_EQ(seen.text, "A copy of Zelmaro is already running!");
    EXPECT_EQ(seen.icon, c.icon) << c.style;
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.onTop, c.onTop) << c.style;
  }
}
