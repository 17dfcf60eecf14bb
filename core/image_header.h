// The decoded header of the last parsed TIFF file.
//
// One record for the whole run. Every parse starts from the record as it is at program start,
// so a field whose tag the file lacks holds its start value, never an earlier file's (an
// earlier file's date or strip height would show a different picture of the same file).
// Arrays are used from index 1; index 0 is never written.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/flags.h"

namespace vtr {

inline constexpr int kMaxStrips = 1024;
inline constexpr int kMaxBitsPerSample = 3;

struct ImageHeader {
  std::int16_t headervalid = 0;  // -1: the last parse gave a usable single-IFD header
  std::int16_t mmorder = 0;      // -1: "MM" (most significant byte first)
  std::int32_t ifdpointer = 0;
  std::int16_t ifdentries = 0;
  std::int16_t newsubfiletype = 0;
  std::int16_t subfiletype = 0;
  std::int16_t imagelength = 0;
  std::int16_t imagewidth = 0;
  std::array<std::int16_t, kMaxBitsPerSample + 1> bitspersample{};
  std::int16_t samplesperpixel = 0;
  std::int16_t compression = 0;
  std::int16_t photometric = 0;
  std::int16_t planar = 0;
  std::int16_t resolutionunit = 0;
  std::int16_t thresholding = 0;
  std::int16_t cellwidth = 0;
  std::int16_t celllength = 0;
  std::int16_t fillorder = 0;
  std::int32_t rowsperstrip = 0;
  std::int32_t stripsperimage = 0;
  std::array<std::int32_t, kMaxStrips + 1> stripoffsets{};
  std::array<std::int32_t, kMaxStrips + 1> stripbytecounts{};
  double xresolution = 0;
  double yresolution = 0;
  std::int16_t orientation = 0;
  std::string software;
  std::string imagedate = std::string(20, '\0');  // always exactly 20 characters
  // How many strip offsets this file's StripOffsets tag gave (0..1024); 0 for a file
  // without strips (a tiled one, say). Elements beyond it are never read as image data.
  std::int32_t stripoffsetcount = 0;

  bool operator==(const ImageHeader&) const = default;
};

}  // namespace vtr
