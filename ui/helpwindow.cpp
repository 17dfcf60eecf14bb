#include "ui/helpwindow.h"

#include <string>
#include <string_view>

#include "core/app.h"
#include "core/message_area.h"
#include "core/messages.h"
#include "core/program_texts.h"

namespace vtr {

namespace {

// One item per line of the help text; an empty item is an empty line.
constexpr std::string_view kHelpLines[] = {
    "VantrelTIFFReader - Help",
    " ",
    "This software reads uncompressed 8, 12 and 16 bit gray scale  and 8 bit RGB images from "
    "files saved in the TIFF format",
    "",
    "Click on the get image button to select an image file for loading",
    "The selected image will be loaded and displayed",
    "The small chart is a pixel level histogram ",
    "The image is displayed at half scale in terms of x and y pixel steps and at 8 bit resolution",
    "The pixel information can be obtained by clicking on a particular pixel in the image",
    "The pixel information is taken from the full scale image file not the reduced 8 bit image on "
    "view",
    "",
    "Information, error messages and the pixel data are shown in the message area",
    "",
    "The red coloured button",
    "The exit button closes the VantrelTIFF Reader, no information is saved although any image "
    "copied to the clip board will still be present on the clipboard.",
    "",
    "The blue coloured buttons at the top",
    "The get image button allows the user to select a file. This is read and displayed using the "
    "current settings of the image control.",
    "The get header button displays the TIFF header information in the message area. This may be "
    "useful for diagnostics when get image fails.",
    "The clear button, clears the text area, the image area and the pixel map image.",
    "The print button prints a copy of the complete application screen.",
    "The copy button makes a copy of the image in the clipboard.",
    "The refresh button refreshes the image displayed without rereading the file using the "
    "current settings of the image control.",
    "",
    "The bright blue coloured buttons",
    "The reset button sets the sliders to 0 and 255 and the invert to normal.",
    "The invert is used to toggle between level 255=white and level 0=white.",
    "The intensity levels in the image may be adjusted using the minimum  and maximum slide bars "
    "in conjunction with the refresh button.",
    "",
    "",
    "",
    "(c) 2004 A. Vantrel, Vantrel Institute of Experimental Science",
};

constexpr std::string_view kCrLf2 = "\r\n\r\n";

}  // namespace

std::string helptext() {
  std::string text;
  for (std::string_view line : kHelpLines) text.append(line).append(kCrLf);
  return text;
}

std::string abouttext() {
  std::string text;
  text.append("VantrelTIFFReader").append(kCrLf).append(" ").append(kCrLf);
  text.append(
      "VantrelTIFFReader was created by A. Vantrel in the Department of Imaging Science, Vantrel "
      "Institute of Experimental Science, 1 Institute Road, Vantrel Park, VT1 2AB.");
  text.append(kCrLf2);
  text.append("This is Version ").append(kVersion).append(kCrLf2);
  text.append(
          "VantrelTIFFReader should run in Microsoft WIndows 98(SE) or later versions of Windows")
      .append(kCrLf2);
  text.append(
      "VantrelTIFFReader is part of the Vantrel family of software, a large package developed at "
      "the Vantrel Institute of Experimental Science for collecting and analysing experimental "
      "data. ");
  text.append(
      "Visit the Department of Imaging Science website, https://imaging.example.org, for more "
      "information on the Vantrel software family and the research programmes that go with it.");
  text.append(kCrLf2);
  text.append("2004 A. Vantrel, a.vantrel@example.org");
  return text;
}

void form2_load(Toolkit& tk) {
  writehelp(tk);
}

void TabStrip1_Click(App& app) {
  const int tab = app.tk.selected_tab();
  if (tab == kTabHelp) {
    writehelp(app.tk);
  } else if (tab == kTabClose) {
    app.tk.hide_help_window();
  } else if (tab == kTabPrint) {
    // The help window has no message area of its own: a failure goes to the main one.
    const std::string failure = app.tk.print_help_text();
    if (!failure.empty()) addmessage(app, "[error] help print failed - " + failure);
  } else if (tab == kTabAbout) {
    writeabout(app.tk);
  }
}

std::int16_t writehelp(Toolkit& tk) {
  tk.set_help_text(helptext());
  return 0;
}

std::int16_t writeabout(Toolkit& tk) {
  tk.set_help_text(abouttext());
  return 0;
}

}  // namespace vtr
