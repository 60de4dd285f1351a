// The line plots of one-way data (kinds 0, 1, 3 and 4): the means of two groups or of three or
// more joined by a line with error bars, and the profiles of related groups row by row. They
// draw on the group-plot frame (margins, Y axis, labels under the groups, title).
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "graph/group_plot.h"
#include "graph/line_plot_data.h"
#include "sheet/orvel_doc.h"

namespace orvel {

struct LinePlotSettings {
  int kind = kLineTwoGroups;
  GroupPlotFrame frame;
  std::string line_color = "Blue";
  int line_weight = 1;
  MarkerLook marker;  // "Square", 3, "Blue" on "Blue"
  std::string error_bar = "SD";
  // The plotted columns in column order, kept when the command ran.
  std::vector<int> columns;
};

// The default title of a kind ("Line plot--Oneway Two Groups", ...).
const char* LinePlotTitle(int kind);
// The sheet of a kind's command and the re-edit sheet of a double click.
const char* LinePlotSheetTitle(int kind);
const char* LinePlotReeditTitle(int kind);

// The pre-filled settings of a kind's sheet: its title, the plotted columns and the default Y
// range of what it plots (means +- SD, or the values), widened, with the zero rule and scale.
LinePlotSettings DefaultLinePlotSettings(const CORVELDoc& doc, int kind);

// The centre of group j of the kind's k groups: the two-group centres for kinds 0 and 3, the
// slots for kinds 1 and 4.
double LineGroupCentre(const GroupLayout& lay, int kind, int j, int k);

// Draws the plot of the stored kind from the sheet's present values.
void DrawLinePlot(Canvas& canvas, const CORVELDoc& doc, const LinePlotSettings& s, const GraphCall& call);

}  // namespace orvel
