#include "ui/qt/control_widgets.h"

#include <QKeySequence>
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
#include "ui/qt/slider_and_bin_tooltips.h"

namespace vtr::qt {

namespace {

// A label that runs a command when pressed.
class ClickLabel : public QLabel {
 public:
  ClickLabel(const QString& text, QWidget* parent, std::function<void()> on_click)
      : QLabel(text, parent), on_click_(std::move(on_click)) {}

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QLabel::mousePressEvent(event);
    on_click_();
  }

 private:
  std::function<void()> on_click_;
};

// The row's tooltip with its key named after it; a button with a key and no tooltip of its
// own names its caption.
QString shown_tooltip(const ControlRow& row) {
  if (row.key.empty()) return qtext(row.tooltip);
  const QString tip = row.tooltip.empty() ? qtext(row.caption).trimmed() : qtext(row.tooltip);
  const QKeySequence key(qtext(row.key), QKeySequence::PortableText);
  return tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

QWidget* make_slider(const ControlRow& row, QWidget& window, const ShownRecords& shown) {
  auto* s = new QSlider(Qt::Horizontal, &window);
  s->setRange(0, 255);
  s->setSingleStep(1);
  s->setPageStep(5);
  s->setTickInterval(50);
  s->setTickPosition(QSlider::TicksBelow);
  const Slider which = std::get<Slider>(row.id);
  s->setValue(which == Slider::image_min ? 0 : 255);  // the design's preset positions
  show_slider_values(*s, which, shown.tips);
  return s;
}

QWidget* make_progress_bar(QWidget& window) {
  auto* p = new QProgressBar(&window);
  p->setRange(0, 10000);
  p->setValue(0);
  p->setTextVisible(false);
  return p;
}

// A picture larger than its design area scrolls inside it.
QWidget* make_picture_area(const ControlRow& row, QWidget& window) {
  auto* area = new QScrollArea(&window);
  area->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  area->setLineWidth(2);
  area->setWidgetResizable(false);
  area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette background = area->palette();
  background.setColor(QPalette::Window, kPictureBackground);
  area->setPalette(background);
  area->viewport()->setPalette(background);
  area->viewport()->setAutoFillBackground(true);
  auto* picture = new PictureSurface;
  // Tabbing to the area gives the picture itself the focus, for its keys.
  area->setFocusProxy(picture);
  picture->setAccessibleName(QStringLiteral("image"));
  picture->setAccessibleDescription(qtext(row.description));
  area->setWidget(picture);
  return area;
}

QWidget* make_widget(const ControlRow& row, QWidget& window, const ShownRecords& shown,
                     std::function<void()> activate) {
  switch (row.kind) {
    case ControlKind::message_area: {
      auto* text1 = new MessageView(shown.messages, &window);
      text1->setAcceptDrops(false);
      return text1;
    }
    case ControlKind::button: {
      auto* button = new QPushButton(qtext(row.caption), &window);
      QObject::connect(button, &QPushButton::clicked, &window, std::move(activate));
      return button;
    }
    case ControlKind::chart: {
      auto* chart = new HistogramChart(&window);
      show_bin_values(*chart, shown.tips.header);
      return chart;
    }
    case ControlKind::line_box: {
      auto* box = new QLineEdit(&window);
      box->setAcceptDrops(false);  // a file dropped here is the window's; a text is nobody's
      return box;
    }
    case ControlKind::label:
      return new QLabel(qtext(row.caption), &window);
    case ControlKind::progress_bar:
      return make_progress_bar(window);
    case ControlKind::slider:
      return make_slider(row, window, shown);
    case ControlKind::credits_label: {
      auto* label = new ClickLabel(qtext(row.caption), &window, std::move(activate));
      label->setCursor(Qt::PointingHandCursor);
      return label;
    }
    case ControlKind::picture_area:
      return make_picture_area(row, window);
    case ControlKind::command:
      break;
  }
  return nullptr;
}

}  // namespace

QWidget* make_control(const ControlRow& row, QWidget& window, const ShownRecords& shown,
                      std::function<void()> activate) {
  QWidget* w = make_widget(row, window, shown, std::move(activate));
  if (!w) return nullptr;
  w->setObjectName(qtext(row.name));
  w->setGeometry(row.place.pixels());
  w->setToolTip(shown_tooltip(row));
  if (!row.spoken.empty()) w->setAccessibleName(qtext(row.spoken));
  if (!row.description.empty()) w->setAccessibleDescription(qtext(row.description));
  return w;
}

}  // namespace vtr::qt
