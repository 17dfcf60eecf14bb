// The pixel read-out under a press on the picture.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "display/readout.h"
#include "tests/support/app_fixture.h"

namespace vtr {
namespace {

class ReadoutTest : public test::AppTest {
 protected:
  ReadoutTest() {
    app.header.imagewidth = 64;
    app.header.imagelength = 64;
    app.header.bitspersample[1] = 16;
    app.header.headervalid = kTrue;
    EXPECT_TRUE(app.store.recreate(64, 64, StoreKind::grey16));
    for (int y = 1; y <= 64; ++y) {
      for (int x = 1; x <= 64; ++x) app.store.set(x, y, 1000 * y + x);
    }
    app.store.set(20, 40, 1234);
    app.store.set(64, 64, 65535);
    app.store.set(8, 8, 7);
  }
  std::string press(float x, float y) {
    tk.set_text(TextBox::Text1, "");
    picture1_mousedown(app, 1, 0, x, y);
    return tk.text(TextBox::Text1);
  }
};

TEST_F(ReadoutTest, LineGivesDoubledPositionAndStoredValue) {
  const struct {
    float x, y;
    const char* line;
  } cases[] = {
      {10, 20, "Pixel  x= 20; y= 40; I= 1234\r\n"},
      {0, 0, "Pixel  x= 0; y= 0; I= 0\r\n"},  // row and column 0 are never filled
      {32, 32, "Pixel  x= 64; y= 64; I= 65535\r\n"},
      {4, 4, "Pixel  x= 8; y= 8; I= 7\r\n"},
      // The doubled position rounds to the nearest whole number, ties to the even one.
      {0.25f, 1.25f, "Pixel  x= 0; y= 2; I= 0\r\n"},
      {1.25f, 2.25f, "Pixel  x= 2; y= 4; I= 4002\r\n"},
      {0.75f, 1.75f, "Pixel  x= 2; y= 4; I= 4002\r\n"},
      {1.2f, 1.3f, "Pixel  x= 2; y= 3; I= 3002\r\n"},
      {-0.2f, 0.5f, "Pixel  x= 0; y= 1; I= 0\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(press(c.x, c.y), c.line) << c.x << "," << c.y;
}

TEST_F(ReadoutTest, OutsideTheStoreReadsNothing) {
  const struct {
    float x, y;
    const char* line;
  } cases[] = {
      {32.5f, 10, "Pixel  x= 65; y= 20; outside the image\r\n"},
      {10, 33, "Pixel  x= 20; y= 66; outside the image\r\n"},
      {-1, 3, "Pixel  x=-2; y= 6; outside the image\r\n"},
      {3, -0.75f, "Pixel  x= 6; y=-2; outside the image\r\n"},
      {1e30f, 1, "Pixel  x=-1; y= 2; outside the image\r\n"},
      {std::numeric_limits<float>::quiet_NaN(), 1, "Pixel  x=-1; y= 2; outside the image\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(press(c.x, c.y), c.line) << c.x << "," << c.y;
  PixelStore& store = app.store;
  ASSERT_TRUE(store.recreate(4, 4, StoreKind::grey16));  // a new, smaller load under way
  EXPECT_EQ(press(10, 20), "Pixel  x= 20; y= 40; outside the image\r\n");
}

TEST_F(ReadoutTest, NoImageGivesAWarningAndNoLine) {
  app.header.headervalid = kFalse;
  EXPECT_EQ(press(10, 20), "");
  test::expect_one_box(tk, "No image to interogate", Icon::exclamation);
}

TEST_F(ReadoutTest, NewestPressOnTop) {
  tk.set_text(TextBox::Text1, "");
  picture1_mousedown(app, 1, 0, 10, 20);
  picture1_mousedown(app, 2, 1, 32, 32);
  EXPECT_EQ(tk.text(TextBox::Text1),
            "Pixel  x= 64; y= 64; I= 65535\r\nPixel  x= 20; y= 40; I= 1234\r\n");
}

}  // namespace
}  // namespace vtr
