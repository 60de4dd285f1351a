#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/orvel_view.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

class ContingencyCommandsTest : public ::testing::Test {
 protected:
  void Put(int c1, int r1, const std::vector<std::vector<std::string>>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
      for (std::size_t j = 0; j < rows[i].size(); ++j)
        doc.SetCell(c1 + static_cast<int>(j), r1 + static_cast<int>(i), rows[i][j]);
  }
  // Runs the command and expects exactly this refusal, with nothing changed.
  void ExpectRefusal(void (CORVELView::*command)(), const std::string& message) {
    const std::string result = doc.ResultText;
    const std::string macro = view.MacroText;
    port.events.clear();
    (view.*command)();
    EXPECT_EQ(port.Messages(), std::vector<std::string>{"FreeORVEL: " + message});
    EXPECT_EQ(port.events.size(), 1u);  // no question, no dialog
    EXPECT_EQ(doc.ResultText, result);
    EXPECT_EQ(view.MacroText, macro);
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  }

  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(ContingencyCommandsTest, FisherRefusalsInTheirOrder) {
  view.IsRecording = true;
  // The corner sum is tested before the shape: a 2 x 3 block with large corners.
  Put(1, 1, {{"1000", "5", "600"}, {"300", "5", "101"}});
  doc.SetSelection(1, 1, 2, 3);
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The values are too large.");
  Put(1, 1, {{"10", "5", "6"}, {"3", "5", "1"}});
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The contingency table must have two rows and two columns.");
  doc.SetSelection(1, 1, 3, 2);  // three rows
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The contingency table must have two rows and two columns.");
  // Within a 2 x 2 block: a missing cell, a fraction, a negative count, a column name.
  doc.SetSelection(1, 1, 2, 2);
  doc.ClearCell(2, 2);
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The data are not correct.");
  doc.SetCell(2, 2, "2.5");
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The data are not correct.");
  doc.SetCell(2, 2, "-2");
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The data are not correct.");
  doc.SetCell(2, 2, "2");
  doc.SetCell(1, 0, "200");
  doc.SetSelection(0, 1, 1, 2);
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The data are not correct.");
  // A negative count cannot hide a total above 2000 either.
  Put(1, 1, {{"2500", "-600"}, {"1", "1"}});
  doc.SetSelection(1, 1, 2, 2);
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The data are not correct.");
}

TEST_F(ContingencyCommandsTest, FisherLimitOfTheTotal) {
  view.IsRecording = true;
  Put(3, 5, {{"501", "500"}, {"500", "500"}});
  doc.SetSelection(6, 4, 5, 3);  // the anchor may be any corner
  ExpectRefusal(&CORVELView::OnFisherExactTest, "The values are too large.");
  doc.SetCell(3, 5, "500");  // exactly 2000 is computed
  view.OnFisherExactTest();
  EXPECT_EQ(port.Messages().size(), 1u);
  EXPECT_EQ(doc.ResultText,
            "\n<<< Fisher's Exact Test >>>\n\nSelected Cells : C3R5-C4R6\n\n"
            "[Two-sided Test]\np=1.000000\n\n[One-sided Test]\np=0.517835\n\n");
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nfisher();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
}

TEST_F(ContingencyCommandsTest, FisherResultOptionsCancel) {
  Put(1, 1, {{"1", "6"}, {"4", "2"}});
  doc.SetSelection(1, 1, 2, 2);
  doc.ResultText = "before\n";
  view.IsRecording = true;
  port.QueueDialog("Result Options", {}, /*ok=*/false);
  view.OnFisherExactTest();
  EXPECT_EQ(doc.ResultText, "before\n");
  EXPECT_EQ(view.MacroText, "");
  port.QueueDialog("Result Options", {{"choice", "0"}});
  view.OnFisherExactTest();
  EXPECT_NE(doc.ResultText.find("before\n\n<<< Fisher's Exact Test >>>"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("[Two-sided Test]\np=0.102564\n\n[One-sided Test]\np=0.086247\n\n"),
            std::string::npos);
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nfisher();\r\n");
  EXPECT_DOUBLE_EQ(doc.Scroll.result_y, port.ResultLineHeight() * 1);
}

TEST_F(ContingencyCommandsTest, ChiSquareRefusalsInTheirOrder) {
  view.IsRecording = true;
  Put(1, 1, {{"3", "4", "5"}, {"6", "", "8"}, {"0", "0", "0"}});
  doc.SetSelection(1, 1, 3, 1);  // one column
  ExpectRefusal(&CORVELView::OnChiSquareTest, "Selected cells must contain more than two columns and rows.");
  doc.SetSelection(1, 1, 1, 3);  // one row
  ExpectRefusal(&CORVELView::OnChiSquareTest, "Selected cells must contain more than two columns and rows.");
  doc.SetSelection(1, 1, 2, 3);
  ExpectRefusal(&CORVELView::OnChiSquareTest, "There are some missing values in the selected cells.");
  doc.SetCell(2, 2, "7");
  doc.SetSelection(1, 1, 3, 3);  // the third row sums to 0
  ExpectRefusal(&CORVELView::OnChiSquareTest, "At least a sum of the contingency table is zero. The data are not correct.");
  doc.SetSelection(1, 1, 2, 3);
  doc.SetCell(3, 1, "0");
  doc.SetCell(3, 2, "0");  // the third column sums to 0
  ExpectRefusal(&CORVELView::OnChiSquareTest, "At least a sum of the contingency table is zero. The data are not correct.");
  // Column names and labels are not table values.
  doc.SetCell(1, 0, "123");
  doc.SetSelection(0, 1, 2, 2);
  ExpectRefusal(&CORVELView::OnChiSquareTest, "There are some missing values in the selected cells.");
}

TEST_F(ContingencyCommandsTest, ChiSquareReportAndStatement) {
  Put(2, 2, {{"12", "5"}, {"6", "12"}});
  doc.SetSelection(3, 3, 2, 2);
  doc.SetIncludeDataInResult(true);
  view.IsRecording = true;
  view.OnChiSquareTest();
  EXPECT_TRUE(port.events.empty());
  EXPECT_EQ(doc.ResultText,
            "\n<<< Pearson's Chi-squared Test >>>\n\nSelected Cells : C2R2-C3R3\n\n"
            "df\tT-Value\t\tp-value\n"
            "------------------------------------------------------------\n"
            "1\t 4.857747\tp=0.027522\n"
            "1\t 3.480806\tp=0.062085\twith Yates' continuity correction\n\n"
            "Effect Size phi=0.315359\n\n"
            "\nSelected Cells\n\n12\t5\t\n6\t12\t\n");
  EXPECT_EQ(view.MacroText, "resultoption (0);\r\nkai();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  EXPECT_EQ(port.repaints, 1);
  EXPECT_EQ(doc.GetSelection().anchor_row, 3);  // the selection is left as it was
}

}  // namespace
}  // namespace orvel
