#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/correlation_dialogs.h"
#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

constexpr const char* kXYQuestion = "X and Y are not paired. Will you skip the rows with missing values?";
constexpr const char* kGroupQuestion = "There are missing values. Will you skip the rows with the missing values?";

class CorrelationCommandsTest : public ::testing::Test {
 protected:
  void Column(int c, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (!cells[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, cells[i]);
  }
  void PairedData() {
    Column(1, {"1", "2", "3", "4", "5"});
    Column(2, {"1.2", "2.9", "4.1", "4.8", "5.6"});
  }

  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

struct XYCommand {
  void (CORVELView::*run)();
  const char* title;
  const char* statement;
};

TEST_F(CorrelationCommandsTest, XYCommandsAskBeforeResultOptions) {
  const XYCommand commands[] = {
      {&CORVELView::OnRegressionLine, "\n<<< Regression Line >>>", "kaikichokusen();\r\n"},
      {&CORVELView::OnSpearmanRankCorrelation, "\n\n<<< Spearman's Rank Correlation >>>", "spearmanrank();\r\n"},
      {&CORVELView::OnKendallRankCorrelation, "\n<<< Kendall's Rank Correlation >>>", "kendallrank();\r\n"},
  };
  Column(1, {"1", "2", "", "4", "5", "6"});
  Column(2, {"2", "1", "3", "5", "4", "6"});
  view.IsRecording = true;
  for (const XYCommand& command : commands) {
    doc.ResultText = "earlier\n";
    view.MacroText.clear();
    port.events.clear();
    // Cancel in the question: nothing happens.
    port.QueueCancel();
    (view.*command.run)();
    ASSERT_EQ(port.events.size(), 1u);
    EXPECT_EQ(port.events[0], (PortEvent{PortEvent::kQuestion, "ORVEL", kXYQuestion}));
    EXPECT_EQ(doc.ResultText, "earlier\n");
    EXPECT_EQ(view.MacroText, "");
    // OK, then Result Options: the report follows the earlier result and skips row 3.
    port.QueueAnswer(true);
    port.QueueDialog("Result Options", {{"choice", "0"}});
    (view.*command.run)();
    ASSERT_EQ(port.events.size(), 3u);
    EXPECT_EQ(port.events[2].title, "Result Options");
    EXPECT_EQ(doc.ResultText.rfind(std::string("earlier\n") + command.title, 0), 0u) << command.title;
    EXPECT_NE(doc.ResultText.find("\nThe following rows were skipped because they have missing values.\nRow 3\n"),
              std::string::npos);
    EXPECT_TRUE(doc.IsNumeric(2, 3));
    EXPECT_EQ(view.MacroText, std::string("resultoption (0);\r\n") + command.statement);
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
    doc.DisplayMode = DisplayKind::kDataSheet;
  }
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(CorrelationCommandsTest, PairedDataAskNothing) {
  PairedData();
  view.OnRegressionLine();
  view.OnKendallRankCorrelation();
  EXPECT_TRUE(port.Messages().empty());
  // The second command meets a non-empty result: only its Result Options dialog.
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0].kind, PortEvent::kDialog);
  EXPECT_NE(doc.ResultText.find("y=1.070000x+0.510000\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("tau=1.000000\n\n[Two-sided Test]\np=0.014306*\n\n"), std::string::npos);
}

TEST_F(CorrelationCommandsTest, RegressionCurveDialog) {
  RegressionCurveDialog dialog;
  EXPECT_EQ(dialog.Title(), "Regression Curve");
  EXPECT_EQ(dialog.kind, 0);
  EXPECT_TRUE(dialog.SetField("kind", "5"));
  EXPECT_EQ(dialog.kind, 5);
  EXPECT_FALSE(dialog.SetField("kind", "6"));
  EXPECT_FALSE(dialog.SetField("kind", "-1"));
  EXPECT_FALSE(dialog.SetField("kind", "two"));
  EXPECT_FALSE(dialog.SetField("type", "1"));
  EXPECT_EQ(dialog.kind, 5);
  EXPECT_EQ(dialog.Accept(), "");
  dialog.kind = 9;
  EXPECT_NE(dialog.Accept(), "");
  EXPECT_STREQ(RegressionCurveDialog::kKindTexts[2], "y=a*x^b");
}

TEST_F(CorrelationCommandsTest, RegressionCurveChosenKind) {
  PairedData();
  view.IsRecording = true;
  port.QueueDialog("Regression Curve", {{"kind", "4"}});
  view.OnRegressionCurve();
  ASSERT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0].title, "Regression Curve");
  EXPECT_EQ(doc.ResultText.rfind("\n\n<<< Regression Curve >>>\n\nX : Col1 \nY : Col2 \ny=1.121247exp(0.358480x)\n", 0),
            0u);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nkaikikyokusen();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(doc.Value(2, 1), 1.2);  // the logarithms lasted only for the computation
  // The preset is the first kind.
  view.OnRegressionCurve();
  EXPECT_NE(doc.ResultText.find("y=6.231536log(x)+1.128701\n"), std::string::npos);
}

TEST_F(CorrelationCommandsTest, RegressionCurveCancelStillRecords) {
  PairedData();
  view.IsRecording = true;
  port.QueueDialog("Regression Curve", {}, /*ok=*/false);
  view.OnRegressionCurve();
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nkaikikyokusen();\r\n");
  // Cancel in the pairing question records nothing.
  view.MacroText.clear();
  doc.ClearCell(2, 5);
  port.QueueCancel();
  view.OnRegressionCurve();
  EXPECT_EQ(view.MacroText, "");
  EXPECT_EQ(port.events.back(), (PortEvent{PortEvent::kQuestion, "ORVEL", kXYQuestion}));
}

TEST_F(CorrelationCommandsTest, RegressionCurveDomainRefusals) {
  Column(1, {"-1", "2", "3", "4"});
  Column(2, {"0", "2", "3", "5"});
  view.IsRecording = true;
  const auto refused = [&](int kind) {
    port.events.clear();
    port.QueueDialog("Regression Curve", {{"kind", std::to_string(kind)}});
    view.OnRegressionCurve();
    const std::vector<std::string> messages = port.Messages();
    return messages.size() == 1 ? messages[0] : std::string("none");
  };
  EXPECT_EQ(refused(0), "FreeORVEL: It's impossible to calculate because of some negative numbers in column X.");
  EXPECT_EQ(refused(1), "FreeORVEL: It's impossible to calculate because of some negative numbers in column X.");
  EXPECT_EQ(refused(2), "FreeORVEL: It's impossible to calculate because of some negative numbers in column X.");
  EXPECT_EQ(refused(3), "FreeORVEL: It's impossible to calculate because of zero in column Y.");
  EXPECT_EQ(refused(4), "FreeORVEL: It's impossible to calculate because of zero in column Y.");
  EXPECT_EQ(doc.ResultText, "");
  // Result Options ran (and recorded) before each refusal; the curve's statement did not.
  EXPECT_EQ(view.MacroText,
            "resultoption (0);\r\nresultoption (0);\r\nresultoption (0);\r\nresultoption (0);\r\n"
            "resultoption (0);\r\n");
  doc.SetCell(1, 1, "0");
  EXPECT_EQ(refused(5), "FreeORVEL: It's impossible to calculate because of zero in column X.");
  doc.SetCell(1, 1, "1");
  EXPECT_EQ(refused(5), "none");
  EXPECT_NE(doc.ResultText.find("<<< Regression Curve >>>"), std::string::npos);
}

TEST_F(CorrelationCommandsTest, ARefusedCurveKeepsTheResult) {
  Column(1, {"1", "2", "3"});
  Column(2, {"-1", "2", "3"});
  doc.ResultText = "keep me\n";
  doc.SetModified(false);
  port.QueueDialog("Result Options", {{"choice", "2"}});
  port.QueueDialog("Regression Curve", {{"kind", "3"}});
  view.OnRegressionCurve();
  EXPECT_EQ(port.Messages(),
            std::vector<std::string>{
                "FreeORVEL: It's impossible to calculate because of some negative numbers in column Y."});
  EXPECT_EQ(doc.ResultText, "keep me\n");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.Value(2, 1), -1.0);
}

TEST_F(CorrelationCommandsTest, IntraclassCorrelationFlow) {
  Column(1, {"9", "6", "8", "7", "10", "6"});
  Column(2, {"2", "1", "4", "1", "5", ""});
  Column(3, {"5", "3", "6", "2", "6", "4"});
  view.IsRecording = true;
  doc.SetGroupColumn(1, true);
  doc.SetGroupColumn(3, true);
  view.OnIntraclassCorrelation();
  EXPECT_EQ(port.Messages(), std::vector<std::string>{"FreeORVEL: Set data for Oneway Three Groups or More."});
  EXPECT_EQ(view.MacroText, "");

  // Result Options comes before the question; Cancel in the question ends the command.
  doc.SetGroupColumn(2, true);
  doc.ResultText = "earlier\n";
  port.events.clear();
  port.QueueDialog("Result Options", {{"choice", "0"}});
  port.QueueCancel();
  view.OnIntraclassCorrelation();
  ASSERT_EQ(port.events.size(), 2u);
  EXPECT_EQ(port.events[0].title, "Result Options");
  EXPECT_EQ(port.events[1], (PortEvent{PortEvent::kQuestion, "ORVEL", kGroupQuestion}));
  EXPECT_EQ(doc.ResultText, "earlier\n");
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\n");

  port.QueueDialog("Result Options", {{"choice", "2"}});
  port.QueueAnswer(true);
  view.MacroText.clear();
  view.OnIntraclassCorrelation();
  EXPECT_EQ(doc.ResultText.rfind("\n\n<<< Intraclass Correlation Coefficient >>>\nSelected Data\nCol1:\nCol2:\nCol3:\n\n", 0),
            0u);
  EXPECT_NE(doc.ResultText.find("\nThe following rows were skipped because they have missing values.\nRow 6\n"),
            std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (2);\r\nicc();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_TRUE(port.AllAnswersUsed());
}

}  // namespace
}  // namespace orvel
