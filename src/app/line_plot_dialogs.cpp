#include "app/line_plot_dialogs.h"

#include <algorithm>

namespace orvel {

namespace {

constexpr const char* kWeight = "Choose a weight from 1 to 3.";

void AddAxisPages(DialogSchema& s, GroupFrameFields& frame) {
  s.AddPage("Y-axis");
  frame.AddYAxisFields(s);
  s.AddPage("X-axis");
  frame.AddXAxisFields(s);
}

void AddTitleAndAreaPages(DialogSchema& s, GroupFrameFields& frame) {
  s.AddPage("Title");
  frame.AddTitleFields(s);
  s.AddPage("Plot Area");
  frame.AddPlotAreaFields(s);
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

// ---- Kinds 0, 1, 3 and 4 ------------------------------------------------------------------

LinePlotDialog::LinePlotDialog(const CORVELDoc& doc, const LinePlotSettings& settings, bool reedit)
    : reedit_(reedit) {
  Load(settings);
  // The extremes of the plotted values, whatever the kind plots of them.
  const LineDataExtent e = LinePlotExtent(doc, kLineTwoRelated, settings.columns);
  frame.ShowExtremes(e.hi, e.lo);
}

void LinePlotDialog::Load(const LinePlotSettings& s) {
  preset_ = s;
  frame.Load(s.frame);
  line_color = IndexOf(LineColorChoices(), s.line_color, 3);
  line_weight = s.line_weight;
  marker = IndexOf(MarkerStyleChoices(), s.marker.style, 0);
  marker_size = s.marker.size;
  foreground = IndexOf(LineMarkerColorChoices(), s.marker.foreground, 4);
  background = IndexOf(LineMarkerColorChoices(), s.marker.background, 4);
  error_bar = static_cast<int>(ErrorBarFromName(s.error_bar));
}

std::string LinePlotDialog::Title() const {
  return reedit_ ? LinePlotReeditTitle(preset_.kind) : LinePlotSheetTitle(preset_.kind);
}

DialogSchema LinePlotDialog::Schema() {
  DialogSchema s;
  AddAxisPages(s, frame);
  s.AddPage("Line Format");
  ListChoice(s, "line_color", "Line Color", line_color, LineColorChoices());
  s.Integer("line_weight", "Weight", line_weight, 1, 3, kWeight);
  s.AddPage("Marker Format");
  ListChoice(s, "marker", "Marker Style", marker, MarkerStyleChoices());
  s.Integer("marker_size", "Size", marker_size, 1, 5, "Choose a size from 1 to 5.");
  ListChoice(s, "foreground", "Foreground", foreground, LineMarkerColorChoices());
  ListChoice(s, "background", "Background", background, LineMarkerColorChoices());
  // The profiles of related groups have no means, so no error bars.
  if (preset_.kind == kLineTwoGroups || preset_.kind == kLineGroups) {
    s.AddPage("Eror Bar");
    ListChoice(s, "error_bar", "Error Bar", error_bar, ErrorBarChoices());
  }
  AddTitleAndAreaPages(s, frame);
  return s;
}

LinePlotSettings LinePlotDialog::Settings() const {
  LinePlotSettings s = preset_;
  s.frame = frame.Frame();
  s.line_color = NameAt(LineColorChoices(), line_color);
  s.line_weight = line_weight;
  s.marker.style = NameAt(MarkerStyleChoices(), marker);
  s.marker.size = marker_size;
  s.marker.foreground = NameAt(LineMarkerColorChoices(), foreground);
  s.marker.background = NameAt(LineMarkerColorChoices(), background);
  s.error_bar = NameAt(ErrorBarChoices(), error_bar);
  return s;
}

std::string LinePlotDialog::SettingsRefusal() const {
  return CheckGroupSettings(frame.Frame(), reedit_ ? GroupCheck::kReeditLineBox : GroupCheck::kCommand);
}

// ---- Kind 2 ------------------------------------------------------------------------------

TwowayLinePlotDialog::TwowayLinePlotDialog(const CORVELDoc& doc, const TwowayLinePlotSettings& settings,
                                           bool reedit)
    : reedit_(reedit) {
  Load(settings);
  // The extremes of the cells' values.
  std::vector<int> columns;
  if (TwowaySeriesUsable(doc))
    for (int a = 1; a <= doc.TwowayALevels(); ++a)
      for (int b = 1; b <= doc.TwowayBLevels(); ++b) columns.push_back(doc.TwowayGridCell(a, b));
  const LineDataExtent e = LinePlotExtent(doc, kLineTwoRelated, columns);
  frame.ShowExtremes(e.hi, e.lo);
}

void TwowayLinePlotDialog::Load(const TwowayLinePlotSettings& s) {
  frame.Load(s.frame);
  series.Load(s.formats, s.options);
}

DialogSchema TwowayLinePlotDialog::Schema() {
  DialogSchema s;
  s.AddPage("Line Format");
  series.AddLineFormatFields(s);
  s.AddPage("Marker Format");
  series.AddMarkerFormatFields(s, false);
  s.AddPage("Eror Bar");
  series.AddErrorBarFields(s);
  s.AddPage("Other Formats");
  frame.AddYAxisFields(s);
  frame.AddXAxisFields(s);
  frame.AddTitleFields(s);
  s.AddPage("Color and Legend");
  frame.AddPlotAreaFields(s);
  series.AddLegendField(s);
  return s;
}

TwowayLinePlotSettings TwowayLinePlotDialog::Settings() const {
  TwowayLinePlotSettings s;
  s.frame = frame.Frame();
  s.formats = series.Formats();
  s.options = series.Options();
  return s;
}

std::string TwowayLinePlotDialog::SettingsRefusal() const {
  return CheckGroupSettings(frame.Frame(), reedit_ ? GroupCheck::kReeditLineBox : GroupCheck::kCommand);
}

}  // namespace orvel
