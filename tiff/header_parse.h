// What one parse of a TIFF header works on: the header record it fills, the file it reads,
// where its lines go, the summary fields it has read so far and the parse's own counts.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/file_table.h"
#include "core/flags.h"
#include "core/image_header.h"
#include "tiff/header_result.h"

namespace vtr {

// List values and text bytes one parse may take. A file whose tags each stand once takes at
// most 1024 + 1024 + 3 values and 32767 text bytes; only repeated tags go past this, and the
// parse then fails instead of reading (and dumping) the same lists thousands of times over.
inline constexpr std::int32_t kMaxHeaderValues = 65536;

// Where the parse's lines go.
class HeaderLines {
 public:
  // A line of the header dump: dropped unless the dump is shown.
  virtual void dump(std::string_view line) = 0;
  // An error line: always written.
  virtual void error(std::string_view line) = 0;
  // True while dump lines are shown, so that long lists skip building lines nobody sees.
  virtual bool dumpshown() const = 0;

 protected:
  ~HeaderLines() = default;
};

struct HeaderParse {
  ImageHeader& header;
  const ImageFile* file;  // the open image file; nullptr makes every read fail
  HeaderLines& lines;
  HeaderSummary summary{};  // what the window's summary boxes will show
  // List values and text bytes this parse has taken, up to kMaxHeaderValues.
  std::int32_t valuesread = 0;
  // Set when the entry being interpreted takes its value field as a LONG of 2^31 or more.
  // The value field is assembled when the entry is read, so its error line goes before the
  // entry's first line; entries that never take it as a LONG write none.
  bool valuefieldtoobig = false;

  // True for an "MM" file: most significant byte first.
  bool mmorder() const { return header.mmorder == kTrue; }
};

}  // namespace vtr
