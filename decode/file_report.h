// What a file's header says and what get image would do with the file, found without reading
// a pixel: the record the command line reports for each file it is asked about.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/image_header.h"
#include "decode/load_verdict.h"
#include "tiff/header_result.h"
#include "tiff/header_texts.h"

namespace vtr {

struct FileReport {
  std::string path;
  // False when the file could not be opened (forecast.error says why): nothing else is known.
  bool opened = false;
  std::uint64_t file_size = 0;
  HeaderResult result;    // the parse's verdict, fault and summary (the DateTime text)
  ImageHeader header;     // as the parse left it: fields it did not reach hold their start values
  HeaderTexts texts;      // ImageDescription and Software as the file holds them
  LoadForecast forecast;  // what get image would do with the file
};

// True when the parse read the file as TIFF at all: it is longer than the 8-byte header, and
// its byte-order mark and TIFF number are right.
bool reached_ifd(const FileReport& report);

// Opens `path` as get image does, parses its header without writing a line, and forecasts
// the load held to `limit`.
FileReport read_file_report(const std::string& path, const LoadLimit& limit);

}  // namespace vtr
