#include "tiff/tag_values.h"

#include "tiff/byteorder.h"
#include "ui/app.h"

namespace vtr {

bool to16(std::int32_t v, std::int16_t& out) {
  if (v < -32768 || v > 32767) return false;
  out = static_cast<std::int16_t>(v);
  return true;
}

std::int32_t inentryshort(const App& app, const IfdEntry& e) {
  return makeshort(app, e.value[0], e.value[1]);
}

std::int32_t inentrylong(App& app, const IfdEntry& e) {
  return makelong(app, e.value[0], e.value[1], e.value[2], e.value[3]);
}

std::int32_t inentrybytype(App& app, const IfdEntry& e) {
  return e.fieldtype == kTypeShort ? inentryshort(app, e) : inentrylong(app, e);
}

bool listcount(const IfdEntry& e, std::int32_t& n) {
  std::int16_t c = 0;
  if (!to16(e.count, c)) return false;
  n = c;
  return true;
}

bool fitsinentry(std::int32_t n, std::int32_t size) {
  return std::int64_t{n} * size <= static_cast<std::int64_t>(sizeof(IfdEntry::value));
}

std::int32_t entryvalue(App& app, const IfdEntry& e, bool shorts, std::int32_t i) {
  if (!shorts) return inentrylong(app, e);
  const std::size_t at = 2 * static_cast<std::size_t>(i - 1);
  return makeshort(app, e.value[at], e.value[at + 1]);
}

bool arrayvalue(App& app, std::int64_t base, bool shorts, std::int32_t i, std::int16_t p,
                std::int32_t& v) {
  const std::int64_t step = shorts ? 2 : 4;
  const std::int64_t at = base + step * (static_cast<std::int64_t>(i) - 1);
  return shorts ? getshort(app, at, p, v) : getlong(app, at, p, v);
}

}  // namespace vtr
