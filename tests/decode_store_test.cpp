// The pixel store's geometry and zeroing, and the memory check made before a store is made.
#include <gtest/gtest.h>
#include <sched.h>

#include <chrono>
#include <thread>

#include "core/app.h"
#include "decode/store_backing.h"
#include "decode/store_memory.h"
#include "tests/support/fake_toolkit.h"

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

bool waitbacked(const PixelStore& s, std::int64_t row) {
  for (int i = 0; i < 5000 && !s.backed(row); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return s.backed(row);
}

// Backing a store faults its pages in without changing a value, and a store can be replaced
// or dropped while its backing thread is still running.
TEST(StoreBacking, BacksLargeStoresWithoutChangingThemAndStopsWhenReplaced) {
  if (usableprocessors() < 2) GTEST_SKIP() << "one processor: stores are not backed ahead";
  PixelStore s;
  ASSERT_TRUE(s.recreate(4096, 1100));  // 69 MiB
  s.at(1, 7, 1) = 5;
  s.at(3, 4096, 1100) = -9;
  EXPECT_FALSE(s.backed(1100));
  s.populate();
  ASSERT_TRUE(waitbacked(s, 1100));
  EXPECT_EQ(s.at(1, 7, 1), 5);
  EXPECT_EQ(s.at(3, 4096, 1100), -9);
  std::int64_t sum = 0;
  for (int y = 0; y <= 1100; y += 3) {
    for (int x = 0; x <= 4096; ++x) sum += s.at(0, x, y) + s.at(2, x, y);
  }
  EXPECT_EQ(sum, 0);

  // Replaced and released mid-run, many times: the thread is stopped before the unmap.
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(s.recreate(4096 + i, 1100));
    s.populate();
    EXPECT_EQ(s.at(1, 7, 1), 0);
  }
  ASSERT_TRUE(s.recreate(1, 1));
  EXPECT_FALSE(s.backed(1));
}

TEST(StoreBacking, SmallStoresAndSingleProcessorsAreNotBacked) {
  PixelStore small;
  ASSERT_TRUE(small.recreate(1024, 1024));  // 16 MiB: stays in the caches
  small.populate();
  EXPECT_FALSE(small.backed(0));  // no thread was started, so nothing is known to be backed

  cpu_set_t saved;
  ASSERT_EQ(sched_getaffinity(0, sizeof saved, &saved), 0);
  cpu_set_t one;
  CPU_ZERO(&one);
  for (int c = 0; c < CPU_SETSIZE; ++c) {
    if (CPU_ISSET(c, &saved)) {
      CPU_SET(c, &one);
      break;
    }
  }
  ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
  EXPECT_EQ(usableprocessors(), 1);
  PixelStore large;
  ASSERT_TRUE(large.recreate(4096, 1100));
  large.populate();
  EXPECT_FALSE(large.backed(0));
  ASSERT_EQ(sched_setaffinity(0, sizeof saved, &saved), 0);
  EXPECT_EQ(usableprocessors(), CPU_COUNT(&saved));
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
  // Without a set limit, at most half of what the machine has: a small image fits and the
  // largest declared one never where the machine could not really back 16 GiB (the process's
  // own limits may refuse it even where the machine could).
  app.store_limit = 0;
  EXPECT_GT(memavailable(), 0u);
  EXPECT_TRUE(storefits(app, 512, 512));
  if (memavailable() / 2 < (16ull << 30)) {
    EXPECT_FALSE(storefits(app, 32767, 32767));
  }
}

}  // namespace
}  // namespace vtr
