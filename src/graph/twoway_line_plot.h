// The line plot of two-way data (kind 2): one line per level of factor A across the levels of
// factor B, each point the mean of its cell with an error bar (SD, SE or none) and the series'
// marker; the "Plot Interval" spreads the series within each B slot so their error bars stand
// apart, and a legend names each series.
#pragma once

#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "graph/group_plot.h"
#include "graph/twoway_series.h"
#include "sheet/orvel_doc.h"

namespace orvel {

struct TwowayLinePlotSettings {
  GroupPlotFrame frame;
  std::vector<TwowaySeriesFormat> formats = DefaultTwowaySeriesFormats();
  TwowayOptions options;
};

// The pre-filled sheet: the title "Line plot (Twoway data)" and the Y range of the cells'
// means +- SD, widened, with the zero rule and the default scale.
TwowayLinePlotSettings DefaultTwowayLinePlotSettings(const CORVELDoc& doc);

// The x of series a's point at B level b: the B slot's centre, shifted by the Plot Interval
// within the slot's width.
double TwowayLinePointX(const GroupLayout& lay, int a, int a_levels, int b, int b_levels, bool plot_interval);

// Draws the plot from the sheet's present two-way data; a setting that no longer fits the data
// draws the frame alone.
void DrawTwowayLinePlot(Canvas& canvas, const CORVELDoc& doc, const TwowayLinePlotSettings& s, const GraphCall& call);

}  // namespace orvel
