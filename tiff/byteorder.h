// The file's byte order and the assembly of 16- and 32-bit values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tiff/header_parse.h"

namespace vtr {

// The largest file offset the header reader accepts: offsets must fit in 31 bits.
inline constexpr std::int64_t kMaxOffset = 0x7FFFFFFF;

// Recognises "II" (73, 73) or "MM" (77, 77) and sets header.mmorder; 0 when recognised,
// 1 for an unknown mark (mmorder unchanged, its error line written).
std::int16_t getbyteorder(HeaderParse& parse, std::uint8_t a, std::uint8_t b);
// Two bytes in file order under the file's byte order: 0..65535.
std::int32_t makeshort(const HeaderParse& parse, std::uint8_t b1, std::uint8_t b2);
inline constexpr std::string_view kLongTooBig = "[error] problem making long";

// Four bytes in file order: 0..2147483647, or 0 with the kLongTooBig line.
std::int32_t makelong(HeaderParse& parse, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                      std::uint8_t b4);
// The same four bytes as an unsigned number, without the overflow rule.
std::uint32_t makeulong(const HeaderParse& parse, const std::uint8_t* b);

// Reads `count` bytes of the parse's file at offset `jp`. False when any of them lies outside
// the file or outside offsets 0..kMaxOffset, or when no file is open.
bool readbytes(const HeaderParse& parse, std::int64_t jp, std::uint8_t* out, std::size_t count);
// Reads what the file has of the `count` bytes at `jp`, stopping at the end of the file or
// at offset kMaxOffset; returns how many were read (0 for a bad offset or no file).
std::size_t readsome(const HeaderParse& parse, std::int64_t jp, std::uint8_t* out,
                     std::size_t count);
// makeshort / makelong of the bytes read at offset `jp`. A failed read (see readbytes) gives
// false and leaves `value` untouched.
bool getshort(const HeaderParse& parse, std::int64_t jp, std::int32_t& value);
bool getlong(HeaderParse& parse, std::int64_t jp, std::int32_t& value);

}  // namespace vtr
