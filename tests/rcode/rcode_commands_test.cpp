#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <algorithm>

#include "app/command_table.h"
#include "app/orvel_view.h"
#include "app/rcode_dialogs.h"
#include "rcode/rcode_generator.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::ScriptedPort;

constexpr const char* kCopied =
    "FreeORVEL: Source code written in R language has been copied to clipboard. Run R and select paste in Edit "
    "menu.";

// A port whose clipboard refuses large texts and whose desktop may have a browser.
class RCodePort : public ScriptedPort {
 public:
  bool SetClipboardText(const std::string& text) override {
    if (refuse_clipboard) return false;
    ++clipboard_writes;
    return ScriptedPort::SetClipboardText(text);
  }
  bool OpenWebPage(const std::string& url) override {
    opened.push_back(url);
    return has_browser;
  }
  bool refuse_clipboard = false;
  bool has_browser = true;
  int clipboard_writes = 0;
  std::vector<std::string> opened;
};

class RCodeCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int r = 1; r <= 3; ++r) {
      doc.SetCell(1, r, std::to_string(r));
      doc.SetCell(2, r, std::to_string(r * r));
    }
    doc.SetCell(1, 0, "A");
    doc.SetCell(2, 0, "B");
    doc.ResultText = "earlier result\n";
  }

  CORVELDoc doc{101};
  RCodePort port;
  CORVELView view{doc, port};
};

TEST_F(RCodeCommandsTest, CopiedCodeHasCrLfLineEndsAndNothingElseChanges) {
  view.IsRecording = true;  // the menu is off then, but a command run anyway is not recorded
  port.QueueDialog("Box Plot", {{"columns", "2,1"}});
  EXPECT_TRUE(view.OnRCodeCommand(RCodeCommand::kBoxPlot));
  const std::string code = "\nA<-c(1,2,3)\n\nB<-c(1,4,9)\n\nboxplot(A,B)\n";
  EXPECT_EQ(doc.RCodeText, code);
  EXPECT_EQ(port.ClipboardText(), "\r\nA<-c(1,2,3)\r\n\r\nB<-c(1,4,9)\r\n\r\nboxplot(A,B)\r\n");
  EXPECT_EQ(port.Messages(), std::vector<std::string>{kCopied});
  EXPECT_EQ(doc.ResultText, "earlier result\n");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
}

TEST_F(RCodeCommandsTest, CancelRefusalAndNoCopyLeaveTheClipboardAlone) {
  port.SetClipboardText("kept");
  port.clipboard_writes = 0;
  doc.RCodeText = "old code";
  // Cancelled picker: nothing shown, the old code emptied.
  port.QueueDialog("Histogram", {}, false);
  EXPECT_FALSE(view.OnRCodeCommand(RCodeCommand::kHistogram));
  EXPECT_EQ(doc.RCodeText, "");
  EXPECT_TRUE(port.Messages().empty());
  // A refused check: its message titled ORVEL; the code built before the check is kept.
  doc.ClearCell(2, 2);
  port.QueueDialog("Friedman Rank Sum Test", {{"columns", "1,2"}});
  EXPECT_FALSE(view.OnRCodeCommand(RCodeCommand::kFriedmanTest));
  EXPECT_EQ(port.Messages(),
            std::vector<std::string>{"ORVEL: The selected columns are not related. Data setting is not correct."});
  EXPECT_EQ(doc.RCodeText, "\nA<-c(1,2,3)\n\nB<-c(1,9)\n");
  // A logistic model without explanatory variables: built, not copied, nothing shown.
  port.events.clear();
  port.QueueDialog("Logistic Regression Analysis", {{"dependent", "1"}});
  EXPECT_FALSE(view.OnRCodeCommand(RCodeCommand::kLogisticRegression));
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_NE(doc.RCodeText, "");
  EXPECT_EQ(port.clipboard_writes, 0);
  EXPECT_EQ(port.ClipboardText(), "kept");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(RCodeCommandsTest, AClipboardThatTakesNothingIsReported) {
  port.refuse_clipboard = true;
  doc.SetSelection(1, 1, 2, 2);
  EXPECT_FALSE(view.OnRCodeCommand(RCodeCommand::kFisherExactTest));  // no picker: the selection
  EXPECT_EQ(port.Messages(), std::vector<std::string>{"FreeORVEL: It is too large to copy to clipboard."});
  EXPECT_TRUE(port.events.size() == 1u);
}

TEST_F(RCodeCommandsTest, HowToUseAndDownloadR) {
  view.OnRCodeHowToUse();
  view.OnDownloadR();
  EXPECT_EQ(port.opened, std::vector<std::string>{"https://cran.r-project.org/"});
  port.has_browser = false;
  view.OnDownloadR();
  EXPECT_EQ(port.Messages(),
            (std::vector<std::string>{
                "FreeORVEL: Select a command, and R code is created and copied onto clipboard. Run R and select its "
                "paste command to analyze.\n\nSelect cells in advance for Fisher's Exact Test and Chi-squared "
                "Test.\n\nLabel rows are used for variable names in R.",
                "FreeORVEL: No web browser could be opened. R can be downloaded from https://cran.r-project.org/."}));
}

TEST(RColumnPickerDialogTest, FieldsByLayout) {
  struct Case {
    RCodeCommand command;
    std::string key, value;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {RCodeCommand::kBoxPlot, "columns", "1,3, 5", true},
      {RCodeCommand::kBoxPlot, "columns", "", true},
      {RCodeCommand::kBoxPlot, "columns", "0", false},
      {RCodeCommand::kBoxPlot, "columns", "101", false},
      {RCodeCommand::kBoxPlot, "columns", "1,,2", false},
      {RCodeCommand::kBoxPlot, "columns", "a", false},
      {RCodeCommand::kBoxPlot, "x", "1", false},
      {RCodeCommand::kPairedTTest, "x", "100", true},
      {RCodeCommand::kPairedTTest, "y", "0", false},
      {RCodeCommand::kPairedTTest, "columns", "1", false},
      {RCodeCommand::kAnova, "dependent", "4", true},
      {RCodeCommand::kAnova, "columns", "2,3", true},
      {RCodeCommand::kAnova, "column", "2", false},
      {RCodeCommand::kHistogram, "column", "7", true},
      {RCodeCommand::kHistogram, "column", "0", true},  // none chosen
      {RCodeCommand::kHistogram, "column", "1.5", false},
      {RCodeCommand::kHistogram, "columns", "7", false},
  };
  for (const Case& c : cases) {
    RColumnPickerDialog dialog(RCodeCommandInfoOf(c.command));
    EXPECT_EQ(dialog.SetField(c.key, c.value), c.accepted) << dialog.Title() << " " << c.key << "=" << c.value;
  }
  RColumnPickerDialog list(RCodeCommandInfoOf(RCodeCommand::kBartlettTest));
  EXPECT_FALSE(list.SetField("columns", "3,1,3"));  // a list holds a column once
  ASSERT_TRUE(list.SetField("columns", "3,1"));
  EXPECT_EQ(list.Picks().columns, (std::vector<int>{3, 1}));
  RColumnPickerDialog xy(RCodeCommandInfoOf(RCodeCommand::kFTest));
  EXPECT_EQ(xy.Picks().x, 1);
  EXPECT_EQ(xy.Picks().y, 2);
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// The menu's rows and the generator's commands name the same commands in the same order, so
// --rcode names and the menu cannot drift apart.
TEST(RCodeCommandRowsTest, MenuRowsMatchTheGeneratorsCommands) {
  std::vector<std::string> menu_names;
  for (const CommandRow& row : CommandTable())
    if (row.menu.starts_with("&R Language") && row.id != CommandId::kRHowToUse && row.id != CommandId::kRDownload) {
      menu_names.push_back(MenuPlainName(row.text));
      EXPECT_EQ(row.runner, CommandRunner::kCore) << row.text;
      EXPECT_TRUE(row.keyword.empty()) << row.text << ": R commands are never recorded";
      EXPECT_EQ(row.availability, CommandKind::kNotRecording) << row.text;
    }
  std::vector<std::string> generator_names;
  for (const RCodeCommandInfo& info : RCodeCommandTable()) {
    generator_names.push_back(info.name);
    const auto row = std::find_if(CommandTable().begin(), CommandTable().end(),
                                  [&info](const CommandRow& r) {
                                    return r.menu.starts_with("&R Language") && r.text == info.menu_text;
                                  });
    ASSERT_NE(row, CommandTable().end()) << info.menu_text;
    EXPECT_EQ(row->menu == "&R Language/&Graph", info.graph_submenu) << info.menu_text;
  }
  EXPECT_EQ(menu_names, generator_names);
}

}  // namespace
}  // namespace orvel
