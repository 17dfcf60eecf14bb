#include "bench/floors.h"

#include <sys/mman.h>

namespace vtr::bench {

namespace {

void writechannel1(PixelStore& store, std::int32_t width, std::int32_t length) {
  for (std::int64_t y = 1; y <= length; ++y) {
    std::int32_t* row = store.row(y);
    for (std::int64_t x = 1; x <= width; ++x) row[4 * x + 1] = static_cast<std::int32_t>(x ^ y);
  }
}

}  // namespace

void memoryfloor(PixelStore& store, std::int32_t width, std::int32_t length) {
  store.recreate(width, length);
  writechannel1(store, width, length);
}

void memoryfloorpopulated(PixelStore& store, std::int32_t width, std::int32_t length) {
  store.recreate(width, length);
  store.populate();
  writechannel1(store, width, length);
}

void* memoryfloorsmallpages(std::int32_t width, std::int32_t length) {
  const std::uint64_t bytes = PixelStore::bytes_for(width, length);
  void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  auto* cells = static_cast<std::int32_t*>(p);
  const std::int64_t stride = 4 * (static_cast<std::int64_t>(width) + 1);
  for (std::int64_t y = 1; y <= length; ++y) {
    std::int32_t* row = cells + y * stride;
    for (std::int64_t x = 1; x <= width; ++x) row[4 * x + 1] = static_cast<std::int32_t>(x ^ y);
  }
  return p;
}

void unmapfloor(void* cells, std::int32_t width, std::int32_t length) {
  if (cells != nullptr) ::munmap(cells, PixelStore::bytes_for(width, length));
}

void paintfloor(const PixelStore& store, std::vector<std::uint8_t>& out) {
  const std::int64_t columns = (store.width() + 1) / 2;
  const std::int64_t rows = store.length() / 2;
  out.resize(static_cast<std::size_t>(columns * rows));
  std::uint8_t* o = out.data();
  for (std::int64_t r = 1; r <= rows; ++r) {
    const std::int32_t* row = store.row(2 * r - 1);
    for (std::int64_t c = 1; c <= columns; ++c) {
      *o++ = static_cast<std::uint8_t>(row[4 * (2 * c - 1) + 1]);
    }
  }
}

}  // namespace vtr::bench
