// Writing to the message area, the busy protocol's button colours and task timing.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/toolkit.h"

namespace vtr {

struct App;

inline constexpr Rgb kBusyColour{0, 240, 0};
inline constexpr Rgb kIdleColour{128, 204, 255};
inline constexpr std::string_view kCrLf = "\r\n";

// Writes `line` at the top of the message area, only while showtext is on.
std::int16_t dt(App& app, std::string_view line);
// Writes `line` at the top of the message area whatever showtext says.
void addmessage(App& app, std::string_view line);
// Replaces the whole message area text.
void replacemessages(App& app, std::string_view text);
// Sets `etime` from the clock and `stime` and writes "time for last task " + n + "(s)".
std::int16_t elapsedtime(App& app);
// The whole seconds shown for an elapsed time, halves to even. A stage that spans midnight
// (clock below stime) counts the day's wrap; values past the 16-bit range show as 32767.
std::int16_t elapsedseconds(double etime);
// Busy colour for state -1, idle colour for any other state.
std::int16_t changebutton(App& app, Button button, std::int16_t state);

// The opening step of a guarded command: refuses with "[error] busy" and returns false while
// a task runs; otherwise sets busy, colours `button` busy and returns true.
bool beginguarded(App& app, Button button);
// The closing step: idle colour, busy cleared.
void endguarded(App& app, Button button);

}  // namespace vtr
