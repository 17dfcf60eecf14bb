#include "tiff/byteorder.h"

#include "core/app.h"
#include "core/messages.h"

namespace vtr {

std::int16_t getbyteorder(App& app, std::uint8_t a, std::uint8_t b) {
  if (a == 'I' && b == 'I') {
    dt(app, "II mode least to most byte order");
    app.header.mmorder = kFalse;
    return 0;
  }
  if (a == 'M' && b == 'M') {
    app.header.mmorder = kTrue;
    dt(app, "MM mode most to least byte order");
    return 0;
  }
  addmessage(app, "[error] unknown byte order mode - cannot read file");
  return 1;
}

std::int32_t makeshort(const App& app, std::uint8_t b1, std::uint8_t b2) {
  if (app.header.mmorder == kTrue) return b1 * 256 + b2;
  return b2 * 256 + b1;
}

std::int32_t makelong(App& app, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                      std::uint8_t b4) {
  const std::uint8_t bytes[4] = {b1, b2, b3, b4};
  const std::uint32_t v = makeulong(app, bytes);
  if (v > 0x7FFFFFFFu) {
    addmessage(app, "[error] problem making long");
    return 0;
  }
  return static_cast<std::int32_t>(v);
}

std::uint32_t makeulong(const App& app, const std::uint8_t* b) {
  if (app.header.mmorder == kTrue) {
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
           b[3];
  }
  return (std::uint32_t{b[3]} << 24) | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[1]} << 8) |
         b[0];
}

bool readbytes(const App& app, std::int64_t jp, std::int16_t p, std::uint8_t* out,
               std::size_t count) {
  if (jp < 0 || jp > kMaxOffset) return false;
  if (count > 0 && static_cast<std::int64_t>(count - 1) > kMaxOffset - jp) return false;
  const ImageFile* file = app.files.get(p);
  if (file == nullptr) return false;
  return file->read(static_cast<std::uint64_t>(jp), out, count);
}

std::size_t readsome(const App& app, std::int64_t jp, std::int16_t p, std::uint8_t* out,
                     std::size_t count) {
  if (jp < 0 || jp > kMaxOffset) return 0;
  const auto room = static_cast<std::uint64_t>(kMaxOffset - jp) + 1;
  if (count > room) count = static_cast<std::size_t>(room);
  const ImageFile* file = app.files.get(p);
  if (file == nullptr) return 0;
  return file->read_some(static_cast<std::uint64_t>(jp), out, count);
}

bool getshort(App& app, std::int64_t jp, std::int16_t p, std::int32_t& value) {
  std::uint8_t b[2];
  if (!readbytes(app, jp, p, b, 2)) return false;
  value = makeshort(app, b[0], b[1]);
  return true;
}

bool getlong(App& app, std::int64_t jp, std::int16_t p, std::int32_t& value) {
  std::uint8_t b[4];
  if (!readbytes(app, jp, p, b, 4)) return false;
  value = makelong(app, b[0], b[1], b[2], b[3]);
  return true;
}

}  // namespace vtr
