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
Seen ShowAndDismiss(const std::string& text, platform::MessageKind kind) {
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
  platform::SystemMessageBoxes().Show(text, kind, "Zelmaro");
  return seen;
}

}  // namespace

TEST(SystemMessageBoxes, TitleTextOkButtonOnTopAndTheIconOfTheKind) {
  struct Case {
    platform::MessageKind kind;
    QMessageBox::Icon icon;
  } cases[] = {{platform::MessageKind::Information, QMessageBox::Information},
               {platform::MessageKind::Error, QMessageBox::Critical}};
  for (const Case& c : cases) {
    Seen seen = ShowAndDismiss("A copy of Zelmaro is already running!", c.kind);
    EXPECT_EQ(seen.title, "Zelmaro");
    EXPECT_EQ(seen.text, "A copy of Zelmaro is already running!");
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_TRUE(seen.onTop);
  }
}
