#include "tiff/tag_values.h"

#include <algorithm>

#include "tiff/byteorder.h"
#include "core/app.h"

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

std::vector<std::uint8_t> listbytes(App& app, const IfdEntry& e, std::int16_t p, std::int32_t n,
                                    std::int32_t take, std::int32_t size) {
  take = std::min(take, n);
  if (take < 1) return {};
  ImageHeader& h = app.header;
  if (take > kMaxHeaderValues - h.valuesread) {
    h.valuesread = kMaxHeaderValues;
    return {};
  }
  h.valuesread += take;
  if (fitsinentry(n, size)) {
    return {e.value.begin(), e.value.begin() + static_cast<std::ptrdiff_t>(take) * size};
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(take) * static_cast<std::size_t>(size));
  bytes.resize(readsome(app, inentrylong(app, e), p, bytes.data(), bytes.size()));
  return bytes;
}

bool dumping(const App& app) {
  return app.showtext == kTrue;
}

}  // namespace vtr
