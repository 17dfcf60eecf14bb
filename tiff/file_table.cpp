#include "tiff/file_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vtr {

bool ImageFile::open(const std::string& path) {
  close();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<std::uint64_t>(st.st_size);
  return true;
}

void ImageFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
}

bool ImageFile::read(std::uint64_t offset, void* out, std::size_t count) const {
  ++read_calls_;
  if (fd_ < 0 || offset > size_ || count > size_ - offset) return false;
  return pread_some(offset, out, count) == count;
}

std::size_t ImageFile::read_some(std::uint64_t offset, void* out, std::size_t count) const {
  ++read_calls_;
  return pread_some(offset, out, count);
}

std::size_t ImageFile::pread_some(std::uint64_t offset, void* out, std::size_t count) const {
  if (fd_ < 0 || offset >= size_) return 0;
  if (count > size_ - offset) count = static_cast<std::size_t>(size_ - offset);
  auto* dest = static_cast<unsigned char*>(out);
  std::size_t done = 0;
  while (done < count) {
    ssize_t n = ::pread(fd_, dest + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::int16_t FileTable::next_free() const {
  for (int n = 1; n <= kMaxFiles; ++n) {
    if (!files_[n].is_open()) return static_cast<std::int16_t>(n);
  }
  return 0;
}

bool FileTable::open(std::int16_t number, const std::string& path) {
  if (number < 1 || number > kMaxFiles) return false;
  return files_[number].open(path);
}

void FileTable::close(std::int16_t number) {
  if (number >= 1 && number <= kMaxFiles) files_[number].close();
}

const ImageFile* FileTable::get(std::int16_t number) const {
  if (number < 1 || number > kMaxFiles || !files_[number].is_open()) return nullptr;
  return &files_[number];
}

std::uint64_t FileTable::read_calls() const {
  std::uint64_t n = 0;
  for (const auto& f : files_) n += f.read_calls();
  return n;
}

int FileTable::open_count() const {
  int n = 0;
  for (const auto& f : files_) n += f.is_open() ? 1 : 0;
  return n;
}

}  // namespace vtr
