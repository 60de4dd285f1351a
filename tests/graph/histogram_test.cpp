#include "graph/histogram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/graph_commands.h"
#include "app/histogram_dialogs.h"
#include "app/orvel_view.h"
#include "graph_test_canvas.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::RecordingGraphCanvas;
using testing::ScriptedPort;

void FillColumn(CORVELDoc& doc, int column, const std::vector<std::string>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) doc.SetCell(column, static_cast<int>(i) + 1, cells[i]);
}

TEST(HistogramClasses, DefaultCountFollowsTheSquareRootRule) {
  struct Case {
    int n, k;
  } cases[] = {{4, 5}, {24, 5}, {25, 6}, {100, 11}, {399, 20}, {400, 10}, {500, 10}};
  for (const Case& c : cases) EXPECT_EQ(DefaultClassCount(c.n), c.k) << c.n;
}

TEST(HistogramClasses, CountsAreClosedOnTheLeftAndTheLastOnTheRight) {
  CORVELDoc doc;
  // Classes of width 2 over [0, 10]: 0 <= v < 2, ..., 8 <= v <= 10.
  FillColumn(doc, 1, {"0", "1.99", "2", "5", "7.5", "9.999", "10", "x", "10.5", "-0.1"});
  EXPECT_EQ(CountClasses(doc, 1, 5, 0, 10), (std::vector<int>{2, 1, 1, 1, 2}));
  // A value equal to the maximum setting falls in the last class even when the class width
  // does not add up to it exactly.
  CORVELDoc tenths;
  FillColumn(tenths, 1, {"0.1", "0.3", "0.7"});
  EXPECT_EQ(CountClasses(tenths, 1, 3, 0.1, 0.7).back(), 1);
  // No spread: the classes have no width and every value is in the last one.
  CORVELDoc flat;
  FillColumn(flat, 1, {"3", "3", "3", "3"});
  EXPECT_EQ(CountClasses(flat, 1, 5, 3, 3), (std::vector<int>{0, 0, 0, 0, 4}));
}

TEST(HistogramSettingsDefaults, TitleRangeAndCountAxis) {
  CORVELDoc doc;
  doc.SetCell(2, 0, "Height");
  FillColumn(doc, 2, {"1", "2", "2", "3", "3", "3", "4", "5", "9"});
  FillColumn(doc, 3, {"1", "2", "3", "4"});
  const HistogramSettings s = DefaultHistogramSettings(doc, 2);
  EXPECT_EQ(s.title, "Histogram of Col2 (Height)");
  EXPECT_EQ(DefaultHistogramSettings(doc, 3).title, "Histogram of Col3");
  EXPECT_EQ(s.classes, 5);  // floor(sqrt 9) + 1 = 4, raised to 5
  EXPECT_DOUBLE_EQ(s.max_setting, 10);  // w = 8/4 = 2: 9 + 1 and 1 - 1
  EXPECT_DOUBLE_EQ(s.min_setting, 0);
  // Five bins over [1, 9] hold 5, 2, 1, 0, 1 (the drawn classes 2, 4, 2, 0, 1): the taller.
  EXPECT_EQ(s.y_max, 5);
  EXPECT_EQ(s.y_scale, 1);
  // The settings text reads back as the same number.
  for (const double v : {10.7625, 0.1 + 0.2, -1e-7, 123456.789})
    EXPECT_EQ(ParseSetting(FormatExactSetting(v)), v) << FormatExactSetting(v);
  EXPECT_EQ(FormatExactSetting(10.7625), "10.7625");
}

TEST(HistogramSettingsDefaults, RangeCheckMessagesOfBothSheets) {
  CORVELDoc doc;
  FillColumn(doc, 1, {"1", "2", "3", "4"});
  HistogramSettings s = DefaultHistogramSettings(doc, 1);
  EXPECT_EQ(CheckHistogramRange(doc, s, false), "");
  s.max_setting = 3.5;
  EXPECT_EQ(CheckHistogramRange(doc, s, false),
            "The maximum setting is smaller than the maximum value or the minimum setting is larger than the "
            "minimum value. Data setting is not correct.");
  s = DefaultHistogramSettings(doc, 1);
  s.min_setting = 1.5;
  EXPECT_EQ(CheckHistogramRange(doc, s, true),
            "The maximum setting is smaller than the maximum value or the minimum setting is larger than the "
            "minimum value. Setting is not correct.");
}

// The file call: no device metrics, so a line is the point size and a character half of it.
TEST(HistogramDrawing, BarsLabelsAndTicksInTheFileLayout) {
  CORVELDoc doc;
  FillColumn(doc, 1, {"0", "1", "2.5", "2.6", "9", "10"});
  HistogramSettings s = DefaultHistogramSettings(doc, 1);
  s.classes = 5, s.min_setting = 0, s.max_setting = 10, s.y_max = 4, s.y_scale = 2, s.bar_width = 50;
  struct Case {
    GraphCall call;
    bool right;
    Rect area;
  } cases[] = {
      // left 7 x 5; top 4 title lines of 12; bottom 450 - 4 x 10.
      {GraphCall::File(16), false, {35, 48, 565, 410}},
      // On screen: the band, then 2 title lines of 16; bottom less 2 lines of 16.
      {GraphCall::Screen(800, 600, 20), true, {49, 52, 751, 568}},
      {GraphCall::Printer(1000, 1400, 30), false, {49, 32, 951, 1368}},
  };
  for (const Case& c : cases) {
    s.y_right = c.right;
    RecordingGraphCanvas canvas(c.call.width, c.call.height);
    DrawHistogram(canvas, doc, s, c.call);
    EXPECT_FALSE(canvas.bad_coordinate);
    ASSERT_FALSE(canvas.shapes.empty());
    EXPECT_EQ(canvas.shapes[0].rect, c.area);
    const Rect a = c.area;
    const double p = a.Width() / 5, u = a.Height() / 4;
    // Counts 2, 2, 0, 0, 2: three bars half a class wide, centred in their classes.
    ASSERT_EQ(canvas.shapes.size(), 4u);
    const int classes[] = {0, 1, 4};
    for (int b = 0; b < 3; ++b) {
      const Rect bar = canvas.shapes[static_cast<std::size_t>(b) + 1].rect;
      EXPECT_DOUBLE_EQ(bar.left, a.left + classes[b] * p + p / 4);
      EXPECT_DOUBLE_EQ(bar.right, a.left + (classes[b] + 1) * p - p / 4);
      EXPECT_DOUBLE_EQ(bar.top, a.top + 2 * u);
      EXPECT_DOUBLE_EQ(bar.bottom, a.bottom);
      EXPECT_EQ(canvas.shapes[static_cast<std::size_t>(b) + 1].brush.color, (Color{0, 0, 255}));
    }
    // Class boundaries under the axis, centred on them.
    for (int i = 0; i <= 5; ++i) {
      const auto* label = canvas.Find(FormatFixed2(2.0 * i));
      ASSERT_TRUE(label) << i;
      EXPECT_DOUBLE_EQ(label->x, a.left + i * p);
      EXPECT_EQ(label->align, TextAlign::kCenter);
    }
    // Count ticks 0, 2, 4 as "%3d" on the side of the axis away from the plot.
    for (const int count : {0, 2, 4}) {
      const auto* label = canvas.Find(GraphFormat("%3d", count));
      ASSERT_TRUE(label) << count;
      EXPECT_EQ(label->align, c.right ? TextAlign::kLeft : TextAlign::kRight);
      EXPECT_EQ(label->x < a.left, !c.right);
    }
    EXPECT_FALSE(canvas.Find(GraphFormat("%3d", 1)));
    ASSERT_TRUE(canvas.Find(s.title));
    EXPECT_EQ(canvas.Find(s.title)->align, TextAlign::kCenter);
  }
}

TEST(HistogramDrawing, TallClassesAndTinyStepsStayWithinTheDevice) {
  CORVELDoc doc;
  FillColumn(doc, 1, {"1", "1", "1", "1", "1", "1", "2"});
  HistogramSettings s = DefaultHistogramSettings(doc, 1);
  s.y_max = 2;  // the first class holds 6
  RecordingGraphCanvas canvas(600, 450);
  DrawHistogram(canvas, doc, s, GraphCall::File(16));
  EXPECT_FALSE(canvas.bad_coordinate);
  for (const auto& shape : canvas.shapes) EXPECT_GE(shape.rect.top, canvas.shapes[0].rect.top);
  s.y_max = 1000000, s.y_scale = 1;
  RecordingGraphCanvas dense(600, 450);
  DrawHistogram(dense, doc, s, GraphCall::File(16));
  EXPECT_LE(dense.lines.size(), 4100u);
}

class HistogramCommandTest : public ::testing::Test {
 protected:
  HistogramCommandTest() {
    doc.SetCell(1, 0, "w");
    FillColumn(doc, 1, {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
    FillColumn(doc, 2, {"1", "2", "3"});
    doc.SetSelection(3, 1, 3, 1);
    view.IsRecording = true;
  }
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(HistogramCommandTest, RefusalsLeaveTheDisplayAsItWas) {
  struct Case {
    int column;
    std::string message;
  } cases[] = {{0, "FreeORVEL: Choose a cell of the row whose histogram you would like to draw."},
               {2, "FreeORVEL: Sample size is too small."}};
  for (const Case& c : cases) {
    doc.SetSelection(1, c.column, 1, c.column);
    ScriptedPort p;
    CORVELView v(doc, p);
    v.IsRecording = true;
    v.OnHistogram();
    EXPECT_EQ(p.Messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
    EXPECT_EQ(v.MacroText, "");
  }
}

TEST_F(HistogramCommandTest, ChangedClassesAskAboutTheRangeAndTheRangeIsChecked) {
  struct Case {
    std::map<std::string, std::string> fields;
    int answer;  // -1 no question, 0 No, 1 Yes
    std::string message;
    double max_setting, min_setting;
  } cases[] = {
      // Presets: k 5, range 0 .. 10 (w = 2).
      {{}, -1, "", 10, 0},
      {{{"max", "12"}}, -1, "", 12, 0},
      // Eight classes: w = 8/7, the range re-derived from the data on Yes.
      {{{"classes", "8"}, {"max", "20"}}, 1, "", 9 + 4.0 / 7, 1 - 4.0 / 7},
      {{{"classes", "8"}, {"max", "20"}}, 0, "", 20, 0},
      {{{"max", "8.5"}},
       -1,
       "FreeORVEL: The maximum setting is smaller than the maximum value or the minimum setting is larger than the "
       "minimum value. Data setting is not correct.",
       0, 0},
  };
  for (const Case& c : cases) {
    doc.DisplayMode = DisplayKind::kDataSheet;
    ScriptedPort p;
    CORVELView v(doc, p);
    v.IsRecording = true;
    p.QueueDialog(HistogramDialog::kTitle, c.fields);
    if (c.answer >= 0) p.QueueAnswer(c.answer == 1);
    v.OnHistogram();
    EXPECT_TRUE(p.AllAnswersUsed());
    if (c.answer >= 0) {
      ASSERT_GE(p.events.size(), 2u);
      EXPECT_EQ(p.events[1].text, "Will you adjust the maximum and minimum settings based on the classes?");
    }
    EXPECT_EQ(p.Messages(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    if (!c.message.empty()) {
      EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
      EXPECT_EQ(v.MacroText, "");
      continue;
    }
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kHistogram);
    EXPECT_EQ(v.MacroText, "histogram();\r\n");
    EXPECT_NEAR(v.Graphs().histogram.max_setting, c.max_setting, 1e-12);
    EXPECT_NEAR(v.Graphs().histogram.min_setting, c.min_setting, 1e-12);
    EXPECT_EQ(v.Graphs().histogram.column, 1);
  }
}

TEST_F(HistogramCommandTest, DoubleClickReeditsWithItsOwnTextsWithoutRecording) {
  port.QueueDialog(HistogramDialog::kTitle);
  view.OnHistogram();
  view.MacroText.clear();
  port.QueueDialog(HistogramDialog::kReeditTitle, {{"classes", "6"}, {"min", "2"}, {"bar_color", "red"}});
  port.QueueAnswer(false);
  view.OnEditGraph();
  EXPECT_TRUE(port.AllAnswersUsed());
  EXPECT_EQ(port.events[port.events.size() - 2].text,
            "Will you adjust the miximum and minimum settings based on the class?");
  EXPECT_EQ(port.Messages().back(),
            "FreeORVEL: The maximum setting is smaller than the maximum value or the minimum setting is larger than "
            "the minimum value. Setting is not correct.");
  EXPECT_EQ(view.Graphs().histogram.classes, 5);  // refused: kept
  port.QueueDialog(HistogramDialog::kReeditTitle, {{"classes", "6"}, {"bar_color", "red"}});
  port.QueueAnswer(true);
  view.OnEditGraph();
  EXPECT_EQ(view.Graphs().histogram.classes, 6);
  EXPECT_EQ(view.Graphs().histogram.bar_color, "Red");
  EXPECT_DOUBLE_EQ(view.Graphs().histogram.max_setting, 9.8);  // w = 8/5
  EXPECT_EQ(view.MacroText, "");
}

}  // namespace
}  // namespace orvel
