// Whether this process can back a pixel store and what comes with it, checked before the
// store is made.
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

// What a load is held to before its store is made.
struct LoadLimit {
  std::uint64_t bytes = UINT64_MAX;  // the most it may take
  bool store_only = false;           // `bytes` holds the store alone, not all of load_bytes
  int workers = 1;                   // the load's workers, each with a row buffer
};

// The limit of a load by `workers` workers: the store alone held to `set_limit` where it is
// not 0 (a limit the program was given), else everything the load brings held to
// loadlimitfor(processheadroom(), `present`), the present store's bytes.
LoadLimit current_load_limit(std::uint64_t set_limit, std::uint64_t present, int workers);

// True when a load of a width x length image (both at least 0) into a store of `kind` fits
// `limit`.
bool load_fits(const LoadLimit& limit, std::int32_t width, std::int32_t length, StoreKind kind);

}  // namespace vtr
