#include "app/scatter_matrix_dialogs.h"

#include "app/graph_choice_fields.h"

namespace orvel {

using graph_fields::IndexOf;
using graph_fields::ListChoice;
using graph_fields::NameAt;
using graph_fields::PlotAreaFields;
using graph_fields::TitleFields;

namespace {
// The Japanese face's name is no word to type in an answers file.
const std::vector<std::string>& FontWords() {
  static const std::vector<std::string> v{"gothic", "century", "arial"};
  return v;
}
}  // namespace

void ScatterMatrixDialog::Load(const ScatterMatrixSettings& s) {
  font = IndexOf(ScatterMatrixFontChoices(), s.label_font, 0);
  font_size = s.label_size;
  marker_color = IndexOf(AxisColorChoices(), s.marker_color, 3);
  histogram_color = IndexOf(AxisColorChoices(), s.histogram_color, 3);
  title = s.title;
  title_font = IndexOf(ScatterMatrixFontChoices(), s.title_font, 0);
  title_font_size = s.title_size;
  outline = IndexOf(AreaColorChoices(), s.area_outline, 5);
  area = IndexOf(AreaColorChoices(), s.area_fill, 5);
  area_weight = s.area_weight;
}

DialogSchema ScatterMatrixDialog::Schema() {
  DialogSchema s;
  s.AddPage("Data Format");
  ListChoice(s, "font", "Font", font, ScatterMatrixFontChoices(), FontWords());
  s.Integer("font_size", "Font Size", font_size, 10, 15, "Choose a font size from 10 to 15.");
  ListChoice(s, "marker_color", "Scatter Plot Marker Color", marker_color, AxisColorChoices());
  ListChoice(s, "histogram_color", "Histogram Color", histogram_color, AxisColorChoices());
  s.AddPage("Title");
  TitleFields(s, title, title_font, title_font_size, ScatterMatrixFontChoices(), FontWords());
  s.AddPage("Plot Area");
  PlotAreaFields(s, outline, area, area_weight, AreaColorChoices());
  return s;
}

ScatterMatrixSettings ScatterMatrixDialog::Settings() const {
  ScatterMatrixSettings s;
  s.label_font = NameAt(ScatterMatrixFontChoices(), font);
  s.label_size = font_size;
  s.marker_color = NameAt(AxisColorChoices(), marker_color);
  s.histogram_color = NameAt(AxisColorChoices(), histogram_color);
  s.title = title;
  s.title_font = NameAt(ScatterMatrixFontChoices(), title_font);
  s.title_size = title_font_size;
  s.area_outline = NameAt(AreaColorChoices(), outline);
  s.area_fill = NameAt(AreaColorChoices(), area);
  s.area_weight = area_weight;
  return s;
}

}  // namespace orvel
