// Which commands can be chosen, by display mode, recording, selection, result and clipboard.
#include "app/command_availability.h"

#include <gtest/gtest.h>

#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using K = CommandKind;

TEST(CommandAvailabilityTest, TheViewsStateDecides) {
  CORVELDoc doc;
  testing::ScriptedPort port;
  CORVELView view(doc, port);
  const auto available = [&](K kind, bool clipboard = false) {
    return IsCommandAvailable(kind, view.CurrentCommandState(clipboard));
  };
  EXPECT_TRUE(available(K::kNotRecording));
  EXPECT_FALSE(available(K::kEndMacroRecord));
  EXPECT_TRUE(available(K::kPrint));
  view.IsRecording = true;
  EXPECT_FALSE(available(K::kNotRecording));
  EXPECT_TRUE(available(K::kEndMacroRecord));
  EXPECT_FALSE(available(K::kPrint));
  view.IsRecording = false;

  // Cut in the result pane wants a result to cut; Paste wants the sheet and text to paste.
  doc.DisplayMode = DisplayKind::kResult;
  EXPECT_FALSE(available(K::kCut));
  doc.ResultText = "<<< Summary statistics >>>\n";
  EXPECT_TRUE(available(K::kCut));
  EXPECT_FALSE(available(K::kPaste, true));
  EXPECT_FALSE(available(K::kShowResult));
  EXPECT_TRUE(available(K::kShowDataSheet));
  doc.DisplayMode = DisplayKind::kDataSheet;
  EXPECT_FALSE(available(K::kPaste, false));
  EXPECT_TRUE(available(K::kPaste, true));
  EXPECT_FALSE(available(K::kShowDataSheet));

  // Fills need the selection to reach past the anchor, from a data row or column.
  doc.SetSelection(1, 1, 3, 4);  // anchor (row 1, column 1), end (row 3, column 4)
  EXPECT_TRUE(available(K::kFillRight));
  EXPECT_TRUE(available(K::kFillDown));
  EXPECT_FALSE(available(K::kFillLeft));
  EXPECT_FALSE(available(K::kFillUp));
  doc.SetSelection(0, 0, 3, 4);  // from the label row and column: nothing to fill from
  EXPECT_FALSE(available(K::kFillRight));
  EXPECT_FALSE(available(K::kFillDown));
  doc.SetSelection(5, 5, 1, 1);
  EXPECT_TRUE(available(K::kFillUp));
  EXPECT_TRUE(available(K::kFillLeft));
}

TEST(CommandAvailabilityTest, PanesEnableTheirOwnCommands) {
  CommandState s;
  s.clipboard_has_text = true;
  s.result_empty = false;
  s.selection = {5, 5, 1, 1};
  for (int mode = 0; mode <= 8; ++mode) {
    SCOPED_TRACE(mode);
    s.display_mode = static_cast<DisplayKind>(mode);
    const bool graph = mode >= 2 && mode <= 7;  // the bar plots (8) keep the sheet's commands
    // ...but a bar plot is saved like every other graph.
    EXPECT_EQ(IsCommandAvailable(K::kSaveGraph, s), graph || mode == 8);
    EXPECT_EQ(IsCommandAvailable(K::kDataSetting, s), !graph);
    EXPECT_EQ(IsCommandAvailable(K::kFillUp, s), !graph);
    EXPECT_EQ(IsCommandAvailable(K::kSort, s), mode == 0);
    EXPECT_EQ(IsCommandAvailable(K::kDelete, s), mode == 0 || mode == 1 || mode == 5);
    EXPECT_EQ(IsCommandAvailable(K::kCopy, s), mode != 5);
    EXPECT_EQ(IsCommandAvailable(K::kCut, s), mode == 0 || mode == 1);
    EXPECT_EQ(IsCommandAvailable(K::kPaste, s), mode == 0);
    EXPECT_EQ(IsCommandAvailable(K::kPrint, s), mode != 5);
  }
}

}  // namespace
}  // namespace orvel
