// The main and help windows driven through their widgets.
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTextEdit>
#include <QtTest>
#include <numeric>
#include <random>

#include "core/messages.h"
#include "display/intensity.h"
#include "tests/gui/gui_support.h"
#include "tests/support/tiff_builder.h"
#include "ui/commands.h"
#include "ui/helpwindow.h"
#include "ui/qt/application.h"
#include "ui/qt/design.h"
#include "ui/qt/form2.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/message_view.h"
#include "ui/qt/picture_layer.h"
#include "ui/qt/picture_surface.h"

using namespace vtr;
using vtr::gui::click;
using vtr::gui::face_colour;
using vtr::gui::qcolour;

namespace {

constexpr Rgb kStartIntensity{16, 250, 253};

// An 8-bit image whose pixel (x, y), 1-based, is (x * 7 + y * 13) mod 256.
test::Bytes grey8_file(int w, int l) {
  test::StripImage s;
  s.width = w;
  s.length = l;
  for (int y = 1; y <= l; ++y)
    for (int x = 1; x <= w; ++x)
      s.pixels.push_back(static_cast<std::uint8_t>((x * 7 + y * 13) % 256));
  return test::image(s);
}

std::uint16_t value16(int x, int y) {
  return static_cast<std::uint16_t>((x * 997 + y * 4099) % 65536);
}

test::Bytes grey16_mm_file(int w, int l) {
  test::StripImage s;
  s.mm = true;
  s.width = w;
  s.length = l;
  s.bits = 16;
  std::vector<std::uint16_t> v;
  for (int y = 1; y <= l; ++y)
    for (int x = 1; x <= w; ++x) v.push_back(value16(x, y));
  s.pixels = test::pack16(v, true);
  return test::image(s);
}

// Its event handler fails the way a command's may.
class ThrowingObject : public QObject {
 protected:
  bool event(QEvent*) override { throw std::runtime_error("event fault"); }
};

// The controls under `node` that a screen reader would find without a name, as paths of
// class names. The inner parts of a scrolling control (its viewport, the frames of its scroll
// bars and the bars) are the control's, unless they take the focus; hidden ones are not
// shown.
void unnamed_controls(QAccessibleInterface* node, const QString& path, QStringList& out) {
  if (!node || node->state().invisible) return;
  const auto* widget = qobject_cast<QWidget*>(node->object());
  const bool part =
      (node->role() == QAccessible::Client || node->role() == QAccessible::ScrollBar) && widget &&
      widget->parentWidget() && !widget->parentWidget()->isWindow();
  const QString here = path + QLatin1Char('/') +
                       (node->object() ? node->object()->metaObject()->className() : "item");
  const bool spoken = !part || node->state().focusable;
  if (spoken && node->text(QAccessible::Name).trimmed().isEmpty()) out << here;
  for (int i = 0; i < node->childCount(); ++i) unnamed_controls(node->child(i), here, out);
}

}  // namespace

class GuiTest : public QObject {
  Q_OBJECT

 private slots:
  void startupState();
  void layoutFollowsTheDesign();
  void getImage8Bit();
  void getImage16BitMm();
  void samplesLoad();
  void intensityButtons();
  void pictureClickReadsOut();
  void copyPutsThePictureOnTheClipboard();
  void clearEmptiesTheWindow();
  void helpWindow();
  void everyControlIsNamed();
  void exitAnsweredNo();
  void exitAnsweredYesDuringALoadStopsIt();
  void largePictureScrollsInsideItsArea();
  void newPictureIsDrawnOverTheOld();
  void pictureLayersShowWhatOnePictureWould();
  void fileFilterMatchesAnyCase();
  void failedAllocationsLeaveTheWindowUsable();
};

void GuiTest::startupState() {
  auto w = gui::open_window();
  gui::TestingToolkit& tk = w->toolkit();

  struct Expect {
    Button b;
    Rgb colour;
  };
  const Expect colours[] = {
      {Button::getimage_button, kIdleColour},    {Button::getheader_button, kIdleColour},
      {Button::printbutton, kIdleColour},        {Button::copy_button, kIdleColour},
      {Button::refresh_button, kIdleColour},     {Button::help_button, kIdleColour},
      {Button::clear_button, kIdleColour},       {Button::Command1, Rgb{255, 0, 0}},
      {Button::imageinvert, Rgb{255, 255, 255}}, {Button::Command7, kStartIntensity},
      {Button::Command8, kStartIntensity},       {Button::Command9, kStartIntensity},
  };
  for (const Expect& e : colours) {
    QCOMPARE(tk.back_colour(e.b), e.colour);
    QVERIFY2(face_colour(*w, e.b) == qcolour(e.colour),
             qPrintable(w->button(e.b)->text() + QLatin1Char(' ') + face_colour(*w, e.b).name()));
  }
  QCOMPARE(w->slider(Slider::image_min)->value(), 0);
  QCOMPARE(w->slider(Slider::image_max)->value(), 255);
  QCOMPARE(w->progress_bar()->value(), 0);

  QCOMPARE(tk.text(TextBox::Text1), std::string("Welcome to VantrelTIFFReader\r\n"));
  QCOMPARE(w->message_view()->toPlainText(), QStringLiteral("Welcome to VantrelTIFFReader\n"));

  const QList<QPointF> pts = w->chart()->points();
  QCOMPARE(pts.size(), 256);
  for (int i = 0; i < 256; ++i) QCOMPARE(pts[i], QPointF(i, 0));

  const QImage& pic = w->picture()->image();
  QCOMPARE(pic.size(), QSize(512, 512));
  QCOMPARE(pic.pixelColor(500, 500), QColor(192, 192, 192));
  int black = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 300; ++x) black += pic.pixelColor(x, y) == QColor(0, 0, 0);
  QVERIFY2(black > 200, "the title is drawn in black near the top left");

  QCOMPARE(w->app().busy, kFalse);
  QCOMPARE(w->app().header.headervalid, kFalse);
}

void GuiTest::layoutFollowsTheDesign() {
  auto w = gui::open_window();
  QCOMPARE(w->size(), QSize(877, 561));
  QCOMPARE(w->minimumSize(), w->maximumSize());
  QCOMPARE(w->windowTitle(), QStringLiteral("Vantrel TIFF Reader Version 1.06"));
  struct Place {
    QWidget* widget;
    const char* caption;
    const char* tooltip;
    int left, top, width, height;  // in twips
  };
  const Place places[] = {
      {w->button(Button::Command1), "exit", "exits VantrelTIFFReader (Ctrl+Q)", 12120, 120, 855,
       375},
      {w->button(Button::getimage_button), "get image", "Get new image from disk (Ctrl+O)", 8640,
       840, 1095, 375},
      {w->button(Button::printbutton), "print", "print a copy of this form (Ctrl+P)", 11040, 840,
       855, 375},
      {w->button(Button::copy_button), "copy ",
       "make a copy of the picture in the clipboard (Ctrl+Shift+C)", 12120, 840, 855, 375},
      {w->button(Button::refresh_button), "refresh",
       "Refresh current image using intensity settings (F5)", 8640, 120, 1095, 375},
      {w->button(Button::clear_button), "clear", "", 9960, 120, 855, 375},
      {w->button(Button::help_button), "help", "help (F1)", 11040, 120, 855, 375},
      {w->button(Button::imageinvert), "Invert", "Invert (Ctrl+I)", 12120, 2760, 855, 255},
      {w->button(Button::Command7), "reset", "", 8640, 2760, 975, 255},
      {w->button(Button::Command8), "bestfit", "bestfit (Ctrl+B)", 9960, 2760, 855, 255},
      {w->button(Button::Command9), "fullrange", "", 11040, 2760, 855, 255},
      {w->button(Button::getheader_button), "getheader", "getheader (Ctrl+Shift+H)", 9960, 840, 855,
       375},
      {w->message_view(), nullptr, "Shows error messages and image information", 8640, 7080, 4335,
       1215},
      {w->chart(), nullptr, "Histogram of pixel values in current image", 8640, 4680, 4335, 2175},
      {w->slider(Slider::image_min), nullptr, "Adjust minium intensity in image", 9360, 2040, 3615,
       255},
      {w->slider(Slider::image_max), nullptr, "sets maximum intensity in image", 9360, 2400, 3615,
       255},
      {w->progress_bar(), nullptr, "", 8640, 1560, 4335, 375},
      {w->line_box(TextBox::image_date), nullptr, "", 9360, 4200, 3615, 285},
      {w->picture_area(), nullptr, "", 240, 120, 7740, 7740},
      {w->credits_label(), nullptr, "", 120, 8160, 6255, 255},
  };
  for (const Place& p : places) {
    QCOMPARE(p.widget->geometry(), (qt::TwipRect{p.left, p.top, p.width, p.height}.pixels()));
    QCOMPARE(p.widget->toolTip(), QString::fromLatin1(p.tooltip));
    if (p.caption) QCOMPARE(static_cast<QPushButton*>(p.widget)->text(), QLatin1String(p.caption));
  }
  QCOMPARE((qt::TwipRect{240, 120, 7740, 7740}.pixels()), QRect(16, 8, 516, 516));
  // The sliders' steps and ticks.
  for (Slider s : {Slider::image_min, Slider::image_max}) {
    QSlider* sl = w->slider(s);
    QCOMPARE(sl->minimum(), 0);
    QCOMPARE(sl->maximum(), 255);
    QCOMPARE(sl->singleStep(), 1);
    QCOMPARE(sl->pageStep(), 5);
    QCOMPARE(sl->tickInterval(), 50);
  }
  // Tab order: the focus chain passes the controls in their design order.
  const QList<QWidget*> order = {w->message_view(),
                                 w->button(Button::Command1),
                                 w->line_box(TextBox::image_filename),
                                 w->button(Button::getimage_button),
                                 w->slider(Slider::image_min),
                                 w->slider(Slider::image_max),
                                 w->button(Button::printbutton),
                                 w->button(Button::refresh_button),
                                 w->line_box(TextBox::image_date),
                                 w->button(Button::clear_button),
                                 w->button(Button::Command9),
                                 w->button(Button::getheader_button)};
  QList<QWidget*> chain;
  QWidget* at = w->message_view();
  do {
    if (order.contains(at) && !chain.contains(at)) chain.append(at);
    at = at->nextInFocusChain();
  } while (at != w->message_view());
  QCOMPARE(chain, order);
}

void GuiTest::getImage8Bit() {
  auto w = gui::open_window();
  test::TempFile file(grey8_file(10, 8));
  gui::answer_dialog(*w, file.path());
  click(*w, Button::getimage_button);

  const QImage& pic = w->picture()->image();
  QCOMPARE(pic.size(), QSize(5, 4));
  // Display pixel (c, r) shows stored pixel (2c - 1, 2r - 1) at full range.
  for (int r = 1; r < 4; ++r)
    for (int c = 1; c < 5; ++c) {
      const int v = ((2 * c - 1) * 7 + (2 * r - 1) * 13) % 256;
      QCOMPARE(pic.pixelColor(c, r), QColor(v, v, v));
    }
  const QList<QPointF> pts = w->chart()->points();
  QCOMPARE(pts.size(), 256);
  std::array<int, 256> expect{};
  for (int y = 1; y <= 8; ++y)
    for (int x = 1; x <= 10; ++x) ++expect[static_cast<std::size_t>((x * 7 + y * 13) % 256)];
  for (int i = 0; i < 256; ++i)
    QCOMPARE(pts[i].y(), static_cast<double>(expect[static_cast<std::size_t>(i)]));

  const QStringList lines = gui::message_lines(*w);
  QVERIFY(lines[0].startsWith(QStringLiteral("time for last task ")));
  QCOMPARE(lines[1], QStringLiteral("image painted"));
  QVERIFY(lines.contains(QStringLiteral("imagefile read")));
  QVERIFY(lines.contains(QStringLiteral("reading 8 bit image from file")));
  QCOMPARE(w->line_box(TextBox::image_filename)->text(), QString::fromStdString(file.path()));
  QCOMPARE(w->line_box(TextBox::image_width)->text().trimmed(), QStringLiteral("10"));
  QCOMPARE(w->toolkit().back_colour(Button::getimage_button), kIdleColour);
  QCOMPARE(w->app().busy, kFalse);
  // The window shows the picture too, not just the image behind it.
  w->picture()->flush();
  QApplication::processEvents();
  const QImage shown = w->picture()->grab().toImage();
  QCOMPARE(shown.pixelColor(2, 2), pic.pixelColor(2, 2));
}

void GuiTest::getImage16BitMm() {
  auto w = gui::open_window();
  test::TempFile file(grey16_mm_file(12, 6));
  gui::answer_dialog(*w, file.path());
  click(*w, Button::getimage_button);

  const QImage& pic = w->picture()->image();
  QCOMPARE(pic.size(), QSize(6, 3));
  for (int c = 1; c < 6; ++c) {
    const int v = value16(2 * c - 1, 1) / 256;
    QCOMPARE(pic.pixelColor(c, 1), QColor(v, v, v));
  }
  const QList<QPointF> pts = w->chart()->points();
  double total = 0;
  for (const QPointF& p : pts) total += p.y();
  QCOMPARE(total, 72.0);
  QCOMPARE(pts[value16(1, 1) / 256].y() >= 1.0, true);
  QVERIFY(gui::message_lines(*w).contains(QStringLiteral("image painted")));
  QCOMPARE(w->line_box(TextBox::image_bitspersample)->text().trimmed(), QStringLiteral("16"));
}

void GuiTest::samplesLoad() {
  const char* names[] = {"grey8_ii.tif", "grey12_ii.tif", "grey16_mm.tif", "rgb8_ii.tif"};
  auto w = gui::open_window();
  for (const char* name : names) {
    const std::string path = std::string(VTR_SOURCE_DIR) + "/samples/" + name;
    gui::answer_dialog(*w, path);
    click(*w, Button::getimage_button);
    const QString text = QString::fromStdString(w->toolkit().text(TextBox::Text1));
    QVERIFY2(!text.contains(QStringLiteral("[error]")), name);
    QCOMPARE(gui::message_lines(*w)[1], QStringLiteral("image painted"));
    QCOMPARE(w->picture()->image().size(), QSize(128, 128));
    double total = 0;
    for (const QPointF& p : w->chart()->points()) total += p.y();
    QCOMPARE(total, 65536.0);
    // A microscopy-like picture: mostly dim background, some bright cells.
    const QImage& pic = w->picture()->image();
    int top = 0;
    for (int y = 1; y < 128; ++y)
      for (int x = 1; x < 128; ++x) top = std::max(top, qGray(pic.pixel(x, y)));
    int dark = 0, bright = 0;
    for (int y = 1; y < 128; ++y)
      for (int x = 1; x < 128; ++x) {
        const int g = qGray(pic.pixel(x, y));
        dark += g < top * 3 / 10;
        bright += g > top * 6 / 10;
      }
    QVERIFY2(top > 100 && dark > 4000 && bright > 30,
             qPrintable(QStringLiteral("%1: top %2, %3 dark, %4 bright")
                            .arg(name)
                            .arg(top)
                            .arg(dark)
                            .arg(bright)));
    gui::answer_dialog(*w, "");
  }
}

void GuiTest::intensityButtons() {
  auto w = gui::open_window();
  gui::TestingToolkit& tk = w->toolkit();
  click(*w, Button::imageinvert);
  QCOMPARE(face_colour(*w, Button::imageinvert), QColor(75, 75, 75));
  QCOMPARE(w->app().invimage, kTrue);
  click(*w, Button::Command8);
  QCOMPARE(face_colour(*w, Button::Command8), qcolour(kBestFitOnColour));
  w->slider(Slider::image_min)->setValue(40);
  w->slider(Slider::image_max)->setValue(90);
  click(*w, Button::Command9);  // full range
  QCOMPARE(w->slider(Slider::image_min)->value(), 0);
  QCOMPARE(w->slider(Slider::image_max)->value(), 255);
  QCOMPARE(tk.back_colour(Button::Command8), kStartIntensity);
  click(*w, Button::Command7);  // reset
  QCOMPARE(face_colour(*w, Button::imageinvert), QColor(255, 255, 255));
  QCOMPARE(w->app().invimage, kFalse);

  // Refresh with no image: the box, no colour change.
  click(*w, Button::refresh_button);
  QVERIFY(!tk.boxes.empty());
  QCOMPARE(tk.boxes.back().text, std::string("No image to refresh"));
  QCOMPARE(face_colour(*w, Button::refresh_button), qcolour(kIdleColour));

  // Refresh with an image repaints with the sliders: at min 100, max 101 a mid-level pixel
  // turns white or black.
  test::TempFile file(grey8_file(10, 8));
  gui::answer_dialog(*w, file.path());
  click(*w, Button::getimage_button);
  w->slider(Slider::image_min)->setValue(0);
  w->slider(Slider::image_max)->setValue(1);
  click(*w, Button::refresh_button);
  const QImage& pic = w->picture()->image();
  for (int c = 1; c < 5; ++c) QCOMPARE(pic.pixelColor(c, 1), QColor(255, 255, 255));
  QCOMPARE(tk.back_colour(Button::refresh_button), kIdleColour);
}

void GuiTest::pictureClickReadsOut() {
  auto w = gui::open_window();
  QTest::mouseClick(w->picture(), Qt::LeftButton, {}, QPoint(10, 10));
  QCOMPARE(w->toolkit().boxes.back().text, std::string("No image to interogate"));

  test::TempFile file(grey8_file(40, 30));
  gui::answer_dialog(*w, file.path());
  click(*w, Button::getimage_button);
  QTest::mouseClick(w->picture(), Qt::LeftButton, {}, QPoint(10, 5));
  const std::string line = gui::top_line(*w);
  QVERIFY2(line.rfind("Pixel  x= 20; y= 10; I=", 0) == 0, line.c_str());
  QCOMPARE(line.substr(line.find("I=") + 2), " " + std::to_string((20 * 7 + 10 * 13) % 256));
}

void GuiTest::copyPutsThePictureOnTheClipboard() {
  auto w = gui::open_window();
  click(*w, Button::copy_button);
  QCOMPARE(gui::top_line(*w), std::string("image copied to clipboard"));
  const QImage got = QGuiApplication::clipboard()->image();
  QCOMPARE(got.size(), QSize(512, 512));
  QCOMPARE(got.convertToFormat(QImage::Format_RGB32), w->picture()->image());
  QCOMPARE(face_colour(*w, Button::copy_button), qcolour(kIdleColour));

  click(*w, Button::clear_button);
  click(*w, Button::copy_button);
  const QImage empty = QGuiApplication::clipboard()->image();
  QCOMPARE(empty.pixelColor(10, 10), qt::kPictureBackground);
  QCOMPARE(empty.pixelColor(30, 30), qt::kPictureBackground);
}

void GuiTest::clearEmptiesTheWindow() {
  auto w = gui::open_window();
  test::TempFile file(grey8_file(10, 8));
  gui::answer_dialog(*w, file.path());
  click(*w, Button::getimage_button);
  click(*w, Button::clear_button);
  QCOMPARE(w->toolkit().text(TextBox::Text1), std::string("message area cleared"));
  QCOMPARE(w->message_view()->toPlainText(), QStringLiteral("message area cleared"));
  for (const QPointF& p : w->chart()->points()) QCOMPARE(p.y(), 0.0);
  QCOMPARE(w->picture()->image().pixelColor(1, 1), qt::kPictureBackground);
  // The image stays in memory: a refresh draws it again.
  click(*w, Button::refresh_button);
  QCOMPARE(w->picture()->image().pixelColor(1, 1), QColor(20, 20, 20));
  QApplication::processEvents();
  QCOMPARE(w->message_view()->toPlainText().endsWith(QStringLiteral("\nmessage area cleared")),
           true);
}

void GuiTest::helpWindow() {
  auto w = gui::open_window();
  click(*w, Button::help_button);
  click(*w, Button::help_button);
  qt::Form2* help = w->help_window();
  QVERIFY(help);
  QVERIFY(help->isVisible());
  const QWidgetList tops = QApplication::topLevelWidgets();
  QCOMPARE(std::count_if(tops.begin(), tops.end(),
                         [](QWidget* t) { return dynamic_cast<qt::Form2*>(t) != nullptr; }),
           1);
  QCOMPARE(help->windowTitle(), QStringLiteral("VantrelTIFFReader Help"));
  QCOMPARE(help->size(), QSize(600, 304));
  QCOMPARE(w->toolkit().help_text(), helptext());
  QCOMPARE(help->selected_tab(), kTabHelp);
  QCOMPARE(help->tabs()->tabToolTip(3), QStringLiteral("Closes help window"));

  auto pick = [&](int tab) {
    QTest::mouseClick(help->tabs(), Qt::LeftButton, {}, help->tabs()->tabRect(tab - 1).center());
    QApplication::processEvents();
  };
  pick(kTabAbout);
  QCOMPARE(w->toolkit().help_text(), abouttext());
  pick(kTabHelp);
  pick(kTabAbout);
  QCOMPARE(w->toolkit().help_text(), abouttext());
  pick(kTabClose);
  QVERIFY(!help->isVisible());
  click(*w, Button::help_button);
  QVERIFY(help->isVisible());
  QCOMPARE(help->selected_tab(), kTabClose);
  QCOMPARE(w->toolkit().help_text(), abouttext());
  // The box scrolls: the help text is longer than the box is high.
  pick(kTabHelp);
  QVERIFY(help->tb()->verticalScrollBar()->maximum() > 0);
  // Resizing keeps the controls in place.
  const QRect before = help->tb()->geometry();
  help->resize(800, 500);
  QApplication::processEvents();
  QCOMPARE(help->tb()->geometry(), before);
  // The title-bar close hides it; help shows the same window again.
  help->close();
  QVERIFY(!help->isVisible());
  click(*w, Button::help_button);
  QCOMPARE(w->help_window(), help);
  QVERIFY(help->isVisible());
}

void GuiTest::everyControlIsNamed() {
  auto w = gui::open_window();
  click(*w, Button::help_button);
  QStringList unnamed;
  for (QWidget* window :
       {static_cast<QWidget*>(w.get()), static_cast<QWidget*>(w->help_window())}) {
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(window);
    QVERIFY(top && top->childCount() > 1);
    unnamed_controls(top, {}, unnamed);
  }
  QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
  // What the sliders, the header boxes and the picture are for is said as well.
  QList<QWidget*> described = {w->slider(Slider::image_min), w->slider(Slider::image_max),
                               w->picture(), w->picture_area(), w->message_view()};
  for (int b = 1; b < kTextBoxCount; ++b) described << w->line_box(static_cast<TextBox>(b));
  for (QWidget* c : described) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
    QVERIFY2(a->text(QAccessible::Description).size() > 20, qPrintable(a->text(QAccessible::Name)));
  }
  // The picture is announced as an image and the histogram as a chart.
  QCOMPARE(QAccessible::queryAccessibleInterface(w->picture())->role(), QAccessible::Graphic);
  QCOMPARE(QAccessible::queryAccessibleInterface(w->chart())->role(), QAccessible::Chart);
}

void GuiTest::exitAnsweredNo() {
  auto w = gui::open_window();
  click(*w, Button::Command1);
  QCOMPARE(w->toolkit().boxes.size(), std::size_t{1});
  const qt::BoxRequest& box = w->toolkit().boxes[0];
  QCOMPARE(box.text, std::string("Are you sure you wish to exit VantrelTIFFReader"));
  QCOMPARE(box.title, std::string("VantrelTIFFReader"));
  QCOMPARE(box.icon, Icon::none);
  QCOMPARE(box.buttons, MsgButtons::yes_no);
  QVERIFY(w->isVisible());
  QVERIFY(!w->app().ending);
  QCOMPARE(w->toolkit().text(TextBox::Text1), std::string(kWelcome));

  QTest::mouseClick(w->credits_label(), Qt::LeftButton);
  QCOMPARE(w->toolkit().boxes.back().icon, Icon::information);
  QCOMPARE(w->toolkit().boxes.back().buttons, MsgButtons::ok);
}

void GuiTest::exitAnsweredYesDuringALoadStopsIt() {
  auto w = gui::open_window();
  w->toolkit().box_hook = [](const qt::BoxRequest&) { return Answer::yes; };
  test::TempFile file(grey8_file(600, 2000));
  gui::answer_dialog(*w, file.path());
  int pumps = 0;
  int pumps_after_exit = -1;
  w->toolkit().pump_hook = [&] {
    ++pumps;
    if (pumps == 50) {
      QTest::mouseClick(w->button(Button::Command1), Qt::LeftButton);
      pumps_after_exit = 0;
    } else if (pumps_after_exit >= 0) {
      ++pumps_after_exit;
    }
  };
  click(*w, Button::getimage_button);
  w->toolkit().pump_hook = nullptr;
  QVERIFY(w->app().ending);
  QVERIFY(!w->isVisible());
  QVERIFY2(pumps_after_exit <= 1, "the load stops at its next pump");
  QVERIFY(!gui::message_lines(*w).contains(QStringLiteral("image painted")));
  // Further clicks do nothing once the program is ending.
  const std::string before = w->toolkit().text(TextBox::Text1);
  w->button(Button::clear_button)->click();
  QCOMPARE(w->toolkit().text(TextBox::Text1), before);
}

void GuiTest::largePictureScrollsInsideItsArea() {
  auto w = gui::open_window();
  test::TempFile file(grey8_file(1400, 1200));
  gui::answer_dialog(*w, file.path());
  click(*w, Button::getimage_button);
  QCOMPARE(w->picture()->image().size(), QSize(700, 600));
  QCOMPARE(w->picture_area()->geometry(), QRect(16, 8, 516, 516));
  QVERIFY(w->picture_area()->horizontalScrollBar()->maximum() > 0);
  QVERIFY(w->picture_area()->verticalScrollBar()->maximum() > 0);
  // The controls right of the picture are not covered.
  const QImage shot = w->grab().toImage();
  QCOMPARE(shot.pixelColor(w->button(Button::refresh_button)->geometry().topLeft() + QPoint(4, 12)),
           qcolour(kIdleColour));
}

// A picture of a new size is drawn over the old one from the top: the old shows below the rows
// drawn so far, the background where the old did not reach; the paint leaves row 0 and column
// 0 as they were. A pixel set in any colour shows until grey is drawn over it.
void GuiTest::newPictureIsDrawnOverTheOld() {
  auto w = gui::open_window();
  test::TempFile file(grey8_file(1400, 1200));  // a 700 x 600 picture over the 512 x 512 one
  gui::answer_dialog(*w, file.path());
  const QColor startup(qt::kStartupGrey, qt::kStartupGrey, qt::kStartupGrey);
  bool seen = false;
  w->toolkit().pump_hook = [&] {
    if (seen || w->picture()->picture_size() != QSize(700, 600)) return;
    seen = true;  // the paint's first pass: no row drawn yet
    const QImage before = w->picture()->image();
    QCOMPARE(before.pixelColor(300, 300), startup);
    QCOMPARE(before.pixelColor(650, 100), qt::kPictureBackground);
    QCOMPARE(before.pixelColor(100, 580), qt::kPictureBackground);
  };
  click(*w, Button::getimage_button);
  w->toolkit().pump_hook = nullptr;
  QVERIFY(seen);
  const auto shown = [](int c, int r) {
    const int v = ((2 * c - 1) * 7 + (2 * r - 1) * 13) % 256;
    return QColor(v, v, v);
  };
  const QImage after = w->picture()->image();
  QCOMPARE(after.pixelColor(300, 300), shown(300, 300));
  QCOMPARE(after.pixelColor(650, 580), shown(650, 580));
  QCOMPARE(after.pixelColor(0, 300), startup);
  QCOMPARE(after.pixelColor(300, 0), startup);
  QCOMPARE(after.pixelColor(0, 550), qt::kPictureBackground);
  QCOMPARE(after.pixelColor(600, 0), qt::kPictureBackground);
  w->toolkit().set_pixel(5, 5, Rgb{10, 20, 30});
  QCOMPARE(w->picture()->image().pixelColor(5, 5), QColor(10, 20, 30));
  click(*w, Button::refresh_button);
  QCOMPARE(w->picture()->image().pixelColor(5, 5), shown(5, 5));
}

// The picture's layers against one RGB32 picture kept by hand (a new size copies what fits
// and fills the rest with background), through random sizes, grey rows, set pixels, removals
// and take-overs of the layer below: every pixel shows the same.
void GuiTest::pictureLayersShowWhatOnePictureWould() {
  const QRgb background = qt::kPictureBackground.rgb();
  std::mt19937 rng(5);
  const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int round = 0; round < 400; ++round) {
    QSize size(1 + pick(12), 1 + pick(12));
    QImage plain(size, QImage::Format_RGB32);
    plain.fill(background);
    auto layer = std::make_unique<qt::PictureLayer>(size, QImage(size, QImage::Format_Grayscale8),
                                                    nullptr, background);
    for (int step = 0; step < 40; ++step) {
      const int what = pick(10);
      if (what == 0) {
        const QSize next(pick(14), pick(14));
        QImage grown(next, QImage::Format_RGB32);
        grown.fill(background);
        QPainter(&grown).drawImage(QPoint(0, 0), plain);
        plain = grown;
        size = next;
        if (layer->has_below()) layer->absorb_below();
        QImage grey = next.isEmpty() ? QImage() : QImage(next, QImage::Format_Grayscale8);
        layer = std::make_unique<qt::PictureLayer>(next, grey, std::move(layer), background);
      } else if (what <= 5) {
        const PictureRows rows = layer->rows();
        const int x0 = pick(4) - 1, first = pick(14) - 1, count = pick(16), n = pick(5);
        for (int y = std::max(first, 0); y < std::min(first + n, size.height()); ++y) {
          for (int x = std::max(x0, 0); x < std::min(x0 + count, size.width()); ++x) {
            const int g = pick(256);
            rows.row(y)[x] = static_cast<std::uint8_t>(g);
            plain.setPixel(x, y, qRgb(g, g, g));
          }
        }
        layer->show_grey(x0, first, n, count);
      } else if (what <= 7) {
        const int x = pick(14), y = pick(14);
        const QRgb colour = pick(2) ? qRgb(pick(256), pick(256), pick(256)) : qRgb(77, 77, 77);
        layer->set_colour(x, y, colour);
        if (x < size.width() && y < size.height()) plain.setPixel(x, y, colour);
      } else if (what == 8) {
        layer->clear();
        plain.fill(background);
      } else {
        layer->absorb_below();
      }
      std::vector<QRgb> shown(static_cast<std::size_t>(size.width()) + 3);
      for (int y = 0; y < size.height(); ++y) {
        layer->compose(y, 0, size.width() + 3, shown.data());
        for (int x = 0; x < size.width() + 3; ++x) {
          const QRgb want = x < size.width() ? plain.pixel(x, y) : background;
          QVERIFY2(
              qRgb(qRed(shown[x]), qGreen(shown[x]), qBlue(shown[x])) == want,
              qPrintable(
                  QStringLiteral("round %1 step %2 at %3, %4").arg(round).arg(step).arg(x).arg(y)));
        }
      }
    }
  }
}

void GuiTest::fileFilterMatchesAnyCase() {
  // One pattern per ending: the dialog itself matches them in any letter case (what it
  // lists is tested with the other ways of opening a file).
  const QString f =
      qt::qt_file_filter("TIFF files (*.tif;*.tiff)|*.tif;*.tiff|All files (*.*)|*.*");
  const QStringList parts = f.split(QStringLiteral(";;"));
  QCOMPARE(parts, QStringList({"TIFF files (*.tif *.tiff)", "All files (*)"}));
}

void GuiTest::failedAllocationsLeaveTheWindowUsable() {
  // What the image seam does for the one use that fails: no memory, or a throw that only the
  // application's catch boundary stops.
  enum class Fault { no_image, bad_alloc, runtime_error, event_throws };
  struct Row {
    const char* name;
    qt::ImageUse use;
    Fault fault;
    Button command;
    bool loaded_before;  // an image is loaded before the command
    const char* line;
  };
  const Row rows[] = {
      {"picture, load", qt::ImageUse::picture, Fault::no_image, Button::getimage_button, false,
       "[error] not enough memory for a 5 x 4 picture"},
      {"picture, refresh", qt::ImageUse::picture, Fault::no_image, Button::refresh_button, true,
       "[error] not enough memory for a 5 x 4 picture"},
      {"clipboard", qt::ImageUse::clipboard, Fault::no_image, Button::copy_button, true,
       "[error] not enough memory to copy the picture"},
      {"print", qt::ImageUse::window, Fault::no_image, Button::printbutton, true,
       "[error] not enough memory to print the window"},
      // The load driver refuses a load that runs out of memory itself, naming the image.
      {"throw, load", qt::ImageUse::picture, Fault::bad_alloc, Button::getimage_button, false,
       "[error] not enough memory for a 10 x 8 image"},
      {"throw, copy", qt::ImageUse::clipboard, Fault::runtime_error, Button::copy_button, true,
       "[error] copy fault - task stopped"},
      // A command run by an event during a load: only it stops, the load goes on.
      {"throw during a load", qt::ImageUse::picture, Fault::event_throws, Button::getimage_button,
       false, "[error] event fault - command stopped"},
  };
  test::TempFile file(grey8_file(10, 8));
  for (const Row& row : rows) {
    auto w = gui::open_window();
    gui::TestingToolkit& tk = w->toolkit();
    gui::answer_dialog(*w, file.path());
    if (row.loaded_before) {
      click(*w, Button::getimage_button);
      tk.set_picture_size(1, 1);  // the surface at another size than the image
    }
    const QSize before = w->picture()->image().size();
    tk.image_hook = [&row](QSize size, qt::ImageUse use) {
      if (use != row.use) return QImage(size, QImage::Format_RGB32);
      if (row.fault == Fault::bad_alloc) throw std::bad_alloc();
      if (row.fault == Fault::runtime_error) throw std::runtime_error("copy fault");
      return row.fault == Fault::no_image ? QImage() : QImage(size, QImage::Format_RGB32);
    };
    bool thrown = false;
    if (row.fault == Fault::event_throws) {
      tk.pump_hook = [&thrown] {
        if (thrown) return;
        thrown = true;
        ThrowingObject receiver;
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&receiver, &event);
      };
    }
    const qsizetype old_lines = gui::message_lines(*w).size();
    click(*w, row.command);
    const QStringList lines = gui::message_lines(*w);
    const QStringList added = lines.mid(0, lines.size() - old_lines);
    QCOMPARE(w->app().busy, kFalse);
    QCOMPARE(face_colour(*w, row.command), qcolour(kIdleColour));
    QVERIFY2(!added.contains(QStringLiteral("image copied to clipboard")), row.name);
    if (row.fault == Fault::event_throws) {
      QVERIFY2(added.contains(QLatin1String(row.line)), row.name);
      QCOMPARE(lines[1], QStringLiteral("image painted"));
      continue;
    }
    QVERIFY2(lines[0] == QLatin1String(row.line), qPrintable(row.name + (": " + lines[0])));
    QVERIFY2(!added.contains(QStringLiteral("image painted")), row.name);
    if (row.use == qt::ImageUse::picture) QCOMPARE(w->picture()->image().size(), before);
    for (int n = 1; n <= FileTable::kMaxFiles; ++n)
      QVERIFY(w->app().files.get(static_cast<std::int16_t>(n)) == nullptr);
    // The next command works.
    tk.image_hook = nullptr;
    click(*w, Button::getimage_button);
    QVERIFY2(gui::message_lines(*w)[1] == QLatin1String("image painted"), row.name);
    QCOMPARE(w->app().header.headervalid, kTrue);
  }
}

int run_responsive_tests(int argc, char** argv);
int run_desktop_tests(int argc, char** argv);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  vtr::qt::Application application(argc, argv);
  GuiTest window_tests;
  int failed = QTest::qExec(&window_tests, argc, argv);
  failed += run_responsive_tests(argc, argv);
  failed += run_desktop_tests(argc, argv);
  return failed == 0 ? 0 : 1;
}

#include "gui_test.moc"
