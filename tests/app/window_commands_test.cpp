// The Window menu's pane switches: what each sets, records and asks.
#include <gtest/gtest.h>

#include <vector>

#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

TEST(WindowCommandsTest, SwitchPanesAndAskOnlyFromTheirGraphs) {
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
  const PortEvent graph_question{PortEvent::kQuestion, "FreeORVEL",
                                 "Will you save the present graph as an extended metafile?"};
  view.IsRecording = true;
  doc.DisplayMode = DisplayKind::kResult;
  doc.Scroll.result_x = 86;
  doc.Scroll.result_y = 400;
  doc.Scroll.sheet_y = 60;
  doc.SetModified(false);
  view.OnShowDataSheetWindow();
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.Scroll.result_x, 0);
  EXPECT_EQ(doc.Scroll.result_y, 0);
  EXPECT_EQ(doc.Scroll.sheet_y, 60);  // the sheet keeps its place
  view.OnShowResultWindow();
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(view.MacroText, "datainput();\r\nresult();\r\n");
  EXPECT_TRUE(port.events.empty());

  // The data sheet command asks from the graphs 2-4, 6 and 7, the result command from 2-4.
  for (int mode = 2; mode <= 8; ++mode) {
    SCOPED_TRACE(mode);
    const bool sheet_asks = mode != 5 && mode != 8;
    const bool result_asks = mode <= 4;
    port.events.clear();
    doc.DisplayMode = static_cast<DisplayKind>(mode);
    if (sheet_asks) port.QueueAnswer(false);
    view.OnShowDataSheetWindow();
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
    EXPECT_EQ(port.events, sheet_asks ? std::vector<PortEvent>{graph_question} : std::vector<PortEvent>{});
    port.events.clear();
    doc.DisplayMode = static_cast<DisplayKind>(mode);
    if (result_asks) port.QueueAnswer(false);
    view.OnShowResultWindow();
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
    EXPECT_EQ(port.events, result_asks ? std::vector<PortEvent>{graph_question} : std::vector<PortEvent>{});
  }
  EXPECT_TRUE(port.AllAnswersUsed());
}

}  // namespace
}  // namespace orvel
