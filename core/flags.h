// The program's flags are 16-bit integers: -1 for true, 0 for false.
#pragma once

#include <cstdint>

namespace vtr {

inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

}  // namespace vtr
