#include "decode/getheader.h"

#include "core/app.h"

namespace vtr {

HeaderResult getheader(App& app, std::int16_t p) {
  HeaderParse parse{app.header, app.files.get(p), app.lines};
  const HeaderResult result = parseheader(parse);
  // A refused compression or photometric setting leaves the flag to the load driver.
  const bool valid = result.accepted() || result.fault == HeaderFault::compression ||
                     result.fault == HeaderFault::photometric;
  app.header.headervalid = valid ? kTrue : kFalse;
  return result;
}

}  // namespace vtr
