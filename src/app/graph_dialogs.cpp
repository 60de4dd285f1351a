#include "app/graph_dialogs.h"

#include <algorithm>

#include "app/graph_choice_fields.h"

namespace orvel {

using graph_fields::IndexOf;
using graph_fields::ListChoice;
using graph_fields::NameAt;
using graph_fields::PlotAreaFields;
using graph_fields::TitleFields;

namespace {

constexpr const char* kTooLong = "Enter no more than 20 characters.";

const std::vector<std::string>& MarkerStyles() {
  static const std::vector<std::string> v{"Square", "Circle"};
  return v;
}

void AddAxisPage(DialogSchema& s, const std::string& p, ScatterPlotDialog::Axis& a) {
  s.Shown(p + "maximum_value", "Maximum Value", a.maximum_value);
  s.Shown(p + "minimum_value", "Minimum Value", a.minimum_value);
  ListChoice(s, p + "color", "Color", a.color, AxisColorChoices());
  s.Integer(p + "weight", "Weight", a.weight, 1, 3, "Choose a weight from 1 to 3.");
  ListChoice(s, p + "font", "Font", a.font, FontChoices());
  s.Integer(p + "font_size", "Font Size", a.font_size, 10, 20, "Choose a font size from 10 to 20.");
  s.Text(p + "max", "Maximum Setting", a.max, 20, {}, kTooLong);
  s.Text(p + "min", "Minimum Setting", a.min, 20, {}, kTooLong);
  s.Text(p + "scale", "Scale", a.scale, 20, {}, kTooLong);
}

ScatterAxis AxisOf(const ScatterPlotDialog::Axis& a) {
  ScatterAxis out;
  out.color = NameAt(AxisColorChoices(), a.color);
  out.weight = a.weight;
  out.font = NameAt(FontChoices(), a.font);
  out.font_size = a.font_size;
  out.max = ParseSetting(a.max);
  out.min = ParseSetting(a.min);
  out.scale = ParseSetting(a.scale);
  return out;
}

void LoadAxis(ScatterPlotDialog::Axis& a, const ScatterAxis& s) {
  a.color = IndexOf(AxisColorChoices(), s.color, 0);
  a.weight = s.weight;
  a.font = IndexOf(FontChoices(), s.font, 0);
  a.font_size = s.font_size;
  a.max = FormatFixed2(s.max);
  a.min = FormatFixed2(s.min);
  a.scale = FormatScale(s.scale);
}

}  // namespace

ScatterPlotDialog::ScatterPlotDialog(const CORVELDoc& doc, const ScatterSettings& settings, bool reedit)
    : reedit_(reedit) {
  Load(settings);
  x.maximum_value = ColumnMaximumText(doc, doc.TwoGroupX());
  x.minimum_value = ColumnMinimumText(doc, doc.TwoGroupX());
  y.maximum_value = ColumnMaximumText(doc, doc.TwoGroupY());
  y.minimum_value = ColumnMinimumText(doc, doc.TwoGroupY());
}

void ScatterPlotDialog::Load(const ScatterSettings& s) {
  LoadAxis(x, s.x);
  LoadAxis(y, s.y);
  marker = IndexOf(MarkerStyles(), s.marker_style, 0);
  marker_size = s.marker_size;
  foreground = IndexOf(MarkerColorChoices(), s.marker_foreground, 4);
  background = IndexOf(MarkerColorChoices(), s.marker_background, 4);
  regression = s.regression;
  line_color = IndexOf(MarkerColorChoices(), s.regression_color, 4);
  line_weight = s.regression_weight;
  font = IndexOf(FontChoices(), s.regression_font, 0);
  font_size = s.regression_font_size;
  title = s.title;
  title_font = IndexOf(FontChoices(), s.title_font, 0);
  title_font_size = s.title_size;
  outline = IndexOf(AreaColorChoices(), s.area_outline, 5);
  area = IndexOf(AreaColorChoices(), s.area_fill, 5);
  area_weight = s.area_weight;
}

DialogSchema ScatterPlotDialog::Schema() {
  DialogSchema s;
  s.AddPage("X-axis");
  AddAxisPage(s, "x_", x);
  s.AddPage("Y-axis");
  AddAxisPage(s, "y_", y);
  s.AddPage("Data Format");
  ListChoice(s, "marker", "Marker Style", marker, MarkerStyles());
  s.Integer("marker_size", "Size", marker_size, 1, 5, "Choose a size from 1 to 5.");
  ListChoice(s, "foreground", "Foreground", foreground, MarkerColorChoices());
  ListChoice(s, "background", "Background", background, MarkerColorChoices());
  s.AddPage("Regression Equation");
  s.Choice("regression", "Regression Equation", regression, ScatterRegressionChoices(),
           "Choose one of the eight equations.");
  ListChoice(s, "line_color", "Line Color", line_color, MarkerColorChoices());
  s.Integer("line_weight", "Weight", line_weight, 1, 3, "Choose a weight from 1 to 3.");
  ListChoice(s, "font", "Font", font, FontChoices());
  s.Integer("font_size", "Font Size", font_size, 8, 20, "Choose a font size from 8 to 20.");
  s.AddPage("Title");
  TitleFields(s, title, title_font, title_font_size, FontChoices());
  s.AddPage("Plot Area");
  PlotAreaFields(s, outline, area, area_weight, AreaColorChoices());
  return s;
}

ScatterSettings ScatterPlotDialog::Settings() const {
  ScatterSettings s;
  s.x = AxisOf(x);
  s.y = AxisOf(y);
  s.marker_style = NameAt(MarkerStyles(), marker);
  s.marker_size = marker_size;
  s.marker_foreground = NameAt(MarkerColorChoices(), foreground);
  s.marker_background = NameAt(MarkerColorChoices(), background);
  s.regression = std::clamp(regression, 0, 7);
  s.regression_color = NameAt(MarkerColorChoices(), line_color);
  s.regression_weight = line_weight;
  s.regression_font = NameAt(FontChoices(), font);
  s.regression_font_size = font_size;
  s.title = title;
  s.title_font = NameAt(FontChoices(), title_font);
  s.title_size = title_font_size;
  s.area_outline = NameAt(AreaColorChoices(), outline);
  s.area_fill = NameAt(AreaColorChoices(), area);
  s.area_weight = area_weight;
  return s;
}

std::string ScatterPlotDialog::SettingsRefusal() const {
  const ScatterSettings s = Settings();
  return reedit_ ? CheckScatterReedit(s) : CheckScatterSettings(s);
}

}  // namespace orvel
