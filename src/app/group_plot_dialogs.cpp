#include "app/group_plot_dialogs.h"

#include <algorithm>
#include <cctype>

namespace orvel {

namespace {

constexpr const char* kTooLong = "Enter no more than 20 characters.";
constexpr const char* kWeightRefusal = "Choose a weight from 1 to 3.";

std::vector<std::string> Words(const std::vector<std::string>& list) {
  std::vector<std::string> words;
  for (std::string w : list) {
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    words.push_back(w);
  }
  return words;
}

}  // namespace

DialogField& AddListChoice(DialogSchema& s, std::string key, std::string label, int& value,
                           const std::vector<std::string>& list) {
  DialogField& f = s.Choice(std::move(key), std::move(label), value, list, "Choose one of the list.", Words(list));
  f.as_list = true;
  return f;
}

int ChoiceIndex(const std::vector<std::string>& list, const std::string& name, int fallback) {
  const auto it = std::find(list.begin(), list.end(), name);
  return it == list.end() ? fallback : static_cast<int>(it - list.begin());
}

std::string ChoiceName(const std::vector<std::string>& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)]
                                                                      : list.front();
}

std::string GroupEditText(double v) {
  const std::string fixed = FormatFixed2(v);
  if (ParseSetting(fixed) == v) return fixed;
  return GraphFormat("%.15g", v);
}

// ---- The frame ------------------------------------------------------------------------------

void GroupFrameFields::Load(const GroupPlotFrame& f) {
  title = f.title;
  title_font = ChoiceIndex(FontChoices(), f.title_font, 0);
  title_font_size = f.title_size;
  x_color = ChoiceIndex(AxisColorChoices(), f.x.color, 0);
  x_weight = f.x.weight;
  x_font = ChoiceIndex(FontChoices(), f.x.font, 0);
  x_font_size = f.x.font_size;
  y_color = ChoiceIndex(AxisColorChoices(), f.y.color, 0);
  y_weight = f.y.weight;
  y_font = ChoiceIndex(FontChoices(), f.y.font, 0);
  y_font_size = f.y.font_size;
  y_position = ChoiceIndex(GroupYPositionChoices(), f.y_position, 0);
  y_max = GroupEditText(f.y_max);
  y_min = GroupEditText(f.y_min);
  y_scale = GroupEditText(f.y_scale);
  outline = ChoiceIndex(AreaColorChoices(), f.area_outline, 5);
  area = ChoiceIndex(AreaColorChoices(), f.area_fill, 5);
  area_weight = f.area_weight;
}

GroupPlotFrame GroupFrameFields::Frame() const {
  GroupPlotFrame f;
  f.title = title;
  f.title_font = ChoiceName(FontChoices(), title_font);
  f.title_size = title_font_size;
  f.x.color = ChoiceName(AxisColorChoices(), x_color);
  f.x.weight = x_weight;
  f.x.font = ChoiceName(FontChoices(), x_font);
  f.x.font_size = x_font_size;
  f.y.color = ChoiceName(AxisColorChoices(), y_color);
  f.y.weight = y_weight;
  f.y.font = ChoiceName(FontChoices(), y_font);
  f.y.font_size = y_font_size;
  f.y_position = ChoiceName(GroupYPositionChoices(), y_position);
  f.y_max = ParseSetting(y_max);
  f.y_min = ParseSetting(y_min);
  f.y_scale = ParseSetting(y_scale);
  f.area_outline = ChoiceName(AreaColorChoices(), outline);
  f.area_fill = ChoiceName(AreaColorChoices(), area);
  f.area_weight = area_weight;
  return f;
}

void GroupFrameFields::ShowExtremes(double largest, double smallest) {
  maximum_value = FormatFixed2(largest);
  minimum_value = FormatFixed2(smallest);
}

void GroupFrameFields::AddTitleFields(DialogSchema& s) {
  s.Text("title", "Title", title, 100, {}, "Enter no more than 100 characters.");
  AddListChoice(s, "title_font", "Font", title_font, FontChoices());
  s.Integer("title_font_size", "Font Size", title_font_size, 10, 20, "Choose a font size from 10 to 20.");
}

void GroupFrameFields::AddXAxisFields(DialogSchema& s) {
  AddListChoice(s, "x_color", "Color", x_color, AxisColorChoices());
  s.Integer("x_weight", "Weight", x_weight, 1, 3, kWeightRefusal);
  AddListChoice(s, "x_font", "Font", x_font, FontChoices());
  s.Integer("x_font_size", "Font Size", x_font_size, 10, 20, "Choose a font size from 10 to 20.");
}

void GroupFrameFields::AddYAxisFields(DialogSchema& s) {
  AddListChoice(s, "y_color", "Color", y_color, AxisColorChoices());
  s.Integer("y_weight", "Weight", y_weight, 1, 3, kWeightRefusal);
  AddListChoice(s, "y_font", "Font", y_font, FontChoices());
  s.Integer("y_font_size", "Font Size", y_font_size, 10, 20, "Choose a font size from 10 to 20.");
  AddListChoice(s, "y_position", "Position", y_position, GroupYPositionChoices());
  s.Shown("y_maximum_value", "Maximum Value", maximum_value);
  s.Shown("y_minimum_value", "Minimum Value", minimum_value);
  s.Text("y_max", "Maximum Setting", y_max, 20, {}, kTooLong);
  s.Text("y_min", "Minimum Setting", y_min, 20, {}, kTooLong);
  s.Text("y_scale", "Scale", y_scale, 20, {}, kTooLong);
}

void GroupFrameFields::AddPlotAreaFields(DialogSchema& s) {
  AddListChoice(s, "outline", "Outline Color", outline, AreaColorChoices());
  AddListChoice(s, "area", "Area Color", area, AreaColorChoices());
  s.Integer("area_weight", "Line Weight", area_weight, 1, 3, kWeightRefusal);
}

// ---- The two-way series ---------------------------------------------------------------------

void TwowaySeriesFields::Load(const std::vector<TwowaySeriesFormat>& formats, const TwowayOptions& options) {
  const auto& colors = TwowaySeriesColorChoices();
  for (std::size_t i = 0; i < color.size() && i < formats.size(); ++i) {
    const TwowaySeriesFormat& f = formats[i];
    color[i] = ChoiceIndex(colors, f.line_color, 0);
    weight[i] = f.line_weight;
    marker[i] = ChoiceIndex(MarkerStyleChoices(), f.marker.style, 0);
    size[i] = f.marker.size;
    foreground[i] = ChoiceIndex(colors, f.marker.foreground, 0);
    background[i] = ChoiceIndex(colors, f.marker.background, 0);
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
    f.line_color = ChoiceName(colors, color[i]);
    f.line_weight = weight[i];
    f.marker.style = ChoiceName(MarkerStyleChoices(), marker[i]);
    f.marker.size = size[i];
    f.marker.foreground = ChoiceName(colors, foreground[i]);
    f.marker.background = ChoiceName(colors, background[i]);
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
    AddListChoice(s, a + "color", name + "Line Color", color[i], TwowaySeriesColorChoices());
    s.Integer(a + "weight", name + "Weight", weight[i], 1, 3, kWeightRefusal);
  }
}

void TwowaySeriesFields::AddMarkerFormatFields(DialogSchema& s, bool bars) {
  for (std::size_t i = 0; i < color.size(); ++i) {
    const std::string a = GraphFormat("a%d_", static_cast<int>(i) + 1);
    const std::string name = GraphFormat("A%d ", static_cast<int>(i) + 1);
    if (bars) {
      AddListChoice(s, a + "fill", name + "Area Color", background[i], TwowaySeriesColorChoices());
      continue;
    }
    AddListChoice(s, a + "marker", name + "Marker Style", marker[i], MarkerStyleChoices());
    s.Integer(a + "size", name + "Size", size[i], 1, 5, "Choose a size from 1 to 5.");
    AddListChoice(s, a + "foreground", name + "Foreground", foreground[i], TwowaySeriesColorChoices());
    AddListChoice(s, a + "background", name + "Background", background[i], TwowaySeriesColorChoices());
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
