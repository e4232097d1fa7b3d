#include "app/form1.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <utility>

#include "platform/window_system/form_window.h"
#include "platform/window_system/message_loop.h"
#include "platform/window_system/popup_menu.h"
#include "tray/bar_icon.h"
#include "tray/colour_themes.h"
#include "window/form_controls.h"
#include "window/usage_text.h"

using platform::Int16;

namespace {

constexpr const char* kTitle = "Zelmaro";
constexpr const char* kSettingsApp = "Quenlark";
constexpr const char* kSettingsSection = "Zelmaro_Set";
constexpr const char* kSettingsKey = "Color";
// For tray hosts that read out what an icon shows (XFCE shows it under the tooltip: short).
constexpr const char* kIconDescription = "Usage of processors 0 and 1 as two bars, 0 on the left";

constexpr platform::MessageKind kInformation = platform::MessageKind::Information;
constexpr platform::MessageKind kError = platform::MessageKind::Error;

Form1Services WithDefaults(Form1Services s) {
  if (!s.messageBoxes) s.messageBoxes = std::make_unique<platform::SystemMessageBoxes>();
  if (!s.clock) s.clock = std::make_unique<platform::SystemClock>();
  if (!s.usageSource) s.usageSource = platform::CreateSystemUsageSource();
  if (!s.report) {
    s.report = [](const std::string& line) { std::fprintf(stderr, "zelmaro: %s\n", line.c_str()); };
  }
  if (!s.terminate) {
    s.terminate = [](int status) {
      std::fflush(nullptr);
      std::_Exit(status);
    };
  }
  return s;
}

platform::SettingsStore MakeSettings(const std::string& root) {
  return root.empty() ? platform::SettingsStore() : platform::SettingsStore(root);
}

window::ColourEntries ColourMenuEntries() {
  window::ColourEntries entries{{}, tray::kDefaultColourIndex};
  for (int i = 0; i < tray::kColourCount; ++i) entries.captions[i] = tray::ColourCaption(i);
  return entries;
}

platform::SingleInstance MakeInstance(const std::string& scope) {
  return scope.empty() ? platform::SingleInstance(kTitle) : platform::SingleInstance(kTitle, scope);
}

}  // namespace

Form1::Form1(Form1Services services)
    : services_(WithDefaults(std::move(services))),
      sampler_(std::move(services_.usageSource)),
      settings_(MakeSettings(services_.settingsRoot)),
      instance_(MakeInstance(services_.instanceScope)),
      c_(window::CreateForm1Controls(ColourMenuEntries())),
      meter_(*c_) {
  if (!services_.notifyArea) {
    // The desktop's tray shows the popup menu itself where its hosts draw menus.
    services_.notifyArea = platform::OpenDesktopTray(c_->mnuFile.get(), kIconDescription);
  }
  WireEvents();
}

Form1::~Form1() = default;

void Form1::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const platform::RuntimeError& e) {
    c_->Timer1->SetEnabled(false);
    services_.messageBoxes->Show("Run-time error '" + std::to_string(e.Number()) + "':\n\n" + e.what(),
                                 kError, kTitle);
    services_.terminate(1);
  } catch (const std::exception& e) {
    c_->Timer1->SetEnabled(false);
    services_.messageBoxes->Show(std::string("Run-time error:\n\n") + e.what(), kError, kTitle);
    services_.terminate(1);
  }
}

void Form1::WireEvents() {
  auto& c = *c_;
  c.Timer1->SetHandler([this] { RunHandler([this] { Timer1_Timer(); }); });
  c.BtnReSet->SetClickHandler([this] { RunHandler([this] { BtnReSet_Click(); }); });
  for (int i = 0; i < tray::kColourCount; ++i) {
    c.mnuCOLOR[i]->SetClickHandler([this, i] { RunHandler([this, i] { mnuCOLOR_Click(Int16(i)); }); });
  }
  c.ShowAvgUsage->SetClickHandler([this] { RunHandler([this] { ShowAvgUsage_Click(); }); });
  c.mnuExit->SetClickHandler([this] { RunHandler([this] { mnuExit_Click(); }); });
  c.form->SetResizeHandler([this] { RunHandler([this] { Form_Resize(); }); });
  // The window system's close requests (the user's close button or shortcut, the end of the
  // session); the window never closes itself, the handlers decide.
  c.form->SetCloseRequestHandler([this](int reason) { RunHandler([this, reason] { Close(reason); }); });
  services_.notifyArea->SetRequestHandler([this](platform::NotificationArea::Request request) {
    RunHandler([this, request] { TrayIcon_Request(request); });
  });
}

void Form1::Fail(const std::string& text, platform::MessageKind kind) {
  services_.messageBoxes->Show(text, kind, kTitle);
  StartFailed = true;
  Close(kCloseByCode);
}

void Form1::Form_Load() {
  RunHandler([this] {
    auto& c = *c_;
    // 1. Only one instance runs at a time.
    if (instance_.PrevInstance()) return Fail("A copy of Zelmaro is already running!", kInformation);
    // 2-5. The usage source: opened, its processors counted (at most two are sampled) and
    //      watched; only the last processor's reading decides.
    switch (sampler_.Start()) {
      case sampling::StartOutcome::SourceBroken:
        return Fail("Windows performance service disabled or broken!", kError);
      case sampling::StartOutcome::NoReading:
        return Fail("Requires Dual Core CPU! Usage query failed!", kInformation);
      case sampling::StartOutcome::Started:
        break;
    }
    // 6. Icon colour: a stored value that is not a colour index falls back to the default and
    //    is left in the file until the user picks a colour.
    const std::string stored = settings_.GetSetting(kSettingsApp, kSettingsSection, kSettingsKey,
                                                    std::to_string(tray::kDefaultColourIndex));
    mnuCOLOR_Click(Int16(tray::ParseColourIndex(stored).value_or(tray::kDefaultColourIndex)));
    // 7. Show the window so the grid is drawn on it; a window manager frames it first, which
    //    the centring of step 10 needs to know.
    ShowWindow();
    c.form->WaitUntilExposed(2000);
    // 8. The graphs' grid.
    meter_.Setup();
    // 9. Tray icon, first with the window's own icon.
    services_.notifyArea->Show(c.windowIcon, tray::kTrayTip);
    // 10. Centre on the primary screen.
    if (const std::optional<platform::Rect> s = platform::PrimaryScreen()) {
      const platform::Rect w = c.form->FrameGeometry();
      const float left = (static_cast<float>(s->width) - static_cast<float>(w.width)) / 2.0f;
      const float top = (static_cast<float>(s->height) - static_cast<float>(w.height)) / 2.0f;
      c.form->MoveFrameTo(s->x + static_cast<int>(platform::RoundHalfEven(left)),
                          s->y + static_cast<int>(platform::RoundHalfEven(top)));
    }
    // 11. Minimise, which hides the window in the tray.
    SetWindowState(1);
    platform::ProcessPendingMessages();
    // 12. First tick by hand, 13. first reset, which starts the timer.
    Timer1_Timer();
    BtnReSet_Click();
    WatchTrayHost();
  });
}

// The window hides in the tray only while a tray host can open it again. Without one for a
// while (a panel starting with the session has had its time), the window comes out of hiding
// and minimising leaves it on the task bar, until a host appears.
void Form1::WatchTrayHost() {
  trayWait_ = std::make_unique<platform::Timer>(services_.trayWaitMs);
  trayWait_->SetSingleShot(true);
  trayWait_->SetHandler([this] { RunHandler([this] { TrayWaitEnded(); }); });
  services_.notifyArea->SetHostHandler([this](bool present) {
    RunHandler([this, present] { TrayHostChanged(present); });
  });
  if (!services_.notifyArea->HostPresent()) trayWait_->SetEnabled(true);
}

void Form1::TrayHostChanged(bool present) {
  if (!present) {
    if (!trayWait_->Enabled() && !trayMissing_) trayWait_->SetEnabled(true);
    return;
  }
  trayWait_->SetEnabled(false);
  trayMissing_ = false;
  // The window opened at start for want of a tray goes there now, as if the user had minimised
  // it, unless the user has moved, resized or used it since.
  const bool untouched = std::exchange(openedForNoTray_, false) && !c_->form->Touched();
  if (untouched && c_->form->Visible() && WindowState() == 0) {
    SetWindowState(1);  // which hides it in the tray
    return;
  }
  Form_Resize();  // a window minimised meanwhile goes to the tray as usual
}

void Form1::TrayWaitEnded() {
  if (services_.notifyArea->HostPresent() || unloaded_) return;
  trayMissing_ = true;
  services_.report("no notification area (system tray) found; the window stays on the task bar");
  const bool first = !trayEverMissing_;
  trayEverMissing_ = true;
  if (c_->form->Visible()) return;
  // At start the window opens as if from the tray; later it waits minimised on the task bar.
  if (first) {
    ShowWindow();
    // Framed and placed by the window manager first, so that only the user's moves count.
    c_->form->WaitUntilExposed(2000);
    if (unloaded_) return;
    c_->form->MarkUntouched();
    openedForNoTray_ = true;
    if (services_.notifyArea->HostPresent()) TrayHostChanged(true);  // one came meanwhile
  } else {
    c_->form->Show();  // shown in its minimised state
  }
}

void Form1::Timer1_Timer() {
  // 1. A new run after a reset starts from empty sums.
  sampler_.BeginTick();
  // 2. Working icon image from the coloured template.
  barIcon_.Reset();
  // 3. One sample of both processors.
  sampler_.Sample();
  // 4, 5. Read each processor; valid readings count and draw their bar.
  double reading[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    const sampling::Reading r = sampler_.Read(i);
    reading[i] = r.percent;
    if (r.valid) {
      barIcon_.DrawBar(i, reading[i]);
    }
  }
  // 6. The composed bars become the tray icon.
  barIcon_.Publish(*services_.notifyArea);
  // 7. Labels and graphs.
  CPUMeter(reading[0], reading[1]);
  // 8. Count the tick.
  sampler_.CountTick();
  // 9. Averages and clock only while the window is open.
  if (WindowState() == 0) UpdateAverages();
}

void Form1::CPUMeter(const double& cpu0, const double& cpu1) { meter_.Step(cpu0, cpu1); }

void Form1::UpdateAverages() {
  auto& c = *c_;
  if (sampler_.Ticks() == 0) return;
  c.cpu0avg->SetCaption(window::UsageText(sampler_.Average(0)));
  c.cpu1avg->SetCaption(window::UsageText(sampler_.Average(1)));
  c.Label2->SetCaption(sampler_.ElapsedText(services_.clock->MonotonicSeconds()));
}

void Form1::BtnReSet_Click() {
  auto& c = *c_;
  c.Timer1->SetEnabled(false);
  c.Label2->SetCaption("00:00:00");
  sampler_.Reset(services_.clock->MonotonicSeconds());  // the count, and the clock's start
  c.cpu0avg->SetCaption(window::UsageText(0));
  c.cpu1avg->SetCaption(window::UsageText(0));
  c.Timer1->SetEnabled(true);  // a full interval from now
}

void Form1::mnuCOLOR_Click(Int16 Index) {
  auto& c = *c_;
  if (Index < 0 || Index > tray::kColourCount - 1) platform::Raise(platform::kErrSubscriptOutOfRange);
  for (Int16 i = 0; i <= tray::kColourCount - 1; ++i) c.mnuCOLOR[i]->SetChecked(false);
  barIcon_.SetColour(Index);
  c.mnuCOLOR[Index]->SetChecked(true);
  if (c.Timer1->Enabled()) {
    // Written on the settings worker: the pick shows at once, whatever the disk or another
    // program's lock on the file does meanwhile.
    settings_.SaveSettingLater(kSettingsApp, kSettingsSection, kSettingsKey, std::to_string(int{Index}),
                               [this](const platform::SaveOutcome& outcome) {
                                 RunHandler([this, &outcome] { ReportUnsavedColour(outcome); });
                               });
  }
}

// The colour applies for this run all the same; the user learns once per run that it will not
// come back at the next start, and why.
void Form1::ReportUnsavedColour(const platform::SaveOutcome& outcome) {
  if (outcome.ok || unsavedColourReported_) return;
  unsavedColourReported_ = true;
  services_.messageBoxes->Show("The colour could not be saved in " + outcome.file + ": " + outcome.reason +
                                   ".\n\nIt applies until Zelmaro ends.",
                               kInformation, kTitle);
}

void Form1::TrayIcon_Request(platform::NotificationArea::Request request) {
  if (request == platform::NotificationArea::Request::Open) {
    ShowWindow();
  } else {
    c_->mnuFile->Popup();
  }
}

void Form1::ShowAvgUsage_Click() { ShowWindow(); }

void Form1::ShowWindow() {
  meter_.DrawWaiting();
  SetWindowState(0);
  c_->form->Show();
  platform::ProcessPendingMessages();
}

void Form1::mnuExit_Click() { Close(kCloseByCode); }

void Form1::Form_Resize() {
  if (WindowState() == 1 && !trayMissing_) c_->form->Hide();
}

void Form1::Form_QueryUnload(bool& Cancel, int UnloadMode) {
  if (UnloadMode == kCloseByUser) {
    Cancel = true;
    SetWindowState(1);
    return;
  }
  if (StartFailed) return;  // nothing was started
  c_->Timer1->SetEnabled(false);
  sampler_.Close();
  services_.notifyArea->Remove();
}

void Form1::Form_Unload(bool&) {
  c_->form->Hide();
  unloaded_ = true;
  // Without a window left the process ends; main() leaves the message loop with this status.
  platform::QuitMessageLoop(ExitStatus());
}

void Form1::Close(int reason) {
  if (unloaded_) return;
  bool cancel = false;
  Form_QueryUnload(cancel, reason);
  if (cancel) return;
  Form_Unload(cancel);
}

int Form1::WindowState() const { return c_->form->WindowState(); }

void Form1::SetWindowState(int state) { c_->form->SetWindowState(state); }
