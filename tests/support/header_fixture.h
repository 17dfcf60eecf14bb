// The fixture of the header tests: the header parse run directly over a file of given bytes,
// its record, and its lines kept in a list.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/image_header.h"
#include "core/message_lines.h"
#include "tests/support/app_fixture.h"
#include "tests/support/message_text.h"
#include "tests/support/tiff_builder.h"
#include "tiff/header_result.h"
#include "ui/headless_toolkit.h"

namespace vtr::test {

// Message lines kept as a list, oldest first: error lines always, dump lines only while shown.
class RecordedLines final : public MessageLines {
 public:
  void dump(std::string_view line) override {
    if (shown) lines.emplace_back(line);
  }
  void error(std::string_view line) override { lines.emplace_back(line); }
  bool dumpshown() const override { return shown; }

  Lines lines;        // every line kept, oldest first
  bool shown = true;  // whether the dump is shown
};

// One header record that files are parsed into one after the other, as the program's is.
struct HeaderRun {
  // Writes `bytes` to a temporary file and parses its header into `header`, the lines written
  // afresh into `recorded`, then shows the result's summary in `boxes` as the load does.
  // Returns the result as a number (headernumber).
  std::int16_t parse(const Bytes& bytes);

  ImageHeader header;      // what the parses read, kept from one to the next
  RecordedLines recorded;  // the last parse's lines
  HeaderResult result;     // the last parse's result
  HeadlessToolkit boxes;   // the window's summary boxes
};

// The header suites' fixture: a header run, both byte orders as the parameter of its TEST_P
// cases.
class ParseTest : public ::testing::Test, public HeaderRun, public ByteOrders {
 protected:
  // The lines of the last parse, oldest first.
  const Lines& lines() const { return recorded.lines; }
};

}  // namespace vtr::test
