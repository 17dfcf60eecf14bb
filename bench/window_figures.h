// Figures of the window's responsiveness, each printed against its limit with "ok" or
// "OVER": the longest wait for an event pass during a large load, adding a line to a long
// message area, a long header dump, and feeding the chart.
#pragma once

namespace vtr::bench {

// Runs every figure in fresh windows of its own; returns how many were over their limits.
int print_window_figures();

}  // namespace vtr::bench
