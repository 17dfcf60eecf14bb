#include "tiff/getheader.h"

#include <string>
#include <utility>
#include <vector>

#include "core/numtext.h"
#include "tiff/byteorder.h"
#include "tiff/tags.h"

namespace vtr {

namespace {

constexpr std::int16_t kTiffNumber = 42;
constexpr std::int64_t kEntrySize = 12;

// The result of a parse that ended with `fault` (none: accepted).
HeaderResult outcome(const HeaderParse& parse, HeaderFault fault) {
  return {fault == HeaderFault::none ? Verdict::accepted : Verdict::refused, fault, parse.summary};
}

// The end of a parse that meets `fault`: its line, then the result. An unknown byte order
// (whose line getbyteorder writes) and a second IFD (which does not end the parse) are
// handled where they are found.
HeaderResult endparse(HeaderParse& parse, HeaderFault fault) {
  parse.lines.error(faulttext(fault));
  return outcome(parse, fault);
}

std::int64_t entryoffset(const ImageHeader& h, std::int64_t k) {
  return std::int64_t{h.ifdpointer} + 2 + kEntrySize * (k - 1);
}

bool readentry(HeaderParse& parse, std::int64_t at, IfdEntry& e) {
  std::uint8_t b[kEntrySize];
  if (!readbytes(parse, at, b, sizeof b)) return false;
  e.tag = makeshort(parse, b[0], b[1]);
  e.fieldtype = makeshort(parse, b[2], b[3]);
  e.count = makelong(parse, b[4], b[5], b[6], b[7]);
  e.value = {b[8], b[9], b[10], b[11]};
  return true;
}

// Holds one entry's lines until the entry is interpreted, so that a line about its value
// field can still go first.
class EntryLines final : public MessageLines {
 public:
  explicit EntryLines(MessageLines& out) : out_(out) {}
  void dump(std::string_view line) override {
    if (out_.dumpshown()) held_.emplace_back(false, line);
  }
  void error(std::string_view line) override { held_.emplace_back(true, line); }
  bool dumpshown() const override { return out_.dumpshown(); }
  void release() {
    for (const auto& [error, line] : held_) error ? out_.error(line) : out_.dump(line);
    held_.clear();
  }

 private:
  MessageLines& out_;
  std::vector<std::pair<bool, std::string>> held_;
};

HeaderFault interpretentry(HeaderParse& parse, const IfdEntry& e) {
  // Only a value field with its top bit set can be a LONG too big; other entries write their
  // lines as they come.
  if (makeulong(parse, e.value.data()) <= static_cast<std::uint32_t>(kMaxOffset)) {
    return interprettag(parse, e);
  }
  EntryLines held(parse.lines);
  HeaderParse entry{parse.header,     parse.file, held,       parse.summary,
                    parse.valuesread, false,      parse.texts};
  const HeaderFault f = interprettag(entry, e);
  parse.summary = entry.summary;
  parse.valuesread = entry.valuesread;
  if (entry.valuefieldtoobig) parse.lines.error(kLongTooBig);
  held.release();
  return f;
}

// Walks the entries of the first IFD until one refuses the image or fails.
HeaderFault walkentries(HeaderParse& parse) {
  const ImageHeader& h = parse.header;
  for (std::int64_t k = 1; k <= h.ifdentries; ++k) {
    IfdEntry e;
    if (!readentry(parse, entryoffset(h, k), e)) return HeaderFault::entry_past_end;
    if (const HeaderFault f = interpretentry(parse, e); f != HeaderFault::none) return f;
  }
  return HeaderFault::none;
}

// Every parse starts from the record and the summary as they are at program start, so a
// file shows the same whatever was opened before it.
void startfresh(HeaderParse& parse) {
  parse.header = ImageHeader{};
  parse.summary = HeaderSummary{};
  parse.valuesread = 0;
}

// The next-IFD offset after the entries: a second IFD is refused (its line written here),
// an offset past the end of the file is a fault.
HeaderFault nextifd(HeaderParse& parse) {
  parse.lines.dump("Next IFD");
  std::uint8_t b[4];
  if (!readbytes(parse, entryoffset(parse.header, parse.header.ifdentries + 1), b, sizeof b)) {
    return HeaderFault::next_ifd_past_end;
  }
  const std::uint32_t next = makeulong(parse, b);
  parse.lines.dump("Next header offset " + numtext(next));
  if (next != 0) {
    parse.lines.error(faulttext(HeaderFault::multiple_ifds));
    return HeaderFault::multiple_ifds;
  }
  parse.lines.dump("IFDs terminated");
  return HeaderFault::none;
}

}  // namespace

HeaderResult parseheader(HeaderParse& parse) {
  ImageHeader& h = parse.header;
  parse.lines.dump("Header contents");
  startfresh(parse);

  std::uint8_t b[8];
  if (!readbytes(parse, 0, b, sizeof b)) return endparse(parse, HeaderFault::header_past_end);
  if (getbyteorder(parse, b[0], b[1]) != 0) return outcome(parse, HeaderFault::unknown_byte_order);
  std::int16_t number = 0;
  if (!to16(makeshort(parse, b[2], b[3]), number)) {
    return endparse(parse, HeaderFault::number_too_big);
  }
  if (number != kTiffNumber) return endparse(parse, HeaderFault::not_tiff);

  h.ifdpointer = makelong(parse, b[4], b[5], b[6], b[7]);
  parse.lines.dump("IFD pointer" + numtext(h.ifdpointer));
  std::int32_t entries = 0;
  if (!getshort(parse, h.ifdpointer, entries)) return endparse(parse, HeaderFault::ifd_past_end);
  if (!to16(entries, h.ifdentries)) return endparse(parse, HeaderFault::entry_count_too_big);
  parse.lines.dump("IFD entries" + numtext(h.ifdentries));

  if (const HeaderFault f = walkentries(parse); f != HeaderFault::none) return endparse(parse, f);
  const HeaderFault next = nextifd(parse);
  if (next == HeaderFault::next_ifd_past_end) return endparse(parse, next);
  parse.lines.dump("End of header contents");
  return outcome(parse, next);
}

std::int16_t headernumber(const HeaderResult& result) {
  if (!result.rejected()) return 0;
  return result.fault == HeaderFault::photometric ? 2 : 1;
}

}  // namespace vtr
