// What the line plots take from the sheet: the groups of each kind, the related groups'
// profiles row by row, the range of the plotted values, and the data checks
// each command makes before its settings sheet opens.
#pragma once

#include <string>
#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

// The line-plot kinds in the order of the display mode's sub-kind.
enum LinePlotKind {
  kLineTwoGroups = 0,      // Oneway Two Groups: the means of X and Y
  kLineGroups = 1,         // Oneway Three Groups or More: the means of the group columns
  kLineTwoway = 2,         // Twoway Data: the means of each A level across the B levels
  kLineTwoRelated = 3,     // Oneway Two Related Groups: each row's X-Y profile
  kLineRelatedGroups = 4,  // Oneway Three Related Groups or More: each row's profile
};

// The columns a kind plots, in column order: X and Y for kinds 0 and 3, the group columns for
// kinds 1 and 4 (the two-way data's columns are the series module's business).
std::vector<int> LinePlotColumns(const CORVELDoc& doc, int kind);

// The data check of a kind's command before its sheet, in order: the message it shows, or
// empty when the data can be plotted.
std::string LinePlotDataRefusal(const CORVELDoc& doc, int kind);

// The extent of what a kind plots before the margin and the zero rule: means +- SD for kinds 0
// and 1, the values themselves for kinds 3 and 4.
struct LineDataExtent {
  double hi = 0, lo = 0;
};
LineDataExtent LinePlotExtent(const CORVELDoc& doc, int kind, const std::vector<int>& columns);

// One row of related groups: the values at each plotted column (numeric or not).
struct LineProfile {
  int row = 0;
  std::vector<double> values;
  std::vector<bool> numeric;
};
// The rows of the sheet that hold a numeric value in at least one of the columns.
std::vector<LineProfile> LineProfiles(const CORVELDoc& doc, const std::vector<int>& columns);

}  // namespace orvel
