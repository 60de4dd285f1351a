#include "app/histogram_dialogs.h"

#include "app/graph_choice_fields.h"

namespace orvel {

using graph_fields::IndexOf;
using graph_fields::ListChoice;
using graph_fields::NameAt;
using graph_fields::PlotAreaFields;
using graph_fields::TitleFields;

namespace {

const std::vector<std::string>& Positions() {
  static const std::vector<std::string> v{"Left", "Right"};
  return v;
}

void AddAxisFields(DialogSchema& s, const std::string& p, HistogramDialog::Axis& a) {
  ListChoice(s, p + "color", "Color", a.color, AxisColorChoices());
  s.Integer(p + "weight", "Weight", a.weight, 1, 3, "Choose a weight from 1 to 3.");
  ListChoice(s, p + "font", "Font", a.font, FontChoices());
  s.Integer(p + "font_size", "Font Size", a.font_size, 10, 20, "Choose a font size from 10 to 20.");
}

HistogramAxis AxisOf(const HistogramDialog::Axis& a) {
  return {NameAt(AxisColorChoices(), a.color), a.weight, NameAt(FontChoices(), a.font), a.font_size};
}

HistogramDialog::Axis LoadAxis(const HistogramAxis& a) {
  return {IndexOf(AxisColorChoices(), a.color, 0), a.weight, IndexOf(FontChoices(), a.font, 0), a.font_size};
}

}  // namespace

HistogramDialog::HistogramDialog(const CORVELDoc& doc, const HistogramSettings& settings, bool reedit)
    : reedit_(reedit) {
  Load(settings);
  const int n = doc.Count(settings.column);
  maximum_value = FormatFixed2(n > 0 ? doc.Max(settings.column) : 0);
  minimum_value = FormatFixed2(n > 0 ? doc.Min(settings.column) : 0);
  number_of_data = GraphFormat("%d", n);
}

void HistogramDialog::Load(const HistogramSettings& s) {
  column_ = s.column;
  x = LoadAxis(s.x);
  y = LoadAxis(s.y);
  classes = s.classes;
  max = FormatExactSetting(s.max_setting);
  min = FormatExactSetting(s.min_setting);
  position = s.y_right ? 1 : 0;
  y_max = s.y_max;
  y_scale = s.y_scale;
  bar_color = IndexOf(HistogramBarColorChoices(), s.bar_color, 4);
  bar_width = s.bar_width;
  title = s.title;
  title_font = IndexOf(FontChoices(), s.title_font, 0);
  title_font_size = s.title_size;
  outline = IndexOf(AreaColorChoices(), s.area_outline, 5);
  area = IndexOf(AreaColorChoices(), s.area_fill, 5);
  area_weight = s.area_weight;
}

DialogSchema HistogramDialog::Schema() {
  constexpr const char* kTooLong = "Enter no more than 20 characters.";
  DialogSchema s;
  s.AddPage("X-axis");
  s.Shown("maximum_value", "Maximum Value", maximum_value);
  s.Shown("minimum_value", "Minimum Value", minimum_value);
  s.Shown("number_of_data", "Number of Data", number_of_data);
  AddAxisFields(s, "x_", x);
  s.Integer("classes", "Class (5-20)", classes, 5, 20, "Choose a number of classes from 5 to 20.");
  s.Text("max", "Maximum Setting", max, 20, {}, kTooLong);
  s.Text("min", "Minimum Setting", min, 20, {}, kTooLong);
  s.AddPage("Y-axis");
  AddAxisFields(s, "y_", y);
  ListChoice(s, "position", "Position", position, Positions());
  // Counts: the axis needs a height and a step to divide by.
  s.Integer("y_max", "Maximum Setting", y_max, 1, 1000000, "Enter a count from 1 to 1000000.");
  s.Integer("y_scale", "Scale", y_scale, 1, 1000000, "Enter a scale from 1 to 1000000.");
  s.AddPage("Data Format");
  ListChoice(s, "bar_color", "Color", bar_color, HistogramBarColorChoices());
  s.Integer("bar_width", "Bar Width (%)", bar_width, 1, 100, "Choose a bar width from 1 to 100.");
  s.AddPage("Title");
  TitleFields(s, title, title_font, title_font_size, FontChoices());
  s.AddPage("Plot Area");
  PlotAreaFields(s, outline, area, area_weight, AreaColorChoices());
  return s;
}

HistogramSettings HistogramDialog::Settings() const {
  HistogramSettings s;
  s.column = column_;
  s.x = AxisOf(x);
  s.y = AxisOf(y);
  s.classes = classes;
  s.max_setting = ParseSetting(max);
  s.min_setting = ParseSetting(min);
  s.y_right = position == 1;
  s.y_max = y_max;
  s.y_scale = y_scale;
  s.bar_color = NameAt(HistogramBarColorChoices(), bar_color);
  s.bar_width = bar_width;
  s.title = title;
  s.title_font = NameAt(FontChoices(), title_font);
  s.title_size = title_font_size;
  s.area_outline = NameAt(AreaColorChoices(), outline);
  s.area_fill = NameAt(AreaColorChoices(), area);
  s.area_weight = area_weight;
  return s;
}

}  // namespace orvel
