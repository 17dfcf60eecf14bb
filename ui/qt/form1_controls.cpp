#include "ui/qt/form1_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>

#include "ui/qt/form1_rows.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/message_view.h"
#include "ui/qt/picture_surface.h"

namespace vtr::qt {

namespace {

template <class Id>
std::size_t index(const ControlRow& row) {
  return static_cast<std::size_t>(std::get<Id>(row.id));
}

}  // namespace

void Form1Controls::keep(const ControlRow& row, QWidget* widget) {
  switch (row.kind) {
    case ControlKind::message_area:
      text1_ = static_cast<MessageView*>(widget);
      break;
    case ControlKind::button:
      buttons_[index<Button>(row)] = static_cast<QPushButton*>(widget);
      break;
    case ControlKind::chart:
      chart_ = static_cast<HistogramChart*>(widget);
      break;
    case ControlKind::line_box:
      boxes_[index<TextBox>(row)] = static_cast<QLineEdit*>(widget);
      break;
    case ControlKind::progress_bar:
      progress_ = static_cast<QProgressBar*>(widget);
      break;
    case ControlKind::slider:
      sliders_[index<Slider>(row)] = static_cast<QSlider*>(widget);
      break;
    case ControlKind::credits_label:
      label9_ = static_cast<QLabel*>(widget);
      break;
    case ControlKind::picture_area:
      picture_area_ = static_cast<QScrollArea*>(widget);
      picture_ = static_cast<PictureSurface*>(picture_area_->widget());
      break;
    case ControlKind::label:
    case ControlKind::command:
      break;
  }
}

}  // namespace vtr::qt
