// The analyses of variance as commands: checks and messages in their order, the question after
// the dialog, the control group kept in the settings, what is recorded, and the dialog models.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/anova_dialogs.h"
#include "app/command_table.h"
#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

class AnovaCommandsTest : public ::testing::Test {
 protected:
  void SetColumn(int c, const std::string& name, const std::vector<std::string>& cells) {
    doc.SetCell(c, 0, name);
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (!cells[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, cells[i]);
  }
  void ExpectNoReport() {
    EXPECT_EQ(doc.ResultText, "");
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  }

  CORVELDoc doc{100};
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(AnovaCommandsTest, OnewayChecksDialogQuestionAndRecording) {
  view.IsRecording = true;
  SetColumn(1, "a", {"1", "2", "3", "4"});
  SetColumn(2, "b", {"2", "4", "", "5"});
  SetColumn(3, "c", {"5", "6", "7", "9"});
  doc.SetGroupColumn(1, true);
  doc.SetGroupColumn(2, true);
  view.OnOnewayAnova();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: Set data for Oneway more than two groups."}));
  EXPECT_EQ(view.MacroText, "");  // a refusal records nothing
  ExpectNoReport();

  doc.SetGroupColumn(3, true);
  port.events.clear();
  // The dialog cancelled: no report, the statement still recorded.
  port.QueueDialog(OnewayAnovaDialog::kTitle, {}, /*ok=*/false);
  view.OnOnewayAnova();
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\noneway();\r\n");
  ExpectNoReport();

  // Repeated measures with a missing value: the question comes after the dialog; Cancel stops.
  view.MacroText.clear();
  port.events.clear();
  port.QueueDialog(OnewayAnovaDialog::kTitle, {{"type", "repeated"}, {"control", "3"}});
  port.QueueCancel();
  view.OnOnewayAnova();
  ASSERT_EQ(port.events.size(), 2u);
  EXPECT_EQ(port.events[0].kind, PortEvent::kDialog);
  EXPECT_EQ(port.events[1], (PortEvent{PortEvent::kQuestion, "ORVEL",
                                       "Selected columns are not paired. Will you skip the rows with missing values?"}));
  ExpectNoReport();
  EXPECT_EQ(doc.CurrentGroupColumn(), 0);

  // OK: row 3 skipped for the run and restored afterwards; column 3 is now the current group.
  port.QueueDialog(OnewayAnovaDialog::kTitle, {{"type", "repeated"}, {"dunnett", "1"}, {"control", "3"}});
  port.QueueAnswer(true);
  view.OnOnewayAnova();
  EXPECT_TRUE(port.AllAnswersUsed());
  EXPECT_NE(doc.ResultText.find("<<< OnewayANOVA---Repeated Measures >>>"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("[Dunnett]--Control Group : Col3\nDunnett cannot be used because of the small "
                                "sample size.\n\n"),
            std::string::npos);
  EXPECT_NE(doc.ResultText.find("Row 3\n"), std::string::npos);
  EXPECT_TRUE(doc.IsNumeric(1, 3));
  EXPECT_EQ(doc.CurrentGroupColumn(), 3);
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nresultoption (0);\r\noneway();\r\n");
}

TEST_F(AnovaCommandsTest, TwowayWithoutReplicationChecks) {
  SetColumn(1, "10", {"8", "7", "9", "6"});
  SetColumn(2, "20", {"9", "9", "11", "8"});
  SetColumn(3, "x", {"11", "10", "", "9"});
  struct Case {
    int c1, r1, c2, r2;
    std::string message;
  };
  const Case refused[] = {
      {1, 1, 1, 4, "FreeORVEL: Selected cells should be more than two columns and rows."},
      {1, 2, 3, 2, "FreeORVEL: Selected cells should be more than two columns and rows."},
      {1, 1, 3, 4, "FreeORVEL: There are some missing values in the selected cells."},
      {0, 1, 2, 4, "FreeORVEL: There are some missing values in the selected cells."},  // the label column
      // Names that are numbers would pass as data: the names row is refused by itself.
      {1, 0, 2, 4, "FreeORVEL: The selected cells include row 0, which holds the column names. Select data "
                   "cells only."},
  };
  for (const Case& c : refused) {
    port.events.clear();
    doc.SetSelection(c.r1, c.c1, c.r2, c.c2);
    view.OnTwowayAnovaWithoutReplication();
    EXPECT_EQ(port.Messages(), std::vector<std::string>{c.message}) << c.c1 << "," << c.r1;
  }
  ExpectNoReport();
  port.events.clear();
  doc.SetSelection(4, 2, 1, 1);  // anchor and end in any order
  port.QueueDialog(TwowayWithoutReplicationDialog::kTitle, {{"tukey", "1"}});
  view.OnTwowayAnovaWithoutReplication();
  EXPECT_NE(doc.ResultText.find("Selected cells : C1R1-C2R4\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("[Tukey : Between Columns]"), std::string::npos);
  EXPECT_EQ(doc.ResultText.find("[Scheffe"), std::string::npos);
}

TEST_F(AnovaCommandsTest, TwowayChecksGridAndBalance) {
  view.IsRecording = true;
  view.OnTwowayAnova();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: Data setting for twoway data is not correct."}));
  SetColumn(1, "a1b1", {"1", "2", "3"});
  SetColumn(2, "a2b1", {"2", "3", "5"});
  SetColumn(3, "a1b2", {"4", "", "6"});
  SetColumn(4, "a2b2", {"7", "8", "8"});
  doc.SetTwowayGridCell(1, 1, 1);
  doc.SetTwowayGridCell(2, 1, 2);
  doc.SetTwowayGridCell(1, 2, 3);
  doc.SetTwowayGridCell(2, 2, 4);
  port.events.clear();
  // The balance is checked after the dialog, for the repeated form only.
  port.QueueDialog(TwowayAnovaDialog::kTitle, {{"type", "repeated"}});
  view.OnTwowayAnova();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{
                                 "FreeORVEL: The numbers of data are not equal or the selected columns are not paired."}));
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\n");
  port.QueueDialog(TwowayAnovaDialog::kTitle, {{"type", "factorial"}, {"scheffe", "1"}});
  view.OnTwowayAnova();
  EXPECT_NE(doc.ResultText.find("<<<TwowayANOVA：Factorial>>>"), std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nresultoption (0);\r\ntwowayrepeat();\r\n");
}

TEST(AnovaDialogs, FieldsAndControlList) {
  CORVELDoc doc(20);
  doc.SetCell(4, 0, "Dose");
  doc.SetCell(12, 0, "Placebo");
  for (const int c : {4, 7, 12}) doc.SetGroupColumn(c, true);
  OnewayAnovaDialog oneway(doc, 12);
  EXPECT_EQ(oneway.ControlColumn(), 12);  // the current group column is preselected
  ASSERT_EQ(oneway.control_entries.size(), 3u);
  EXPECT_EQ(oneway.control_entries[0], "Col 4：Dose");
  EXPECT_EQ(oneway.control_entries[2], "Col12：Placebo");
  EXPECT_EQ(OnewayAnovaDialog(doc, 5).ControlColumn(), 4);  // not a group column: the first
  EXPECT_TRUE(oneway.SetField("control", "7"));
  EXPECT_EQ(oneway.control_index, 1);
  EXPECT_FALSE(oneway.SetField("control", "5"));  // only a listed column
  EXPECT_FALSE(oneway.SetField("control", "1"));  // a column number, not a position
  EXPECT_EQ(oneway.ControlColumn(), 7);
  EXPECT_TRUE(oneway.SetField("type", "repeated"));
  EXPECT_TRUE(oneway.repeated);
  EXPECT_FALSE(oneway.SetField("type", "split"));
  EXPECT_FALSE(oneway.SetField("type", "1"));
  EXPECT_TRUE(oneway.SetField("holm", "1"));
  EXPECT_FALSE(oneway.SetField("holm", "2"));

  TwowayWithoutReplicationDialog block;
  EXPECT_TRUE(block.SetField("bonferroni", "1"));
  EXPECT_FALSE(block.SetField("type", "repeated"));  // this dialog has no type
  EXPECT_FALSE(block.SetField("dunnett", "1"));
  TwowayAnovaDialog twoway;
  EXPECT_TRUE(twoway.SetField("type", "repeated"));
  EXPECT_FALSE(twoway.SetField("holm", "1"));

  // The three commands run from their menu entries and keywords.
  for (const char* keyword : {"oneway", "twoway", "twowayrepeat"}) {
    const CommandRow* row = FindCommandByKeyword(keyword);
    ASSERT_NE(row, nullptr) << keyword;
    EXPECT_EQ(row->runner, CommandRunner::kCore) << keyword;
    EXPECT_NE(row->handler, nullptr) << keyword;
  }
}

}  // namespace
}  // namespace orvel
