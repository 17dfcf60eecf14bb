#include "tiff/tags.h"

#include <string>

#include "core/app.h"
#include "core/messages.h"
#include "core/numtext.h"
#include "tiff/tag_lists.h"
#include "tiff/tag_numbers.h"

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
    {kTagNewSubfileType, Rule::in_long, &ImageHeader::newsubfiletype, "newsubfiletype"},
    {kTagSubfileType, Rule::in_short, &ImageHeader::subfiletype, "subfiletype "},
    {kTagImageWidth, Rule::by_type, &ImageHeader::imagewidth, "imagewidth "},
    {kTagImageLength, Rule::by_type, &ImageHeader::imagelength, "imagelength "},
    {kTagCompression, Rule::in_short, &ImageHeader::compression, "compression "},
    {kTagPhotometricInterpretation, Rule::in_short, &ImageHeader::photometric, "photometric "},
    {kTagThreshholding, Rule::in_short, &ImageHeader::thresholding, "thresholding "},
    {kTagCellWidth, Rule::in_short, &ImageHeader::cellwidth, "cell width "},
    {kTagCellLength, Rule::in_short, &ImageHeader::celllength, "celllength "},
    {kTagFillOrder, Rule::in_short, &ImageHeader::fillorder, "fillorder "},
    {kTagOrientation, Rule::in_short, &ImageHeader::orientation, "orientation "},
    {kTagSamplesPerPixel, Rule::in_short, &ImageHeader::samplesperpixel, "samplesperpixel "},
    {kTagPlanarConfiguration, Rule::in_short, &ImageHeader::planar, "planar "},
    {kTagResolutionUnit, Rule::in_short, &ImageHeader::resolutionunit, "resolutionunit "},
};

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
    case kTagImageWidth:
      app.tk.set_text(TextBox::image_width, numtext(v));
      break;
    case kTagImageLength:
      app.tk.set_text(TextBox::image_length, numtext(v));
      break;
    case kTagCompression:
      if (v != 1) {
        addmessage(app, "[error] cannot deal with this compression format");
        return TagOutcome::reject_compression;
      }
      break;
    case kTagPhotometricInterpretation:
      app.tk.set_text(TextBox::image_type, phototype(v));
      if (v < 0 || v > 2) {
        addmessage(app, "[error]invalid photometric setting");
        return TagOutcome::reject_photometric;
      }
      break;
    case kTagOrientation:
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
    case kTagBitsPerSample:
      return bitspersampletag(app, e, p);
    case kTagStripOffsets:
      return stripoffsetstag(app, e, p);
    case kTagRowsPerStrip:
      return rowsperstriptag(app, e);
    case kTagStripByteCounts:
      return stripbytecountstag(app, e, p);
    case kTagXResolution:
      return resolutiontag(app, e, p, app.header.xresolution, "xresolution ");
    case kTagYResolution:
      return resolutiontag(app, e, p, app.header.yresolution, "yresolution ");
    case kTagSoftware:
      return softwaretag(app, e, p);
    case kTagDateTime:
      return datetag(app, e, p);
    case kTagPrivateSkipped:
      // Recognised and skipped; its count is still held to the list limit.
      return listcount(e, n) ? TagOutcome::go_on : TagOutcome::fault;
    default:
      return unknowntag(app, e);
  }
}

}  // namespace vtr
