#include "app/group_plot_dialogs.h"

#include <algorithm>

namespace orvel {

namespace {

constexpr const char* kTooLong = "Enter no more than 20 characters.";
constexpr const char* kWeightRefusal = "Choose a weight from 1 to 3.";

}  // namespace

std::string GroupEditText(double v) {
  const std::string fixed = FormatFixed2(v);
  if (ParseSetting(fixed) == v) return fixed;
  return GraphFormat("%.15g", v);
}

// ---- The frame ------------------------------------------------------------------------------

void GroupFrameFields::Load(const GroupPlotFrame& f) {
  title = f.title;
  title_font = IndexOf(FontChoices(), f.title_font, 0);
  title_font_size = f.title_size;
  x_color = IndexOf(AxisColorChoices(), f.x.color, 0);
  x_weight = f.x.weight;
  x_font = IndexOf(FontChoices(), f.x.font, 0);
  x_font_size = f.x.font_size;
  y_color = IndexOf(AxisColorChoices(), f.y.color, 0);
  y_weight = f.y.weight;
  y_font = IndexOf(FontChoices(), f.y.font, 0);
  y_font_size = f.y.font_size;
  y_position = IndexOf(GroupYPositionChoices(), f.y_position, 0);
  y_max = GroupEditText(f.y_max);
  y_min = GroupEditText(f.y_min);
  y_scale = GroupEditText(f.y_scale);
  outline = IndexOf(AreaColorChoices(), f.area_outline, 5);
  area = IndexOf(AreaColorChoices(), f.area_fill, 5);
  area_weight = f.area_weight;
}

GroupPlotFrame GroupFrameFields::Frame() const {
  GroupPlotFrame f;
  f.title = title;
  f.title_font = NameAt(FontChoices(), title_font);
  f.title_size = title_font_size;
  f.x.color = NameAt(AxisColorChoices(), x_color);
  f.x.weight = x_weight;
  f.x.font = NameAt(FontChoices(), x_font);
  f.x.font_size = x_font_size;
  f.y.color = NameAt(AxisColorChoices(), y_color);
  f.y.weight = y_weight;
  f.y.font = NameAt(FontChoices(), y_font);
  f.y.font_size = y_font_size;
  f.y_position = NameAt(GroupYPositionChoices(), y_position);
  f.y_max = ParseSetting(y_max);
  f.y_min = ParseSetting(y_min);
  f.y_scale = ParseSetting(y_scale);
  f.area_outline = NameAt(AreaColorChoices(), outline);
  f.area_fill = NameAt(AreaColorChoices(), area);
  f.area_weight = area_weight;
  return f;
}

void GroupFrameFields::ShowExtremes(double largest, double smallest) {
  maximum_value = FormatFixed2(largest);
  minimum_value = FormatFixed2(smallest);
}

void GroupFrameFields::AddTitleFields(DialogSchema& s) {
  graph_fields::TitleFields(s, title, title_font, title_font_size, FontChoices());
}

void GroupFrameFields::AddXAxisFields(DialogSchema& s) {
  ListChoice(s, "x_color", "Color", x_color, AxisColorChoices());
  s.Integer("x_weight", "Weight", x_weight, 1, 3, kWeightRefusal);
  ListChoice(s, "x_font", "Font", x_font, FontChoices());
  s.Integer("x_font_size", "Font Size", x_font_size, 10, 20, "Choose a font size from 10 to 20.");
}

void GroupFrameFields::AddYAxisFields(DialogSchema& s) {
  ListChoice(s, "y_color", "Color", y_color, AxisColorChoices());
  s.Integer("y_weight", "Weight", y_weight, 1, 3, kWeightRefusal);
  ListChoice(s, "y_font", "Font", y_font, FontChoices());
  s.Integer("y_font_size", "Font Size", y_font_size, 10, 20, "Choose a font size from 10 to 20.");
  ListChoice(s, "y_position", "Position", y_position, GroupYPositionChoices());
  s.Shown("y_maximum_value", "Maximum Value", maximum_value);
  s.Shown("y_minimum_value", "Minimum Value", minimum_value);
  s.Text("y_max", "Maximum Setting", y_max, 20, {}, kTooLong);
  s.Text("y_min", "Minimum Setting", y_min, 20, {}, kTooLong);
  s.Text("y_scale", "Scale", y_scale, 20, {}, kTooLong);
}

void GroupFrameFields::AddPlotAreaFields(DialogSchema& s) {
  graph_fields::PlotAreaFields(s, outline, area, area_weight, AreaColorChoices());
}

// ---- The two-way series ---------------------------------------------------------------------

void TwowaySeriesFields::Load(const std::vector<TwowaySeriesFormat>& formats, const TwowayOptions& options) {
  const auto& colors = TwowaySeriesColorChoices();
  for (std::size_t i = 0; i < color.size() && i < formats.size(); ++i) {
    const TwowaySeriesFormat& f = formats[i];
    color[i] = IndexOf(colors, f.line_color, 0);
    weight[i] = f.line_weight;
    marker[i] = IndexOf(MarkerStyleChoices(), f.marker.style, 0);
    size[i] = f.marker.size;
    foreground[i] = IndexOf(colors, f.marker.foreground, 0);
    background[i] = IndexOf(colors, f.marker.background, 0);
  }
  error = static_cast<int>(options.error);
  interval = options.plot_interval;
  legend = options.legend ? 0 : 1;
}

std::vector<TwowaySeriesFormat> TwowaySeriesFields::Formats() const {
  const auto& colors = TwowaySeriesColorChoices();
  std::vector<TwowaySeriesFormat> formats(color.size());
  for (std::size_t i = 0; i < color.size(); ++i) {
    TwowaySeriesFormat& f = formats[i];
    f.line_color = NameAt(colors, color[i]);
    f.line_weight = weight[i];
    f.marker.style = NameAt(MarkerStyleChoices(), marker[i]);
    f.marker.size = size[i];
    f.marker.foreground = NameAt(colors, foreground[i]);
    f.marker.background = NameAt(colors, background[i]);
  }
  return formats;
}

TwowayOptions TwowaySeriesFields::Options() const {
  TwowayOptions o;
  o.error = static_cast<ErrorBarKind>(std::clamp(error, 0, 2));
  o.plot_interval = interval;
  o.legend = legend == 0;
  return o;
}

void TwowaySeriesFields::AddLineFormatFields(DialogSchema& s) {
  for (std::size_t i = 0; i < color.size(); ++i) {
    const std::string a = GraphFormat("a%d_", static_cast<int>(i) + 1);
    const std::string name = GraphFormat("A%d ", static_cast<int>(i) + 1);
    ListChoice(s, a + "color", name + "Line Color", color[i], TwowaySeriesColorChoices());
    s.Integer(a + "weight", name + "Weight", weight[i], 1, 3, kWeightRefusal);
  }
}

void TwowaySeriesFields::AddMarkerFormatFields(DialogSchema& s, bool bars) {
  for (std::size_t i = 0; i < color.size(); ++i) {
    const std::string a = GraphFormat("a%d_", static_cast<int>(i) + 1);
    const std::string name = GraphFormat("A%d ", static_cast<int>(i) + 1);
    if (bars) {
      ListChoice(s, a + "fill", name + "Area Color", background[i], TwowaySeriesColorChoices());
      continue;
    }
    ListChoice(s, a + "marker", name + "Marker Style", marker[i], MarkerStyleChoices());
    s.Integer(a + "size", name + "Size", size[i], 1, 5, "Choose a size from 1 to 5.");
    ListChoice(s, a + "foreground", name + "Foreground", foreground[i], TwowaySeriesColorChoices());
    ListChoice(s, a + "background", name + "Background", background[i], TwowaySeriesColorChoices());
  }
}

void TwowaySeriesFields::AddErrorBarFields(DialogSchema& s) {
  s.Choice("error", "Error Bar", error, ErrorBarChoices(), "Choose SD, SE or None.", {"sd", "se", "none"});
  s.CheckBox("interval", "Plot Interval", kPlotIntervalNote, interval);
}

void TwowaySeriesFields::AddLegendField(DialogSchema& s) {
  s.Choice("legend", "Legend", legend, OnOffChoices(), "Choose ON or OFF.", {"on", "off"});
}

}  // namespace orvel
