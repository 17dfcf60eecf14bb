// The intensity window: sliders, invert, best fit, full range and reset.
#pragma once

#include <cstdint>

#include "core/toolkit.h"

namespace vtr {

struct App;

inline constexpr Rgb kInvertedColour{75, 75, 75};
inline constexpr Rgb kNormalColour{255, 255, 255};
inline constexpr Rgb kBestFitOnColour{0, 255, 0};
inline constexpr Rgb kIntensityButtonColour{16, 250, 253};

std::int16_t invertimage(App& app);
std::int16_t fullrange(App& app);
std::int16_t bestfit(App& app);
void imageinvert_Click(App& app);
void Command7_Click(App& app);  // reset
void Command8_Click(App& app);  // best fit on/off
void Command9_Click(App& app);  // full range

}  // namespace vtr
