#include "ui/commands.h"

#include <string>

#include "core/app.h"
#include "core/messages.h"
#include "display/histogram.h"
#include "display/intensity.h"
#include "ui/helpwindow.h"

namespace vtr {

namespace {

// The task buttons, in the order start-up gives them the idle colour.
constexpr Button kTaskButtons[] = {
    Button::getimage_button, Button::getheader_button, Button::printbutton,  Button::copy_button,
    Button::refresh_button,  Button::help_button,      Button::clear_button,
};

// The intensity buttons, in the order start-up colours them.
constexpr Button kIntensityButtons[] = {Button::Command8, Button::Command7, Button::Command9};

// The line a copy ends with.
std::string copyline(const Outcome& copied) {
  switch (copied.kind) {
    case Outcome::Kind::done:
      return "image copied to clipboard";
    case Outcome::Kind::no_memory:
      return "[error] not enough memory to copy the picture";
    case Outcome::Kind::failed:
      break;
  }
  return "[error] copy failed - the clipboard cannot be used";
}

// "[error] <reason><what stopped>", for a fault that stopped a command.
std::string faultline(std::string_view reason, std::string_view stopped) {
  std::string line("[error] ");
  line.append(reason.empty() ? "unexpected fault" : reason).append(stopped);
  return line;
}

}  // namespace

void form_load(App& app) {
  app.lines.replace(kWelcome);
  app.busy = kTrue;
  app.invimage = kTrue;
  invertimage(app);  // toggles to not inverted and paints the invert button white
  fullrange(app);
  app.showtext = kFalse;
  app.header.headervalid = kFalse;
  app.tk.set_progress_min(0.0f);
  app.tk.set_progress_max(1.0f);
  app.tk.set_progress_value(0.0f);
  zerohistogram(app);
  feed_chart(app.tk, app.histogram);
  for (Button b : kTaskButtons) changebutton(app, b, kFalse);
  for (Button b : kIntensityButtons) app.tk.set_back_colour(b, kIntensityButtonColour);
  app.bestfits = kFalse;
  app.busy = kFalse;
}

void copy_button_Click(App& app) {
  if (!begin_guarded(app.busy, app.tk, app.lines, Button::copy_button)) return;
  Outcome copied{Outcome::Kind::failed, {}};
  if (app.tk.clipboard_clear()) copied = app.tk.clipboard_set_picture();
  changebutton(app, Button::copy_button, kFalse);
  addmessage(app, copyline(copied));
  app.busy = kFalse;
}

void printbutton_Click(App& app) {
  if (!begin_guarded(app.busy, app.tk, app.lines, Button::printbutton)) return;
  const Outcome printed = app.tk.print_main_window();
  if (printed.kind == Outcome::Kind::no_memory) {
    addmessage(app, "[error] not enough memory to print the window");
  } else if (printed.kind == Outcome::Kind::failed) {
    addmessage(app, "[error] print failed - " + printed.reason);
  }
  end_guarded(app.busy, app.tk, Button::printbutton);
}

void clear_button_Click(App& app) {
  if (!begin_guarded(app.busy, app.tk, app.lines, Button::clear_button)) return;
  zerohistogram(app);
  app.tk.remove_picture();
  app.tk.show_picture_origin();
  app.lines.replace("message area cleared");
  end_guarded(app.busy, app.tk, Button::clear_button);
}

void stoptask(App& app, std::string_view reason) {
  app.files.closeall();
  app.tk.set_progress_value(0.0f);
  for (Button b : kTaskButtons) changebutton(app, b, kFalse);
  app.showtext = kFalse;
  app.header.headervalid = kFalse;
  app.busy = kFalse;
  addmessage(app, faultline(reason, " - task stopped"));
}

void stop_command(MessageLines& lines, std::string_view reason) {
  lines.error(faultline(reason, " - command stopped"));
}

void help_button_Click(App& app) {
  if (!app.tk.help_window_exists()) {
    app.tk.create_help_window();
    form2_load(app.tk);
  }
  app.tk.show_help_window();
}

void Command1_Click(App& app) {
  const Answer a = app.tk.message_box(kExitQuestion, kProgramTitle, Icon::none, MsgButtons::yes_no);
  if (a != Answer::yes) return;
  app.ending = true;
  app.tk.end_program();
}

void Label9_Click(App& app) {
  app.tk.message_box(kCreditsText, kProgramTitle, Icon::information, MsgButtons::ok);
}

}  // namespace vtr
