// The picture's grey levels as the paint writes them: one byte a shown pixel, row after row.
// The toolkit's binding owns the bytes and shows them; the paint's workers write rows of them
// straight, never calling the toolkit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vtr {

struct PictureRows {
  std::uint8_t* first = nullptr;  // row 0, column 0; nullptr when there is nothing to write to
  int width = 0;                  // bytes a row holds: the picture's width
  int height = 0;                 // rows
  std::ptrdiff_t stride = 0;      // from one row to the next, in bytes

  // True when there is no byte to write.
  bool empty() const { return first == nullptr || width <= 0 || height <= 0; }
  // Row 0..height - 1, columns 0..width - 1.
  std::uint8_t* row(int y) const { return first + static_cast<std::ptrdiff_t>(y) * stride; }
};

}  // namespace vtr
