// Tooltips with stored values: beside a slider while it is dragged or moved with the keys, the
// value its position stands for; over the chart, the values and the count of the bin there.
#pragma once

#include <QString>

class QPoint;

namespace vtr::qt {

class Form1;

void install_value_tips(Form1& window);

// The chart's tooltip at `at`, a position in its viewport: the bin's tip inside the plot,
// the chart's own tooltip elsewhere.
QString chart_tip(Form1& window, const QPoint& at);

}  // namespace vtr::qt
