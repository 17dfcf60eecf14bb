// The get-image and get-header commands and the load driver.
#pragma once

#include <cstdint>

namespace vtr {

struct App;

void getimage_button_Click(App& app);
void getheader_button_Click(App& app);
// mode 0: full load; 1 or more: header only. Always 0.
std::int16_t readfile(App& app, std::int16_t mode);
// Asks for a file and opens it; its file number, or 0 ("Get Image cancelled" written).
std::int16_t getunitnumber(App& app);

}  // namespace vtr
