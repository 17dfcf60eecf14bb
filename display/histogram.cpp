#include "display/histogram.h"

#include "core/app.h"
#include "core/pixel_kinds.h"
#include "core/toolkit.h"

namespace vtr {

int depthdivisor(int bitspersample) {
  const PixelKind* kind = pixel_kind_of_depth(bitspersample);
  return kind != nullptr ? kind->divisor : 0;
}

std::int16_t zerohistogram(App& app) {
  app.histogram.bins.fill(0);
  feed_chart(app.tk, app.histogram);
  return 0;
}

void feed_chart(Toolkit& tk, const Histogram& histogram) {
  tk.set_chart_data(histogram.bins);
}

}  // namespace vtr
