// The automatic intensity window: sliders set from the full-resolution stored values so that
// about 0.35 % of the pixels show black and 0.35 % white.
#pragma once

#include <cstdint>
#include <vector>

namespace vtr {

struct App;
class PixelStore;

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

// Sets the sliders (minimum first, as best fit does) from the image in the store. An image of
// a depth without a divisor leaves them alone.
std::int16_t autowindow(App& app);

// The "auto" command: refused while busy and without an image as refresh is; otherwise sets
// the automatic window, turns best fit off as full range does, and repaints as refresh does.
void autowindow_Click(App& app);

}  // namespace vtr
