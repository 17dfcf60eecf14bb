// The message area, number text, button colours and task timing.
#include <gtest/gtest.h>

#include <cmath>

#include "core/messages.h"
#include "core/numtext.h"
#include "tests/support/app_fixture.h"

namespace vtr {
namespace {

struct NumCase {
  double value;
  const char* text;
};

TEST(NumText, FloatingValues) {
  const NumCase cases[] = {
      {72.0, " 72"},
      {1.0 / 3.0, " .333333333333333"},
      {0.5, " .5"},
      {-0.5, "-.5"},
      {2.0 / 3.0, " .666666666666667"},
      {0.0, " 0"},
      {-0.0, " 0"},
      {300.0 / 7.0, " 42.8571428571429"},
      {1234567.25, " 1234567.25"},
      {999999999999999.0, " 999999999999999"},
      {1e15, " 1E+15"},
      {-2.5e20, "-2.5E+20"},
      {0.00001, " .00001"},
      {0.000001, " 1E-06"},
      {1.5e-7, " 1.5E-07"},
      {4294967295.0, " 4294967295"},
      {1.0 / 4294967295.0, " 2.3283064370808E-10"},
      {9.9999999999999999, " 10"},
  };
  for (const auto& c : cases) EXPECT_EQ(numtext(c.value), c.text) << c.value;
}

TEST(NumText, IntegersHaveASignPosition) {
  EXPECT_EQ(numtext(512), " 512");
  EXPECT_EQ(numtext(0), " 0");
  EXPECT_EQ(numtext(-5), "-5");
  EXPECT_EQ(numtext(std::int16_t{-32768}), "-32768");
  EXPECT_EQ(numtext(std::uint32_t{4294967295u}), " 4294967295");
}

class MessagesTest : public test::AppTest {
 protected:
  MessagesTest() { app.lines.replace("Welcome to VantrelTIFFReader\r\n"); }
};

TEST_F(MessagesTest, NewestLineFirstWithCrLf) {
  addmessage(app, "A");
  addmessage(app, "B");
  const std::string want = "B\r\nA\r\nWelcome to VantrelTIFFReader\r\n";
  EXPECT_EQ(app.messages.text(), want);
  EXPECT_EQ(tk.text(TextBox::Text1), want);
}

TEST_F(MessagesTest, DtWritesOnlyWhileShowtext) {
  dt(app, "hidden");
  EXPECT_EQ(tk.text(TextBox::Text1), "Welcome to VantrelTIFFReader\r\n");
  app.showtext = kTrue;
  dt(app, "");
  EXPECT_EQ(tk.text(TextBox::Text1), "\r\nWelcome to VantrelTIFFReader\r\n");
  app.showtext = 1;  // only -1 counts as true
  dt(app, "x");
  EXPECT_EQ(tk.text(TextBox::Text1), "\r\nWelcome to VantrelTIFFReader\r\n");
}

TEST_F(MessagesTest, ReplaceThenWriteKeepsNoTrailingBreak) {
  app.lines.replace("message area cleared");
  addmessage(app, "next");
  EXPECT_EQ(tk.text(TextBox::Text1), "next\r\nmessage area cleared");
}

TEST_F(MessagesTest, ElapsedTimeRoundsHalvesToEven) {
  const struct {
    double stime, now;
    const char* line;
  } cases[] = {
      {100.0, 100.4, "time for last task  0(s)"},
      {100.0, 102.5, "time for last task  2(s)"},
      {100.0, 103.5, "time for last task  4(s)"},
      {100.0, 103.6, "time for last task  4(s)"},
      // Across midnight the clock restarts; the span is still counted forward.
      {86399.0, 2.0, "time for last task  3(s)"},
      // Longer than the 16-bit range of whole seconds.
      {0.0, 40000.0, "time for last task  32767(s)"},
  };
  for (const auto& c : cases) {
    app.lines.replace("");
    app.stime = c.stime;
    tk.clock_times = {c.now};
    elapsedtime(app);
    EXPECT_EQ(tk.text(TextBox::Text1), std::string(c.line) + "\r\n") << c.stime << " " << c.now;
    EXPECT_GE(app.etime, 0.0);
  }
}

TEST_F(MessagesTest, ChangeButtonColours) {
  changebutton(app, Button::copy_button, kTrue);
  EXPECT_EQ(tk.colours[Button::copy_button], kBusyColour);
  changebutton(app, Button::copy_button, 1);
  EXPECT_EQ(tk.colours[Button::copy_button], kIdleColour);
  changebutton(app, Button::copy_button, kTrue);
  changebutton(app, Button::copy_button, kFalse);
  EXPECT_EQ(tk.colours[Button::copy_button], (Rgb{128, 204, 255}));
}

TEST_F(MessagesTest, GuardRefusesWhileBusy) {
  ASSERT_TRUE(begin_guarded(app.busy, app.tk, app.lines, Button::clear_button));
  EXPECT_EQ(app.busy, kTrue);
  EXPECT_EQ(tk.colours[Button::clear_button], kBusyColour);
  EXPECT_FALSE(begin_guarded(app.busy, app.tk, app.lines, Button::copy_button));
  EXPECT_EQ(tk.colours.count(Button::copy_button), 0u);
  EXPECT_EQ(tk.text(TextBox::Text1).rfind("[error] busy\r\n", 0), 0u);
  end_guarded(app.busy, app.tk, Button::clear_button);
  EXPECT_EQ(app.busy, kFalse);
  EXPECT_EQ(tk.colours[Button::clear_button], kIdleColour);
}

TEST_F(MessagesTest, LongMessageAreaStaysCheap) {
  for (int i = 0; i < 100000; ++i) addmessage(app, "a line of about thirty characters");
  EXPECT_EQ(app.messages.size(), tk.text(TextBox::Text1).size());
  EXPECT_EQ(app.messages.text().substr(0, 35), "a line of about thirty characters\r\n");
}

}  // namespace
}  // namespace vtr
