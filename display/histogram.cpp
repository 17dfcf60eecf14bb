#include "display/histogram.h"

#include "core/app.h"
#include "core/toolkit.h"

namespace vtr {

int depthdivisor(int bitspersample) {
  switch (bitspersample) {
    case 8:
      return 1;
    case 12:
      return 16;
    case 16:
      return 256;
    default:
      return 0;
  }
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
