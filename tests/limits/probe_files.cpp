#include "tests/limits/probe_files.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/support/sample_image.h"
#include "tests/support/tiff_builder.h"

namespace vtr::test {

namespace {

bool write(const std::string& path, const Bytes& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

// A one-strip image file whose header declares `width` x `length` grey pixels of `bits` (8 or
// 16) but holds none: the strip is made by extending the file, as a hole, which reads as 0.
bool writesparse(const std::string& path, std::uint32_t width, std::uint32_t length,
                 std::uint16_t bits) {
  const std::uint64_t stripbytes = bits / 8ull * width * length;
  TiffBuilder b;
  b.short_value(256, static_cast<std::uint16_t>(width))
      .short_value(257, static_cast<std::uint16_t>(length));
  b.short_value(258, bits);
  b.short_value(259, 1).short_value(262, 1).strip_offsets({0});
  b.short_value(277, 1)
      .long_value(278, length)
      .long_value(279, static_cast<std::uint32_t>(stripbytes));
  if (!write(path, b.build())) return false;
  std::error_code error;
  std::filesystem::resize_file(path, b.data_start() + stripbytes, error);
  return !error;
}

}  // namespace

bool makeprobefiles(const std::string& folder) {
  return writesparse(folder + "/big.tif", 28000, 28000, 16) &&
         writesparse(folder + "/copy21000.tif", 21000, 21000, 8) &&
         writesparse(folder + "/copy22000.tif", 22000, 22000, 8) &&
         write(folder + "/mid.tif", makeimage(16, 1, false, 2100, 2100).tiff_file()) &&
         write(folder + "/small.tif", good_image());
}

}  // namespace vtr::test
