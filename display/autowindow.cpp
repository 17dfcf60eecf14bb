#include "display/autowindow.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/app.h"
#include "core/toolkit.h"
#include "display/greymap.h"
#include "display/histogram.h"
#include "display/intensity.h"
#include "display/paint.h"

namespace vtr {

namespace {

// The shown value of a stored pixel: the one way this file reads the store.
std::int32_t shownvalue(const PixelStore& store, int column, int row) {
  return store.at(1, column, row);
}

// Running counts: below[v] = pixels whose value is below v, for v = 0..top + 1.
class Below {
 public:
  explicit Below(const std::vector<std::uint32_t>& counts) : below_(counts.size() + 1, 0) {
    for (std::size_t v = 0; v < counts.size(); ++v) below_[v + 1] = below_[v] + counts[v];
  }
  std::uint64_t total() const { return below_.back(); }
  // Pixels below value v, for any v.
  std::uint64_t operator()(std::int64_t v) const {
    if (v <= 0) return 0;
    const auto i = static_cast<std::size_t>(v);
    return i < below_.size() ? below_[i] : total();
  }
  // The smallest value v with more than `share` pixels at or below it.
  std::int64_t low(double share) const {
    std::int64_t v = 0;
    while (static_cast<double>((*this)(v + 1)) <= share) ++v;
    return v;
  }
  // The largest value v with more than `share` pixels at or above it.
  std::int64_t high(double share) const {
    auto v = static_cast<std::int64_t>(below_.size()) - 2;
    while (static_cast<double>(total() - (*this)(v)) <= share) --v;
    return v;
  }

 private:
  std::vector<std::uint64_t> below_;
};

// The smallest value whose grey level under `map` is at least g (the paint's own arithmetic,
// which may put an edge one value off the exact quotient). `guess` is the exact quotient.
std::int64_t firstwithlevel(const GreyMap& map, int g, double guess) {
  auto v = static_cast<std::int64_t>(std::ceil(guess));
  const auto level = [&map](std::int64_t x) { return map.level(static_cast<std::int32_t>(x)); };
  while (level(v - 1) >= g) --v;
  while (level(v) < g) ++v;
  return v;
}

// An image whose values are (almost all) one value v: a window in which v shows mid-grey, or
// lighter where even the widest window (maximum 255) shows it lighter. Value 0 shows black in
// every window, so it keeps the full range.
SliderWindow flatwindow(std::int64_t v, int d) {
  if (v <= 0) return {0, 255};
  const double max = std::nearbyint(static_cast<double>(v) * 255.0 / (128.0 * d));
  return {0, static_cast<int>(std::clamp(max, 1.0, 255.0))};
}

// A window and how far its black and white edges miss: in pixels from 0.35 % of them, and in
// value from where 0.35 % (99.65 %) of the pixels lie.
struct Fit {
  SliderWindow window;
  double pixels_off = -1;  // -1: no window yet
  std::int64_t value_off = 0;
  bool better(double pixels, std::int64_t value) const {
    return pixels_off < 0 || pixels < pixels_off || (pixels == pixels_off && value < value_off);
  }
};

// What the automatic window aims at, for one image.
struct Aim {
  const Below& below;
  int d;
  double share;     // 0.35 % of the pixels
  std::int64_t lo;  // the value at 0.35 %: it and the values below show black
  std::int64_t hi;  // the value at 99.65 %: it and the values above show white
  double off(std::uint64_t pixels) const { return std::fabs(static_cast<double>(pixels) - share); }
};

// Of the windows whose sliders add up to `sum`, the one whose black share is nearest 0.35 %;
// on a tie, the one whose black edge is nearest lo + 1, then the lower minimum. Returns it
// with how far its white edge misses.
Fit bestsplit(const Aim& aim, int sum) {
  Fit black;
  for (int min = std::max(0, sum - 255); min < sum && min <= 255; ++min) {
    const int max = sum - min;
    const GreyMap map = GreyMap::make(min, max, aim.d);
    const std::int64_t edge = firstwithlevel(map, 1, (min + max / 255.0) * aim.d);
    const double pixels = aim.off(aim.below(edge));
    const std::int64_t value = std::llabs(edge - (aim.lo + 1));
    if (black.better(pixels, value)) black = {{min, max}, pixels, value};
  }
  const SliderWindow w = black.window;
  const std::int64_t edge = firstwithlevel(GreyMap::make(w.min, w.max, aim.d), 255,
                                           static_cast<double>(w.min + w.max) * aim.d);
  return {w, aim.off(aim.below.total() - aim.below(edge)), std::llabs(edge - aim.hi)};
}

}  // namespace

std::vector<std::uint32_t> valuecounts(const PixelStore& store, int width, int length,
                                       std::int32_t top) {
  std::vector<std::uint32_t> counts(static_cast<std::size_t>(std::max(top, 0)) + 1, 0);
  if (store.empty()) return counts;
  const int columns = std::min(width, store.width());
  const int rows = std::min(length, store.length());
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      const std::int32_t v = std::clamp(shownvalue(store, c, r), 0, top);
      ++counts[static_cast<std::size_t>(v)];
    }
  }
  return counts;
}

// The paint shows v black when v < min*d + max*d/255 and white when v >= (min + max)*d. The
// white edge thus moves with the sum of the sliders, in steps of d, and the black edge with
// the minimum, in steps of about d. For every sum the minimum is chosen by the black share;
// of those windows, the one whose white share is nearest 0.35 % wins, on a tie the one whose
// white edge is nearest hi, then the wider one. Every share is counted at the edges the
// paint's own arithmetic gives.
SliderWindow autowindowfor(const std::vector<std::uint32_t>& counts, int d) {
  const Below below(counts);
  if (below.total() == 0 || d <= 0) return {};
  const double share = kAutoSaturated * static_cast<double>(below.total());
  const Aim aim{below, d, share, below.low(share), below.high(share)};
  if (aim.lo >= aim.hi) return flatwindow(aim.lo, d);
  Fit best;
  for (int sum = 1; sum <= 510; ++sum) {
    const Fit f = bestsplit(aim, sum);
    const bool tie = f.pixels_off == best.pixels_off && f.value_off == best.value_off;
    if (tie || best.better(f.pixels_off, f.value_off)) best = f;
  }
  return best.window;
}

std::optional<SliderWindow> auto_window(const PixelStore& store, const ImageHeader& header) {
  const int d = depthdivisor(header.bitspersample[1]);
  if (d == 0) return std::nullopt;
  return autowindowfor(valuecounts(store, header.imagewidth, header.imagelength, 256 * d - 1), d);
}

void autowindow_Click(App& app) {
  if (app.busy == kTrue || app.header.headervalid == 0) {
    refresh_button_Click(app);  // refuses as refresh does: "[error] busy" or the box
    return;
  }
  if (const std::optional<SliderWindow> w = auto_window(app.store, app.header)) {
    app.tk.set_slider_value(Slider::image_min, w->min);
    app.tk.set_slider_value(Slider::image_max, w->max);
  }
  app.tk.set_back_colour(Button::Command8, kIntensityButtonColour);
  app.bestfits = kFalse;
  refresh_button_Click(app);
}

}  // namespace vtr
