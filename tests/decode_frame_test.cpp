// The four decoders run directly on files whose header is filled by hand: values, histogram,
// strip walk, progress, one read per row, and files that break the header's promises.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <numeric>
#include <thread>

#include "core/row_unpack.h"
#include "decode/decoder_frame.h"
#include "decode/decoders.h"
#include "decode/readfile.h"
#include "tests/decode_fixture.h"

namespace vtr {
namespace {

using test::Bytes;
using test::SampleImage;

using Decoder = std::int16_t (*)(App&, std::int16_t);

Decoder decoderfor(int bits, int photometric) {
  if (photometric == 2) return getimagergb8;
  return bits == 8 ? getimagegray8 : bits == 12 ? getimagegray12 : getimagegray16;
}

const char* messagefor(int bits, int photometric) {
  if (photometric == 2) return "reading 8 bit rgb image from file";
  return bits == 8    ? "reading 8 bit image from file"
         : bits == 12 ? "reading 12 bit image from file"
                      : "reading 16 bit image from file";
}

class DecoderTest : public test::DecodeFixture {};

struct LayoutCase {
  int bits, photometric;
  bool mm;
  int width, length, rowsperstrip;
};

TEST_F(DecoderTest, EveryLayoutDecodesItsStripsIntoStoreAndHistogram) {
  const LayoutCase cases[] = {
      {8, 1, false, 5, 7, 3},  {8, 1, false, 1, 1, 0},  {8, 1, false, 4, 4, 10},
      {12, 1, false, 5, 6, 4}, {12, 1, true, 4, 3, 1},  {12, 1, false, 1, 2, 1},
      {12, 1, false, 3, 5, 2}, {16, 1, false, 6, 5, 2}, {16, 1, true, 6, 5, 2},
      {16, 1, true, 3, 9, 0},  {8, 2, false, 4, 5, 2},  {8, 2, true, 7, 3, 3},
      {8, 1, false, 3, 10, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.bits << "-bit ph " << c.photometric << " mm " << c.mm << " " << c.width << "x"
                 << c.length << " rps " << c.rowsperstrip);
    tk.progress_history.clear();
    clear_lines();
    const SampleImage im = test::makeimage(c.bits, c.photometric, c.mm, c.width, c.length);
    const std::int16_t p = prepare(im, c.rowsperstrip);
    EXPECT_EQ(decoderfor(c.bits, c.photometric)(app, p), 0);
    expectimage(im);
    EXPECT_EQ(app.files.get(p), nullptr) << "file left open";
    const int rps = c.rowsperstrip > 0 ? c.rowsperstrip : c.length;
    EXPECT_EQ(app.header.stripsperimage, (c.length + rps - 1) / rps);
    // The decoder's progress comes first: row / L, ending at exactly 1.
    ASSERT_GE(tk.progress_history.size(), static_cast<std::size_t>(c.length));
    for (int r = 1; r <= c.length; ++r) {
      EXPECT_FLOAT_EQ(tk.progress_history[r - 1], static_cast<float>(r) / c.length);
    }
    EXPECT_EQ(tk.progress_history[c.length - 1], 1.0f);
    // Bottom lines: the opening line, then "imagefile read" for 8 and 16 bits only.
    const auto l = lines();
    ASSERT_GE(l.size(), 2u);
    EXPECT_EQ(l.front(), messagefor(c.bits, c.photometric));
    const bool reportsread = c.photometric == 1 && c.bits != 12;
    EXPECT_EQ(count_lines("imagefile read"), reportsread ? 1 : 0);
    EXPECT_EQ(l[reportsread ? 2 : 1].rfind("time for last task", 0), 0u);
  }
}

struct BytesCase {
  int bits;
  bool mm;
  int width;
  Bytes row;
  std::vector<std::int32_t> values;
  std::vector<int> bins;
};

TEST_F(DecoderTest, RowBytesGiveTheseValues) {
  const BytesCase cases[] = {
      {8, false, 3, {10, 20, 30}, {10, 20, 30}, {10, 20, 30}},
      {12, false, 2, {0xAB, 0xCD, 0xEF}, {2748, 3567}, {171, 222}},
      {12, false, 3, {0xAB, 0xCD, 0xEF, 0xFF, 0xF7}, {2748, 3567, 4095}, {171, 222, 255}},
      {12, false, 1, {0x00, 0xF9}, {15}, {0}},
      {12, false, 2, {0x01, 0x00, 0x0F}, {16, 15}, {1, 0}},
      {16, true, 1, {0x12, 0x34}, {4660}, {18}},
      {16, false, 1, {0x12, 0x34}, {13330}, {52}},
      {16, false, 3, {0xFF, 0x00, 0x00, 0x01, 0xFF, 0xFF}, {255, 256, 65535}, {0, 1, 255}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << "-bit mm " << c.mm << " w " << c.width);
    // Two rows: the second must start right after the first one's bytes.
    Bytes bytes = c.row;
    bytes.insert(bytes.end(), c.row.begin(), c.row.end());
    describe({c.width, 2, c.bits, 1, c.mm, {}}, 2, {0});
    const std::int16_t p = openbytes(bytes);
    decoderfor(c.bits, 1)(app, p);
    HistogramCounts want{};
    for (int x = 1; x <= c.width; ++x) {
      EXPECT_EQ(app.store.at(1, x, 1), c.values[x - 1]) << x;
      EXPECT_EQ(app.store.at(1, x, 2), c.values[x - 1]) << x;
      want[static_cast<std::size_t>(c.bins[x - 1])] += 2;
    }
    EXPECT_EQ(app.histogram.bins, want);
    EXPECT_EQ(count_lines("[error]"), 0);
  }
}

// A row is unpacked into its own row of the store only, every column of it, and counted
// once per pixel by its bin, narrow rows (counted straight into the histogram) and wide ones
// (counted in four tables) alike.
TEST(RowUnpack, WritesItsOwnRowAndCountsEachPixelByItsBin) {
  const struct {
    const char* name;
    StoreKind kind;
    UnpackRow unpack;
    std::int64_t (*rowbytes)(std::int64_t);
    int divisor;
  } layouts[] = {
      {"8-bit", StoreKind::grey8, unpack_into_store<std::uint8_t, unpackgray8>, rowbytesgray8, 1},
      {"12-bit", StoreKind::grey16, unpack_into_store<std::uint16_t, unpackgray12>, rowbytesgray12,
       16},
      {"16-bit II", StoreKind::grey16, unpack_into_store<std::uint16_t, unpackgray16<false>>,
       rowbytesgray16, 256},
      {"16-bit MM", StoreKind::grey16, unpack_into_store<std::uint16_t, unpackgray16<true>>,
       rowbytesgray16, 256},
      {"RGB", StoreKind::rgb8, unpack_into_store<std::uint8_t, unpackrgb8>, rowbytesrgb8, 1},
  };
  std::uint32_t state = 99;
  for (const auto& layout : layouts) {
    for (std::int32_t w : {1, 2, 3, 1023, 1024, 1025, 3001}) {
      SCOPED_TRACE(testing::Message() << layout.name << " w " << w);
      Bytes row(static_cast<std::size_t>(layout.rowbytes(w)));
      for (auto& b : row)
        b = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 16);
      PixelStore store;
      ASSERT_TRUE(store.recreate(w, 3, layout.kind));
      HistogramCounts bins{};
      // Row 2, between two rows that must stay untouched.
      layout.unpack(row.data(), store, 2, bins);
      HistogramCounts want{};
      for (int x = 1; x <= w; ++x) {
        ASSERT_EQ(store.at(1, x, 1), 0);
        ASSERT_EQ(store.at(1, x, 3), 0);
        ++want[static_cast<std::size_t>(store.at(1, x, 2) / layout.divisor)];
      }
      EXPECT_EQ(bins, want);
      EXPECT_EQ(std::accumulate(bins.begin(), bins.end(), 0), w);
    }
  }
}

TEST(RgbGrey, GreenWeighsHalfAndHalvesRoundToEven) {
  const struct {
    int r, g, b, grey;
  } cases[] = {
      {0, 0, 0, 0},     {255, 255, 255, 255}, {77, 77, 77, 77}, {0, 255, 0, 128},
      {255, 0, 0, 64},  {0, 0, 255, 64},      {1, 0, 1, 0},     {3, 0, 3, 2},
      {5, 0, 5, 2},     {7, 0, 7, 4},         {0, 1, 1, 1},     {254, 255, 255, 255},
      {10, 20, 30, 20}, {200, 100, 0, 100},   {1, 1, 0, 1},     {2, 1, 0, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(greyofrgb(static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                        static_cast<std::uint8_t>(c.b)),
              c.grey)
        << c.r << " " << c.g << " " << c.b;
  }
  // Against floating point with halves to even, over a sweep of the whole cube.
  for (int r = 0; r < 256; r += 5) {
    for (int g = 0; g < 256; g += 3) {
      for (int b = 0; b < 256; b += 7) {
        const double want = std::nearbyint(0.25 * r + 0.5 * g + 0.25 * b);
        ASSERT_EQ(greyofrgb(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                            static_cast<std::uint8_t>(b)),
                  static_cast<std::int32_t>(want));
      }
    }
  }
}

// Per decoder row: exactly one read call, one progress step, one pump and nothing else
// shown; so the work grows with the rows and the pixels, never with a per-pixel toolkit call.
TEST_F(DecoderTest, EachRowIsOneReadOneProgressStepAndOnePump) {
  for (int bits : {8, 12, 16, 24}) {
    SCOPED_TRACE(bits);
    const int photometric = bits == 24 ? 2 : 1;
    const SampleImage im = test::makeimage(bits == 24 ? 8 : bits, photometric, false, 9, 12);
    const std::int16_t p = prepare(im, 5);
    struct Snapshot {
      std::uint64_t reads;
      std::size_t progress;
      int chartfeeds;
      long long pixelsets;
      std::size_t textsize;
    };
    std::vector<Snapshot> at;
    tk.pumps = 0;
    tk.every_pump = [&] {
      at.push_back({app.files.read_calls(), tk.progress_history.size(), tk.chart_feeds,
                    tk.pixel_sets, tk.text(TextBox::Text1).size()});
    };
    const std::uint64_t readsbefore = app.files.read_calls();
    const std::size_t progressbefore = tk.progress_history.size();
    decoderfor(bits == 24 ? 8 : bits, photometric)(app, p);
    tk.every_pump = nullptr;
    ASSERT_GE(at.size(), 12u);
    EXPECT_EQ(at[0].reads, readsbefore);
    EXPECT_EQ(at[0].progress, progressbefore + 1);
    for (std::size_t r = 1; r < 12; ++r) {
      EXPECT_EQ(at[r].reads - at[r - 1].reads, 1u) << "row " << r;
      EXPECT_EQ(at[r].progress - at[r - 1].progress, 1u);
      EXPECT_EQ(at[r].chartfeeds, at[0].chartfeeds);
      EXPECT_EQ(at[r].pixelsets, at[0].pixelsets);
      EXPECT_EQ(at[r].textsize, at[0].textsize);
    }
    EXPECT_EQ(app.files.read_calls() - at[11].reads, 1u) << "last row, and nothing after it";
    tk.progress_history.clear();
  }
}

TEST_F(DecoderTest, NoRowsStillClosesFeedsReportsAndPaints) {
  const SampleImage im = test::makeimage(8, 1, false, 4, 0);
  const std::int16_t p = prepare(im, 1);
  const int feeds = tk.chart_feeds;
  tk.pumps = 0;
  getimagegray8(app, p);
  EXPECT_EQ(app.header.stripsperimage, 0);
  EXPECT_EQ(app.files.get(p), nullptr);
  EXPECT_GE(tk.chart_feeds, feeds + 1);
  EXPECT_EQ(count_lines("imagefile read"), 1);
  EXPECT_EQ(count_lines("time for last task"), 2);  // the decoder's and the paint's
  EXPECT_EQ(histogramsum(), 0);
}

// After the last row the window gets one event pass, with the chart fed and the time line
// written, before the paint sizes the picture and draws its first row.
TEST_F(DecoderTest, TheWindowRunsItsEventsBetweenTheRowsAndThePaint) {
  const SampleImage im = test::makeimage(8, 1, false, 4, 3);
  const std::int16_t p = prepare(im, 1);
  tk.pumps = 0;
  tk.picture_w = -1;
  const int feeds = tk.chart_feeds;
  bool seen = false;
  tk.every_pump = [&] {
    if (tk.pumps != im.length + 1) return;
    seen = true;
    EXPECT_EQ(tk.chart_feeds, feeds + 1);
    EXPECT_EQ(count_lines("time for last task"), 1);
    EXPECT_EQ(tk.picture_w, -1) << "the paint has not started";
  };
  getimagegray8(app, p);
  EXPECT_TRUE(seen);
  EXPECT_EQ(count_lines("image painted"), 1);
}

// Rows per strip below 1 (tag missing, or 2^32 - 1 held as -1): the image is one strip.
TEST_F(DecoderTest, RowsPerStripBelowOneMeansOneStrip) {
  for (int rps : {0, -1, -5}) {
    SCOPED_TRACE(rps);
    const SampleImage im = test::makeimage(16, 1, true, 3, 4);
    const std::int16_t p = prepare(im, 0);
    app.header.rowsperstrip = rps;
    getimagegray16(app, p);
    expectimage(im);
    EXPECT_EQ(app.header.stripsperimage, 1);
    EXPECT_EQ(count_lines("[error]"), 0);
  }
}

TEST_F(DecoderTest, FileCutShortReadsMissingPixelsAsZeroWithOneErrorLine) {
  // 8-bit 4 x 3 in one strip: the file ends two bytes into the second row.
  describe({4, 3, 8, 1, false, {}}, 3, {2});
  const std::int16_t p = openbytes({9, 9, 1, 2, 3, 4, 5, 6});
  getimagegray8(app, p);
  const std::int32_t want[3][4] = {{1, 2, 3, 4}, {5, 6, 0, 0}, {0, 0, 0, 0}};
  for (int y = 1; y <= 3; ++y) {
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(app.store.at(1, x, y), want[y - 1][x - 1]);
  }
  EXPECT_EQ(app.histogram.bins[0], 6);
  EXPECT_EQ(histogramsum(), 12);
  EXPECT_EQ(count_lines("[error] image data cut short - missing pixels read as 0"), 1);
  EXPECT_EQ(count_lines("[error]"), 1);
  EXPECT_EQ(count_lines("imagefile read"), 1);
  EXPECT_EQ(app.files.get(p), nullptr);
}

TEST_F(DecoderTest, StripOffsetsBeyondTheFileReadAsZero) {
  for (std::int32_t offset : {1000, -1, 2147483647}) {
    SCOPED_TRACE(offset);
    clear_lines();
    const SampleImage im = test::makeimage(12, 1, false, 3, 2);
    const std::int16_t p = prepare(im, 1);
    app.header.stripoffsets[2] = offset;
    getimagegray12(app, p);
    for (int x = 1; x <= 3; ++x) {
      EXPECT_EQ(app.store.at(1, x, 1), im.expected(x, 1));
      EXPECT_EQ(app.store.at(1, x, 2), 0);
    }
    EXPECT_EQ(histogramsum(), 6);
    EXPECT_EQ(count_lines("[error] image data cut short"), 1);
  }
}

// Strips this file's StripOffsets did not give, or past the 1024 the header holds, are never
// read from offsets left by an earlier file: they read as 0, reported once.
TEST_F(DecoderTest, MissingStripsReadAsZeroNotFromStaleOffsets) {
  const SampleImage im = test::makeimage(8, 1, false, 2, 3);
  const std::int16_t p = prepare(im, 1);
  app.header.stripoffsets[2] = app.header.stripoffsets[1];  // stale but readable
  app.header.stripoffsets[3] = app.header.stripoffsets[1];
  app.header.stripoffsetcount = 1;
  getimagegray8(app, p);
  for (int x = 1; x <= 2; ++x) {
    EXPECT_EQ(app.store.at(1, x, 1), im.expected(x, 1));
    EXPECT_EQ(app.store.at(1, x, 2), 0);
    EXPECT_EQ(app.store.at(1, x, 3), 0);
  }
  EXPECT_EQ(histogramsum(), 6);
  EXPECT_EQ(count_lines("[error] strip offsets missing - missing strips read as 0"), 1);
  EXPECT_EQ(count_lines("[error]"), 1);
  EXPECT_EQ(app.files.get(p), nullptr);
}

TEST_F(DecoderTest, MoreThan1024StripsReadTheRestAsZero) {
  app.bands.rows = 1;  // a progress step for every row
  const SampleImage im = test::makeimage(8, 1, false, 1, 1030);
  const std::int16_t p = prepare(im, 1);
  EXPECT_EQ(app.header.stripoffsetcount, 1024);
  getimagegray8(app, p);
  EXPECT_EQ(app.header.stripsperimage, 1030);
  for (int y = 1; y <= 1024; ++y) ASSERT_EQ(app.store.at(1, 1, y), im.expected(1, y)) << y;
  for (int y = 1025; y <= 1030; ++y) EXPECT_EQ(app.store.at(1, 1, y), 0) << y;
  EXPECT_EQ(histogramsum(), 1030);
  EXPECT_EQ(count_lines("[error] strip offsets missing"), 1);
  EXPECT_EQ(tk.progress_history[1029], 1.0f);
}

// Row byte counts that a 16-bit count could not hold.
TEST_F(DecoderTest, WideRowsDecodeWhole) {
  for (int photometric : {1, 2}) {
    for (bool mm : {false, true}) {
      const int bits = photometric == 2 ? 8 : 16;
      SCOPED_TRACE(testing::Message() << bits << " mm " << mm);
      clear_lines();
      const SampleImage im = test::makeimage(bits, photometric, mm, 20000, 2);
      const std::int16_t p = prepare(im, 1);
      decoderfor(bits, photometric)(app, p);
      expectimage(im);
      EXPECT_EQ(count_lines("[error]"), 0);
    }
  }
}

// A store larger than one request for its pages is provided in several, row by row ahead of
// the writes: the values must not depend on where the requests fell.
TEST_F(DecoderTest, StoresProvidedAheadOfTheRowsHoldTheSameImage) {
  const struct {
    int bits, photometric;
    bool mm;
  } kinds[] = {{16, 1, true}, {8, 2, false}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(testing::Message() << k.bits << "-bit ph " << k.photometric << " mm " << k.mm);
    const SampleImage im = test::makeimage(k.bits, k.photometric, k.mm, 3001, 3002);
    ASSERT_GT(app.store.bytes_for(im.width, im.length, storekindfor(app.header)), 8u << 20);
    const std::int16_t p = prepare(im, 64);
    decoderfor(k.bits, k.photometric)(app, p);
    expectimage(im);
  }
}

// The same files with one worker and with more than most machines have, in bands of one row
// and of many: the store, the counts and the lines come out the same, for whole files, files
// cut short and files whose strip offsets are missing.
TEST_F(DecoderTest, WorkersAndBandsLeaveTheSameImage) {
  // Strip 1 (the last in the file) begins 40 bytes before the file's end.
  const auto cut = [](ImageHeader& h, std::uint64_t size) {
    h.stripoffsets[1] = static_cast<std::int32_t>(size - 40);
  };
  const struct {
    const char* name;
    int bits, photometric;
    bool mm;
    int width, length, rowsperstrip;
    std::function<void(ImageHeader&, std::uint64_t)> fault;
    int errors;
  } files[] = {
      {"8-bit", 8, 1, false, 301, 97, 7, nullptr, 0},
      {"16-bit II, one strip cut short", 16, 1, false, 1200, 40, 0, cut, 1},
      {"16-bit MM, strips missing", 16, 1, true, 300, 120, 9,
       [](ImageHeader& h, std::uint64_t) { h.stripoffsetcount = 5; }, 1},
      {"12-bit, both", 12, 1, false, 37, 200, 9,
       [&cut](ImageHeader& h, std::uint64_t size) {
         cut(h, size);
         h.stripoffsetcount = 15;
       },
       2},
      {"RGB", 8, 2, false, 65, 64, 5, nullptr, 0},
  };
  const BandPlan plans[] = {{1, 1, 0}, {1, 5, 0}, {7, 5, 0}, {100000, 5, 0}, {0, 3, 0}};
  WorkerPool pool(5);
  for (const auto& f : files) {
    const SampleImage im = test::makeimage(f.bits, f.photometric, f.mm, f.width, f.length);
    struct Outcome {
      std::vector<std::uint8_t> store;
      HistogramCounts counts;
      test::Lines lines;
    };
    std::vector<Outcome> outcomes;
    for (const BandPlan& plan : plans) {
      SCOPED_TRACE(testing::Message()
                   << f.name << ", band " << plan.rows << " workers " << plan.workers);
      clear_lines();
      const std::int16_t p = prepare(im, f.rowsperstrip);
      if (f.fault) f.fault(app.header, app.files.get(p)->size());
      const DecodeTarget target{*app.files.get(p),  app.header, app.store, app.rowbuffer,
                                app.histogram.bins, app.lines,  pool,      plan};
      decode_image(target, *pixel_kind_for(f.bits, f.photometric),
                   [](std::int64_t, std::int64_t) { return true; });
      const auto bytes = app.store.bytes();
      outcomes.push_back(
          {std::vector<std::uint8_t>(app.store.rowbytes(1), app.store.rowbytes(1) + bytes),
           app.histogram.bins, lines()});
      EXPECT_EQ(count_lines("[error]"), f.errors);
      EXPECT_EQ(outcomes.back().store, outcomes.front().store);
      EXPECT_EQ(outcomes.back().counts, outcomes.front().counts);
      EXPECT_EQ(outcomes.back().lines, outcomes.front().lines);
    }
  }
}

TEST_F(DecoderTest, EndingDuringTheLoadStopsAtOnce) {
  const SampleImage im = test::makeimage(8, 1, false, 3, 5);
  const std::int16_t p = prepare(im, 2);
  const int feeds = tk.chart_feeds;
  tk.pump_actions = {nullptr, [&] { app.ending = true; }};
  getimagegray8(app, p);
  EXPECT_EQ(app.files.get(p), nullptr);
  EXPECT_EQ(tk.pumps, 2);
  EXPECT_EQ(tk.progress_history.size(), 2u);
  EXPECT_EQ(tk.chart_feeds, feeds);
  EXPECT_EQ(count_lines("imagefile read"), 0);
  EXPECT_EQ(count_lines("time for last task"), 0);
  EXPECT_EQ(app.store.at(1, 1, 1), im.expected(1, 1));
  EXPECT_EQ(app.store.at(1, 1, 2), 0);  // the row whose pump saw the end is not read
}

TEST_F(DecoderTest, StoreOfAnotherSizeIsNeverWrittenPast) {
  const SampleImage im = test::makeimage(8, 1, false, 4, 4);
  // Another size, or the right size for another decoder's values.
  int refused = 0;
  for (const auto& [w, kind] : {std::pair{2, StoreKind::grey8}, std::pair{4, StoreKind::grey16}}) {
    const std::int16_t p = prepare(im, 0);
    ASSERT_TRUE(app.store.recreate(w, w, kind));
    getimagegray8(app, p);
    EXPECT_EQ(app.files.get(p), nullptr);
    EXPECT_EQ(count_lines("[error] pixel store does not match the image size"), ++refused);
    EXPECT_EQ(histogramsum(), 0);
  }
}

}  // namespace
}  // namespace vtr
