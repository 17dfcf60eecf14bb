// The windows' design units: places and sizes in twips, as the windows were laid out, and their
// conversion to the window's logical pixels (15 twips to the pixel); the main window's size
// and the help window's places. The main window's controls have their places in its rows.
#pragma once

#include <QRect>

namespace vtr::qt {

inline constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct TwipRect {
  int left;
  int top;
  int width;
  int height;
  QRect pixels() const { return QRect(px(left), px(top), px(width), px(height)); }
};

// Client area of the main window.
inline constexpr int kForm1Width = 13155;
inline constexpr int kForm1Height = 8415;

// The help window.
inline constexpr int kForm2Width = 9000;
inline constexpr int kForm2Height = 4560;
inline constexpr TwipRect kToolbar1{0, 0, 9000, 630};
inline constexpr TwipRect kTabStrip1{120, 120, 8655, 375};
inline constexpr TwipRect kTb{120, 600, 8655, 3855};

}  // namespace vtr::qt
