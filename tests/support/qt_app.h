// One application object for every test of this program that needs the widget toolkit.
#pragma once

#include <QApplication>

namespace testing_qt {

inline void EnsureQtApp() {
  if (QApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "zelmaro-tests";
  static char* argv[] = {name, nullptr};
  // Never destroyed: a static application object would be torn down after the toolkit's own
  // globals at exit and crash there.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

}  // namespace testing_qt
