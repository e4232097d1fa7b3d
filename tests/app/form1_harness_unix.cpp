#include "form1_harness_unix.h"

#include <fstream>

#include "platform/performance_data/proc_stat_unix.h"
#include "support/qt_app_unix.h"

QApplication& TestApp() {
  if (QApplication::instance() == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing_qt::EnsureQtApp();
  QApplication::setQuitOnLastWindowClosed(false);
  return *qApp;
}

void StatFixture::Write() {
  std::string text = "cpu  0 0 0 0 0 0 0 0 0 0\n";
  for (size_t i = 0; i < busy_.size(); ++i) {
    // user nice system idle iowait irq softirq steal guest guest_nice
    text += "cpu" + std::to_string(i) + " " + std::to_string(busy_[i]) + " 0 0 " +
            std::to_string(idle_[i]) + " 0 0 0 0 0 0\n";
  }
  text += "intr 1 2 3\nctxt 100\nbtime 1700000000\nprocesses 10\n";
  std::ofstream(path_, std::ios::trunc) << text;
}

ObservedUsageSource::ObservedUsageSource(const std::string& statPath, bool* closed)
    : source_(platform::CreateStatFileUsageSource(statPath)), closed_(closed) {
  *closed_ = false;
}

Form1Harness::Form1Harness(int cpus, const TempDir* shared)
    : ownDir_(shared ? nullptr : std::make_unique<TempDir>()),
      dir_(shared ? shared : ownDir_.get()),
      stat(dir_->File("stat"), cpus) {
  TestApp();
}

std::unique_ptr<Form1> Form1Harness::Make() {
  Form1Services s;
  s.usageSource = std::make_unique<ObservedUsageSource>(dir_->File("stat"), &sourceClosed);
  s.configDir = dir_->File("config");
  s.lockDir = dir_->path();
  auto area = std::make_unique<platform::RecordingNotificationArea>();
  tray = hosts = area.get();
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
  form = Make();
  form->Form_Load();
  return *form;
}
