// Placeholder until the read-out lands.
#include "display/readout.h"
namespace vtr {
void picture1_mousedown(App&, int, int, float, float) {}
}  // namespace vtr
