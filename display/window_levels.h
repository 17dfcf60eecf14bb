// Where the intensity window puts black and white, in the stored values of the image: what
// the sliders' tips say while a slider moves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/toolkit.h"

namespace vtr {

// The two edges of the window as the paint's grey map (GreyMap) draws them, among the
// values 0..256 x divisor - 1 that the depth can store.
struct WindowLevels {
  // The first stored value drawn above level 0 (every value below it is level 0), or none
  // when every value is level 0.
  std::optional<std::int32_t> grey_from;
  // The first stored value drawn at level 255 (every value from it on is 255), or none when
  // no value reaches 255.
  std::optional<std::int32_t> white_from;
};

// The edges for slider positions min and max and depth divisor d (1, 16 or 256), found by a
// search over GreyMap::make(min, max, d).level, which never falls as the value rises.
WindowLevels window_levels(int min, int max, int d);

// The tip of `slider` for slider positions min and max, depth divisor d (0: no image) and
// the invert flag: the slider and its position, then the window's edges in stored values,
// "max 11: black below 12, white from 2816". Inverted, the levels swap roles: "max 11:
// white below 12, black from 2816". When no stored value of the depth reaches the far end,
// "min 200: black below 51456, never white"; when every value is at the near end, "min 255:
// all black". Without an image only the slider and its position: "max 11".
std::string window_levels_tip(Slider slider, int min, int max, int d, bool inverted);

}  // namespace vtr
