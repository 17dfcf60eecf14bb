// Whether this process can back a pixel store, checked before one is made.
//
// The store is mapped without reserving swap, so an over-large one would not fail when it is
// made but get the process killed when its pages are written. A load therefore asks first,
// against what this process may really have (see memory_headroom.h).
#pragma once

#include <cstdint>

#include "core/pixel_store.h"
#include "decode/memory_headroom.h"

namespace vtr {

// Bytes of memory the system has available (MemAvailable of /proc/meminfo, or the free
// physical pages when that cannot be read); 0 when neither is known.
std::uint64_t memavailable();

// This process's headrooms now, with the free physical pages standing in for MemAvailable
// where /proc/meminfo cannot be read.
Headroom processheadroom();

// The most bytes a new store may take: `set_limit` where it is not 0 (a limit the program was
// given), else storelimitfor(processheadroom(), `present`), the present store's bytes.
std::uint64_t current_store_limit(std::uint64_t set_limit, std::uint64_t present);

// True when a store of `kind` for a width x length image (both at least 0) takes at most
// `limit` bytes.
bool store_fits(std::uint64_t limit, std::int32_t width, std::int32_t length, StoreKind kind);

}  // namespace vtr
