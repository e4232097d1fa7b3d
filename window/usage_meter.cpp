#include "window/usage_meter.h"

#include "window/usage_graphs.h"
#include "window/usage_text.h"

namespace window {

UsageMeter::UsageMeter(Form1Controls& controls) : c_(controls), waiting_(kGraphWidth) {}

void UsageMeter::Setup() {
  GraphSetup(*c_.pic1[0], *c_.pic1[1], gridTick_);
  ShowGraphs(c_);
}

void UsageMeter::Step(double cpu0, double cpu1) {
  if (!c_.form->Visible()) {
    waiting_.Add(cpu0, cpu1, graphY_, prevGraphY_, gridTick_);
    SetGraphsAside(c_);
    return;
  }
  waiting_.Drain([this](double r0, double r1) { Draw(r0, r1); });
  Draw(cpu0, cpu1);
  ShowGraphs(c_);
}

void UsageMeter::DrawWaiting() {
  if (waiting_.Empty()) return;
  waiting_.Drain([this](double cpu0, double cpu1) { Draw(cpu0, cpu1); });
  ShowGraphs(c_);  // once for the whole queue
}

// The current-usage labels, one pixel of scroll and the newest segment on each graph, and the
// grid marks every sixth step; the caller has the views repaint.
void UsageMeter::Draw(double cpu0, double cpu1) {
  c_.Label6->SetCaption(UsageText(cpu0));
  c_.Label5->SetCaption(UsageText(cpu1));
  ScrollGraph(*c_.pic1[0], graphY_[0], prevGraphY_[0], cpu0);
  ScrollGraph(*c_.pic1[1], graphY_[1], prevGraphY_[1], cpu1);
  GridMarksStep(*c_.pic1[0], *c_.pic1[1], gridTick_);
}

}  // namespace window
