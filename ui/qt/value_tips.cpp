#include "ui/qt/value_tips.h"

#include <QChart>
#include <QEvent>
#include <QHelpEvent>
#include <QSlider>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "display/valuetips.h"
#include "ui/qt/form1.h"
#include "ui/qt/histogram_chart.h"

namespace vtr::qt {

namespace {

QString qtext(const std::string& s) {
  return QString::fromStdString(s);
}

// Shows the slider's tip just below its handle.
void show_slider_tip(Form1& window, Slider which) {
  QSlider* s = window.slider(which);
  const int x =
      QStyle::sliderPositionFromValue(s->minimum(), s->maximum(), s->sliderPosition(), s->width());
  QToolTip::showText(s->mapToGlobal(QPoint(x, s->height())),
                     qtext(slider_tip(window.app().header, which, s->sliderPosition())), s);
}

// Answers the tooltip events of the chart's viewport.
class ChartTips : public QObject {
 public:
  ChartTips(Form1& window, QObject* parent) : QObject(parent), w_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), chart_tip(w_, help->pos()), w_.chart());
    return true;
  }

 private:
  Form1& w_;
};

}  // namespace

QString chart_tip(Form1& window, const QPoint& at) {
  HistogramChart* view = window.chart();
  QChart* chart = view->chart();
  const QPointF inchart = chart->mapFromScene(view->mapToScene(at));
  if (!chart->plotArea().contains(inchart)) return view->toolTip();
  const double x = chart->mapToValue(inchart).x();
  const int bin = std::clamp(static_cast<int>(std::lround(x)), 0, 255);
  const auto count = static_cast<std::int64_t>(view->points().value(bin).y());
  return qtext(bin_tip(window.app().header, bin, count));
}

void install_value_tips(Form1& window) {
  for (Slider which : {Slider::image_min, Slider::image_max}) {
    QObject::connect(window.slider(which), &QAbstractSlider::actionTriggered, window.slider(which),
                     [&window, which](int) { show_slider_tip(window, which); });
  }
  window.chart()->viewport()->installEventFilter(new ChartTips(window, window.chart()));
}

}  // namespace vtr::qt
