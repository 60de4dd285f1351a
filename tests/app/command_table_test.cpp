// The command table: its rows are consistent, every keyword reaches the handler of its own
// command (which records that keyword), and docs/batch.md lists the commands as the table does.
#include "app/command_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/orvel_view.h"
#include "macro/keywords.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::ScriptedPort;

// States that between them meet every availability rule that can be met.
std::vector<CommandState> SampleStates() {
  std::vector<CommandState> states;
  for (int mode = 0; mode <= 8; ++mode) {
    for (const bool recording : {false, true}) {
      CommandState s;
      s.display_mode = static_cast<DisplayKind>(mode);
      s.recording = recording;
      s.result_empty = false;
      s.clipboard_has_text = true;
      s.selection = {1, 1, 3, 3};  // reaches right of and below the anchor
      states.push_back(s);
      s.selection = {3, 3, 1, 1};  // left of and above it
      states.push_back(s);
    }
  }
  return states;
}

TEST(CommandTableTest, RowsAreComplete) {
  std::set<std::string_view> keywords;
  std::set<std::string> keys;
  std::set<std::pair<std::string_view, std::string_view>> entries;
  for (const CommandRow& row : CommandTable()) {
    SCOPED_TRACE(std::string(row.text));
    EXPECT_EQ(&Command(row.id), &row);
    EXPECT_FALSE(row.menu.empty());
    EXPECT_FALSE(row.prompt.empty()) << "every entry has a status prompt";
    EXPECT_TRUE(entries.emplace(row.menu, row.text).second) << "an entry appears once in its menu";
    // A row runs by its handler exactly when it says the core runs it.
    EXPECT_EQ(row.handler != nullptr, row.runner == CommandRunner::kCore);
    // The keywords that the window runs itself could not run in a macro or the batch runner.
    if (!row.keyword.empty()) {
      EXPECT_NE(row.runner, CommandRunner::kFrontEnd);
      EXPECT_TRUE(keywords.insert(row.keyword).second) << "keyword twice: " << row.keyword;
      EXPECT_EQ(MacroNameArgumentCount(row.keyword), 0) << "the compiler knows the keyword";
      EXPECT_EQ(CommandStatement(row.id), std::string(row.keyword) + "();\r\n");
    }
    std::string row_keys = std::string(row.accelerator) + "|" + std::string(row.more_keys);
    std::stringstream split(row_keys);
    for (std::string key; std::getline(split, key, '|');) {
      if (!key.empty()) {
        EXPECT_TRUE(keys.insert(key).second) << "key twice: " << key;
      }
    }
    // An availability rule that no state meets would leave the entry disabled for good.
    bool can_run = false;
    for (const CommandState& s : SampleStates()) can_run = can_run || IsCommandAvailable(row.availability, s);
    EXPECT_TRUE(can_run);
  }
  EXPECT_EQ(keywords.size(), MacroCommandKeywords().size());
  EXPECT_EQ(FindCommandByKeyword(""), nullptr);
  EXPECT_EQ(FindCommandByKeyword("Basic"), nullptr);  // keywords are case-sensitive
  EXPECT_EQ(FindCommandByKeyword("basic")->id, CommandId::kSummaryStatistics);
}

TEST(CommandTableTest, MenuPlainNames) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"Save Graph As Enhanced Meta File(&G)...", "Save Graph As Enhanced Meta File"},
      {"Print Pre&view", "Print Preview"},
      {"Fisher's Exact Test(2x2)(&E)", "Fisher's Exact Test(2x2)"},
      {"&Open...", "Open"},
      {"Oneway  Three Groups or More(&O)...", "Oneway  Three Groups or More"},
  };
  for (const auto& [text, name] : cases) EXPECT_EQ(MenuPlainName(text), name) << text;
}

class CommandKeywordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() / ("orvel_table_" + std::to_string(::getpid()) + "_" +
                                                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // A sheet every built command accepts: three complete integer columns flagged as groups,
  // the first two as the two groups, a 2x2 block selected from the first cell, a 2x2 twoway
  // grid on them, a result.
  static void FillSheet(CORVELDoc& doc) {
    const int values[6][3] = {{3, 5, 4}, {6, 2, 8}, {7, 9, 1}, {4, 8, 6}, {9, 3, 7}, {5, 6, 2}};
    for (int c = 1; c <= 3; ++c) {
      doc.SetCell(c, 0, "g" + std::to_string(c));
      for (int r = 1; r <= 6; ++r) doc.SetCell(c, r, std::to_string(values[r - 1][c - 1]));
      doc.SetGroupColumn(c, true);
    }
    doc.SetSelection(1, 1, 2, 2);
    doc.SetTwowayGridCell(1, 1, 1);
    doc.SetTwowayGridCell(2, 1, 2);
    doc.SetTwowayGridCell(1, 2, 3);
    doc.SetTwowayGridCell(2, 2, 1);
    doc.ResultText = "<<< Summary statistics >>>\n";
  }

  std::filesystem::path dir;
};

// Each keyword runs its own command: the handler it reaches records the same keyword. A keyword
// wired to another command's handler, or a handler recording another command's statement, fails.
TEST_F(CommandKeywordTest, EveryKeywordReachesItsHandler) {
  int built = 0;
  for (const CommandRow& row : CommandTable()) {
    if (row.keyword.empty()) continue;
    SCOPED_TRACE(std::string(row.keyword));
    CORVELDoc doc;
    ScriptedPort port;
    CORVELView view(doc, port);
    FillSheet(doc);
    // The two save commands record once a file was written; Paste once something was pasted.
    if (row.id == CommandId::kSaveDataSheetAsText || row.id == CommandId::kSaveResultAsText)
      port.QueueFile((dir / (std::string(row.keyword) + ".txt")).string());
    if (row.id == CommandId::kPaste) port.SetClipboardText("1\t2\r\n");
    if (row.id == CommandId::kSaveGraph) port.QueueFile((dir / "graph.svg").string());
    if (row.id == CommandId::kShowDataSheet) doc.DisplayMode = DisplayKind::kResult;
    if (row.id == CommandId::kMultipleRegressionAnalysis || row.id == CommandId::kLogisticRegressionAnalysis) {
      const bool logistic = row.id == CommandId::kLogisticRegressionAnalysis;
      for (int r = 1; r <= 6; ++r) doc.SetCell(4, r, r % 2 == 0 || r == 3 ? "1" : "0");
      doc.SetRegressionY(logistic ? 4 : 1);
      doc.SetRegressionXColumn(logistic ? 1 : 2, true);
      doc.SetRegressionXColumn(3, true);
    }
    if (row.id == CommandId::kScatterPlotMatrix) {
      doc.SetRegressionY(1);
      doc.SetRegressionXColumn(2, true);
      doc.SetRegressionXColumn(3, true);
    }
    if (row.id == CommandId::kPrincipalComponentAnalysis)
      for (int c = 1; c <= 3; ++c) doc.SetPcaColumn(c, true);
    if (row.id == CommandId::kDiscriminantAnalysis) {
      doc.SetDiscriminantSlot(1, 1, 1);
      doc.SetDiscriminantSlot(1, 2, 2);
      doc.SetDiscriminantSlot(2, 1, 3);
      doc.SetDiscriminantSlot(2, 2, 1);
    }
    view.IsRecording = true;
    ASSERT_TRUE(view.RunCommandKeyword(row.keyword));
    if (row.handler == nullptr) {
      EXPECT_EQ(port.Messages(), std::vector<std::string>{"ORVEL: This command is not available yet."});
      EXPECT_EQ(view.MacroText, "");
      continue;
    }
    ++built;
    EXPECT_TRUE(view.MacroText.ends_with(CommandStatement(row.id))) << view.MacroText;
    EXPECT_EQ(port.Messages(), std::vector<std::string>{});
  }
  EXPECT_GE(built, 35);

  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view(doc, port);
  EXPECT_FALSE(view.RunCommandKeyword("exit"));
  EXPECT_FALSE(view.RunCommandKeyword("BASIC"));
  EXPECT_TRUE(port.events.empty());
}

// docs/batch.md lists every command keyword with its menu command, in the table's order, and says
// which ones are still to come.
TEST(CommandTableTest, BatchDocumentationListsTheCommands) {
  std::ifstream in(std::filesystem::path(ORVEL_SOURCE_DIR) / "docs" / "batch.md");
  ASSERT_TRUE(in) << "docs/batch.md";
  std::vector<std::string> documented;
  bool in_section = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("## "))
      in_section = line == "## Command keywords";
    else if (in_section && line.starts_with("| `"))
      documented.push_back(line);
  }
  std::vector<std::string> expected;
  for (const CommandRow& row : CommandTable()) {
    if (row.keyword.empty()) continue;
    std::string menu = MenuPlainName(row.menu.substr(0, row.menu.find('/')));
    expected.push_back("| `" + std::string(row.keyword) + "` | " + menu + ": " + MenuPlainName(row.text) + " | " +
                       (row.handler != nullptr ? "yes" : "not yet") + " |");
  }
  EXPECT_EQ(documented, expected);
}

}  // namespace
}  // namespace orvel
