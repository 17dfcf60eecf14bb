#include "core/messages.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/numtext.h"

namespace vtr {

namespace {
constexpr double kSecondsPerDay = 86400.0;
}

std::int16_t dt(App& app, std::string_view line) {
  app.lines.dump(line);
  return 0;
}

void addmessage(App& app, std::string_view line) {
  app.lines.error(line);
}

std::int16_t elapsedseconds(double etime) {
  if (std::isnan(etime)) return 0;
  // The clock restarts at midnight: a negative span means the stage ran across it.
  if (etime < 0) etime += kSecondsPerDay;
  if (etime < 0) etime = 0;
  double n = std::nearbyint(etime);  // default rounding mode: halves to even
  if (n > 32767.0) return 32767;
  return static_cast<std::int16_t>(n);
}

std::int16_t elapsedtime(App& app) {
  app.etime = app.tk.clock() - app.stime;
  if (app.etime < 0) app.etime += kSecondsPerDay;
  addmessage(app, "time for last task " + numtext(elapsedseconds(app.etime)) + "(s)");
  return 0;
}

std::int16_t changebutton(App& app, Button button, std::int16_t state) {
  app.tk.set_back_colour(button, button_colour(state));
  return 0;
}

bool begin_guarded(std::int16_t& busy, Toolkit& tk, MessageLines& lines, Button button) {
  if (busy == kTrue) {
    lines.error("[error] busy");
    return false;
  }
  busy = kTrue;
  tk.set_back_colour(button, button_colour(kTrue));
  return true;
}

void end_guarded(std::int16_t& busy, Toolkit& tk, Button button) {
  tk.set_back_colour(button, button_colour(kFalse));
  busy = kFalse;
}

}  // namespace vtr
