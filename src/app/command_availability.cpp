#include "app/command_availability.h"

#include "app/orvel_view.h"

namespace orvel {

namespace {
using D = DisplayKind;
// The modes from the histogram to the scatter-plot matrix: the twoway grid among them, the bar
// plots after them not.
bool IsGraphMode(D mode) {
  return static_cast<int>(mode) >= static_cast<int>(D::kHistogram) &&
         static_cast<int>(mode) <= static_cast<int>(D::kScatterPlotMatrix);
}
}  // namespace

bool IsCommandAvailable(CommandKind kind, const CommandState& s) {
  const D mode = s.display_mode;
  const Selection& sel = s.selection;
  switch (kind) {
    case CommandKind::kAlways: return true;
    case CommandKind::kNotRecording: return !s.recording;
    case CommandKind::kEndMacroRecord: return s.recording;
    case CommandKind::kPrint: return mode != D::kTwowayGrid && !s.recording;
    case CommandKind::kDataSetting: return !IsGraphMode(mode);
    // The bar plots are graphs to save as well.
    case CommandKind::kSaveGraph: return IsGraphMode(mode) || mode == D::kBarPlot;
    case CommandKind::kSort: return mode == D::kDataSheet;
    case CommandKind::kShowResult: return mode != D::kResult;
    case CommandKind::kShowDataSheet: return mode != D::kDataSheet;
    case CommandKind::kDelete: return mode == D::kDataSheet || mode == D::kResult || mode == D::kTwowayGrid;
    case CommandKind::kFillRight:
      return !IsGraphMode(mode) && sel.anchor_column != 0 && sel.anchor_column < sel.end_column;
    case CommandKind::kFillLeft: return !IsGraphMode(mode) && sel.end_column < sel.anchor_column;
    case CommandKind::kFillDown: return !IsGraphMode(mode) && sel.anchor_row != 0 && sel.anchor_row < sel.end_row;
    case CommandKind::kFillUp: return !IsGraphMode(mode) && sel.end_row < sel.anchor_row;
    case CommandKind::kPaste: return mode == D::kDataSheet && s.clipboard_has_text;
    case CommandKind::kCopy: return mode != D::kTwowayGrid;
    case CommandKind::kCut: return mode == D::kDataSheet || (mode == D::kResult && !s.result_empty);
  }
  return false;
}

CommandState CORVELView::CurrentCommandState(bool clipboard_has_text) const {
  CommandState state;
  state.display_mode = doc_.DisplayMode;
  state.recording = IsRecording;
  state.selection = doc_.GetSelection();
  state.result_empty = doc_.ResultText.empty();
  state.clipboard_has_text = clipboard_has_text;
  return state;
}

}  // namespace orvel
