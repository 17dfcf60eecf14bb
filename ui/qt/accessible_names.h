// What a screen reader says for each control of the two windows: a name for every control,
// and for the sliders, the header boxes, the message area and the picture a sentence on what
// they do. Buttons speak their name and their tooltip.
#pragma once

namespace vtr::qt {

class Form1;
class Form2;

void name_controls(Form1& window);
void name_controls(Form2& window);

}  // namespace vtr::qt
