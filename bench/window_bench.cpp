// The real main window, offscreen: the time from the file dialog's answer to the painted
// picture for an 8192 x 8192 16-bit file against the same click without a window, and the peak
// resident memory against the store and the picture.
//
// Then the window's responsiveness figures (bench/window_figures.h).
//
// Usage: vtr_window_bench [runs]   (run with QT_QPA_PLATFORM=offscreen)
// Each run clicks get image in the same window, as a user loading the file again would; the
// time ends when the click has returned with "image painted" written and one event pass has
// put the last rows on screen. After each, the same click runs without a window, through the
// lean toolkit in a program record of its own (a first load, the picture kept as the window
// keeps it): the window's share is the chart, the lines, the progress bar, the events and the
// picture put on screen.
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/lean_toolkit.h"
#include "bench/window_figures.h"
#include "core/app.h"
#include "core/pixel_store.h"
#include "decode/readfile.h"
#include "tests/gui/testing_window.h"
#include "ui/qt/form1.h"

namespace {

using Clock = std::chrono::steady_clock;

// A field of /proc/self/status in kB, e.g. "VmHWM"; 0 when it cannot be read.
long statuskb(const std::string& field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return 0;
}

double since(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

// The get-image click on `path` without a window, in a fresh program record: seconds.
double headless_load(const std::string& path) {
  vtr::bench::LeanToolkit tk;
  vtr::App app{tk};
  tk.set_dialog_answer(path);
  const auto t0 = Clock::now();
  vtr::getimage_button_Click(app);
  return since(t0);
}

double median_of(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The most the window may add to the click without a window, as a share of the whole: set
// from runs on the 2-core development machine beside other work (bench/README.md).
constexpr double kWindowShareLimit = 1.5;

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  constexpr int kSide = 8192;
  const std::string path = vtr::bench::benchfile(vtr::bench::Kind::grey16ii, kSide);

  QApplication application(argc, argv);
  vtr::gui::TestingWindow window;
  window.show();
  QApplication::processEvents();
  const long before_kb = statuskb("VmRSS");

  // What one event pump costs when nothing is pending, as a load makes one per row.
  constexpr int kPumps = 20000;
  const auto p0 = Clock::now();
  for (int i = 0; i < kPumps; ++i) window.toolkit().pump_events();
  std::printf("window event pump with nothing pending: %.2f us per call\n",
              std::chrono::duration<double>(Clock::now() - p0).count() * 1e6 / kPumps);

  Clock::time_point answered;
  window.toolkit().dialog_hook = [&]() -> std::optional<std::string> {
    answered = Clock::now();
    return path;
  };
  window.toolkit().box_hook = [](const vtr::qt::BoxRequest&) { return vtr::Answer::ok; };

  std::vector<double> times;
  std::vector<double> headless;
  long first_hwm_kb = 0;
  for (int i = 0; i < runs; ++i) {
    window.button(vtr::Button::getimage_button)->click();
    QApplication::processEvents();
    const double s = since(answered);
    const std::string text = window.app().messages.text();
    if (text.rfind("image painted\r\n", 0) != 0 &&
        text.find("\r\nimage painted\r\n") == std::string::npos) {
      std::fprintf(stderr, "run %d: no \"image painted\" line\n", i + 1);
      return 1;
    }
    times.push_back(s);
    // The peak before the first run without a window, whose store and picture add to it.
    if (i == 0) first_hwm_kb = statuskb("VmHWM");
    headless.push_back(headless_load(path));
    std::printf("window run %d: dialog answer to painted picture %.3f s, without a window %.3f s\n",
                i + 1, s, headless.back());
  }
  const double median = median_of(times);
  const double bare = median_of(headless);
  const double store_mb =
      static_cast<double>(vtr::PixelStore::bytes_for(kSide, kSide, vtr::StoreKind::grey16)) /
      1048576.0;
  const double picture_mb = (kSide / 2.0) * (kSide / 2.0) / 1048576.0;  // one grey byte a pixel
  const double hwm_mb = static_cast<double>(first_hwm_kb) / 1024.0;
  const double before_mb = static_cast<double>(before_kb) / 1024.0;
  const double growth = (hwm_mb - before_mb) / (store_mb + picture_mb);
  std::printf(
      "window %dx%d 16-bit: median of %d runs %.3f s, without a window %.3f s; window / without "
      "%.2f (limit %.1f: %s)\n",
      kSide, kSide, runs, median, bare, median / bare, kWindowShareLimit,
      median / bare <= kWindowShareLimit ? "ok" : "OVER");
  std::printf(
      "window peak resident memory (VmHWM) %.0f MiB after the first load; before any load "
      "%.0f MiB; store %.0f MiB, picture %.0f MiB; growth / (store + picture) %.3f (limit 1.25: "
      "%s)\n",
      hwm_mb, before_mb, store_mb, picture_mb, growth, growth < 1.25 ? "ok" : "OVER");
  vtr::bench::print_window_figures();
  return 0;
}
