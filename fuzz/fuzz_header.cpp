// Fuzzes the get-header command: the header dump of one file, then of a second file parsed
// with the header record the first one left.
#include <cstddef>
#include <cstdint>

#include "decode/readfile.h"
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vtr::fuzz::runfiles(data, size, [](vtr::fuzz::Session& s, std::span<const std::uint8_t>, bool) {
    vtr::getheader_button_Click(s.app);
    vtr::fuzz::check_after_command(s.app);
  });
  return 0;
}
