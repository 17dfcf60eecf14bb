#include "ui/file_info.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "core/flags.h"
#include "core/pixel_store.h"
#include "core/worker_pool.h"
#include "decode/decoders.h"
#include "decode/store_memory.h"
#include "ui/command_line.h"

namespace vtr {

namespace {

using Json = nlohmann::ordered_json;

// The length of the well-formed UTF-8 sequence that `s` starts with (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0.
std::size_t utf8_sequence(std::string_view s) {
  const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char first = byte(0);
  if (first < 0x80) return 1;
  std::size_t n = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) {
    n = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    n = 3;
    low = first == 0xE0 ? 0xA0 : low;
    high = first == 0xED ? 0x9F : high;
  } else if (first >= 0xF0 && first <= 0xF4) {
    n = 4;
    low = first == 0xF0 ? 0x90 : low;
    high = first == 0xF4 ? 0x8F : high;
  }
  if (n == 0 || s.size() < n || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < n; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return n;
}

bool valid_utf8(std::string_view s) {
  while (!s.empty()) {
    const std::size_t n = utf8_sequence(s);
    if (n == 0) return false;
    s.remove_prefix(n);
  }
  return true;
}

Json text(const std::optional<std::string>& bytes) {
  return bytes ? Json(as_utf8(*bytes)) : Json(nullptr);
}

Json report_object(const FileReport& r) {
  const ImageHeader& h = r.header;
  const bool tiff = reached_ifd(r);
  const auto field = [tiff](auto v) { return tiff ? Json(v) : Json(nullptr); };
  const bool sized = tiff && h.imagewidth >= 0 && h.imagelength >= 0;
  Json o;
  o["path"] = as_utf8(r.path);
  o["byte_order"] = tiff ? Json(h.mmorder == kTrue ? "MM" : "II") : Json(nullptr);
  o["width"] = field(h.imagewidth);
  o["length"] = field(h.imagelength);
  o["bits_per_sample"] = field(h.bitspersample[1]);
  o["photometric"] = field(h.photometric);
  o["compression"] = field(h.compression);
  o["strips"] = field(h.stripoffsetcount);
  o["rows_per_strip"] = field(h.rowsperstrip);
  o["image_description"] = text(r.texts.description);
  o["software"] = text(r.texts.software);
  o["date_time"] = text(r.result.summary.date);
  o["store_bytes"] =
      sized ? Json(PixelStore::bytes_for(h.imagewidth, h.imagelength, storekindfor(h))) : Json();
  o["verdict"] = verdict_words(r.forecast.verdict);
  o["error"] = r.forecast.verdict == LoadVerdict::shows ? Json() : Json(r.forecast.error);
  return o;
}

std::string dumped(const Json& j, int indent) {
  // Every text was made valid UTF-8 above; the replacement only guards against a slip.
  return j.dump(indent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::string as_utf8(std::string_view bytes) {
  if (valid_utf8(bytes)) return std::string(bytes);
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

int print_file_info(const std::vector<std::string>& files, bool pretty, std::ostream& out) {
  int status = kExitDone;
  Json all = Json::array();
  for (const std::string& file : files) {
    const FileReport report = read_file_report(file, current_load_limit(0, 0, usable_cores()));
    if (report.forecast.verdict != LoadVerdict::shows) status = kExitRefused;
    if (pretty) {
      all.push_back(report_object(report));
    } else {
      out << dumped(report_object(report), -1) << '\n';
    }
  }
  if (pretty) out << dumped(all, 2) << '\n';
  return status;
}

}  // namespace vtr
