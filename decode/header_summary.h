// The window's header summary boxes, shown from what a header parse read.
#pragma once

#include "tiff/header_result.h"

namespace vtr {

class Toolkit;

// Sets the bits-per-sample, type, length, width and date boxes: each to its field's text, or
// empty when the parse did not read the field.
void show_summary(Toolkit& tk, const HeaderSummary& summary);

}  // namespace vtr
