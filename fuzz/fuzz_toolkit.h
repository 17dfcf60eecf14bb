// The headless toolkit as the fuzz targets use it: it answers the file dialog with the file
// under test (set_dialog_answer), counts time in steps of 0.25 s so that every run of an
// input writes the same lines, and aborts, so that libFuzzer reports the input, when the
// logic hands it something no window could take: a progress value outside 0..1, a negative
// picture size, a message area past 64 MiB. It reads every grey byte handed to it, so that
// the sanitizers see a read past a row the logic passes in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/headless_toolkit.h"

namespace vtr::fuzz {

class FuzzToolkit : public HeadlessToolkit {
 public:
  void prepend_text(TextBox box, std::string_view text) override;
  void set_progress_value(float value) override;
  bool set_picture_size(int width, int height) override;
  void set_grey_row(int x0, int y, const std::uint8_t* grey, int count) override;
  double clock() override { return clock_ += 0.25; }

 private:
  double clock_ = 0;
  std::size_t message_bytes_ = 0;
  std::uint64_t grey_sum_ = 0;  // of every grey byte handed in
};

}  // namespace vtr::fuzz
