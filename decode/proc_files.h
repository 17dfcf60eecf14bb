// Reading single figures from the kernel's text files (/proc, the control-group folders).
//
// Every reader takes the file's path, so that tests can point it at fixture files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vtr {

// The file's first word as an unsigned number; "max" (a control group without a limit)
// reads as UINT64_MAX. Nothing when the file cannot be read or holds no number.
std::optional<std::uint64_t> filenumber(const std::string& path);

// The number after `key` on the first line that starts with `key` ("MemAvailable:",
// "VmSize:", "inactive_file "), as written: a unit after it (kB) is the caller's.
std::optional<std::uint64_t> keyednumber(const std::string& path, const std::string& key);

}  // namespace vtr
