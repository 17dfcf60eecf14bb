#include "core/file_table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vtr {

std::string openerrorline(const std::string& path, int error) {
  const std::string reason =
      error == kNotRegularFile ? "not a regular file" : std::generic_category().message(error);
  return "[error] " + reason + " - " + path;
}

namespace {

// 0 for a regular file, else kNotRegularFile or the system's error number.
int regularfile(int statresult, const struct stat& st) {
  if (statresult != 0) return errno;
  return S_ISREG(st.st_mode) ? 0 : kNotRegularFile;
}

}  // namespace

bool ImageFile::open(const std::string& path, int& error) {
  close();
  // A device is not even opened, as opening some has effects. The path may change between
  // the two looks, so the open file is looked at again; O_NONBLOCK keeps a FIFO put there
  // meanwhile from holding the open until a writer comes.
  struct stat st {};
  error = regularfile(::stat(path.c_str(), &st), st);
  if (error != 0) return false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  error = regularfile(::fstat(fd, &st), st);
  if (error != 0) {
    ::close(fd);
    return false;
  }
  // Regular files are read the same either way; reads wait again as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
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
  read_calls_.fetch_add(1, std::memory_order_relaxed);
  if (fd_ < 0 || offset > size_ || count > size_ - offset) return false;
  return pread_some(offset, out, count) == count;
}

std::size_t ImageFile::read_some(std::uint64_t offset, void* out, std::size_t count) const {
  read_calls_.fetch_add(1, std::memory_order_relaxed);
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

bool FileTable::open(std::int16_t number, const std::string& path, int& error) {
  if (number < 1 || number > kMaxFiles) {
    error = EBADF;
    return false;
  }
  return files_[number].open(path, error);
}

void FileTable::close(std::int16_t number) {
  if (number >= 1 && number <= kMaxFiles) files_[number].close();
}

void FileTable::closeall() {
  for (auto& f : files_) f.close();
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
