// The pixel store's geometry and zeroing, and the memory check made before a store is made.
#include <gtest/gtest.h>

#include "decode/store_memory.h"
#include "tests/support/fake_toolkit.h"
#include "ui/app.h"

namespace vtr {
namespace {

TEST(PixelStore, HoldsFourChannelsOfEveryColumnAndRowFromZero) {
  const struct {
    std::int32_t w, l;
    std::uint64_t bytes;
  } cases[] = {
      {0, 0, 16},
      {1, 1, 64},  // 4 x 2 x 2 elements
      {3, 2, 4 * 4 * 3 * 4},
      {32767, 32767, 16ull << 30},
  };
  for (const auto& c : cases) EXPECT_EQ(PixelStore::bytes_for(c.w, c.l), c.bytes) << c.w;

  PixelStore s;
  ASSERT_TRUE(s.recreate(1, 1));
  EXPECT_TRUE(s.contains(3, 1, 1));
  EXPECT_FALSE(s.contains(4, 1, 1));
  EXPECT_FALSE(s.contains(1, 2, 1));
  EXPECT_FALSE(s.contains(1, 1, 2));
  // Storage order: channel fastest, then column, then row.
  s.at(1, 1, 1) = 7;
  EXPECT_EQ(s.row(1)[4 * 1 + 1], 7);
  EXPECT_EQ(&s.at(0, 0, 1) - &s.at(0, 0, 0), 8);
}

TEST(PixelStore, RecreatingZeroesAndARefusedSizeKeepsTheOldStore) {
  PixelStore s;
  ASSERT_TRUE(s.recreate(5, 4));
  for (int y = 0; y <= 4; ++y) {
    for (int x = 0; x <= 5; ++x) s.at(1, x, y) = x + 10 * y;
  }
  ASSERT_TRUE(s.recreate(5, 4));
  for (int y = 0; y <= 4; ++y) {
    for (int x = 0; x <= 5; ++x) {
      for (int c = 0; c <= 3; ++c) ASSERT_EQ(s.at(c, x, y), 0);
    }
  }
  s.at(1, 5, 4) = 99;
  EXPECT_FALSE(s.recreate(-1, 3));
  EXPECT_FALSE(s.recreate(3, -1));
  EXPECT_EQ(s.width(), 5);
  EXPECT_EQ(s.length(), 4);
  EXPECT_EQ(s.at(1, 5, 4), 99);
}

TEST(StoreMemory, LimitIsCheckedBeforeTheStoreIsMade) {
  test::FakeToolkit tk;
  App app{tk};
  app.store_limit = PixelStore::bytes_for(10, 10);
  EXPECT_TRUE(storefits(app, 10, 10));
  EXPECT_TRUE(storefits(app, 0, 0));
  EXPECT_FALSE(storefits(app, 11, 10));
  EXPECT_FALSE(storefits(app, 10, 11));
  EXPECT_FALSE(storefits(app, -1, 5));
  EXPECT_FALSE(storefits(app, 5, -1));
  // Without a set limit, half of what the machine has: a small image fits and the largest
  // declared one only where the machine could really back 16 GiB.
  app.store_limit = 0;
  EXPECT_GT(memavailable(), 0u);
  EXPECT_TRUE(storefits(app, 512, 512));
  EXPECT_EQ(storefits(app, 32767, 32767), memavailable() / 2 >= (16ull << 30));
}

}  // namespace
}  // namespace vtr
