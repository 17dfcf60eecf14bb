#include "tiff/getheader.h"

#include <string>

#include "tiff/byteorder.h"
#include "tiff/tags.h"
#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"

namespace vtr {

namespace {

constexpr std::int16_t kTiffNumber = 42;
constexpr std::int64_t kEntrySize = 12;

// Any fault ends the parse here: the header is not usable.
std::int16_t failure(App& app) {
  addmessage(app, "[error] Problem in reading TIFF header");
  app.header.headervalid = kFalse;
  return 0;
}

std::int64_t entryoffset(const ImageHeader& h, std::int64_t k) {
  return std::int64_t{h.ifdpointer} + 2 + kEntrySize * (k - 1);
}

bool readentry(App& app, std::int64_t at, std::int16_t p, IfdEntry& e) {
  std::uint8_t b[kEntrySize];
  if (!readbytes(app, at, p, b, sizeof b)) return false;
  e.tag = makeshort(app, b[0], b[1]);
  e.fieldtype = makeshort(app, b[2], b[3]);
  e.count = makelong(app, b[4], b[5], b[6], b[7]);
  e.value = {b[8], b[9], b[10], b[11]};
  return true;
}

// Walks the entries of the first IFD: 0 to go on, 1 or 2 for a rejected image, -1 on a fault.
int walkentries(App& app, std::int16_t p) {
  const ImageHeader& h = app.header;
  for (std::int64_t k = 1; k <= h.ifdentries; ++k) {
    IfdEntry e;
    if (!readentry(app, entryoffset(h, k), p, e)) return -1;
    switch (interprettag(app, e, p)) {
      case TagOutcome::go_on:
        break;
      case TagOutcome::reject_compression:
        return 1;
      case TagOutcome::reject_photometric:
        return 2;
      case TagOutcome::fault:
        return -1;
    }
  }
  return 0;
}

// The next-IFD offset after the entries: a second IFD is refused.
bool nextifd(App& app, std::int16_t p) {
  dt(app, "Next IFD");
  std::uint8_t b[4];
  if (!readbytes(app, entryoffset(app.header, app.header.ifdentries + 1), p, b, sizeof b)) {
    return false;
  }
  const std::uint32_t next = makeulong(app, b);
  dt(app, "Next header offset " + numtext(next));
  if (next != 0) {
    addmessage(app, "[error] cannot handle multiple IFDs");
    app.header.headervalid = kFalse;
  } else {
    dt(app, "IFDs terminated");
  }
  return true;
}

}  // namespace

std::int16_t getheader(App& app, std::int16_t p) {
  ImageHeader& h = app.header;
  dt(app, "Header contents");
  h.software.clear();
  h.stripoffsetcount = 0;
  h.valuesread = 0;

  std::uint8_t b[8];
  if (!readbytes(app, 0, p, b, sizeof b)) return failure(app);
  if (getbyteorder(app, b[0], b[1]) != 0) {
    h.headervalid = kFalse;
    return 1;
  }
  std::int16_t number = 0;
  if (!to16(makeshort(app, b[2], b[3]), number)) return failure(app);
  if (number != kTiffNumber) {
    addmessage(app, "[error] not a TIFF File");
    h.headervalid = kFalse;
    return 1;
  }
  h.headervalid = kTrue;

  h.ifdpointer = makelong(app, b[4], b[5], b[6], b[7]);
  dt(app, "IFD pointer" + numtext(h.ifdpointer));
  std::int32_t entries = 0;
  if (!getshort(app, h.ifdpointer, p, entries) || !to16(entries, h.ifdentries)) {
    return failure(app);
  }
  dt(app, "IFD entries" + numtext(h.ifdentries));

  const int walked = walkentries(app, p);
  if (walked < 0) return failure(app);
  if (walked > 0) return static_cast<std::int16_t>(walked);
  if (!nextifd(app, p)) return failure(app);
  dt(app, "End of header contents");
  return 0;
}

}  // namespace vtr
