// Fuzzes the get-header command: the header dump of one file, then of a second file parsed
// with the header record the first one left.
#include <cstddef>
#include <cstdint>

#include "decode/readfile.h"
#include "fuzz/fuzz_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vtr::fuzz;
  static MemFile first("vtr-fuzz-a");
  static MemFile second("vtr-fuzz-b");

  Parts parts = split_input(data, size);
  Session s;
  first.write(parts.first);
  s.tk.file_name = first.path();
  vtr::getheader_button_Click(s.app);
  check_after_command(s.app);
  if (parts.has_second) {
    second.write(parts.second);
    s.tk.file_name = second.path();
    vtr::getheader_button_Click(s.app);
    check_after_command(s.app);
  }
  return 0;
}
