#include "ui/qt/picture_layer.h"

#include <algorithm>

namespace vtr::qt {

namespace {

bool is_grey(QRgb c) {
  return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
}

}  // namespace

PictureLayer::PictureLayer(QSize size, QImage grey, std::unique_ptr<PictureLayer> below,
                           QRgb background)
    : size_(size.expandedTo(QSize(0, 0))), grey_(std::move(grey)), background_(background) {
  clear();
  below_ = std::move(below);  // it shows until rows are drawn over it
  if (below_ && covered_ >= size_.height() - 1) absorb_below();
}

PictureRows PictureLayer::rows() {
  if (grey_.isNull() || size_.isEmpty()) return {};
  return PictureRows{grey_.bits(), size_.width(), size_.height(), grey_.bytesPerLine()};
}

bool PictureLayer::covers_drawn_columns(const Span& s) const {
  return size_.width() <= 1 || (s.from <= 1 && s.to >= size_.width());
}

void PictureLayer::clear() {
  spans_.assign(static_cast<std::size_t>(size_.height()), Span{});
  set_.clear();
  below_.reset();
  covered_ = size_.width() <= 1 ? std::max(size_.height() - 1, 0) : 0;
}

void PictureLayer::show_grey(int x0, int first, int rows, int count) {
  const int from = std::max(x0, 0);
  const auto to = static_cast<int>(
      std::clamp<long long>(static_cast<long long>(x0) + std::max(count, 0), 0, size_.width()));
  if (from >= to) return;
  const int top = std::max(first, 0);
  const auto bottom = static_cast<int>(
      std::clamp<long long>(static_cast<long long>(first) + std::max(rows, 0), 0, size_.height()));
  for (int y = top; y < bottom; ++y) show_grey_in_row(y, from, to);
  if (below_ && covered_ >= size_.height() - 1) absorb_below();
}

void PictureLayer::show_grey_in_row(int y, int from, int to) {
  Span& s = spans_[static_cast<std::size_t>(y)];
  const bool covered = y >= 1 && covers_drawn_columns(s);
  set_.erase(set_.lower_bound({y, from}), set_.lower_bound({y, to}));
  if (!s.empty() && (from > s.to || to < s.from)) {
    // Between the grey shown so far and the new grey lie pixels that show the picture below
    // (or set colours): they keep what they show as colours of their own.
    const int gap_from = from > s.to ? s.to : to;
    const int gap_to = from > s.to ? from : s.from;
    std::vector<QRgb> shown(static_cast<std::size_t>(gap_to - gap_from));
    compose(y, gap_from, gap_to, shown.data());
    for (int x = gap_from; x < gap_to; ++x)
      set_[{y, x}] = shown[static_cast<std::size_t>(x - gap_from)];
  }
  s = s.empty() ? Span{from, to} : Span{std::min(s.from, from), std::max(s.to, to)};
  if (y >= 1 && !covered && covers_drawn_columns(s)) ++covered_;
}

void PictureLayer::set_colour(int x, int y, QRgb colour) {
  if (x < 0 || y < 0 || x >= size_.width() || y >= size_.height()) return;
  set_[{y, x}] = colour;
}

void PictureLayer::compose(int y, int x0, int x1, QRgb* out) const {
  if (x1 <= x0) return;
  const bool row_inside = y >= 0 && y < size_.height();
  const int end = row_inside ? std::max(x0, std::min(x1, size_.width())) : x0;
  std::fill(out + (end - x0), out + (x1 - x0), background_);
  if (end == x0) return;
  if (below_) {
    below_->compose(y, x0, end, out);
  } else {
    std::fill(out, out + (end - x0), background_);
  }
  const Span& s = spans_[static_cast<std::size_t>(y)];
  const int grey_from = std::max(s.from, x0);
  const int grey_to = std::min(s.to, end);
  if (grey_from < grey_to) {
    const uchar* line = grey_.constScanLine(y);
    for (int x = grey_from; x < grey_to; ++x) out[x - x0] = qRgb(line[x], line[x], line[x]);
  }
  for (auto it = set_.lower_bound({y, x0}); it != set_.end() && it->first < std::pair{y, end};
       ++it) {
    out[it->first.second - x0] = it->second;
  }
}

void PictureLayer::take_over(int y, int from, int to, const QRgb* shown) {
  Span& s = spans_[static_cast<std::size_t>(y)];
  const auto colour = [&](int x) { return shown[x - from]; };
  if (s.empty()) {
    // The first grey pixel of the row starts its span.
    s = Span{to, to};
    for (int x = from; x < to; ++x) {
      if (is_grey(colour(x))) {
        s = Span{x, x};
        break;
      }
    }
  }
  // Grey next to the grey shown already joins it; anything else that shows is set on top.
  uchar* line = grey_.scanLine(y);
  while (s.from > from && s.from <= to && is_grey(colour(s.from - 1))) {
    --s.from;
    line[s.from] = static_cast<uchar>(qRed(colour(s.from)));
  }
  while (s.to < to && s.to >= from && is_grey(colour(s.to))) {
    line[s.to] = static_cast<uchar>(qRed(colour(s.to)));
    ++s.to;
  }
  for (int x = from; x < to; ++x) {
    if (x >= s.from && x < s.to) continue;
    if (colour(x) != background_) set_.try_emplace({y, x}, colour(x));
  }
}

void PictureLayer::absorb_below() {
  if (!below_) return;
  const int width = size_.width();
  std::vector<QRgb> shown(static_cast<std::size_t>(width));
  for (int y = 0; y < size_.height(); ++y) {
    const Span s = spans_[static_cast<std::size_t>(y)];
    const int parts[2][2] = {{0, s.empty() ? width : s.from}, {s.empty() ? width : s.to, width}};
    for (const auto& part : parts) {
      if (part[0] >= part[1]) continue;
      below_->compose(y, part[0], part[1], shown.data());
      take_over(y, part[0], part[1], shown.data());
    }
  }
  below_.reset();
}

}  // namespace vtr::qt
