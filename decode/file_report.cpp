#include "decode/file_report.h"

#include "core/file_table.h"
#include "core/message_lines.h"
#include "tiff/getheader.h"

namespace vtr {

namespace {

// The parse's lines go nowhere: the forecast says what the window would write.
class NoLines final : public MessageLines {
 public:
  void dump(std::string_view) override {}
  void error(std::string_view) override {}
  bool dumpshown() const override { return false; }
};

}  // namespace

bool reached_ifd(const FileReport& report) {
  switch (report.result.fault) {
    case HeaderFault::header_past_end:
    case HeaderFault::unknown_byte_order:
    case HeaderFault::number_too_big:
    case HeaderFault::not_tiff:
      return false;
    default:
      return report.opened;
  }
}

FileReport read_file_report(const std::string& path, const LoadLimit& limit) {
  FileReport report;
  report.path = path;
  ImageFile file;
  int error = 0;
  if (!file.open(path, error)) {
    report.forecast = {LoadVerdict::refused, openerrorline(path, error)};
    return report;
  }
  report.opened = true;
  report.file_size = file.size();
  NoLines lines;
  HeaderParse parse{report.header, &file, lines};
  parse.texts = &report.texts;
  report.result = parseheader(parse);
  report.forecast = forecast_load(report.result, report.header, report.file_size, limit);
  return report;
}

}  // namespace vtr
