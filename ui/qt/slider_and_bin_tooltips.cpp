#include "ui/qt/slider_and_bin_tooltips.h"

#include <QChart>
#include <QEvent>
#include <QHelpEvent>
#include <QSlider>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "core/flags.h"
#include "display/valuetips.h"
#include "display/window_levels.h"
#include "ui/qt/histogram_chart.h"

namespace vtr::qt {

namespace {

QString qtext(const std::string& s) {
  return QString::fromStdString(s);
}

// The tip of slider `which` at `position`, the other slider where it stands, for the image in
// memory and the invert flag as they are now: the window the next paint draws.
std::string slider_tip(const TipRecords& records, Slider which, int position) {
  const auto at = [&](Slider s) { return s == which ? position : records.tk.slider_value(s); };
  return window_levels_tip(which, at(Slider::image_min), at(Slider::image_max),
                           image_divisor(records.header), records.invimage == kTrue);
}

// Shows the slider's tip just below its handle.
void show_slider_tip(QSlider& s, Slider which, const TipRecords& records) {
  const int x =
      QStyle::sliderPositionFromValue(s.minimum(), s.maximum(), s.sliderPosition(), s.width());
  QToolTip::showText(s.mapToGlobal(QPoint(x, s.height())),
                     qtext(slider_tip(records, which, s.sliderPosition())), &s);
}

// Answers the tooltip events of the chart's viewport.
class ChartTips : public QObject {
 public:
  ChartTips(HistogramChart& chart, const ImageHeader& header)
      : QObject(&chart), chart_(chart), header_(header) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), chart_tip(header_, chart_, help->pos()), &chart_);
    return true;
  }

 private:
  HistogramChart& chart_;
  const ImageHeader& header_;
};

}  // namespace

QString chart_tip(const ImageHeader& header, HistogramChart& view, const QPoint& at) {
  QChart* chart = view.chart();
  const QPointF inchart = chart->mapFromScene(view.mapToScene(at));
  if (!chart->plotArea().contains(inchart)) return view.toolTip();
  const double x = chart->mapToValue(inchart).x();
  const int bin = std::clamp(static_cast<int>(std::lround(x)), 0, 255);
  const auto count = static_cast<std::int64_t>(view.points().value(bin).y());
  return qtext(bin_tip(header, bin, count));
}

void show_slider_values(QSlider& slider, Slider which, const TipRecords& records) {
  QObject::connect(&slider, &QAbstractSlider::actionTriggered, &slider,
                   [&slider, which, records](int) { show_slider_tip(slider, which, records); });
}

void show_bin_values(HistogramChart& chart, const ImageHeader& header) {
  chart.viewport()->installEventFilter(new ChartTips(chart, header));
}

}  // namespace vtr::qt
