// The box plots of two groups (X and Y of the Oneway Two Groups setting) and of three or more
// groups (the Oneway Three Groups or More columns): per group a box from the lower to the upper
// quartile, the median across it and whiskers to the extremes.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "graph/group_plot.h"
#include "sheet/orvel_doc.h"

namespace orvel {

enum BoxPlotKind { kBoxPlotTwoGroups = 0, kBoxPlotGroups = 1 };

struct BoxPlotSettings {
  int kind = kBoxPlotTwoGroups;
  GroupPlotFrame frame;
  std::string box_color = "Blue";   // the box, the median, the whiskers and their caps
  std::string box_fill = "White";
  // The figures of each group, taken when the command runs (in column order).
  std::vector<GroupStats> groups;
};

// The default title of each kind.
const char* BoxPlotTitle(int kind);

// The command's check of the data: empty when the groups can be drawn, else its message
// ("Samples are too small.": X or Y with 2 numeric values or fewer; "Data setting for Three
// groups or more is required.": fewer than 3 group columns).
std::string CheckBoxPlotData(const CORVELDoc& doc, int kind);
// The groups of a kind: X then Y, or the group columns in column order.
std::vector<GroupStats> BoxPlotGroups(const CORVELDoc& doc, int kind);
// The sheet's presets: the groups' figures, the Y range from the largest maximum and the
// smallest minimum (widened, zero rule, default scale) and the kind's title.
BoxPlotSettings DefaultBoxPlotSettings(const CORVELDoc& doc, int kind);

// Where a group's box stands: its centre and half-width.
struct BoxPlace {
  double centre = 0, half = 0;
};
BoxPlace BoxPlotPlace(const GroupLayout& lay, int kind, int index, int count);

void DrawBoxPlot(Canvas& canvas, const BoxPlotSettings& s, const GraphCall& call);

}  // namespace orvel
