#include "tests/support/file_runner.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace vtr::test {

FileRun::FileRun(const std::string& path, Start start, std::uint64_t store_limit) {
  if (start == Start::after_good_image) {
    good.emplace(good_image());
    viewer.load(good->path());
  }
  before = Snapshot::of(viewer);
  const std::string text = viewer.messages();
  descriptors_before = open_descriptors();
  viewer.app.store_limit = store_limit;
  viewer.load(path);
  descriptors_after = open_descriptors();
  added = viewer.added_since(text);
}

std::int32_t OraclePixels::shown_value(std::uint32_t x, std::uint32_t y) const {
  if (samples != 3) return static_cast<std::int32_t>(at(x, y, 0));
  const double g = 0.25 * at(x, y, 0) + 0.5 * at(x, y, 1) + 0.25 * at(x, y, 2);
  return static_cast<std::int32_t>(std::nearbyint(g));
}

void expect_store_holds(const Viewer& v, const OraclePixels& o, int rows) {
  ASSERT_EQ(v.app.store.width(), static_cast<std::int32_t>(o.width));
  ASSERT_EQ(v.app.store.length(), static_cast<std::int32_t>(o.length));
  int mismatches = 0;
  for (std::uint32_t y = 0; y < o.length; ++y) {
    for (std::uint32_t x = 0; x < o.width; ++x) {
      for (int c = 1; c <= (o.samples == 3 ? 3 : 1); ++c) {
        const std::int32_t want = o.kept_value(x, y, rows);
        const std::int32_t got = v.app.store.at(c, x + 1, y + 1);
        if (got != want && ++mismatches <= 5) {
          ADD_FAILURE() << "channel " << c << " pixel (" << x + 1 << ", " << y + 1 << "): viewer "
                        << got << ", oracle " << want;
        }
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

void expect_error_line(const std::string& added, const std::string& error) {
  if (error.empty()) {
    EXPECT_EQ(added.find("[error]"), std::string::npos) << added;
  } else {
    EXPECT_TRUE(has_line(crlf_lines(added), error)) << "expected " << error << ", got:\n" << added;
  }
}

std::string case_name_of(std::string file) {
  for (char& c : file) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return file;
}

OraclePixels run_oracle(const std::string& path, const std::string& options) {
  const std::string cmd = "/usr/bin/python3 '" + std::string(VTR_SOURCE_DIR) +
                          "/tests/tools/oracle_pixels.py' '" + path + "' " + options;
  OraclePixels o;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (p == nullptr) return o;
  std::uint32_t head[3] = {};
  if (std::fread(head, sizeof head, 1, p) == 1) {
    o.width = head[0];
    o.length = head[1];
    o.samples = head[2];
    o.values.resize(static_cast<std::size_t>(o.width) * o.length * o.samples);
    if (std::fread(o.values.data(), 4, o.values.size(), p) != o.values.size()) o.values.clear();
  }
  if (::pclose(p) != 0) o.values.clear();
  return o;
}

}  // namespace vtr::test
