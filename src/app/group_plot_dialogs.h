// The pages of the group plots' settings sheets (box, bar and line plots) as dialog-schema
// fields: what every group plot shares (title, X axis, Y axis with its range, plot area) and
// what the two-way plots share (a look per series A1..A10, the error bar with the Plot
// Interval, the legend). A kind's dialog holds these members and adds their pages in its order.
//
// Batch keys:
//   Title       title=TEXT title_font=century|arial title_font_size=10..20
//   X-axis      x_color=black|red|green|blue x_weight=1..3 x_font= x_font_size=10..20
//   Y-axis      y_color= y_weight= y_font= y_font_size= y_position=left|right
//               y_max=TEXT y_min=TEXT y_scale=TEXT (typed numbers); the data's largest and
//               smallest value are shown beside them
//   Plot Area   outline= area= (none|black|red|green|blue|default) area_weight=1..3
//   two-way series n (1..10): an_color= an_weight=1..3 (Line Format); an_marker=square|circle
//               an_size=1..5 an_foreground= an_background= (Marker Format of a line plot) or
//               an_fill= (Marker Format of a bar plot), colours black|white|red|green|blue|
//               yellow|magenta|cyan|orange|purple|gray
//   Eror Bar    error=sd|se|none interval=0|1 (Plot Interval)
//   legend=on|off
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/graph_choice_fields.h"
#include "graph/group_plot.h"
#include "graph/twoway_series.h"

namespace orvel {

// Choices shown as lists and the shared pages: app/graph_choice_fields.h.
using graph_fields::ListChoice;
using graph_fields::IndexOf;
using graph_fields::NameAt;

// A stored setting as its sheet shows it again: "%.2f" when that reads back as the same
// number, else with the digits it needs, so reopening a sheet and pressing OK changes nothing.
std::string GroupEditText(double v);

struct GroupFrameFields {
  std::string title;
  int title_font = 0, title_font_size = 12;
  int x_color = 0, x_weight = 1, x_font = 0, x_font_size = 10;
  int y_color = 0, y_weight = 1, y_font = 0, y_font_size = 10, y_position = 0;
  std::string maximum_value = "0.00", minimum_value = "0.00";  // shown: the data's extremes
  std::string y_max = "1.00", y_min = "-1.00", y_scale = "0.10";

  int outline = 5, area = 5, area_weight = 1;

  // Presets from stored settings (the Y texts by GroupEditText).
  void Load(const GroupPlotFrame& f);
  // The settings the answers stand for (the Y texts parsed as numbers).
  GroupPlotFrame Frame() const;
  // The shown extremes ("%.2f").
  void ShowExtremes(double largest, double smallest);

  void AddTitleFields(DialogSchema& s);
  void AddXAxisFields(DialogSchema& s);
  void AddYAxisFields(DialogSchema& s);
  void AddPlotAreaFields(DialogSchema& s);
};

struct TwowaySeriesFields {
  std::array<int, kTwowaySeriesCount> color{}, weight{}, marker{}, size{}, foreground{}, background{};
  int error = 0;          // SD, SE, None
  bool interval = true;   // Plot Interval
  int legend = 0;         // ON, OFF

  TwowaySeriesFields() { Load(DefaultTwowaySeriesFormats(), TwowayOptions{}); }
  void Load(const std::vector<TwowaySeriesFormat>& formats, const TwowayOptions& options);
  std::vector<TwowaySeriesFormat> Formats() const;
  TwowayOptions Options() const;

  // "Line Format": the line colour and weight of each series.
  void AddLineFormatFields(DialogSchema& s);
  // "Marker Format": a line plot's marker style, size, foreground and background per series;
  // a bar plot's fill colour per series (kept as the marker background).
  void AddMarkerFormatFields(DialogSchema& s, bool bars);
  // "Eror Bar": SD, SE or None, and the Plot Interval check box.
  void AddErrorBarFields(DialogSchema& s);
  void AddLegendField(DialogSchema& s);
};

}  // namespace orvel
