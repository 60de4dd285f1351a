#include "app/boxbar_dialogs.h"

#include <algorithm>

namespace orvel {

namespace {

// The largest and smallest value of the groups, shown beside the Y settings.
void ShowGroupExtremes(GroupFrameFields& frame, const std::vector<GroupStats>& groups) {
  bool any = false;
  double hi = 0, lo = 0;
  for (const GroupStats& g : groups) {
    if (g.n == 0) continue;
    hi = any ? std::max(hi, g.max) : g.max;
    lo = any ? std::min(lo, g.min) : g.min;
    any = true;
  }
  frame.ShowExtremes(hi, lo);
}

void AddDataFormatPage(DialogSchema& s, int& line_color, int* line_weight, int& fill, int* error) {
  s.AddPage("Data Format");
  ListChoice(s, "line_color", "Line Color", line_color, AxisColorChoices());
  if (line_weight) s.Integer("line_weight", "Weight", *line_weight, 1, 3, "Choose a weight from 1 to 3.");
  ListChoice(s, "fill", "Area Color", fill, BarFillChoices());
  if (error) s.Choice("error", "Error Bar", *error, ErrorBarChoices(), "Choose SD, SE or None.", {"sd", "se", "none"});
}

void AddFramePages(DialogSchema& s, GroupFrameFields& frame) {
  s.AddPage("X-axis");
  frame.AddXAxisFields(s);
  s.AddPage("Y-axis");
  frame.AddYAxisFields(s);
}

void AddClosingPages(DialogSchema& s, GroupFrameFields& frame) {
  s.AddPage("Title");
  frame.AddTitleFields(s);
  s.AddPage("Plot Area");
  frame.AddPlotAreaFields(s);
}

}  // namespace

// ---- Box plots ------------------------------------------------------------------------------

BoxPlotDialog::BoxPlotDialog(const BoxPlotSettings& settings, bool reedit) : base_(settings), reedit_(reedit) {
  if (base_.frame.title.empty() && !reedit) base_.frame.title = BoxPlotTitle(base_.kind);
  frame.Load(base_.frame);
  ShowGroupExtremes(frame, base_.groups);
  line_color = IndexOf(AxisColorChoices(), base_.box_color, 3);
  fill = IndexOf(BarFillChoices(), base_.box_fill, 0);
}

std::string BoxPlotDialog::Title() const { return base_.kind == kBoxPlotGroups ? kGroupsTitle : kTwoGroupsTitle; }

DialogSchema BoxPlotDialog::Schema() {
  DialogSchema s;
  AddFramePages(s, frame);
  AddDataFormatPage(s, line_color, nullptr, fill, nullptr);
  AddClosingPages(s, frame);
  return s;
}

BoxPlotSettings BoxPlotDialog::Settings() const {
  BoxPlotSettings s = base_;
  s.frame = frame.Frame();
  s.box_color = NameAt(AxisColorChoices(), line_color);
  s.box_fill = NameAt(BarFillChoices(), fill);
  return s;
}

std::string BoxPlotDialog::SettingsRefusal() const {
  return CheckGroupSettings(frame.Frame(), reedit_ ? GroupCheck::kReeditLineBox : GroupCheck::kCommand);
}

// ---- Bar plots ------------------------------------------------------------------------------

BarPlotDialog::BarPlotDialog(int kind) {
  BarPlotSettings s;
  s.kind = std::clamp(kind, 0, 2);
  s.frame.title = BarPlotTitle(s.kind);
  Load(s);
}

BarPlotDialog::BarPlotDialog(const BarPlotSettings& settings, bool reedit) : reedit_(reedit) { Load(settings); }

void BarPlotDialog::Load(const BarPlotSettings& s) {
  base_ = s;
  frame.Load(s.frame);
  if (s.kind == kBarPlotTwoway) {
    std::vector<GroupStats> cells;
    for (const auto& row : s.twoway_data.cells) cells.insert(cells.end(), row.begin(), row.end());
    ShowGroupExtremes(frame, cells);
  } else {
    ShowGroupExtremes(frame, s.groups);
  }
  line_color = IndexOf(AxisColorChoices(), s.line_color, 3);
  line_weight = s.line_weight;
  fill = IndexOf(BarFillChoices(), s.fill, 0);
  error = static_cast<int>(s.error);
  series.Load(s.series, s.twoway);
}

std::string BarPlotDialog::Title() const {
  switch (base_.kind) {
    case kBarPlotGroups: return kGroupsTitle;
    case kBarPlotTwoway: return kTwowayTitle;
    default: return kTwoGroupsTitle;
  }
}

DialogSchema BarPlotDialog::Schema() {
  DialogSchema s;
  if (base_.kind == kBarPlotTwoway) {
    s.AddPage("Line Format");
    series.AddLineFormatFields(s);
    s.AddPage("Marker Format");
    series.AddMarkerFormatFields(s, true);
    s.AddPage("Eror Bar");
    series.AddErrorBarFields(s);
    s.AddPage("Other Formats");
    frame.AddTitleFields(s);
    frame.AddXAxisFields(s);
    frame.AddYAxisFields(s);
    s.AddPage("Color and Legend");
    frame.AddPlotAreaFields(s);
    series.AddLegendField(s);
    return s;
  }
  AddFramePages(s, frame);
  AddDataFormatPage(s, line_color, &line_weight, fill, &error);
  AddClosingPages(s, frame);
  return s;
}

BarPlotSettings BarPlotDialog::Settings() const {
  BarPlotSettings s = base_;
  s.frame = frame.Frame();
  if (s.kind == kBarPlotTwoway) {
    s.series = series.Formats();
    s.twoway = series.Options();
  } else {
    s.line_color = NameAt(AxisColorChoices(), line_color);
    s.line_weight = line_weight;
    s.fill = NameAt(BarFillChoices(), fill);
    s.error = static_cast<ErrorBarKind>(std::clamp(error, 0, 2));
  }
  return s;
}

std::string BarPlotDialog::SettingsRefusal() const {
  // The bar plots' re-edit sheets check with the command's own words.
  return CheckGroupSettings(frame.Frame(), GroupCheck::kCommand);
}

}  // namespace orvel
