// The tray icon's two bars: its colour, the picture composed each tick, and the picture last
// handed to the notification area. Each tick starts from the coloured template with both bars
// full, blanks the empty top of each bar with a valid reading, and hands the result over only
// when its pixels differ from the last one handed over. Magenta is transparent throughout.
#pragma once

#include <string>

#include "platform/notification_area/notification_area.h"
#include "platform/pictures/picture.h"

namespace tray {

inline constexpr char kTrayTip[] = "Zelmaro by Quenlark";

// Rows of a bar left blank for a usage reading in percent: 32 - r / 3.125, halves to even.
// Readings are clamped to 0..100 first (NaN counts as 0), so the result is always 0..32.
int BlankHeight(double reading);

class BarIcon {
 public:
  BarIcon();

  // Bars in colour index 0..6: every pixel of the coloured picture that is neither black nor
  // magenta takes the colour. Shows from the next Reset.
  void SetColour(int index);
  // The composed picture becomes the template: both bars full.
  void Reset();
  // Blanks the top BlankHeight(reading) rows of bar 0 (columns 0-14) or bar 1 (17-31).
  void DrawBar(int bar, double reading);
  // Hands the composed picture to the area, with the tray tooltip and the lines it keeps at
  // smaller sizes, unless it is the picture last handed over.
  void Publish(platform::NotificationArea& area);

 private:
  platform::Picture coloured_;  // opaque, recoloured in place by each choice
  platform::Picture template_;  // coloured_ with magenta transparent
  platform::Picture blank_;     // blank bars, magenta transparent
  platform::Picture composed_;
  platform::Picture handedOver_;
};

}  // namespace tray
