// What the tests read of their own process: its open descriptors, its resident memory, and
// whether it runs under AddressSanitizer.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace vtr::test {

// The descriptors the process has open.
inline int open_descriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

// Resident memory of the process in bytes, from /proc/self/statm.
inline std::uint64_t resident_bytes() {
  std::ifstream f("/proc/self/statm");
  std::uint64_t size = 0;
  std::uint64_t resident = 0;
  f >> size >> resident;
  return resident * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

// AddressSanitizer keeps freed memory in quarantine and pads every allocation, so resident
// memory says little under it; its leak checker covers what the memory checks look for.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

}  // namespace vtr::test
