// Placeholder until the help window lands.
#include "ui/helpwindow.h"
namespace vtr {
void form2_load(App&) {}
void TabStrip1_Click(App&) {}
std::int16_t writehelp(App&) { return 0; }
std::int16_t writeabout(App&) { return 0; }
}  // namespace vtr
