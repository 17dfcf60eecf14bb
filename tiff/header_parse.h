// What one parse of a TIFF header works on: the header record it fills, the file it reads,
// where its lines go, the summary fields it has read so far and the parse's own counts.
#pragma once

#include <cstdint>

#include "core/file_table.h"
#include "core/flags.h"
#include "core/image_header.h"
#include "core/message_lines.h"
#include "tiff/header_result.h"
#include "tiff/header_texts.h"

namespace vtr {

// List values and text bytes one parse may take. A file whose tags each stand once takes at
// most 1024 + 1024 + 3 values and 32767 text bytes; only repeated tags go past this, and the
// parse then fails instead of reading (and dumping) the same lists thousands of times over.
inline constexpr std::int32_t kMaxHeaderValues = 65536;

struct HeaderParse {
  ImageHeader& header;
  const ImageFile* file;    // the open image file; nullptr makes every read fail
  MessageLines& lines;      // the dump and the error lines
  HeaderSummary summary{};  // what the window's summary boxes will show
  // List values and text bytes this parse has taken, up to kMaxHeaderValues.
  std::int32_t valuesread = 0;
  // Set when the entry being interpreted takes its value field as a LONG of 2^31 or more.
  // The value field is assembled when the entry is read, so its error line goes before the
  // entry's first line; entries that never take it as a LONG write none.
  bool valuefieldtoobig = false;
  // Where the texts that the window does not show go; nullptr: they are not read.
  HeaderTexts* texts = nullptr;

  // True for an "MM" file: most significant byte first.
  bool mmorder() const { return header.mmorder == kTrue; }
};

}  // namespace vtr
