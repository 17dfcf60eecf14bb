// The pixel store's size, the values it answers, and the memory check made before a store is
// made.
#include <gtest/gtest.h>

#include "core/pixel_store.h"
#include "decode/load_memory.h"
#include "decode/store_memory.h"

namespace vtr {
namespace {

// One value a pixel in the narrowest type of the kind; nothing for column 0 or row 0.
TEST(PixelStore, TakesOneNarrowValueAPixel) {
  const struct {
    std::int32_t w, l;
    StoreKind kind;
    std::uint64_t bytes;
  } cases[] = {
      {0, 0, StoreKind::grey16, 0},
      {1, 1, StoreKind::grey8, 1},
      {3, 2, StoreKind::rgb8, 6},
      {3, 2, StoreKind::grey16, 12},
      {8192, 8192, StoreKind::grey16, 128ull << 20},
      {32767, 32767, StoreKind::grey8, 32767ull * 32767},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PixelStore::bytes_for(c.w, c.l, c.kind), c.bytes) << c.w;
    PixelStore s;
    ASSERT_TRUE(s.recreate(c.w, c.l, c.kind));
    EXPECT_EQ(s.bytes(), c.bytes);
    EXPECT_FALSE(s.empty());
  }
}

// Channel 1 answers the stored value and channels 2 and 3 repeat it for the grey of a colour
// image only; channel 0, column 0 and row 0 answer 0. Values are kept in the kind's range.
TEST(PixelStore, AnswersEveryChannelColumnAndRow) {
  const struct {
    StoreKind kind;
    std::int32_t top;  // the largest value the kind holds
    bool colour;
  } kinds[] = {{StoreKind::grey8, 255, false},
               {StoreKind::rgb8, 255, true},
               {StoreKind::grey16, 65535, false}};
  for (const auto& k : kinds) {
    PixelStore s;
    ASSERT_TRUE(s.recreate(5, 4, k.kind));
    for (int y = 1; y <= 4; ++y) {
      for (int x = 1; x <= 5; ++x) s.set(x, y, (x * 37 + y * 101) % (k.top + 1));
    }
    s.set(5, 4, k.top);
    for (int y = 0; y <= 4; ++y) {
      for (int x = 0; x <= 5; ++x) {
        const std::int32_t v = x == 0 || y == 0   ? 0
                               : x == 5 && y == 4 ? k.top
                                                  : (x * 37 + y * 101) % (k.top + 1);
        ASSERT_EQ(s.at(0, x, y), 0);
        ASSERT_EQ(s.at(1, x, y), v) << x << "," << y;
        ASSERT_EQ(s.at(2, x, y), k.colour ? v : 0);
        ASSERT_EQ(s.at(3, x, y), k.colour ? v : 0);
      }
    }
    // Rows lie one after another, W values each.
    EXPECT_EQ(s.value(1, 2),
              k.kind == StoreKind::grey16 ? s.row<std::uint16_t>(2)[0] : s.row<std::uint8_t>(2)[0]);
    EXPECT_EQ(s.rowbytes(2) - s.rowbytes(1), 5 * valuebytes(k.kind));
    EXPECT_TRUE(s.contains(3, 5, 4));
    EXPECT_FALSE(s.contains(4, 5, 4));
    EXPECT_FALSE(s.contains(1, 6, 4));
    EXPECT_FALSE(s.contains(1, 5, 5));
  }
}

TEST(PixelStore, RecreatingZeroesAndARefusedSizeKeepsTheOldStore) {
  PixelStore s;
  ASSERT_TRUE(s.recreate(5, 4, StoreKind::grey16));
  for (int y = 1; y <= 4; ++y) {
    for (int x = 1; x <= 5; ++x) s.set(x, y, x + 10 * y);
  }
  ASSERT_TRUE(s.recreate(5, 4, StoreKind::grey8));
  for (int y = 0; y <= 4; ++y) {
    for (int x = 0; x <= 5; ++x) ASSERT_EQ(s.at(1, x, y), 0);
  }
  s.set(5, 4, 99);
  EXPECT_FALSE(s.recreate(-1, 3, StoreKind::grey8));
  EXPECT_FALSE(s.recreate(3, -1, StoreKind::grey16));
  EXPECT_EQ(s.width(), 5);
  EXPECT_EQ(s.length(), 4);
  EXPECT_EQ(s.kind(), StoreKind::grey8);
  EXPECT_EQ(s.at(1, 5, 4), 99);
}

// Rows provided ahead of the writes, in order and out of it, keep every value; a store
// replaced after rows were provided starts zeroed again.
TEST(PixelStore, ProvidingPagesChangesNoValue) {
  PixelStore s;
  ASSERT_TRUE(s.recreate(4099, 3000, StoreKind::grey16));  // 23 MiB: several requests
  for (std::int64_t y : {1, 2, 1500, 1400, 3000, 3001, 0, -1}) s.provide(1, y);
  for (int y = 1; y <= 3000; y += 7) s.set(4099, y, y);
  for (int y = 1; y <= 3000; y += 7) ASSERT_EQ(s.at(1, 4099, y), y);
  EXPECT_EQ(s.at(1, 4099, 2), 0);
  ASSERT_TRUE(s.recreate(4099, 3000, StoreKind::grey16));
  s.provide(1, 3000);
  EXPECT_EQ(s.at(1, 4099, 8), 0);
}

TEST(StoreMemory, LimitIsCheckedBeforeTheStoreIsMade) {
  std::uint64_t limit = PixelStore::bytes_for(10, 10, StoreKind::grey16);
  const struct {
    std::int32_t w, l;
    StoreKind kind;
    bool fits;
  } cases[] = {
      {10, 10, StoreKind::grey16, true},  {0, 0, StoreKind::grey16, true},
      {11, 10, StoreKind::grey16, false}, {10, 11, StoreKind::grey16, false},
      {20, 10, StoreKind::grey8, true},   {20, 10, StoreKind::rgb8, true},
      {21, 10, StoreKind::grey8, false},  {-1, 5, StoreKind::grey8, false},
      {5, -1, StoreKind::grey16, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(load_fits(current_load_limit(limit, 0, 2), c.w, c.l, c.kind), c.fits)
        << c.w << " x " << c.l;
  }
  // Without a set limit the store, the picture, a copy of it, the row buffers and the
  // reserve are held to what the machine has: a small image fits and the largest declared
  // one never where the machine could not really back all that (the process's own limits
  // may refuse it even where the machine could).
  limit = 0;
  EXPECT_GT(memavailable(), 0u);
  EXPECT_TRUE(load_fits(current_load_limit(limit, 0, 2), 512, 512, StoreKind::grey16));
  if (memavailable() < load_bytes(32767, 32767, StoreKind::grey16, 2)) {
    EXPECT_FALSE(load_fits(current_load_limit(limit, 0, 2), 32767, 32767, StoreKind::grey16));
  }
  // An 8-bit picture and its copy (1 and 3 bytes a shown pixel, rows padded to 4) weigh as
  // much as its store; a 16-bit one half as much. Odd sides lose their last pixel.
  constexpr std::uint64_t kRows = 2 * 3 * 21000 + 1;  // two workers' RGB rows, and element 0
  EXPECT_EQ(load_bytes(21000, 21000, StoreKind::grey8, 2),
            2ull * 21000 * 21000 + kRows + kLoadReserve);
  EXPECT_EQ(load_bytes(3, 3, StoreKind::grey16, 1), 18 + 4 + 4 + 10 + kLoadReserve);
}

}  // namespace
}  // namespace vtr
