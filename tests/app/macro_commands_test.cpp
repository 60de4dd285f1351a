#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/dialogs.h"
#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

class MacroCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("orvel_macro_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  MacroRunResult Run(std::string_view text) { return view.RunMacroText(text); }

  std::filesystem::path dir;
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(MacroCommandsTest, StartAndEndRecording) {
  port.QueueDialog("Explanation for Record Macro", {{"text", "Heights of 2026"}});
  view.OnStartMacroRecord();
  EXPECT_TRUE(view.IsRecording);
  EXPECT_EQ(view.MacroText, "message(\"Heights of 2026\");\r\ndatainput;\r\n");
  view.ApplyTwoGroupSettings(2, 3);
  port.QueueAnswer(false);  // do not save
  view.OnEndMacroRecord();
  EXPECT_FALSE(view.IsRecording);
  EXPECT_EQ(view.MacroText, "message(\"Heights of 2026\");\r\ndatainput;\r\nsetxvalue (2);\r\nsetyvalue (3);\r\n");

  port.QueueDialog("Explanation for Record Macro", {}, /*ok=*/false);
  view.OnStartMacroRecord();
  EXPECT_EQ(view.MacroText, "datainput;\r\n");
  doc.SetCell(1, 1, "12.5");
  doc.CellEditStarted = 1;
  port.QueueAnswer(true);
  port.QueueFile(Path("m.ovm"));
  view.OnEndMacroRecord();
  EXPECT_EQ(Read(Path("m.ovm")), "datainput;\r\ncell(1,1)=\"12.5\";\r\n");
  EXPECT_EQ(port.events.back().text, "macro.ovm");
  EXPECT_TRUE(port.AllAnswersUsed());
}

// The explanation goes between the double quotes of a message statement: a quote or a line
// break in it would leave a recording that cannot be replayed, so OK refuses them.
TEST_F(MacroCommandsTest, TheExplanationRefusesWhatItsStatementCannotHold) {
  ExplanationDialog dialog;
  for (const char* bad : {"5\" screws", "\"", "two\nlines", "cr\r"}) {
    ASSERT_TRUE(dialog.SetField("text", bad));
    EXPECT_EQ(dialog.Accept(), ExplanationDialog::kBadText) << bad;
  }
  for (const char* good : {"", "Heights (cm), 'first' year; n=12 // all"}) {
    ASSERT_TRUE(dialog.SetField("text", good));
    EXPECT_EQ(dialog.Accept(), "") << good;
  }
}

// The macro file dialogs: Run Macro and Convert open with their own filters; End Macro Record
// and Convert save as "macro.ovm", asking before overwriting.
TEST_F(MacroCommandsTest, MacroFileDialogsAskWithTheirFiltersAndNames) {
  const std::string macro_filter = "ORVEL macro file(*.ovm)|*.ovm|";
  const auto expect_request = [&](std::size_t i, const std::string& title, const std::string& filter,
                                  const std::string& name, const std::string& extension, bool overwrite) {
    SCOPED_TRACE(i);
    ASSERT_LT(i, port.file_requests.size());
    const FileDialogRequest& r = port.file_requests[i];
    EXPECT_EQ(r.title, title);
    EXPECT_EQ(r.filter, filter);
    EXPECT_EQ(r.default_name, name);
    EXPECT_EQ(r.default_extension, extension);
    EXPECT_EQ(r.confirm_overwrite, overwrite);
  };
  EXPECT_FALSE(view.OnRunMacro().has_value());
  expect_request(0, "Open", macro_filter, "", "ovm", false);

  port.QueueDialog("Explanation for Record Macro", {}, /*ok=*/false);
  view.OnStartMacroRecord();
  view.OnEndMacroRecord();  // the question is answered OK, the save dialog cancelled
  expect_request(1, "Save As", macro_filter, "macro.ovm", "ovm", true);
  ASSERT_GE(port.events.size(), 2u);
  EXPECT_EQ(port.events[port.events.size() - 2],
            (PortEvent{PortEvent::kQuestion, "FreeORVEL", "Will you save the present macro record?"}));

  {
    std::ofstream(Path("old.ovx"), std::ios::binary) << "basic;\r\n";
  }
  port.QueueFile(Path("old.ovx"));
  view.OnConvertPreviousMacroFiles();
  expect_request(2, "Open", "Previous ORVEL macro file(*.ovx)|*.ovx|", "", "ovx", false);
  expect_request(3, "Save As", macro_filter, "macro.ovm", "ovm", true);
  EXPECT_EQ(port.Messages().back(),
            "FreeORVEL: File conversion has been completed. Save the macro with a new format( .ovm).");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(MacroCommandsTest, ARecordingReplaysToTheSameResult) {
  for (int r = 1; r <= 8; ++r) doc.SetCell(2, r, std::to_string(r * r));
  view.OnStartMacroRecord();
  view.ApplyTwoGroupSettings(2, 3);
  doc.SetAnchor(1, 2);
  view.OnSummaryStatistics();
  port.QueueAnswer(false);
  view.OnEndMacroRecord();
  const std::string recorded = view.MacroText;
  const std::string report = doc.ResultText;

  doc.ResultText.clear();
  doc.ClearDataSettings();
  doc.SetAnchor(1, 2);
  ASSERT_EQ(Run(recorded).end, MacroRunEnd::kFinished);
  EXPECT_EQ(doc.TwoGroupX(), 2);
  EXPECT_EQ(doc.TwoGroupY(), 3);
  EXPECT_EQ(doc.ResultText, report);
  EXPECT_FALSE(view.IsRunningMacro);
}

TEST_F(MacroCommandsTest, SheetAndSettingKeywords) {
  doc.Scroll.sheet_x = 86;
  Run("selectcell (150,0)::(2,99999); setcolwidth (3,4); setcolwidth (101,50);"
      "setonefactor (5,true); setonefactor (6,2); decsheetxpos (500); incsheetypos (40);"
      "cell(1,2)=\"123456789012345678901\"; cell(0,1)=\"label\"; cell(2,1)=\"abc\";"
      "setfin (3.5); setmultiradio (7); sethanbetux (2,9); settwofactor (1,2,3);"
      "settwofactorlabela (1,\"男性\"); setdatatoresult (true);");
  const Selection& s = doc.GetSelection();
  EXPECT_EQ(s.anchor_column, 100);
  EXPECT_EQ(s.anchor_row, 0);
  EXPECT_EQ(s.end_column, 2);
  EXPECT_EQ(s.end_row, doc.RowCount() - 1);
  EXPECT_EQ(doc.ColumnWidth(3), 10);
  EXPECT_EQ(doc.ColumnWidth(100), 86);
  EXPECT_TRUE(doc.GroupColumn(5));
  EXPECT_FALSE(doc.GroupColumn(6));
  EXPECT_EQ(doc.Scroll.sheet_x, 0);
  EXPECT_EQ(doc.Scroll.sheet_y, 40);
  EXPECT_EQ(doc.Text(1, 2), "1234567890123456789");
  EXPECT_EQ(doc.Text(0, 1), "label");
  EXPECT_EQ(doc.Text(2, 1), "");
  EXPECT_EQ(doc.Settings().FIn, 3.5);
  EXPECT_EQ(doc.RegressionMethod(), 2);
  EXPECT_EQ(doc.DiscriminantSlot(1, 2), 9);
  EXPECT_EQ(doc.TwowayGridCell(1, 2), 3);
  EXPECT_EQ(doc.TwowayLabelA(1), "男性");
  EXPECT_TRUE(doc.IncludeDataInResult());

  Run("cleardata;");
  EXPECT_FALSE(doc.GroupColumn(5));
  EXPECT_FALSE(doc.IncludeDataInResult());
  EXPECT_EQ(doc.GetSelection().anchor_column, 1);
  EXPECT_EQ(doc.Text(0, 1), "label");  // cells are kept
  EXPECT_EQ(doc.ColumnWidth(3), 10);
}

TEST_F(MacroCommandsTest, CommandKeywordsRunTheMenuHandlers) {
  for (int r = 1; r <= 5; ++r) doc.SetCell(1, r, std::to_string(r));
  doc.ResultText = "old\n";
  Run("resultoption (2); basic; scatterm(); datainput;");
  EXPECT_EQ(doc.ResultText.rfind("\n<<< Summary statistics >>>", 0), 0u);
  // scatterm's own check: no explanatory variables are set.
  EXPECT_EQ(port.Messages(), std::vector<std::string>{"FreeORVEL: Data setting is not correct."});
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_EQ(view.MacroResultOption, 0);  // reset when the run ends
  for (const PortEvent& e : port.events) EXPECT_NE(e.kind, PortEvent::kDialog);

  // The macro's own dialogs still appear and are answered.
  port.events.clear();
  port.QueueDialog("Setting for Frequency Distribution", {{"classes", "5"}});
  Run("dosuu();");
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_NE(doc.ResultText.find("<<<Frequency distribution>>>"), std::string::npos);
}

TEST_F(MacroCommandsTest, RunMacroFileAndConversion) {
  EXPECT_FALSE(view.OnRunMacro().has_value());  // dialog cancelled
  {
    std::ofstream(Path("a.ovm"), std::ios::binary) << "cell(1,1)=\"5\";\r\n// cell(1,2)=\"6\";\r\n";
  }
  port.QueueFile(Path("a.ovm"));
  const auto result = view.OnRunMacro();
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(doc.Text(1, 1), "5");
  EXPECT_EQ(doc.Text(1, 2), "");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_FALSE(view.OnRunMacro(Path("missing.ovm")).has_value());
  EXPECT_EQ(port.Messages().size(), 1u);

  {
    std::ofstream(Path("old.ovx"), std::ios::binary) << "cell(1,3)=7;\r\nbasic;\r\n";
  }
  port.QueueFile(Path("old.ovx"));
  port.QueueFile(Path("new.ovm"));
  view.OnConvertPreviousMacroFiles();
  EXPECT_EQ(Read(Path("new.ovm")), "cell(1,3)=\"7\";\nbasic();\n");
  EXPECT_EQ(port.Messages().back(),
            "FreeORVEL: File conversion has been completed. Save the macro with a new format( .ovm).");

  // A line that cannot be converted is named instead of completion; the rest is still saved.
  {
    std::ofstream(Path("old.ovx"), std::ios::binary) << "datainput; basic;\r\nmessage=unended\r\n";
  }
  port.QueueFile(Path("old.ovx"));
  port.QueueFile(Path("new.ovm"));
  view.OnConvertPreviousMacroFiles();
  EXPECT_EQ(Read(Path("new.ovm")), "datainput(); basic();\nmessage=unended\r\n");
  EXPECT_EQ(port.Messages().back(),
            "FreeORVEL: Line 2 cannot be converted and is left as written. Save the macro with a new "
            "format( .ovm) and correct it.");
}

TEST_F(MacroCommandsTest, ErrorsAndStopsReachThePort) {
  EXPECT_EQ(Run("cell(1,1)=\"1\"; nosuchthing; cell(1,2)=\"2\";").end, MacroRunEnd::kError);
  EXPECT_EQ(doc.Text(1, 1), "1");
  EXPECT_EQ(doc.Text(1, 2), "");
  ASSERT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(port.Messages()[0], "ORVEL: 関数名 nosuchthing は未知の名前です。");
  EXPECT_EQ(view.RunMacroText("#i=0; while (#i<1) {#i=#i;}", 5000).end, MacroRunEnd::kStepLimit);
}

}  // namespace
}  // namespace orvel
