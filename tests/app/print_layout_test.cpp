#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/print_layout.h"

namespace orvel {
namespace {

// Records the texts drawn on a page. Metrics are fixed: a character is 12 units wide.
class PageRecorder : public Canvas {
 public:
  struct Text {
    double x, y;
    std::string text;
  };
  PageRecorder(double width, double height) : width_(width), height_(height) {}
  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetPen(const Pen&) override {}
  void SetBrush(const Brush&) override {}
  void SetFont(const FontChoice& font) override { fonts.push_back(font); }
  FontMetrics Metrics() const override { return {80, kCharWidth}; }
  void DrawLine(double, double, double, double) override { ++other; }
  void DrawRect(const Rect&) override { ++other; }
  void DrawEllipse(const Rect&) override { ++other; }
  void FillRect(const Rect&, Color) override { ++other; }
  void DrawText(double x, double y, std::string_view text, TextAlign) override {
    texts.push_back({x, y, std::string(text)});
  }
  void SetClip(const Rect&) override {}
  void ClearClip() override {}

  const Text* Find(const std::string& text) const {
    for (const Text& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }

  static constexpr double kCharWidth = 12;
  std::vector<Text> texts;
  std::vector<FontChoice> fonts;
  int other = 0;

 private:
  double width_, height_;
};

// An A4 page's printable area at 600 dpi: lines are 140 units apart.
constexpr PrintPageGeometry kPage{4800, 7000, 600};
constexpr double kPitch = 7000.0 / 50;

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

void FillColumn(CORVELDoc& doc, int c, const char* label, int count, int first_value = 1) {
  doc.SetCell(c, 0, label);
  for (int r = 1; r <= count; ++r) doc.SetCell(c, r, std::to_string(first_value + r - 1));
}

std::vector<std::string> PageTexts(const Printout& printout, int page, PageRecorder* out = nullptr) {
  PageRecorder canvas(kPage.width, kPage.height);
  printout.DrawPage(canvas, kPage, page);
  std::vector<std::string> texts;
  for (const auto& t : canvas.texts) texts.push_back(t.text);
  if (out) *out = canvas;
  return texts;
}

// ---- Page counts -----------------------------------------------------------------------------

TEST(PrintPageCount, ResultPrintsFiftyLinesToAPageWithoutAnEmptyLastPage) {
  CORVELDoc doc;
  doc.DisplayMode = DisplayKind::kResult;
  const auto pages = [&doc](const std::string& text) {
    doc.ResultText = text;
    return Printout(doc).PageCount();
  };
  EXPECT_EQ(pages(NumberedLines(120)), 3);
  EXPECT_EQ(pages(NumberedLines(50)), 1);
  EXPECT_EQ(pages(NumberedLines(51)), 2);
  EXPECT_EQ(pages(NumberedLines(100)), 2);
  EXPECT_EQ(pages(""), 1);
  // The text after the last line end is a line of its own; every kind of line end counts.
  EXPECT_EQ(pages(NumberedLines(50) + "tail"), 2);
  std::string crlf;
  for (int i = 0; i < 60; ++i) crlf += i % 2 ? "a\r\n" : "b\r";
  EXPECT_EQ(pages(crlf), 2);
  EXPECT_EQ(ResultPrintLineCount(crlf), 60u);
  EXPECT_EQ(ResultPrintLineCount("a\n\n\nb"), 4u);
}

TEST(PrintPageCount, SheetPrintsThreeNumericColumnsToAPage) {
  CORVELDoc doc;
  doc.DisplayMode = DisplayKind::kDataSheet;
  EXPECT_EQ(Printout(doc).PageCount(), 1);  // an empty sheet prints an empty page
  for (int c : {2, 5, 9, 40}) FillColumn(doc, c, "x", 5);
  // A column with only its label, even one that looks like a number, does not count.
  doc.SetCell(4, 0, "12");
  EXPECT_EQ(PrintedSheetColumns(doc), (std::vector<int>{2, 5, 9, 40}));
  EXPECT_EQ(Printout(doc).PageCount(), 2);
  doc.ClearCell(40, 1), doc.ClearCell(40, 2), doc.ClearCell(40, 3), doc.ClearCell(40, 4), doc.ClearCell(40, 5);
  EXPECT_EQ(Printout(doc).PageCount(), 1);
  // The last column counts; the label column holds labels, never numbers.
  doc.SetCell(0, 1, "7");
  doc.SetCell(100, 1, "8");
  EXPECT_EQ(PrintedSheetColumns(doc), (std::vector<int>{2, 5, 9, 100}));
  EXPECT_EQ(Printout(doc).PageCount(), 2);
}

TEST(PrintPageCount, GridAndGraphPanesPrintOneEmptyPage) {
  CORVELDoc doc;
  FillColumn(doc, 1, "x", 300);
  doc.ResultText = NumberedLines(300);
  for (int mode : {2, 3, 4, 5, 6, 7, 8}) {
    doc.DisplayMode = static_cast<DisplayKind>(mode);
    const Printout printout(doc);
    EXPECT_EQ(printout.PageCount(), 1) << mode;
    PageRecorder canvas(kPage.width, kPage.height);
    printout.DrawPage(canvas, kPage, 1);
    EXPECT_TRUE(canvas.texts.empty()) << mode;
  }
}

// ---- Sheet pages -----------------------------------------------------------------------------

TEST(PrintSheetPage, EachColumnIsItsHeadingThenItsCellsTenToALine) {
  CORVELDoc doc;
  FillColumn(doc, 2, "Weight", 12);
  FillColumn(doc, 7, "", 3, 100);
  doc.SetCell(7, 5, "-0.5");  // after a gap at row 4
  FillColumn(doc, 12, "Height", 10, 50);
  FillColumn(doc, 13, "Age", 1, 30);
  const Printout printout(doc);
  ASSERT_EQ(printout.PageCount(), 2);

  PageRecorder first(0, 0);
  EXPECT_EQ(PageTexts(printout, 1, &first),
            (std::vector<std::string>{"Col 2 : Weight", "1,2,3,4,5,6,7,8,9,10,", "11,12,", "Col 7 : ",
                                      "100,101,102,,-0.5,", "Col12 : Height", "50,51,52,53,54,55,56,57,58,59,"}));
  // Line k of the page is drawn at the left margin, k pitches down; the blank lines between
  // columns keep their place.
  const std::vector<double> rows = {0, 1, 2, 4, 5, 7, 8};
  ASSERT_EQ(first.texts.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_DOUBLE_EQ(first.texts[i].x, 200) << i;
    EXPECT_DOUBLE_EQ(first.texts[i].y, rows[i] * kPitch) << i;
  }
  EXPECT_EQ(first.fonts.front(), (FontChoice{"Century", 10, false}));

  EXPECT_EQ(PageTexts(printout, 2), (std::vector<std::string>{"Col13 : Age", "30,"}));
  EXPECT_EQ(Printout(doc).PageCount(), static_cast<int>(SheetPrintPages(doc).size()));
  EXPECT_TRUE(PageTexts(printout, 3).empty());
  EXPECT_TRUE(PageTexts(printout, 0).empty());
}

TEST(PrintSheetPage, AColumnLongerThanAPageGoesOnOverTheNextWithoutLosingACell) {
  CORVELDoc doc(701);
  FillColumn(doc, 1, "long", 600);  // 1 heading + 60 lines
  FillColumn(doc, 3, "short", 2);
  const auto pages = SheetPrintPages(doc);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].size(), 50u);
  EXPECT_EQ(pages[0].front(), "Col 1 : long");
  EXPECT_EQ(pages[0].back(), "481,482,483,484,485,486,487,488,489,490,");
  EXPECT_EQ(pages[1].front(), "491,492,493,494,495,496,497,498,499,500,");
  EXPECT_EQ(pages[1][10], "591,592,593,594,595,596,597,598,599,600,");
  EXPECT_EQ(pages[1][11], "");
  EXPECT_EQ(pages[1][12], "Col 3 : short");
  EXPECT_EQ(pages[1][13], "1,2,");
  EXPECT_EQ(pages[1].size(), 14u);
  // The fourth printed column starts a page of its own after the overflow.
  FillColumn(doc, 4, "a", 1), FillColumn(doc, 5, "b", 1);
  const auto more = SheetPrintPages(doc);
  ASSERT_EQ(more.size(), 3u);
  EXPECT_EQ(more[2], (std::vector<std::string>{"Col 5 : b", "1,"}));
}

// ---- Result pages ----------------------------------------------------------------------------

TEST(PrintResultPage, FiftyLinesAPageAtThePagePitchFromTheLeftMargin) {
  CORVELDoc doc;
  doc.DisplayMode = DisplayKind::kResult;
  doc.ResultText = NumberedLines(120);
  const Printout printout(doc);
  ASSERT_EQ(printout.PageCount(), 3);
  for (int page = 1; page <= 3; ++page) {
    PageRecorder canvas(kPage.width, kPage.height);
    printout.DrawPage(canvas, kPage, page);
    const std::size_t expected = page < 3 ? 50 : 20;
    ASSERT_EQ(canvas.texts.size(), expected) << page;
    for (std::size_t k = 0; k < expected; ++k) {
      const int line = (page - 1) * 50 + static_cast<int>(k) + 1;
      EXPECT_EQ(canvas.texts[k].text, "line " + std::to_string(line));
      EXPECT_DOUBLE_EQ(canvas.texts[k].x, 200);
      EXPECT_DOUBLE_EQ(canvas.texts[k].y, static_cast<double>(k) * kPitch);
    }
    EXPECT_EQ(canvas.fonts.front(), (FontChoice{"Century", 10, false}));
    EXPECT_EQ(canvas.other, 0);  // no band, no grid: text only
  }
}

TEST(PrintResultPage, LinesKeepTheResultPanesTabStopsAndEndsOfLine) {
  CORVELDoc doc;
  doc.DisplayMode = DisplayKind::kResult;
  doc.ResultText = "Number\t\t12\r\nab\tcd\rx\t\t\t\t\t\t\t\t\t\t\ty\n";
  PageRecorder canvas(kPage.width, kPage.height);
  Printout(doc).DrawPage(canvas, kPage, 1);
  constexpr double w = PageRecorder::kCharWidth;
  ASSERT_TRUE(canvas.Find("Number") && canvas.Find("12") && canvas.Find("cd") && canvas.Find("y"));
  EXPECT_DOUBLE_EQ(canvas.Find("Number")->x, 200);
  // "Number" is six widths: the first tab goes to 8 widths, the second to 16.
  EXPECT_DOUBLE_EQ(canvas.Find("12")->x, 200 + 16 * w);
  EXPECT_DOUBLE_EQ(canvas.Find("12")->y, 0);
  EXPECT_DOUBLE_EQ(canvas.Find("cd")->x, 200 + 8 * w);
  EXPECT_DOUBLE_EQ(canvas.Find("cd")->y, kPitch);
  // No stop lies beyond the tenth.
  EXPECT_DOUBLE_EQ(canvas.Find("y")->x, 200 + 80 * w);
  EXPECT_DOUBLE_EQ(canvas.Find("y")->y, 2 * kPitch);
  // Line ends are not drawn.
  for (const auto& t : canvas.texts) EXPECT_EQ(t.text.find_first_of("\r\n\t"), std::string::npos) << t.text;
}

TEST(PrintResultPage, TheMarginFollowsTheResolutionAndTextBeyondThePageIsLeftOut) {
  CORVELDoc doc;
  doc.DisplayMode = DisplayKind::kResult;
  doc.ResultText = "a\t\t\t\t\t\t\t\t\tfar\n";
  EXPECT_DOUBLE_EQ(PrintLeftMargin({4800, 7000, 600}), 200);
  EXPECT_DOUBLE_EQ(PrintLeftMargin({9600, 14000, 1200}), 400);
  EXPECT_DOUBLE_EQ(PrintLeftMargin({800, 1100, 96}), 32);
  // "far" sits at 72 widths from the margin: on a page narrower than that it is not drawn.
  const Printout printout(doc);
  PageRecorder wide(2000, 7000), narrow(900, 7000);
  printout.DrawPage(wide, {2000, 7000, 600}, 1);
  printout.DrawPage(narrow, {900, 7000, 600}, 1);
  ASSERT_TRUE(wide.Find("far"));
  EXPECT_DOUBLE_EQ(wide.Find("far")->x, 200 + 72 * PageRecorder::kCharWidth);
  EXPECT_TRUE(narrow.Find("a"));
  EXPECT_FALSE(narrow.Find("far"));
  // At 1200 dpi the page is twice as tall in units: the pitch doubles with it.
  doc.ResultText = "one\ntwo\n";
  PageRecorder fine(9600, 14000);
  Printout(doc).DrawPage(fine, {9600, 14000, 1200}, 1);
  ASSERT_TRUE(fine.Find("two"));
  EXPECT_DOUBLE_EQ(fine.Find("two")->x, 400);
  EXPECT_DOUBLE_EQ(fine.Find("two")->y, 14000.0 / 50);
}

}  // namespace
}  // namespace orvel
