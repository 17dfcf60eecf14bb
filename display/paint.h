// The half-scale 8-bit picture and the refresh command.
#pragma once

#include <cstdint>

namespace vtr {

struct App;

std::int16_t paintimage(App& app);
void refresh_button_Click(App& app);

}  // namespace vtr
