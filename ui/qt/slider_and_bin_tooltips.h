// The window's tooltips that name stored values of the image in memory: beside an intensity
// slider while it is dragged or moved with the keys, below which value the window shows black
// and from which white; over the histogram chart, the values and the count of the bin under
// the mouse. The texts are the display layer's; these only show them.
#pragma once

#include <QString>

#include "core/toolkit.h"

class QPoint;
class QSlider;

namespace vtr {
struct App;
}

namespace vtr::qt {

class HistogramChart;

// Shows, below the handle of `slider` (the logic's `which`) whenever the user moves it, where
// the window with the handle there puts black and white in `app`'s image.
void show_slider_values(QSlider& slider, Slider which, const App& app);

// Answers the tooltip events over `chart` with chart_tip.
void show_bin_values(HistogramChart& chart, const App& app);

// The chart's tooltip at `at`, a position in its viewport: the bin's tip inside the plot,
// the chart's own tooltip elsewhere.
QString chart_tip(const App& app, HistogramChart& chart, const QPoint& at);

}  // namespace vtr::qt
