// The four multivariate commands' checks in their order, the refusals of settings the matrix
// routines cannot take, and what a refused or cancelled command leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/orvel_view.h"
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

// Columns 1..n of `rows` rows with values that are neither constant nor collinear.
void Fill(CORVELDoc& doc, int columns, int rows) {
  for (int c = 1; c <= columns; ++c)
    for (int r = 1; r <= rows; ++r) doc.SetCell(c, r, std::to_string((r * (c + 3) + c * c * r * r) % 17 + c));
}

struct Refusal {
  const char* name;
  std::function<void(CORVELDoc&)> setup;
  void (CORVELView::*run)();
  std::string message;
};

TEST(MultivariateCommands, RefusalsLeaveEverythingAsItWas) {
  const Refusal refusals[] = {
      {"regression: too few rows for the variables",
       [](CORVELDoc& d) {
         d.SetRegressionY(1);
         for (int c = 2; c <= 5; ++c) d.SetRegressionXColumn(c, true);
         d.ClearCell(1, 20);
         for (int r = 7; r <= 30; ++r) d.ClearCell(2, r);  // only 6 complete rows for 4 variables
       },
       &CORVELView::OnMultipleRegressionAnalysis, "FreeORVEL: Samples are too small."},
      {"regression: y also explanatory",
       [](CORVELDoc& d) {
         d.SetRegressionY(1);
         d.SetRegressionXColumn(1, true);
         d.SetRegressionXColumn(2, true);
       },
       &CORVELView::OnMultipleRegressionAnalysis,
       "FreeORVEL: Y column and at least one of X columns are the same. Data setting is not correct."},
      {"regression: no explanatory column", [](CORVELDoc& d) { d.SetRegressionY(1); },
       &CORVELView::OnMultipleRegressionAnalysis, "FreeORVEL: Data setting is not correct."},
      {"regression: 16 explanatory columns",
       [](CORVELDoc& d) {
         d.SetRegressionY(1);
         for (int c = 2; c <= 17; ++c) d.SetRegressionXColumn(c, true);
       },
       &CORVELView::OnMultipleRegressionAnalysis,
       "FreeORVEL: Too many explanatory variables. Select 15 columns or fewer as X."},
      {"logistic: a y value written 1.0",
       [](CORVELDoc& d) {
         for (int r = 1; r <= 30; ++r) d.SetCell(21, r, r % 3 == 0 ? "1" : "0");
         d.SetCell(21, 4, "1.0");
         d.SetRegressionY(21);
         d.SetRegressionXColumn(2, true);
       },
       &CORVELView::OnLogisticRegressionAnalysis,
       "FreeORVEL: Every value in Y column must be 0 or 1. There are some incorrect data."},
      {"logistic: 15 explanatory columns",
       [](CORVELDoc& d) {
         for (int r = 1; r <= 30; ++r) d.SetCell(21, r, r % 3 == 0 ? "1" : "0");
         d.SetRegressionY(21);
         for (int c = 2; c <= 16; ++c) d.SetRegressionXColumn(c, true);
       },
       &CORVELView::OnLogisticRegressionAnalysis,
       "FreeORVEL: Too many explanatory variables. Select 14 columns or fewer as X."},
      {"principal components: 21 columns",
       [](CORVELDoc& d) {
         for (int c = 1; c <= 21; ++c) d.SetPcaColumn(c, true);
       },
       &CORVELView::OnPrincipalComponentAnalysis,
       "FreeORVEL: Too many columns. Select 20 columns or fewer for principal component analysis."},
      {"principal components: no column", [](CORVELDoc&) {}, &CORVELView::OnPrincipalComponentAnalysis,
       "FreeORVEL: Data setting is not correct."},
      {"discriminant: groups of different sizes",
       [](CORVELDoc& d) {
         d.SetDiscriminantSlot(1, 1, 1);
         d.SetDiscriminantSlot(1, 2, 2);
         d.SetDiscriminantSlot(1, 3, 3);
         d.SetDiscriminantSlot(2, 1, 4);
         d.SetDiscriminantSlot(2, 2, 5);
       },
       &CORVELView::OnDiscriminantAnalysis, "FreeORVEL: Data setting for discriminant analysis data is not correct."},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.name);
    CORVELDoc doc;
    ScriptedPort port;
    CORVELView view(doc, port);
    Fill(doc, 21, 30);
    refusal.setup(doc);
    doc.ResultText = "earlier\n";
    doc.SetModified(false);
    view.IsRecording = true;
    view.MacroText.clear();
    port.events.clear();
    (view.*refusal.run)();
    EXPECT_EQ(port.Messages(), std::vector<std::string>{refusal.message});
    EXPECT_EQ(doc.ResultText, "earlier\n");
    EXPECT_EQ(view.MacroText, "");
    EXPECT_FALSE(doc.IsModified());
    for (int r = 1; r <= 30; ++r) EXPECT_TRUE(EveryCellCounts(doc, r));
  }
}

TEST(MultivariateCommands, SkipQuestionComesBeforeResultOptionsAndRowsComeBack) {
  struct Case {
    void (CORVELView::*run)();
    const char* question;
    const char* title;
    const char* statement;
  };
  const Case cases[] = {
      {&CORVELView::OnMultipleRegressionAnalysis, "X and Y are not paired. Will you skip the rows with missing values?",
       "<<<Multiple Regression Analysis>>>", "multireg();\r\n"},
      {&CORVELView::OnLogisticRegressionAnalysis, "X and Y are not paired. Will you skip the rows with missing values?",
       "<<<Logistic Regression Analysis>>>", "logistic();\r\n"},
      {&CORVELView::OnPrincipalComponentAnalysis,
       "There are some missing values. Will you skip the rows with missing values?",
       "<<<Principal Component Analysis>>>", "shuseibun();\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statement);
    CORVELDoc doc;
    ScriptedPort port;
    CORVELView view(doc, port);
    Fill(doc, 4, 12);
    for (int r = 1; r <= 12; ++r) doc.SetCell(5, r, r % 2 == 0 || r == 5 ? "1" : "0");
    doc.ClearCell(3, 7);
    const bool logistic = c.run == &CORVELView::OnLogisticRegressionAnalysis;
    doc.SetRegressionY(logistic ? 5 : 1);
    for (int col = 2; col <= 4; ++col) {
      doc.SetRegressionXColumn(col, true);
      doc.SetPcaColumn(col, true);
    }
    view.IsRecording = true;
    view.MacroText.clear();
    doc.ResultText = "earlier\n";
    port.events.clear();
    port.QueueCancel();
    (view.*c.run)();
    ASSERT_EQ(port.events.size(), 1u);
    EXPECT_EQ(port.events[0], (PortEvent{PortEvent::kQuestion, "ORVEL", c.question}));
    EXPECT_EQ(doc.ResultText, "earlier\n");
    EXPECT_EQ(view.MacroText, "");

    port.events.clear();
    (view.*c.run)();  // OK, then Result Options (its preset: add to the result)
    ASSERT_EQ(port.events.size(), 2u);  // the question, then Result Options
    EXPECT_EQ(port.events[0].kind, PortEvent::kQuestion);
    EXPECT_EQ(port.events[1].kind, PortEvent::kDialog);
    EXPECT_NE(doc.ResultText.find(c.title), std::string::npos);
    EXPECT_NE(doc.ResultText.find("Row 7\n"), std::string::npos) << doc.ResultText;
    EXPECT_TRUE(EveryCellCounts(doc, 7));
    EXPECT_EQ(view.MacroText, std::string("resultoption (0);\r\n") + c.statement);  // Result Options records its choice
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kResult);
  }
}

}  // namespace
}  // namespace orvel
