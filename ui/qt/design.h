// The main window's design: every control's place and size in twips, as the window was laid
// out, and its conversion to the window's logical pixels (15 twips to the pixel).
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

inline constexpr TwipRect kText1{8640, 7080, 4335, 1215};
inline constexpr TwipRect kCommand1{12120, 120, 855, 375};
inline constexpr TwipRect kMSChart1{8640, 4680, 4335, 2175};
inline constexpr TwipRect kImageFilename{9360, 3120, 3615, 285};
inline constexpr TwipRect kLabel1{8640, 3120, 735, 255};
inline constexpr TwipRect kImageBitsPerSample{11640, 3480, 1335, 285};
inline constexpr TwipRect kLabel2{10920, 3480, 1095, 255};
inline constexpr TwipRect kGetImageButton{8640, 840, 1095, 375};
inline constexpr TwipRect kProgressBar1{8640, 1560, 4335, 375};
inline constexpr TwipRect kImageMin{9360, 2040, 3615, 255};
inline constexpr TwipRect kLabel3{8640, 2040, 1215, 255};
inline constexpr TwipRect kImageMax{9360, 2400, 3615, 255};
inline constexpr TwipRect kLabel4{8640, 2400, 735, 255};
inline constexpr TwipRect kImageType{9360, 3480, 1455, 285};
inline constexpr TwipRect kLabel5{8640, 3480, 975, 255};
inline constexpr TwipRect kImageLength{11640, 3840, 1335, 285};
inline constexpr TwipRect kImageWidth{9360, 3840, 1455, 285};
inline constexpr TwipRect kLabel6{8640, 3840, 615, 255};
inline constexpr TwipRect kLabel7{10920, 3840, 615, 255};
inline constexpr TwipRect kPrintButton{11040, 840, 855, 375};
inline constexpr TwipRect kCopyButton{12120, 840, 855, 375};
inline constexpr TwipRect kRefreshButton{8640, 120, 1095, 375};
inline constexpr TwipRect kImageDate{9360, 4200, 3615, 285};
inline constexpr TwipRect kLabel8{8640, 4200, 615, 255};
inline constexpr TwipRect kLabel9{120, 8160, 6255, 255};
inline constexpr TwipRect kClearButton{9960, 120, 855, 375};
inline constexpr TwipRect kHelpButton{11040, 120, 855, 375};
inline constexpr TwipRect kImageInvert{12120, 2760, 855, 255};
inline constexpr TwipRect kCommand7{8640, 2760, 975, 255};
inline constexpr TwipRect kCommand8{9960, 2760, 855, 255};
inline constexpr TwipRect kCommand9{11040, 2760, 855, 255};
inline constexpr TwipRect kGetHeaderButton{9960, 840, 855, 375};
inline constexpr TwipRect kPicture1{240, 120, 7740, 7740};

// The help window.
inline constexpr int kForm2Width = 9000;
inline constexpr int kForm2Height = 4560;
inline constexpr TwipRect kToolbar1{0, 0, 9000, 630};
inline constexpr TwipRect kTabStrip1{120, 120, 8655, 375};
inline constexpr TwipRect kTb{120, 600, 8655, 3855};

}  // namespace vtr::qt
