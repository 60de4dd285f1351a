// The frame every group plot shares (box plots, bar plots and line plots): the settings of the
// title, the axes, the Y range and the plot area; the default Y range from the data; the two
// setting checks; the layout of the plot area and of the groups along it; and the pieces every
// kind draws — plot area, baseline, Y axis with ticks, the labels under a group, the title,
// error bars with caps and markers.
//
// A kind draws in this order:
//   GroupLayout lay = LayoutGroupPlot(canvas, frame, call);
//   DrawGroupPlotArea(canvas, frame, lay);
//   DrawGroupBaseline(canvas, frame, lay);
//   DrawGroupYAxis(canvas, frame, lay);
//   ... its boxes, bars or lines, using lay.Py(value) and the centres below ...
//   DrawGroupLabel(canvas, frame, lay, centre, column, label) for each group;
//   DrawGroupTitle(canvas, frame, lay);
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// An axis's look: its pen and its font. The X axis's font writes the labels under the groups
// and sets the tick length; the Y axis's font writes the tick labels and sets the side margins.
struct GroupAxisLook {
  std::string color = "Black";
  int weight = 1;
  std::string font = "Century";
  int font_size = 10;
};

// The Y axis stands at the left edge of the plot area unless it is put on the right.
inline constexpr const char* kGroupYLeft = "Left";
inline constexpr const char* kGroupYRight = "Right";
const std::vector<std::string>& GroupYPositionChoices();  // Left, Right

// What the group plots share of their settings.
struct GroupPlotFrame {
  std::string title;
  std::string title_font = "Century";
  int title_size = 12;
  GroupAxisLook x, y;
  std::string y_position = kGroupYLeft;
  double y_max = 1;
  double y_min = -1;
  double y_scale = 0.1;
  std::string area_outline = "Default";
  int area_weight = 1;
  std::string area_fill = "Default";
};

// The colour of a name: the graph colours of every kind, and the further names the series of the
// two-way plots offer ("Magenta", "Cyan", "Orange", "Purple", "Gray"); `fallback` otherwise.
Color GroupColor(std::string_view name, Color fallback);

// ---- Defaults and checks --------------------------------------------------------------------

// The default Y range from the largest (hi) and smallest (lo) value to be shown: both widened
// by a tenth of their distance; then a range of positives starts at 0 and a range of negatives
// ends at 0 (positive data start at 0 even when the widening reached below it). The scale is 10^(e-1)/2 for e > 0 and 10^e/2 for e <= 0 with e the digit exponent
// of the range. All three are offered rounded as their "%.2f" texts show them.
// A range of zero (all values 0) gives -1 .. 1 with the scale 0.1. Where "%.2f" would round a
// tiny range or scale to nothing, the texts keep their significant digits instead.
struct GroupRange {
  double max = 1;
  double min = -1;
  double scale = 0.1;
  std::string max_text = "1.00", min_text = "-1.00", scale_text = "0.10";
};
GroupRange DefaultGroupRange(double hi, double lo);

// The text a Y setting is offered as: "%.2f", or "%g" when "%.2f" would show 0 for a non-zero
// value.
std::string GroupSettingText(double v);

// The two setting checks, in order: the maximum setting not above the minimum setting, then a
// scale that is not positive. Empty when both pass.
//   kCommand       the command's sheet (and the bar plot's re-edit sheet):
//                  "The maximum setting is smaller than the minimum setting.",
//                  "Setting for scale is not correct."
//   kReeditLineBox the re-edit sheet of a line or box plot: the same first text, then
//                  "Scale setting is not correct."
enum class GroupCheck { kCommand, kReeditLineBox };
std::string CheckGroupSettings(double y_max, double y_min, double y_scale, GroupCheck which);
inline std::string CheckGroupSettings(const GroupPlotFrame& f, GroupCheck which) {
  return CheckGroupSettings(f.y_max, f.y_min, f.y_scale, which);
}

// ---- Statistics of a group ------------------------------------------------------------------

// A column's figures as the group plots use them, from the document's kept column statistics.
struct GroupStats {
  int column = 0;
  std::string label;     // the column's name (row 0)
  int n = 0;             // numeric values
  double mean = 0;
  double sd = 0;         // divisor n - 1 (0 when n < 2)
  double se = 0;         // sd / sqrt(n)
  double median = 0, lower_quartile = 0, upper_quartile = 0;
  double max = 0, min = 0;
};
GroupStats ColumnGroupStats(const CORVELDoc& doc, int column);

// The error bar choice of a sheet: "SD", "SE" or "None".
enum class ErrorBarKind { kSD = 0, kSE = 1, kNone = 2 };
const std::vector<std::string>& ErrorBarChoices();  // SD, SE, None
ErrorBarKind ErrorBarFromName(const std::string& name);
const char* ErrorBarName(ErrorBarKind kind);
// The half-length of a group's error bar: its SD, its SE, or 0 for "None".
double ErrorExtent(const GroupStats& g, ErrorBarKind kind);

// ---- Layout ---------------------------------------------------------------------------------

struct GroupFonts {
  GraphFont title, x, y;
};

struct GroupLayout {
  GroupFonts fonts;
  Rect area;            // the plot area: left, top, right, bottom
  double tick = 0;      // tick length: one X-font character width
  double y_max = 1, y_min = -1;
  double width = 600, height = 450;  // the drawing's size, for clamping

  // The y pixel of a value (top is y_max, bottom y_min), clamped to a few times the drawing.
  double Py(double v) const;
  // Clamps an x pixel the same way.
  double Px(double x) const { return ClampCoordinate(x, width); }
  // The line the bars grow from: the bottom edge when both Y settings are non-zero and of the
  // same sign, else the line of 0.
  double BaselineY() const;
  // Two groups: centres at (3 left + right)/4 and (left + 3 right)/4, half-width (right-left)/10.
  double TwoGroupCentre(int i) const;
  double TwoGroupHalfWidth() const { return area.Width() / 10; }
  // k groups: the width cut into 2k slots, group j centred at left + (2j + 1) slot.
  double Slot(int k) const { return k > 0 ? area.Width() / (2.0 * k) : area.Width(); }
  double SlotCentre(int j, int k) const { return area.left + (2.0 * j + 1) * Slot(k); }
};

// Margins: left and right 10 Y-font characters in from the edges; top 2 title lines when
// printing, 4 in a file, the header band and 2 title lines on screen; bottom 4 X-font lines up
// from the bottom edge.
GroupLayout LayoutGroupPlot(Canvas& canvas, const GroupPlotFrame& f, const GraphCall& call);

// The half-size of a marker: its size on screen and in files, an X-font character width x
// size / 4 when printing.
double MarkerHalfSize(const GroupLayout& lay, const GraphCall& call, int marker_size);

// ---- Drawing --------------------------------------------------------------------------------

void DrawGroupPlotArea(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay);
// The horizontal baseline (X-axis pen) at BaselineY().
void DrawGroupBaseline(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay);

// The Y ticks: every multiple of the scale from floor(min/scale) to floor(max/scale) that lies
// inside [min, max]. A scale too fine to see is thinned to a multiple of itself, so a drawing
// never lists more than `limit` ticks.
std::vector<double> GroupYTicks(double y_min, double y_max, double scale, int limit = 1000);
// Every how many scale steps a tick is labelled: 1 while the ticks stand at least a Y-font line
// apart, else the smallest of 2, 5, 10, 20, 50, ... steps that does, so labels never overprint.
int GroupLabelStride(const std::vector<double>& ticks, const GroupLayout& lay);
// The Y axis on the left (or right) edge with its ticks pointing away from the plot, labelled
// "%.2f" beside the axis (every tick, or every stride-th multiple of the scale where the ticks
// stand closer than a line).
void DrawGroupYAxis(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay);

// Under a group centred at x: "Col%d" half an X-font line below the plot, the column's name two
// lines below, both centred.
void DrawGroupLabel(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay, double x, int column,
                    const std::string& label);
// The title centred over the plot, its bottom half a title line above the plot's top.
void DrawGroupTitle(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay);

// A vertical error bar at x from value lo to value hi with a horizontal cap of half-length
// `cap` at each end, in the current pen.
void DrawErrorBar(Canvas& canvas, const GroupLayout& lay, double x, double lo, double hi, double cap);

// A marker of half-size m at (x, y) pixels: "Square" or "Circle" (anything else is a square),
// outlined with a 1-pixel pen of the foreground colour and filled with the background colour.
struct MarkerLook {
  std::string style = "Square";
  int size = 3;
  std::string foreground = "Blue";
  std::string background = "Blue";
};
const std::vector<std::string>& MarkerStyleChoices();  // Square, Circle
void DrawMarker(Canvas& canvas, double x, double y, double m, const MarkerLook& look);

}  // namespace orvel
