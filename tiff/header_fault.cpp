#include "tiff/header_fault.h"

namespace vtr {

std::string_view faulttext(HeaderFault fault) {
  switch (fault) {
    case HeaderFault::none:
      return {};
    case HeaderFault::unknown_byte_order:
      return "[error] unknown byte order mode - cannot read file";
    case HeaderFault::not_tiff:
      return "[error] not a TIFF File";
    case HeaderFault::compression:
      return "[error] cannot deal with this compression format";
    case HeaderFault::photometric:
      return "[error]invalid photometric setting";
    case HeaderFault::multiple_ifds:
      return "[error] cannot handle multiple IFDs";
    default:
      break;
  }
  return "[error] Problem in reading TIFF header";
}

}  // namespace vtr
