#include "core/numtext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vtr {

std::string numtext(std::int64_t value) {
  std::string digits = std::to_string(value);
  if (value < 0) return digits;
  return " " + digits;
}

namespace {

// Drops trailing zeros (and then a trailing point) from a fixed-point digit string.
void trim_fraction(std::string& s) {
  if (s.find('.') == std::string::npos) return;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
}

std::string scientific(double magnitude) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", magnitude);
  std::string s(buf);
  std::size_t e = s.find('e');
  std::string mantissa = s.substr(0, e);
  trim_fraction(mantissa);
  int exponent = std::atoi(s.c_str() + e + 1);
  char exp_text[16];
  std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return mantissa + exp_text;
}

}  // namespace

std::string numtext(double value) {
  if (std::isnan(value)) return " NaN";
  const char* sign = std::signbit(value) && value != 0.0 ? "-" : " ";
  double magnitude = std::fabs(value);
  if (std::isinf(magnitude)) return std::string(sign) + "Inf";
  if (magnitude == 0.0) return " 0";

  // Round to 15 significant digits first: the rounding decides the exponent.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", magnitude);
  int exponent = std::atoi(buf + std::string(buf).find('e') + 1);
  if (exponent >= 15 || exponent < -5) return sign + scientific(magnitude);

  int decimals = 14 - exponent;  // 15 significant digits in all
  std::snprintf(buf, sizeof buf, "%.*f", decimals, magnitude);
  std::string s(buf);
  trim_fraction(s);
  if (s.size() > 1 && s[0] == '0' && s[1] == '.') s.erase(0, 1);
  return sign + s;
}

}  // namespace vtr
