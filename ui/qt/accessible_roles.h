// What a screen reader is told the main window's picture and histogram are. Both are plain
// widgets to Qt, which it announces as fillers; here the picture is an image
// (QAccessible::Graphic) and the histogram a chart (QAccessible::Chart).
#pragma once

namespace vtr::qt {

// Makes Qt describe every picture surface and histogram chart made from now on with its own
// role; each keeps its name and description. Installing again changes nothing.
void install_accessible_roles();

}  // namespace vtr::qt
