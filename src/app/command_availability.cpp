#include "app/command_availability.h"

#include "app/orvel_view.h"

namespace orvel {

namespace {
bool IsGraphMode(int mode) { return mode >= 2 && mode <= 7; }
}  // namespace

bool IsCommandAvailable(CommandKind kind, const CommandState& s) {
  const int mode = s.display_mode;
  const Selection& sel = s.selection;
  switch (kind) {
    case CommandKind::kAlways: return true;
    case CommandKind::kNotRecording: return !s.recording;
    case CommandKind::kEndMacroRecord: return s.recording;
    case CommandKind::kPrint: return mode != 5 && !s.recording;
    case CommandKind::kDataSetting: return !IsGraphMode(mode);
    case CommandKind::kSaveGraph: return IsGraphMode(mode);
    case CommandKind::kSort: return mode == 0;
    case CommandKind::kShowResult: return mode != 1;
    case CommandKind::kShowDataSheet: return mode != 0;
    case CommandKind::kDelete: return mode == 0 || mode == 1 || mode == 5;
    case CommandKind::kFillRight:
      return !IsGraphMode(mode) && sel.anchor_column != 0 && sel.anchor_column < sel.end_column;
    case CommandKind::kFillLeft: return !IsGraphMode(mode) && sel.end_column < sel.anchor_column;
    case CommandKind::kFillDown: return !IsGraphMode(mode) && sel.anchor_row != 0 && sel.anchor_row < sel.end_row;
    case CommandKind::kFillUp: return !IsGraphMode(mode) && sel.end_row < sel.anchor_row;
    case CommandKind::kPaste: return mode == 0 && s.clipboard_has_text;
    case CommandKind::kCopy: return mode != 5;
    case CommandKind::kCut: return mode == 0 || (mode == 1 && !s.result_empty);
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
