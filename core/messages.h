// Writing to the message area, the busy protocol's button colours and task timing.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/flags.h"
#include "core/message_lines.h"
#include "core/toolkit.h"

namespace vtr {

struct App;

inline constexpr Rgb kBusyColour{0, 240, 0};
inline constexpr Rgb kIdleColour{128, 204, 255};

// Writes `line` at the top of the message area, only while showtext is on.
std::int16_t dt(App& app, std::string_view line);
// Writes `line` at the top of the message area whatever showtext says.
void addmessage(App& app, std::string_view line);
// Sets `etime` from the clock and `stime` and writes "time for last task " + n + "(s)".
std::int16_t elapsedtime(App& app);
// The whole seconds shown for an elapsed time, halves to even. A stage that spans midnight
// (clock below stime) counts the day's wrap; values past the 16-bit range show as 32767.
std::int16_t elapsedseconds(double etime);
// Busy colour for state -1, idle colour for any other state.
std::int16_t changebutton(App& app, Button button, std::int16_t state);
// The colour changebutton gives a button for `state`.
constexpr Rgb button_colour(std::int16_t state) {
  return state == kTrue ? kBusyColour : kIdleColour;
}

// The opening step of a guarded command: refuses with "[error] busy" in `lines` and returns
// false while `busy` is true; otherwise sets `busy`, colours `button` busy and returns true.
bool begin_guarded(std::int16_t& busy, Toolkit& tk, MessageLines& lines, Button button);
// The closing step: idle colour, `busy` cleared.
void end_guarded(std::int16_t& busy, Toolkit& tk, Button button);

}  // namespace vtr
