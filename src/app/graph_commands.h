// What the view keeps of its graphs: the settings of each kind, replaced only by the next
// command of that kind (a graph itself is never kept: every paint redraws it).
#pragma once

#include "graph/bar_plot.h"
#include "graph/box_plot.h"
#include "graph/histogram.h"
#include "graph/line_plot.h"
#include "graph/scatter_matrix.h"
#include "graph/scatter_plot.h"
#include "graph/twoway_line_plot.h"

namespace orvel {

struct GraphState {
  ScatterSettings scatter;
  // The line plot of kind 0, 1, 3 or 4; `line_kind` says which line plot is on display.
  LinePlotSettings line;
  TwowayLinePlotSettings line_twoway;  // kind 2
  int line_kind = kLineTwoGroups;
  BoxPlotSettings box;
  BarPlotSettings bar;
  HistogramSettings histogram;
  ScatterMatrixSettings matrix;
};

// The save dialog of Save Graph As: the enhanced metafile first, then the formats of cairo.
inline constexpr const char* kSaveGraphFilter =
    "Extended meta files(*.emf)|*.emf|SVG files(*.svg)|*.svg|PDF files(*.pdf)|*.pdf|PNG files(*.png)|*.png|"
    "All files(*.*)|*.*||";

}  // namespace orvel
