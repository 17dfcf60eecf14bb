#include "ui/qt/form1_rows.h"

#include "core/program_texts.h"
#include "decode/readfile.h"
#include "display/autowindow.h"
#include "display/intensity.h"
#include "display/paint.h"
#include "ui/commands.h"

namespace vtr::qt {

namespace {

using K = ControlKind;

// The design back colours of the task buttons, of the intensity buttons, and of a button face
// without a colour of its own. Start-up replaces all but the exit button's.
constexpr Rgb kTaskDesign{255, 192, 128};
constexpr Rgb kIntensityDesign{192, 255, 255};
constexpr Rgb kDefaultFace{212, 208, 200};

// One row a control, in tab order; a command without a control comes last.
// clang-format off
constexpr ControlRow kRows[] = {
    {.name = "Text1", .kind = K::message_area, .id = TextBox::Text1, .caption = kWelcome,
     .place = {8640, 7080, 4335, 1215}, .tooltip = "Shows error messages and image information",
     .spoken = "message area",
     .description = "Errors, image information and pixel read-outs, the newest line first."},
    {.name = "Command1", .kind = K::button, .id = Button::Command1, .caption = "exit",
     .place = {12120, 120, 855, 375}, .colour = {255, 0, 0}, .tooltip = "exits VantrelTIFFReader",
     .key = "Ctrl+Q", .spoken = "exit", .handler = Command1_Click},
    {.name = "MSChart1", .kind = K::chart, .place = {8640, 4680, 4335, 2175},
     .tooltip = "Histogram of pixel values in current image", .spoken = "histogram"},
    {.name = "image_filename", .kind = K::line_box, .id = TextBox::image_filename,
     .place = {9360, 3120, 3615, 285}, .spoken = "file name",
     .description = "The path of the image file last read."},
    {.name = "Label1", .kind = K::label, .caption = "Filename", .place = {8640, 3120, 735, 255}},
    {.name = "image_bitspersample", .kind = K::line_box, .id = TextBox::image_bitspersample,
     .place = {11640, 3480, 1335, 285}, .spoken = "bits per pixel",
     .description = "The bits per sample of the image last read: 8, 12 or 16."},
    {.name = "Label2", .kind = K::label, .caption = "Bits/pixel",
     .place = {10920, 3480, 1095, 255}},
    {.name = "getimage_button", .kind = K::button, .id = Button::getimage_button,
     .caption = "get image", .place = {8640, 840, 1095, 375}, .colour = kTaskDesign,
     .tooltip = "Get new image from disk", .key = "Ctrl+O", .spoken = "get image",
     .handler = getimage_button_Click},
    {.name = "ProgressBar1", .kind = K::progress_bar, .place = {8640, 1560, 4335, 375},
     .spoken = "progress", .description = "How far the image being read or painted has got."},
    {.name = "image_min", .kind = K::slider, .id = Slider::image_min,
     .place = {9360, 2040, 3615, 255}, .tooltip = "Adjust minium intensity in image",
     .spoken = "minimum intensity",
     .description = "The level, 0 to 255, drawn as black (white when inverted); lower levels are "
                    "black too. Refresh shows the picture with it."},
    {.name = "Label3", .kind = K::label, .caption = "Minimum", .place = {8640, 2040, 1215, 255}},
    {.name = "image_max", .kind = K::slider, .id = Slider::image_max,
     .place = {9360, 2400, 3615, 255}, .tooltip = "sets maximum intensity in image",
     .spoken = "maximum intensity",
     .description = "The level, 0 to 255, that sets the contrast: levels are scaled by 255 "
                    "divided by it, so with the minimum at 0 it and higher levels are white "
                    "(black when inverted). Refresh shows the picture with it."},
    {.name = "Label4", .kind = K::label, .caption = "Maximum", .place = {8640, 2400, 735, 255}},
    {.name = "image_type", .kind = K::line_box, .id = TextBox::image_type,
     .place = {9360, 3480, 1455, 285}, .spoken = "image type",
     .description = "The kind of image last read: grey scale and which value is black, or RGB."},
    {.name = "Label5", .kind = K::label, .caption = "Type", .place = {8640, 3480, 975, 255}},
    {.name = "image_length", .kind = K::line_box, .id = TextBox::image_length,
     .place = {11640, 3840, 1335, 285}, .spoken = "image length",
     .description = "The length (height) of the image last read, in pixels."},
    {.name = "image_width", .kind = K::line_box, .id = TextBox::image_width,
     .place = {9360, 3840, 1455, 285}, .spoken = "image width",
     .description = "The width of the image last read, in pixels."},
    {.name = "Label6", .kind = K::label, .caption = "Width", .place = {8640, 3840, 615, 255}},
    {.name = "Label7", .kind = K::label, .caption = "Length", .place = {10920, 3840, 615, 255}},
    {.name = "printbutton", .kind = K::button, .id = Button::printbutton, .caption = "print",
     .place = {11040, 840, 855, 375}, .colour = kTaskDesign,
     .tooltip = "print a copy of this form", .key = "Ctrl+P", .spoken = "print",
     .handler = printbutton_Click},
    {.name = "copy_button", .kind = K::button, .id = Button::copy_button, .caption = "copy ",
     .place = {12120, 840, 855, 375}, .colour = kTaskDesign,
     .tooltip = "make a copy of the picture in the clipboard", .key = "Ctrl+Shift+C",
     .spoken = "copy", .handler = copy_button_Click},
    {.name = "refresh_button", .kind = K::button, .id = Button::refresh_button,
     .caption = "refresh", .place = {8640, 120, 1095, 375}, .colour = kTaskDesign,
     .tooltip = "Refresh current image using intensity settings", .key = "F5",
     .spoken = "refresh", .handler = refresh_button_Click},
    {.name = "image_date", .kind = K::line_box, .id = TextBox::image_date,
     .place = {9360, 4200, 3615, 285}, .spoken = "image date",
     .description = "The date and time the image file records."},
    {.name = "Label8", .kind = K::label, .caption = "Date", .place = {8640, 4200, 615, 255}},
    {.name = "Label9", .kind = K::credits_label, .caption = kCreditsLine,
     .place = {120, 8160, 6255, 255}, .handler = Label9_Click},
    {.name = "clear_button", .kind = K::button, .id = Button::clear_button, .caption = "clear",
     .place = {9960, 120, 855, 375}, .colour = kTaskDesign, .spoken = "clear",
     .description = "Empties the message area and the picture.", .handler = clear_button_Click},
    {.name = "help_button", .kind = K::button, .id = Button::help_button, .caption = "help",
     .place = {11040, 120, 855, 375}, .colour = kTaskDesign, .key = "F1", .spoken = "help",
     .handler = help_button_Click},
    {.name = "imageinvert", .kind = K::button, .id = Button::imageinvert, .caption = "Invert",
     .place = {12120, 2760, 855, 255}, .colour = kDefaultFace, .key = "Ctrl+I",
     .spoken = "invert", .handler = imageinvert_Click},
    {.name = "Command7", .kind = K::button, .id = Button::Command7, .caption = "reset",
     .place = {8640, 2760, 975, 255}, .colour = kIntensityDesign, .spoken = "reset",
     .description = "Sets the sliders to 0 and 255 and the invert to normal.",
     .handler = Command7_Click},
    {.name = "Command8", .kind = K::button, .id = Button::Command8, .caption = "bestfit",
     .place = {9960, 2760, 855, 255}, .colour = kIntensityDesign, .key = "Ctrl+B",
     .spoken = "best fit", .handler = Command8_Click},
    {.name = "Command9", .kind = K::button, .id = Button::Command9, .caption = "fullrange",
     .place = {11040, 2760, 855, 255}, .colour = kIntensityDesign, .spoken = "full range",
     .description = "Sets the sliders to 0 and 255.", .handler = Command9_Click},
    {.name = "getheader_button", .kind = K::button, .id = Button::getheader_button,
     .caption = "getheader", .place = {9960, 840, 855, 375}, .colour = {0, 255, 255},
     .key = "Ctrl+Shift+H", .spoken = "get header", .handler = getheader_button_Click},
    {.name = "Picture1", .kind = K::picture_area, .place = {240, 120, 7740, 7740},
     .spoken = "picture",
     .description = "The opened image at half scale and 8-bit depth. Click a pixel to read its "
                    "position and full-resolution value in the message area."},
    {.name = "autowindow", .kind = K::command, .key = "Ctrl+Shift+B", .spoken = "auto",
     .handler = autowindow_Click, .in_context_menus = true},
};
// clang-format on

}  // namespace

std::span<const ControlRow> form1_rows() {
  return kRows;
}

}  // namespace vtr::qt
