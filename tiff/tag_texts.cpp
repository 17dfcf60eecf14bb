// XResolution, YResolution, ImageDescription, Software and DateTime: a rational or a text
// read from the value offset.
#include <algorithm>
#include <string>
#include <vector>

#include "core/numtext.h"
#include "tiff/byteorder.h"
#include "tiff/tag_lists.h"

namespace vtr {

namespace {

constexpr std::size_t kDateLength = 20;

// A text's bytes up to its first zero byte.
std::string upto_zero(const std::uint8_t* bytes, std::size_t n) {
  const std::uint8_t* end = std::find(bytes, bytes + n, std::uint8_t{0});
  return {bytes, end};
}

}  // namespace

HeaderFault resolutiontag(HeaderParse& parse, const IfdEntry& e, double& field,
                          std::string_view label) {
  // A RATIONAL is two unsigned LONGs: writers use the whole 32 bits (28.34 is often
  // 4294967295 / 151551421).
  std::uint8_t b[8];
  if (!readbytes(parse, inentrylong(parse, e), b, sizeof b)) return HeaderFault::values_past_end;
  const std::uint32_t numerator = makeulong(parse, b);
  const std::uint32_t denominator = makeulong(parse, b + 4);
  if (denominator == 0) return HeaderFault::zero_denominator;
  field = static_cast<double>(numerator) / static_cast<double>(denominator);
  parse.lines.dump(std::string(label) + numtext(field));
  return HeaderFault::none;
}

HeaderFault softwaretag(HeaderParse& parse, const IfdEntry& e) {
  std::int32_t n = 0;
  if (!listcount(e, n)) return HeaderFault::list_count_too_big;
  // Each Software entry gives the whole text, so a repeated tag cannot pile text up.
  std::string& text = parse.header.software;
  text.clear();
  std::vector<std::uint8_t> bytes;
  if (const HeaderFault f = listbytes(parse, e, n, n, 1, bytes); f != HeaderFault::none) return f;
  for (std::uint8_t c : bytes) {
    if (c == 0) continue;
    if (c < 32 || c > 126) {
      if (parse.lines.dumpshown()) {
        parse.lines.dump("[error] unprintable character replaced in software tag ascii=" +
                         numtext(int{c}));
      }
      c = ' ';
    }
    text.push_back(static_cast<char>(c));
  }
  if (parse.texts != nullptr) parse.texts->software = upto_zero(bytes.data(), bytes.size());
  // The bytes the file has are taken; one that lies beyond its end is a fault.
  if (bytes.size() < static_cast<std::size_t>(n)) return HeaderFault::values_past_end;
  if (parse.lines.dumpshown()) parse.lines.dump("Software " + text);
  return HeaderFault::none;
}

void keepdescription(const HeaderParse& parse, const IfdEntry& e) {
  if (parse.texts == nullptr) return;
  const auto n = static_cast<std::size_t>(std::max(e.count, 0));
  if (fitsinentry(e, e.count, 1)) {
    parse.texts->description = upto_zero(e.value.data(), n);
    return;
  }
  // Never more than the file holds, nor than the kept maximum.
  const std::uint64_t size = parse.file != nullptr ? parse.file->size() : 0;
  std::vector<std::uint8_t> bytes(std::min<std::uint64_t>({n, size, kMaxKeptText}));
  bytes.resize(readsome(parse, makeulong(parse, e.value.data()), bytes.data(), bytes.size()));
  parse.texts->description = upto_zero(bytes.data(), bytes.size());
}

HeaderFault datetag(HeaderParse& parse, const IfdEntry& e) {
  char bytes[kDateLength];
  if (!readbytes(parse, inentrylong(parse, e), reinterpret_cast<std::uint8_t*>(bytes),
                 kDateLength)) {
    return HeaderFault::values_past_end;
  }
  parse.header.imagedate.assign(bytes, kDateLength);
  // A conforming date ends in a zero byte: the text shown stops there.
  const std::string shown = parse.header.imagedate.substr(0, parse.header.imagedate.find('\0'));
  parse.lines.dump("image date " + shown);
  parse.summary.date = shown;
  return HeaderFault::none;
}

}  // namespace vtr
