#include "decode/readfile.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <string_view>

#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "decode/decoders.h"
#include "decode/getheader.h"
#include "decode/header_summary.h"
#include "decode/load_memory.h"
#include "decode/load_verdict.h"
#include "decode/store_memory.h"
#include "display/histogram.h"

namespace vtr {

namespace {

// The decoder of each pixel kind, in the order of pixel_kinds(): the kind the header asks for
// names the decoder that reads it.
constexpr std::int16_t (*kDecoders[])(App&, std::int16_t) = {getimagegray8, getimagergb8,
                                                             getimagegray12, getimagegray16};

// Runs the decoder of `kind` on the open file `p`; says how the load ended: loaded unless the
// program was told to end meanwhile.
LoadEnd decode_kind(App& app, std::int16_t p, const PixelKind& kind) {
  const auto k = static_cast<std::size_t>(&kind - pixel_kinds().data());
  if (k >= std::size(kDecoders)) return LoadEnd::refused;  // a kind without its decoder
  kDecoders[k](app, p);
  return app.ending ? LoadEnd::stopped : LoadEnd::loaded;
}

// Both endings of TIFF files; the dialog matches them in any letter case.
constexpr std::string_view kDialogFilter =
    "TIFF files (*.tif;*.tiff)|*.tif;*.tiff|All files (*.*)|*.*";

// Ends a load before any decoder runs: the file is closed and the header is not usable.
LoadEnd abandon(FileTable& files, ImageHeader& header, std::int16_t p,
                LoadEnd end = LoadEnd::refused) {
  files.close(p);
  header.headervalid = kFalse;
  return end;
}

// One pass of pending events; true when the program was told to end meanwhile (file closed).
bool ended_during_pump(Toolkit& tk, const bool& ending, FileTable& files, std::int16_t p) {
  tk.pump_events();
  if (!ending) return false;
  files.close(p);
  return true;
}

void not_enough_memory(MessageLines& lines, const ImageHeader& header) {
  lines.error(refusal_line(LoadRefusal::memory, header));
}

// Opens `path` under the next free file number `n` and shows it; 0 with a line that says why
// when it cannot be opened.
std::int16_t open_path(App& app, std::int16_t n, const std::string& path) {
  app.image_path = path;
  int error = EMFILE;
  if (n != 0 && app.files.open(n, path, error)) {
    app.tk.set_text(TextBox::image_filename, path);
    return n;
  }
  addmessage(app, openerrorline(path, error));
  return 0;
}

// The workers a load runs on, each with a row of the row buffer.
int load_workers(const App& app) {
  return band_workers(app.bands, app.workers);
}

// read_opened without the out-of-memory refusal.
LoadEnd read_opened_unguarded(App& app, std::int16_t p, std::int16_t mode) {
  ImageHeader& h = app.header;
  if (ended_during_pump(app.tk, app.ending, app.files, p)) return LoadEnd::stopped;
  const HeaderResult header = getheader(app, p);
  show_summary(app.tk, header.summary);
  if (header.rejected()) return abandon(app.files, h, p);
  if (mode >= 1) {
    return abandon(app.files, h, p, header.accepted() ? LoadEnd::header_read : LoadEnd::refused);
  }
  // A store for the header's size must be possible before anything of the old image is given
  // up; a refusal of its own the driver writes, the parser's have been written.
  const LoadRefusal refusal = refusal_for(
      header, h, current_load_limit(app.store_limit, app.store.bytes(), load_workers(app)));
  if (keeps_old_image(refusal)) {
    app.lines.error(refusal_line(refusal, h));
    return abandon(app.files, h, p);
  }
  // The row buffer is had before the old image is given up, so that the decoder does not
  // have to allocate it.
  app.rowbuffer.reserve(static_cast<std::size_t>(rowbuffer_bytes(h.imagewidth, load_workers(app))));
  zerohistogram(app);
  if (!app.store.recreate(h.imagewidth, h.imagelength, storekindfor(h))) {
    // The check above passed but the system still refused the pages.
    not_enough_memory(app.lines, h);
    return abandon(app.files, h, p);
  }
  if (ended_during_pump(app.tk, app.ending, app.files, p)) return LoadEnd::stopped;
  if (refusal != LoadRefusal::none) {
    app.files.close(p);
    if (refusal == LoadRefusal::layout) addmessage(app, refusal_line(refusal, h));
    return LoadEnd::refused;
  }
  app.tk.show_picture_origin();  // a new image is seen from its top left
  return decode_kind(app, p, *pixel_kind_for(h.bitspersample[1], h.photometric));
}

// readfile from its first yield on, for the file opened under `p`. An allocation that fails
// on the way (the row buffer, a decoder's or the paint's buffers) ends the load with the
// "not enough memory" line, the file closed; the caller restores the busy state as always.
LoadEnd read_opened(App& app, std::int16_t p, std::int16_t mode) {
  try {
    return read_opened_unguarded(app, p, mode);
  } catch (const std::bad_alloc&) {
    // Refused like a store the system would not give.
    not_enough_memory(app.lines, app.header);
    return abandon(app.files, app.header, p);
  }
}

}  // namespace

void getimage_button_Click(App& app) {
  if (!begin_guarded(app.busy, app.tk, app.lines, Button::getimage_button)) return;
  readfile(app, 0);
  end_guarded(app.busy, app.tk, Button::getimage_button);
}

void getheader_button_Click(App& app) {
  if (!begin_guarded(app.busy, app.tk, app.lines, Button::getheader_button)) return;
  app.showtext = kTrue;
  readfile(app, 2);
  app.showtext = kFalse;
  end_guarded(app.busy, app.tk, Button::getheader_button);
}

std::int16_t getunitnumber(App& app) {
  const std::int16_t n = app.files.next_free();
  if (n != 0) {
    app.tk.set_dialog_default_ext(".tif");
    app.tk.set_dialog_cancel_error(true);
    app.tk.set_dialog_filter(kDialogFilter);
    if (app.tk.show_open()) {
      if (const std::int16_t p = open_path(app, n, app.tk.dialog_file_name()); p != 0) return p;
    }
  }
  addmessage(app, "Get Image cancelled");
  return 0;
}

std::int16_t readfile(App& app, std::int16_t mode) {
  const std::int16_t p = getunitnumber(app);
  if (p == 0) return 0;
  read_opened(app, p, mode);
  return 0;
}

LoadEnd openfiles(App& app, const std::vector<std::string>& paths, std::int16_t mode) {
  if (paths.empty()) return LoadEnd::not_opened;
  const bool headeronly = mode >= 1;
  const Button button = headeronly ? Button::getheader_button : Button::getimage_button;
  if (!begin_guarded(app.busy, app.tk, app.lines, button)) return LoadEnd::busy;
  if (headeronly) app.showtext = kTrue;
  LoadEnd end = LoadEnd::not_opened;
  if (const std::int16_t p = open_path(app, app.files.next_free(), paths.front()); p != 0) {
    end = read_opened(app, p, mode);
  }
  if (headeronly) app.showtext = kFalse;
  end_guarded(app.busy, app.tk, button);
  if (paths.size() > 1) {
    const auto rest = static_cast<std::int32_t>(paths.size() - 1);
    addmessage(app, "one file at a time;" + numtext(rest) + " more not opened");
  }
  return end;
}

}  // namespace vtr
