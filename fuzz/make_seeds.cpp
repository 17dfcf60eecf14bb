// Writes the fuzz seed corpus: small valid files of every supported kind in both byte
// orders, files that carry every tag the viewer knows, and pairs of files joined by the
// split marker so the second load starts from what the first left.
//
//     vtr_make_seeds OUTPUT_DIR
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_run.h"
#include "tests/support/tiff_builder.h"

namespace {

using vtr::test::Bytes;
using vtr::test::StripImage;
using vtr::test::TiffBuilder;

Bytes ramp(std::size_t n, unsigned step) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * step + 3);
  return b;
}

std::vector<std::uint16_t> samples(std::size_t n, unsigned step, unsigned mask) {
  std::vector<std::uint16_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint16_t>((i * step + 5) & mask);
  return v;
}

Bytes kind(bool mm, int bits, int photometric, int w, int l, int rps) {
  StripImage s;
  s.mm = mm;
  s.width = w;
  s.length = l;
  s.bits = bits;
  s.photometric = photometric;
  s.rowsperstrip = rps;
  std::size_t n = static_cast<std::size_t>(w) * l;
  if (bits == 16) {
    s.pixels = vtr::test::pack16(samples(n, 4099, 0xFFFF), mm);
  } else if (bits == 12) {
    s.pixels = vtr::test::pack12(samples(n, 263, 0xFFF), w);
  } else {
    s.pixels = ramp(n * (photometric == 2 ? 3 : 1), 37);
  }
  return vtr::test::image(s);
}

// Every tag the viewer interprets, the skipped private tag and an unknown one.
Bytes all_tags(bool mm) {
  TiffBuilder b(mm);
  b.long_value(254, 0).short_value(255, 1).short_value(256, 4).short_value(257, 2);
  b.short_value(258, 8).short_value(259, 1).short_value(262, 1).short_value(263, 1);
  b.short_value(264, 1).short_value(265, 1).short_value(266, 1).strip_offsets({0});
  b.short_value(274, 1).short_value(277, 1).long_value(278, 2).long_value(279, 8);
  b.rational(282, 72, 1).rational(283, 300, 7).short_value(284, 1).short_value(296, 2);
  b.ascii(305, Bytes{'v', 't', 'r', 9, 0}, 5).ascii(306, std::string("2024:01:02 03:04:05"));
  b.raw(339, 3, 1, 1).raw(40100, 4, 2, 0);
  b.data(ramp(8, 31));
  return b.build();
}

// Strips given as SHORT offsets, out of order in the file.
Bytes short_strips(bool mm) {
  TiffBuilder b(mm);
  b.short_value(256, 2).short_value(257, 4).short_value(258, 8).short_value(259, 1);
  b.short_value(262, 1).strip_offsets({6, 4, 2, 0}, true).short_value(278, 1);
  b.longs_at(279, {2, 2, 2, 2});
  b.data(ramp(8, 11));
  return b.build();
}

Bytes two_ifds(bool mm) {
  TiffBuilder b(mm);
  b.short_value(256, 1).short_value(257, 1).short_value(258, 8).strip_offsets({0});
  b.next_ifd(8);
  b.data({7});
  return b.build();
}

Bytes joined(const Bytes& a, const Bytes& b) {
  Bytes out = a;
  out.insert(out.end(), vtr::fuzz::kSplitMarker.begin(), vtr::fuzz::kSplitMarker.end());
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

bool write(const std::string& dir, const std::string& name, const Bytes& bytes) {
  std::ofstream f(dir + "/" + name, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = true;
  for (bool mm : {false, true}) {
    const std::string o = mm ? "mm" : "ii";
    ok &= write(dir, "grey8-" + o + ".tif", kind(mm, 8, 1, 5, 4, 3));
    ok &= write(dir, "grey12-" + o + ".tif", kind(mm, 12, 1, 5, 3, 2));
    ok &= write(dir, "grey16-" + o + ".tif", kind(mm, 16, 1, 3, 4, 0));
    ok &= write(dir, "rgb8-" + o + ".tif", kind(mm, 8, 2, 3, 3, 2));
    ok &= write(dir, "white0-" + o + ".tif", kind(mm, 8, 0, 2, 2, 0));
    ok &= write(dir, "alltags-" + o + ".tif", all_tags(mm));
    ok &= write(dir, "shortstrips-" + o + ".tif", short_strips(mm));
    ok &= write(dir, "twoifds-" + o + ".tif", two_ifds(mm));
    ok &= write(dir, "pair-16-then-8-" + o + ".tif",
                joined(kind(mm, 16, 1, 4, 3, 1), kind(!mm, 8, 1, 2, 5, 0)));
    ok &= write(dir, "pair-rgb-then-12-" + o + ".tif",
                joined(kind(mm, 8, 2, 2, 2, 0), kind(mm, 12, 1, 3, 2, 1)));
    ok &= write(dir, "pair-tags-then-two-" + o + ".tif", joined(all_tags(mm), two_ifds(!mm)));
  }
  if (!ok) {
    std::fprintf(stderr, "cannot write seeds to %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
