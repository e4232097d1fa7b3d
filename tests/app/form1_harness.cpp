#include "form1_harness.h"

#include <chrono>
#include <thread>

#include "platform/settings/settings_store.h"
#include "platform/window_system/message_loop.h"
#include "support/window_system.h"

namespace {

constexpr const char* kApp = "Quenlark";
constexpr const char* kSection = "Zelmaro_Set";
constexpr const char* kKey = "Color";

}  // namespace

Form1Harness::Form1Harness(int cpus, const Form1Harness* shared)
    : ownDir_(shared ? nullptr : std::make_unique<TempDir>()),
      dir_(shared ? shared->dir_ : ownDir_.get()),
      settingsRoot_(TestSettingsRoot(*dir_)) {
  testing_ws::EnsureWindowSystem();
  usage.processors = cpus;
  usage.usage[0] = usage.usage[1] = {0, platform::UsageStatus::NotYetValid};  // no interval yet
}

Form1Harness::~Form1Harness() {
  form.reset();
  ForgetQuitRequest();
  if (ownDir_) RemoveTestSettingsRoot(settingsRoot_);
}

std::unique_ptr<Form1> Form1Harness::Make() {
  Form1Services s;
  usage.closed = false;
  s.usageSource = std::make_unique<testing_usage::ScriptedUsageSource>(&usage);
  s.settingsRoot = settingsRoot_;
  s.instanceScope = dir_->path();
  auto area = std::make_unique<platform::RecordingNotificationArea>();
  tray = area.get();
  s.notifyArea = std::move(area);
  s.messageBoxes = std::make_unique<RecordingMessageBoxes>(&messages);
  s.clock = std::make_unique<ManualClock>(&mono);
  s.terminate = [this](int status) { terminated = status; };
  s.report = [this](const std::string& line) { reports.push_back(line); };
  s.trayWaitMs = trayWaitMs;
  return std::make_unique<Form1>(std::move(s));
}

Form1& Form1Harness::Load() {
  form.reset();  // one at a time, as one process holds one
  ForgetQuitRequest();
  form = Make();
  form->Form_Load();
  return *form;
}

void Form1Harness::SetReadings(const std::vector<double>& percents) {
  for (size_t i = 0; i < 2; ++i) {
    usage.usage[i] = i < percents.size() ? testing_usage::Valid(percents[i]) : platform::ProcessorUsage{};
  }
}

std::string Form1Harness::StoredColour() const {
  return platform::SettingsStore(settingsRoot_).GetSetting(kApp, kSection, kKey, "none");
}

void Form1Harness::StoreColour(const std::string& value) const {
  platform::SettingsStore(settingsRoot_).SaveSetting(kApp, kSection, kKey, value);
}

bool Within2s(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!done() && std::chrono::steady_clock::now() < end) {
    platform::ProcessPendingMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}
