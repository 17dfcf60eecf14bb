// Where message lines go: the one interface through which the header parse, the decoders
// and the display write to the message area without seeing the rest of the program.
#pragma once

#include <string_view>

namespace vtr {

class MessageLines {
 public:
  // A line of the header dump: dropped unless the dump is shown.
  virtual void dump(std::string_view line) = 0;
  // A line always written: error lines and every status line.
  virtual void error(std::string_view line) = 0;
  // True while dump lines are shown, so that long lists skip building lines nobody sees.
  virtual bool dumpshown() const = 0;

 protected:
  ~MessageLines() = default;
};

}  // namespace vtr
