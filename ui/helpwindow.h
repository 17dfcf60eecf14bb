// The help and about window.
#pragma once

#include <cstdint>
#include <string>

namespace vtr {

struct App;
class Toolkit;

// The help window shares no data with the main window: it is reached only through the
// toolkit. A print failure of a tab pick goes to the main window's message area.

// Runs once, when the help window is first created: shows the help text.
void form2_load(Toolkit& tk);
// A tab pick: Help, Close, Print and About, tested in that order.
void TabStrip1_Click(App& app);
// Put the help text, and the about text, in the help window's box.
std::int16_t writehelp(Toolkit& tk);
std::int16_t writeabout(Toolkit& tk);

// The texts the two procedures put in the box.
std::string helptext();
std::string abouttext();

}  // namespace vtr
