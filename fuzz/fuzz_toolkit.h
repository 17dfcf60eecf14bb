// A small stand-in for the windowing toolkit, for the fuzz targets.
//
// It keeps no more than the logic reads back (texts, slider positions, picture size) and
// touches every byte handed to it, so that the sanitizers see a read past a buffer the logic
// passes in. The file dialog always answers with `file_name`.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tests/support/quiet_toolkit.h"

namespace vtr::fuzz {

class FuzzToolkit : public test::QuietToolkit {
 public:
  std::string file_name;       // what the file dialog answers with
  std::uint64_t checksum = 0;  // of every value handed in, so nothing is optimised away

  std::string text(TextBox box) const override;
  void set_text(TextBox box, std::string_view text) override;
  void prepend_text(TextBox box, std::string_view text) override;
  void set_back_colour(Button, Rgb colour) override { add_to_checksum(colour); }
  int slider_value(Slider slider) const override { return sliders_[index(slider)]; }
  void set_slider_value(Slider slider, int value) override { sliders_[index(slider)] = value; }
  void set_progress_min(float) override {}
  void set_progress_max(float) override {}
  void set_progress_value(float value) override;
  bool set_picture_size(int width, int height) override;
  void set_picture_unit_pixels() override {}
  int picture_height() const override { return picture_h_; }
  void set_pixel(float x, float y, Rgb colour) override;
  void set_grey_row(int x0, int y, const std::uint8_t* grey, int count) override;
  void remove_picture() override {}
  Bitmap picture_bitmap() const override;
  void set_chart_data(const HistogramCounts& counts) override;
  void set_dialog_default_ext(std::string_view) override {}
  void set_dialog_cancel_error(bool) override {}
  void set_dialog_filter(std::string_view) override {}
  bool show_open() override { return !file_name.empty(); }
  std::string dialog_file_name() const override { return file_name; }
  Answer message_box(std::string_view text, std::string_view, Icon, MsgButtons buttons) override;
  void pump_events() override {}
  double clock() override { return clock_ += 0.25; }

 private:
  static int index(Slider slider) { return slider == Slider::image_min ? 0 : 1; }
  static int index(TextBox box) { return static_cast<int>(box); }
  void add_to_checksum(Rgb colour) { checksum += colour.r + colour.g * 3u + colour.b * 7u; }

  std::array<std::string, kTextBoxCount> texts_{};
  std::array<int, 2> sliders_{};
  int picture_w_ = 0;
  int picture_h_ = 0;
  double clock_ = 0;
  std::size_t message_bytes_ = 0;
};

}  // namespace vtr::fuzz
