#include "app/scatter_matrix_dialogs.h"

#include "app/graph_choice_fields.h"

namespace orvel {

using graph_fields::IndexOf;
using graph_fields::ListChoice;
using graph_fields::NameAt;

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
  s.Text("title", "Title", title, 100, {}, "Enter no more than 100 characters.");
  ListChoice(s, "title_font", "Font", title_font, ScatterMatrixFontChoices(), FontWords());
  s.Integer("title_font_size", "Font Size", title_font_size, 10, 20, "Choose a font size from 10 to 20.");
  s.AddPage("Plot Area");
  ListChoice(s, "outline", "Outline Color", outline, AreaColorChoices());
  ListChoice(s, "area", "Area Color", area, AreaColorChoices());
  s.Integer("area_weight", "Line Weight", area_weight, 1, 3, "Choose a weight from 1 to 3.");
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
