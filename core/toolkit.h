// The windowing toolkit as the viewer's logic sees it.
//
// Every operation the logic asks of the windows goes through this interface. The Qt binding
// (ui/qt/) implements it for the real program; the tests implement it with a recording double.
// All calls come from the one user-interface thread; only the bytes of the picture's rows
// (picture_rows) are written by other threads too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/histogram_counts.h"
#include "core/picture_rows.h"

namespace vtr {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Command buttons of the main window.
enum class Button {
  getimage_button,
  getheader_button,
  printbutton,
  copy_button,
  refresh_button,
  help_button,
  clear_button,
  Command1,     // exit
  imageinvert,  // Invert
  Command7,     // reset
  Command8,     // bestfit
  Command9,     // fullrange
};
inline constexpr int kButtonCount = 12;

// Text boxes: the message area and the header summary boxes.
enum class TextBox {
  Text1,
  image_filename,
  image_bitspersample,
  image_type,
  image_length,
  image_width,
  image_date,
};
inline constexpr int kTextBoxCount = 7;

enum class Slider { image_min, image_max };

enum class Icon { none, critical, exclamation, information };
enum class MsgButtons { ok, yes_no };
enum class Answer { ok, yes, no };

// A picture as 0x00RRGGBB words, row after row, top row first.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// What a copy or a print came to: done; refused because the memory for the image it needs
// could not be had; or failed for a reason of the device (no clipboard, no printer, ...).
struct Outcome {
  enum class Kind { done, no_memory, failed };
  Kind kind = Kind::done;
  std::string reason;  // what went wrong, for `failed`
};

// Tabs of the help window's tab strip, 1-based as the tab handler tests them.
inline constexpr int kTabHelp = 1;
inline constexpr int kTabAbout = 2;
inline constexpr int kTabPrint = 3;
inline constexpr int kTabClose = 4;

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Text boxes: the whole text, read and replaced.
  virtual std::string text(TextBox box) const = 0;
  virtual void set_text(TextBox box, std::string_view text) = 0;
  // Puts `text` in front of the box's text. Same result as set_text(box, text + old text),
  // but costs only the new text: the message area grows to many thousands of lines.
  virtual void prepend_text(TextBox box, std::string_view text) = 0;

  // Command buttons: the back colour fills the face.
  virtual void set_back_colour(Button button, Rgb colour) = 0;

  // Sliders: integer positions 0..255.
  virtual int slider_value(Slider slider) const = 0;
  virtual void set_slider_value(Slider slider, int value) = 0;

  // Progress bar, floating point range and value.
  virtual void set_progress_min(float value) = 0;
  virtual void set_progress_max(float value) = 0;
  virtual void set_progress_value(float value) = 0;

  // Picture surface: persistent drawing, sizes in pixels, origin top left.
  // False when the memory for a picture of the new size could not be had: the surface then
  // keeps its old size and drawing.
  virtual bool set_picture_size(int width, int height) = 0;
  virtual void set_picture_unit_pixels() = 0;
  virtual int picture_height() const = 0;
  // One pixel; positions outside the surface are clipped without error.
  virtual void set_pixel(float x, float y, Rgb colour) = 0;
  // The grey levels of the picture at its present size, to be written row by row; empty when
  // the toolkit keeps no picture. Written bytes show once drawn_rows marks them. They stay
  // valid until the picture's size changes, and may be written from any thread while the
  // window's thread runs no events.
  virtual PictureRows picture_rows() = 0;
  // Marks `rows` rows from row `first`, `count` pixels of each from column x0, as drawn: the
  // grey levels written into picture_rows() show there from now on. Same result as count
  // set_pixel calls a row with those levels, positions outside the surface clipped.
  virtual void drawn_rows(int x0, int first, int rows, int count) = 0;
  // Leaves only the background colour.
  virtual void remove_picture() = 0;
  // Brings the picture's top left into view where the picture is larger than its area and
  // scrolls; a surface that never scrolls has nothing to do.
  virtual void show_picture_origin() {}
  virtual Bitmap picture_bitmap() const = 0;

  // Histogram chart: 256 counts, one series in bin order.
  virtual void set_chart_data(const HistogramCounts& counts) = 0;

  // File-open dialog. show_open returns false when the dialog was cancelled (with
  // cancel-error on, a cancel is a failure the caller must see) or failed.
  virtual void set_dialog_default_ext(std::string_view ext) = 0;
  virtual void set_dialog_cancel_error(bool on) = 0;
  virtual void set_dialog_filter(std::string_view filter) = 0;
  virtual bool show_open() = 0;
  virtual std::string dialog_file_name() const = 0;

  // Modal message box with the given title, icon and buttons; returns the button pressed.
  virtual Answer message_box(std::string_view text, std::string_view title, Icon icon,
                             MsgButtons buttons) = 0;

  // Lets every pending window event run once, then returns.
  virtual void pump_events() = 0;

  // Seconds since midnight, with fraction.
  virtual double clock() = 0;

  // Clipboard; false when the clipboard cannot be used.
  virtual bool clipboard_clear() = 0;
  // Puts the picture surface, as it is drawn now, on the clipboard.
  virtual Outcome clipboard_set_picture() = 0;

  // Prints an image of the whole main window on the default printer, one page.
  virtual Outcome print_main_window() = 0;

  // The help window: created on first show, shown without blocking the main window,
  // hidden and shown again as it was.
  virtual bool help_window_exists() const = 0;
  virtual void create_help_window() = 0;
  virtual void show_help_window() = 0;
  virtual void hide_help_window() = 0;
  virtual std::string help_text() const = 0;
  virtual void set_help_text(std::string_view text) = 0;
  virtual int selected_tab() const = 0;
  // Prints the help window's text box on the default printer; empty text on success.
  virtual std::string print_help_text() = 0;

  // Ends the program at once.
  virtual void end_program() = 0;
};

}  // namespace vtr
