// The rank tests' command flows: checks and messages in their order, the questions, Result
// Options, the comparison dialogs and what is recorded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/orvel_view.h"
#include "app/rank_dialogs.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

// True when every cell of row r counts as its text says (a run left no row out of the sheet).
bool EveryCellCounts(const CORVELDoc& doc, int r) {
  for (int c = 0; c <= kLastColumn; ++c)
    if (doc.HasText(c, r) != !doc.Text(c, r).empty()) return false;
  return true;
}

using testing::PortEvent;
using testing::ScriptedPort;

// Keeps the wait-cursor calls as well.
class CursorPort : public ScriptedPort {
 public:
  void SetWaitCursor(bool waiting) override { cursor.push_back(waiting); }
  std::vector<bool> cursor;
};

class RankCommandsTest : public ::testing::Test {
 protected:
  void SetColumn(int c, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (!cells[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, cells[i]);
  }
  void FillColumn(int c, int count, int first = 1) {
    for (int r = 1; r <= count; ++r) doc.SetCell(c, r, std::to_string(first + r));
  }
  void SetGroups(const std::vector<int>& columns) {
    for (int c : columns) doc.SetGroupColumn(c, true);
  }
  // Nothing changed: no report, no statement, no display switch.
  void ExpectUntouched() {
    EXPECT_EQ(doc.ResultText, "");
    EXPECT_EQ(view.MacroText, "");
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
    EXPECT_FALSE(doc.IsModified());
  }

  CORVELDoc doc{4001};  // room for columns of the 10000-value limit
  CursorPort port;
  CORVELView view{doc, port};
};

constexpr const char* kXYQuestion = "X and Y are not paired. Will you skip the rows with missing values?";
constexpr const char* kGroupQuestion = "There are missing values. Will you skip the rows with the missing values?";

TEST_F(RankCommandsTest, MannWhitneyRefusesSmallSamples) {
  view.IsRecording = true;
  FillColumn(1, 2);
  FillColumn(2, 7);
  view.OnMannWhitneyUTest();
  FillColumn(1, 3);
  FillColumn(3, 4, 10);
  doc.SetTwoGroupY(3);
  view.OnMannWhitneyUTest();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: Samples are too small.",
                                                       "FreeORVEL: Samples are too small."}));
  ExpectUntouched();
  EXPECT_TRUE(port.cursor.empty());
}

TEST_F(RankCommandsTest, MannWhitneyRunsThroughTheFrame) {
  view.IsRecording = true;
  SetColumn(1, {"1", "2", "3"});
  SetColumn(2, {"4", "5", "", "6", "7", "8"});
  view.OnMannWhitneyUTest();
  EXPECT_TRUE(port.events.empty());  // no question, no Result Options for an empty result
  EXPECT_NE(doc.ResultText.find("<<< Mann-Whitney U Test >>>"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("p=0.035714*\n\n\n"), std::string::npos);
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(port.repaints, 1);
  EXPECT_EQ(port.cursor, (std::vector<bool>{true, false}));
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nmannwhitney();\r\n");

  // With a result already there: Result Options, and Cancel there stops everything.
  const std::string before = doc.ResultText;
  port.QueueDialog("Result Options", {}, /*ok=*/false);
  view.OnMannWhitneyUTest();
  EXPECT_EQ(doc.ResultText, before);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nmannwhitney();\r\n");

  port.QueueDialog("Result Options", {{"choice", "2"}});
  view.OnMannWhitneyUTest();
  EXPECT_EQ(doc.ResultText.rfind("\n\n<<< Mann-Whitney U Test >>>", 0), 0u);
  EXPECT_DOUBLE_EQ(doc.Scroll.result_y, 0);
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(RankCommandsTest, WilcoxonAsksBeforeItCounts) {
  view.IsRecording = true;
  // Complete rows: 5 non-zero differences. Row 7 has X only.
  SetColumn(1, {"1", "2", "3", "4", "5", "6", "9"});
  SetColumn(2, {"2", "3", "4", "5", "6", "6"});
  port.QueueCancel();
  view.OnWilcoxonSignedRankTest();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0], (PortEvent{PortEvent::kQuestion, "ORVEL", kXYQuestion}));
  ExpectUntouched();

  // OK: row 7 would be skipped, so only five differences are left.
  port.QueueAnswer(true);
  view.OnWilcoxonSignedRankTest();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: Samples are too small."}));
  ExpectUntouched();
  EXPECT_TRUE(doc.IsNumeric(1, 7));

  // Paired columns whose values are all equal: no question, and no differences to rank.
  port.events.clear();
  doc.ClearCell(1, 7);
  for (int r = 1; r <= 6; ++r) doc.SetCell(2, r, std::string(doc.Text(1, r)));
  view.OnWilcoxonSignedRankTest();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: Data setting is not correct."}));
  EXPECT_EQ(port.events.size(), 1u);
  ExpectUntouched();
}

TEST_F(RankCommandsTest, WilcoxonSkipsAndRecords) {
  view.IsRecording = true;
  SetColumn(1, {"5", "6", "7", "8", "", "9", "10", "4"});
  SetColumn(2, {"4", "4.5", "5", "5.5", "1", "6", "6.5", ""});
  view.OnWilcoxonSignedRankTest();
  EXPECT_EQ(port.events.size(), 1u);  // the question, answered OK
  EXPECT_NE(doc.ResultText.find("p=0.031250*\n\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("skipped because they have missing values.\nRow 5\nRow 8\n"), std::string::npos);
  EXPECT_TRUE(doc.IsNumeric(2, 5));
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nwilcoxon();\r\n");
}

TEST_F(RankCommandsTest, KruskalWallisChecksInOrder) {
  view.IsRecording = true;
  FillColumn(1, 4000);
  FillColumn(2, 4000);
  SetGroups({1, 2});
  view.OnKruskalWallisTest();
  FillColumn(3, 2001);
  SetGroups({3});
  view.OnKruskalWallisTest();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"ORVEL: Set data for oneway over three groups.",
                                                       "ORVEL: Samples must be less than 5000."}));
  ExpectUntouched();

  // Exactly 10000 values are taken.
  doc.ClearCell(3, 2001);
  port.events.clear();
  view.OnKruskalWallisTest();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0].kind, PortEvent::kDialog);
  EXPECT_EQ(port.events[0].title, "Kruskal-Wallis Rank Sum Test");
  EXPECT_NE(doc.ResultText.find("<<< Kruskal-Wallis Rank Sum Test >>>"), std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nkruskalwallis();\r\n");
}

TEST_F(RankCommandsTest, KruskalWallisDialogChoicesAndCancel) {
  view.IsRecording = true;
  SetColumn(1, {"1", "2", "3", "3", "4"});
  SetColumn(2, {"5", "6", "6", "7", "8"});
  SetColumn(3, {"9", "10", "11", "12", "12"});
  SetGroups({1, 2, 3});

  // Cancel in the dialog: no report, but the statement is recorded.
  port.QueueDialog("Kruskal-Wallis Rank Sum Test", {}, /*ok=*/false);
  view.OnKruskalWallisTest();
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_TRUE(port.cursor.empty());
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nkruskalwallis();\r\n");

  port.QueueDialog("Kruskal-Wallis Rank Sum Test", {{"tukey", "1"}, {"scheffe", "0"}});
  view.OnKruskalWallisTest();
  EXPECT_NE(doc.ResultText.find("[Multiple Comparison---Tukey]\n"), std::string::npos);
  EXPECT_EQ(doc.ResultText.find("Scheffe"), std::string::npos);
  EXPECT_EQ(port.cursor, (std::vector<bool>{true, false}));
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);

  // Result Options comes before the dialog; its Cancel records nothing.
  view.MacroText.clear();
  port.events.clear();
  port.QueueDialog("Result Options", {}, /*ok=*/false);
  view.OnKruskalWallisTest();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0].title, "Result Options");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(RankCommandsTest, FriedmanChecksQuestionAndDialog) {
  view.IsRecording = true;
  SetColumn(1, {"7", "6", "9", "5"});
  SetColumn(2, {"9", "6", "7", ""});
  SetGroups({1, 2});
  view.OnFriedmanTest();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"ORVEL: Set data for Oneway Three Groups or More."}));
  SetColumn(3, {"8", "8", "9", "9"});
  SetGroups({3});

  // The question, then Cancel: nothing happens.
  port.events.clear();
  port.QueueCancel();
  view.OnFriedmanTest();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0], (PortEvent{PortEvent::kQuestion, "ORVEL", kGroupQuestion}));
  ExpectUntouched();

  // OK, then Cancel in the dialog: the statement is recorded and no row stays skipped.
  port.QueueAnswer(true);
  port.QueueDialog("Friedman Rank Sum Test", {}, /*ok=*/false);
  view.OnFriedmanTest();
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nfriedman();\r\n");
  EXPECT_TRUE(EveryCellCounts(doc, 4));

  port.QueueAnswer(true);
  port.QueueDialog("Friedman Rank Sum Test", {{"scheffe", "1"}});
  view.OnFriedmanTest();
  EXPECT_NE(doc.ResultText.find("Friedman chi-squared : "), std::string::npos);
  EXPECT_NE(doc.ResultText.find("[Multiple Comparison---Scheffe]\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("skipped because they have missing values.\nRow 4\n"), std::string::npos);
  EXPECT_TRUE(EveryCellCounts(doc, 4));
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nfriedman();\r\nresultoption (0);\r\nfriedman();\r\n");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(RankCommandsTest, FriedmanLimitComesBeforeTheQuestion) {
  FillColumn(1, 3334);
  FillColumn(2, 3334);
  FillColumn(3, 3333);
  SetGroups({1, 2, 3});
  view.OnFriedmanTest();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"ORVEL: Samples must be less than 5000."}));
  ExpectUntouched();
}

TEST(RankDialogsTest, TitlesKeysAndPresets) {
  KruskalWallisDialog kw;
  FriedmanDialog fr;
  EXPECT_EQ(kw.Title(), "Kruskal-Wallis Rank Sum Test");
  EXPECT_EQ(fr.Title(), "Friedman Rank Sum Test");
  EXPECT_FALSE(kw.tukey);
  EXPECT_FALSE(kw.scheffe);
  EXPECT_TRUE(fr.SetField("tukey", "1"));
  EXPECT_TRUE(fr.SetField("scheffe", "1"));
  EXPECT_TRUE(fr.SetField("tukey", "0"));
  EXPECT_FALSE(fr.tukey);
  EXPECT_TRUE(fr.scheffe);
  EXPECT_FALSE(fr.SetField("tukey", "2"));
  EXPECT_FALSE(fr.SetField("tukey", "yes"));
  EXPECT_FALSE(fr.SetField("holm", "1"));
  EXPECT_TRUE(fr.scheffe);
  EXPECT_EQ(fr.Accept(), "");
}

}  // namespace
}  // namespace orvel
