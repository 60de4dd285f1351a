// What the view shows: the document's display mode.
#pragma once

namespace orvel {

// The numbers are the modes' historical values, which the ordering of the graph range keeps.
enum class DisplayKind : int {
  kDataSheet = 0,
  kResult = 1,
  kHistogram = 2,
  kScatterPlot = 3,
  kLinePlot = 4,
  kTwowayGrid = 5,
  kBoxPlot = 6,
  kScatterPlotMatrix = 7,
  kBarPlot = 8,
};

}  // namespace orvel
