// Generated TIFF files for the benchmarks: one per kind and size, written once into a
// temporary folder and reused while their size is right.
#pragma once

#include <string>
#include <string_view>

#include "core/pixel_store.h"

namespace vtr::bench {

enum class Kind { grey8, grey12, grey16ii, grey16mm, rgb8 };
inline constexpr Kind kKinds[] = {Kind::grey8, Kind::grey12, Kind::grey16ii, Kind::grey16mm,
                                  Kind::rgb8};
inline constexpr int kSides[] = {1024, 4096, 8192};

// The kind's name in benchmark names: "grey8", "grey12", "grey16ii", "grey16mm", "rgb8".
std::string_view kindname(Kind kind);
// The store a file of the kind is read into.
StoreKind storekindof(Kind kind);

// The path of the side x side file of `kind`, written first when it is missing or of the
// wrong size: in $VTR_BENCH_DIR, else $TMPDIR (or /tmp) + "/vtr-bench-files". Rows of varied
// values over the whole range of the kind, 16 rows per strip.
std::string benchfile(Kind kind, int side);

}  // namespace vtr::bench
