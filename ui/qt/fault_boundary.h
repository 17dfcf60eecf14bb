// Where a fault that escaped a command is stopped: a failed allocation (std::bad_alloc), any
// other exception, or anything thrown at all.
#pragma once

#include <exception>
#include <new>
#include <string_view>

namespace vtr::qt {

// Runs `work`; a fault that leaves it is handed to `stop` with its reason ("not enough
// memory", the exception's own text, or an empty text for anything else). True when `work`
// ended normally.
template <class Work, class Stop>
bool runguarded(Work&& work, Stop&& stop) {
  try {
    work();
    return true;
  } catch (const std::bad_alloc&) {
    stop(std::string_view("not enough memory"));
  } catch (const std::exception& e) {
    stop(std::string_view(e.what()));
  } catch (...) {
    stop(std::string_view());
  }
  return false;
}

}  // namespace vtr::qt
