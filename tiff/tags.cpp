#include "tiff/tags.h"

#include <string>

#include "tiff/tag_lists.h"
#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"

namespace vtr {

namespace {

enum class Rule { in_short, in_long, by_type };

// A tag whose one value lands in a 16-bit field.
struct Field16 {
  std::int32_t tag;
  Rule rule;
  std::int16_t ImageHeader::*field;
  const char* label;
};

constexpr Field16 kFields16[] = {
    {254, Rule::in_long, &ImageHeader::newsubfiletype, "newsubfiletype"},
    {255, Rule::in_short, &ImageHeader::subfiletype, "subfiletype "},
    {256, Rule::by_type, &ImageHeader::imagewidth, "imagewidth "},
    {257, Rule::by_type, &ImageHeader::imagelength, "imagelength "},
    {259, Rule::in_short, &ImageHeader::compression, "compression "},
    {262, Rule::in_short, &ImageHeader::photometric, "photometric "},
    {263, Rule::in_short, &ImageHeader::thresholding, "thresholding "},
    {264, Rule::in_short, &ImageHeader::cellwidth, "cell width "},
    {265, Rule::in_short, &ImageHeader::celllength, "celllength "},
    {266, Rule::in_short, &ImageHeader::fillorder, "fillorder "},
    {274, Rule::in_short, &ImageHeader::orientation, "orientation "},
    {277, Rule::in_short, &ImageHeader::samplesperpixel, "samplesperpixel "},
    {284, Rule::in_short, &ImageHeader::planar, "planar "},
    {296, Rule::in_short, &ImageHeader::resolutionunit, "resolutionunit "},
};

constexpr std::int32_t kPrivateTag = 40100;

std::int32_t take(App& app, const IfdEntry& e, Rule rule) {
  switch (rule) {
    case Rule::in_short:
      return inentryshort(app, e);
    case Rule::in_long:
      return inentrylong(app, e);
    case Rule::by_type:
      break;
  }
  return inentrybytype(app, e);
}

const char* phototype(std::int16_t v) {
  switch (v) {
    case 0:
      return "grayscale (white=0)";
    case 1:
      return "grayscale (black=0)";
    case 2:
      return "RGB";
    default:
      return "invalid";
  }
}

// The checks and read-out boxes that follow a 16-bit tag's line.
TagOutcome after16(App& app, std::int32_t tag, std::int16_t v) {
  switch (tag) {
    case 256:
      app.tk.set_text(TextBox::image_width, numtext(v));
      break;
    case 257:
      app.tk.set_text(TextBox::image_length, numtext(v));
      break;
    case 259:
      if (v != 1) {
        addmessage(app, "[error] cannot deal with this compression format");
        return TagOutcome::reject_compression;
      }
      break;
    case 262:
      app.tk.set_text(TextBox::image_type, phototype(v));
      if (v < 0 || v > 2) {
        addmessage(app, "[error]invalid photometric setting");
        return TagOutcome::reject_photometric;
      }
      break;
    case 274:
      if (v != 1)
        addmessage(app, "[error] image will not be displayed with the correct orientation");
      break;
    default:
      break;
  }
  return TagOutcome::go_on;
}

TagOutcome field16(App& app, const IfdEntry& e, const Field16& f) {
  std::int16_t v = 0;
  if (!to16(take(app, e, f.rule), v)) return TagOutcome::fault;
  app.header.*f.field = v;
  dt(app, f.label + numtext(v));
  return after16(app, e.tag, v);
}

TagOutcome rowsperstriptag(App& app, const IfdEntry& e) {
  app.header.rowsperstrip = inentrybytype(app, e);
  dt(app, "rowsperstrip " + numtext(app.header.rowsperstrip));
  return TagOutcome::go_on;
}

// A tag the viewer has no use for: dumped for diagnosis.
TagOutcome unknowntag(App& app, const IfdEntry& e) {
  dt(app, "Tag not processed " + numtext(e.tag));
  dt(app, "Tag number " + numtext(e.tag));
  dt(app, "Field type " + numtext(e.fieldtype));
  dt(app, "Number of values " + numtext(e.count));
  dt(app, "Offset " + numtext(inentrylong(app, e)));
  return TagOutcome::go_on;
}

}  // namespace

TagOutcome interprettag(App& app, const IfdEntry& e, std::int16_t p) {
  for (const auto& f : kFields16) {
    if (f.tag == e.tag) return field16(app, e, f);
  }
  std::int32_t n = 0;
  switch (e.tag) {
    case 258:
      return bitspersampletag(app, e, p);
    case 273:
      return stripoffsetstag(app, e, p);
    case 278:
      return rowsperstriptag(app, e);
    case 279:
      return stripbytecountstag(app, e, p);
    case 282:
      return resolutiontag(app, e, p, app.header.xresolution, "xresolution ");
    case 283:
      return resolutiontag(app, e, p, app.header.yresolution, "yresolution ");
    case 305:
      return softwaretag(app, e, p);
    case 306:
      return datetag(app, e, p);
    case kPrivateTag:
      // Recognised and skipped; its count is still held to the list limit.
      return listcount(e, n) ? TagOutcome::go_on : TagOutcome::fault;
    default:
      return unknowntag(app, e);
  }
}

}  // namespace vtr
