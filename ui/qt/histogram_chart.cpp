#include "ui/qt/histogram_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace vtr::qt {

HistogramChart::HistogramChart(QWidget* parent)
    : QChartView(parent),
      upper_(new QLineSeries),
      area_(new QAreaSeries(upper_)),
      x_axis_(new QValueAxis),
      y_axis_(new QValueAxis) {
  upper_->setParent(area_);  // an area series does not own its boundary line
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundRoundness(0);
  chart->addSeries(area_);
  area_->setPen(QPen(QColor(0, 0, 160), 1));
  area_->setBrush(QColor(64, 64, 224));

  QFont small = font();
  small.setPointSize(7);
  x_axis_->setRange(0, 255);
  x_axis_->setTickCount(6);
  x_axis_->setLabelFormat(QStringLiteral("%d"));
  x_axis_->setTitleText(QStringLiteral("Pixel Value"));
  x_axis_->setTitleFont(small);
  x_axis_->setLabelsFont(small);
  y_axis_->setRange(0, 1);
  y_axis_->setTickCount(2);
  y_axis_->setLabelFormat(QStringLiteral("%d"));
  y_axis_->setLabelsFont(small);
  chart->addAxis(x_axis_, Qt::AlignBottom);
  chart->addAxis(y_axis_, Qt::AlignLeft);
  area_->attachAxis(x_axis_);
  area_->attachAxis(y_axis_);

  QChart* placeholder = this->chart();  // the view's own empty chart, released by setChart
  setChart(chart);
  delete placeholder;
  setRenderHint(QPainter::Antialiasing, false);
  // The chart takes no focus: the commands of its menu have keys, and its bins' tips follow
  // the mouse. Qt still makes the plot inside it focusable, which a screen reader announces
  // as a focusable item without a name.
  viewport()->setFocusPolicy(Qt::NoFocus);
  set_counts(HistogramCounts{});
}

void HistogramChart::set_counts(const HistogramCounts& counts) {
  QList<QPointF> pts;
  pts.reserve(static_cast<qsizetype>(counts.size()));
  std::int32_t top = 0;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    pts.append(QPointF(static_cast<double>(i), static_cast<double>(counts[i])));
    top = std::max(top, counts[i]);
  }
  upper_->replace(pts);
  y_axis_->setRange(0, std::max<std::int32_t>(top, 1));
}

QList<QPointF> HistogramChart::points() const {
  return upper_->points();
}

}  // namespace vtr::qt
