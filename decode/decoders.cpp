// Placeholder until the decoders land.
#include "decode/decoders.h"
namespace vtr {
std::int16_t getimagegray8(App&, std::int16_t) { return 0; }
std::int16_t getimagegray12(App&, std::int16_t) { return 0; }
std::int16_t getimagegray16(App&, std::int16_t) { return 0; }
std::int16_t getimagergb8(App&, std::int16_t) { return 0; }
}  // namespace vtr
