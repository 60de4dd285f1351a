#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/orvel_view.h"
#include "app/pane_drawing.h"
#include "app/sheet_geometry.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

// A canvas that records the texts it was asked to draw, with the clip in force, and counts
// everything else. Metrics are fixed: a line is 16 pixels high, a character 7 wide.
class RecordingCanvas : public Canvas {
 public:
  struct Text {
    double x, y;
    std::string text;
    TextAlign align;
    bool clipped;
    Rect clip;
  };
  RecordingCanvas(double width, double height) : width_(width), height_(height) {}
  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetPen(const Pen&) override {}
  void SetBrush(const Brush&) override {}
  void SetFont(const FontChoice& font) override { fonts.push_back(font); }
  FontMetrics Metrics() const override { return {16, 7}; }
  void DrawLine(double, double, double, double) override { ++lines; }
  void DrawRect(const Rect& r) override { frames.push_back(r); }
  void DrawEllipse(const Rect&) override {}
  void FillRect(const Rect& r, Color c) override { fills.push_back({r, c}); }
  void DrawText(double x, double y, std::string_view text, TextAlign align) override {
    texts.push_back({x, y, std::string(text), align, clipped_, clip_});
  }
  void SetClip(const Rect& r) override { clipped_ = true, clip_ = r; }
  void ClearClip() override { clipped_ = false; }

  const Text* Find(const std::string& text) const {
    for (const Text& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }
  // A text drawn in the column header strip (y < 20) or in the row header strip (x < 43).
  const Text* FindColumnHeader(const std::string& text) const {
    for (const Text& t : texts)
      if (t.text == text && t.y < 20) return &t;
    return nullptr;
  }
  const Text* FindRowHeader(const std::string& text) const {
    for (const Text& t : texts)
      if (t.text == text && t.x < 43) return &t;
    return nullptr;
  }

  std::vector<Text> texts;
  std::vector<std::pair<Rect, Color>> fills;
  std::vector<Rect> frames;
  std::vector<FontChoice> fonts;
  int lines = 0;

 private:
  double width_, height_;
  bool clipped_ = false;
  Rect clip_;
};

constexpr double kW = 7, kH = 16;

// ---- Result pane ---------------------------------------------------------------------------

TEST(ResultPaneDrawing, TabStopsAreEightAverageWidthsApartFromTheLineStart) {
  CORVELDoc doc;
  doc.ResultText = "Number\t\t12\nab\tcd\n";
  RecordingCanvas canvas(800, 600);
  DrawResultPane(canvas, doc);
  const auto* word = canvas.Find("Number");
  const auto* number = canvas.Find("12");
  ASSERT_TRUE(word && number);
  EXPECT_EQ(word->x, 5);
  EXPECT_EQ(word->y, kH + 20);
  // "Number" ends at 6 widths: the first tab goes to 8, the second to 16.
  EXPECT_EQ(number->x, 5 + 16 * kW);
  EXPECT_EQ(number->y, kH + 20);
  ASSERT_TRUE(canvas.Find("cd"));
  EXPECT_EQ(canvas.Find("cd")->x, 5 + 8 * kW);
  EXPECT_EQ(canvas.Find("cd")->y, 2 * kH + 20);
  // The font is the result pane's.
  EXPECT_EQ(canvas.fonts.front(), ResultFont());
}

TEST(ResultPaneDrawing, ARunEndingOnAStopMovesToTheNextAndNoStopLiesBeyondTheTenth) {
  CORVELDoc doc;
  const std::string eight(8, 'x');
  const std::string long_run(85, 'y');
  doc.ResultText = eight + "\tA\n" + long_run + "\tB\n";
  RecordingCanvas canvas(4000, 600);
  DrawResultPane(canvas, doc);
  ASSERT_TRUE(canvas.Find("A") && canvas.Find("B"));
  EXPECT_EQ(canvas.Find("A")->x, 5 + 16 * kW);  // a stop must lie beyond the run's end
  EXPECT_EQ(canvas.Find("B")->x, 5 + 85 * kW);  // past the tenth stop: no tab movement
}

TEST(ResultPaneDrawing, ScrollOffsetsShiftTheTextAndLinesAboveTheBandAreNotDrawn) {
  CORVELDoc doc;
  for (int i = 0; i < 100; ++i) doc.ResultText += "line " + std::to_string(i) + "\n";
  doc.Scroll.result_x = 3;
  doc.Scroll.result_y = 50 * kH;
  RecordingCanvas canvas(800, 20 * kH);
  DrawResultPane(canvas, doc);
  // Line k's top is 16 + 20 - 800 + 16k: line 48 ends where the band ends, line 49 is the
  // first below it.
  EXPECT_EQ(canvas.Find("line 48"), nullptr);
  ASSERT_NE(canvas.Find("line 49"), nullptr);
  EXPECT_EQ(canvas.Find("line 49")->x, 2);
  EXPECT_EQ(canvas.Find("line 49")->y, 20);
  EXPECT_NE(canvas.Find("line 67"), nullptr);
  EXPECT_EQ(canvas.Find("line 68"), nullptr);  // its top would be at the window's bottom
  // The band with its prompt is drawn last, over the text.
  EXPECT_EQ(canvas.texts.back().text, kResultBandPrompt);
  EXPECT_EQ(canvas.fills.back().first, (Rect{0, 0, 800, kResultBandHeight}));
}

TEST(ResultPaneDrawing, AVeryLongLineIsCutToWhatCanShow) {
  CORVELDoc doc;
  doc.ResultText = std::string(200000, 'z') + "\tend\n";
  RecordingCanvas canvas(800, 600);
  DrawResultPane(canvas, doc);
  ASSERT_GE(canvas.texts.size(), 2u);
  EXPECT_LT(canvas.texts.front().text.size(), 1000u);
  EXPECT_EQ(canvas.Find("end"), nullptr);  // far right of the window
  doc.Scroll.result_x = 200000 * kW - 100;
  RecordingCanvas scrolled(800, 600);
  DrawResultPane(scrolled, doc);
  ASSERT_NE(scrolled.Find("end"), nullptr);
  EXPECT_EQ(scrolled.Find("end")->x, 105);
}

TEST(ResultPaneDrawing, WideCharactersCountTwoCellsAndHalfWidthKatakanaOne) {
  EXPECT_EQ(ResultRunCells("abc"), 3u);
  EXPECT_EQ(ResultRunCells("日本"), 4u);
  EXPECT_EQ(ResultRunCells("ｱｲ"), 2u);
  EXPECT_EQ(ResultRunCells("x²"), 3u);
  CORVELDoc doc;
  doc.ResultText = "有意\tX\n";
  RecordingCanvas canvas(800, 600);
  DrawResultPane(canvas, doc);
  EXPECT_EQ(canvas.Find("X")->x, 5 + 8 * kW);
}

TEST(ResultLineIndexTest, GrowingTextExtendsTheIndexAsARebuildWould) {
  ResultLineIndex index;
  std::string text = "a\nbb\r";
  index.Lines(text);
  text += "\nccc\rdd\n\ne";  // the "\r\n" straddles the two parts
  const std::vector<std::size_t> extended = index.Lines(text);
  ResultLineIndex fresh;
  EXPECT_EQ(extended, fresh.Lines(text));
  EXPECT_EQ(extended, (std::vector<std::size_t>{0, 2, 6, 10, 13, 14}));
  // A replaced text of another size is indexed afresh; after Invalidate also one of the same size.
  text = "xyz";
  EXPECT_EQ(index.Lines(text), (std::vector<std::size_t>{0}));
  text = "x\nz";
  index.Invalidate();
  EXPECT_EQ(index.Lines(text), (std::vector<std::size_t>{0, 2}));
}

TEST(ResultPaneDrawing, OneMegabyteTextDrawsOnlyTheWindowsLines) {
  CORVELDoc doc;
  while (doc.ResultText.size() < (1u << 20)) doc.ResultText += "Mean\t\t12.3456\tSD\t1.2345\n";
  const int lines = doc.ResultLineCount();
  doc.Scroll.result_y = kH * (lines - 10);
  ResultLineIndex index;
  RecordingCanvas canvas(1920, 1080);
  DrawResultPane(canvas, doc, &index);
  // The last ten lines and the one above them (its top at the band's bottom), four runs each,
  // and the band's prompt.
  EXPECT_EQ(canvas.texts.size(), 45u);
}

// ---- Result pane keys --------------------------------------------------------------------

TEST(ResultPaneKeys, ScrollByPageStepAndLineWithinTheText) {
  CORVELDoc doc;
  testing::ScriptedPort port;
  CORVELView view(doc, port);
  using Key = CORVELView::ResultPaneKey;
  for (int i = 0; i < 200; ++i) doc.ResultText += "x\n";
  view.OnResultKeyDown(Key::kDown);
  EXPECT_EQ(doc.Scroll.result_y, 2 * port.ResultLineHeight());
  view.OnResultKeyDown(Key::kPageDown);
  EXPECT_EQ(doc.Scroll.result_y, 2 * port.ResultLineHeight() + port.ClientHeight());
  view.OnResultKeyDown(Key::kPageDown);
  view.OnResultKeyDown(Key::kPageDown);
  EXPECT_EQ(doc.Scroll.result_y, 200 * port.ResultLineHeight());  // the last line at the top
  view.OnResultKeyDown(Key::kRight);
  view.OnResultKeyDown(Key::kRight);
  view.OnResultKeyDown(Key::kLeft);
  EXPECT_EQ(doc.Scroll.result_x, 86);
  view.OnResultKeyDown(Key::kHome);
  EXPECT_EQ(doc.Scroll.result_x, 0);
  EXPECT_EQ(doc.Scroll.result_y, 0);
  view.OnResultKeyDown(Key::kUp);
  view.OnResultKeyDown(Key::kLeft);
  EXPECT_EQ(doc.Scroll.result_y, 0);
  EXPECT_EQ(doc.Scroll.result_x, 0);
  EXPECT_EQ(port.repaints, 10);
}

// ---- Sheet pane ------------------------------------------------------------------------------

TEST(SheetPaneDrawing, HeadersNameTheLabelRowAndColumnAndNumberTheRest) {
  CORVELDoc doc;
  doc.SetCell(0, 0, "name");
  doc.SetCell(1, 0, "height");
  doc.SetCell(1, 1, "170.5");
  RecordingCanvas canvas(1920, 1080);
  DrawSheetPane(canvas, doc);
  int labels = 0;
  for (const auto& t : canvas.texts) labels += t.text == "label";
  EXPECT_EQ(labels, 2);
  // Column 1 starts at 43 + 86: its number is centred over it.
  const auto* one = canvas.FindColumnHeader("1");
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->align, TextAlign::kCenter);
  EXPECT_EQ(one->x, 43 + 86 + 43);
  const auto* value = canvas.Find("170.5");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->x, 43 + 86 + 3);
  EXPECT_EQ(value->y, 40 + 2);  // row 1 spans 40..60, the text centred in it
  EXPECT_TRUE(value->clipped);
  EXPECT_EQ(value->clip.right, 43 + 2 * 86);  // long texts stop at the column's edge
  EXPECT_EQ(canvas.Find("height")->y, 22);
  EXPECT_EQ(canvas.Find("name")->x, 43 + 3);
  // 1920 pixels show columns 1..21 (the 21st partly) and 1080 rows 1..52.
  EXPECT_NE(canvas.FindColumnHeader("21"), nullptr);
  EXPECT_EQ(canvas.FindColumnHeader("22"), nullptr);  // starts at 43 + 22 * 86 = 1935
  EXPECT_NE(canvas.FindRowHeader("52"), nullptr);
  EXPECT_EQ(canvas.FindRowHeader("53"), nullptr);     // starts at 20 * 53 + 20 = 1080
}

TEST(SheetPaneDrawing, ScrollingKeepsRowZeroAndColumnZeroInPlace) {
  CORVELDoc doc(20000);
  doc.SetCell(0, 0, "corner");
  doc.SetCell(3, 0, "name3");
  doc.SetCell(0, 15000, "label15000");
  doc.SetCell(3, 15000, "9");
  doc.Scroll.sheet_x = 86;          // column 1 scrolled out of sight
  doc.Scroll.sheet_y = 20 * 14999;  // row 15000 right below row 0
  RecordingCanvas canvas(1920, 1080);
  DrawSheetPane(canvas, doc);
  EXPECT_EQ(canvas.Find("corner")->x, 43 + 3);
  EXPECT_EQ(canvas.Find("name3")->y, 22);
  EXPECT_EQ(canvas.Find("name3")->x, 43 + 86 + 86 + 3);  // column 3 at 43 + 3 * 86 - 86
  EXPECT_EQ(canvas.Find("label15000")->y, 42);
  EXPECT_EQ(canvas.Find("9")->y, 42);
  EXPECT_NE(canvas.FindRowHeader("15000"), nullptr);  // its row number
  EXPECT_EQ(canvas.FindRowHeader("14999"), nullptr);  // wholly behind row 0
  EXPECT_EQ(canvas.FindColumnHeader("1"), nullptr);
  // Only the window's cells are visited: a few thousand calls, not 20000 rows' worth.
  EXPECT_LT(canvas.texts.size(), 200u);
}

TEST(SheetPaneDrawing, SelectedCellsAreFilledAndTheCurrentCellFramed) {
  CORVELDoc doc;
  doc.SetSelection(2, 1, 3, 2);  // rows 2..3, columns 1..2
  RecordingCanvas canvas(1920, 1080);
  DrawSheetPane(canvas, doc);
  int selected = 0;
  for (const auto& [rect, color] : canvas.fills) selected += color == colors::kSelection;
  EXPECT_EQ(selected, 4);
  ASSERT_EQ(canvas.frames.size(), 1u);
  EXPECT_EQ(canvas.frames[0].left, 43 + 86 + 1);
  EXPECT_EQ(canvas.frames[0].top, 60 + 1);
  // The current cell scrolled under the frozen headers is not framed.
  doc.Scroll.sheet_y = 2000;
  RecordingCanvas scrolled(1920, 1080);
  DrawSheetPane(scrolled, doc);
  EXPECT_TRUE(scrolled.frames.empty());
}

TEST(SheetPaneDrawing, CellsAreDrawnWhereTheHitTestFindsThem) {
  CORVELDoc doc(2000);
  doc.SetColumnWidth(2, 40);
  doc.SetColumnWidth(5, 150);
  doc.Scroll.sheet_x = 130;
  doc.Scroll.sheet_y = 460;
  for (int c = 0; c <= 12; ++c)
    for (int r : {0, 24, 30, 60})
      doc.SetCell(c, r, (c == 0 ? "L" : "") + std::to_string(c * 1000 + r));
  RecordingCanvas canvas(1000, 800);
  DrawSheetPane(canvas, doc);
  int checked = 0;
  for (int c = 0; c <= 12; ++c) {
    for (int r : {0, 24, 30, 60}) {
      const auto* t = canvas.Find((c == 0 ? "L" : "") + std::to_string(c * 1000 + r));
      if (t == nullptr) continue;
      ++checked;
      EXPECT_EQ(t->x, ColumnLeft(doc, c) + 3) << c << "," << r;
      EXPECT_EQ(t->y, RowTop(doc, r) + 2) << c << "," << r;
      // The cell's bottom right corner is visible even when its left part is behind column 0.
      const SheetHit hit = HitTestSheet(doc, ColumnRight(doc, c) - 1, RowBottom(doc, r) - 1);
      EXPECT_EQ(hit.kind, SheetHitKind::kCell);
      EXPECT_EQ(hit.column, c);
      EXPECT_EQ(hit.row, r);
    }
  }
  EXPECT_GE(checked, 20);
  EXPECT_EQ(canvas.Find("1024"), nullptr);  // column 1 scrolled away behind column 0
}

TEST(PaneDrawing, OffsetsFarBeyondTheContentDrawOnlyTheFrame) {
  CORVELDoc doc;
  doc.SetCell(1, 1, "5");
  doc.ResultText = "a\nb\n";
  doc.Scroll.sheet_x = doc.Scroll.sheet_y = 1e15;
  doc.Scroll.result_x = doc.Scroll.result_y = 1e300;
  RecordingCanvas sheet(800, 600);
  DrawSheetPane(sheet, doc);
  EXPECT_EQ(sheet.Find("5"), nullptr);
  EXPECT_NE(sheet.Find("label"), nullptr);
  RecordingCanvas result(800, 600);
  DrawResultPane(result, doc);
  ASSERT_EQ(result.texts.size(), 1u);
  EXPECT_EQ(result.texts[0].text, kResultBandPrompt);
}

TEST(ScrollBars, PositionsArePercentagesOfTheFullRange) {
  EXPECT_EQ(ScrollBarPosition(0, kSheetScrollRangeX), 0);
  EXPECT_EQ(ScrollBarPosition(860, kSheetScrollRangeX), 50);
  EXPECT_EQ(ScrollBarPosition(10000, kSheetScrollRangeY), 100);
  EXPECT_EQ(ScrollBarPosition(25000, kSheetScrollRangeY), 100);
  EXPECT_EQ(ScrollBarPosition(1000, kResultScrollRangeY), 25);
  EXPECT_EQ(ScrollOffsetForPosition(50, kResultScrollRangeX), 215);
  EXPECT_EQ(ScrollOffsetForPosition(150, kResultScrollRangeX), 430);
}

}  // namespace
}  // namespace orvel
