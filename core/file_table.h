// Image files opened for reading by byte position, under small file numbers 1..255.
//
// Files are never read whole: every read names its 0-based offset and length, and a read
// that would go past the end of the file is a failed read.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vtr {

// The open error of a path that names something other than a regular file.
inline constexpr int kNotRegularFile = -1;

// Why `path` could not be opened, as one error line: "[error] " + the reason + " - " + path,
// the reason being "not a regular file" or the system's text for `error`.
std::string openerrorline(const std::string& path, int error);

class ImageFile {
 public:
  ImageFile() = default;
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;
  ~ImageFile() { close(); }

  // Opens a regular file for reading, without waiting: a FIFO, a device or a directory is
  // refused at once (kNotRegularFile in `error`), as is a path the system cannot open (its
  // error number in `error`).
  bool open(const std::string& path, int& error);
  bool open(const std::string& path) {
    int error = 0;
    return open(path, error);
  }
  void close();
  bool is_open() const { return fd_ >= 0; }
  std::uint64_t size() const { return size_; }

  // Reads exactly `count` bytes at `offset`; false (and nothing promised in `out`) when any
  // of them lies past the end of the file or the system read fails.
  bool read(std::uint64_t offset, void* out, std::size_t count) const;
  // Reads what the file has of the `count` bytes at `offset`; returns how many were read
  // (fewer near the end of the file, 0 past it or on a failed read).
  std::size_t read_some(std::uint64_t offset, void* out, std::size_t count) const;
  // Calls of read() and read_some() since this object was made (kept across close and
  // re-open), so tests can tell how often a file is read. Reads may come from several threads
  // at once (the workers of a load): each reads at its own offset, and each is counted.
  std::uint64_t read_calls() const { return read_calls_.load(std::memory_order_relaxed); }

 private:
  std::size_t pread_some(std::uint64_t offset, void* out, std::size_t count) const;

  int fd_ = -1;
  std::uint64_t size_ = 0;
  mutable std::atomic<std::uint64_t> read_calls_{0};
};

class FileTable {
 public:
  static constexpr int kMaxFiles = 255;

  // The lowest file number not in use, 0 when all 255 are taken.
  std::int16_t next_free() const;
  bool open(std::int16_t number, const std::string& path, int& error);
  bool open(std::int16_t number, const std::string& path) {
    int error = 0;
    return open(number, path, error);
  }
  void close(std::int16_t number);
  // Closes every open file.
  void closeall();
  // The open file under `number`, or nullptr.
  const ImageFile* get(std::int16_t number) const;
  int open_count() const;
  // Read calls made on all file numbers so far.
  std::uint64_t read_calls() const;

 private:
  std::array<ImageFile, kMaxFiles + 1> files_{};
};

}  // namespace vtr
