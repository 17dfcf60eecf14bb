// MSChart1: the 256 histogram counts as one series in bin order. No part of it takes the
// focus; a screen reader is told it is a chart (ui/qt/accessible_roles.h).
#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>

#include "core/toolkit.h"

class QAreaSeries;
class QLineSeries;
class QValueAxis;

namespace vtr::qt {

class HistogramChart : public QChartView {
 public:
  explicit HistogramChart(QWidget* parent = nullptr);

  // Replaces all 256 points in one call.
  void set_counts(const HistogramCounts& counts);
  // The counts the chart shows, in bin order.
  QList<QPointF> points() const;
  QValueAxis* x_axis() const { return x_axis_; }

 private:
  QLineSeries* upper_;
  QAreaSeries* area_;
  QValueAxis* x_axis_;
  QValueAxis* y_axis_;
};

}  // namespace vtr::qt
