// Helpers for the window tests: a fresh main window per test, clicks, colours on screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>

#include "tests/gui/testing_window.h"
#include "ui/qt/form1.h"

namespace vtr::gui {

// A shown main window whose file dialog answers `path` (or cancels when empty) and whose
// message boxes answer `answer`; the event loops are as a new process has them.
std::unique_ptr<TestingWindow> open_window();
void answer_dialog(TestingWindow& w, const std::string& path);
void click(qt::Form1& w, Button b);
// The colour drawn near the left edge of a button's face, as the screen shows it.
QColor face_colour(qt::Form1& w, Button b);
QColor qcolour(Rgb c);
// The first line of the message area.
std::string top_line(qt::Form1& w);
// The message area's lines, newest first.
QStringList message_lines(qt::Form1& w);

}  // namespace vtr::gui
