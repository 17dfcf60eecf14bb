// XResolution, YResolution, Software and DateTime: a rational or a text read from the value offset.
#include <string>
#include <vector>

#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "tiff/byteorder.h"
#include "tiff/tag_lists.h"

namespace vtr {

namespace {
constexpr std::size_t kDateLength = 20;
}

TagOutcome resolutiontag(App& app, const IfdEntry& e, std::int16_t p, double& field,
                         std::string_view label) {
  // A RATIONAL is two unsigned LONGs: writers use the whole 32 bits (28.34 is often
  // 4294967295 / 151551421).
  std::uint8_t b[8];
  if (!readbytes(app, inentrylong(app, e), p, b, sizeof b)) return TagOutcome::fault;
  const std::uint32_t numerator = makeulong(app, b);
  const std::uint32_t denominator = makeulong(app, b + 4);
  if (denominator == 0) return TagOutcome::fault;
  field = static_cast<double>(numerator) / static_cast<double>(denominator);
  dt(app, std::string(label) + numtext(field));
  return TagOutcome::go_on;
}

TagOutcome softwaretag(App& app, const IfdEntry& e, std::int16_t p) {
  std::int32_t n = 0;
  if (!listcount(e, n)) return TagOutcome::fault;
  // Each Software entry gives the whole text, so a repeated tag cannot pile text up.
  std::string& text = app.header.software;
  text.clear();
  const std::vector<std::uint8_t> bytes = listbytes(app, e, p, n, n, 1);
  for (std::uint8_t c : bytes) {
    if (c == 0) continue;
    if (c < 32 || c > 126) {
      if (dumping(app)) {
        dt(app, "[error] unprintable character replaced in software tag ascii=" + numtext(int{c}));
      }
      c = ' ';
    }
    text.push_back(static_cast<char>(c));
  }
  // The bytes the file has are taken; one that lies beyond its end is a fault.
  if (bytes.size() < static_cast<std::size_t>(n)) return TagOutcome::fault;
  if (dumping(app)) dt(app, "Software " + text);
  return TagOutcome::go_on;
}

TagOutcome datetag(App& app, const IfdEntry& e, std::int16_t p) {
  char bytes[kDateLength];
  if (!readbytes(app, inentrylong(app, e), p, reinterpret_cast<std::uint8_t*>(bytes),
                 kDateLength)) {
    return TagOutcome::fault;
  }
  app.header.imagedate.assign(bytes, kDateLength);
  // A conforming date ends in a zero byte: the text shown stops there.
  const std::string shown = app.header.imagedate.substr(0, app.header.imagedate.find('\0'));
  dt(app, "image date " + shown);
  app.tk.set_text(TextBox::image_date, shown);
  return TagOutcome::go_on;
}

}  // namespace vtr
