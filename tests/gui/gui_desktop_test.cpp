// The ways a desktop user reaches the viewer besides its buttons: the display check, drops,
// keys, the file dialog's listing, where a new picture is scrolled to, and the printed page.
#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QtTest>
#include <functional>
#include <vector>

#include "core/messages.h"
#include "tests/gui/gui_support.h"
#include "tests/support/tiff_builder.h"
#include "ui/qt/display_check.h"
#include "ui/qt/focus_mark.h"
#include "ui/qt/form1_rows.h"
#include "ui/qt/form2.h"
#include "ui/qt/histogram_chart.h"
#include "ui/qt/picture_surface.h"
#include "ui/qt/printing.h"
#include "ui/qt/slider_and_bin_tooltips.h"

using namespace vtr;

namespace {

// An 8-bit grey image of w x l pixels, all of value 90.
test::Bytes grey8(int w, int l) {
  test::StripImage s;
  s.width = w;
  s.length = l;
  s.pixels.assign(static_cast<std::size_t>(w) * l, 90);
  return test::image(s);
}

bool has_line(qt::Form1& w, const QString& line) {
  return gui::message_lines(w).contains(line);
}

// Drags `data` onto `target` and lets it go there, as a window system delivers a drop, then
// lets the window act on it.
void drop(QWidget* target, QMimeData* data) {
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent release(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
  QApplication::processEvents();
}

// A drag of files, each a file: URL of the name's bytes, percent-encoded as a file manager
// sends them.
QMimeData* files_data(const std::vector<std::string>& paths) {
  auto* data = new QMimeData;
  QList<QUrl> urls;
  for (const std::string& p : paths) {
    const QByteArray name(p.data(), static_cast<qsizetype>(p.size()));
    urls.append(QUrl::fromEncoded("file://" + name.toPercentEncoding("/")));
  }
  data->setUrls(urls);
  return data;
}

// Runs `during` once, at the 20th event pump of a get-image load of a 600 x 2000 image.
void during_a_load(gui::TestingWindow& w, const std::function<void()>& during) {
  test::TempFile big(grey8(600, 2000));
  gui::answer_dialog(w, big.path());
  int pumps = 0;
  w.toolkit().pump_hook = [&] {
    if (++pumps == 20) during();
  };
  gui::click(w, Button::getimage_button);
  w.toolkit().pump_hook = nullptr;
}

}  // namespace

class GuiDesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void missingDisplayIsNamed();
  void namedFileOpensLikeTheDialogsAnswer();
  void dropsOpenFiles();
  void keysPressTheirButtons();
  void focusIsMarked();
  void pictureKeysReadOut();
  void autoWindowByKeyAndMenus();
  void dialogListsBothTiffEndingsInAnyCase();
  void dialogPopupsCloseWithTheDialog();
  void newPictureStartsAtTheTopLeft();
  void printedPageFitsTheWindow();
};

void GuiDesktopTest::missingDisplayIsNamed() {
  QTemporaryDir runtime;  // holds a Wayland compositor's default socket name
  QFile socket(runtime.filePath(QStringLiteral("wayland-0")));
  QVERIFY(socket.open(QIODevice::WriteOnly));
  struct Row {
    QStringList args;
    QStringList env;  // NAME=value
    QString missing;
  };
  const QString neither = QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
  const Row rows[] = {
      {{"v"}, {}, neither},
      {{"v"}, {"DISPLAY="}, neither},
      {{"v"}, {"DISPLAY=:0"}, {}},
      {{"v"}, {"WAYLAND_DISPLAY=wayland-1"}, {}},
      {{"v", "-display", ":1"}, {}, {}},
      {{"v"}, {"QT_QPA_PLATFORM=offscreen"}, {}},
      {{"v", "-platform", "minimal"}, {}, {}},
      {{"v"},
       {"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=w"},
       "DISPLAY is not set (QT_QPA_PLATFORM asks for the xcb platform)"},
      {{"v", "--platform", "wayland"},
       {"DISPLAY=:0"},
       "WAYLAND_DISPLAY is not set (-platform asks for the wayland platform)"},
      {{"v"},
       {"QT_QPA_PLATFORM=wayland-egl"},
       "WAYLAND_DISPLAY is not set (QT_QPA_PLATFORM asks for the wayland-egl platform)"},
      {{"v"}, {"QT_QPA_PLATFORM=wayland", "XDG_RUNTIME_DIR=" + runtime.path()}, {}},
      {{"v"}, {"QT_QPA_PLATFORM=wayland;xcb", "DISPLAY=:0"}, {}},
      {{"v"},
       {"QT_QPA_PLATFORM=xcb:nograb;wayland"},
       "DISPLAY is not set (QT_QPA_PLATFORM asks for the xcb platform)"},
      {{"v", "-platform", "offscreen"}, {"QT_QPA_PLATFORM=xcb"}, {}},
  };
  for (const Row& r : rows) {
    QProcessEnvironment env;
    for (const QString& pair : r.env) env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    QCOMPARE(qt::missing_display(r.args, env), r.missing);
  }
}

void GuiDesktopTest::namedFileOpensLikeTheDialogsAnswer() {
  test::TempFile good(grey8(10, 8));
  test::TempFile refused(test::Bytes{'n', 'o', 't', ' ', 'T', 'I', 'F', 'F'});
  const std::string missing = good.path() + ".missing";
  struct Row {
    std::string path;
    QString line;      // a line the open writes
    QString filename;  // the Filename box afterwards
    QSize picture;
  };
  const Row rows[] = {
      {good.path(), "image painted", QString::fromStdString(good.path()), {5, 4}},
      {missing,
       QString::fromStdString("[error] No such file or directory - " + missing),
       "",
       {512, 512}},
      {refused.path(),
       "[error] unknown byte order mode - cannot read file",
       QString::fromStdString(refused.path()),
       {512, 512}},
  };
  for (const Row& r : rows) {
    auto w = gui::open_window();
    std::vector<Rgb> colours;  // of get image while the file is read
    w->toolkit().pump_hook = [&] {
      colours.push_back(w->toolkit().back_colour(Button::getimage_button));
    };
    w->open_files({r.path});
    QVERIFY2(has_line(*w, r.line), qPrintable(r.line + "/" + gui::message_lines(*w).join('|')));
    QVERIFY(!has_line(*w, QStringLiteral("Get Image cancelled")));
    QCOMPARE(w->line_box(TextBox::image_filename)->text(), r.filename);
    QCOMPARE(w->picture()->image().size(), r.picture);
    QVERIFY(colours.empty() || colours.front() == kBusyColour);
    QCOMPARE(w->toolkit().back_colour(Button::getimage_button), kIdleColour);
    QCOMPARE(w->app().busy, kFalse);
  }
}

void GuiDesktopTest::dropsOpenFiles() {
  test::TempFile a(grey8(10, 8));
  test::TempFile b(grey8(20, 8));
  test::TempFile bad(grey8(10, 8), "bad\xff\xfe.tif");  // a name that is not UTF-8
  const QString rest = QStringLiteral("one file at a time; 1 more not opened");
  struct Row {
    const char* name;
    std::vector<std::string> files;  // empty: a text is dropped
    bool on_filename_box;
    bool during_load;
    QSize picture;  // after the drop (and the load)
    QString top;    // the top line just after the drop
  };
  const Row rows[] = {
      {"one file on the picture", {a.path()}, false, false, {5, 4}, ""},
      {"a name that is not UTF-8", {bad.path()}, false, false, {5, 4}, ""},
      {"two files", {b.path(), a.path()}, false, false, {10, 4}, rest},
      {"a file on a header box", {a.path()}, true, false, {5, 4}, ""},
      {"a text on a header box", {}, true, false, {512, 512}, ""},
      {"a file during a load", {a.path()}, false, true, {300, 1000}, "[error] busy"},
  };
  for (const Row& r : rows) {
    auto w = gui::open_window();
    QLineEdit* box = w->line_box(TextBox::image_filename);
    QWidget* target = r.on_filename_box ? static_cast<QWidget*>(box) : w->picture();
    auto go = [&] {
      auto* data = r.files.empty() ? new QMimeData : files_data(r.files);
      if (r.files.empty()) data->setText(QStringLiteral("dropped text"));
      drop(target, data);
      delete data;
      if (!r.top.isEmpty()) QCOMPARE(QString::fromStdString(gui::top_line(*w)), r.top);
    };
    if (r.during_load) {
      during_a_load(*w, go);
    } else {
      go();
    }
    QVERIFY2(w->picture()->image().size() == r.picture, r.name);
    QVERIFY2(!box->text().contains(QStringLiteral("dropped text")), r.name);
    if (!r.files.empty() && !r.during_load)
      QCOMPARE(box->text(), QString::fromStdString(r.files.front()));
  }
}

void GuiDesktopTest::keysPressTheirButtons() {
  struct Row {
    QKeySequence key;
    Button button;
    bool guarded;
  };
  const Row rows[] = {
      {QKeySequence("Ctrl+O"), Button::getimage_button, true},
      {QKeySequence("Ctrl+Shift+H"), Button::getheader_button, true},
      {QKeySequence("F5"), Button::refresh_button, true},
      {QKeySequence("Ctrl+I"), Button::imageinvert, false},
      {QKeySequence("Ctrl+B"), Button::Command8, false},
      {QKeySequence("Ctrl+P"), Button::printbutton, true},
      {QKeySequence("Ctrl+Shift+C"), Button::copy_button, true},
      {QKeySequence("Ctrl+Q"), Button::Command1, false},
      {QKeySequence("F1"), Button::help_button, false},  // last: the help window takes the focus
  };
  QCOMPARE(std::ranges::count_if(qt::form1_rows(),
                                 [](const qt::ControlRow& r) {
                                   return !r.key.empty() && r.kind == qt::ControlKind::button;
                                 }),
           std::ssize(rows));
  auto w = gui::open_window();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  // Every key during a load: each presses its own button, and the guarded ones are refused.
  during_a_load(*w, [&] {
    for (const Row& r : rows) {
      QSignalSpy pressed(w->button(r.button), &QPushButton::clicked);
      const QStringList before = gui::message_lines(*w);
      QTest::keySequence(w.get(), r.key);
      const QString name = r.key.toString();
      QVERIFY2(pressed.count() == 1, qPrintable(name));
      QVERIFY2(
          (gui::top_line(*w) == "[error] busy" && gui::message_lines(*w) != before) == r.guarded,
          qPrintable(name));
      QVERIFY2(w->button(r.button)->toolTip().endsWith(" (" + name + ")"), qPrintable(name));
    }
  });
  QVERIFY(gui::message_lines(*w).contains(QStringLiteral("image painted")));
  QCOMPARE(w->app().invimage, kTrue);                          // Ctrl+I ran
  QVERIFY(w->help_window() && w->help_window()->isVisible());  // F1 ran
  QCOMPARE(w->toolkit().boxes.back().text,                     // Ctrl+Q asked, was told no
           std::string("Are you sure you wish to exit VantrelTIFFReader"));
  QVERIFY(!w->app().ending);
}

void GuiDesktopTest::focusIsMarked() {
  auto w = gui::open_window();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  QWidget* const controls[] = {w->button(Button::getimage_button),
                               w->line_box(TextBox::image_filename), w->slider(Slider::image_max),
                               w->picture_area()};
  for (QWidget* c : controls) {
    c->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QCOMPARE(w->focus_mark()->marked(), c);
    const QImage shot = w->grab().toImage();
    const QRect g = c->geometry();
    // The ring shows just outside each side, and the control's own face is left alone.
    for (const QPoint& p :
         {QPoint(g.center().x(), g.top() - 2), QPoint(g.left() - 2, g.center().y()),
          QPoint(g.center().x(), g.bottom() + 2)})
      QCOMPARE(shot.pixelColor(p), qt::kFocusMarkColour);
    QVERIFY(shot.pixelColor(g.topLeft() + QPoint(1, 1)) != qt::kFocusMarkColour);
  }
  // While a box or dialog (a window of its own, though a child of the main window) has the
  // focus, nothing is marked; the control that had the focus is marked again afterwards.
  w->toolkit().box_hook = nullptr;
  w->toolkit().dialog_hook = nullptr;
  for (const char* key : {"Ctrl+Q", "Ctrl+O", "F5"}) {  // the exit question, the dialog, a box
    QWidget* had = w->button(Button::help_button);
    had->setFocus(Qt::TabFocusReason);
    bool unmarked = false;
    QTimer::singleShot(0, w.get(), [&] {
      QWidget* box = nullptr;
      if (QTest::qWaitFor([&] { return (box = QApplication::activeModalWidget()) != nullptr; }) &&
          QTest::qWaitFor([&] { return box->isAncestorOf(QApplication::focusWidget()); }))
        unmarked = !w->focus_mark()->isVisible() && !w->focus_mark()->marked();
      if (box) box->close();
    });
    QTest::keySequence(w.get(), QKeySequence(key));
    QVERIFY2(unmarked, key);
    w->activateWindow();  // as a window manager gives the window back its focus
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QCOMPARE(w->focus_mark()->marked(), had);
  }
}

void GuiDesktopTest::pictureKeysReadOut() {
  auto w = gui::open_window();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  test::TempFile file(grey8(40, 30));
  gui::answer_dialog(*w, file.path());
  gui::click(*w, Button::getimage_button);
  qt::PictureSurface* pic = w->picture();
  w->picture_area()->setFocus(Qt::TabFocusReason);  // as Tab gives it: the picture takes it
  QVERIFY(pic->hasFocus());
  QCOMPARE(pic->marker().at(), QPoint(10, 7));  // it starts at the centre of the 20 x 15 picture
  struct Row {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QPoint at;  // where the marker is afterwards
  };
  const Row rows[] = {
      {Qt::Key_Right, Qt::NoModifier, {11, 7}},    {Qt::Key_Right, Qt::ShiftModifier, {19, 7}},
      {Qt::Key_Down, Qt::ShiftModifier, {19, 14}}, {Qt::Key_Left, Qt::NoModifier, {18, 14}},
      {Qt::Key_Up, Qt::NoModifier, {18, 13}},      {Qt::Key_Up, Qt::ControlModifier, {18, 13}},
      {Qt::Key_Left, Qt::ShiftModifier, {8, 13}},
  };
  for (const Row& r : rows) {
    QTest::keyClick(pic, r.key, r.modifiers);
    QCOMPARE(pic->marker().at(), r.at);
  }
  // Enter and Space read out what a press on the marked pixel reads out, the same line.
  QTest::mouseClick(pic, Qt::LeftButton, {}, QPoint(8, 13));
  const std::string pressed = gui::top_line(*w);
  QCOMPARE(pressed, std::string("Pixel  x= 16; y= 26; I= 90"));
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    const qsizetype before = gui::message_lines(*w).size();
    QTest::keyClick(pic, key);
    QCOMPARE(gui::top_line(*w), pressed);
    QCOMPARE(gui::message_lines(*w).size(), before + 1);
  }
  // On screen the marker shows over the picture only while the picture has the focus; the
  // picture itself, the copy and the printed window never hold it.
  pic->flush();
  QApplication::processEvents();
  const QPoint corner = pic->marker().area().topLeft();  // a pixel of the white ring
  QCOMPARE(pic->grab().toImage().pixelColor(corner), QColor(Qt::white));
  QCOMPARE(pic->image().pixelColor(corner), QColor(90, 90, 90));
  const QPoint in_window = pic->mapTo(w.get(), corner);
  QCOMPARE(w->toolkit().window_image().pixelColor(in_window), QColor(90, 90, 90));
  gui::click(*w, Button::copy_button);
  QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
           pic->image());
  w->button(Button::refresh_button)->setFocus();
  QApplication::processEvents();
  QCOMPARE(pic->grab().toImage().pixelColor(corner), QColor(90, 90, 90));
}

void GuiDesktopTest::autoWindowByKeyAndMenus() {
  auto w = gui::open_window();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  test::TempFile file(test::image([] {
    test::StripImage s;  // 16-bit: 600, and 5 of 2900, fewer than 0.35 % of the pixels
    s.width = 40;
    s.length = 40;
    s.bits = 16;
    std::vector<std::uint16_t> v(1600, 600);
    for (int i = 0; i < 1600; i += 320) v[static_cast<std::size_t>(i)] = 2900;
    s.pixels = test::pack16(v, false);
    return s;
  }()));
  gui::answer_dialog(*w, file.path());
  gui::click(*w, Button::getimage_button);
  QSlider* min = w->slider(Slider::image_min);
  QSlider* max = w->slider(Slider::image_max);
  // A right press on `target` (a view's events come to its viewport) opens the owner's menu.
  const auto menu_of = [&](QWidget* owner, QWidget* target) {
    QContextMenuEvent press(QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &press);
    auto* menu = owner->findChild<QMenu*>();
    return menu;
  };
  struct Row {
    const char* how;
    std::function<void()> run;
  };
  const Row rows[] = {
      {"key", [&] { QTest::keySequence(w.get(), QKeySequence("Ctrl+Shift+B")); }},
      {"picture menu", [&] { menu_of(w->picture(), w->picture())->actions().front()->trigger(); }},
      {"chart menu",
       [&] { menu_of(w->chart(), w->chart()->viewport())->actions().front()->trigger(); }},
  };
  for (const Row& r : rows) {
    gui::click(*w, Button::Command8);  // best fit on, sliders from the histogram
    min->setValue(0);
    max->setValue(255);
    r.run();
    QApplication::processEvents();
    for (QMenu* m : w->findChildren<QMenu*>()) {
      QCOMPARE(m->actions().front()->text(), QStringLiteral("auto\tCtrl+Shift+B"));
      m->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // 600 shows mid-grey: the window that best fit and full range leave black.
    QVERIFY2(min->value() == 0 && max->value() == 5, r.how);
    QCOMPARE(w->app().bestfits, kFalse);
    QCOMPARE(w->toolkit().back_colour(Button::Command8), (Rgb{16, 250, 253}));
    QCOMPARE(w->picture()->image().pixelColor(2, 2), QColor(119, 119, 119));
    QCOMPARE(gui::message_lines(*w)[1], QStringLiteral("image painted"));
  }
  // The stored values in sight: beside a slider moved with a key, where the window with both
  // sliders as they stand shows black and white (inverted, the other way round); over a bin
  // of the chart, its values.
  max->setFocus();
  max->setValue(10);
  QTest::keyClick(max, Qt::Key_Right);
  QCOMPARE(QToolTip::text(), QStringLiteral("max 11: black below 12, white from 2816"));
  QTest::keyClick(min, Qt::Key_PageUp);
  QCOMPARE(QToolTip::text(), QStringLiteral("min 5: black below 1292, white from 4096"));
  QTest::keySequence(w.get(), QKeySequence("Ctrl+I"));
  QTest::keyClick(max, Qt::Key_Left);
  QCOMPARE(QToolTip::text(), QStringLiteral("max 10: white below 1291, black from 3840"));
  QChart* chart = w->chart()->chart();
  const QPoint bin11 =
      w->chart()->mapFromScene(chart->mapToScene(chart->mapToPosition(QPointF(11, 0.5))));
  QCOMPARE(qt::chart_tip(w->app().header, *w->chart(), bin11),
           QStringLiteral("bin 11 = 2816 to 3071, 5 pixels"));
  QCOMPARE(qt::chart_tip(w->app().header, *w->chart(), QPoint(1, 1)), w->chart()->toolTip());
}

void GuiDesktopTest::dialogListsBothTiffEndingsInAnyCase() {
  QTemporaryDir dir;
  struct Row {
    const char* name;
    bool tiff;  // listed with the TIFF filter (every file is listed with all files)
  };
  const Row rows[] = {{"a.TIFF", true}, {"b.tif", true},  {"scan.tiff", true},
                      {"d.Tif", true},  {"c.png", false}, {"tif", false}};
  for (const Row& r : rows) {
    QFile f(dir.filePath(QLatin1String(r.name)));
    QVERIFY(f.open(QIODevice::WriteOnly));
  }
  auto w = gui::open_window();
  w->toolkit().set_dialog_filter("TIFF files (*.tif;*.tiff)|*.tif;*.tiff|All files (*.*)|*.*");
  QFileDialog* dialog = &w->toolkit().open_dialog();
  QCOMPARE(dialog->nameFilters(), QStringList({"TIFF files (*.tif *.tiff)", "All files (*)"}));
  auto* model = dialog->findChild<QFileSystemModel*>();
  QVERIFY(model);
  dialog->setDirectory(dir.path());
  // The names the dialog shows, sorted.
  const auto listed = [&] {
    const QModelIndex root = model->index(dir.path());
    QStringList names;
    for (int i = 0; i < model->rowCount(root); ++i)
      names << model->index(i, 0, root).data().toString();
    names.sort();
    return names;
  };
  for (bool all : {true, false}) {
    QStringList want;
    for (const Row& r : rows)
      if (all || r.tiff) want << QLatin1String(r.name);
    want.sort();
    dialog->selectNameFilter(dialog->nameFilters()[all ? 1 : 0]);
    QTRY_COMPARE(listed(), want);
  }
}

void GuiDesktopTest::dialogPopupsCloseWithTheDialog() {
  QTemporaryDir dir;  // two names that complete "a"
  for (const char* name : {"a1.tif", "a2.tif"}) {
    QFile f(dir.filePath(QLatin1String(name)));
    const test::Bytes bytes = grey8(4, 4);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
  }
  auto w = gui::open_window();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  w->toolkit().dialog_hook = nullptr;  // the dialog itself
  QFileDialog& dialog = w->toolkit().open_dialog();
  dialog.setDirectory(dir.path());
  // The name typed as a user types it, Return pressed while the completion list is up; the
  // active popup takes the keys, as a window system gives them.
  bool listed = false;
  QTimer::singleShot(0, &dialog, [&] {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (QTest::qWaitFor([&] { return name->hasFocus(); })) QTest::keyClicks(name, "a1.tif");
    listed = QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; });
    QTest::keyClick(listed ? QApplication::activePopupWidget() : name, Qt::Key_Return);
  });
  gui::click(*w, Button::getimage_button);
  QVERIFY(listed);
  QCOMPARE(w->line_box(TextBox::image_filename)->text(), dir.filePath(QStringLiteral("a1.tif")));
  QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void GuiDesktopTest::newPictureStartsAtTheTopLeft() {
  test::TempFile first(grey8(1400, 1200));
  test::TempFile second(grey8(1600, 1600));
  struct Row {
    const char* what;
    std::function<void(qt::Form1&)> act;
    bool to_top_left;
  };
  const Row rows[] = {
      {"a new image", [&](qt::Form1& w) { w.open_files({second.path()}); }, true},
      {"clear", [](qt::Form1& w) { gui::click(w, Button::clear_button); }, true},
      {"refresh", [](qt::Form1& w) { gui::click(w, Button::refresh_button); }, false},
  };
  for (const Row& r : rows) {
    auto w = gui::open_window();
    w->open_files({first.path()});
    QScrollBar* bars[] = {w->picture_area()->horizontalScrollBar(),
                          w->picture_area()->verticalScrollBar()};
    QApplication::processEvents();
    for (QScrollBar* s : bars) {
      s->setValue(100);
      QCOMPARE(s->value(), 100);
    }
    r.act(*w);
    for (QScrollBar* s : bars) QVERIFY2(s->value() == (r.to_top_left ? 0 : 100), r.what);
  }
}

void GuiDesktopTest::printedPageFitsTheWindow() {
  QTemporaryDir dir;
  auto w = gui::open_window();
  struct Row {
    QSize image;
    QPageLayout::Orientation orientation;
  };
  const Row rows[] = {
      {w->grab().size(), QPageLayout::Landscape},
      {{400, 800}, QPageLayout::Portrait},
      {{500, 500}, QPageLayout::Portrait},
  };
  for (const Row& r : rows) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter);
    QImage image(r.image, QImage::Format_RGB32);
    image.fill(Qt::gray);
    const QRect drawn = qt::print_image_on(printer, image);
    QCOMPARE(printer.pageLayout().orientation(), r.orientation);
    // As large as the margins allow: it fills the printable width or height, and no more.
    const QRect room = printer.pageLayout().paintRectPixels(printer.resolution());
    QVERIFY(drawn.width() <= room.width() && drawn.height() <= room.height());
    QVERIFY(drawn.width() >= room.width() - 1 || drawn.height() >= room.height() - 1);
  }
}

int run_desktop_tests(int argc, char** argv) {
  GuiDesktopTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "gui_desktop_test.moc"
