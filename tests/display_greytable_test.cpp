// The paint's look-up of grey levels gives, for every value a store can hold, the level the
// intensity rule computes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "display/greymap.h"

namespace vtr {
namespace {

// The rule as the picture states it: trunc((v - min*d) * ((255 / max) / d)) held to 0..255.
int rulelevel(std::int64_t v, int min, int max, int d) {
  const double t = (static_cast<double>(v) - static_cast<double>(min) * d) * ((255.0 / max) / d);
  const double g = std::trunc(t);
  return g > 255 ? 255 : g < 0 ? 0 : static_cast<int>(g);
}

TEST(GreyTableTest, EveryValueOfEveryDepthMatchesTheRule) {
  struct Window {
    int min, max;
  };
  // Start-up, narrow and wide windows, min above max, and the scale-limiting corners.
  const Window windows[] = {{0, 255},   {10, 100}, {0, 128},   {200, 50},
                            {254, 255}, {0, 1},    {255, 255}, {37, 211}};
  for (int d : {1, 16, 256}) {
    for (const Window& w : windows) {
      const GreyMap map = GreyMap::make(w.min, w.max, d);
      const GreyTable table(map, 256 * d - 1);
      for (std::int32_t v = 0; v < 256 * d; ++v) {
        ASSERT_EQ(table.level(v), rulelevel(v, w.min, w.max, d))
            << "d " << d << " window " << w.min << ".." << w.max << " value " << v;
      }
    }
  }
}

TEST(GreyTableTest, ValuesBeyondTheTableFollowTheRule) {
  const GreyMap map = GreyMap::make(10, 100, 16);
  const GreyTable table(map, 4095);
  for (std::int32_t v :
       {-1, -160, -70000, 4096, 4097, 65535, 1 << 20, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(table.level(v), map.level(v)) << v;
    EXPECT_EQ(table.level(v), rulelevel(v, 10, 100, 16)) << v;
  }
}

TEST(GreyTableTest, MaximumZeroTakesTheNarrowestWindow) {
  const GreyTable zero(GreyMap::make(0, 0, 1), 255);
  const GreyTable one(GreyMap::make(0, 1, 1), 255);
  for (std::int32_t v = 0; v < 256; ++v) EXPECT_EQ(zero.level(v), one.level(v)) << v;
}

}  // namespace
}  // namespace vtr
