// The full-resolution image, answered as 32-bit signed values indexed (channel 0..3,
// column 0..W, row 0..L). Pixels live at columns 1..W and rows 1..L; channel 1 holds the value
// that is shown; channels 2 and 3 answer the grey of a colour image as channel 1 does, and 0
// for a grey image. Column 0, row 0 and channel 0 answer 0.
//
// Only what can differ is kept: one value a pixel, W values a row, rows one after another, in
// the narrowest type that holds the decoder's range (one byte for 8-bit grey and the grey of
// 8-bit RGB, two bytes for 12- and 16-bit grey).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vtr {

// What a store holds, chosen by the decoder that fills it.
enum class StoreKind : std::uint8_t {
  grey8,   // 8-bit grey: one byte a pixel
  grey16,  // 12- and 16-bit grey: two bytes a pixel
  rgb8,    // the grey of 8-bit RGB: one byte a pixel, answered for channels 1, 2 and 3
};

// Bytes one stored value takes: 1 or 2.
constexpr int valuebytes(StoreKind kind) {
  return kind == StoreKind::grey16 ? 2 : 1;
}

class PixelStore {
 public:
  PixelStore() = default;
  PixelStore(const PixelStore&) = delete;
  PixelStore& operator=(const PixelStore&) = delete;
  ~PixelStore();

  // Bytes a store of `kind` for a W x L image takes.
  static std::uint64_t bytes_for(std::int64_t width, std::int64_t length, StoreKind kind);

  // Replaces the store by a zeroed one of `kind` for a width x length image. Fails, keeping
  // the old store, when width or length is negative or the memory cannot be had.
  bool recreate(std::int32_t width, std::int32_t length, StoreKind kind);

  std::int32_t width() const { return width_; }
  std::int32_t length() const { return length_; }
  StoreKind kind() const { return kind_; }
  bool empty() const { return data_ == nullptr; }
  std::uint64_t bytes() const { return bytes_; }

  // Has the kernel back the pages of rows first .. last (1..L, clipped) in one request, before
  // they are written: many pages per request cost far less than one fault per page. A store
  // whose rows are never provided or written (the file ends early) takes no memory for them.
  // Several threads may provide rows at once, as the workers of a load do for their own rows.
  // Without the kernel's help (before Linux 5.14) the pages are faulted in as they are written.
  void provide(std::int64_t first, std::int64_t last) const;

  // True when (channel, column, row) lies inside the store.
  bool contains(int channel, std::int64_t column, std::int64_t row) const {
    return data_ != nullptr && channel >= 0 && channel <= 3 && column >= 0 && column <= width_ &&
           row >= 0 && row <= length_;
  }
  // The value at (channel, column, row); the caller keeps inside contains().
  std::int32_t at(int channel, std::int64_t column, std::int64_t row) const {
    if (channel == 0 || column == 0 || row == 0) return 0;
    if (channel >= 2 && kind_ != StoreKind::rgb8) return 0;
    return value(column, row);
  }
  // The pixel's one value, column 1..W and row 1..L.
  std::int32_t value(std::int64_t column, std::int64_t row) const {
    const std::size_t i = index(column, row);
    return kind_ == StoreKind::grey16 ? reinterpret_cast<const std::uint16_t*>(data_)[i] : data_[i];
  }
  // Sets the pixel's one value, column 1..W and row 1..L, kept in the store's type.
  void set(std::int64_t column, std::int64_t row, std::int32_t v) {
    const std::size_t i = index(column, row);
    if (kind_ == StoreKind::grey16) {
      reinterpret_cast<std::uint16_t*>(data_)[i] = static_cast<std::uint16_t>(v);
    } else {
      data_[i] = static_cast<std::uint8_t>(v);
    }
  }
  // The W values of row 1..L, from column 1 on, as the store's type: std::uint8_t for one
  // byte a value, std::uint16_t for two (T must be the kind's). nullptr when the store is
  // empty.
  template <class T>
  T* row(std::int64_t row) {
    static_assert(sizeof(T) == 1 || sizeof(T) == 2);
    return reinterpret_cast<T*>(rowbytes(row));
  }
  template <class T>
  const T* row(std::int64_t row) const {
    static_assert(sizeof(T) == 1 || sizeof(T) == 2);
    return reinterpret_cast<const T*>(rowbytes(row));
  }
  // The first byte of row 1..L's values, whatever their type; nullptr when the store is empty.
  std::uint8_t* rowbytes(std::int64_t row) {
    return data_ == nullptr ? nullptr : data_ + rowoffset(row);
  }
  const std::uint8_t* rowbytes(std::int64_t row) const {
    return data_ == nullptr ? nullptr : data_ + rowoffset(row);
  }

 private:
  std::size_t index(std::int64_t column, std::int64_t row) const {
    return static_cast<std::size_t>(column - 1) +
           static_cast<std::size_t>(width_) * static_cast<std::size_t>(row - 1);
  }
  std::size_t rowoffset(std::int64_t row) const {
    return index(1, row) * static_cast<std::size_t>(valuebytes(kind_));
  }
  void release();

  std::uint8_t* data_ = nullptr;
  std::uint64_t bytes_ = 0;   // the stored values
  std::uint64_t mapped_ = 0;  // the mapping: the values rounded up to whole pages
  // The kernel has refused a request to back pages: the rest are faulted in as written.
  mutable std::atomic<bool> unprovided_{false};
  std::int32_t width_ = 0;
  std::int32_t length_ = 0;
  StoreKind kind_ = StoreKind::grey16;
};

}  // namespace vtr
