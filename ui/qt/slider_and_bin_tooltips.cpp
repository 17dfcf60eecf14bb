#include "ui/qt/slider_and_bin_tooltips.h"

#include <QChart>
#include <QEvent>
#include <QHelpEvent>
#include <QSlider>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "core/app.h"
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
std::string slider_tip(const App& app, Slider which, int position) {
  const auto at = [&](Slider s) { return s == which ? position : app.tk.slider_value(s); };
  return window_levels_tip(which, at(Slider::image_min), at(Slider::image_max), imagedivisor(app),
                           app.invimage == kTrue);
}

// Shows the slider's tip just below its handle.
void show_slider_tip(QSlider& s, Slider which, const App& app) {
  const int x =
      QStyle::sliderPositionFromValue(s.minimum(), s.maximum(), s.sliderPosition(), s.width());
  QToolTip::showText(s.mapToGlobal(QPoint(x, s.height())),
                     qtext(slider_tip(app, which, s.sliderPosition())), &s);
}

// Answers the tooltip events of the chart's viewport.
class ChartTips : public QObject {
 public:
  ChartTips(HistogramChart& chart, const App& app) : QObject(&chart), chart_(chart), app_(app) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), chart_tip(app_, chart_, help->pos()), &chart_);
    return true;
  }

 private:
  HistogramChart& chart_;
  const App& app_;
};

}  // namespace

QString chart_tip(const App& app, HistogramChart& view, const QPoint& at) {
  QChart* chart = view.chart();
  const QPointF inchart = chart->mapFromScene(view.mapToScene(at));
  if (!chart->plotArea().contains(inchart)) return view.toolTip();
  const double x = chart->mapToValue(inchart).x();
  const int bin = std::clamp(static_cast<int>(std::lround(x)), 0, 255);
  const auto count = static_cast<std::int64_t>(view.points().value(bin).y());
  return qtext(bintip(app, bin, count));
}

void show_slider_values(QSlider& slider, Slider which, const App& app) {
  QObject::connect(&slider, &QAbstractSlider::actionTriggered, &slider,
                   [&slider, which, &app](int) { show_slider_tip(slider, which, app); });
}

void show_bin_values(HistogramChart& chart, const App& app) {
  chart.viewport()->installEventFilter(new ChartTips(chart, app));
}

}  // namespace vtr::qt
