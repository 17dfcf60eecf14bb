// The help and about window.
#pragma once

#include <cstdint>

namespace vtr {

struct App;

void form2_load(App& app);
void TabStrip1_Click(App& app);
std::int16_t writehelp(App& app);
std::int16_t writeabout(App& app);

}  // namespace vtr
