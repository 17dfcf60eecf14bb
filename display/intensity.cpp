#include "display/intensity.h"

#include "core/app.h"

namespace vtr {

std::int16_t invertimage(App& app) {
  if (app.invimage == kTrue) {
    app.invimage = kFalse;
    app.tk.set_back_colour(Button::imageinvert, kNormalColour);
  } else {
    app.invimage = kTrue;
    app.tk.set_back_colour(Button::imageinvert, kInvertedColour);
  }
  return 0;
}

std::int16_t fullrange(App& app) {
  app.tk.set_slider_value(Slider::image_min, 0);
  app.tk.set_slider_value(Slider::image_max, 255);
  return 0;
}

std::int16_t bestfit(App& app) {
  // N counts every pixel of the image, bin 0 included, although bin 0 never adds to the
  // running count below.
  const double n = static_cast<double>(app.header.imagelength) * app.header.imagewidth;
  const double lo = n * 0.1;
  const double hi = n * 0.9;
  std::int64_t cum = 0;  // wider than any count sum, so odd tables cannot overflow it
  int lowest = 0;
  int highest = 0;
  for (int i = 1; i <= 255; ++i) {
    cum += app.histogram.bins[static_cast<std::size_t>(i)];
    if (static_cast<double>(cum) < lo) {
      lowest = i;
    } else if (static_cast<double>(cum) < hi) {
      highest = i;
    }
  }
  app.tk.set_slider_value(Slider::image_min, lowest == 255 ? 0 : lowest);
  app.tk.set_slider_value(Slider::image_max, highest == 0 ? 255 : highest);
  return 0;
}

void imageinvert_Click(App& app) {
  invertimage(app);
}

void Command7_Click(App& app) {
  fullrange(app);
  app.invimage = kTrue;
  invertimage(app);
}

void Command8_Click(App& app) {
  if (app.bestfits != 0) {
    app.bestfits = kFalse;
    app.tk.set_back_colour(Button::Command8, kIntensityButtonColour);
  } else {
    app.bestfits = kTrue;
    bestfit(app);
    app.tk.set_back_colour(Button::Command8, kBestFitOnColour);
  }
}

void Command9_Click(App& app) {
  fullrange(app);
  app.tk.set_back_colour(Button::Command8, kIntensityButtonColour);
  app.bestfits = kFalse;
}

}  // namespace vtr
