// The get-image and get-header commands and the load driver.
#pragma once

#include <cstdint>

#include "decode/decoders.h"

namespace vtr {

void getimage_button_Click(App& app);
void getheader_button_Click(App& app);
// mode 0: full load; 1 or more: header only. Always 0.
std::int16_t readfile(App& app, std::int16_t mode);
// Runs `decoder` on the open file `p`, showing its progress with one event pass per row, then
// finishes the load: the chart, "imagefile read" where the layout reports it, the task time,
// one event pass, the paint. Always 0.
std::int16_t loadimage(App& app, std::int16_t p, Decoder decoder);
// Asks for a file and opens it; its file number, or 0 ("Get Image cancelled" written).
std::int16_t getunitnumber(App& app);

}  // namespace vtr
