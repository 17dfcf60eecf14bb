// The fixture of the suites that run the program's procedures and commands: the program record
// over the recording toolkit, its message area read back as lines, and both byte orders as a
// parameter for the suites that cover them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/app.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/message_text.h"

namespace vtr::test {

// Both byte orders as the parameter of a suite's TEST_P cases: false for "II", true for "MM".
// The suite is instantiated as INSTANTIATE_TEST_SUITE_P(, Suite, ::testing::Bool(), order_name);
// its TEST_F cases, which run one order, need no parameter.
class ByteOrders : public ::testing::WithParamInterface<bool> {
 protected:
  // True for "MM": most significant byte first.
  static bool mm() { return GetParam(); }
};

// "II" or "MM", the name a case's order adds to its own.
std::string order_name(const ::testing::TestParamInfo<bool>& info);

// Expects `tk` to have shown exactly one message box, with the program's title and these
// text, icon and buttons.
void expect_one_box(const FakeToolkit& tk, std::string_view text, Icon icon,
                    MsgButtons buttons = MsgButtons::ok);

// The program record on the recording toolkit, fresh for each case.
class AppTest : public ::testing::Test, public ByteOrders {
 protected:
  // The message area's lines, oldest first.
  Lines lines() const { return lines_oldest_first(tk.text(TextBox::Text1)); }
  // How many of the message area's lines begin with `prefix`.
  int count_lines(std::string_view prefix) const { return test::count_lines(lines(), prefix); }
  // Empties the message area.
  void clear_lines() { app.lines.replace(""); }

  FakeToolkit tk;  // the recording toolkit the program reaches the window through
  App app{tk};     // the program record
};

}  // namespace vtr::test
