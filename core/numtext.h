// The text form of numbers in message lines and read-out boxes.
//
// Every number has a sign position: a blank for zero and positive numbers, "-" for negative
// ones. Floating values carry at most 15 significant digits, no trailing zeros, no trailing
// point and no zero before the point below 1 (one half is " .5"). Magnitudes of 1E+15 and
// above, and below 1E-5, are written with a mantissa and a signed two- or three-digit
// exponent ("1E+15", "1.5E-07").
#pragma once

#include <cstdint>
#include <string>

namespace vtr {

std::string numtext(std::int64_t value);
std::string numtext(double value);

// The type-dispatching forms, so that `numtext(short)` etc. pick the integer form.
inline std::string numtext(int value) {
  return numtext(static_cast<std::int64_t>(value));
}
inline std::string numtext(std::int16_t value) {
  return numtext(static_cast<std::int64_t>(value));
}
inline std::string numtext(std::uint32_t value) {
  return numtext(static_cast<std::int64_t>(value));
}

}  // namespace vtr
