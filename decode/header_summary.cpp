#include "decode/header_summary.h"

#include <cstdint>
#include <optional>
#include <string>

#include "core/numtext.h"
#include "core/toolkit.h"

namespace vtr {

namespace {

std::string numberbox(const std::optional<std::int16_t>& v) {
  return v ? numtext(*v) : std::string();
}

}  // namespace

void show_summary(Toolkit& tk, const HeaderSummary& summary) {
  tk.set_text(TextBox::image_bitspersample, numberbox(summary.bitspersample));
  tk.set_text(TextBox::image_type,
              summary.photometric ? std::string(imagetype(*summary.photometric)) : std::string());
  tk.set_text(TextBox::image_length, numberbox(summary.length));
  tk.set_text(TextBox::image_width, numberbox(summary.width));
  tk.set_text(TextBox::image_date, summary.date.value_or(std::string()));
}

}  // namespace vtr
