#include "tests/support/header_fixture.h"

#include "core/file_table.h"
#include "decode/header_summary.h"
#include "tiff/getheader.h"

namespace vtr::test {

std::int16_t HeaderRun::parse(const Bytes& bytes) {
  const TempFile file(bytes);
  ImageFile image;
  EXPECT_TRUE(image.open(file.path()));
  recorded.lines.clear();
  HeaderParse run{header, &image, recorded};
  result = parseheader(run);
  show_summary(boxes, result.summary);
  return headernumber(result);
}

}  // namespace vtr::test
