// One IFD entry and the ways a tag's value is taken from it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tiff/header_fault.h"
#include "tiff/header_parse.h"

namespace vtr {

// A 12-byte IFD entry: tag, field type and count assembled under the file's byte order; the
// value field kept as its four bytes, assembled only in the way the tag's rule takes it.
struct IfdEntry {
  std::int32_t tag = 0;
  std::int32_t fieldtype = 0;
  std::int32_t count = 0;
  std::array<std::uint8_t, 4> value{};
};

inline constexpr std::int32_t kTypeShort = 3;

// The 16-bit signed conversion: false when `v` is outside -32768..32767.
bool to16(std::int32_t v, std::int16_t& out);

// The SHORT in the first two bytes of the value field.
std::int32_t inentryshort(const HeaderParse& parse, const IfdEntry& e);
// The value field as one LONG (`valueoffset`); 0 when it does not fit in 31 bits, which the
// parse notes in `valuefieldtoobig` so that the walk writes the line ahead of the entry's own.
std::int32_t inentrylong(HeaderParse& parse, const IfdEntry& e);
// The in-entry SHORT for field type 3, else the in-entry LONG.
std::int32_t inentrybytype(HeaderParse& parse, const IfdEntry& e);

// The count of a walked list under the 16-bit signed conversion; false when it is too big.
bool listcount(const IfdEntry& e, std::int32_t& n);

// The size in bytes of one value of TIFF field type `fieldtype`; 0 for a type TIFF does not
// define.
std::int32_t typesize(std::int32_t fieldtype);

// True when the entry's `n` values stand in its own value field, as TIFF stores any values
// that fit in four bytes: count x the field type's own size <= 4. `size`, the bytes a value
// is read with, must fit there too. A type TIFF does not define never fits.
bool fitsinentry(const IfdEntry& e, std::int32_t n, std::int32_t size);

// Puts in `bytes` the bytes of the first `wanted` of `n` values of `size` bytes each: the
// value field's own bytes when the values fit there (fitsinentry), else those at the value
// offset, read at once. Fewer bytes come back when the file (or the 31-bit offset range) ends
// first. values_used_up, and no bytes, when they would take the parse past kMaxHeaderValues.
HeaderFault listbytes(HeaderParse& parse, const IfdEntry& e, std::int32_t n, std::int32_t wanted,
                      std::int32_t size, std::vector<std::uint8_t>& bytes);

}  // namespace vtr
