#include "graph/scatter_matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "app/graph_commands.h"
#include "app/orvel_view.h"
#include "app/scatter_matrix_dialogs.h"
#include "graph/emf_canvas.h"
#include "graph_test_canvas.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::RecordingGraphCanvas;
using testing::ScriptedPort;

// Y in column 1; the variables in columns 2 (0, 1, 2, 3, 4) and 4 (10, 20, 30, 40, 50); column 3
// holds a constant.
void FillRegressionData(CORVELDoc& doc) {
  for (int r = 1; r <= 5; ++r) {
    doc.SetCell(1, r, std::to_string(r * 3));
    doc.SetCell(2, r, std::to_string(r - 1));
    doc.SetCell(3, r, "7");
    doc.SetCell(4, r, std::to_string(r * 10));
  }
  doc.SetCell(2, 0, "dose");
  doc.SetRegressionY(1);
}

TEST(ScatterMatrixData, ChecksInOrder) {
  struct Case {
    std::vector<int> x;
    int y;
    int y_rows;
    std::string message;
  } cases[] = {
      {{2, 4}, 1, 5, ""},
      {{2, 3, 4}, 1, 5, "Samples are too small."},  // 5 - 3 <= 2
      {{1, 2}, 1, 5, "Y column and at least one of X columns are the same. Data setting is not correct."},
      {{}, 1, 5, "Data setting is not correct."},
      {{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, 1, 30, "Data setting is not correct."},
  };
  for (const Case& c : cases) {
    CORVELDoc doc;
    for (int r = 1; r <= c.y_rows; ++r) doc.SetCell(c.y, r, std::to_string(r));
    doc.SetRegressionY(c.y);
    for (const int x : c.x) doc.SetRegressionXColumn(x, true);
    EXPECT_EQ(CheckScatterMatrixData(doc), c.message) << c.x.size();
  }
}

TEST(ScatterMatrixData, DiagonalClassesAndTheFlatVariable) {
  struct Case {
    std::vector<double> values;
    std::vector<int> counts;
  } cases[] = {
      // k = 5 for four values: h = 1, classes from -0.5 in steps of 1.
      {{0, 1, 2, 4}, {1, 1, 1, 0, 1}},
      {{0, 0.49, 0.5, 4}, {2, 1, 0, 0, 1}},
      {{7, 7, 7}, {3}},  // no spread: one class
      {{}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ScatterMatrixClassCounts(c.values), c.counts);
}

TEST(ScatterMatrixDrawing, GridMarkersAndLabelsOfTheFileCall) {
  CORVELDoc doc;
  FillRegressionData(doc);
  doc.SetRegressionXColumn(2, true);
  doc.SetRegressionXColumn(3, true);
  doc.SetRegressionXColumn(4, true);
  const ScatterMatrixSettings s;
  RecordingGraphCanvas canvas(600, 450);
  DrawScatterMatrix(canvas, doc, s, GraphCall::File(16));
  EXPECT_FALSE(canvas.bad_coordinate);
  // Label font 10 without metrics: t = 10, w = 5. Square: top 3t + 2 title lines of 12 = 54,
  // bottom 450 - 2t = 430, side 376, left (600 - 376)/2 = 112. Cell side 376/3 - 2.5.
  const ScatterMatrixLayout l = ScatterMatrixPlotLayout(canvas, s, 3, GraphCall::File(16));
  EXPECT_EQ(l.square, (Rect{112, 54, 488, 430}));
  const double cs = 376.0 / 3 - 2.5;
  EXPECT_DOUBLE_EQ(l.cell, cs);
  // Nine cell frames first, row by row.
  ASSERT_GE(canvas.shapes.size(), 9u);
  EXPECT_EQ(canvas.shapes[0].rect, (Rect{112, 54, 112 + cs, 54 + cs}));
  EXPECT_EQ(canvas.shapes[5].rect, l.Cell(3, 2, 3));
  // Labels: "Col%d" and the name left of the first column and above the top row.
  const auto* name = canvas.Find("dose");
  ASSERT_TRUE(name);
  EXPECT_EQ(name->align, TextAlign::kRight);
  EXPECT_DOUBLE_EQ(name->x, 112 - 2.5);
  EXPECT_DOUBLE_EQ(name->y, 54 + cs / 2);
  ASSERT_TRUE(canvas.Find("Col4"));
  ASSERT_TRUE(canvas.Find("Scatter plot matrix"));
  EXPECT_EQ(canvas.Find("Scatter plot matrix")->font.family, kGothicFont);

  // Markers of half-size 2: the cell (column 2's variable across, column 4's down) at
  // x = left + 4 + (x - 0)(s - 8)/4 and y = top + 4 + (50 - y)(s - 8)/40.
  auto has_marker = [&](double px, double py) {
    for (const auto& shape : canvas.shapes)
      if (!shape.ellipse && std::fabs(shape.rect.left - (px - 2)) < 1e-9 && std::fabs(shape.rect.top - (py - 2)) < 1e-9 &&
          std::fabs(shape.rect.Width() - 4) < 1e-9 && shape.brush.color == Color{0, 0, 255})
        return true;
    return false;
  };
  const Rect c13 = l.Cell(1, 3, 3);
  for (int r = 1; r <= 5; ++r)
    EXPECT_TRUE(has_marker(c13.left + 4 + (r - 1) * (cs - 8) / 4, c13.top + 4 + (50 - r * 10) * (cs - 8) / 40)) << r;
  // The constant variable: its points on the cell's middle line, across and down.
  const Rect c21 = l.Cell(2, 1, 3), c12 = l.Cell(1, 2, 3);
  EXPECT_TRUE(has_marker(c21.left + cs / 2, c21.top + 4 + 4 * (cs - 8) / 4));
  EXPECT_TRUE(has_marker(c12.left + 4 + 4 * (cs - 8) / 4, c12.top + cs / 2));
  // Its histogram is one bar across the cell, the full height.
  const Rect c22 = l.Cell(2, 2, 3);
  bool one_bar = false;
  for (const auto& shape : canvas.shapes)
    one_bar |= std::fabs(shape.rect.left - (c22.left + 1.25)) < 1e-9 && std::fabs(shape.rect.top - c22.top) < 1e-9 &&
               std::fabs(shape.rect.right - (c22.left + cs - 1.25)) < 1e-9 && shape.rect.bottom == c22.bottom;
  EXPECT_TRUE(one_bar);
}

TEST(ScatterMatrixDrawing, PrinterMarkersAndManyPointsOnOnePixel) {
  CORVELDoc doc(2000);
  for (int r = 1; r < 2000; ++r) {
    doc.SetCell(1, r, std::to_string(r));
    doc.SetCell(2, r, r % 2 ? "1" : "2");  // two values: two positions in each cell
    doc.SetCell(3, r, r % 2 ? "5" : "6");
  }
  doc.SetRegressionY(1);
  doc.SetRegressionXColumn(2, true);
  doc.SetRegressionXColumn(3, true);
  RecordingGraphCanvas canvas(600, 450);
  DrawScatterMatrix(canvas, doc, ScatterMatrixSettings{}, GraphCall::File(16));
  std::size_t markers = 0;
  for (const auto& shape : canvas.shapes) markers += std::fabs(shape.rect.Width() - 4) < 1e-9 ? 1 : 0;
  EXPECT_EQ(markers, 4u);  // two per off-diagonal cell, each drawn once
  RecordingGraphCanvas page(1000, 1400);
  DrawScatterMatrix(page, doc, ScatterMatrixSettings{}, GraphCall::Printer(1000, 1400, 16));
  bool paper_marker = false;  // half a character on each side on paper
  for (const auto& shape : page.shapes) paper_marker |= std::fabs(shape.rect.Width() - 7) < 1e-9;
  EXPECT_TRUE(paper_marker);
}

// A crowded cell is filled with the pixels its markers cover: every point's marker is covered,
// by far fewer rectangles than there are points.
TEST(ScatterMatrixDrawing, CrowdedCellsAreFilledWhereTheirMarkersAre) {
  class FillRecordingCanvas : public RecordingGraphCanvas {
   public:
    using RecordingGraphCanvas::RecordingGraphCanvas;
    void FillRect(const Rect& r, Color color) override {
      RecordingGraphCanvas::FillRect(r, color);
      fills.push_back(r);
    }
    std::vector<Rect> fills;
  };
  CORVELDoc doc(3001);
  for (int r = 1; r <= 3000; ++r) {
    doc.SetCell(1, r, std::to_string(r));
    doc.SetCell(2, r, std::to_string((r * 7919) % 3001));
  }
  doc.SetRegressionY(3);
  doc.SetRegressionXColumn(1, true);
  doc.SetRegressionXColumn(2, true);
  FillRecordingCanvas canvas(600, 450);
  DrawScatterMatrix(canvas, doc, ScatterMatrixSettings{}, GraphCall::File(16));
  EXPECT_FALSE(canvas.bad_coordinate);
  for (const auto& shape : canvas.shapes) EXPECT_GT(shape.rect.Width(), 5);  // no single markers
  ASSERT_FALSE(canvas.fills.empty());
  EXPECT_LT(canvas.fills.size(), 2 * 3000u);
  const ScatterMatrixLayout l = ScatterMatrixPlotLayout(canvas, ScatterMatrixSettings{}, 2, GraphCall::File(16));
  const Rect cell = l.Cell(1, 2, 2);  // column 1 across, column 2 down
  const double cs = l.cell;
  auto covered = [&](double x, double y) {
    for (const Rect& f : canvas.fills)
      if (f.left <= x && x <= f.right && f.top <= y && y <= f.bottom) return true;
    return false;
  };
  for (int r = 1; r <= 3000; r += 37) {
    const double px = cell.left + 4 + (r - 1) * (cs - 8) / 2999;
    const double py = cell.top + 4 + (3000 - (r * 7919) % 3001) * (cs - 8) / 2999;
    EXPECT_TRUE(covered(px, py)) << r;
    EXPECT_TRUE(covered(px - 1.9, py + 1.9)) << r;  // the marker's corner too
  }
  // The fills stay within the cells' markers' reach: inside some cell, less the inset of 2e
  // plus half a marker.
  for (const Rect& f : canvas.fills) {
    bool inside = false;
    for (int i = 1; i <= 2; ++i)
      for (int j = 1; j <= 2; ++j) {
        const Rect c = l.Cell(i, j, 2);
        inside |= f.left >= c.left + 1 && f.right <= c.right - 1 && f.top >= c.top + 1 && f.bottom <= c.bottom - 1;
      }
    EXPECT_TRUE(inside) << f.left << "," << f.top;
  }
}

class ScatterMatrixCommandTest : public ::testing::Test {
 protected:
  ScatterMatrixCommandTest() {
    FillRegressionData(doc);
    doc.SetRegressionXColumn(2, true);
    doc.SetRegressionXColumn(4, true);
    view.IsRecording = true;
  }
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(ScatterMatrixCommandTest, UnpairedRowsAskAndTheAnswerDecidesWhatIsDrawn) {
  doc.SetCell(4, 6, "60");  // column 4 has a row the others lack
  doc.SetCell(1, 7, "21"), doc.SetCell(2, 7, "6"), doc.SetCell(1, 8, "24"), doc.SetCell(2, 8, "7");
  port.QueueCancel();
  view.OnScatterPlotMatrix();
  EXPECT_EQ(port.events.size(), 1u);
  EXPECT_EQ(port.events[0].title, "ORVEL");
  EXPECT_EQ(port.events[0].text, "Some columns are not paired. Will you skip the rows with missing values?");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_EQ(view.MacroText, "");

  port.QueueAnswer(true);
  port.QueueDialog(ScatterMatrixDialog::kTitle, {{"marker_color", "red"}, {"font", "arial"}});
  view.OnScatterPlotMatrix();
  EXPECT_TRUE(port.AllAnswersUsed());
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kScatterPlotMatrix);
  EXPECT_EQ(view.MacroText, "scatterm();\r\n");
  EXPECT_TRUE(view.Graphs().matrix.skip_incomplete_rows);
  EXPECT_EQ(view.Graphs().matrix.label_font, "Arial");
  // The incomplete rows 6, 7 and 8 are left out: five red markers in each off-diagonal cell.
  RecordingGraphCanvas canvas(600, 450);
  view.DrawGraph(canvas, GraphCall::File(16));
  std::size_t red = 0;
  for (const auto& shape : canvas.shapes) red += shape.brush.color == Color{255, 0, 0} ? 1 : 0;
  EXPECT_EQ(red, 10u);
  // Every row is in the cells again when the data are complete.
  doc.SetCell(4, 6, "");
  doc.SetCell(4, 7, "70"), doc.SetCell(4, 8, "80");
  view.OnScatterPlotMatrix();
  EXPECT_FALSE(view.Graphs().matrix.skip_incomplete_rows);
}

TEST_F(ScatterMatrixCommandTest, DoubleClickReeditsWithoutRecordingAndCopyPutsThePictureOnTheClipboard) {
  view.OnScatterPlotMatrix();
  view.MacroText.clear();
  port.QueueDialog(ScatterMatrixDialog::kTitle, {{"title", "Pairs"}, {"histogram_color", "green"}});
  view.OnEditGraph();
  EXPECT_EQ(view.Graphs().matrix.title, "Pairs");
  EXPECT_EQ(view.Graphs().matrix.histogram_color, "Green");
  EXPECT_EQ(view.MacroText, "");

  port.SetClipboardText("old");
  view.OnEditCopy();
  EXPECT_EQ(view.MacroText, "copy();\r\n");
  EXPECT_FALSE(port.ClipboardText());  // the picture replaced the text
  ASSERT_TRUE(port.ClipboardGraph());
  const GraphPicture& picture = *port.ClipboardGraph();
  EXPECT_EQ(picture.png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_NE(picture.svg.find("<svg"), std::string::npos);
  ASSERT_GE(picture.emf.size(), 108u);
  EXPECT_EQ(static_cast<unsigned char>(picture.emf[0]), emf::kHeader);
  EXPECT_EQ(picture.emf.substr(40, 4), " EMF");
}

// Leaving a graph offers to save it; Yes runs Save Graph As (and records it), No does not.
TEST_F(ScatterMatrixCommandTest, LeavingTheGraphOffersToSaveIt) {
  const auto dir = std::filesystem::temp_directory_path() / "orvel_leave_graph";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  struct Case {
    bool yes;
    bool to_sheet;
    bool asks;
    std::string recorded;
  } cases[] = {
      {true, true, true, "savegraph();\r\ndatainput();\r\n"},
      {false, true, true, "datainput();\r\n"},
      {true, false, false, "result();\r\n"},  // Show Result Window asks from 2, 3 and 4 only
  };
  int n = 0;
  for (const Case& c : cases) {
    view.OnScatterPlotMatrix();
    view.MacroText.clear();
    port.events.clear();
    const auto path = dir / ("leave" + std::to_string(n++) + ".emf");
    if (c.asks) port.QueueAnswer(c.yes);
    if (c.asks && c.yes) port.QueueFile(path.string());
    if (c.to_sheet) view.OnShowDataSheetWindow();
    else view.OnShowResultWindow();
    EXPECT_TRUE(port.AllAnswersUsed());
    EXPECT_EQ(view.MacroText, c.recorded);
    EXPECT_EQ(std::filesystem::exists(path), c.asks && c.yes);
    EXPECT_EQ(!port.events.empty() && port.events[0].text == "Will you save the present graph as an extended metafile?",
              c.asks);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvel
