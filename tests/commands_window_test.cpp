// Start-up of the main window and its small commands: copy, print, clear, help, exit and
// the credits label.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/messages.h"
#include "display/intensity.h"
#include "tests/support/app_fixture.h"
#include "ui/commands.h"

namespace vtr {
namespace {

constexpr Rgb kStartupIntensity{16, 250, 253};

class CommandsTest : public test::AppTest {};

TEST_F(CommandsTest, FormLoadBringsEverythingToItsReadyState) {
  // Leftovers that start-up must reset.
  app.showtext = kTrue;
  app.header.headervalid = kTrue;
  app.bestfits = kTrue;
  app.histogram.bins[7] = 99;
  tk.progress = 0.5f;
  tk.slider_min = 30;
  tk.slider_max = 40;

  form_load(app);

  EXPECT_EQ(tk.text(TextBox::Text1), "Welcome to VantrelTIFFReader\r\n");
  EXPECT_EQ(app.messages.text(), "Welcome to VantrelTIFFReader\r\n");
  EXPECT_EQ(app.busy, kFalse);
  EXPECT_EQ(app.showtext, kFalse);
  EXPECT_EQ(app.bestfits, kFalse);
  EXPECT_EQ(app.header.headervalid, kFalse);
  EXPECT_EQ(tk.progress_min, 0.0f);
  EXPECT_EQ(tk.progress_max, 1.0f);
  EXPECT_EQ(tk.progress, 0.0f);
  EXPECT_EQ(tk.chart, HistogramCounts{});
  EXPECT_EQ(app.histogram.bins, HistogramCounts{});
  EXPECT_GE(tk.chart_feeds, 1);

  const Button idle[] = {Button::getimage_button, Button::getheader_button, Button::printbutton,
                         Button::copy_button,     Button::refresh_button,   Button::help_button,
                         Button::clear_button};
  for (Button b : idle) {
    ASSERT_EQ(tk.colour_history[b].size(), 1u) << static_cast<int>(b);
    EXPECT_EQ(tk.colours[b], kIdleColour) << static_cast<int>(b);
  }
  for (Button b : {Button::Command7, Button::Command8, Button::Command9}) {
    EXPECT_EQ(tk.colours[b], kStartupIntensity) << static_cast<int>(b);
  }
  // Not inverted, full range.
  EXPECT_EQ(app.invimage, kFalse);
  EXPECT_EQ(tk.colours[Button::imageinvert], kNormalColour);
  EXPECT_EQ(tk.slider_min, 0);
  EXPECT_EQ(tk.slider_max, 255);
  // The exit button keeps its design red: start-up never touches it.
  EXPECT_EQ(tk.colour_history.count(Button::Command1), 0u);
  // Start-up writes nothing else to the message area.
  EXPECT_TRUE(tk.boxes.empty());
}

TEST_F(CommandsTest, BusyRefusesTheGuardedCommandsWithoutATrace) {
  const std::function<void(App&)> guarded[] = {copy_button_Click, printbutton_Click,
                                               clear_button_Click};
  for (const auto& command : guarded) {
    test::FakeToolkit fresh;
    App a{fresh};
    a.lines.replace("before\r\n");
    a.busy = kTrue;
    a.histogram.bins[3] = 5;
    fresh.set_picture_size(2, 2);
    fresh.set_pixel(0, 0, Rgb{9, 9, 9});

    command(a);

    EXPECT_EQ(fresh.text(TextBox::Text1), "[error] busy\r\nbefore\r\n");
    EXPECT_EQ(a.busy, kTrue);
    EXPECT_TRUE(fresh.colour_history.empty());
    EXPECT_EQ(a.histogram.bins[3], 5);
    EXPECT_EQ(fresh.grey_at(0, 0), 9);
    EXPECT_EQ(fresh.prints, 0);
    EXPECT_EQ(fresh.clipboard_clears, 0);
  }
}

TEST_F(CommandsTest, CopyPutsTheShownPictureOnTheClipboard) {
  app.lines.replace(kWelcome);
  tk.set_picture_size(3, 2);
  tk.set_pixel(2, 1, Rgb{10, 20, 30});

  copy_button_Click(app);

  ASSERT_TRUE(tk.clipboard.has_value());
  EXPECT_EQ(tk.clipboard->width, 3);
  EXPECT_EQ(tk.clipboard->height, 2);
  EXPECT_EQ(tk.clipboard->pixels, tk.picture_bitmap().pixels);
  EXPECT_EQ(tk.clipboard->pixels[5], 0x000A141Eu);
  EXPECT_EQ(tk.clipboard_clears, 1);
  EXPECT_EQ(tk.text(TextBox::Text1),
            "image copied to clipboard\r\nWelcome to VantrelTIFFReader\r\n");
  EXPECT_EQ(tk.colour_history[Button::copy_button], (std::vector<Rgb>{kBusyColour, kIdleColour}));
  EXPECT_EQ(app.busy, kFalse);
}

TEST_F(CommandsTest, CopyReportsAnUnusableClipboard) {
  tk.clipboard_works = false;
  copy_button_Click(app);
  const std::string text = tk.text(TextBox::Text1);
  EXPECT_EQ(text.rfind("[error] ", 0), 0u) << text;
  EXPECT_EQ(text.find("image copied"), std::string::npos);
  EXPECT_EQ(tk.colours[Button::copy_button], kIdleColour);
  EXPECT_EQ(app.busy, kFalse);
}

TEST_F(CommandsTest, PrintWritesNothingOnSuccessAndOneErrorLineOnFailure) {
  struct Case {
    std::string error;
    std::string messages;
    int prints;
  };
  const Case cases[] = {
      {"", "x\r\n", 1},
      {"no printer available", "[error] print failed - no printer available\r\nx\r\n", 0},
  };
  for (const auto& c : cases) {
    test::FakeToolkit fresh;
    App a{fresh};
    a.lines.replace("x\r\n");
    fresh.print_error = c.error;
    printbutton_Click(a);
    EXPECT_EQ(fresh.text(TextBox::Text1), c.messages);
    EXPECT_EQ(fresh.prints, c.prints);
    EXPECT_EQ(fresh.colour_history[Button::printbutton],
              (std::vector<Rgb>{kBusyColour, kIdleColour}));
    EXPECT_EQ(a.busy, kFalse);
  }
}

TEST_F(CommandsTest, ClearEmptiesPictureHistogramAndMessagesButKeepsTheImage) {
  app.lines.replace("a\r\nb\r\n");
  app.header.headervalid = kTrue;
  app.histogram.bins[200] = 12;
  tk.set_slider_value(Slider::image_min, 17);
  tk.set_picture_size(4, 4);
  tk.set_pixel(1, 1, Rgb{200, 200, 200});

  clear_button_Click(app);

  EXPECT_EQ(tk.text(TextBox::Text1), "message area cleared");
  EXPECT_EQ(app.histogram.bins, HistogramCounts{});
  EXPECT_EQ(tk.chart, HistogramCounts{});
  for (std::uint32_t p : tk.picture_bitmap().pixels) EXPECT_EQ(p & 0xFFu, 0u);
  EXPECT_EQ(app.header.headervalid, kTrue);
  EXPECT_EQ(tk.slider_value(Slider::image_min), 17);
  EXPECT_EQ(tk.colour_history[Button::clear_button], (std::vector<Rgb>{kBusyColour, kIdleColour}));

  addmessage(app, "next");
  EXPECT_EQ(tk.text(TextBox::Text1), "next\r\nmessage area cleared");
}

TEST_F(CommandsTest, ExitAsksAndEndsOnlyOnYes) {
  struct Case {
    Answer answer;
    bool ends;
  };
  for (const Case c : {Case{Answer::no, false}, Case{Answer::yes, true}}) {
    test::FakeToolkit fresh;
    App a{fresh};
    a.lines.replace(kWelcome);
    fresh.box_answers.push_back(c.answer);
    Command1_Click(a);
    test::expect_one_box(fresh, "Are you sure you wish to exit VantrelTIFFReader", Icon::none,
                         MsgButtons::yes_no);
    EXPECT_EQ(fresh.ended, c.ends);
    EXPECT_EQ(a.ending, c.ends);
    EXPECT_EQ(fresh.text(TextBox::Text1), kWelcome);
  }
}

TEST_F(CommandsTest, ExitEndsEvenWhileBusy) {
  app.busy = kTrue;
  tk.box_answers.push_back(Answer::yes);
  Command1_Click(app);
  EXPECT_TRUE(tk.ended);
}

TEST_F(CommandsTest, CreditsLabelShowsAnInformationBox) {
  Label9_Click(app);
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].title, "VantrelTIFFReader");
  EXPECT_EQ(tk.boxes[0].icon, Icon::information);
  EXPECT_EQ(tk.boxes[0].buttons, MsgButtons::ok);
  EXPECT_NE(tk.boxes[0].text.find("2004"), std::string::npos);
  EXPECT_NE(kCreditsLine.find("2004"), std::string::npos);
}

}  // namespace
}  // namespace vtr
