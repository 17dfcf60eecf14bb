#include "bench/window_figures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "core/messages.h"
#include "tests/gui/testing_window.h"
#include "tests/support/tiff_builder.h"
#include "ui/qt/form1.h"
#include "ui/qt/message_view.h"

namespace vtr::bench {
namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int report(const char* what, double value, const char* unit, double limit) {
  const bool over = value >= limit;
  std::printf("%s: %.3f %s (limit %g %s: %s)\n", what, value, unit, limit, unit,
              over ? "OVER" : "ok");
  return over ? 1 : 0;
}

std::unique_ptr<gui::TestingWindow> window_answering(const std::string& path) {
  auto w = std::make_unique<gui::TestingWindow>();
  w->toolkit().dialog_hook = [path]() -> std::optional<std::string> { return path; };
  w->toolkit().box_hook = [](const qt::BoxRequest&) { return Answer::ok; };
  w->show();
  QApplication::processEvents();
  return w;
}

// The longest time the window waits for an event pass, from the click on get image to its
// return with the picture painted (the last rows, the chart, the time line and the paint
// included). Median of three loads of a 4096 x 4096 16-bit file.
int pump_gap() {
  const std::string path = benchfile(Kind::grey16ii, 4096);
  std::vector<double> worst_ms;
  for (int run = 0; run < 3; ++run) {
    auto w = window_answering(path);
    QElapsedTimer since;
    qint64 worst = 0;
    w->toolkit().pump_hook = [&] {
      if (since.isValid()) worst = std::max(worst, since.nsecsElapsed());
      since.restart();
    };
    since.start();
    w->button(Button::getimage_button)->click();
    worst = std::max(worst, since.nsecsElapsed());
    w->toolkit().pump_hook = nullptr;
    worst_ms.push_back(static_cast<double>(worst) / 1e6);
    std::printf("window load %d of 4096 x 4096 16-bit: longest wait for an event pass %.1f ms\n",
                run + 1, worst_ms.back());
  }
  return report("window longest event-pump gap during a 4096 x 4096 16-bit load (median of 3)",
                median(worst_ms), "ms", 50.0);
}

// One more line added to a message area of 100,000 lines and shown: median of 41.
int add_line() {
  auto w = window_answering("");
  std::string many;
  many.reserve(100000 * 24);
  for (int i = 0; i < 100000; ++i) many += "line " + std::to_string(i) + " of the area\r\n";
  w->app().lines.replace(many);
  QApplication::processEvents();
  std::vector<double> ms;
  for (int i = 0; i < 41; ++i) {
    QElapsedTimer t;
    t.start();
    addmessage(w->app(), "one more line");
    w->message_view()->flush();
    ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  return report("window adding one line to 100,000 (median of 41)", median(ms), "ms", 1.0);
}

// The header dump of a file of 1024 strips, from the click to the lines shown: median of 5.
int header_dump() {
  test::TempFile file(test::one_row_strips(1024));
  std::vector<double> ms;
  for (int run = 0; run < 5; ++run) {
    auto w = window_answering(file.path());
    QElapsedTimer t;
    t.start();
    w->button(Button::getheader_button)->click();
    w->message_view()->flush();
    ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  return report("window header dump of 1024 strips shown (median of 5)", median(ms), "ms", 200.0);
}

// The chart fed 256 new counts and drawn: median of 21.
int chart_feed() {
  auto w = window_answering("");
  HistogramCounts counts{};
  std::vector<double> ms;
  for (int i = 0; i < 21; ++i) {
    for (int b = 0; b < 256; ++b)
      counts[static_cast<std::size_t>(b)] = (b * 7919 + i * 104729) % 100000;
    QElapsedTimer t;
    t.start();
    w->app().tk.set_chart_data(counts);
    QApplication::processEvents();
    ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  return report("window chart fed and drawn (median of 21)", median(ms), "ms", 5.0);
}

}  // namespace

int print_window_figures() {
  return pump_gap() + add_line() + header_dump() + chart_feed();
}

}  // namespace vtr::bench
