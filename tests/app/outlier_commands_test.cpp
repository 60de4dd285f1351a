// The flows of the outlier tests and of the random numbers table, with a clock the test sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analyses/outlier.h"
#include "app/orvel_view.h"
#include "app/outlier_dialogs.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

class ClockedPort : public ScriptedPort {
 public:
  std::int64_t CurrentTimeSeconds() const override { return now; }
  std::int64_t now = 1'733'650'000;
};

class OutlierCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { view.IsRecording = true; }
  CORVELDoc doc;
  ClockedPort port;
  CORVELView view{doc, port};
};

TEST_F(OutlierCommandsTest, OutlierTestsCheckTheAnchorColumn) {
  doc.SetCell(1, 1, "4");
  doc.SetCell(1, 2, "5");
  doc.SetCell(1, 3, "text");
  doc.SetAnchor(3, 0);
  view.OnSmirnovGrubbsTest();
  view.OnThompsonRejectionTest();
  doc.SetAnchor(3, 1);
  view.OnSmirnovGrubbsTest();
  view.OnThompsonRejectionTest();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{
                                 "FreeORVEL: Select a column but a label one.",
                                 "FreeORVEL: Select a column but a label one.",
                                 "FreeORVEL: Samples are too small.",
                                 "FreeORVEL: Samples are too small.",
                             }));
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(OutlierCommandsTest, OutlierTestsRunOnTheAnchorColumn) {
  for (int r = 1; r <= 3; ++r) doc.SetCell(2, r, std::to_string(r * r));
  doc.SetCell(2, 0, "sq");
  doc.SetAnchor(2, 2);
  view.OnSmirnovGrubbsTest();
  view.OnThompsonRejectionTest();
  EXPECT_EQ(doc.ResultText.rfind("\n\n<<< Smirnov-Grubbs' Test >>>\nCol2 : sq\n\nMaximum value(C2R3)   9.0000 ", 0), 0u);
  EXPECT_NE(doc.ResultText.find("\n\n<<< Thompson's Rejection Test >>>\nCol2 : sq\n\n"), std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nsmirnov();\r\nresultoption (0);\r\nthompson();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  // The second report starts at the top of the pane, after the nine lines of the first.
  EXPECT_DOUBLE_EQ(doc.Scroll.result_y, port.ResultLineHeight() * 9);
}

TEST_F(OutlierCommandsTest, RandomNumbersTableDialogPresetsAndRanges) {
  RandomNumbersDialog dialog;
  EXPECT_EQ(dialog.Title(), "Random Numbers Table");
  EXPECT_EQ(dialog.groups, 2);
  EXPECT_EQ(dialog.repetitions, 10);
  EXPECT_EQ(dialog.Accept(), "");
  EXPECT_FALSE(dialog.SetField("seed", "1"));
  EXPECT_FALSE(dialog.SetField("groups", "three"));
  for (const auto& [groups, repetitions, ok] : std::vector<std::tuple<int, int, bool>>{
           {2, 1, true}, {10, 30, true}, {1, 10, false}, {11, 10, false}, {5, 0, false}, {5, 31, false}}) {
    EXPECT_TRUE(dialog.SetField("groups", std::to_string(groups)));
    EXPECT_TRUE(dialog.SetField("repetitions", std::to_string(repetitions)));
    EXPECT_EQ(dialog.Accept().empty(), ok) << groups << " groups, " << repetitions << " repetitions";
  }
}

TEST_F(OutlierCommandsTest, RandomNumbersTableIsSeededByTheClock) {
  port.QueueDialog("Random Numbers Table", {{"groups", "4"}, {"repetitions", "5"}});
  view.OnRandomNumbersTable();
  ASSERT_EQ(port.events.size(), 1u);  // no Result Options dialog for an empty result
  EXPECT_EQ(port.events[0], (PortEvent{PortEvent::kDialog, "Random Numbers Table", ""}));
  CORVELDoc expected;
  RandomNumbersTableReport(expected, 4, 5, RandomSeedFromTime(port.now));
  EXPECT_EQ(doc.ResultText, expected.ResultText);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nrandom();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);

  // The same second repeats the table; another second gives another one.
  const std::string first = doc.ResultText;
  port.QueueDialog("Result Options", {{"choice", "2"}});
  port.QueueDialog("Random Numbers Table", {{"groups", "4"}, {"repetitions", "5"}});
  view.OnRandomNumbersTable();
  EXPECT_EQ(doc.ResultText, first);
  port.now += 1;
  port.QueueDialog("Result Options", {{"choice", "2"}});
  port.QueueDialog("Random Numbers Table", {{"groups", "10"}, {"repetitions", "30"}});
  view.OnRandomNumbersTable();
  CORVELDoc next;
  RandomNumbersTableReport(next, 10, 30, RandomSeedFromTime(port.now));
  EXPECT_EQ(doc.ResultText, next.ResultText);
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(OutlierCommandsTest, RandomNumbersTableRecordsEvenWhenCancelled) {
  doc.ResultText = "earlier\n";
  port.QueueDialog("Result Options", {{"choice", "0"}});
  port.QueueDialog("Random Numbers Table", {}, /*ok=*/false);
  view.OnRandomNumbersTable();
  EXPECT_EQ(doc.ResultText, "earlier\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nrandom();\r\n");

  // Cancelling the Result Options step stops before the dialog and records nothing.
  view.MacroText.clear();
  port.events.clear();
  port.QueueDialog("Result Options", {}, /*ok=*/false);
  view.OnRandomNumbersTable();
  EXPECT_EQ(port.events.size(), 1u);
  EXPECT_EQ(view.MacroText, "");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(OutlierCommandsTest, RandomNumbersTableWithThePresets) {
  view.OnRandomNumbersTable();  // the dialog accepted as it opens: 2 groups, 10 repetitions
  EXPECT_NE(doc.ResultText.find("Random numbers from 0 to 1(The number of repetitions is 10)\n"), std::string::npos);
}

}  // namespace
}  // namespace orvel
