// Loads the files named on its command line one after another, as the get-image command
// does, and prints what each load left: the message lines it added (oldest first), the busy
// state, the open files and the get-image button's colour, and checksums of the stored image
// and of the picture. Run under a memory, address-space, data-size or thread limit by
// limits_test.sh, which compares its output with what the limit should give.
//
//   load_probe FILE...     the loads; exit status 0 when every load returned
//   load_probe --headroom  the headroom figures of this process, in MiB, and the store limit
//   load_probe --sanitized "yes" when built with AddressSanitizer, else "no"
//   load_probe --make DIR  writes the files the limit test loads (see probe_files.h)
#include <cstdint>
#include <iostream>
#include <string>

#include "core/app.h"
#include "core/messages.h"
#include "decode/memory_headroom.h"
#include "decode/readfile.h"
#include "tests/limits/probe_files.h"
#include "tests/support/fake_toolkit.h"
#include "ui/commands.h"

namespace {

using vtr::test::FakeToolkit;

std::string mib(std::uint64_t bytes) {
  return bytes == UINT64_MAX ? "none" : std::to_string(bytes >> 20);
}

void printheadroom() {
  const vtr::Headroom h = vtr::readheadroom("/proc", vtr::processlimits());
  std::cout << "headroom MiB: available " << mib(h.available) << ", cgroup " << mib(h.cgroup)
            << ", address space " << mib(h.addressspace) << ", data " << mib(h.data)
            << "; store limit " << mib(vtr::storelimitfor(h, 0)) << "\n";
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

// The lines a load added to the message area (newest first, CR LF after each), oldest first.
void printadded(const std::string& now, std::size_t before) {
  std::string added = now.substr(0, now.size() - before);
  std::string lines;
  while (!added.empty()) {
    std::size_t end = added.find("\r\n");
    if (end == std::string::npos) end = added.size();
    lines = added.substr(0, end) + "\n" + lines;
    added.erase(0, std::min(added.size(), end + 2));
  }
  std::cout << lines;
}

void load(vtr::App& app, FakeToolkit& tk, const std::string& path) {
  const std::size_t before = tk.text(vtr::TextBox::Text1).size();
  std::cout << "== " << path << "\n";
  tk.dialog_answers.push_back(path);
  vtr::getimage_button_Click(app);
  printadded(tk.text(vtr::TextBox::Text1), before);
  const bool idle = tk.colours[vtr::Button::getimage_button] == vtr::kIdleColour;
  std::cout << "-- busy " << app.busy << ", open files " << app.files.open_count() << ", button "
            << (idle ? "idle" : "busy") << "\n";
  std::cout << "-- store " << app.store.width() << " x " << app.store.length() << " sum "
            << storesum(app.store) << ", picture " << tk.picture_w << " x " << tk.picture_h
            << " sum " << picturesum(tk) << std::endl;
}

bool sanitized() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
  return __has_feature(address_sanitizer);
#else
  return false;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--sanitized") {
    std::cout << (sanitized() ? "yes" : "no") << "\n";
    return 0;
  }
  if (first == "--headroom") {
    printheadroom();
    return 0;
  }
  if (first == "--make" && argc == 3) return vtr::test::makeprobefiles(argv[2]) ? 0 : 1;
  FakeToolkit tk;
  tk.record_progress = false;
  vtr::App app{tk};
  vtr::form_load(app);
  for (int i = 1; i < argc; ++i) load(app, tk, argv[i]);
  return 0;
}
