// The full-resolution image: 32-bit signed values indexed (channel 0..3, column 0..W,
// row 0..L), channel fastest, then column, then row. Pixels live at columns 1..W and rows
// 1..L; channel 1 holds the value that is shown. Column 0, row 0 and channel 0 stay 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace vtr {

class StoreBacking;

class PixelStore {
 public:
  PixelStore();
  PixelStore(const PixelStore&) = delete;
  PixelStore& operator=(const PixelStore&) = delete;
  ~PixelStore();

  // Bytes a store for a W x L image takes.
  static std::uint64_t bytes_for(std::int64_t width, std::int64_t length);

  // Replaces the store by a zeroed (0..3, 0..width, 0..length) one. Fails, keeping the old
  // store, when width or length is negative or the memory cannot be had.
  bool recreate(std::int32_t width, std::int32_t length);

  std::int32_t width() const { return width_; }
  std::int32_t length() const { return length_; }
  bool empty() const { return data_ == nullptr; }
  std::uint64_t bytes() const { return bytes_; }

  // Starts backing the whole store with memory on a second thread, from row 0 on, so the
  // kernel clears pages while the caller fills earlier rows (see StoreBacking). The thread is
  // stopped before the store is released or replaced.
  void populate();
  // Stops the backing thread: called as soon as a load finds rows the file cannot fill, so
  // that pages no row will be written to cost no memory.
  void stoppopulating();
  // True from populate() until the thread is stopped (it may have finished its work).
  bool populating() const;
  // True when every page up to the end of `row` is known to be backed already.
  bool backed(std::int64_t row) const;

  // True when (channel, column, row) lies inside the store.
  bool contains(int channel, std::int64_t column, std::int64_t row) const {
    return data_ != nullptr && channel >= 0 && channel <= 3 && column >= 0 && column <= width_ &&
           row >= 0 && row <= length_;
  }
  // Unchecked element access; the caller keeps inside contains().
  std::int32_t& at(int channel, std::int64_t column, std::int64_t row) {
    return data_[index(channel, column, row)];
  }
  std::int32_t at(int channel, std::int64_t column, std::int64_t row) const {
    return data_[index(channel, column, row)];
  }
  // Element (0, 0, row): the start of one stored row of 4 x (W + 1) values.
  std::int32_t* row(std::int64_t row) { return data_ + index(0, 0, row); }
  const std::int32_t* row(std::int64_t row) const { return data_ + index(0, 0, row); }

 private:
  std::size_t index(int channel, std::int64_t column, std::int64_t row) const {
    return static_cast<std::size_t>(channel) +
           4 * (static_cast<std::size_t>(column) +
                (static_cast<std::size_t>(width_) + 1) * static_cast<std::size_t>(row));
  }
  void release();

  std::unique_ptr<StoreBacking> backing_;
  std::int32_t* data_ = nullptr;
  std::uint64_t bytes_ = 0;
  std::int32_t width_ = 0;
  std::int32_t length_ = 0;
};

}  // namespace vtr
