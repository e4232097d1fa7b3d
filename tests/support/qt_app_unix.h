// One application object for every test of this program that needs the widget toolkit.
#pragma once

#include <QApplication>

#include "support/window_system.h"

namespace testing_qt {

inline void EnsureQtApp() {
  if (QApplication::instance() != nullptr) return;
  testing_ws::EnsureWindowSystem();
}

}  // namespace testing_qt
