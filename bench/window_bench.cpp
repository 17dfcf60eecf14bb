// The real main window, offscreen: the time from the file dialog's answer to the painted
// picture for an 8192 x 8192 16-bit file, and the peak resident memory against the store.
//
// Then the window's responsiveness figures (bench/window_figures.h).
//
// Usage: vtr_window_bench [runs]   (run with QT_QPA_PLATFORM=offscreen)
// Each run clicks get image in the same window, as a user loading the file again would; the
// time ends when the click has returned with "image painted" written and one event pass has
// put the last rows on screen.
#include <QApplication>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/window_figures.h"
#include "core/pixel_store.h"
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
  long first_hwm_kb = 0;
  for (int i = 0; i < runs; ++i) {
    window.button(vtr::Button::getimage_button)->click();
    QApplication::processEvents();
    const double s = std::chrono::duration<double>(Clock::now() - answered).count();
    const std::string text = window.app().messages.text();
    if (text.rfind("image painted\r\n", 0) != 0 &&
        text.find("\r\nimage painted\r\n") == std::string::npos) {
      std::fprintf(stderr, "run %d: no \"image painted\" line\n", i + 1);
      return 1;
    }
    times.push_back(s);
    if (i == 0) first_hwm_kb = statuskb("VmHWM");
    std::printf("window run %d: dialog answer to painted picture %.3f s\n", i + 1, s);
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  const double store_mb =
      static_cast<double>(vtr::PixelStore::bytes_for(kSide, kSide, vtr::StoreKind::grey16)) /
      1048576.0;
  const double picture_mb = (kSide / 2.0) * (kSide / 2.0) / 1048576.0;  // one grey byte a pixel
  const double hwm_mb = static_cast<double>(statuskb("VmHWM")) / 1024.0;
  const double before_mb = static_cast<double>(before_kb) / 1024.0;
  const double growth = (hwm_mb - before_mb) / (store_mb + picture_mb);
  std::printf("window %dx%d 16-bit: median of %d runs %.3f s (limit 2 s: %s)\n", kSide, kSide, runs,
              median, median < 2.0 ? "ok" : "OVER");
  std::printf(
      "window peak resident memory (VmHWM) %.0f MiB after the first load, %.0f MiB after all; "
      "before any load %.0f MiB; store %.0f MiB, picture %.0f MiB; growth / (store + picture) "
      "%.3f (limit 1.25: %s)\n",
      static_cast<double>(first_hwm_kb) / 1024.0, hwm_mb, before_mb, store_mb, picture_mb, growth,
      growth < 1.25 ? "ok" : "OVER");
  vtr::bench::print_window_figures();
  return 0;
}
