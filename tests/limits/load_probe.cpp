// Loads the files named on its command line one after another, as the get-image command
// does, and prints what each load left: the message lines it added (oldest first), the busy
// state, the open files and the get-image button's colour, and checksums of the stored image
// and of the picture. Run under a memory, address-space, data-size or thread limit by
// limits_test.sh, which compares its output with what the limit should give.
//
//   load_probe FILE...     the loads; exit status 0 when every load returned
//   load_probe --headroom  the headroom figures of this process, in MiB, and the load limit
//   load_probe --sanitized "yes" when built with AddressSanitizer, else "no"
//   load_probe --make DIR  writes the files the limit test loads (see probe_files.h)
#include <cstdint>
#include <iostream>
#include <string>

#include "core/messages.h"
#include "decode/memory_headroom.h"
#include "tests/limits/probe_files.h"
#include "tests/support/message_text.h"
#include "tests/support/process_state.h"
#include "tests/support/viewer.h"

namespace {

using vtr::test::FakeToolkit;

std::string mib(std::uint64_t bytes) {
  return bytes == UINT64_MAX ? "none" : std::to_string(bytes >> 20);
}

void printheadroom() {
  const vtr::Headroom h = vtr::readheadroom("/proc", vtr::processlimits());
  std::cout << "headroom MiB: available " << mib(h.available) << ", cgroup " << mib(h.cgroup)
            << ", address space " << mib(h.addressspace) << ", data " << mib(h.data)
            << "; load limit " << mib(vtr::loadlimitfor(h, 0)) << "\n";
}

// Channel 1 of every stored pixel, and the picture's grey levels, folded into one number each.
std::uint64_t storesum(const vtr::PixelStore& s) {
  std::uint64_t sum = 0;
  for (std::int32_t y = 1; y <= s.length(); ++y) {
    for (std::int32_t x = 1; x <= s.width(); ++x) {
      sum = sum * 31 + static_cast<std::uint32_t>(s.at(1, x, y));
    }
  }
  return sum;
}

std::uint64_t picturesum(const FakeToolkit& tk) {
  std::uint64_t sum = 0;
  for (const std::uint8_t g : tk.picture) sum = sum * 31 + g;
  return sum;
}

void load(vtr::test::Viewer& v, const std::string& path) {
  const std::string before = v.messages();
  std::cout << "== " << path << "\n";
  v.load(path);
  for (const auto& line : vtr::test::lines_oldest_first(v.added_since(before))) {
    std::cout << line << "\n";
  }
  const bool idle = v.tk.colours[vtr::Button::getimage_button] == vtr::kIdleColour;
  std::cout << "-- busy " << v.app.busy << ", open files " << v.app.files.open_count()
            << ", button " << (idle ? "idle" : "busy") << "\n";
  std::cout << "-- store " << v.app.store.width() << " x " << v.app.store.length() << " sum "
            << storesum(v.app.store) << ", picture " << v.tk.picture_w << " x " << v.tk.picture_h
            << " sum " << picturesum(v.tk) << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--sanitized") {
    std::cout << (vtr::test::kUnderAddressSanitizer ? "yes" : "no") << "\n";
    return 0;
  }
  if (first == "--headroom") {
    printheadroom();
    return 0;
  }
  if (first == "--make" && argc == 3) return vtr::test::makeprobefiles(argv[2]) ? 0 : 1;
  vtr::test::Viewer v;
  for (int i = 1; i < argc; ++i) load(v, argv[i]);
  return 0;
}
