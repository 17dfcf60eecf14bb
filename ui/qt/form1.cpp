#include "ui/qt/form1.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>

#include "core/messages.h"
#include "decode/readfile.h"
#include "display/intensity.h"
#include "display/paint.h"
#include "display/readout.h"
#include "ui/commands.h"
#include "ui/helpwindow.h"
#include "ui/qt/accessible_names.h"
#include "ui/qt/auto_window.h"
#include "ui/qt/design.h"
#include "ui/qt/drops.h"
#include "ui/qt/fault_boundary.h"
#include "ui/qt/focus_mark.h"
#include "ui/qt/form2.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/message_view.h"
#include "ui/qt/picture_surface.h"
#include "ui/qt/shortcuts.h"

namespace vtr::qt {

namespace {

struct Handler {
  Button button;
  void (*click)(App&);
};

constexpr Handler kHandlers[] = {
    {Button::getimage_button, getimage_button_Click},
    {Button::getheader_button, getheader_button_Click},
    {Button::printbutton, printbutton_Click},
    {Button::copy_button, copy_button_Click},
    {Button::refresh_button, refresh_button_Click},
    {Button::help_button, help_button_Click},
    {Button::clear_button, clear_button_Click},
    {Button::Command1, Command1_Click},
    {Button::imageinvert, imageinvert_Click},
    {Button::Command7, Command7_Click},
    {Button::Command8, Command8_Click},
    {Button::Command9, Command9_Click},
};

// The design back colours, before start-up replaces all but the exit button's.
struct DesignColour {
  Button button;
  Rgb colour;
};
constexpr Rgb kTaskDesign{255, 192, 128};
constexpr Rgb kIntensityDesign{192, 255, 255};
constexpr Rgb kDefaultFace{212, 208, 200};
constexpr DesignColour kDesignColours[] = {
    {Button::Command1, {255, 0, 0}},       {Button::getimage_button, kTaskDesign},
    {Button::printbutton, kTaskDesign},    {Button::copy_button, kTaskDesign},
    {Button::refresh_button, kTaskDesign}, {Button::clear_button, kTaskDesign},
    {Button::help_button, kTaskDesign},    {Button::imageinvert, kDefaultFace},
    {Button::Command7, kIntensityDesign},  {Button::Command8, kIntensityDesign},
    {Button::Command9, kIntensityDesign},  {Button::getheader_button, {0, 255, 255}},
};

}  // namespace

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (on_click) on_click();
}

Form1::Form1() : Form1([](Form1& w) { return std::make_unique<QtToolkit>(w); }) {}

Form1::Form1(const ToolkitMaker& make_toolkit)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      tk_(make_toolkit(*this)),
      app_(*tk_) {
  build();
  name_controls(*this);
  wire();
  order_tabs();
  install_shortcuts(*this);
  install_auto_window(*this);
  focus_mark_ = new FocusMark(this);
  setAcceptDrops(true);
  form_load(app_);
}

Form1::~Form1() = default;

void Form1::stop_after_fault(std::string_view reason) {
  if (tk_->running_task_events()) {
    stop_command(app_.lines, reason);
  } else {
    stoptask(app_, reason);
  }
}

void Form1::build() {
  setWindowTitle(QStringLiteral("Vantrel TIFF Reader Version ") +
                 QString::fromUtf8(kVersion.data(), static_cast<qsizetype>(kVersion.size())));
  setFixedSize(px(kForm1Width), px(kForm1Height));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(10);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kForm1Background);
  setPalette(pal);
  setAutoFillBackground(true);

  text1_ = new MessageView(app_.messages, this);
  text1_->setGeometry(kText1.pixels());
  text1_->setToolTip(QStringLiteral("Shows error messages and image information"));
  app_.lines.replace(kWelcome);  // the box's design-time text, kept in the App's record
  text1_->setAcceptDrops(false);

  make_button(Button::Command1, "exit", kCommand1, "exits VantrelTIFFReader");

  chart_ = new HistogramChart(this);
  chart_->setGeometry(kMSChart1.pixels());
  chart_->setToolTip(QStringLiteral("Histogram of pixel values in current image"));

  make_line_box(TextBox::image_filename, kImageFilename);
  make_label("Filename", kLabel1);
  make_line_box(TextBox::image_bitspersample, kImageBitsPerSample);
  make_label("Bits/pixel", kLabel2);
  make_button(Button::getimage_button, "get image", kGetImageButton, "Get new image from disk");

  progress_ = new QProgressBar(this);
  progress_->setGeometry(kProgressBar1.pixels());
  progress_->setRange(0, 10000);
  progress_->setValue(0);
  progress_->setTextVisible(false);

  image_min_ = make_slider(kImageMin, "Adjust minium intensity in image");
  image_min_->setValue(0);
  make_label("Minimum", kLabel3);
  image_max_ = make_slider(kImageMax, "sets maximum intensity in image");
  image_max_->setValue(255);
  make_label("Maximum", kLabel4);
  make_line_box(TextBox::image_type, kImageType);
  make_label("Type", kLabel5);
  make_line_box(TextBox::image_length, kImageLength);
  make_line_box(TextBox::image_width, kImageWidth);
  make_label("Width", kLabel6);
  make_label("Length", kLabel7);
  make_button(Button::printbutton, "print", kPrintButton, "print a copy of this form");
  make_button(Button::copy_button, "copy ", kCopyButton,
              "make a copy of the picture in the clipboard");
  make_button(Button::refresh_button, "refresh", kRefreshButton,
              "Refresh current image using intensity settings");
  make_line_box(TextBox::image_date, kImageDate);
  make_label("Date", kLabel8);

  label9_ = new ClickLabel(QString::fromUtf8(kCreditsLine.data(), kCreditsLine.size()), this);
  label9_->setGeometry(kLabel9.pixels());
  label9_->setCursor(Qt::PointingHandCursor);

  make_button(Button::clear_button, "clear", kClearButton, nullptr);
  make_button(Button::help_button, "help", kHelpButton, nullptr);
  make_button(Button::imageinvert, "Invert", kImageInvert, nullptr);
  make_button(Button::Command7, "reset", kCommand7, nullptr);
  make_button(Button::Command8, "bestfit", kCommand8, nullptr);
  make_button(Button::Command9, "fullrange", kCommand9, nullptr);
  make_button(Button::getheader_button, "getheader", kGetHeaderButton, nullptr);

  // A picture larger than its design area scrolls inside it.
  picture_area_ = new QScrollArea(this);
  picture_area_->setGeometry(kPicture1.pixels());
  picture_area_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture_area_->setLineWidth(2);
  picture_area_->setWidgetResizable(false);
  picture_area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette area = picture_area_->palette();
  area.setColor(QPalette::Window, kPictureBackground);
  picture_area_->setPalette(area);
  picture_area_->viewport()->setPalette(area);
  picture_area_->viewport()->setAutoFillBackground(true);
  picture_ = new PictureSurface;
  picture_area_->setWidget(picture_);

  for (const DesignColour& d : kDesignColours) tk_->set_back_colour(d.button, d.colour);
}

QPushButton* Form1::make_button(Button b, const char* caption, const TwipRect& where,
                                const char* tooltip) {
  auto* button = new QPushButton(QLatin1String(caption), this);
  button->setGeometry(where.pixels());
  if (tooltip) button->setToolTip(QLatin1String(tooltip));
  buttons_[static_cast<std::size_t>(b)] = button;
  return button;
}

QLineEdit* Form1::make_line_box(TextBox box, const TwipRect& where) {
  auto* e = new QLineEdit(this);
  e->setGeometry(where.pixels());
  e->setAcceptDrops(false);  // a file dropped here is the window's; a text is nobody's
  boxes_[static_cast<std::size_t>(box)] = e;
  return e;
}

QLabel* Form1::make_label(const char* caption, const TwipRect& where) {
  auto* l = new QLabel(QLatin1String(caption), this);
  l->setGeometry(where.pixels());
  return l;
}

QSlider* Form1::make_slider(const TwipRect& where, const char* tooltip) {
  auto* s = new QSlider(Qt::Horizontal, this);
  s->setGeometry(where.pixels());
  s->setRange(0, 255);
  s->setSingleStep(1);
  s->setPageStep(5);
  s->setTickInterval(50);
  s->setTickPosition(QSlider::TicksBelow);
  s->setToolTip(QLatin1String(tooltip));
  return s;
}

void Form1::guarded(const std::function<void()>& command) {
  runguarded(command, [this](std::string_view reason) { stop_after_fault(reason); });
}

void Form1::wire() {
  for (const Handler& h : kHandlers) {
    connect(button(h.button), &QPushButton::clicked, this, [this, click = h.click] {
      guarded([this, click] {
        if (!app_.ending) click(app_);
      });
    });
  }
  label9_->on_click = [this] { guarded([this] { Label9_Click(app_); }); };
  picture_->set_press_handler([this](int b, int shift, float x, float y) {
    guarded([&] { picture1_mousedown(app_, b, shift, x, y); });
  });
}

void Form1::order_tabs() {
  QWidget* order[] = {
      text1_,
      button(Button::Command1),
      chart_,
      line_box(TextBox::image_filename),
      line_box(TextBox::image_bitspersample),
      button(Button::getimage_button),
      progress_,
      image_min_,
      image_max_,
      line_box(TextBox::image_type),
      line_box(TextBox::image_length),
      line_box(TextBox::image_width),
      button(Button::printbutton),
      button(Button::copy_button),
      button(Button::refresh_button),
      line_box(TextBox::image_date),
      button(Button::clear_button),
      button(Button::help_button),
      button(Button::imageinvert),
      button(Button::Command7),
      button(Button::Command8),
      button(Button::Command9),
      button(Button::getheader_button),
      picture_area_,
  };
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void Form1::create_help_window() {
  if (help_) return;
  help_ = std::make_unique<Form2>();
  help_->set_tab_handler([this] { guarded([this] { TabStrip1_Click(app_); }); });
}

void Form1::open_files(const std::vector<std::string>& paths) {
  guarded([&] {
    if (!app_.ending) openfiles(app_, paths, 0);
  });
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (!local_files(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
  if (!local_files(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = local_files(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  // The load runs after the drop has ended, so the program the file came from is not kept
  // waiting for it.
  QTimer::singleShot(0, this, [this, paths = std::move(paths)] { open_files(paths); });
}

void Form1::closeEvent(QCloseEvent* event) {
  // Closing the main window ends the program, help window and any running task included.
  event->accept();
  app_.ending = true;
  tk_->end_program();
}

}  // namespace vtr::qt
