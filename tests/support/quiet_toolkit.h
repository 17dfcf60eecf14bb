// A toolkit base for harnesses that only load and paint (fuzzing, benchmarks): the
// clipboard, printer, help window and program end do nothing and always succeed.
#pragma once

#include <string>
#include <string_view>

#include "core/toolkit.h"

namespace vtr::test {

class QuietToolkit : public Toolkit {
 public:
  bool clipboard_clear() override { return true; }
  Outcome clipboard_set_picture() override { return {}; }
  Outcome print_main_window() override { return {}; }
  bool help_window_exists() const override { return false; }
  void create_help_window() override {}
  void show_help_window() override {}
  void hide_help_window() override {}
  std::string help_text() const override { return {}; }
  void set_help_text(std::string_view) override {}
  int selected_tab() const override { return kTabHelp; }
  std::string print_help_text() override { return {}; }
  void end_program() override {}
};

}  // namespace vtr::test
