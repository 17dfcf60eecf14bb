// The automatic intensity window: sliders set from the full-resolution stored values so that
// about 0.35 % of the pixels show black and 0.35 % white.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/image_header.h"
#include "core/pixel_store.h"

namespace vtr {

struct App;

// The share of the pixels that the automatic window leaves black, and the share it leaves
// white.
inline constexpr double kAutoSaturated = 0.0035;

struct SliderWindow {
  int min = 0;
  int max = 255;
  friend bool operator==(const SliderWindow&, const SliderWindow&) = default;
};

// How many pixels hold each stored value 0..top, over channel 1 of columns 1..width and rows
// 1..length (as far as the store reaches). One pass over the values, no sort; a value
// outside 0..top, which no decoder stores, is counted at the nearer end.
std::vector<std::uint32_t> valuecounts(const PixelStore& store, int width, int length,
                                       std::int32_t top);

// The slider positions for the value counts of an image under depth divisor d (1, 16, 256).
SliderWindow autowindowfor(const std::vector<std::uint32_t>& counts, int d);

// The automatic window of the image in the store, as `header` describes it; nothing for a
// depth without a divisor.
std::optional<SliderWindow> auto_window(const PixelStore& store, const ImageHeader& header);

// The "auto" command: refused while busy and without an image as refresh is; otherwise sets
// the sliders to the automatic window (minimum first, as best fit does; a depth without a
// divisor leaves them alone), turns best fit off as full range does, and repaints as refresh
// does.
void autowindow_Click(App& app);

}  // namespace vtr
