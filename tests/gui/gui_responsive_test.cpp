// The window with long message areas, long header dumps and large loads: every line shows,
// and events keep running during a load. How long these take is measured by the window
// benchmark (bench/window_bench.cpp), not asserted here.
#include <QApplication>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <vector>

#include "core/messages.h"
#include "tests/gui/gui_support.h"
#include "tests/support/tiff_builder.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/message_view.h"
#include "ui/qt/picture_surface.h"

using namespace vtr;

class GuiResponsiveTest : public QObject {
  Q_OBJECT

 private slots:
  void addingALineToAHundredThousandKeepsEveryLine();
  void headerDumpOfAThousandStripsShowsEveryLine();
  void windowAnswersDuringALargeLoad();
  void feedingTheChartShowsEveryBin();
};

void GuiResponsiveTest::addingALineToAHundredThousandKeepsEveryLine() {
  auto w = gui::open_window();
  std::string many;
  many.reserve(100000 * 24);
  for (int i = 0; i < 100000; ++i) many += "line " + std::to_string(i) + " of the area\r\n";
  w->app().lines.replace(many);
  QApplication::processEvents();
  QCOMPARE(w->message_view()->document()->blockCount(), 100001);

  for (int i = 0; i < 41; ++i) {
    addmessage(w->app(), "one more line");
    w->message_view()->flush();  // shown in the box, not only kept
  }
  QCOMPARE(w->message_view()->document()->blockCount(), 100042);
  QVERIFY(w->message_view()->toPlainText().startsWith(QStringLiteral("one more line\n")));
}

void GuiResponsiveTest::headerDumpOfAThousandStripsShowsEveryLine() {
  auto w = gui::open_window();
  test::TempFile file(test::one_row_strips(1024));
  gui::answer_dialog(*w, file.path());

  gui::click(*w, Button::getheader_button);
  w->message_view()->flush();
  QVERIFY2(w->message_view()->document()->blockCount() > 2000, "the dump lists every strip");
}

void GuiResponsiveTest::windowAnswersDuringALargeLoad() {
  auto w = gui::open_window();
  constexpr int kSide = 4096;
  test::StripImage shape;
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

  long pumps = 0;
  bool clicked = false;
  w->toolkit().pump_hook = [&] {
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

  gui::click(*w, Button::getimage_button);
  ticker.stop();
  w->toolkit().pump_hook = nullptr;

  QVERIFY(gui::message_lines(*w).contains(QStringLiteral("image painted")));
  QVERIFY(gui::message_lines(*w).contains(QStringLiteral("[error] busy")));
  QVERIFY2(pumps >= 50, "the load runs the window's events while it reads the rows");
  QVERIFY2(ticks > 0, "a timer in the window ticks during the load");
  w->picture()->removeEventFilter(&painted);
  const long long visible = 512LL * 512;
  qInfo("picture repainted %lld pixels, %.1f times its visible area", painted.area,
        static_cast<double>(painted.area) / visible);
  QVERIFY2(painted.area > 0, "the rows show while they are drawn");
  QVERIFY2(painted.area < 8 * visible, "no whole-picture repaint per row");
}

void GuiResponsiveTest::feedingTheChartShowsEveryBin() {
  auto w = gui::open_window();
  HistogramCounts counts{};
  for (int i = 0; i < 21; ++i) {
    for (int b = 0; b < 256; ++b)
      counts[static_cast<std::size_t>(b)] = (b * 7919 + i * 104729) % 100000;
    w->app().tk.set_chart_data(counts);
    QApplication::processEvents();  // drawn, not only handed over
  }
  const QList<QPointF> shown = w->chart()->points();
  QCOMPARE(shown.size(), 256);
  QCOMPARE(shown[255].y(), static_cast<double>(counts[255]));
}

int run_responsive_tests(int argc, char** argv) {
  GuiResponsiveTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "gui_responsive_test.moc"
