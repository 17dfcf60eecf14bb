// The help and about window.
#pragma once

#include <cstdint>
#include <string>

namespace vtr {

struct App;

// Runs once, when the help window is first created: shows the help text.
void form2_load(App& app);
// A tab pick: Help, Close, Print and About, tested in that order.
void TabStrip1_Click(App& app);
std::int16_t writehelp(App& app);
std::int16_t writeabout(App& app);

// The texts the two procedures put in the box.
std::string helptext();
std::string abouttext();

}  // namespace vtr
