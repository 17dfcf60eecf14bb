// Placeholder until the intensity controls land.
#include "display/intensity.h"
namespace vtr {
std::int16_t invertimage(App&) { return 0; }
std::int16_t fullrange(App&) { return 0; }
std::int16_t bestfit(App&) { return 0; }
void imageinvert_Click(App&) {}
void Command7_Click(App&) {}
void Command8_Click(App&) {}
void Command9_Click(App&) {}
}  // namespace vtr
