// Placeholder until the byte-order code lands.
#include "tiff/byteorder.h"
namespace vtr {
std::int16_t getbyteorder(App&, std::uint8_t, std::uint8_t) { return 1; }
std::int32_t makeshort(const App&, std::uint8_t, std::uint8_t) { return 0; }
std::int32_t makelong(App&, std::uint8_t, std::uint8_t, std::uint8_t, std::uint8_t) { return 0; }
bool getshort(App&, std::int64_t, std::int16_t, std::int32_t&) { return false; }
bool getlong(App&, std::int64_t, std::int16_t, std::int32_t&) { return false; }
}  // namespace vtr
