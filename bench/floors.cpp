#include "bench/floors.h"

#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace vtr::bench {

namespace {

constexpr std::uint64_t kChunk = 2u << 20;

// Writes every value of a row of `rowbytes` bytes, as a decoder writes its row.
void writerow(std::uint8_t* row, std::uint64_t rowbytes, std::int64_t y) {
  std::memset(row, static_cast<int>(y & 0x7F) | 1, rowbytes);
}

std::uint64_t rowbytesof(std::int32_t width, StoreKind kind) {
  return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(valuebytes(kind));
}

void writestore(PixelStore& store, bool provided) {
  const std::uint64_t rowbytes = rowbytesof(store.width(), store.kind());
  for (std::int64_t y = 1; y <= store.length(); ++y) {
    if (provided) store.provide(y);
    writerow(store.rowbytes(y), rowbytes, y);
  }
}

std::uint64_t mappedbytes(std::int32_t width, std::int32_t length, StoreKind kind) {
  return std::max<std::uint64_t>(PixelStore::bytes_for(width, length, kind), 4096);
}

}  // namespace

void memoryfloor(PixelStore& store, std::int32_t width, std::int32_t length, StoreKind kind) {
  store.recreate(width, length, kind);
  writestore(store, false);
}

void memoryfloorprovided(PixelStore& store, std::int32_t width, std::int32_t length,
                         StoreKind kind) {
  store.recreate(width, length, kind);
  writestore(store, true);
}

void* memoryfloorwith(Provision how, std::int32_t width, std::int32_t length, StoreKind kind) {
  const std::uint64_t bytes = mappedbytes(width, length, kind);
  const int populate = how == Provision::populate ? MAP_POPULATE : 0;
  void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | populate, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  auto* first = static_cast<std::uint8_t*>(p);
  if (how == Provision::hugepages) ::madvise(p, bytes, MADV_HUGEPAGE);
  std::jthread ahead;
  if (how == Provision::thread) {
    ahead = std::jthread([first, bytes](std::stop_token token) {
      for (std::uint64_t off = 0; off < bytes && !token.stop_requested(); off += kChunk) {
        ::madvise(first + off, std::min(kChunk, bytes - off), MADV_POPULATE_WRITE);
      }
    });
  }
  const std::uint64_t rowbytes = rowbytesof(width, kind);
  for (std::int64_t y = 1; y <= length; ++y) {
    writerow(first + static_cast<std::uint64_t>(y - 1) * rowbytes, rowbytes, y);
  }
  return p;
}

void unmapfloor(void* values, std::int32_t width, std::int32_t length, StoreKind kind) {
  if (values != nullptr) ::munmap(values, mappedbytes(width, length, kind));
}

void paintfloor(const PixelStore& store, std::vector<std::uint8_t>& out) {
  const std::int64_t columns = (store.width() + 1) / 2;
  const std::int64_t rows = store.length() / 2;
  out.resize(static_cast<std::size_t>(columns * rows));
  std::uint8_t* o = out.data();
  const bool wide = valuebytes(store.kind()) == 2;
  for (std::int64_t r = 1; r <= rows; ++r) {
    if (wide) {
      const std::uint16_t* row = store.row<std::uint16_t>(2 * r - 1);
      for (std::int64_t c = 0; c < columns; ++c) *o++ = static_cast<std::uint8_t>(row[2 * c] >> 8);
    } else {
      const std::uint8_t* row = store.row<std::uint8_t>(2 * r - 1);
      for (std::int64_t c = 0; c < columns; ++c) *o++ = row[2 * c];
    }
  }
}

}  // namespace vtr::bench
