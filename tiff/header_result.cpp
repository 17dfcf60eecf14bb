#include "tiff/header_result.h"

namespace vtr {

bool HeaderResult::rejected() const {
  switch (fault) {
    case HeaderFault::unknown_byte_order:
    case HeaderFault::not_tiff:
    case HeaderFault::compression:
    case HeaderFault::photometric:
      return true;
    default:
      return false;
  }
}

std::string_view imagetype(std::int16_t photometric) {
  switch (photometric) {
    case 0:
      return "grayscale (white=0)";
    case 1:
      return "grayscale (black=0)";
    case 2:
      return "RGB";
    default:
      return "invalid";
  }
}

}  // namespace vtr
