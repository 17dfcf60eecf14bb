#include "ui/qt/drops.h"

#include <QByteArray>
#include <QMimeData>
#include <QUrl>

namespace vtr::qt {

std::vector<std::string> local_files(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    // The path's own bytes, percent-decoded from the URL: a name that is not UTF-8 stays the
    // file's name, where a QString (toLocalFile) would put U+FFFD in place of its bytes.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    paths.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return paths;
}

}  // namespace vtr::qt
