// BitsPerSample, StripOffsets and StripByteCounts: one value in the entry when the count is
// 1, else a list (in the value field when it fits there, else at the value offset) stored from
// index 1 up to the record's limit.
#include <cstdint>
#include <string>
#include <vector>

#include "core/numtext.h"
#include "tiff/byteorder.h"
#include "tiff/tag_lists.h"

namespace vtr {

namespace {

// Walks the `count` values, in the value field when they fit there, else at the value
// offset; `store` takes value i and returns false when it does not fit its field. Values past
// `limit` are a fault, as is a value that lies beyond the end of the file.
template <class Store>
HeaderFault walklist(HeaderParse& parse, const IfdEntry& e, bool shorts, std::int32_t limit,
                     Store store) {
  std::int32_t n = 0;
  if (!listcount(e, n)) return HeaderFault::list_count_too_big;
  const std::int32_t size = shorts ? 2 : 4;
  // All values up to the limit are read at once; value limit + 1 is never read.
  std::vector<std::uint8_t> bytes;
  if (const HeaderFault f = listbytes(parse, e, n, limit, size, bytes); f != HeaderFault::none) {
    return f;
  }
  for (std::int32_t i = 1; i <= n; ++i) {
    if (i > limit) return HeaderFault::too_many_values;
    const auto at = static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(size);
    if (at + static_cast<std::size_t>(size) > bytes.size()) return HeaderFault::values_past_end;
    const std::uint8_t* b = bytes.data() + at;
    const std::int32_t v =
        shorts ? makeshort(parse, b[0], b[1]) : makelong(parse, b[0], b[1], b[2], b[3]);
    if (!store(i, v)) return HeaderFault::value_too_big;
  }
  return HeaderFault::none;
}

}  // namespace

HeaderFault bitspersampletag(HeaderParse& parse, const IfdEntry& e) {
  auto& bits = parse.header.bitspersample;
  auto store = [&](std::int32_t i, std::int32_t v) {
    std::int16_t b = 0;
    if (!to16(v, b)) return false;
    bits[static_cast<std::size_t>(i)] = b;
    if (parse.lines.dumpshown()) parse.lines.dump("bitspersample " + numtext(i) + " " + numtext(b));
    return true;
  };
  if (e.count != 1) return walklist(parse, e, true, kMaxBitsPerSample, store);
  if (!store(1, inentryshort(parse, e))) return HeaderFault::value_too_big;
  parse.summary.bitspersample = bits[1];
  return HeaderFault::none;
}

HeaderFault stripoffsetstag(HeaderParse& parse, const IfdEntry& e) {
  ImageHeader& h = parse.header;
  h.stripoffsetcount = 0;
  if (e.count == 1) {
    h.stripoffsets[1] = inentrybytype(parse, e);
    h.stripoffsetcount = 1;
    parse.lines.dump("stripoffsets " + numtext(h.stripoffsets[1]));
    return HeaderFault::none;
  }
  return walklist(parse, e, e.fieldtype == kTypeShort, kMaxStrips,
                  [&](std::int32_t i, std::int32_t v) {
                    h.stripoffsets[static_cast<std::size_t>(i)] = v;
                    h.stripoffsetcount = i;
                    if (parse.lines.dumpshown())
                      parse.lines.dump("stripoffsets " + numtext(i) + " " + numtext(v));
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

HeaderFault stripbytecountstag(HeaderParse& parse, const IfdEntry& e) {
  ImageHeader& h = parse.header;
  if (!stripsperimage(h, h.stripsperimage)) return HeaderFault::no_strips;
  parse.lines.dump("stripsperimage " + numtext(h.stripsperimage));
  if (e.count == 1) {
    h.stripbytecounts[1] = inentrybytype(parse, e);
    parse.lines.dump("stripbytecounts 1 " + numtext(h.stripbytecounts[1]));
    return HeaderFault::none;
  }
  return walklist(parse, e, e.fieldtype == kTypeShort, kMaxStrips,
                  [&](std::int32_t i, std::int32_t v) {
                    h.stripbytecounts[static_cast<std::size_t>(i)] = v;
                    if (parse.lines.dumpshown())
                      parse.lines.dump("stripbytecounts " + numtext(i) + numtext(v));
                    return true;
                  });
}

}  // namespace vtr
