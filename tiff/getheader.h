// The walk over the TIFF file header and the first IFD.
#pragma once

#include <cstdint>
#include <string_view>

#include "tiff/header_parse.h"

namespace vtr {

struct App;

// Parses the header of the parse's file into its header record, writing only lines: the
// verdict, the fault and the summary fields come back in the result. The record's
// headervalid is left as the parse starts it (false).
HeaderResult parseheader(HeaderParse& parse);

// The result as a number: 1 for a file refused for its byte order, TIFF number or
// compression, 2 for its photometric setting, 0 otherwise (accepted, a fault, a second IFD).
std::int16_t headernumber(const HeaderResult& result);

// The App's message area as the parse's lines: the dump through dt (shown only while showtext
// is on), error lines through addmessage.
class AppLines final : public HeaderLines {
 public:
  explicit AppLines(App& app) : app_(app) {}
  void dump(std::string_view line) override;
  void error(std::string_view line) override;
  bool dumpshown() const override;

 private:
  App& app_;
};

// parseheader of the open file `p` into app.header, its lines in app's message area. Sets
// headervalid: true when accepted, and when refused for compression or photometric setting
// (the load driver clears it then); false otherwise.
HeaderResult getheader(App& app, std::int16_t p);

}  // namespace vtr
