// The tag numbers of the TIFF 6.0 fields the header reader knows, by their TIFF names.
#pragma once

#include <cstdint>

namespace vtr {

inline constexpr std::int32_t kTagNewSubfileType = 254;
inline constexpr std::int32_t kTagSubfileType = 255;
inline constexpr std::int32_t kTagImageWidth = 256;
inline constexpr std::int32_t kTagImageLength = 257;
inline constexpr std::int32_t kTagBitsPerSample = 258;
inline constexpr std::int32_t kTagCompression = 259;
inline constexpr std::int32_t kTagPhotometricInterpretation = 262;
inline constexpr std::int32_t kTagThreshholding = 263;  // spelt so in TIFF 6.0
inline constexpr std::int32_t kTagCellWidth = 264;
inline constexpr std::int32_t kTagCellLength = 265;
inline constexpr std::int32_t kTagFillOrder = 266;
inline constexpr std::int32_t kTagImageDescription = 270;
inline constexpr std::int32_t kTagStripOffsets = 273;
inline constexpr std::int32_t kTagOrientation = 274;
inline constexpr std::int32_t kTagSamplesPerPixel = 277;
inline constexpr std::int32_t kTagRowsPerStrip = 278;
inline constexpr std::int32_t kTagStripByteCounts = 279;
inline constexpr std::int32_t kTagXResolution = 282;
inline constexpr std::int32_t kTagYResolution = 283;
inline constexpr std::int32_t kTagPlanarConfiguration = 284;
inline constexpr std::int32_t kTagResolutionUnit = 296;
inline constexpr std::int32_t kTagSoftware = 305;
inline constexpr std::int32_t kTagDateTime = 306;
// A private tag some writers add: recognised and skipped.
inline constexpr std::int32_t kTagPrivateSkipped = 40100;

}  // namespace vtr
