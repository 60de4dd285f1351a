#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

class FrameTest : public ::testing::Test {
 protected:
  void FillColumn(int c, int first, int last) {
    for (int r = first; r <= last; ++r) doc.SetCell(c, r - first + 1, std::to_string(r));
  }
  std::string TempPath(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / ("orvel_frame_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
  }
  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(FrameTest, SummaryStatisticsEndToEnd) {
  FillColumn(1, 1, 8);
  doc.SetAnchor(1, 1);
  view.IsRecording = true;
  view.OnSummaryStatistics();
  EXPECT_TRUE(port.events.empty());  // no Result Options dialog for an empty result
  EXPECT_EQ(doc.ResultText.rfind("\n<<< Summary statistics >>>\n\nCol1 : \n\nNumber\t\t8\n", 0), 0u);
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(port.repaints, 1);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nbasic();\r\n");
}

TEST_F(FrameTest, SummaryStatisticsRefusals) {
  FillColumn(1, 1, 2);
  doc.SetCell(1, 3, "x");
  view.IsRecording = true;
  doc.SetAnchor(1, 0);
  view.OnSummaryStatistics();
  doc.SetAnchor(1, 1);
  view.OnSummaryStatistics();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: Select a column but a label column.",
                                                       "FreeORVEL: Samples are too small."}));
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  doc.SetCell(1, 4, "7");  // three numeric cells and one text cell are enough
  view.OnSummaryStatistics();
  EXPECT_EQ(port.Messages().size(), 2u);
  EXPECT_NE(doc.ResultText.find("Number\t\t3\n"), std::string::npos);
}

TEST_F(FrameTest, ResultOptionsChoices) {
  FillColumn(1, 1, 5);
  doc.SetAnchor(1, 1);
  view.IsRecording = true;
  doc.ResultText = "earlier\n";

  port.QueueDialog("Result Options", {}, /*ok=*/false);
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText, "earlier\n");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_FALSE(doc.IsModified());

  port.QueueDialog("Result Options", {{"choice", "0"}});
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText.rfind("earlier\n\n<<< Summary", 0), 0u);
  // The pane is scrolled to the first line of the new report.
  EXPECT_DOUBLE_EQ(doc.Scroll.result_y, port.ResultLineHeight() * 1);

  port.QueueDialog("Result Options", {{"choice", "2"}});
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText.rfind("\n<<< Summary", 0), 0u);
  EXPECT_DOUBLE_EQ(doc.Scroll.result_y, 0);

  // Saving, then cancelling the save dialog, still starts a new result.
  doc.ResultText = "kept?\n";
  port.QueueDialog("Result Options", {{"choice", "1"}});
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText.rfind("\n<<< Summary", 0), 0u);
  EXPECT_EQ(port.events.back().kind, PortEvent::kSaveFile);
  EXPECT_EQ(port.events.back().text, "result.txt");

  // Saving to a file writes CR LF line ends and records the save.
  const std::string path = TempPath("result.txt");
  doc.ResultText = "line 1\nline 2\n";
  view.MacroText.clear();
  port.QueueDialog("Result Options", {{"choice", "1"}});
  port.QueueFile(path);
  view.OnSummaryStatistics();
  EXPECT_EQ(ReadAll(path), "line 1\r\nline 2\r\n");
  EXPECT_EQ(view.MacroText, "saveresult();\r\nresultoption (1);\r\nbasic();\r\n");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(FrameTest, AFailedResultSaveKeepsTheResult) {
  FillColumn(1, 1, 5);
  doc.SetAnchor(1, 1);
  doc.ResultText = "precious\n";
  port.QueueDialog("Result Options", {{"choice", "1"}});
  port.QueueFile(TempPath("no_such_folder/result.txt"));
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText, "precious\n");
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0].rfind("ORVEL: ", 0), 0u);
}

TEST_F(FrameTest, LongResultAsksToSaveFirst) {
  FillColumn(1, 1, 5);
  doc.SetAnchor(1, 1);
  doc.ResultText = std::string(50001, 'x');
  port.QueueDialog("Result Options", {{"choice", "0"}});
  port.QueueAnswer(false);
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText.size(), 50001u);
  ASSERT_EQ(port.events.size(), 2u);
  EXPECT_EQ(port.events[1].title, "FreeORVEL");
  EXPECT_EQ(port.events[1].text,
            "これ以上統計結果を保存できません。前回までの統計結果をﾃｷｽﾄﾌｧｲﾙとして保存しますか。");

  // OK with the save dialog cancelled: the result is emptied before the new report.
  port.QueueDialog("Result Options", {{"choice", "0"}});
  port.QueueAnswer(true);
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText.rfind("\n<<< Summary", 0), 0u);

  // Exactly 50000 characters need no question.
  doc.ResultText = std::string(50000, 'x');
  port.events.clear();
  port.QueueDialog("Result Options", {{"choice", "0"}});
  view.OnSummaryStatistics();
  EXPECT_EQ(port.events.size(), 1u);
}

TEST_F(FrameTest, RunningMacroUsesItsResultOption) {
  FillColumn(1, 1, 5);
  doc.SetAnchor(1, 1);
  doc.ResultText = "old\n";
  view.IsRunningMacro = true;
  view.MacroResultOption = 0;
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText.rfind("old\n\n<<<", 0), 0u);
  view.MacroResultOption = 2;
  view.OnSummaryStatistics();
  EXPECT_EQ(doc.ResultText.rfind("\n<<<", 0), 0u);
  EXPECT_TRUE(port.events.empty());
}

TEST_F(FrameTest, FrequencyDistributionWithProposedClasses) {
  doc.SetCell(1, 0, "score");
  FillColumn(1, 1, 10);
  doc.SetAnchor(3, 1);
  view.IsRecording = true;
  view.OnFrequencyDistribution();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0].title, "Setting for Frequency Distribution");
  EXPECT_EQ(doc.ResultText,
            "\n\n<<<Frequency distribution>>>\nCol1 : score\n\nThe number of classes5\n"
            " -0.1250,  2.1250\t\t2\t\t**\n"
            "  2.1250,  4.3750\t\t2\t\t**\n"
            "  4.3750,  6.6250\t\t2\t\t**\n"
            "  6.6250,  8.8750\t\t2\t\t**\n"
            "  8.8750, 11.1250\t\t2\t\t**\n\n");
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\ndosuu();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
}

// Records the dialog's presets as the port saw them.
class PresetPort : public ScriptedPort {
 public:
  bool RunDialog(DialogModel& dialog) override {
    if (auto* f = dynamic_cast<FrequencyDialog*>(&dialog))
      presets = {f->maximum_value, f->minimum_value, f->number_of_data, f->maximum_setting,
                 f->minimum_setting, std::to_string(f->classes)};
    return ScriptedPort::RunDialog(dialog);
  }
  std::vector<std::string> presets;
};

TEST_F(FrameTest, FrequencyDialogPresetsAndClassChanges) {
  PresetPort p;
  CORVELView v(doc, p);
  FillColumn(1, 1, 10);
  doc.SetAnchor(1, 1);
  p.QueueDialog("Setting for Frequency Distribution", {{"classes", "10"}});
  p.QueueAnswer(false);  // keep the shown settings
  v.OnFrequencyDistribution();
  EXPECT_EQ(p.presets, (std::vector<std::string>{"10.0000", "1.0000", "10", "11.1250", "-0.1250", "5"}));
  EXPECT_EQ(p.events[1].text, "Will you adjust the maximum and minimum settings according to the class?");
  EXPECT_NE(doc.ResultText.find("The number of classes10\n -0.1250,  1.0000\t\t0\t\t\n  1.0000,  2.1250\t\t2\t\t**\n"), std::string::npos);

  doc.ResultText.clear();
  p.QueueDialog("Setting for Frequency Distribution", {{"classes", "10"}});
  p.QueueAnswer(true);  // recompute from the data for 10 classes
  v.OnFrequencyDistribution();
  EXPECT_NE(doc.ResultText.find("The number of classes10\n  0.5000,  1.5000\t\t1\t\t*\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("  9.5000, 10.5000\t\t1\t\t*\n\n"), std::string::npos);
}

TEST_F(FrameTest, FrequencyRefusals) {
  FillColumn(1, 1, 3);
  doc.SetAnchor(1, 0);
  view.OnFrequencyDistribution();
  doc.SetAnchor(1, 1);
  view.OnFrequencyDistribution();
  FillColumn(1, 1, 10);
  port.QueueDialog("Setting for Frequency Distribution", {{"max", "9.5"}});
  view.OnFrequencyDistribution();
  port.QueueDialog("Setting for Frequency Distribution", {}, /*ok=*/false);
  view.IsRecording = true;
  view.OnFrequencyDistribution();
  EXPECT_EQ(port.Messages(),
            (std::vector<std::string>{
                "FreeORVEL: Select a cell of the column whose frequency distribution you want to make.",
                "FreeORVEL: Samples are too small.",
                "FreeORVEL: The maximum setting is smaller than the maximum value or the minimum setting is "
                "larger than the minimum value. Data setting is not correct."}));
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\n");  // a cancelled dialog records no dosuu()
  FrequencyDialog d;
  d.classes = 21;
  EXPECT_NE(d.Accept(), "");
  d.classes = 20;
  d.maximum_setting = std::string(21, '1');
  EXPECT_NE(d.Accept(), "");
}

TEST_F(FrameTest, RowNumbersWritesTheProfile) {
  EXPECT_EQ(RowCountFromProfile(port), 500);
  port.profile[{"ProgramData", "Row"}] = 50;
  EXPECT_EQ(RowCountFromProfile(port), 101);
  port.profile[{"ProgramData", "Row"}] = 99999;
  EXPECT_EQ(RowCountFromProfile(port), 20001);
  port.profile.clear();

  port.QueueDialog("Setting for Number of Rows", {{"rows", "1000"}});
  view.OnRowNumbers();
  EXPECT_EQ(port.Messages(),
            std::vector<std::string>{"FreeORVEL: The number of rows will be changed when you run ORVEL next time."});
  EXPECT_EQ(RowCountFromProfile(port), 1001);
  EXPECT_EQ(doc.RowCount(), 500);
  RowNumbersDialog d;
  EXPECT_EQ(d.Accept(), "");
  d.rows = 99;
  EXPECT_NE(d.Accept(), "");
  d.rows = 20001;
  EXPECT_NE(d.Accept(), "");
}

TEST_F(FrameTest, DataSettingsStoreCorrectAndRecord) {
  view.IsRecording = true;
  view.ApplyTwoGroupSettings(3, 4);
  EXPECT_EQ(view.MacroText, "setxvalue (3);\r\nsetyvalue (4);\r\n");
  EXPECT_TRUE(doc.IsModified());

  view.MacroText.clear();
  view.ApplyGroupColumnSettings({2, 5});
  EXPECT_TRUE(doc.GroupColumn(5));
  EXPECT_EQ(view.MacroText.rfind("setonefactor (1,false);\r\nsetonefactor (2,true);\r\nsetonefactor (3,false);\r\n", 0), 0u);
  std::size_t statements = 0;
  for (std::size_t at = 0; (at = view.MacroText.find("setonefactor", at)) != std::string::npos; ++at) ++statements;
  EXPECT_EQ(statements, 100u);

  view.MacroText.clear();
  view.ApplyMultipleRegressionSettings(1, {2, 3}, 0, 7.0, 1.5, 0.3, 1.0);
  EXPECT_EQ(doc.Settings().FIn, 2.0);
  EXPECT_EQ(doc.Settings().FOut, 1.5);
  EXPECT_EQ(doc.Settings().PIn, 0.3);
  EXPECT_EQ(doc.Settings().POut, 0.2);
  EXPECT_EQ(view.MacroText.substr(view.MacroText.find("setmultiradio")),
            "setmultiradio (0);\r\nsetfin (2.000000);\r\nsetfout (1.500000);\r\nsetpin (0.300000);\r\n"
            "setpout (0.200000);\r\n");
  EXPECT_EQ(view.MacroText.rfind("setmultiyvalue (1);\r\nsetmultixvalue (1,false);\r\nsetmultixvalue (2,true);\r\n", 0), 0u);

  view.MacroText.clear();
  view.ApplyDiscriminantSettings({1, 2}, {3, 4});
  EXPECT_EQ(view.MacroText.rfind("sethanbetux (1,1);\r\nsethanbetuy (1,3);\r\nsethanbetux (2,2);\r\n", 0), 0u);
  EXPECT_NE(view.MacroText.find("sethanbetux (15,0);\r\nsethanbetuy (15,0);\r\n"), std::string::npos);

  view.MacroText.clear();
  view.ApplyObjectDataOption(true);
  view.ApplyPcaSettings({7});
  view.EnterTwowayGrid();
  view.ApplyTwowayGridCell(2, 3, 9);
  view.ApplyTwowayLabelA(1, "男性");
  view.ApplyTwowayLabelB(2, "B2");
  EXPECT_TRUE(doc.IncludeDataInResult());
  EXPECT_TRUE(doc.PcaColumn(7));
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kTwowayGrid);
  EXPECT_EQ(doc.TwowayGridCell(2, 3), 9);
  EXPECT_NE(view.MacroText.find("setdatatoresult (true);\r\nsetshuseibun (1,false);\r\n"), std::string::npos);
  EXPECT_NE(view.MacroText.find("twofactor();\r\nsettwofactor (2,3,9);\r\nsettwofactorlabela (1,\"男性\");\r\n"
                                "settwofactorlabelb (2,\"B2\");\r\n"),
            std::string::npos);

  // Nothing is recorded while not recording.
  view.IsRecording = false;
  view.MacroText.clear();
  view.ApplyTwoGroupSettings(1, 2);
  EXPECT_EQ(view.MacroText, "");
}

}  // namespace
}  // namespace orvel
