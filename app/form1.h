// Form1: the program's one window and all of its state. Its handlers are called by the window
// system, the timer, the tray icon's requests and the menu, one at a time on the user-interface
// thread; each reads as the short sequence of steps it performs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/clock/clock.h"
#include "platform/message_boxes/message_box.h"
#include "platform/notification_area/notification_area.h"
#include "platform/performance_data/usage_source.h"
#include "platform/runtime/runtime.h"
#include "platform/settings/settings_store.h"
#include "platform/single_instance/single_instance.h"
#include "platform/window_system/timer.h"
#include "sampling/usage_sampler.h"
#include "tray/bar_icon.h"
#include "window/usage_meter.h"

// What the program needs from its surroundings; tests replace any part of it.
struct Form1Services {
  std::unique_ptr<platform::UsageSource> usageSource;  // null: the system's
  // Where the settings are kept (empty: the user's): a config directory on Linux, a key
  // under HKEY_CURRENT_USER on Windows.
  std::string settingsRoot;
  // Where the single-instance check looks (empty: the user's): a lock directory on Linux, a
  // part of the mutex's name on Windows.
  std::string instanceScope;
  std::unique_ptr<platform::NotificationArea> notifyArea;  // null: the desktop's tray
  std::unique_ptr<platform::MessageBoxes> messageBoxes;    // null: the system's message boxes
  std::unique_ptr<platform::Clock> clock;                  // null: the system clock
  // Ends the process after a run-time error has been reported (status 1).
  std::function<void(int status)> terminate;
  // One line for the user on standard error (null: there, prefixed with the program's name).
  std::function<void(const std::string& line)> report;
  // How long after start (or after the last tray host went) the window may stay hidden
  // without any tray host to open it from. Opened at start for want of a host, it goes back
  // to the tray when one comes, unless the user has taken it up meanwhile.
  int trayWaitMs = 6000;
};

class Form1 {
 public:
  explicit Form1(Form1Services services = {});
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Window events.
  void Form_Load();
  void Form_Resize();
  void Form_QueryUnload(bool& Cancel, int UnloadMode);
  void Form_Unload(bool& Cancel);
  // Control events.
  void Timer1_Timer();
  void BtnReSet_Click();
  void mnuCOLOR_Click(platform::Int16 Index);
  void ShowAvgUsage_Click();
  void mnuExit_Click();
  void TrayIcon_Request(platform::NotificationArea::Request request);

  // Close reasons the close-request handler receives.
  static constexpr int kCloseByUser = 0;
  static constexpr int kCloseByCode = 1;
  static constexpr int kCloseBySessionEnd = 2;
  // A close request: the close-request handler with its reason, then, unless refused, the
  // unload.
  void Close(int reason);
  // True once the window has been unloaded; the process ends then, with ExitStatus().
  bool Unloaded() const { return unloaded_; }
  int ExitStatus() const { return StartFailed ? 1 : 0; }
  window::Form1Controls& Controls() { return *c_; }
  const sampling::UsageSampler& Sampler() const { return sampler_; }
  int WindowState() const;
  // Runs one handler for the window system: an error that escapes it is reported in a message
  // box naming it, and ends the program with status 1.
  void RunHandler(const std::function<void()>& handler);

 private:
  // Current-usage labels and graphs, once per tick.
  void CPUMeter(const double& cpu0, const double& cpu1);
  void UpdateAverages();
  void SetWindowState(int state);
  void ShowWindow();
  void Fail(const std::string& text, platform::MessageKind kind);
  void ReportUnsavedColour(const platform::SaveOutcome& outcome);
  void WireEvents();
  void WatchTrayHost();
  void TrayHostChanged(bool present);
  void TrayWaitEnded();

  Form1Services services_;
  sampling::UsageSampler sampler_;
  platform::SettingsStore settings_;
  platform::SingleInstance instance_;
  std::unique_ptr<window::Form1Controls> c_;
  tray::BarIcon barIcon_;  // the tray icon's colour and pictures
  window::UsageMeter meter_;  // the current-usage labels and the graphs
  bool StartFailed = false;  // the start was refused: the program ends with status 1
  bool unloaded_ = false;
  bool unsavedColourReported_ = false;
  // No tray host to open the window from: minimising leaves it on the task bar.
  bool trayMissing_ = false;
  bool trayEverMissing_ = false;
  bool openedForNoTray_ = false;  // opened at start for want of a host, and not touched since
  std::unique_ptr<platform::Timer> trayWait_;
};
