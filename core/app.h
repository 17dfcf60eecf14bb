// The program-wide records that the viewer's procedures share.
//
// One App exists per main window; the procedures of the window's design take it by reference,
// the helpers only the records they use. It owns the header record, the pixel store, the row
// buffer, the histogram, the message area's text and its writer and the form flags, and
// reaches the windows only through its Toolkit. Its long tasks share their rows with the
// threads of its worker pool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/file_table.h"
#include "core/histogram_counts.h"
#include "core/image_header.h"
#include "core/message_area.h"
#include "core/message_writer.h"
#include "core/pixel_store.h"
#include "core/row_bands.h"
#include "core/worker_pool.h"

namespace vtr {

class Toolkit;

struct App {
  // `worker_count`: the workers the load and the paint may use, the window's thread among them.
  explicit App(Toolkit& toolkit, int worker_count = usable_cores())
      : tk(toolkit), workers(worker_count) {}
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Toolkit& tk;

  ImageHeader header;
  PixelStore store;
  std::vector<std::uint8_t> rowbuffer;  // one file row for each worker of a load
  Histogram histogram;
  MessageArea messages;
  FileTable files;
  std::string image_path;  // the chosen file's full path, written by getunitnumber

  // Form flags: -1 true, 0 false.
  std::int16_t busy = 0;
  std::int16_t showtext = 0;
  std::int16_t invimage = 0;
  std::int16_t bestfits = 0;
  double stime = 0;
  double etime = 0;

  // The message area's lines: `messages` and the toolkit's box, dump lines under showtext.
  MessageWriter lines{messages, tk, showtext};

  // Set once the program has been told to end; long tasks stop at their next event pump.
  bool ending = false;

  // The threads that share the rows of a load and of a paint, and how the rows go in bands.
  WorkerPool workers;
  BandPlan bands;

  // The most memory a pixel store alone may take, in bytes; 0 means that the store and all a
  // load brings with it are held to what this process may still have when the store is made
  // (decode/load_memory.h, decode/memory_headroom.h).
  std::uint64_t store_limit = 0;
};

}  // namespace vtr
