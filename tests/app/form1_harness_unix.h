// Form1 under test: a /proc/stat-format fixture it samples, settings and lock files in a temp
// dir, a recording notification area, recorded message boxes and a clock the test moves.
#pragma once

#include <QApplication>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "support/recording_notify_area.h"
#include "support/temp_dir.h"

struct ShownMessage {
  std::string text;
  std::uint32_t style;
  std::string title;
};

class RecordingMessageBoxes : public platform::MessageBoxes {
 public:
  explicit RecordingMessageBoxes(std::vector<ShownMessage>* log) : log_(log) {}
  void Show(const std::string& text, std::uint32_t style, const std::string& title) override {
    log_->push_back({text, style, title});
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

// The usage of the harness's fixture file, telling when Form1 lets go of it.
class ObservedUsageSource : public platform::UsageSource {
 public:
  ObservedUsageSource(const std::string& statPath, bool* closed);
  ~ObservedUsageSource() override { *closed_ = true; }
  bool Open() override { return source_->Open(); }
  int ProcessorCount() override { return source_->ProcessorCount(); }
  bool Watch(int processors) override { return source_->Watch(processors); }
  void Sample() override { source_->Sample(); }
  platform::ProcessorUsage Usage(int processor) override { return source_->Usage(processor); }

 private:
  std::unique_ptr<platform::UsageSource> source_;
  bool* closed_;
};

// Cumulative per-processor times written in /proc/stat's format.
class StatFixture {
 public:
  StatFixture(std::string path, int cpus) : path_(std::move(path)), busy_(cpus, 1000), idle_(cpus, 9000) {
    Write();
  }
  // Advances every processor by 1000 jiffies, the given share of them busy.
  void Advance(std::vector<double> usage) {
    for (size_t i = 0; i < busy_.size(); ++i) {
      const double u = i < usage.size() ? usage[i] : 0;
      busy_[i] += static_cast<long long>(u * 10);
      idle_[i] += 1000 - static_cast<long long>(u * 10);
    }
    Write();
  }
  // Makes processor i's counters go backwards (a processor brought back online).
  void Rewind(size_t i) {
    busy_[i] = 0;
    idle_[i] = 0;
    Write();
  }
  void Write();

 private:
  std::string path_;
  std::vector<long long> busy_, idle_;
};

QApplication& TestApp();

class Form1Harness {
  // Declared first: the fixture files live in this directory.
  std::unique_ptr<TempDir> ownDir_;
  const TempDir* dir_;

 public:
  explicit Form1Harness(int cpus = 2, const TempDir* shared = nullptr);
  std::unique_ptr<Form1> Make();  // a Form1 on this harness's files (not loaded)
  Form1& Load();                  // makes and loads the harness's own Form1

  const TempDir& dir() const { return *dir_; }
  StatFixture stat;
  std::vector<ShownMessage> messages;
  platform::RecordingNotificationArea* tray = nullptr;  // of the latest Form1 made
  platform::RecordingNotificationArea* hosts = nullptr;  // the same: its hosts come and go
  int terminated = -1;
  std::vector<std::string> reports;  // lines for standard error
  int trayWaitMs = 6000;
  std::int64_t mono = 1000;
  bool sourceClosed = false;  // of the latest Form1 made
  std::unique_ptr<Form1> form;
};
