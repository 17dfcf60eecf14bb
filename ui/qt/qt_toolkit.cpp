#include "ui/qt/qt_toolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QTabBar>
#include <QTextEdit>
#include <QTime>
#include <algorithm>
#include <cmath>

#include "decode/load_memory.h"
#include "decode/store_memory.h"
#include "ui/qt/dialog_popups.h"
#include "ui/qt/form1_controls.h"
#include "ui/qt/form2.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/message_view.h"
#include "ui/qt/picture_surface.h"
#include "ui/qt/printing.h"

namespace vtr::qt {

namespace {

constexpr int kProgressSteps = 10000;
// The least time between two passes of the event pump over the window's events during a task.
constexpr qint64 kPumpIntervalMs = 4;

QString qstr(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Counts a run of window events inside a task for as long as it lasts.
class TaskEventRun {
 public:
  explicit TaskEventRun(int& runs) : runs_(runs) { ++runs_; }
  TaskEventRun(const TaskEventRun&) = delete;
  TaskEventRun& operator=(const TaskEventRun&) = delete;
  ~TaskEventRun() { --runs_; }

 private:
  int& runs_;
};

// Positions of the logic are single precision; a position far outside any surface is clipped.
bool to_pixel(float v, int& out) {
  if (!std::isfinite(v) || std::fabs(v) > 1.0e9f) return false;
  out = static_cast<int>(std::floor(v));
  return true;
}

}  // namespace

QString qt_file_filter(std::string_view filter) {
  const QStringList parts = qstr(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString text = parts[i];
    const qsizetype paren = text.indexOf(QLatin1Char('('));
    if (paren >= 0) text = text.left(paren);
    text = text.trimmed();
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString pattern = p.trimmed();
      if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
        patterns.append(QStringLiteral("*"));
      } else {
        patterns.append(pattern);
      }
    }
    patterns.removeDuplicates();
    entries.append(text + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')'));
  }
  return entries.join(QStringLiteral(";;"));
}

std::string QtToolkit::text(TextBox box) const {
  if (box == TextBox::Text1) return c_.message_view()->record().text();
  return c_.line_box(box)->text().toStdString();
}

void QtToolkit::set_text(TextBox box, std::string_view text) {
  if (box == TextBox::Text1) {
    c_.message_view()->show_text(text);
    return;
  }
  QLineEdit* e = c_.line_box(box);
  e->setText(qstr(text));
  e->setCursorPosition(0);  // show the start of a text longer than the box
}

void QtToolkit::prepend_text(TextBox box, std::string_view text) {
  if (box == TextBox::Text1) {
    c_.message_view()->show_new_front();
    return;
  }
  QLineEdit* e = c_.line_box(box);
  e->setText(qstr(text) + e->text());
}

void QtToolkit::set_back_colour(Button button, Rgb colour) {
  colours_[static_cast<std::size_t>(button)] = colour;
  c_.button(button)->setStyleSheet(
      QStringLiteral("QPushButton { background-color: rgb(%1, %2, %3); color: black;"
                     " font-family: 'DejaVu Sans'; font-size: 10px;"
                     " border: 1px solid rgb(64, 64, 64); padding: 0px; }"
                     " QPushButton:pressed { border: 2px inset rgb(64, 64, 64); }")
          .arg(colour.r)
          .arg(colour.g)
          .arg(colour.b));
}

int QtToolkit::slider_value(Slider slider) const {
  return c_.slider(slider)->value();
}

void QtToolkit::set_slider_value(Slider slider, int value) {
  c_.slider(slider)->setValue(value);
}

void QtToolkit::set_progress_min(float value) {
  progress_min_ = value;
  show_progress();
}

void QtToolkit::set_progress_max(float value) {
  progress_max_ = value;
  show_progress();
}

void QtToolkit::set_progress_value(float value) {
  progress_value_ = value;
  show_progress();
}

void QtToolkit::show_progress() {
  const double span = static_cast<double>(progress_max_) - progress_min_;
  double f = span > 0 ? (static_cast<double>(progress_value_) - progress_min_) / span : 0.0;
  if (!std::isfinite(f)) f = 0.0;
  f = std::clamp(f, 0.0, 1.0);
  const int steps = static_cast<int>(std::lround(f * kProgressSteps));
  QProgressBar* bar = c_.progress_bar();
  if (bar->value() == steps) return;
  // The bar would repaint at once, for every step; it is painted with the window's next event
  // pass instead, once for all the steps since the last.
  bar->setUpdatesEnabled(false);
  bar->setValue(steps);
  bar->setUpdatesEnabled(true);
}

bool QtToolkit::set_picture_size(int width, int height) {
  const QSize size(std::max(width, 0), std::max(height, 0));
  if (size == c_.picture()->picture_size()) return true;
  // The system gives the grey levels' memory as the rows are drawn: nothing is filled here.
  QImage grey = make_image(size, QImage::Format_Grayscale8, ImageUse::picture);
  if (grey.isNull() && !size.isEmpty()) return false;
  c_.picture()->resize_picture(size, std::move(grey));
  return true;
}

QImage QtToolkit::make_image(QSize size, QImage::Format format, ImageUse /*use*/) {
  return QImage(size, format);
}

int QtToolkit::picture_height() const {
  return c_.picture()->picture_size().height();
}

void QtToolkit::set_pixel(float x, float y, Rgb colour) {
  int ix = 0, iy = 0;
  if (!to_pixel(x, ix) || !to_pixel(y, iy)) return;
  c_.picture()->set_pixel(ix, iy, qRgb(colour.r, colour.g, colour.b));
}

PictureRows QtToolkit::picture_rows() {
  return c_.picture()->grey_rows();
}

void QtToolkit::drawn_rows(int x0, int first, int rows, int count) {
  c_.picture()->drawn_rows(x0, first, rows, count);
}

void QtToolkit::remove_picture() {
  c_.picture()->remove_picture();
}

void QtToolkit::show_picture_origin() {
  c_.picture_area()->horizontalScrollBar()->setValue(0);
  c_.picture_area()->verticalScrollBar()->setValue(0);
}

Bitmap QtToolkit::picture_bitmap() const {
  return c_.picture()->bitmap();
}

void QtToolkit::set_chart_data(const HistogramCounts& counts) {
  c_.chart()->set_counts(counts);
}

QString QtToolkit::qt_filter() const {
  return qt_file_filter(filter_);
}

bool QtToolkit::show_open() {
  const TaskEventRun run(task_event_runs_);
  const std::optional<std::string> answer = ask_open_file();
  if (!answer) return false;
  file_name_ = *answer;
  return true;
}

std::optional<std::string> QtToolkit::ask_open_file() {
  QFileDialog& dialog = open_dialog();
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString chosen = dialog.selectedFiles().constFirst();
  // The next get image starts in the folder of this file, with it selected.
  dialog.setDirectory(QFileInfo(chosen).absolutePath());
  dialog.selectFile(QFileInfo(chosen).fileName());
  return chosen.toStdString();
}

QtToolkit::QtToolkit(Form1Controls& controls) : c_(controls) {}

QtToolkit::~QtToolkit() = default;

QFileDialog& QtToolkit::open_dialog() {
  if (!dialog_) {
    keep_dialog_state_for_the_run();
    dialog_ = std::make_unique<QFileDialog>(&c_.main_window(), QStringLiteral("Open"));
    dialog_->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog_->setFileMode(QFileDialog::ExistingFile);
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    dialog_->setFilter(dialog_->filter() & ~QDir::CaseSensitive);  // scan.TIF as well as scan.tif
    close_popups_with(*dialog_);  // the dialog is kept for the run; its popups are not
  }
  // Set again only when changed, so the filter the user picked stays picked.
  const QStringList filters = qt_filter().split(QStringLiteral(";;"));
  if (dialog_->nameFilters() != filters) dialog_->setNameFilters(filters);
  QString ext = qstr(default_ext_);
  if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
  dialog_->setDefaultSuffix(ext);
  return *dialog_;
}

void keep_dialog_state_for_the_run() {
  // Below /dev/null, a device and never a folder, no file can be made, even by root.
  const QString nowhere = QStringLiteral("/dev/null");
  for (QSettings::Format f : {QSettings::NativeFormat, QSettings::IniFormat})
    QSettings::setPath(f, QSettings::UserScope, nowhere);
}

Answer QtToolkit::message_box(std::string_view text, std::string_view title, Icon icon,
                              MsgButtons buttons) {
  const TaskEventRun run(task_event_runs_);
  return ask_box(BoxRequest{std::string(text), std::string(title), icon, buttons});
}

Answer QtToolkit::ask_box(const BoxRequest& request) {
  QMessageBox box(&c_.main_window());
  box.setWindowTitle(qstr(request.title));
  box.setText(qstr(request.text));
  switch (request.icon) {
    case Icon::critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case Icon::exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case Icon::information:
      box.setIcon(QMessageBox::Information);
      break;
    case Icon::none:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  if (request.buttons == MsgButtons::yes_no) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? Answer::yes : Answer::no;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return Answer::ok;
}

void QtToolkit::pump_events() {
  // A load or a paint pumps once per band of rows, up to a few thousand times a second, while
  // the window needs a pass only often enough to repaint and answer clicks; a pass that
  // repaints the rows and the progress bar costs about 0.1 ms. A pump within kPumpIntervalMs
  // of the last pass leaves the events for the next one, so they wait at most that long (plus
  // one band's work).
  const TaskEventRun run(task_event_runs_);
  if (!since_pass_.isValid() || since_pass_.elapsed() >= kPumpIntervalMs) {
    c_.picture()->flush();
    c_.message_view()->flush();
    QCoreApplication::processEvents();
    since_pass_.start();
  }
  after_pump();
}

double QtToolkit::clock() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

bool QtToolkit::clipboard_clear() {
  QClipboard* cb = QGuiApplication::clipboard();
  if (!cb) return false;
  cb->clear();
  return true;
}

Outcome QtToolkit::clipboard_set_picture() {
  QClipboard* cb = QGuiApplication::clipboard();
  if (!cb) return {Outcome::Kind::failed, {}};
  // The clipboard gets a copy of its own, made here, where a want of memory can be told.
  // Were the surface's image shared, the picture's next drawing would have to copy it, and a
  // drawing has no way to say that the memory could not be had.
  // The copy holds the picture's colours exactly, in three bytes a pixel rather than four.
  // Its pages are had as it is drawn: where they cannot be (a memory control group kills
  // rather than refuses), it is not made at all.
  const QSize size = c_.picture()->picture_size();
  if (size.isEmpty()) return {};
  if (!can_take(processheadroom(), copy_bytes(size.width(), size.height()), kTaskReserve)) {
    return {Outcome::Kind::no_memory, {}};
  }
  QImage copy = make_image(size, QImage::Format_RGB888, ImageUse::clipboard);
  if (copy.isNull()) return {Outcome::Kind::no_memory, {}};
  c_.picture()->draw_into(copy);
  cb->setImage(copy);
  return {};
}

Outcome QtToolkit::print_main_window() {
  c_.picture()->flush();
  c_.message_view()->flush();
  const QSize pixels = c_.main_window().size() * c_.main_window().devicePixelRatioF();
  if (!can_take(processheadroom(), print_bytes(pixels.width(), pixels.height()), kTaskReserve)) {
    return {Outcome::Kind::no_memory, {}};
  }
  const QImage page = window_image();
  if (page.isNull()) return {Outcome::Kind::no_memory, {}};
  std::string failure = print_image(page);
  if (failure.empty()) return {};
  return {Outcome::Kind::failed, std::move(failure)};
}

// The main window as it shows now, without the picture's read-out marker.
QImage QtToolkit::window_image() {
  QWidget& window = c_.main_window();
  const qreal ratio = window.devicePixelRatioF();
  QImage page = make_image(window.size() * ratio, QImage::Format_RGB32, ImageUse::window);
  if (page.isNull()) return page;
  page.setDevicePixelRatio(ratio);
  page.fill(window.palette().color(QPalette::Window));
  const PictureSurface::MarkerHidden unmarked(*c_.picture());
  window.render(&page);
  return page;
}

bool QtToolkit::help_window_exists() const {
  return help_ != nullptr;
}

void QtToolkit::create_help_window() {
  if (help_) return;
  help_ = std::make_unique<Form2>();
  help_->set_tab_handler([this] {
    if (on_help_tab_) on_help_tab_();
  });
}

void QtToolkit::show_help_window() {
  if (Form2* f = help_.get()) {
    f->show();
    f->raise();
    f->activateWindow();
  }
}

void QtToolkit::hide_help_window() {
  if (Form2* f = help_.get()) f->hide();
}

std::string QtToolkit::help_text() const {
  Form2* f = help_.get();
  if (!f) return {};
  // The box shows line breaks; the text it was given has CR LF.
  std::string shown = f->tb()->toPlainText().toStdString();
  std::string out;
  out.reserve(shown.size() + shown.size() / 16);
  for (char c : shown) {
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

void QtToolkit::set_help_text(std::string_view text) {
  if (Form2* f = help_.get()) f->tb()->setPlainText(display_text(text));
}

int QtToolkit::selected_tab() const {
  Form2* f = help_.get();
  return f ? f->selected_tab() : kTabHelp;
}

std::string QtToolkit::print_help_text() {
  Form2* f = help_.get();
  if (!f) return "no help window";
  return print_document(*f->tb()->document());
}

void QtToolkit::end_program() {
  // The logic has set its ending flag: a load in progress stops at its next event pump, and
  // the event loop ends as soon as control returns to it.
  if (Form2* f = help_.get()) f->hide();
  c_.main_window().hide();
  QCoreApplication::exit(0);
}

}  // namespace vtr::qt
