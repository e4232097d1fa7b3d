// Every control of the main window, reached by its name (array members by index), created
// with their places, sizes, colours, captions and pictures.
#pragma once

#include <array>
#include <memory>

#include "platform/pictures/picture.h"
#include "platform/window_system/controls.h"
#include "platform/window_system/form_window.h"
#include "platform/window_system/popup_menu.h"
#include "platform/window_system/timer.h"
#include "window/graph_picture.h"

namespace window {

struct Form1Controls {
  Form1Controls() = default;
  ~Form1Controls();
  Form1Controls(const Form1Controls&) = delete;
  Form1Controls& operator=(const Form1Controls&) = delete;

  // The window owns every control below.
  std::unique_ptr<platform::FormWindow> form;
  platform::Picture windowIcon;

  platform::Label* Label1 = nullptr;  // heading of the averages
  platform::Label* Label2 = nullptr;  // elapsed-time clock
  platform::Label* Label3 = nullptr;  // heading of the current values
  platform::Label* Label4 = nullptr;  // "Current Usage"
  platform::Label* Label5 = nullptr;  // current usage of processor 1
  platform::Label* Label6 = nullptr;  // current usage of processor 0
  platform::Label* cpu0avg = nullptr;
  platform::Label* cpu1avg = nullptr;
  platform::PushButton* BtnReSet = nullptr;

  std::unique_ptr<GraphPicture> pic1[2];  // the graphs, shown by pic1View
  platform::PictureBox* pic1View[2] = {};
  platform::ImageBox* Image1[4] = {};  // percent scale strips; (1) and (2) lie on the graphs

  std::unique_ptr<platform::Timer> Timer1;

  // The menu owns its items.
  std::unique_ptr<platform::PopupMenu> mnuFile;
  platform::MenuItem* mnuSpacer00 = nullptr;  // "Tray Icon Color" heading, greyed
  platform::MenuItem* mnuCOLOR[7] = {};
  platform::MenuItem* mnuSpacer0 = nullptr;
  platform::MenuItem* ShowAvgUsage = nullptr;
  platform::MenuItem* mnuSpacer1 = nullptr;
  platform::MenuItem* mnuExit = nullptr;
};

// Window geometry and colours the controls are created with.
inline constexpr int kClientWidth = 432;
inline constexpr int kClientHeight = 191;
inline constexpr int kGraphWidth = 405;
inline constexpr int kGraphHeight = 50;
inline constexpr int kGraphLeft = 10;
inline constexpr int kGraphTop[2] = {76, 132};
inline constexpr int kBtnReSetLeft = 176;  // 175.5 rounded half to even

// The popup menu's colour entries: one caption per colour index, in menu order, and the index
// checked when the menu is made.
struct ColourEntries {
  std::array<const char*, 7> captions;
  int checked;
};

std::unique_ptr<Form1Controls> CreateForm1Controls(const ColourEntries& colours);

// Shows the graphs' pixels anew, after drawing on them.
void ShowGraphs(Form1Controls& c);
// While the window is hidden: the graphs keep their pixels compactly.
void SetGraphsAside(Form1Controls& c);

}  // namespace window
