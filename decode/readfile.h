// The get-image and get-header commands and the load driver.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "decode/decoders.h"

namespace vtr {

void getimage_button_Click(App& app);
void getheader_button_Click(App& app);
// mode 0: full load; 1 or more: header only. Always 0.
std::int16_t readfile(App& app, std::int16_t mode);
// Asks for a file and opens it; its file number, or 0 with "Get Image cancelled" written (after
// a line saying why, when the file named could not be opened).
std::int16_t getunitnumber(App& app);

// Get image (mode 0) or get header (mode 1 or more) with the files already named (the command
// line, a drop): the busy protocol, the lines and the errors of a click whose dialog answered
// the first path, except that a file that cannot be opened gets only its error line, not "Get
// Image cancelled"; then one line says how many more were named and not opened. Refused as a
// whole with "[error] busy" while a task runs. How the first file's load or header read ended
// (header_read when its header was accepted); not_opened when no path is named.
LoadEnd openfiles(App& app, const std::vector<std::string>& paths, std::int16_t mode);

}  // namespace vtr
