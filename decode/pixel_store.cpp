#include "decode/pixel_store.h"

#include <sys/mman.h>

#include "decode/store_backing.h"

namespace vtr {

PixelStore::PixelStore() : backing_(std::make_unique<StoreBacking>()) {}

PixelStore::~PixelStore() {
  release();
}

void PixelStore::populate() {
  backing_->start(data_, bytes_);
}

void PixelStore::stoppopulating() {
  backing_->stop();
}

bool PixelStore::populating() const {
  return backing_->running();
}

bool PixelStore::backed(std::int64_t row) const {
  return index(0, 0, row + 1) * sizeof(std::int32_t) <= backing_->backed();
}

std::uint64_t PixelStore::bytes_for(std::int64_t width, std::int64_t length) {
  return 4ull * static_cast<std::uint64_t>(width + 1) * static_cast<std::uint64_t>(length + 1) *
         sizeof(std::int32_t);
}

bool PixelStore::recreate(std::int32_t width, std::int32_t length) {
  if (width < 0 || length < 0) return false;
  std::uint64_t bytes = bytes_for(width, length);
  // Fresh anonymous pages come zeroed from the kernel, so nothing is written to clear them,
  // and pages no decoder touches cost no memory.
  void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (p == MAP_FAILED) return false;
#ifdef MADV_HUGEPAGE
  // Huge pages: one fault and one clear per 2 MiB instead of per 4 KiB. From a few MiB on
  // (a 512 x 512 image) that halves the time to fill a store.
  if (bytes >= (4u << 20)) ::madvise(p, bytes, MADV_HUGEPAGE);
#endif
  release();
  data_ = static_cast<std::int32_t*>(p);
  bytes_ = bytes;
  width_ = width;
  length_ = length;
  return true;
}

void PixelStore::release() {
  backing_->stop();
  if (data_ != nullptr) ::munmap(data_, bytes_);
  data_ = nullptr;
  bytes_ = 0;
  width_ = 0;
  length_ = 0;
}

}  // namespace vtr
