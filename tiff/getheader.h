// The walk over the TIFF file header and the first IFD.
#pragma once

#include <cstdint>
#include <string_view>

#include "tiff/header_parse.h"

namespace vtr {

struct App;

// Parses the header of the parse's file into its header record. Result 0 (accepted, or a
// fault / second IFD with headervalid false), 1 (unknown mark, not 42, or compression
// rejected) or 2 (photometric rejected).
std::int16_t parseheader(HeaderParse& parse);

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

// parseheader of the open file `p` into app.header, its lines in app's message area and its
// read-out boxes in app's windows.
std::int16_t getheader(App& app, std::int16_t p);

}  // namespace vtr
