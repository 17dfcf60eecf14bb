// Placeholder until the load driver lands.
#include "decode/readfile.h"
namespace vtr {
void getimage_button_Click(App&) {}
void getheader_button_Click(App&) {}
std::int16_t readfile(App&, std::int16_t) { return 0; }
std::int16_t getunitnumber(App&) { return 0; }
}  // namespace vtr
