// Fuzzes the get-image command end to end: header, pixel store, decoder, histogram and
// paint, for one file and then for a second one loaded over what the first left. After the
// loads, the pixel read-out and a best-fit refresh run over whatever image is in memory.
#include <cstddef>
#include <cstdint>

#include "decode/readfile.h"
#include "display/intensity.h"
#include "display/paint.h"
#include "display/readout.h"
#include "fuzz/fuzz_run.h"

namespace {

// A read-out position taken from the input, so presses land inside and outside the picture.
void press(vtr::App& app, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) return;
  auto at = bytes.size() - 4;
  float x = static_cast<float>(bytes[at] | (bytes[at + 1] << 8)) / 4.0f - 8.0f;
  float y = static_cast<float>(bytes[at + 2] | (bytes[at + 3] << 8)) / 4.0f - 8.0f;
  vtr::picture1_mousedown(app, 1, 0, x, y);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vtr::fuzz;
  runfiles(data, size, [](Session& s, std::span<const std::uint8_t> bytes, bool second) {
    vtr::getimage_button_Click(s.app);
    check_after_command(s.app);
    press(s.app, bytes);
    if (!second) return;
    vtr::Command8_Click(s.app);  // best fit on
    vtr::refresh_button_Click(s.app);
    check_after_command(s.app);
  });
  return 0;
}
