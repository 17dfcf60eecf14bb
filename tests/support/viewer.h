// The viewer after start-up on the recording toolkit, its files handed to the dialog one
// command at a time: what the tests and the load probe that feed it whole files run.
#pragma once

#include <string>

#include "core/app.h"
#include "decode/readfile.h"
#include "tests/support/fake_toolkit.h"
#include "ui/commands.h"

namespace vtr::test {

struct Viewer {
  // Starts the viewer as the program does; the progress bar's values are not recorded.
  Viewer() {
    tk.record_progress = false;
    form_load(app);
  }
  // Runs the get-image command with the dialog answering `path`.
  void load(const std::string& path) {
    tk.dialog_answers.push_back(path);
    getimage_button_Click(app);
  }
  // Runs the get-header command with the dialog answering `path`.
  void header(const std::string& path) {
    tk.dialog_answers.push_back(path);
    getheader_button_Click(app);
  }
  // The message area's text, newest line first.
  std::string messages() const { return tk.text(TextBox::Text1); }
  // The lines the area gained since it held `before` (newest first, CR LF after each).
  std::string added_since(const std::string& before) const {
    const std::string now = messages();
    return now.substr(0, now.size() - before.size());
  }

  FakeToolkit tk;
  App app{tk};
};

}  // namespace vtr::test
