#include "tiff/byteorder.h"

#include "tiff/header_fault.h"

namespace vtr {

std::int16_t getbyteorder(HeaderParse& parse, std::uint8_t a, std::uint8_t b) {
  if (a == 'I' && b == 'I') {
    parse.lines.dump("II mode least to most byte order");
    parse.header.mmorder = kFalse;
    return 0;
  }
  if (a == 'M' && b == 'M') {
    parse.header.mmorder = kTrue;
    parse.lines.dump("MM mode most to least byte order");
    return 0;
  }
  parse.lines.error(faulttext(HeaderFault::unknown_byte_order));
  return 1;
}

std::int32_t makeshort(const HeaderParse& parse, std::uint8_t b1, std::uint8_t b2) {
  if (parse.mmorder()) return b1 * 256 + b2;
  return b2 * 256 + b1;
}

std::int32_t makelong(HeaderParse& parse, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                      std::uint8_t b4) {
  const std::uint8_t bytes[4] = {b1, b2, b3, b4};
  const std::uint32_t v = makeulong(parse, bytes);
  if (v > 0x7FFFFFFFu) {
    parse.lines.error(kLongTooBig);
    return 0;
  }
  return static_cast<std::int32_t>(v);
}

std::uint32_t makeulong(const HeaderParse& parse, const std::uint8_t* b) {
  if (parse.mmorder()) {
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
           b[3];
  }
  return (std::uint32_t{b[3]} << 24) | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[1]} << 8) |
         b[0];
}

bool readbytes(const HeaderParse& parse, std::int64_t jp, std::uint8_t* out, std::size_t count) {
  if (jp < 0 || jp > kMaxOffset) return false;
  if (count > 0 && static_cast<std::int64_t>(count - 1) > kMaxOffset - jp) return false;
  if (parse.file == nullptr) return false;
  return parse.file->read(static_cast<std::uint64_t>(jp), out, count);
}

std::size_t readsome(const HeaderParse& parse, std::int64_t jp, std::uint8_t* out,
                     std::size_t count) {
  if (jp < 0 || jp > kMaxOffset) return 0;
  const auto room = static_cast<std::uint64_t>(kMaxOffset - jp) + 1;
  if (count > room) count = static_cast<std::size_t>(room);
  if (parse.file == nullptr) return 0;
  return parse.file->read_some(static_cast<std::uint64_t>(jp), out, count);
}

bool getshort(const HeaderParse& parse, std::int64_t jp, std::int32_t& value) {
  std::uint8_t b[2];
  if (!readbytes(parse, jp, b, 2)) return false;
  value = makeshort(parse, b[0], b[1]);
  return true;
}

bool getlong(HeaderParse& parse, std::int64_t jp, std::int32_t& value) {
  std::uint8_t b[4];
  if (!readbytes(parse, jp, b, 4)) return false;
  value = makelong(parse, b[0], b[1], b[2], b[3]);
  return true;
}

}  // namespace vtr
