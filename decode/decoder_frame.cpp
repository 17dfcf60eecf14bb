#include "decode/decoder_frame.h"

#include <algorithm>
#include <cstring>

#include "core/messages.h"

namespace vtr {

namespace {

// One load's geometry, taken from the header when the frame begins.
struct FrameState {
  std::int16_t p = 0;  // the file number
  std::int64_t width = 0;
  std::int64_t length = 0;
  std::int64_t rowsperstrip = 0;  // at least 1
  std::int64_t strips = 0;
  std::int64_t rowbytes = 0;
  bool cutshort = false;       // reported that the file ends inside the image data
  bool missingstrips = false;  // reported that strip offsets are missing
};

// Rows per strip as the walk uses it: the header's value, or the whole image as one strip
// when that is below 1. The header holds 0 when no file gave the tag or its value did not fit
// in 31 bits (TIFF's default RowsPerStrip, 2^32 - 1, is such a value).
std::int64_t effectiverowsperstrip(std::int32_t rowsperstrip, std::int64_t length) {
  if (rowsperstrip >= 1) return rowsperstrip;
  return std::max<std::int64_t>(length, 1);
}

// The opening steps: the layout's line, stripsperimage, the task clock, the row buffer, and
// False (file closed, error line written) when the store does not hold the header's size in
// the layout's kind.
bool beginframe(App& app, std::int16_t p, const RowLayout& layout, FrameState& st) {
  addmessage(app, layout.message);
  const ImageHeader& h = app.header;
  st.p = p;
  st.width = h.imagewidth;
  st.length = h.imagelength;
  st.rowbytes = layout.rowbytes;
  if (st.width < 0 || st.length < 0 || app.store.empty() || app.store.width() != st.width ||
      app.store.length() != st.length || app.store.kind() != layout.kind) {
    app.files.close(p);
    addmessage(app, "[error] pixel store does not match the image size");
    return false;
  }
  st.rowsperstrip = effectiverowsperstrip(h.rowsperstrip, st.length);
  st.strips = (st.length + st.rowsperstrip - 1) / st.rowsperstrip;
  app.header.stripsperimage = static_cast<std::int32_t>(st.strips);
  app.stime = app.tk.clock();
  app.rowbuffer.resize(static_cast<std::size_t>(st.rowbytes) + 1);
  return true;
}

// True when strip s (from 1) has an offset from this file's own StripOffsets; otherwise
// reports the missing strips once.
bool stripknown(App& app, FrameState& st, std::int64_t s) {
  if (s <= kMaxStrips && s <= app.header.stripoffsetcount) return true;
  if (!st.missingstrips) {
    st.missingstrips = true;
    addmessage(app, "[error] strip offsets missing - missing strips read as 0");
  }
  return false;
}

std::uint64_t stripoffset(const App& app, std::int64_t s) {
  // The parser gives offsets of 0..2^31 - 1; read unsigned, any other value lies far past
  // the end of the file and reads as missing data.
  return static_cast<std::uint32_t>(app.header.stripoffsets[static_cast<std::size_t>(s)]);
}

// Reports the row. False when the load must stop: the file is then closed.
bool rowstep(App& app, const FrameState& st, const RowProgress& progress, std::int64_t row) {
  if (progress(row, st.length)) return true;
  app.files.close(st.p);
  return false;
}

// Reads one row at `offset` into `dest` with one read call. Bytes the file does not have read
// as 0 and are reported once. False when none of the row was read.
bool readrow(App& app, FrameState& st, std::uint64_t offset, std::uint8_t* dest) {
  const auto count = static_cast<std::size_t>(st.rowbytes);
  if (count == 0) return true;
  const ImageFile* file = app.files.get(st.p);
  const std::size_t got = file != nullptr ? file->read_some(offset, dest, count) : 0;
  if (got == count) return true;
  if (!st.cutshort) {
    st.cutshort = true;
    addmessage(app, "[error] image data cut short - missing pixels read as 0");
  }
  if (got == 0) return false;
  std::memset(dest + got, 0, count - got);
  return true;
}

// The closing step: the file is closed.
DecodeResult endframe(App& app, const FrameState& st, const RowLayout& layout) {
  app.files.close(st.p);
  return DecodeResult{true, layout.reportsread};
}

}  // namespace

DecodeResult decodeimage(App& app, std::int16_t p, const RowLayout& layout,
                         const RowProgress& progress) {
  FrameState st;
  if (!beginframe(app, p, layout, st)) return {};
  std::int64_t row = 0;
  for (std::int64_t s = 1; s <= st.strips && row < st.length; ++s) {
    const bool known = stripknown(app, st, s);
    std::uint64_t offset = known ? stripoffset(app, s) : 0;
    const std::int64_t rows = std::min(st.rowsperstrip, st.length - row);
    for (std::int64_t i = 0; i < rows; ++i) {
      ++row;
      if (!rowstep(app, st, progress, row)) return {};
      // Once the file has ended, the rows left are not given pages: they stay 0 unwritten.
      if (known && !st.cutshort) app.store.provide(row);
      std::uint8_t* dest = layout.intostore ? app.store.rowbytes(row) : app.rowbuffer.data() + 1;
      if (known && readrow(app, st, offset, dest)) {
        layout.unpack(dest, app.store, row, app.histogram.bins);
      } else {
        // Nothing of the row is in the file: its pixels stay 0 in the zeroed store.
        app.histogram.bins[0] += static_cast<std::int32_t>(st.width);
      }
      offset += static_cast<std::uint64_t>(st.rowbytes);
    }
  }
  return endframe(app, st, layout);
}

}  // namespace vtr
