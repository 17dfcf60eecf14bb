// The get-image and get-header commands and the load driver.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/decoders.h"

namespace vtr {

// How a load or a header read ended.
enum class LoadEnd {
  busy,         // refused with "[error] busy"
  not_opened,   // the file could not be opened (its line written)
  stopped,      // the program was told to end meanwhile
  refused,      // the header or the image was refused (its lines written)
  header_read,  // a header-only read of a header that was accepted
  loaded,       // the image was read and painted
};

void getimage_button_Click(App& app);
void getheader_button_Click(App& app);
// mode 0: full load; 1 or more: header only. Always 0.
std::int16_t readfile(App& app, std::int16_t mode);
// Runs `decoder` on the open file `p`, showing its progress with one event pass per row, then
// finishes the load: the chart, "imagefile read" where the layout reports it, the task time,
// one event pass, the paint. Always 0.
std::int16_t loadimage(App& app, std::int16_t p, Decoder decoder);
// loadimage, saying how it ended: loaded once the paint is done.
LoadEnd finishload(App& app, std::int16_t p, Decoder decoder);
// Asks for a file and opens it; its file number, or 0 with "Get Image cancelled" written (after
// a line saying why, when the file named could not be opened).
std::int16_t getunitnumber(App& app);

// Get image with the file already named (the command line, a drop): the busy protocol, the
// lines and the errors of a get-image click whose dialog answered `path`, except that a file
// that cannot be opened gets only its error line, not "Get Image cancelled".
LoadEnd openfile(App& app, const std::string& path);
// Get header with the file already named: the busy protocol and the lines of a get-header
// click whose dialog answered `path`, except that a file that cannot be opened gets only its
// error line. header_read when the header was accepted.
LoadEnd openheader(App& app, const std::string& path);
// Several files named at once: the first is opened as by openfile, and one line says how
// many were not. Refused as a whole with "[error] busy" while a task runs.
void openfiles(App& app, const std::vector<std::string>& paths);

}  // namespace vtr
