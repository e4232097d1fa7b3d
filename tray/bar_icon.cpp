#include "tray/bar_icon.h"

#include <cmath>
#include <utility>

#include "platform/runtime/runtime.h"
#include "tray/colour_themes.h"
#include "tray/two_bar_pictures.h"

namespace tray {

namespace {

constexpr int kBarLeft[2] = {0, 17};
constexpr int kBarWidth = 15;

}  // namespace

int BlankHeight(double reading) {
  // A reading outside 0..100 (or not a number) would give a block outside the bar.
  if (std::isnan(reading) || reading < 0) reading = 0;
  if (reading > 100) reading = 100;
  return static_cast<int>(platform::RoundHalfEven(32 - reading / 3.125));
}

BarIcon::BarIcon() : coloured_(ColouredBarsPicture()), template_(coloured_), blank_(BlankBarsPicture()) {
  template_.MakeTransparent(kKeyColour);
  blank_.MakeTransparent(kKeyColour);
}

void BarIcon::SetColour(int index) {
  coloured_.Recolour(platform::Opaque(0x000000), platform::Opaque(kKeyColour), platform::Opaque(IconColour(index)));
  template_ = coloured_;
  template_.MakeTransparent(kKeyColour);
}

void BarIcon::Reset() { composed_ = template_; }

void BarIcon::DrawBar(int bar, double reading) {
  if (bar < 0 || bar > 1) return;
  composed_.CopyFrom(blank_, kBarLeft[bar], 0, kBarWidth, BlankHeight(reading), kBarLeft[bar], 0);
}

void BarIcon::Publish(platform::NotificationArea& area) {
  if (composed_ == handedOver_) return;  // the common case while usage is steady
  // The next Reset overwrites every pixel of composed_, so the two swap rather than copy.
  std::swap(composed_, handedOver_);
  area.Show(handedOver_, kTrayTip, TwoBarLines());
}

}  // namespace tray
