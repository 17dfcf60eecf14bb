// One IFD entry and the ways a tag's value is taken from it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace vtr {

struct App;

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
std::int32_t inentryshort(const App& app, const IfdEntry& e);
// The value field as one LONG (`valueoffset`); 0 with "[error] problem making long" when it
// does not fit in 31 bits.
std::int32_t inentrylong(App& app, const IfdEntry& e);
// The in-entry SHORT for field type 3, else the in-entry LONG.
std::int32_t inentrybytype(App& app, const IfdEntry& e);

// The count of a walked list under the 16-bit signed conversion; false when it is too big.
bool listcount(const IfdEntry& e, std::int32_t& n);

// True when `n` values of `size` bytes stand in the entry's own value field, as TIFF stores
// any values that fit in four bytes.
bool fitsinentry(std::int32_t n, std::int32_t size);

// The bytes of the first `take` of `n` values of `size` bytes each: the value field's own
// bytes when all `n` fit there, else those at the value offset in file `p`, read at once.
// Fewer bytes come back when the file (or the 31-bit offset range) ends first.
std::vector<std::uint8_t> listbytes(App& app, const IfdEntry& e, std::int16_t p, std::int32_t n,
                                    std::int32_t take, std::int32_t size);

// The header dump is written only while showtext is on; long lists skip building its lines.
bool dumping(const App& app);

}  // namespace vtr
