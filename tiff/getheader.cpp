#include "tiff/getheader.h"

#include <string>
#include <utility>
#include <vector>

#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "tiff/byteorder.h"
#include "tiff/tags.h"

namespace vtr {

namespace {

constexpr std::int16_t kTiffNumber = 42;
constexpr std::int64_t kEntrySize = 12;

// The end of a parse that meets `fault`: its line, then headervalid and the result. A
// refused compression or photometric setting leaves headervalid to the caller. An unknown
// byte order (whose line getbyteorder writes) and a second IFD (which does not end the parse)
// are handled where they are found.
std::int16_t endparse(HeaderParse& parse, HeaderFault fault) {
  parse.lines.error(faulttext(fault));
  switch (fault) {
    case HeaderFault::compression:
      return 1;
    case HeaderFault::photometric:
      return 2;
    case HeaderFault::not_tiff:
      parse.header.headervalid = kFalse;
      return 1;
    default:
      break;
  }
  parse.header.headervalid = kFalse;
  return 0;
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
class EntryLines final : public HeaderLines {
 public:
  explicit EntryLines(HeaderLines& out) : out_(out) {}
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
  HeaderLines& out_;
  std::vector<std::pair<bool, std::string>> held_;
};

HeaderFault interpretentry(HeaderParse& parse, const IfdEntry& e) {
  // Only a value field with its top bit set can be a LONG too big; other entries write their
  // lines as they come.
  if (makeulong(parse, e.value.data()) <= static_cast<std::uint32_t>(kMaxOffset)) {
    return interprettag(parse, e);
  }
  EntryLines held(parse.lines);
  HeaderParse entry{parse.header, parse.file, held, parse.tk, parse.valuesread};
  const HeaderFault f = interprettag(entry, e);
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

// Every parse starts from the record and the summary boxes as they are at program start, so
// a file shows the same whatever was opened before it.
void startfresh(HeaderParse& parse) {
  parse.header = ImageHeader{};
  for (const TextBox box : {TextBox::image_bitspersample, TextBox::image_type,
                            TextBox::image_length, TextBox::image_width, TextBox::image_date}) {
    parse.tk.set_text(box, "");
  }
  parse.valuesread = 0;
}

// The next-IFD offset after the entries: a second IFD is refused.
bool nextifd(HeaderParse& parse) {
  parse.lines.dump("Next IFD");
  std::uint8_t b[4];
  if (!readbytes(parse, entryoffset(parse.header, parse.header.ifdentries + 1), b, sizeof b)) {
    return false;
  }
  const std::uint32_t next = makeulong(parse, b);
  parse.lines.dump("Next header offset " + numtext(next));
  if (next != 0) {
    parse.lines.error(faulttext(HeaderFault::multiple_ifds));
    parse.header.headervalid = kFalse;
  } else {
    parse.lines.dump("IFDs terminated");
  }
  return true;
}

}  // namespace

std::int16_t parseheader(HeaderParse& parse) {
  ImageHeader& h = parse.header;
  parse.lines.dump("Header contents");
  startfresh(parse);

  std::uint8_t b[8];
  if (!readbytes(parse, 0, b, sizeof b)) return endparse(parse, HeaderFault::header_past_end);
  if (getbyteorder(parse, b[0], b[1]) != 0) {
    h.headervalid = kFalse;
    return 1;
  }
  std::int16_t number = 0;
  if (!to16(makeshort(parse, b[2], b[3]), number)) {
    return endparse(parse, HeaderFault::number_too_big);
  }
  if (number != kTiffNumber) return endparse(parse, HeaderFault::not_tiff);
  h.headervalid = kTrue;

  h.ifdpointer = makelong(parse, b[4], b[5], b[6], b[7]);
  parse.lines.dump("IFD pointer" + numtext(h.ifdpointer));
  std::int32_t entries = 0;
  if (!getshort(parse, h.ifdpointer, entries)) return endparse(parse, HeaderFault::ifd_past_end);
  if (!to16(entries, h.ifdentries)) return endparse(parse, HeaderFault::entry_count_too_big);
  parse.lines.dump("IFD entries" + numtext(h.ifdentries));

  if (const HeaderFault f = walkentries(parse); f != HeaderFault::none) return endparse(parse, f);
  if (!nextifd(parse)) return endparse(parse, HeaderFault::next_ifd_past_end);
  parse.lines.dump("End of header contents");
  return 0;
}

void AppLines::dump(std::string_view line) {
  dt(app_, line);
}

void AppLines::error(std::string_view line) {
  addmessage(app_, line);
}

bool AppLines::dumpshown() const {
  return app_.showtext == kTrue;
}

std::int16_t getheader(App& app, std::int16_t p) {
  AppLines lines(app);
  HeaderParse parse{app.header, app.files.get(p), lines, app.tk};
  return parseheader(parse);
}

}  // namespace vtr
