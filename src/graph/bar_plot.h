// The bar plots: the means of two groups (X and Y of the Oneway Two Groups setting, kind 0), of
// three or more groups (the Oneway Three Groups or More columns, kind 1), and of the two-way
// data (kind 2: for each level of factor B the bars of the A levels side by side, one colour
// per A level, with a legend), each with error bars of SD, SE or none.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "graph/group_plot.h"
#include "graph/twoway_series.h"
#include "sheet/orvel_doc.h"

namespace orvel {

enum BarPlotKind { kBarPlotTwoGroups = 0, kBarPlotGroups = 1, kBarPlotTwoway = 2 };

struct BarPlotSettings {
  int kind = kBarPlotTwoGroups;
  GroupPlotFrame frame;
  // Kinds 0 and 1: one look for every bar.
  std::string line_color = "Blue";
  int line_weight = 1;
  std::string fill = "White";
  ErrorBarKind error = ErrorBarKind::kSD;
  std::vector<GroupStats> groups;  // kinds 0 and 1: taken when the command runs
  // Kind 2: a look per A level (the outline is the series' line, the fill its marker
  // background), the error bar, Plot Interval and legend options, and the figures.
  std::vector<TwowaySeriesFormat> series = DefaultTwowaySeriesFormats();
  TwowayOptions twoway;
  TwowaySeriesData twoway_data;
};

const char* BarPlotTitle(int kind);
// The fill colours of the "Data Format" page.
const std::vector<std::string>& BarFillChoices();  // White, Black, Red, Green, Blue

// The command's check of the data, empty when it can be drawn: "Samples are too small." (kind
// 0: X or Y with 2 numeric values or fewer), "Set data for Oneway Three Groups or More." (kind
// 1: fewer than 3 group columns), "Data setting is not correct." (kind 2: the twoway data
// setting is incomplete).
std::string CheckBarPlotData(const CORVELDoc& doc, int kind);
// The presets: the figures, the kind's title and the default Y range: kinds 0 and 1 from the
// largest and smallest value, kind 2 from the largest mean + SD and smallest mean - SD so the
// error bars fit; then the widening, zero rule and default scale of the group plots.
BarPlotSettings DefaultBarPlotSettings(const CORVELDoc& doc, int kind);

// Where a bar stands: kinds 0 and 1 group `index` of `count`; kind 2 A level `index` at B level
// `b`.
struct BarPlace {
  double centre = 0, half = 0;
};
BarPlace BarPlotPlace(const GroupLayout& lay, const BarPlotSettings& s, int index, int b = 0);

void DrawBarPlot(Canvas& canvas, const BarPlotSettings& s, const GraphCall& call);

}  // namespace orvel
