// Whether the program can open a window, asked before the window system is started.
//
// Qt ends a program whose window system it cannot start with an abort and a text that blames
// the installation. The program instead names what is missing, in one line on standard error,
// and ends with status 1. Help and version are answered before this is asked: they need no
// display.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace vtr::qt {

// Why no window can be opened with these arguments (the program's name first, Qt's own options
// among them) in this environment, or empty when one can be tried. A platform that draws
// without a display (offscreen, for instance) needs neither DISPLAY nor WAYLAND_DISPLAY.
QString missing_display(const QStringList& arguments, const QProcessEnvironment& environment);

// False, after the line on standard error, when missing_display names something.
bool display_available(int argc, char** argv);

// While it lives, a window system that was named but cannot be reached (DISPLAY names no
// running server, say) ends the program with one line and status 1 instead of an abort. It
// lives while the application object is made.
class PlatformStartWatch {
 public:
  PlatformStartWatch();
  ~PlatformStartWatch();
  PlatformStartWatch(const PlatformStartWatch&) = delete;
  PlatformStartWatch& operator=(const PlatformStartWatch&) = delete;
};

}  // namespace vtr::qt
