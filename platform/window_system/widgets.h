// The window-system toolkit, for the layers above platform/: widgets, timer, menus.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
