#include "tests/support/app_fixture.h"

namespace vtr::test {

std::string order_name(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "MM" : "II";
}

void expect_one_box(const FakeToolkit& tk, std::string_view text, Icon icon, MsgButtons buttons) {
  ASSERT_EQ(tk.boxes.size(), 1u);
  EXPECT_EQ(tk.boxes[0].text, text);
  EXPECT_EQ(tk.boxes[0].title, "VantrelTIFFReader");
  EXPECT_EQ(tk.boxes[0].icon, icon);
  EXPECT_EQ(tk.boxes[0].buttons, buttons);
}

}  // namespace vtr::test
