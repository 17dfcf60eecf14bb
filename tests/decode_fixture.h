// Shared set-up for the decoder tests: the program record's fixture with an image file written
// to a temporary file and opened under a file number, and the header filled by hand, so the
// decoders can be run without the header parser.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/app_fixture.h"
#include "tests/support/sample_image.h"
#include "tests/support/tiff_builder.h"

namespace vtr::test {

class DecodeFixture : public AppTest {
 protected:
  std::unique_ptr<TempFile> file;

  // Writes the image's strips in reverse order with junk between them, so each strip must be
  // read from its own offset; fills the header and re-creates the store. Returns the file
  // number the file is open under.
  std::int16_t prepare(const SampleImage& im, int rowsperstrip) {
    const int rps = rowsperstrip > 0 ? rowsperstrip : std::max(im.length, 1);
    const int strips = (im.length + rps - 1) / rps;
    Bytes bytes(7, 0xEE);
    std::vector<std::int32_t> offsets(static_cast<std::size_t>(strips), 0);
    for (int s = strips; s >= 1; --s) {
      offsets[static_cast<std::size_t>(s) - 1] = static_cast<std::int32_t>(bytes.size());
      const int first = (s - 1) * rps;
      Bytes part = im.rows(first, std::min(rps, im.length - first));
      bytes.insert(bytes.end(), part.begin(), part.end());
      bytes.insert(bytes.end(), 3, 0xEE);
    }
    describe(im, rowsperstrip, offsets);
    return openbytes(bytes);
  }

  // Fills the header as a parse of the image's file would, its strips at `offsets`.
  void describe(const SampleImage& im, int rowsperstrip, const std::vector<std::int32_t>& offsets) {
    ImageHeader& h = app.header;
    h.imagewidth = static_cast<std::int16_t>(im.width);
    h.imagelength = static_cast<std::int16_t>(im.length);
    h.bitspersample[1] = static_cast<std::int16_t>(im.bits);
    h.photometric = static_cast<std::int16_t>(im.photometric);
    h.mmorder = im.mm ? kTrue : kFalse;
    h.rowsperstrip = rowsperstrip;
    h.headervalid = kTrue;
    h.stripoffsetcount = std::min(static_cast<int>(offsets.size()), kMaxStrips);
    for (int s = 1; s <= h.stripoffsetcount; ++s) h.stripoffsets[s] = offsets[s - 1];
  }

  // Writes `bytes` to the fixture's file and opens it under the next free file number; makes
  // the store for the header's image and clears the histogram. Returns the file number.
  std::int16_t openbytes(const Bytes& bytes) {
    file = std::make_unique<TempFile>(bytes);
    const std::int16_t n = app.files.next_free();
    EXPECT_TRUE(app.files.open(n, file->path()));
    EXPECT_TRUE(app.store.recreate(app.header.imagewidth, app.header.imagelength,
                                   storekindfor(app.header)));
    app.histogram.bins.fill(0);
    return n;
  }

  // Checks the store (every channel, column and row 0 included), the histogram and the chart
  // against the sample image.
  void expectimage(const SampleImage& im) {
    HistogramCounts want{};
    for (int y = 1; y <= im.length; ++y) {
      for (int x = 1; x <= im.width; ++x) {
        const std::int32_t v = im.expected(x, y);
        ASSERT_EQ(app.store.at(1, x, y), v) << "x " << x << " y " << y;
        for (int c = 2; c <= 3; ++c) {
          ASSERT_EQ(app.store.at(c, x, y), im.photometric == 2 ? v : 0) << "channel " << c;
        }
        ASSERT_EQ(app.store.at(0, x, y), 0);
        ++want[static_cast<std::size_t>(v / im.divisor())];
      }
    }
    for (int c = 0; c <= 3; ++c) {
      for (int y = 0; y <= im.length; ++y) ASSERT_EQ(app.store.at(c, 0, y), 0);
      for (int x = 0; x <= im.width; ++x) ASSERT_EQ(app.store.at(c, x, 0), 0);
    }
    EXPECT_EQ(app.histogram.bins, want);
    EXPECT_EQ(tk.chart, want);
  }

  // The pixels the histogram counts.
  std::int64_t histogramsum() const {
    std::int64_t n = 0;
    for (auto c : app.histogram.bins) n += c;
    return n;
  }
};

}  // namespace vtr::test
