// The text of the message area `Text1`, newest line first.
//
// Every write puts the new line, CR LF, then the whole old text. The text is kept reversed so
// that a write costs only the new line, however long the area has grown.
#pragma once

#include <string>
#include <string_view>

namespace vtr {

// The end of every line of the area.
inline constexpr std::string_view kCrLf = "\r\n";

class MessageArea {
 public:
  // The whole text, as the area shows it.
  std::string text() const;
  // The first `count` characters of the text (all of it when it is shorter).
  std::string front(std::size_t count) const;
  // Puts `front` in front of the whole text.
  void prepend(std::string_view front);
  void replace(std::string_view text);
  std::size_t size() const { return reversed_.size(); }

 private:
  std::string reversed_;
};

}  // namespace vtr
