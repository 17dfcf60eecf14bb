#include "core/pixel_store.h"

#include <sys/mman.h>

#include <algorithm>
#include <cerrno>

namespace vtr {

namespace {

constexpr std::uint64_t kPage = 4096;

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

void PixelStore::provide(std::int64_t first, std::int64_t last) const {
  first = std::max<std::int64_t>(first, 1);
  last = std::min<std::int64_t>(last, length_);
  if (data_ == nullptr || first > last || unprovided_.load(std::memory_order_relaxed)) return;
  const std::uint64_t rowbytes =
      static_cast<std::uint64_t>(valuebytes(kind_)) * static_cast<std::uint64_t>(width_);
  // Whole pages that hold the rows' bytes; a page shared with a neighbouring row may be asked
  // for twice, which costs nothing more.
  const std::uint64_t begin = rowbytes * static_cast<std::uint64_t>(first - 1) / kPage * kPage;
  const std::uint64_t end =
      std::min(mapped_, wholepages(rowbytes * static_cast<std::uint64_t>(last)));
  if (begin >= end) return;
#ifdef MADV_POPULATE_WRITE
  if (::madvise(data_ + begin, end - begin, MADV_POPULATE_WRITE) == 0) return;
#endif
  // An older kernel, or no memory for the pages now: they are faulted in as they are
  // written, and the load's limit has judged whether they can be had.
  unprovided_.store(true, std::memory_order_relaxed);
}

void PixelStore::release() {
  if (data_ != nullptr) ::munmap(data_, mapped_);
  data_ = nullptr;
  bytes_ = 0;
  mapped_ = 0;
  unprovided_.store(false, std::memory_order_relaxed);
  width_ = 0;
  length_ = 0;
  kind_ = StoreKind::grey16;
}

}  // namespace vtr
