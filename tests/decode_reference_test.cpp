// Files written by other programs (tifffile, and 12-bit files packed bit by bit and read back
// by ImageMagick) must load with the values those programs read.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "decode/readfile.h"
#include "tests/decode_fixture.h"

namespace vtr {
namespace {

namespace fs = std::filesystem;

class ReferenceTest : public test::DecodeFixture {
 protected:
  static void SetUpTestSuite() {
    folder_ =
        new fs::path(fs::temp_directory_path() / ("vtr_reference_" + std::to_string(::getpid())));
    fs::create_directories(*folder_);
    const std::string command = "/usr/bin/python3 " VTR_SOURCE_DIR
                                "/tests/tools/reference_tiffs.py '" +
                                folder_->string() + "'";
    status_ = ::access("/usr/bin/python3", X_OK) == 0 ? std::system(command.c_str()) : -1;
  }
  static void TearDownTestSuite() {
    fs::remove_all(*folder_);
    delete folder_;
  }

  static fs::path* folder_;
  static int status_;
};

fs::path* ReferenceTest::folder_ = nullptr;
int ReferenceTest::status_ = 0;

TEST_F(ReferenceTest, EverySupportedKindLoadsWithTheValuesTheWriterReadsBack) {
  if (status_ == -1) GTEST_SKIP() << "no /usr/bin/python3";
  if (WIFEXITED(status_) && WEXITSTATUS(status_) == 3) GTEST_SKIP() << "numpy or tifffile missing";
  ASSERT_EQ(status_, 0) << "the reference writer failed";
  const struct {
    const char* name;
    const char* line;
  } cases[] = {
      {"gray8", "reading 8 bit image from file"},
      {"gray12_odd", "reading 12 bit image from file"},
      {"gray12_even", "reading 12 bit image from file"},
      {"gray16_ii", "reading 16 bit image from file"},
      {"gray16_mm", "reading 16 bit image from file"},
      {"rgb8", "reading 8 bit rgb image from file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clear_lines();
    tk.dialog_answers = {(*folder_ / (std::string(c.name) + ".tif")).string()};
    getimage_button_Click(app);
    EXPECT_EQ(count_lines(c.line), 1);
    EXPECT_EQ(count_lines("[error]"), 0);
    std::ifstream list(*folder_ / (std::string(c.name) + ".txt"));
    int w = 0, l = 0;
    ASSERT_TRUE(list >> w >> l);
    ASSERT_EQ(app.store.width(), w);
    ASSERT_EQ(app.store.length(), l);
    for (int y = 1; y <= l; ++y) {
      for (int x = 1; x <= w; ++x) {
        std::int32_t v = 0;
        ASSERT_TRUE(list >> v);
        ASSERT_EQ(app.store.at(1, x, y), v) << "x " << x << " y " << y;
      }
    }
    EXPECT_EQ(histogramsum(), static_cast<std::int64_t>(w) * l);
  }
}

}  // namespace
}  // namespace vtr
