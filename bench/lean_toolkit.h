// A lean toolkit for measuring the logic: it records nothing costly. The picture is a grey
// byte per pixel that set_grey_row fills with one clip per row, as a real surface would;
// events, progress and the chart cost a store each.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/quiet_toolkit.h"

namespace vtr::bench {

using Clock = std::chrono::steady_clock;

class LeanToolkit : public test::QuietToolkit {
 public:
  std::string text(TextBox) const override { return {}; }
  void set_text(TextBox, std::string_view) override {}
  void prepend_text(TextBox, std::string_view text) override { message_bytes += text.size(); }
  void set_back_colour(Button, Rgb) override {}
  int slider_value(Slider s) const override { return sliders[s == Slider::image_max]; }
  void set_slider_value(Slider s, int v) override { sliders[s == Slider::image_max] = v; }
  void set_progress_min(float) override {}
  void set_progress_max(float) override {}
  void set_progress_value(float v) override { progress = v; }
  // The paint's first call: marks where the decoding ends and the paint begins.
  bool set_picture_size(int width, int height) override;
  void set_picture_unit_pixels() override {}
  int picture_height() const override { return height; }
  void set_pixel(float x, float y, Rgb colour) override;
  void set_grey_row(int x0, int y, const std::uint8_t* grey, int count) override;
  void remove_picture() override;
  Bitmap picture_bitmap() const override;
  void set_chart_data(const HistogramCounts& counts) override { chart = counts; }
  void set_dialog_default_ext(std::string_view) override {}
  void set_dialog_cancel_error(bool) override {}
  void set_dialog_filter(std::string_view) override {}
  bool show_open() override { return !path.empty(); }
  std::string dialog_file_name() const override { return path; }
  Answer message_box(std::string_view, std::string_view, Icon, MsgButtons b) override {
    return b == MsgButtons::ok ? Answer::ok : Answer::no;
  }
  void pump_events() override { ++pumps; }
  double clock() override;

  std::string path;  // the file the dialog answers
  int sliders[2] = {0, 255};
  float progress = 0;
  long pumps = 0;
  std::size_t message_bytes = 0;
  HistogramCounts chart{};
  Clock::time_point paint_started{};

  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> grey;  // width x height, top row first
};

}  // namespace vtr::bench
