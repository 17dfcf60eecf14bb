// The window's tooltips that name stored values of the image in memory: beside an intensity
// slider while it is dragged or moved with the keys, below which value the window shows black
// and from which white; over the histogram chart, the values and the count of the bin under
// the mouse. The texts are the display layer's; these only show them.
#pragma once

#include <QString>
#include <cstdint>

#include "core/image_header.h"
#include "core/toolkit.h"

class QPoint;
class QSlider;

namespace vtr::qt {

class HistogramChart;

// What the tooltips read: the header of the image in memory, the invert flag and the sliders'
// positions as the toolkit has them. All live as long as the window.
struct TipRecords {
  const ImageHeader& header;
  const std::int16_t& invimage;
  const Toolkit& tk;
};

// Shows, below the handle of `slider` (the logic's `which`) whenever the user moves it, where
// the window with the handle there puts black and white in the image in memory.
void show_slider_values(QSlider& slider, Slider which, const TipRecords& records);

// Answers the tooltip events over `chart` with chart_tip.
void show_bin_values(HistogramChart& chart, const ImageHeader& header);

// The chart's tooltip at `at`, a position in its viewport: the bin's tip inside the plot,
// the chart's own tooltip elsewhere.
QString chart_tip(const ImageHeader& header, HistogramChart& chart, const QPoint& at);

}  // namespace vtr::qt
