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
  if (app.showtext == kTrue) addmessage(app, line);
  return 0;
}

void addmessage(App& app, std::string_view line) {
  std::string front;
  front.reserve(line.size() + 2);
  front.append(line).append(kCrLf);
  app.messages.prepend(front);
  app.tk.prepend_text(TextBox::Text1, front);
}

void replacemessages(App& app, std::string_view text) {
  app.messages.replace(text);
  app.tk.set_text(TextBox::Text1, text);
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
  app.tk.set_back_colour(button, state == kTrue ? kBusyColour : kIdleColour);
  return 0;
}

bool beginguarded(App& app, Button button) {
  if (app.busy == kTrue) {
    addmessage(app, "[error] busy");
    return false;
  }
  app.busy = kTrue;
  changebutton(app, button, kTrue);
  return true;
}

void endguarded(App& app, Button button) {
  changebutton(app, button, kFalse);
  app.busy = kFalse;
}

}  // namespace vtr
