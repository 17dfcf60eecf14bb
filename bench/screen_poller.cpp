// Times one fresh process from its start to a known grey on screen.
//
//   vtr_screen_poller --grey G [--tolerance T] [--point X,Y | --centre] [--timeout S]
//                     [--log FILE] [--shot FILE.ppm] -- PROGRAM ARGS...
//
// Forks and execs PROGRAM, finds its top-level window (the viewable window whose _NET_WM_PID
// is the child's), and reads one pixel of the screen, from the root window, until each of its
// red, green and blue is within T of G. The pixel is (X, Y) of the window's client area, or
// the middle of that area with --centre (read anew at every poll, as the window may still be
// resized). Then the child is stopped (SIGSTOP, so nothing it does after counts), the whole
// screen is saved as a binary PPM when --shot names a file, the child is killed and reaped,
// and one line is printed:
//
//   shown 0.2140 s window 0.0710 s peak 187344 KiB
//
// (the start to the grey on screen, the start to the window found, the child's peak resident
// memory from its rusage). Exits 1 when the grey does not show within S seconds (default 30)
// or the child ends first, 2 on bad arguments.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Options {
  int grey = -1;
  int tolerance = 0;
  bool centre = false;
  int x = 0;
  int y = 0;
  double timeout = 30.0;
  std::string log = "/dev/null";
  std::string shot;
  std::vector<char*> command;
};

double now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void pause_ms(long ms) {
  const timespec t{0, ms * 1000000L};
  nanosleep(&t, nullptr);
}

std::optional<Options> parse(int argc, char** argv) {
  Options o;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string a = argv[i];
    const bool more = i + 1 < argc;
    if (a == "--") {
      ++i;
      break;
    }
    if (a == "--centre") {
      o.centre = true;
    } else if (a == "--grey" && more) {
      o.grey = std::atoi(argv[++i]);
    } else if (a == "--tolerance" && more) {
      o.tolerance = std::atoi(argv[++i]);
    } else if (a == "--timeout" && more) {
      o.timeout = std::atof(argv[++i]);
    } else if (a == "--log" && more) {
      o.log = argv[++i];
    } else if (a == "--shot" && more) {
      o.shot = argv[++i];
    } else if (a == "--point" && more) {
      if (std::sscanf(argv[++i], "%d,%d", &o.x, &o.y) != 2) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  for (; i < argc; ++i) o.command.push_back(argv[i]);
  o.command.push_back(nullptr);
  if (o.grey < 0 || o.grey > 255 || o.command.size() < 2) return std::nullopt;
  return o;
}

// A window that went away between two requests raises an error; the poll only tries again.
int ignore_x_error(Display*, XErrorEvent*) {
  return 0;
}

std::optional<unsigned long> window_pid(Display* d, Window w, Atom pid_atom) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long rest = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, w, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &rest,
                         &data) != Success ||
      data == nullptr) {
    return std::nullopt;
  }
  std::optional<unsigned long> pid;
  if (type == XA_CARDINAL && format == 32 && count == 1) {
    pid = *reinterpret_cast<unsigned long*>(data);
  }
  XFree(data);
  return pid;
}

// The largest viewable window of `pid` among the root's children and grandchildren (a
// window manager puts each client window into a frame of its own).
Window find_window(Display* d, Window parent, Atom pid_atom, pid_t pid, int depth, int& area) {
  Window root_return = 0;
  Window parent_return = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(d, parent, &root_return, &parent_return, &children, &count) == 0) return 0;
  Window best = 0;
  for (unsigned int i = 0; i < count; ++i) {
    const Window w = children[i];
    XWindowAttributes a{};
    if (XGetWindowAttributes(d, w, &a) == 0 || a.map_state != IsViewable) continue;
    const std::optional<unsigned long> p = window_pid(d, w, pid_atom);
    if (p && *p == static_cast<unsigned long>(pid) && a.width * a.height > area) {
      area = a.width * a.height;
      best = w;
    }
    if (depth > 0) {
      const Window inner = find_window(d, w, pid_atom, pid, depth - 1, area);
      if (inner != 0) best = inner;
    }
  }
  if (children != nullptr) XFree(children);
  return best;
}

// The screen's pixel at (x, y) of window `w`, as 0xRRGGBB; nothing when the window is gone.
std::optional<unsigned long> screen_pixel(Display* d, Window w, const Options& o) {
  XWindowAttributes a{};
  if (XGetWindowAttributes(d, w, &a) == 0) return std::nullopt;
  const int x = o.centre ? a.width / 2 : o.x;
  const int y = o.centre ? a.height / 2 : o.y;
  int rx = 0;
  int ry = 0;
  Window child = 0;
  const Window root = DefaultRootWindow(d);
  if (XTranslateCoordinates(d, w, root, x, y, &rx, &ry, &child) == 0) return std::nullopt;
  XImage* image = XGetImage(d, root, rx, ry, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return std::nullopt;
  const unsigned long p = XGetPixel(image, 0, 0);
  const Visual* v = DefaultVisual(d, DefaultScreen(d));
  XDestroyImage(image);
  auto channel = [p](unsigned long mask) {
    unsigned long c = p & mask;
    while (mask != 0 && (mask & 1) == 0) {
      mask >>= 1;
      c >>= 1;
    }
    return c & 0xFF;
  };
  return channel(v->red_mask) << 16 | channel(v->green_mask) << 8 | channel(v->blue_mask);
}

// The whole screen as a binary PPM.
void save_screen(Display* d, const std::string& path) {
  const Window root = DefaultRootWindow(d);
  XWindowAttributes a{};
  XGetWindowAttributes(d, root, &a);
  XImage* image = XGetImage(d, root, 0, 0, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (image != nullptr && f != nullptr) {
    std::fprintf(f, "P6\n%d %d\n255\n", a.width, a.height);
    for (int y = 0; y < a.height; ++y) {
      for (int x = 0; x < a.width; ++x) {
        const unsigned long p = XGetPixel(image, x, y);
        const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                      static_cast<unsigned char>(p >> 8),
                                      static_cast<unsigned char>(p)};
        std::fwrite(rgb, 1, 3, f);
      }
    }
  }
  if (f != nullptr) std::fclose(f);
  if (image != nullptr) XDestroyImage(image);
}

bool matches(unsigned long rgb, const Options& o) {
  for (int shift : {16, 8, 0}) {
    const int c = static_cast<int>((rgb >> shift) & 0xFF);
    if (std::abs(c - o.grey) > o.tolerance) return false;
  }
  return true;
}

pid_t start(const Options& o) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int out = open(o.log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out >= 0) {
    dup2(out, 1);
    dup2(out, 2);
  }
  execvp(o.command[0], o.command.data());
  std::fprintf(stderr, "cannot start %s: %s\n", o.command[0], std::strerror(errno));
  _exit(127);
}

long stop(pid_t pid) {
  kill(pid, SIGKILL);
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> o = parse(argc, argv);
  if (!o) {
    std::fprintf(stderr,
                 "usage: %s --grey G [--tolerance T] [--point X,Y | --centre] [--timeout S] "
                 "[--log FILE] [--shot FILE.ppm] -- PROGRAM ARGS...\n",
                 argv[0]);
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) {
    std::fprintf(stderr, "cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(ignore_x_error);
  const Atom pid_atom = XInternAtom(d, "_NET_WM_PID", False);

  const double t0 = now();
  const pid_t pid = start(*o);
  Window w = 0;
  double window_s = 0;
  unsigned long last = 0;
  while (now() - t0 < o->timeout) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      std::fprintf(stderr, "%s ended before the grey showed\n", o->command[0]);
      return 1;
    }
    if (w == 0) {
      int area = 0;
      w = find_window(d, DefaultRootWindow(d), pid_atom, pid, 2, area);
      if (w != 0) window_s = now() - t0;
    }
    if (w != 0) {
      const std::optional<unsigned long> rgb = screen_pixel(d, w, *o);
      if (rgb && matches(*rgb, *o)) {
        const double shown_s = now() - t0;
        kill(pid, SIGSTOP);
        if (!o->shot.empty()) save_screen(d, o->shot);
        const long peak = stop(pid);
        std::printf("shown %.4f s window %.4f s peak %ld KiB\n", shown_s, window_s, peak);
        return 0;
      }
      if (rgb) last = *rgb;
    }
    pause_ms(2);
  }
  const long peak = stop(pid);
  std::fprintf(stderr, "no grey %d within %.0f s (%s, last pixel #%06lx, peak %ld KiB)\n", o->grey,
               o->timeout, w != 0 ? "window found" : "no window", last, peak);
  return 1;
}
