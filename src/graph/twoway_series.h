// The series of the two-way line and bar plots: one series per level of factor A (A1..A10),
// one point or bar per level of factor B, read from the twoway data setting (cell (a, b) of the
// grid is the column of A level a at B level b). Also each series' look, the "Plot Interval"
// offsets that keep the error bars of neighbouring series apart, the labels of the B levels
// and the legend that says which series is which.
//
// The B levels stand in the slots of the group-plot frame: level j (0-based) of b levels is
// centred at GroupLayout::SlotCentre(j, b); a series' point or bar is shifted from there by
// TwowaySeriesOffset.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "graph/group_plot.h"
#include "sheet/orvel_doc.h"

namespace orvel {

inline constexpr int kTwowaySeriesCount = 10;  // A1..A10: the grid's levels of factor A

// ---- The data -------------------------------------------------------------------------------

struct TwowaySeriesData {
  int a_levels = 0;
  int b_levels = 0;
  // cells[a][b] (0-based): the figures of the column of A level a + 1 at B level b + 1.
  std::vector<std::vector<GroupStats>> cells;
  std::vector<std::string> a_labels;  // the twoway labels of the A levels ("" when none)
  std::vector<std::string> b_labels;

  const GroupStats& At(int a, int b) const { return cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)]; }
  // The largest mean + e and the smallest mean - e over all cells (e by the error bar kind),
  // the extremes a default Y range has to show. False when there are no cells.
  bool MeanSpread(ErrorBarKind kind, double& hi, double& lo) const;
};

// Whether the twoway data setting can be plotted: at least two levels of each factor, every
// cell inside them set to a column with more than one numeric value and none outside. The
// commands refuse with "Data setting is not correct." otherwise.
bool TwowaySeriesUsable(const CORVELDoc& doc);
// The means, SDs and SEs of every A level at every B level, from the columns' kept statistics.
TwowaySeriesData CollectTwowaySeries(const CORVELDoc& doc);

// The name of series a (0-based) as the legend shows it: "A%d", then the level's label if any.
std::string TwowaySeriesName(const TwowaySeriesData& data, int a);

// ---- The look of a series -------------------------------------------------------------------

struct TwowaySeriesFormat {
  std::string line_color = "Blue";  // the line of a line plot, the outline of a bar
  int line_weight = 1;
  MarkerLook marker;                // the marker of a line plot; its background fills a bar
};

// A1..A10: lines (and markers in the same colour) "Blue", "Red", "Green", "Black", "Yellow"
// with square markers, then "Magenta", "Cyan", "Orange", "Purple", "Gray" with circles so the
// later series differ in shape as well; all weight 1, marker size 3.
std::vector<TwowaySeriesFormat> DefaultTwowaySeriesFormats();
// The colours a series may take.
const std::vector<std::string>& TwowaySeriesColorChoices();

// The options of the kind-2 sheets the two plots share.
struct TwowayOptions {
  ErrorBarKind error = ErrorBarKind::kSD;
  bool plot_interval = true;  // "Plot Interval": shift the series apart within each B slot
  bool legend = true;         // "ON" / "OFF"
};
inline constexpr const char* kPlotIntervalNote = "It adjusts coordinates so that error bars won't overlap.";
const std::vector<std::string>& OnOffChoices();  // ON, OFF

// ---- Layout and drawing ---------------------------------------------------------------------

// The x shift of series i (0-based) of n within a B slot whose usable width is `band`: with the
// Plot Interval the series are spread evenly, (i - (n - 1)/2) band / n, so no two series share
// an x and their error bars stand apart; without it every series stands at the slot's centre.
double TwowaySeriesOffset(int i, int n, double band, bool plot_interval);

// Under each B slot: "B%d" half an X-font line below the plot and the level's label two lines
// below, both centred.
void DrawTwowayBLabels(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay, const TwowaySeriesData& data);

// How the legend shows a series: a short line with a marker (line plots) or a filled box
// (bar plots).
enum class LegendSample { kLineAndMarker, kBar };

// The legend: a white box inside the top right corner of the plot area with one row per
// series: its sample, then its name, in the X-axis font.
Rect TwowayLegendBox(const GroupLayout& lay, const TwowaySeriesData& data);
void DrawTwowayLegend(Canvas& canvas, const GroupLayout& lay, const TwowaySeriesData& data,
                      const std::vector<TwowaySeriesFormat>& formats, LegendSample sample, double marker_half);

}  // namespace orvel
