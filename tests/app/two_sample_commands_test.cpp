// The flows of the two-sample test commands: checks and messages in their order, the pairing
// question, the Result Options step and the recorded statements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

class TwoSampleCommandsTest : public ::testing::Test {
 protected:
  void Fill(int c, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
      if (!values[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, values[i]);
  }
  // A refused command shows its message and leaves everything as it was.
  void ExpectRefused(const std::string& message) {
    EXPECT_EQ(port.Messages(), std::vector<std::string>{message});
    EXPECT_EQ(doc.ResultText, "earlier\n");
    EXPECT_EQ(view.MacroText, "");
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
    EXPECT_FALSE(doc.IsModified());
  }
  void SetUp() override {
    view.IsRecording = true;
    doc.ResultText = "earlier\n";
  }
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(TwoSampleCommandsTest, FTestAndUnpairedTestNeedThreeValuesInEachColumn) {
  Fill(1, {"1", "2", "3"});
  Fill(2, {"4", "5", "x"});
  view.OnFTest();
  view.OnUnpairedTTest();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: Samples are too small.",
                                                       "FreeORVEL: Samples are too small."}));
  EXPECT_EQ(doc.ResultText, "earlier\n");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(TwoSampleCommandsTest, FTestRunsAndRecords) {
  Fill(1, {"1", "2", "3", "5"});
  Fill(2, {"4", "5", "6"});
  port.QueueDialog("Result Options", {{"choice", "2"}});
  view.OnFTest();
  EXPECT_EQ(doc.ResultText.rfind("\n\n<<< F Test >>>\n\nX:Col1 \tY:Col2 \n\n[Two-sided Test]\n\n", 0), 0u);
  EXPECT_EQ(view.MacroText, "resultoption (2);\r\nf();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(port.repaints, 1);
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(TwoSampleCommandsTest, UnpairedTestUsesEveryValidCell) {
  Fill(1, {"1", "", "3", "5", "7"});
  Fill(2, {"4", "5", "6", "x"});
  view.OnUnpairedTTest();
  EXPECT_EQ(port.events.size(), 1u);  // only the Result Options dialog: no pairing question
  EXPECT_NE(doc.ResultText.find("Col1\t4\t"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("Col2\t3\t"), std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nunpairedt();\r\n");
}

TEST_F(TwoSampleCommandsTest, ResultOptionsCancelStopsWithoutAReport) {
  Fill(1, {"1", "2", "3"});
  Fill(2, {"4", "5", "7"});
  for (auto handler : {&CORVELView::OnFTest, &CORVELView::OnUnpairedTTest, &CORVELView::OnPairedTTest,
                       &CORVELView::OnGoodnessOfFitTest}) {
    port.QueueDialog("Result Options", {}, /*ok=*/false);
    (view.*handler)();
  }
  EXPECT_EQ(doc.ResultText, "earlier\n");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(TwoSampleCommandsTest, BartlettNeedsThreeGroupColumns) {
  Fill(1, {"1", "2", "3"});
  Fill(2, {"2", "4", "9"});
  Fill(3, {"5", "6", "8"});
  doc.SetGroupColumn(1, true);
  doc.SetGroupColumn(3, true);
  view.OnBartlettTest();
  ExpectRefused("ORVEL: Data setting for three groups or more is required.");

  doc.SetGroupColumn(2, true);
  view.OnBartlettTest();
  EXPECT_EQ(doc.ResultText.rfind("earlier\n\n\n<<< Bartlett Test >>>\n\nSelected Columns\nCol1:\nCol2:\nCol3:\n\nB=", 0), 0u);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nbartlett();\r\n");
}

TEST_F(TwoSampleCommandsTest, PairedTestAsksBeforeSkippingRows) {
  Fill(1, {"1", "2", "3", "4"});
  Fill(2, {"2", "", "5", "4"});
  const std::string question = "X and Y are not paired. Will you skip the rows with missing values?";

  port.QueueCancel();
  view.OnPairedTTest();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0], (PortEvent{PortEvent::kQuestion, "ORVEL", question}));
  EXPECT_EQ(doc.ResultText, "earlier\n");
  EXPECT_EQ(view.MacroText, "");

  port.events.clear();
  port.QueueAnswer(true);
  port.QueueDialog("Result Options", {{"choice", "2"}});
  view.OnPairedTTest();
  ASSERT_EQ(port.events.size(), 2u);
  EXPECT_EQ(port.events[0].kind, PortEvent::kQuestion);
  EXPECT_EQ(port.events[1], (PortEvent{PortEvent::kDialog, "Result Options", ""}));
  const std::string note = "\nThe following rows were skipped because they have missing values.\nRow 2\n";
  ASSERT_GE(doc.ResultText.size(), note.size());
  EXPECT_EQ(doc.ResultText.substr(doc.ResultText.size() - note.size()), note);
  EXPECT_NE(doc.ResultText.find("Col1\t3\t"), std::string::npos);
  EXPECT_TRUE(doc.IsNumeric(1, 2));  // the skipped row is back
  EXPECT_EQ(view.MacroText, "resultoption (2);\r\npairedt();\r\n");
}

TEST_F(TwoSampleCommandsTest, PairedTestOnCompleteDataAsksNothing) {
  Fill(1, {"1", "2", "3"});
  Fill(2, {"2", "2", "5"});
  doc.ResultText.clear();
  view.OnPairedTTest();
  EXPECT_TRUE(port.events.empty());
  EXPECT_EQ(doc.ResultText.find("The following rows"), std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\npairedt();\r\n");
}

TEST_F(TwoSampleCommandsTest, PairedTestNeedsTwoCompletePairs) {
  Fill(1, {"1", "2", ""});
  Fill(2, {"4", "", "5"});
  view.OnPairedTTest();
  ExpectRefused("FreeORVEL: Samples are too small.");
  EXPECT_EQ(port.events.size(), 1u);  // refused before the question
}

TEST_F(TwoSampleCommandsTest, GoodnessOfFitChecksInOrder) {
  Fill(1, {"10", "20", "30"});
  Fill(2, {"15", "0", ""});
  view.OnGoodnessOfFitTest();
  ExpectRefused("ORVEL: X and Y are not paired. Input observed frequency into X and expected frequency into Y.");

  port.events.clear();
  doc.SetCell(2, 3, "25");
  view.OnGoodnessOfFitTest();
  // Refused before the Result Options step.
  ExpectRefused("FreeORVEL: Expected frequencies must be greater than 0.");

  port.events.clear();
  doc.SetCell(2, 2, "20");
  view.OnGoodnessOfFitTest();
  EXPECT_TRUE(port.Messages().empty());
  EXPECT_NE(doc.ResultText.find("<<< Goodness-of-fit test >>>"), std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\ntekigoudo();\r\n");
}

TEST_F(TwoSampleCommandsTest, MacroKeywordsRunTheCommandsWithoutDialogs) {
  Fill(1, {"1", "2", "3", "4"});
  Fill(2, {"2", "3", "5", "4"});
  Fill(3, {"3", "1", "4", "9"});
  for (int c : {1, 2, 3}) doc.SetGroupColumn(c, true);
  view.IsRecording = false;
  const MacroRunResult result = view.RunMacroText("f();\r\npairedt();\r\nunpairedt();\r\nbartlett();\r\ntekigoudo();\r\n");
  (void)result;
  EXPECT_TRUE(port.events.empty());
  std::size_t at = 0;
  for (const char* title : {"<<< F Test >>>", "<<< Paired t-test >>>", "<<< Unpaired t-test >>>",
                            "<<< Bartlett Test >>>", "<<< Goodness-of-fit test >>>"}) {
    at = doc.ResultText.find(title, at);
    EXPECT_NE(at, std::string::npos) << title;
  }
}

}  // namespace
}  // namespace orvel
