// The get-image and get-header commands end to end, from a click on the recording toolkit:
// dialog, header, store, decoder, messages, busy state, and every way a load can stop early.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "core/messages.h"
#include "decode/load_memory.h"
#include "decode/readfile.h"
#include "decode/store_memory.h"
#include "tests/decode_fixture.h"
#include "tests/support/process_state.h"
#include "ui/commands.h"

namespace vtr {
namespace {

using test::Bytes;
using test::SampleImage;
using test::StripImage;
using test::TempFile;

class LoadTest : public test::DecodeFixture {
 protected:
  // Writes the image as a whole TIFF file and clicks get image with it.
  std::unique_ptr<TempFile> load(const SampleImage& im, int rowsperstrip = 0) {
    auto f = std::make_unique<TempFile>(im.tiff_file(rowsperstrip));
    click(f->path());
    return f;
  }
  // Clicks get image with the dialog answering `path`.
  void click(const std::string& path) {
    tk.dialog_answers = {path};
    getimage_button_Click(app);
  }
  // Every value the store answers, column and row 0 and every channel included, summed.
  std::int64_t storedsum() const {
    std::int64_t n = 0;
    for (int y = 0; y <= app.store.length(); ++y) {
      for (int x = 0; x <= app.store.width(); ++x) {
        for (int c = 0; c <= 3; ++c) n += app.store.at(c, x, y);
      }
    }
    return n;
  }
};

struct KindCase {
  int bits, photometric;
  bool mm;
  int width, length, rowsperstrip;
  test::Lines decoderlines;  // oldest first, before the decoder's time and the paint's lines
};

TEST_F(LoadTest, EachKindLoadsWithItsLinesProgressAndBusyState) {
  const KindCase cases[] = {
      {8, 1, false, 6, 5, 2, {"reading 8 bit image from file", "imagefile read"}},
      {12, 1, false, 5, 4, 3, {"reading 12 bit image from file"}},
      {16, 1, false, 4, 3, 0, {"reading 16 bit image from file", "imagefile read"}},
      {16, 1, true, 4, 3, 2, {"reading 16 bit image from file", "imagefile read"}},
      {8, 2, false, 3, 4, 1, {"reading 8 bit rgb image from file"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << "-bit ph " << c.photometric << " mm " << c.mm);
    clear_lines();
    tk.progress_history.clear();
    tk.colour_history.clear();
    const SampleImage im = test::makeimage(c.bits, c.photometric, c.mm, c.width, c.length);
    tk.clock_times = {100.0, 103.0};  // the decoder's start and end; the paint sees 0 s
    bool busyinside = false;
    tk.pump_actions = {[&] {
      busyinside = app.busy == kTrue && tk.colours[Button::getimage_button] == kBusyColour;
    }};
    auto f = load(im, c.rowsperstrip);
    EXPECT_TRUE(busyinside);
    EXPECT_EQ(app.busy, kFalse);
    EXPECT_EQ(tk.colour_history[Button::getimage_button],
              (std::vector<Rgb>{kBusyColour, kIdleColour}));
    EXPECT_EQ(app.header.headervalid, kTrue);
    EXPECT_EQ(tk.dialog_default_ext, ".tif");
    EXPECT_TRUE(tk.dialog_cancel_error);
    EXPECT_EQ(tk.dialog_filter, "TIFF files (*.tif;*.tiff)|*.tif;*.tiff|All files (*.*)|*.*");
    EXPECT_EQ(tk.text(TextBox::image_filename), f->path());
    EXPECT_EQ(app.image_path, f->path());
    // Every line, oldest first: the decoder's own, its time, then the paint's two.
    test::Lines want = c.decoderlines;
    want.insert(want.end(),
                {"time for last task  3(s)", "image painted", "time for last task  0(s)"});
    EXPECT_EQ(lines(), want);
    ASSERT_EQ(app.store.width(), c.width);
    ASSERT_EQ(app.store.length(), c.length);
    expectimage(im);
    // The decoder's progress runs row / L up to exactly 1 (the paint's follows).
    ASSERT_GE(tk.progress_history.size(), static_cast<std::size_t>(c.length));
    EXPECT_EQ(tk.progress_history[static_cast<std::size_t>(c.length) - 1], 1.0f);
    EXPECT_EQ(app.files.open_count(), 0);
  }
}

TEST_F(LoadTest, HeaderOnlyReadLeavesThePreviousImage) {
  const SampleImage first = test::makeimage(8, 1, false, 4, 4);
  auto f1 = load(first);
  const HistogramCounts bins = app.histogram.bins;
  const int feeds = tk.chart_feeds;
  const std::int64_t sum = storedsum();
  const auto picture = tk.picture;
  clear_lines();
  auto f2 = std::make_unique<TempFile>(test::makeimage(16, 1, true, 7, 2).tiff_file());
  tk.dialog_answers = {f2->path()};
  bool showtextinside = false;
  tk.pump_actions = {[&] { showtextinside = app.showtext == kTrue; }};
  getheader_button_Click(app);
  EXPECT_TRUE(showtextinside);
  EXPECT_EQ(app.showtext, kFalse);
  EXPECT_EQ(app.busy, kFalse);
  EXPECT_EQ(tk.colours[Button::getheader_button], kIdleColour);
  EXPECT_EQ(app.header.headervalid, kFalse);
  EXPECT_EQ(app.header.imagewidth, 7);  // the dump's file was parsed
  EXPECT_GT(count_lines("imagewidth"), 0);
  EXPECT_EQ(count_lines("reading"), 0);
  EXPECT_EQ(app.store.width(), 4);
  EXPECT_EQ(storedsum(), sum);
  EXPECT_EQ(app.histogram.bins, bins);
  EXPECT_EQ(tk.chart_feeds, feeds);
  EXPECT_EQ(tk.picture, picture);
  EXPECT_EQ(tk.text(TextBox::image_filename), f2->path());
  EXPECT_EQ(app.files.open_count(), 0);
}

// Releases a reader that waits in open() on the FIFO at `path`, so that a load that would
// hang there fails instead; it gives up once `done` is set.
void releasefifo(const std::string& path, const std::atomic<bool>& done) {
  for (int tick = 0; !done; ++tick) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (tick < 40) continue;
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
}

TEST_F(LoadTest, CancelOrUnopenableFileChangesNothing) {
  auto f = load(test::makeimage(8, 1, false, 2, 2));
  const std::int64_t sum = storedsum();
  const int feeds = tk.chart_feeds;
  const std::string dir = ::testing::TempDir() + "vtr_unopenable";
  const std::string fifo = dir + "/pipe.tif";
  const std::string loop = dir + "/loop.tif";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directory(dir);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink(loop, loop);
  const struct {
    bool header;
    std::optional<std::string> answer;
    std::string reason;  // the error line before "Get Image cancelled" says why
  } cases[] = {
      {false, std::nullopt, ""},
      {true, std::nullopt, ""},
      {false, "/nonexistent/x.tif", "No such file or directory"},
      {true, "/tmp", "not a regular file"},
      {false, fifo, "not a regular file"},
      {true, fifo, "not a regular file"},
      {false, "/dev/null", "not a regular file"},
      {false, loop, "Too many levels of symbolic links"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer.value_or("(cancel)"));
    clear_lines();
    tk.dialog_answers = {c.answer};
    std::atomic<bool> done = false;
    std::thread release(releasefifo, fifo, std::cref(done));
    c.header ? getheader_button_Click(app) : getimage_button_Click(app);
    done = true;
    release.join();
    test::Lines expected;
    if (!c.reason.empty()) expected.push_back("[error] " + c.reason + " - " + *c.answer);
    expected.push_back("Get Image cancelled");
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(app.header.headervalid, kTrue);
    EXPECT_EQ(storedsum(), sum);
    EXPECT_EQ(tk.chart_feeds, feeds);
    EXPECT_EQ(app.busy, kFalse);
    EXPECT_EQ(app.files.open_count(), 0);
  }
  std::filesystem::remove_all(dir);
}

TEST_F(LoadTest, UnsupportedLayoutEmptiesHistogramAndStore) {
  auto f1 = load(test::makeimage(8, 1, false, 2, 2));
  // An 8-bit file whose photometric is 0 (white is zero): accepted by the parser only.
  StripImage s;
  s.width = 3;
  s.length = 2;
  s.photometric = 0;
  s.pixels = Bytes(6, 200);
  TempFile f2(test::image(s));
  clear_lines();
  click(f2.path());
  EXPECT_EQ(lines().back(), "[error] not a 8 bit RGB or Grayscale 8, 12 or 16 bit image");
  EXPECT_EQ(count_lines("reading"), 0);
  EXPECT_EQ(app.header.headervalid, kTrue);
  EXPECT_EQ(app.store.width(), 3);
  EXPECT_EQ(app.store.length(), 2);
  EXPECT_EQ(storedsum(), 0);
  EXPECT_EQ(histogramsum(), 0);
  EXPECT_EQ(tk.chart, HistogramCounts{});
  EXPECT_EQ(app.files.open_count(), 0);
}

TEST_F(LoadTest, RefusedHeaderKeepsStoreAndHistogram) {
  auto f1 = load(test::makeimage(8, 1, false, 2, 2));
  const std::int64_t sum = storedsum();
  const HistogramCounts bins = app.histogram.bins;
  TempFile junk(Bytes{'X', 'Y', 0, 42, 0, 0, 0, 8});
  clear_lines();
  click(junk.path());
  EXPECT_EQ(app.header.headervalid, kFalse);
  EXPECT_GT(count_lines("[error]"), 0);
  EXPECT_EQ(storedsum(), sum);
  EXPECT_EQ(app.histogram.bins, bins);
  EXPECT_EQ(tk.text(TextBox::image_filename), junk.path());  // shown before the parse
  EXPECT_EQ(app.files.open_count(), 0);
}

TEST_F(LoadTest, SecondClickDuringALoadIsRefusedAndTheLoadFinishes) {
  const SampleImage im = test::makeimage(8, 1, false, 3, 6);
  int shows = 0;
  tk.pump_actions = {nullptr, nullptr, nullptr, [&] {
                       shows = tk.dialog_shows;
                       tk.dialog_answers = {"/should/not/be/asked.tif"};
                       getimage_button_Click(app);
                       getheader_button_Click(app);
                     }};
  auto f = load(im);
  EXPECT_EQ(shows, 1);
  EXPECT_EQ(tk.dialog_shows, 1);
  EXPECT_EQ(count_lines("[error] busy"), 2);
  EXPECT_EQ(count_lines("imagefile read"), 1);
  EXPECT_EQ(tk.colour_history[Button::getheader_button].size(), 0u);
  EXPECT_EQ(tk.colours[Button::getimage_button], kIdleColour);
  for (int y = 1; y <= 6; ++y) EXPECT_EQ(app.store.at(1, 3, y), im.expected(3, y));
}

TEST_F(LoadTest, StoreThatCannotBeHadIsRefusedKeepingThePreviousImage) {
  const SampleImage first = test::makeimage(8, 1, false, 4, 3);
  auto f1 = load(first);
  const std::int64_t sum = storedsum();
  const HistogramCounts bins = app.histogram.bins;
  const int feeds = tk.chart_feeds;
  const auto picture = tk.picture;
  app.store_limit = PixelStore::bytes_for(4, 3, StoreKind::grey8);
  clear_lines();
  auto f2 = load(test::makeimage(16, 1, false, 100, 50));
  EXPECT_EQ(lines(), std::vector<std::string>{"[error] not enough memory for a 100 x 50 image"});
  EXPECT_EQ(app.header.headervalid, kFalse);
  EXPECT_EQ(app.store.width(), 4);
  EXPECT_EQ(storedsum(), sum);
  EXPECT_EQ(app.histogram.bins, bins);
  EXPECT_EQ(tk.chart_feeds, feeds);
  EXPECT_EQ(tk.picture, picture);
  EXPECT_EQ(app.files.open_count(), 0);
  EXPECT_EQ(app.busy, kFalse);
  // An image that fits the limit still loads.
  clear_lines();
  auto f3 = load(first);
  EXPECT_EQ(app.header.headervalid, kTrue);
  EXPECT_EQ(count_lines("imagefile read"), 1);
}

TEST_F(LoadTest, LargestDeclaredImageIsRefusedWhenTheMachineCannotBackIt) {
  const std::uint64_t need = load_bytes(32767, 32767, StoreKind::grey16, 1);
  if (need <= memavailable()) GTEST_SKIP() << "this machine could hold the store and its picture";
  StripImage s;
  s.width = 32767;
  s.length = 32767;
  s.pixels = Bytes(16, 1);  // the rest of the strip is missing from the file
  TempFile f(test::image(s));
  click(f.path());
  EXPECT_EQ(lines().back(), "[error] not enough memory for a 32767 x 32767 image");
  EXPECT_EQ(app.header.headervalid, kFalse);
  EXPECT_EQ(app.files.open_count(), 0);
}

TEST_F(LoadTest, ShortFileLoadsWithOneErrorLine) {
  const SampleImage im = test::makeimage(16, 1, true, 5, 4);
  Bytes bytes = im.tiff_file(2);
  bytes.resize(bytes.size() - 13);  // the last row and a half are gone
  TempFile f(bytes);
  click(f.path());
  EXPECT_EQ(count_lines("[error] image data cut short - missing pixels read as 0"), 1);
  EXPECT_EQ(count_lines("imagefile read"), 1);
  for (int x = 1; x <= 5; ++x) EXPECT_EQ(app.store.at(1, x, 2), im.expected(x, 2));
  EXPECT_EQ(app.store.at(1, 1, 3), im.expected(1, 3));
  EXPECT_EQ(app.store.at(1, 5, 3), 0);
  EXPECT_EQ(app.store.at(1, 1, 4), 0);
  EXPECT_EQ(histogramsum(), 20);
}

TEST_F(LoadTest, EndingWhileWaitingForTheHeaderStopsBeforeIt) {
  const SampleImage im = test::makeimage(8, 1, false, 2, 2);
  app.header.headervalid = kTrue;
  tk.pump_actions = {[&] { app.ending = true; }};
  auto f = load(im);
  EXPECT_EQ(app.files.open_count(), 0);
  EXPECT_EQ(app.header.imagewidth, 0);  // never parsed
  EXPECT_EQ(tk.pumps, 1);
}

// A header the parser ends with result 0 but not usable (here: a second IFD follows): the
// histogram is emptied and the store made at the size read, but nothing is decoded.
TEST_F(LoadTest, HeaderAcceptedButNotUsableDecodesNothing) {
  auto f1 = load(test::makeimage(8, 1, false, 2, 2));
  test::TiffBuilder b;
  b.short_value(256, 3).short_value(257, 2).short_value(258, 8).short_value(259, 1);
  b.short_value(262, 1).strip_offsets({0}).short_value(277, 1).long_value(278, 2);
  b.long_value(279, 6).data(Bytes(6, 77)).next_ifd(8);
  TempFile f2(b.build());
  clear_lines();
  click(f2.path());
  EXPECT_EQ(app.header.headervalid, kFalse);
  EXPECT_EQ(count_lines("reading"), 0);
  EXPECT_EQ(count_lines("[error] not a 8 bit"), 0);
  EXPECT_EQ(app.store.width(), 3);
  EXPECT_EQ(app.store.length(), 2);
  EXPECT_EQ(storedsum(), 0);
  EXPECT_EQ(histogramsum(), 0);
  EXPECT_EQ(tk.chart, HistogramCounts{});
  EXPECT_EQ(app.files.open_count(), 0);
}

TEST_F(LoadTest, ExitConfirmedDuringALoadStopsItAtTheNextRow) {
  const SampleImage im = test::makeimage(8, 1, false, 2, 6);
  tk.box_answers = {Answer::yes};
  tk.pump_actions = {nullptr, nullptr, nullptr, [&] { Command1_Click(app); }};
  auto f = load(im);
  EXPECT_TRUE(tk.ended);
  EXPECT_EQ(tk.pumps, 4);  // the driver's two, then the first two rows
  EXPECT_EQ(count_lines("imagefile read"), 0);
  EXPECT_EQ(app.store.at(1, 1, 1), im.expected(1, 1));
  EXPECT_EQ(app.store.at(1, 1, 6), 0);
  EXPECT_EQ(app.files.open_count(), 0);
  EXPECT_EQ(app.busy, kFalse);
}

// Every way a load ends closes its file: full loads, header-only reads, refused headers,
// unsupported layouts and refused stores, a thousand times over.
TEST_F(LoadTest, NoDescriptorLeaksAcrossAThousandLoads) {
  TempFile good(test::makeimage(8, 1, false, 2, 2).tiff_file());
  TempFile junk(Bytes{'I', 'I', 7, 0, 8, 0, 0, 0});
  StripImage odd;
  odd.bits = 16;
  odd.photometric = 2;
  odd.pixels = Bytes(6, 0);
  TempFile unsupported(test::image(odd));
  TempFile big(test::makeimage(8, 1, false, 64, 64).tiff_file());
  const int before = test::open_descriptors();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 1000; ++i) {
    clear_lines();
    switch (i % 5) {
      case 0:
        click(good.path());
        break;
      case 1:
        tk.dialog_answers = {good.path()};
        getheader_button_Click(app);
        break;
      case 2:
        click(junk.path());
        break;
      case 3:
        click(unsupported.path());
        break;
      case 4:
        app.store_limit = 64;
        click(big.path());
        app.store_limit = 0;
        break;
    }
    ASSERT_EQ(app.files.open_count(), 0) << i;
  }
  EXPECT_EQ(test::open_descriptors(), before);
}

TEST_F(LoadTest, LowestFreeFileNumberIsUsed) {
  TempFile other(Bytes{1, 2, 3});
  ASSERT_TRUE(app.files.open(1, other.path()));
  ASSERT_TRUE(app.files.open(3, other.path()));
  TempFile good(test::makeimage(8, 1, false, 2, 2).tiff_file());
  tk.dialog_answers = {good.path()};
  EXPECT_EQ(getunitnumber(app), 2);
  EXPECT_NE(app.files.get(2), nullptr);
  app.files.close(2);
  for (std::int16_t n = 1; n <= FileTable::kMaxFiles; ++n) app.files.open(n, other.path());
  tk.dialog_answers = {good.path()};
  clear_lines();
  EXPECT_EQ(getunitnumber(app), 0);
  EXPECT_EQ(lines(), std::vector<std::string>{"Get Image cancelled"});
}

}  // namespace
}  // namespace vtr
