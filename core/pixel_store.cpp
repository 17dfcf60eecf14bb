#include "core/pixel_store.h"

#include <sys/mman.h>

#include <algorithm>
#include <cerrno>

namespace vtr {

namespace {

constexpr std::uint64_t kPage = 4096;
// How far provide() has the kernel back pages ahead of the row asked for: large enough that
// a load makes few requests, small enough that one request does not hold up the window.
constexpr std::uint64_t kProvideAhead = 8u << 20;

std::uint64_t wholepages(std::uint64_t bytes) {
  return std::max(kPage, (bytes + kPage - 1) / kPage * kPage);
}

}  // namespace

PixelStore::~PixelStore() {
  release();
}

std::uint64_t PixelStore::bytes_for(std::int64_t width, std::int64_t length, StoreKind kind) {
  return static_cast<std::uint64_t>(valuebytes(kind)) * static_cast<std::uint64_t>(width) *
         static_cast<std::uint64_t>(length);
}

bool PixelStore::recreate(std::int32_t width, std::int32_t length, StoreKind kind) {
  if (width < 0 || length < 0) return false;
  const std::uint64_t bytes = bytes_for(width, length, kind);
  const std::uint64_t mapped = wholepages(bytes);
  // Fresh anonymous pages come zeroed from the kernel, so nothing is written to clear them,
  // and pages no decoder touches cost no memory.
  void* p = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (p == MAP_FAILED) return false;
  release();
  data_ = static_cast<std::uint8_t*>(p);
  bytes_ = bytes;
  mapped_ = mapped;
  width_ = width;
  length_ = length;
  kind_ = kind;
  return true;
}

void PixelStore::provide(std::int64_t row) {
  if (data_ == nullptr || !kernelprovides_ || row < 1) return;
  const std::uint64_t rowend = static_cast<std::uint64_t>(valuebytes(kind_)) *
                               static_cast<std::uint64_t>(width_) *
                               static_cast<std::uint64_t>(std::min<std::int64_t>(row, length_));
  if (rowend <= provided_) return;
  const std::uint64_t end = std::min(mapped_, wholepages(rowend + kProvideAhead));
#ifdef MADV_POPULATE_WRITE
  if (::madvise(data_ + provided_, end - provided_, MADV_POPULATE_WRITE) == 0) {
    provided_ = end;
    return;
  }
#endif
  // An older kernel, or no memory for the pages now: they are faulted in as they are
  // written, and the store limit has judged whether they can be had.
  kernelprovides_ = false;
}

void PixelStore::release() {
  if (data_ != nullptr) ::munmap(data_, mapped_);
  data_ = nullptr;
  bytes_ = 0;
  mapped_ = 0;
  provided_ = 0;
  kernelprovides_ = true;
  width_ = 0;
  length_ = 0;
  kind_ = StoreKind::grey16;
}

}  // namespace vtr
