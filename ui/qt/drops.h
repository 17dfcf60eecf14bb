// What a drop on the window brings: the local files among its URLs.
#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace vtr::qt {

// The full paths of the local files a drag carries, in its order, each the bytes of the name
// whatever their encoding; empty when it carries none (a text, or only remote URLs).
std::vector<std::string> local_files(const QMimeData* data);

}  // namespace vtr::qt
