#include "ui/qt/drops.h"

#include <QMimeData>
#include <QUrl>

namespace vtr::qt {

std::vector<std::string> local_files(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

}  // namespace vtr::qt
