// The two-bar tray icon image: reset from the template, blank the empty top of each bar,
// and turn the result into an icon with the key colour transparent.
#pragma once

#include "platform/raster_graphics/gdi.h"
#include "platform/raster_graphics/picture_surface.h"

namespace tray {

inline constexpr gdi::COLORREF kKeyColour = 0xFF00FF;

// Redraws the working surface as the template (both bars full).
void ResetBarIcon(platform::PictureSurface& template0, platform::PictureSurface& working1);

// Rows of a bar left blank for a usage reading in percent: 32 - r / 3.125, halves to even.
// Readings are clamped to 0..100 first (NaN counts as 0), so the result is always 0..32.
int BlankHeight(double reading);

// Copies the blank block of bar 0 (x 0) or bar 1 (x 17), 15 columns wide and BlankHeight rows
// high, from the blank two-bar image onto the working surface.
void DrawBar(platform::PictureSurface& working, const platform::PictureSurface& DualBlank, int bar,
             double reading);

// Takes a snapshot of the working image as its picture and converts it to an icon with the
// key colour transparent. The icon (or 0) is the caller's.
gdi::HICON ComposeIcon(platform::PictureSurface& working);

}  // namespace tray
