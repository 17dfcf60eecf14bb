// BitsPerSample, StripOffsets and StripByteCounts: one value in the entry when the count is
// 1, else a list (in the value field when it fits there, else at the value offset) stored from
// index 1 up to the record's limit.
#include <cstdint>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "tiff/byteorder.h"
#include "tiff/tag_lists.h"

namespace vtr {

namespace {

// Walks the `count` values, in the value field when they fit there, else at the value
// offset; `store` takes value i and returns false on a fault. Values past `limit` are a
// fault, as is a value that lies beyond the end of the file.
template <class Store>
TagOutcome walklist(App& app, const IfdEntry& e, std::int16_t p, bool shorts, std::int32_t limit,
                    Store store) {
  std::int32_t n = 0;
  if (!listcount(e, n)) return TagOutcome::fault;
  const std::int32_t size = shorts ? 2 : 4;
  // All values up to the limit are read at once; value limit + 1 is never read.
  const std::vector<std::uint8_t> bytes = listbytes(app, e, p, n, limit, size);
  for (std::int32_t i = 1; i <= n; ++i) {
    const auto at = static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(size);
    if (i > limit || at + static_cast<std::size_t>(size) > bytes.size()) return TagOutcome::fault;
    const std::uint8_t* b = bytes.data() + at;
    const std::int32_t v =
        shorts ? makeshort(app, b[0], b[1]) : makelong(app, b[0], b[1], b[2], b[3]);
    if (!store(i, v)) return TagOutcome::fault;
  }
  return TagOutcome::go_on;
}

}  // namespace

TagOutcome bitspersampletag(App& app, const IfdEntry& e, std::int16_t p) {
  auto& bits = app.header.bitspersample;
  auto store = [&](std::int32_t i, std::int32_t v) {
    std::int16_t b = 0;
    if (!to16(v, b)) return false;
    bits[static_cast<std::size_t>(i)] = b;
    if (dumping(app)) dt(app, "bitspersample " + numtext(i) + " " + numtext(b));
    return true;
  };
  if (e.count != 1) return walklist(app, e, p, true, kMaxBitsPerSample, store);
  if (!store(1, inentryshort(app, e))) return TagOutcome::fault;
  app.tk.set_text(TextBox::image_bitspersample, numtext(bits[1]));
  return TagOutcome::go_on;
}

TagOutcome stripoffsetstag(App& app, const IfdEntry& e, std::int16_t p) {
  ImageHeader& h = app.header;
  h.stripoffsetcount = 0;
  if (e.count == 1) {
    h.stripoffsets[1] = inentrybytype(app, e);
    h.stripoffsetcount = 1;
    dt(app, "stripoffsets " + numtext(h.stripoffsets[1]));
    return TagOutcome::go_on;
  }
  return walklist(app, e, p, e.fieldtype == kTypeShort, kMaxStrips,
                  [&](std::int32_t i, std::int32_t v) {
                    h.stripoffsets[static_cast<std::size_t>(i)] = v;
                    h.stripoffsetcount = i;
                    if (dumping(app)) dt(app, "stripoffsets " + numtext(i) + " " + numtext(v));
                    return true;
                  });
}

namespace {

// (imagelength + rowsperstrip - 1) / rowsperstrip, the sum in 32 bits; false when
// rowsperstrip is 0 or the sum overflows.
bool stripsperimage(const ImageHeader& h, std::int32_t& s) {
  if (h.rowsperstrip == 0) return false;
  const std::int64_t sum = std::int64_t{h.imagelength} + h.rowsperstrip - 1;
  if (sum > INT32_MAX || sum < INT32_MIN) return false;
  s = static_cast<std::int32_t>(static_cast<double>(sum) / static_cast<double>(h.rowsperstrip));
  return true;
}

}  // namespace

TagOutcome stripbytecountstag(App& app, const IfdEntry& e, std::int16_t p) {
  ImageHeader& h = app.header;
  if (!stripsperimage(h, h.stripsperimage)) return TagOutcome::fault;
  dt(app, "stripsperimage " + numtext(h.stripsperimage));
  if (e.count == 1) {
    h.stripbytecounts[1] = inentrybytype(app, e);
    dt(app, "stripbytecounts 1 " + numtext(h.stripbytecounts[1]));
    return TagOutcome::go_on;
  }
  return walklist(app, e, p, e.fieldtype == kTypeShort, kMaxStrips,
                  [&](std::int32_t i, std::int32_t v) {
                    h.stripbytecounts[static_cast<std::size_t>(i)] = v;
                    if (dumping(app)) dt(app, "stripbytecounts " + numtext(i) + numtext(v));
                    return true;
                  });
}

}  // namespace vtr
