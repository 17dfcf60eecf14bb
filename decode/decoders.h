// The four row layouts: each reads the open file `p` into the pixel store and histogram,
// closes it, feeds the chart, reports the time and paints. Each returns 0.
#pragma once

#include <cstdint>

namespace vtr {

struct App;

std::int16_t getimagegray8(App& app, std::int16_t p);
std::int16_t getimagegray12(App& app, std::int16_t p);
std::int16_t getimagegray16(App& app, std::int16_t p);
std::int16_t getimagergb8(App& app, std::int16_t p);

}  // namespace vtr
