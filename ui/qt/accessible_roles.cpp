#include "ui/qt/accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "ui/qt/histogram_chart.h"
#include "ui/qt/picture_surface.h"

namespace vtr::qt {

namespace {

// The interface for `object` with its role, or nullptr for any other object (Qt's own then).
// The class name Qt asks for is not needed: these classes share their Qt base's name.
QAccessibleInterface* with_role(const QString&, QObject* object) {
  if (auto* picture = dynamic_cast<PictureSurface*>(object))
    return new QAccessibleWidget(picture, QAccessible::Graphic);
  if (auto* chart = dynamic_cast<HistogramChart*>(object))
    return new QAccessibleWidget(chart, QAccessible::Chart);
  return nullptr;
}

}  // namespace

void install_accessible_roles() {
  QAccessible::installFactory(with_role);
}

}  // namespace vtr::qt
