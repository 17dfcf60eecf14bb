#include "decode/decoders.h"

#include "core/app.h"
#include "core/messages.h"
#include "core/toolkit.h"
#include "decode/decoder_frame.h"
#include "display/histogram.h"
#include "display/paint.h"

namespace vtr {

namespace {

// The body of the four decoders: reads the open file `p` as an image of `kind` and, when every
// row was walked, finishes the load.
void read_image(App& app, std::int16_t p, const PixelKind& kind) {
  app.stime = app.tk.clock();
  const ImageFile closed{};
  const ImageFile* file = app.files.get(p);
  const DecodeTarget target{file != nullptr ? *file : closed,
                            app.header,
                            app.store,
                            app.rowbuffer,
                            app.histogram.bins,
                            app.lines,
                            app.workers,
                            app.bands};
  // Before each band: progress up to its last row, row / L, and one event pass, until the
  // program is told to end.
  const DecodeResult result =
      decode_image(target, kind, [&app](std::int64_t row, std::int64_t length) {
        app.tk.set_progress_value(
            static_cast<float>(static_cast<double>(row) / static_cast<double>(length)));
        app.tk.pump_events();
        return !app.ending;
      });
  app.files.close(p);
  if (result.end != DecodeEnd::mismatched) app.header.stripsperimage = result.stripsperimage;
  if (result.end != DecodeEnd::finished) return;
  feed_chart(app.tk, app.histogram);
  if (kind.reports_read) addmessage(app, "imagefile read");
  elapsedtime(app);
  // The chart and the lines show before the paint starts.
  app.tk.pump_events();
  if (app.ending) return;
  paintimage(app);
}

}  // namespace

std::int16_t getimagegray8(App& app, std::int16_t p) {
  read_image(app, p, *pixel_kind_for(8, 1));
  return 0;
}

std::int16_t getimagegray12(App& app, std::int16_t p) {
  read_image(app, p, *pixel_kind_for(12, 1));
  return 0;
}

std::int16_t getimagegray16(App& app, std::int16_t p) {
  read_image(app, p, *pixel_kind_for(16, 1));
  return 0;
}

std::int16_t getimagergb8(App& app, std::int16_t p) {
  read_image(app, p, *pixel_kind_for(8, 2));
  return 0;
}

StoreKind storekindfor(const ImageHeader& h) {
  const PixelKind* kind = pixel_kind_for(h.bitspersample[1], h.photometric);
  if (kind == nullptr) kind = pixel_kind_of_depth(h.bitspersample[1]);
  return kind != nullptr ? kind->store : StoreKind::grey16;
}

}  // namespace vtr
