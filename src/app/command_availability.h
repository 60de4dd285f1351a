// When each menu command can be chosen, from the program's state. The desktop window asks before
// a menu opens, after every command and before running a command from a key; the view gives the
// state (CORVELView::CurrentCommandState).
#pragma once

#include "sheet/orvel_doc.h"

namespace orvel {

enum class CommandKind {
  kAlways,          // no condition
  kNotRecording,    // New, Open, Save, Save As, Print Setup, Open Text File, Start Macro
                    // Record, Run Macro, the R Language menu
  kEndMacroRecord,  // recording
  kPrint,           // Print and Print Preview
  kDataSetting,     // the six data-setting commands
  kSaveGraph,
  kSort,
  kShowResult,
  kShowDataSheet,
  kDelete,
  kFillRight,
  kFillLeft,
  kFillUp,
  kFillDown,
  kPaste,
  kCopy,
  kCut,
};

struct CommandState {
  DisplayKind display_mode = DisplayKind::kDataSheet;
  bool recording = false;
  Selection selection;
  bool result_empty = true;
  bool clipboard_has_text = false;
};

bool IsCommandAvailable(CommandKind kind, const CommandState& state);

}  // namespace orvel
