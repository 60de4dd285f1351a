// Histogram(&H)...: the histogram of the current cell's column, and its re-edit sheet.
#include "app/graph_commands.h"
#include "app/histogram_dialogs.h"
#include "app/orvel_view.h"

namespace orvel {

namespace {

struct HistogramTexts {
  const char* adjust;  // the question when the number of classes was changed
  bool reedit;
};
constexpr HistogramTexts kCommandTexts{"Will you adjust the maximum and minimum settings based on the classes?", false};
constexpr HistogramTexts kReeditTexts{"Will you adjust the miximum and minimum settings based on the class?", true};

// OK of either sheet: a changed number of classes may re-derive the range from the data; the
// range must hold every value. False (with the message shown) when the settings are refused.
bool AcceptHistogramSheet(PlatformPort& port, const CORVELDoc& doc, const HistogramDialog& dialog, int classes_before,
                          const HistogramTexts& texts, HistogramSettings& out) {
  HistogramSettings s = dialog.Settings();
  if (s.classes != classes_before &&
      port.AskQuestion(kFreeTitle, texts.adjust, QuestionButtons::YesNo) && doc.Count(s.column) > 0)
    ClassRangeSettings(doc.Max(s.column), doc.Min(s.column), s.classes, s.max_setting, s.min_setting);
  const std::string refusal = CheckHistogramRange(doc, s, texts.reedit);
  if (!refusal.empty()) {
    port.ShowMessage(kFreeTitle, refusal);
    return false;
  }
  out = s;
  return true;
}

}  // namespace

void CORVELView::OnHistogram() {
  const int column = doc_.GetSelection().anchor_column;
  if (column < 1 || column >= kColumnCount)
    return Refuse(kFreeTitle, "Choose a cell of the row whose histogram you would like to draw.");
  if (doc_.Count(column) <= 3) return Refuse(kFreeTitle, "Sample size is too small.");
  const HistogramSettings preset = DefaultHistogramSettings(doc_, column);
  HistogramDialog dialog(doc_, preset, false);
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
  HistogramSettings settings;
  if (!AcceptHistogramSheet(port_, doc_, dialog, preset.classes, kCommandTexts, settings)) return;
  Graphs().histogram = settings;
  doc_.DisplayMode = DisplayKind::kHistogram;
  port_.Repaint();
  RecordCommand(CommandId::kHistogram);
}

void CORVELView::EditHistogram() {
  const HistogramSettings before = Graphs().histogram;
  HistogramDialog dialog(doc_, before, true);
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
  HistogramSettings settings;
  if (!AcceptHistogramSheet(port_, doc_, dialog, before.classes, kReeditTexts, settings)) return;
  Graphs().histogram = settings;
  port_.Repaint();
}

}  // namespace orvel
