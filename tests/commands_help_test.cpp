// The help window: its texts, the tab strip and the help button that opens it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/messages.h"
#include "tests/support/app_fixture.h"
#include "ui/commands.h"
#include "ui/helpwindow.h"

namespace vtr {
namespace {

using test::crlf_lines;

TEST(HelpText, HasItsThirtyTwoLinesEachEndingInCrLf) {
  const std::string text = helptext();
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  // No bare LF or CR anywhere.
  std::size_t crs = 0, lfs = 0;
  for (char c : text) crs += c == '\r', lfs += c == '\n';
  EXPECT_EQ(crs, lfs);

  const auto l = crlf_lines(text);
  ASSERT_EQ(l.size(), 32u);
  struct Item {
    std::size_t index;  // 1-based as the help text counts them
    const char* text;
  };
  const Item items[] = {
      {1, "VantrelTIFFReader - Help"},
      {2, " "},
      {3,
       "This software reads uncompressed 8, 12 and 16 bit gray scale  and 8 bit RGB images from "
       "files saved in the TIFF format"},
      {4, ""},
      {7, "The small chart is a pixel level histogram "},
      {11, ""},
      {14, "The red coloured button"},
      {15,
       "The exit button closes the VantrelTIFF Reader, no information is saved although any "
       "image copied to the clip board will still be present on the clipboard."},
      {25, "The bright blue coloured buttons"},
      {28,
       "The intensity levels in the image may be adjusted using the minimum  and maximum slide "
       "bars in conjunction with the refresh button."},
      {29, ""},
      {30, ""},
      {31, ""},
  };
  for (const auto& item : items) EXPECT_EQ(l[item.index - 1], item.text) << item.index;
  EXPECT_NE(l[31].find("2004"), std::string::npos);
}

TEST(AboutText, IsBuiltOfItsParagraphsAndEndsWithoutABreak) {
  const std::string text = abouttext();
  EXPECT_EQ(text.rfind("VantrelTIFFReader\r\n \r\n", 0), 0u);
  EXPECT_NE(text.find("\r\n\r\nThis is Version 1.06\r\n\r\nVantrelTIFFReader should run in "
                      "Microsoft WIndows 98(SE) or later versions of Windows\r\n\r\n"),
            std::string::npos);
  EXPECT_NE(text.substr(text.size() - 2), "\r\n");
  const auto l = crlf_lines(text);
  ASSERT_EQ(l.size(), 11u);
  EXPECT_NE(l.back().find("2004"), std::string::npos);
  EXPECT_NE(l.back().find('@'), std::string::npos);
  // The family sentence and the website sentence share one line, a blank between them.
  EXPECT_NE(l[8].find(". Visit"), std::string::npos);
}

class HelpWindowTest : public test::AppTest {
 protected:
  HelpWindowTest() { app.lines.replace(kWelcome); }
  // Picks the help window's tab `tab`.
  void pick(int tab) {
    tk.tab = tab;
    TabStrip1_Click(app);
  }
};

TEST_F(HelpWindowTest, HelpButtonCreatesTheWindowOnceWithTheHelpText) {
  help_button_Click(app);
  help_button_Click(app);
  EXPECT_EQ(tk.help_creations, 1);
  EXPECT_TRUE(tk.help_visible);
  EXPECT_EQ(tk.help, helptext());
  EXPECT_EQ(tk.tab, kTabHelp);
  // No colour change, no message.
  EXPECT_TRUE(tk.colour_history.empty());
  EXPECT_EQ(tk.text(TextBox::Text1), kWelcome);
}

TEST_F(HelpWindowTest, TabsSwitchTextsWithoutLeftovers) {
  help_button_Click(app);
  pick(kTabAbout);
  pick(kTabHelp);
  pick(kTabAbout);
  EXPECT_EQ(tk.help, abouttext());
  pick(kTabHelp);
  EXPECT_EQ(tk.help, helptext());
}

TEST_F(HelpWindowTest, CloseHidesAndHelpShowsItAgainAsItWas) {
  help_button_Click(app);
  pick(kTabAbout);
  pick(kTabClose);
  EXPECT_FALSE(tk.help_visible);
  help_button_Click(app);
  EXPECT_TRUE(tk.help_visible);
  EXPECT_EQ(tk.help_creations, 1);
  EXPECT_EQ(tk.tab, kTabClose);
  EXPECT_EQ(tk.help, abouttext());
}

TEST_F(HelpWindowTest, PrintLeavesTheTextAndReportsAFailureInTheMainWindow) {
  help_button_Click(app);
  pick(kTabPrint);
  EXPECT_EQ(tk.help_prints, 1);
  EXPECT_EQ(tk.help, helptext());
  EXPECT_EQ(tk.tab, kTabPrint);
  EXPECT_EQ(tk.text(TextBox::Text1), kWelcome);

  tk.print_error = "no printer available";
  pick(kTabPrint);
  EXPECT_EQ(tk.help_prints, 1);
  EXPECT_EQ(tk.help, helptext());
  EXPECT_EQ(
      tk.text(TextBox::Text1),
      std::string("[error] help print failed - no printer available\r\n") + std::string(kWelcome));
}

}  // namespace
}  // namespace vtr
