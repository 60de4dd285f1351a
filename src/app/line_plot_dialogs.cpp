#include "app/line_plot_dialogs.h"

#include <algorithm>
#include <cctype>

namespace orvel {

namespace {

int IndexOf(const std::vector<std::string>& list, const std::string& name, int fallback) {
  const auto it = std::find(list.begin(), list.end(), name);
  return it == list.end() ? fallback : static_cast<int>(it - list.begin());
}

std::string NameAt(const std::vector<std::string>& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)]
                                                                      : list.front();
}

std::vector<std::string> Words(const std::vector<std::string>& list) {
  std::vector<std::string> words;
  for (std::string w : list) {
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    words.push_back(w);
  }
  return words;
}

constexpr const char* kTooLong = "Enter no more than 20 characters.";
constexpr const char* kWeight = "Choose a weight from 1 to 3.";

// A choice shown as a list, answered by its index or its word.
DialogField& ListChoice(DialogSchema& s, std::string key, std::string label, int& value,
                        const std::vector<std::string>& list) {
  DialogField& f = s.Choice(std::move(key), std::move(label), value, list, "Choose one of the list.", Words(list));
  f.as_list = true;
  return f;
}

}  // namespace

const std::vector<std::string>& LineColorChoices() {
  static const std::vector<std::string> v{"Black", "Red", "Green", "Blue", "Yellow"};
  return v;
}

const std::vector<std::string>& LineMarkerColorChoices() {
  static const std::vector<std::string> v{"Black", "White", "Red", "Green", "Blue", "Yellow"};
  return v;
}

// ---- The frame's pages --------------------------------------------------------------------

void GroupFramePages::Load(const GroupPlotFrame& f) {
  y_color = IndexOf(AxisColorChoices(), f.y.color, 0);
  y_weight = f.y.weight;
  y_font = IndexOf(FontChoices(), f.y.font, 0);
  y_font_size = f.y.font_size;
  y_position = IndexOf(GroupYPositionChoices(), f.y_position, 0);
  y_max = GroupSettingText(f.y_max);
  y_min = GroupSettingText(f.y_min);
  y_scale = GroupSettingText(f.y_scale);
  x_color = IndexOf(AxisColorChoices(), f.x.color, 0);
  x_weight = f.x.weight;
  x_font = IndexOf(FontChoices(), f.x.font, 0);
  x_font_size = f.x.font_size;
  title = f.title;
  title_font = IndexOf(FontChoices(), f.title_font, 0);
  title_font_size = f.title_size;
  outline = IndexOf(AreaColorChoices(), f.area_outline, 5);
  area = IndexOf(AreaColorChoices(), f.area_fill, 5);
  area_weight = f.area_weight;
}

GroupPlotFrame GroupFramePages::Frame() const {
  GroupPlotFrame f;
  f.y.color = NameAt(AxisColorChoices(), y_color);
  f.y.weight = y_weight;
  f.y.font = NameAt(FontChoices(), y_font);
  f.y.font_size = y_font_size;
  f.y_position = NameAt(GroupYPositionChoices(), y_position);
  f.y_max = ParseSetting(y_max);
  f.y_min = ParseSetting(y_min);
  f.y_scale = ParseSetting(y_scale);
  f.x.color = NameAt(AxisColorChoices(), x_color);
  f.x.weight = x_weight;
  f.x.font = NameAt(FontChoices(), x_font);
  f.x.font_size = x_font_size;
  f.title = title;
  f.title_font = NameAt(FontChoices(), title_font);
  f.title_size = title_font_size;
  f.area_outline = NameAt(AreaColorChoices(), outline);
  f.area_fill = NameAt(AreaColorChoices(), area);
  f.area_weight = area_weight;
  return f;
}

void GroupFramePages::AddAxisPages(DialogSchema& s) {
  s.AddPage("Y-axis");
  AddYAxisFields(s);
  s.AddPage("X-axis");
  AddXAxisFields(s);
}

void GroupFramePages::AddTitleAndAreaPages(DialogSchema& s) {
  s.AddPage("Title");
  AddTitleFields(s);
  s.AddPage("Plot Area");
  AddAreaFields(s);
}

void GroupFramePages::AddYAxisFields(DialogSchema& s) {
  ListChoice(s, "y_color", "Color", y_color, AxisColorChoices());
  s.Integer("y_weight", "Weight", y_weight, 1, 3, kWeight);
  ListChoice(s, "y_font", "Font", y_font, FontChoices());
  s.Integer("y_font_size", "Font Size", y_font_size, 10, 20, "Choose a font size from 10 to 20.");
  ListChoice(s, "y_position", "Position", y_position, GroupYPositionChoices());
  s.Text("y_max", "Maximum Setting", y_max, 20, {}, kTooLong);
  s.Text("y_min", "Minimum Setting", y_min, 20, {}, kTooLong);
  s.Text("y_scale", "Scale", y_scale, 20, {}, kTooLong);
}

void GroupFramePages::AddXAxisFields(DialogSchema& s) {
  ListChoice(s, "x_color", "Color", x_color, AxisColorChoices());
  s.Integer("x_weight", "Weight", x_weight, 1, 3, kWeight);
  ListChoice(s, "x_font", "Font", x_font, FontChoices());
  s.Integer("x_font_size", "Font Size", x_font_size, 10, 20, "Choose a font size from 10 to 20.");
}

void GroupFramePages::AddTitleFields(DialogSchema& s) {
  s.Text("title", "Title", title, 100, {}, "Enter no more than 100 characters.");
  ListChoice(s, "title_font", "Font", title_font, FontChoices());
  s.Integer("title_font_size", "Font Size", title_font_size, 10, 20, "Choose a font size from 10 to 20.");
}

void GroupFramePages::AddAreaFields(DialogSchema& s) {
  ListChoice(s, "outline", "Outline Color", outline, AreaColorChoices());
  ListChoice(s, "area", "Area Color", area, AreaColorChoices());
  s.Integer("area_weight", "Line Weight", area_weight, 1, 3, kWeight);
}

// ---- Kinds 0, 1, 3 and 4 ------------------------------------------------------------------

LinePlotDialog::LinePlotDialog(const LinePlotSettings& settings, bool reedit) : reedit_(reedit) { Load(settings); }

void LinePlotDialog::Load(const LinePlotSettings& s) {
  preset_ = s;
  frame.Load(s.frame);
  line.line_color = IndexOf(LineColorChoices(), s.line_color, 3);
  line.line_weight = s.line_weight;
  line.marker = IndexOf(MarkerStyleChoices(), s.marker.style, 0);
  line.marker_size = s.marker.size;
  line.foreground = IndexOf(LineMarkerColorChoices(), s.marker.foreground, 4);
  line.background = IndexOf(LineMarkerColorChoices(), s.marker.background, 4);
  error_bar = static_cast<int>(ErrorBarFromName(s.error_bar));
}

std::string LinePlotDialog::Title() const {
  return reedit_ ? LinePlotReeditTitle(preset_.kind) : LinePlotSheetTitle(preset_.kind);
}

DialogSchema LinePlotDialog::Schema() {
  DialogSchema s;
  frame.AddAxisPages(s);
  s.AddPage("Line Format");
  ListChoice(s, "line_color", "Line Color", line.line_color, LineColorChoices());
  s.Integer("line_weight", "Weight", line.line_weight, 1, 3, kWeight);
  s.AddPage("Marker Format");
  ListChoice(s, "marker", "Marker Style", line.marker, MarkerStyleChoices());
  s.Integer("marker_size", "Size", line.marker_size, 1, 5, "Choose a size from 1 to 5.");
  ListChoice(s, "foreground", "Foreground", line.foreground, LineMarkerColorChoices());
  ListChoice(s, "background", "Background", line.background, LineMarkerColorChoices());
  // The profiles of related groups have no means, so no error bars.
  if (preset_.kind == kLineTwoGroups || preset_.kind == kLineGroups) {
    s.AddPage("Eror Bar");
    ListChoice(s, "error_bar", "Error Bar", error_bar, ErrorBarChoices());
  }
  frame.AddTitleAndAreaPages(s);
  return s;
}

LinePlotSettings LinePlotDialog::Settings() const {
  LinePlotSettings s = preset_;
  s.frame = frame.Frame();
  s.line_color = NameAt(LineColorChoices(), line.line_color);
  s.line_weight = line.line_weight;
  s.marker.style = NameAt(MarkerStyleChoices(), line.marker);
  s.marker.size = line.marker_size;
  s.marker.foreground = NameAt(LineMarkerColorChoices(), line.foreground);
  s.marker.background = NameAt(LineMarkerColorChoices(), line.background);
  s.error_bar = NameAt(ErrorBarChoices(), error_bar);
  return s;
}

std::string LinePlotDialog::SettingsRefusal() const {
  return CheckGroupSettings(frame.Frame(), reedit_ ? GroupCheck::kReeditLineBox : GroupCheck::kCommand);
}

// ---- Kind 2 ------------------------------------------------------------------------------

TwowayLinePlotDialog::TwowayLinePlotDialog(const TwowayLinePlotSettings& settings, bool reedit) : reedit_(reedit) {
  Load(settings);
}

void TwowayLinePlotDialog::Load(const TwowayLinePlotSettings& s) {
  frame.Load(s.frame);
  const auto& colors = TwowaySeriesColorChoices();
  series.assign(kTwowaySeriesCount, Series{});
  for (std::size_t i = 0; i < series.size() && i < s.formats.size(); ++i) {
    const TwowaySeriesFormat& f = s.formats[i];
    series[i] = {IndexOf(colors, f.line_color, 0), f.line_weight, IndexOf(MarkerStyleChoices(), f.marker.style, 0),
                 f.marker.size, IndexOf(colors, f.marker.foreground, 0), IndexOf(colors, f.marker.background, 0)};
  }
  error = static_cast<int>(s.options.error);
  interval = s.options.plot_interval;
  legend = s.options.legend ? 0 : 1;
}

DialogSchema TwowayLinePlotDialog::Schema() {
  DialogSchema s;
  const auto& colors = TwowaySeriesColorChoices();
  s.AddPage("Line Format");
  for (std::size_t i = 0; i < series.size(); ++i) {
    const std::string key = GraphFormat("a%d_", static_cast<int>(i) + 1);
    const std::string name = GraphFormat("A%d ", static_cast<int>(i) + 1);
    ListChoice(s, key + "color", name + "Line Color", series[i].color, colors);
    s.Integer(key + "weight", name + "Weight", series[i].weight, 1, 3, kWeight);
  }
  s.AddPage("Marker Format");
  for (std::size_t i = 0; i < series.size(); ++i) {
    const std::string key = GraphFormat("a%d_", static_cast<int>(i) + 1);
    const std::string name = GraphFormat("A%d ", static_cast<int>(i) + 1);
    ListChoice(s, key + "marker", name + "Marker Style", series[i].marker, MarkerStyleChoices());
    s.Integer(key + "size", name + "Size", series[i].size, 1, 5, "Choose a size from 1 to 5.");
    ListChoice(s, key + "foreground", name + "Foreground", series[i].foreground, colors);
    ListChoice(s, key + "background", name + "Background", series[i].background, colors);
  }
  s.AddPage("Eror Bar");
  s.Choice("error", "Error Bar", error, ErrorBarChoices(), "Choose SD, SE or None.", Words(ErrorBarChoices()));
  s.CheckBox("interval", "Plot Interval", kPlotIntervalNote, interval);
  s.AddPage("Other Formats");
  frame.AddYAxisFields(s);
  frame.AddXAxisFields(s);
  frame.AddTitleFields(s);
  s.AddPage("Color and Legend");
  frame.AddAreaFields(s);
  s.Choice("legend", "Legend", legend, OnOffChoices(), "Choose ON or OFF.", Words(OnOffChoices()));
  return s;
}

TwowayLinePlotSettings TwowayLinePlotDialog::Settings() const {
  TwowayLinePlotSettings s;
  s.frame = frame.Frame();
  const auto& colors = TwowaySeriesColorChoices();
  s.formats.resize(series.size());
  for (std::size_t i = 0; i < series.size(); ++i) {
    TwowaySeriesFormat& f = s.formats[i];
    f.line_color = NameAt(colors, series[i].color);
    f.line_weight = series[i].weight;
    f.marker.style = NameAt(MarkerStyleChoices(), series[i].marker);
    f.marker.size = series[i].size;
    f.marker.foreground = NameAt(colors, series[i].foreground);
    f.marker.background = NameAt(colors, series[i].background);
  }
  s.options.error = static_cast<ErrorBarKind>(std::clamp(error, 0, 2));
  s.options.plot_interval = interval;
  s.options.legend = legend == 0;
  return s;
}

std::string TwowayLinePlotDialog::SettingsRefusal() const {
  return CheckGroupSettings(frame.Frame(), reedit_ ? GroupCheck::kReeditLineBox : GroupCheck::kCommand);
}

}  // namespace orvel
