// Form1 under test, on either system: a usage source whose readings the test sets, settings
// and a single-instance scope of the test's own, a recording notification area, recorded
// message boxes and a clock the test moves.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/window_system/controls.h"
#include "support/recording_notify_area.h"
#include "support/scripted_usage_source.h"
#include "support/temp_dir.h"

struct ShownMessage {
  std::string text;
  platform::MessageKind kind;
  std::string title;
};

class RecordingMessageBoxes : public platform::MessageBoxes {
 public:
  explicit RecordingMessageBoxes(std::vector<ShownMessage>* log) : log_(log) {}
  void Show(const std::string& text, platform::MessageKind kind, const std::string& title) override {
    log_->push_back({text, kind, title});
  }

 private:
  std::vector<ShownMessage>* log_;
};

class ManualClock : public platform::Clock {
 public:
  explicit ManualClock(std::int64_t* mono) : mono_(mono) {}
  std::int64_t MonotonicSeconds() const override { return *mono_; }

 private:
  std::int64_t* mono_;
};

class Form1Harness {
 public:
  // A harness of its own, or one that shares another's settings and single-instance scope.
  explicit Form1Harness(int cpus = 2, const Form1Harness* shared = nullptr);
  ~Form1Harness();
  std::unique_ptr<Form1> Make();  // a Form1 on this harness's surroundings (not loaded)
  Form1& Load();                  // makes and loads the harness's own Form1

  // The next sample's readings, valid, one per processor listed (the others have none).
  void SetReadings(const std::vector<double>& percents);
  // The colour as stored ("none" when nothing is), and a value stored as an earlier run would.
  std::string StoredColour() const;
  void StoreColour(const std::string& value) const;
  const std::string& settingsRoot() const { return settingsRoot_; }

  testing_usage::Script usage;  // of the latest Form1 made
  std::vector<ShownMessage> messages;
  platform::RecordingNotificationArea* tray = nullptr;  // of the latest Form1 made
  int terminated = -1;
  std::vector<std::string> reports;  // lines for standard error
  int trayWaitMs = 6000;
  std::int64_t mono = 1000;
  std::unique_ptr<Form1> form;

 private:
  std::unique_ptr<TempDir> ownDir_;
  const TempDir* dir_;
  std::string settingsRoot_;
};

// Handles the window system's events until done() or two seconds have passed.
bool Within2s(const std::function<bool()>& done);

// What differs between the systems around the tests (form1_system_*.cpp).
// A settings root of the tests' own in dir, and its removal with everything under it.
std::string TestSettingsRoot(const TempDir& dir);
void RemoveTestSettingsRoot(const std::string& root);
// A press of the left mouse button on a control, as the user's.
void PressMouseOn(const platform::Control& control);
// Forgets the request to leave the message loop that an unloading Form1 makes: the tests'
// own loop goes on.
void ForgetQuitRequest();
