// The headless toolkit as the fuzz targets use it: it answers the file dialog with the file
// under test (set_dialog_answer), counts time in steps of 0.25 s so that every run of an
// input writes the same lines, and aborts, so that libFuzzer reports the input, when the
// logic hands it something no window could take: a progress value outside 0..1, a negative
// picture size, a message area past 64 MiB, a negative run of drawn rows. It keeps the
// picture's grey levels in a buffer of exactly the picture's size (up to 64 MiB), so that the
// sanitizers see a write past the rows the paint is given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/headless_toolkit.h"

namespace vtr::fuzz {

class FuzzToolkit : public HeadlessToolkit {
 public:
  void prepend_text(TextBox box, std::string_view text) override;
  void set_progress_value(float value) override;
  bool set_picture_size(int width, int height) override;
  PictureRows picture_rows() override;
  void drawn_rows(int x0, int first, int rows, int count) override;
  double clock() override { return clock_ += 0.25; }

 private:
  double clock_ = 0;
  std::size_t message_bytes_ = 0;
  std::vector<std::uint8_t> grey_;  // the picture's grey levels; empty past 64 MiB
  int width_ = 0;
};

}  // namespace vtr::fuzz
