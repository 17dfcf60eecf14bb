#include "tiff/tag_values.h"

#include <algorithm>
#include <iterator>

#include "tiff/byteorder.h"

namespace vtr {

bool to16(std::int32_t v, std::int16_t& out) {
  if (v < -32768 || v > 32767) return false;
  out = static_cast<std::int16_t>(v);
  return true;
}

std::int32_t inentryshort(const HeaderParse& parse, const IfdEntry& e) {
  return makeshort(parse, e.value[0], e.value[1]);
}

std::int32_t inentrylong(HeaderParse& parse, const IfdEntry& e) {
  const std::uint32_t v = makeulong(parse, e.value.data());
  if (v > static_cast<std::uint32_t>(kMaxOffset)) {
    parse.valuefieldtoobig = true;
    return 0;
  }
  return static_cast<std::int32_t>(v);
}

std::int32_t inentrybytype(HeaderParse& parse, const IfdEntry& e) {
  return e.fieldtype == kTypeShort ? inentryshort(parse, e) : inentrylong(parse, e);
}

bool listcount(const IfdEntry& e, std::int32_t& n) {
  std::int16_t c = 0;
  if (!to16(e.count, c)) return false;
  n = c;
  return true;
}

std::int32_t typesize(std::int32_t fieldtype) {
  // BYTE, ASCII, SHORT, LONG, RATIONAL, SBYTE, UNDEFINED, SSHORT, SLONG, SRATIONAL, FLOAT,
  // DOUBLE.
  constexpr std::int32_t kSizes[] = {1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  if (fieldtype < 1 || fieldtype > static_cast<std::int32_t>(std::size(kSizes))) return 0;
  return kSizes[fieldtype - 1];
}

bool fitsinentry(const IfdEntry& e, std::int32_t n, std::int32_t size) {
  constexpr auto kField = static_cast<std::int64_t>(sizeof(IfdEntry::value));
  const std::int32_t own = typesize(e.fieldtype);
  return own > 0 && std::int64_t{n} * own <= kField && std::int64_t{n} * size <= kField;
}

HeaderFault listbytes(HeaderParse& parse, const IfdEntry& e, std::int32_t n, std::int32_t wanted,
                      std::int32_t size, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  wanted = std::min(wanted, n);
  if (wanted < 1) return HeaderFault::none;
  if (wanted > kMaxHeaderValues - parse.valuesread) {
    parse.valuesread = kMaxHeaderValues;
    return HeaderFault::values_used_up;
  }
  parse.valuesread += wanted;
  if (fitsinentry(e, n, size)) {
    bytes.assign(e.value.begin(), e.value.begin() + static_cast<std::ptrdiff_t>(wanted) * size);
    return HeaderFault::none;
  }
  bytes.resize(static_cast<std::size_t>(wanted) * static_cast<std::size_t>(size));
  bytes.resize(readsome(parse, inentrylong(parse, e), bytes.data(), bytes.size()));
  return HeaderFault::none;
}

}  // namespace vtr
