#include "tiff/tags.h"

#include <string>

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

// The value of a 16-bit tag, taken from the entry by the tag's rule.
std::int32_t valuebyrule(HeaderParse& parse, const IfdEntry& e, Rule rule) {
  switch (rule) {
    case Rule::in_short:
      return inentryshort(parse, e);
    case Rule::in_long:
      return inentrylong(parse, e);
    case Rule::by_type:
      break;
  }
  return inentrybytype(parse, e);
}

// The summary fields a 16-bit tag gives and the checks that refuse an image, after its line.
HeaderFault showandcheck(HeaderParse& parse, std::int32_t tag, std::int16_t v) {
  switch (tag) {
    case kTagImageWidth:
      parse.summary.width = v;
      break;
    case kTagImageLength:
      parse.summary.length = v;
      break;
    case kTagCompression:
      if (v != 1) return HeaderFault::compression;
      break;
    case kTagPhotometricInterpretation:
      parse.summary.photometric = v;
      if (v < 0 || v > 2) return HeaderFault::photometric;
      break;
    case kTagOrientation:
      if (v != 1) parse.lines.error(kOrientationWarning);
      break;
    default:
      break;
  }
  return HeaderFault::none;
}

HeaderFault field16(HeaderParse& parse, const IfdEntry& e, const Field16& f) {
  std::int16_t v = 0;
  if (!to16(valuebyrule(parse, e, f.rule), v)) return HeaderFault::value_too_big;
  parse.header.*f.field = v;
  parse.lines.dump(f.label + numtext(v));
  return showandcheck(parse, e.tag, v);
}

HeaderFault rowsperstriptag(HeaderParse& parse, const IfdEntry& e) {
  parse.header.rowsperstrip = inentrybytype(parse, e);
  parse.lines.dump("rowsperstrip " + numtext(parse.header.rowsperstrip));
  return HeaderFault::none;
}

// A tag the viewer has no use for: dumped for diagnosis.
HeaderFault unknowntag(HeaderParse& parse, const IfdEntry& e) {
  parse.lines.dump("Tag not processed " + numtext(e.tag));
  parse.lines.dump("Tag number " + numtext(e.tag));
  parse.lines.dump("Field type " + numtext(e.fieldtype));
  parse.lines.dump("Number of values " + numtext(e.count));
  parse.lines.dump("Offset " + numtext(inentrylong(parse, e)));
  return HeaderFault::none;
}

}  // namespace

HeaderFault interprettag(HeaderParse& parse, const IfdEntry& e) {
  for (const auto& f : kFields16) {
    if (f.tag == e.tag) return field16(parse, e, f);
  }
  std::int32_t n = 0;
  switch (e.tag) {
    case kTagBitsPerSample:
      return bitspersampletag(parse, e);
    case kTagStripOffsets:
      return stripoffsetstag(parse, e);
    case kTagRowsPerStrip:
      return rowsperstriptag(parse, e);
    case kTagStripByteCounts:
      return stripbytecountstag(parse, e);
    case kTagXResolution:
      return resolutiontag(parse, e, parse.header.xresolution, "xresolution ");
    case kTagYResolution:
      return resolutiontag(parse, e, parse.header.yresolution, "yresolution ");
    case kTagSoftware:
      return softwaretag(parse, e);
    case kTagDateTime:
      return datetag(parse, e);
    case kTagImageDescription:
      keepdescription(parse, e);
      return unknowntag(parse, e);
    case kTagPrivateSkipped:
      // Recognised and skipped; its count is still held to the list limit.
      return listcount(e, n) ? HeaderFault::none : HeaderFault::list_count_too_big;
    default:
      return unknowntag(parse, e);
  }
}

}  // namespace vtr
