// Responsiveness of the window: long message areas, long header dumps and large loads.
#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <vector>

#include "tests/gui/gui_support.h"
#include "tests/support/tiff_builder.h"
#include "ui/messages.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/message_view.h"
#include "ui/qt/picture_surface.h"

using namespace vtr;

class GuiPerfTest : public QObject {
  Q_OBJECT

 private slots:
  void addingALineToAHundredThousandStaysUnderOneMillisecond();
  void headerDumpOfAThousandStripsShowsQuickly();
  void windowAnswersDuringALargeLoad();
  void feedingTheChartStaysCheap();
};

void GuiPerfTest::addingALineToAHundredThousandStaysUnderOneMillisecond() {
  auto w = gui::open_window();
  std::string many;
  many.reserve(100000 * 24);
  for (int i = 0; i < 100000; ++i) many += "line " + std::to_string(i) + " of the area\r\n";
  replacemessages(w->app(), many);
  QApplication::processEvents();
  QCOMPARE(w->message_view()->document()->blockCount(), 100001);

  std::vector<qint64> costs;
  for (int i = 0; i < 41; ++i) {
    QElapsedTimer t;
    t.start();
    addmessage(w->app(), "one more line");
    w->message_view()->flush();  // shown in the box, not only kept
    costs.push_back(t.nsecsElapsed());
  }
  std::sort(costs.begin(), costs.end());
  const double median_ms = costs[costs.size() / 2] / 1e6;
  qInfo("adding one line to 100,000: median %.3f ms, worst %.3f ms", median_ms, costs.back() / 1e6);
  QVERIFY2(median_ms < 1.0, "adding a line costs under 1 ms");
  QCOMPARE(w->message_view()->document()->blockCount(), 100042);
  QVERIFY(w->message_view()->toPlainText().startsWith(QStringLiteral("one more line\n")));
}

void GuiPerfTest::headerDumpOfAThousandStripsShowsQuickly() {
  auto w = gui::open_window();
  test::TiffBuilder b;
  std::vector<std::uint32_t> offsets(1024);
  for (std::uint32_t i = 0; i < 1024; ++i) offsets[i] = i * 4;
  b.short_value(256, 4)
      .short_value(257, 1024)
      .short_value(258, 8)
      .short_value(259, 1)
      .short_value(262, 1)
      .strip_offsets(offsets)
      .short_value(277, 1)
      .short_value(278, 1)
      .longs_at(279, std::vector<std::uint32_t>(1024, 4))
      .data(test::Bytes(4096, 7));
  test::TempFile file(b.build());
  gui::answer_dialog(*w, file.path());

  QElapsedTimer t;
  t.start();
  gui::click(*w, Button::getheader_button);
  w->message_view()->flush();
  const double ms = t.nsecsElapsed() / 1e6;
  const int blocks = w->message_view()->document()->blockCount();
  qInfo("header dump of %d lines shown in %.1f ms", blocks, ms);
  QVERIFY2(blocks > 2000, "the dump lists every strip");
  QVERIFY2(ms < 200.0, "the dump shows in under 0.2 s");
}

void GuiPerfTest::windowAnswersDuringALargeLoad() {
  auto w = gui::open_window();
  constexpr int kSide = 4096;
  test::ImageSpec shape;
  shape.bits = 16;
  shape.width = kSide;
  shape.length = kSide;
  shape.rowsperstrip = 16;
  shape.pixels.resize(static_cast<std::size_t>(kSide) * kSide * 2);
  for (std::size_t i = 0; i < shape.pixels.size(); ++i)
    shape.pixels[i] = static_cast<std::uint8_t>(i * 31 >> 3);
  test::TempFile file(test::image(shape));
  shape.pixels.clear();
  shape.pixels.shrink_to_fit();
  gui::answer_dialog(*w, file.path());

  QElapsedTimer since_pump;
  qint64 worst_gap = 0;
  long pumps = 0;
  bool clicked = false;
  w->toolkit().pump_hook = [&] {
    if (since_pump.isValid()) worst_gap = std::max(worst_gap, since_pump.nsecsElapsed());
    since_pump.restart();
    ++pumps;
    // A click on clear in the middle of the load is answered at once with the busy line.
    if (!clicked && pumps == 50) {
      clicked = true;
      QTimer::singleShot(
          0, [&] { QTest::mouseClick(w->button(Button::clear_button), Qt::LeftButton); });
    }
  };
  // Painting stays proportional to the rows drawn: sum the areas the picture repaints.
  struct PaintArea : QObject {
    long long area = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) {
        for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
          area += 1LL * r.width() * r.height();
      }
      return false;
    }
  } painted;
  w->picture()->installEventFilter(&painted);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(10);

  QElapsedTimer total;
  total.start();
  gui::click(*w, Button::getimage_button);
  const double seconds = total.nsecsElapsed() / 1e9;
  ticker.stop();
  w->toolkit().pump_hook = nullptr;

  qInfo("load and paint of %dx%d 16-bit: %.2f s, %ld pumps, worst gap %.1f ms, %d timer ticks",
        kSide, kSide, seconds, pumps, worst_gap / 1e6, ticks);
  QVERIFY(gui::message_lines(*w).contains(QStringLiteral("image painted")));
  QVERIFY(gui::message_lines(*w).contains(QStringLiteral("[error] busy")));
  QVERIFY2(worst_gap < 50'000'000, "the window runs its events at least 20 times a second");
  QVERIFY2(ticks >= static_cast<int>(seconds * 20), "a timer in the window keeps ticking");
  w->picture()->removeEventFilter(&painted);
  const long long visible = 512LL * 512;
  qInfo("picture repainted %lld pixels, %.1f times its visible area", painted.area,
        static_cast<double>(painted.area) / visible);
  QVERIFY2(painted.area > 0, "the rows show while they are drawn");
  QVERIFY2(painted.area < 8 * visible, "no whole-picture repaint per row");
}

void GuiPerfTest::feedingTheChartStaysCheap() {
  auto w = gui::open_window();
  HistogramCounts counts{};
  std::vector<qint64> costs;
  for (int i = 0; i < 21; ++i) {
    for (int b = 0; b < 256; ++b)
      counts[static_cast<std::size_t>(b)] = (b * 7919 + i * 104729) % 100000;
    QElapsedTimer t;
    t.start();
    w->app().tk.set_chart_data(counts);
    QApplication::processEvents();  // drawn, not only handed over
    costs.push_back(t.nsecsElapsed());
  }
  std::sort(costs.begin(), costs.end());
  const double median_ms = costs[costs.size() / 2] / 1e6;
  qInfo("feeding and drawing the chart: median %.2f ms, worst %.2f ms", median_ms,
        costs.back() / 1e6);
  QVERIFY2(median_ms < 5.0, "a chart feed costs a few milliseconds at most");
  const QList<QPointF> shown = w->chart()->points();
  QCOMPARE(shown.size(), 256);
  QCOMPARE(shown[255].y(), static_cast<double>(counts[255]));
}

int run_perf_tests(int argc, char** argv) {
  GuiPerfTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "gui_perf_test.moc"
