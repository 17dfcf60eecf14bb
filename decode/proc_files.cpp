#include "decode/proc_files.h"

#include <cstdint>
#include <fstream>
#include <sstream>

namespace vtr {

std::optional<std::uint64_t> filenumber(const std::string& path) {
  std::ifstream in(path);
  std::string word;
  if (!(in >> word)) return std::nullopt;
  if (word == "max") return UINT64_MAX;
  std::istringstream digits(word);
  std::uint64_t value = 0;
  if (!(digits >> value)) return std::nullopt;
  return value;
}

std::optional<std::uint64_t> keyednumber(const std::string& path, const std::string& key) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) != 0) continue;
    std::istringstream fields(line.substr(key.size()));
    std::uint64_t value = 0;
    if (fields >> value) return value;
    return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace vtr
