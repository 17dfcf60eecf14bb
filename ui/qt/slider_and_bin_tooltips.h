// The window's tooltips that name stored values of the image in memory: beside an intensity
// slider while it is dragged or moved with the keys, the value its position stands for; over
// the histogram chart, the values and the count of the bin under the mouse. The texts are the
// display layer's; these only show them.
#pragma once

#include <QString>

#include "core/image_header.h"
#include "core/toolkit.h"

class QPoint;
class QSlider;

namespace vtr::qt {

class HistogramChart;

// Shows, below the handle of `slider` (the logic's `which`) whenever the user moves it, the
// stored value its position stands for in the image of `header`.
void show_slider_values(QSlider& slider, Slider which, const ImageHeader& header);

// Answers the tooltip events over `chart` with chart_tip.
void show_bin_values(HistogramChart& chart, const ImageHeader& header);

// The chart's tooltip at `at`, a position in its viewport: the bin's tip inside the plot,
// the chart's own tooltip elsewhere.
QString chart_tip(const ImageHeader& header, HistogramChart& chart, const QPoint& at);

}  // namespace vtr::qt
