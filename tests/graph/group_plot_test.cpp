// The frame shared by the group plots: default Y range, the setting checks, the layout of the
// three call patterns and the Y ticks.
#include "graph/group_plot.h"

#include <gtest/gtest.h>

#include "graph_test_canvas.h"

namespace orvel {
namespace {

TEST(GroupPlotFrame, DefaultRangeWidensThenAppliesTheZeroRule) {
  struct Case {
    double hi, lo;
    const char *max, *min, *scale;
  };
  const Case cases[] = {
      {10, 2, "10.80", "0.00", "0.50"},      // all positive: starts at 0; range 10.8 -> e = 1
      {-2, -10, "0.00", "-10.80", "0.50"},   // all negative: ends at 0
      {5, -5, "6.00", "-6.00", "0.50"},      // straddling zero: widened on both sides
      {0, 0, "1.00", "-1.00", "0.10"},       // all zero: no digit exponent, a unit range
      {5, 5, "5.00", "0.00", "0.50"},        // constant positive: 0 .. 5, e = 0
      {250, 100, "265.00", "0.00", "5.00"},  // e = 2 -> 10/2
      {0.002, 0.001, "0.0021", "0.00", "0.0005"},  // tiny: significant digits kept, never 0
      {18, 1, "19.70", "0.00", "0.50"},      // positive data start at 0 though widening reaches -0.7
      {-1, -18, "0.00", "-19.70", "0.50"},
      {4, -0.1, "4.41", "-0.51", "0.50"},    // data straddling 0 keep both widened ends
  };
  for (const Case& c : cases) {
    const GroupRange r = DefaultGroupRange(c.hi, c.lo);
    EXPECT_EQ(r.max_text, c.max) << c.hi << " " << c.lo;
    EXPECT_EQ(r.min_text, c.min) << c.hi << " " << c.lo;
    EXPECT_EQ(r.scale_text, c.scale) << c.hi << " " << c.lo;
    EXPECT_EQ(CheckGroupSettings(r.max, r.min, r.scale, GroupCheck::kCommand), "") << c.hi << " " << c.lo;
  }
}

TEST(GroupPlotFrame, SettingChecksInOrderWithTheReeditTexts) {
  const std::string smaller = "The maximum setting is smaller than the minimum setting.";
  EXPECT_EQ(CheckGroupSettings(1, 2, 0, GroupCheck::kCommand), smaller);  // range first
  EXPECT_EQ(CheckGroupSettings(1, 1, 0.1, GroupCheck::kReeditLineBox), smaller);
  EXPECT_EQ(CheckGroupSettings(2, 1, 0, GroupCheck::kCommand), "Setting for scale is not correct.");
  EXPECT_EQ(CheckGroupSettings(2, 1, -0.5, GroupCheck::kReeditLineBox), "Scale setting is not correct.");
  EXPECT_EQ(CheckGroupSettings(2, 1, 0.5, GroupCheck::kReeditLineBox), "");
}

TEST(GroupPlotFrame, MarginsFollowTheCallPattern) {
  testing::RecordingGraphCanvas canvas(800, 600);
  GroupPlotFrame f;
  // Recorded metrics: 16 high, 7 wide; without device metrics a 12-point line is 12, a
  // 10-point character 5 wide.
  const GroupLayout screen = LayoutGroupPlot(canvas, f, GraphCall::Screen(800, 600, 20));
  EXPECT_EQ(screen.area, (Rect{70, 20 + 32, 730, 600 - 64}));
  const GroupLayout printer = LayoutGroupPlot(canvas, f, GraphCall::Printer(800, 600, 20));
  EXPECT_EQ(printer.area, (Rect{70, 32, 730, 600 - 64}));
  const GroupLayout file = LayoutGroupPlot(canvas, f, GraphCall::File(16));
  EXPECT_EQ(file.area, (Rect{50, 48, 550, 450 - 40}));
  EXPECT_DOUBLE_EQ(file.tick, 5);
  EXPECT_DOUBLE_EQ(file.TwoGroupCentre(0), 175);
  EXPECT_DOUBLE_EQ(file.TwoGroupCentre(1), 425);
  EXPECT_DOUBLE_EQ(file.TwoGroupHalfWidth(), 50);
  EXPECT_DOUBLE_EQ(file.SlotCentre(0, 5), 100);
  EXPECT_DOUBLE_EQ(file.SlotCentre(4, 5), 500);
}

TEST(GroupPlotFrame, BaselineAndValueMapping) {
  testing::RecordingGraphCanvas canvas(600, 450);
  GroupPlotFrame f;
  struct Case {
    double max, min, baseline_value;  // NaN: the bottom edge
  };
  const Case cases[] = {{10, 0, 0}, {0, -10, 0}, {10, -10, 0}, {10, 2, NAN}, {-2, -10, NAN}};
  for (const Case& c : cases) {
    f.y_max = c.max;
    f.y_min = c.min;
    const GroupLayout lay = LayoutGroupPlot(canvas, f, GraphCall::File());
    EXPECT_DOUBLE_EQ(lay.Py(c.max), lay.area.top);
    EXPECT_DOUBLE_EQ(lay.Py(c.min), lay.area.bottom);
    const double expected = std::isnan(c.baseline_value) ? lay.area.bottom : lay.Py(0);
    EXPECT_DOUBLE_EQ(lay.BaselineY(), expected) << c.max << " " << c.min;
  }
  f.y_max = 1e300;
  f.y_min = -1e300;
  const GroupLayout huge = LayoutGroupPlot(canvas, f, GraphCall::File());
  EXPECT_TRUE(std::isfinite(huge.Py(-1e308)));
  EXPECT_LE(std::fabs(huge.Py(-1e308)), 4 * 450);
}

TEST(GroupPlotFrame, YTicksAreTheMultiplesInsideTheRange) {
  EXPECT_EQ(GroupYTicks(0, 1, 0.25), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
  EXPECT_EQ(GroupYTicks(-0.3, 0.5, 0.2), (std::vector<double>{-0.2, 0, 0.2, 0.4}));
  EXPECT_TRUE(GroupYTicks(0, 1, 0).empty());
  EXPECT_TRUE(GroupYTicks(1, 0, 0.1).empty());
  // A scale far too fine is thinned, never listed tick by tick.
  const std::vector<double> fine = GroupYTicks(0, 1, 1e-12, 1000);
  EXPECT_LE(fine.size(), 1001u);
  EXPECT_GE(fine.size(), 500u);
  EXPECT_TRUE(GroupYTicks(-1e300, 1e300, 1e-300).empty());
}

TEST(GroupPlotFrame, AxisTicksTitleAndLabelsAreDrawnWhereTheLayoutSays) {
  testing::RecordingGraphCanvas canvas(600, 450);
  GroupPlotFrame f;
  f.title = "Title";
  f.y_max = 10;
  f.y_min = 0;
  f.y_scale = 5;
  const GroupLayout lay = LayoutGroupPlot(canvas, f, GraphCall::File());
  DrawGroupYAxis(canvas, f, lay);
  DrawGroupLabel(canvas, f, lay, lay.TwoGroupCentre(0), 3, "Weight");
  DrawGroupTitle(canvas, f, lay);
  for (const char* label : {"0.00", "5.00", "10.00"}) {
    const auto* t = canvas.Find(label);
    ASSERT_NE(t, nullptr) << label;
    EXPECT_EQ(t->align, TextAlign::kRight);
    EXPECT_LT(t->x, lay.area.left);
  }
  EXPECT_DOUBLE_EQ(canvas.Find("5.00")->y, lay.Py(5) - lay.fonts.y.line / 2);
  // The axis and three ticks of one X-font character pointing left.
  ASSERT_EQ(canvas.lines.size(), 4u);
  EXPECT_DOUBLE_EQ(canvas.lines[2].x2, lay.area.left - lay.tick);
  EXPECT_DOUBLE_EQ(canvas.Find("Col3")->y, lay.area.bottom + lay.fonts.x.line / 2);
  EXPECT_DOUBLE_EQ(canvas.Find("Col3")->x, lay.TwoGroupCentre(0));
  EXPECT_DOUBLE_EQ(canvas.Find("Weight")->y, lay.area.bottom + 2 * lay.fonts.x.line);
  EXPECT_DOUBLE_EQ(canvas.Find("Title")->y + 1.5 * lay.fonts.title.line, lay.area.top);
}

TEST(GroupPlotFrame, CrowdedTickLabelsAreThinnedToRoundMultiples) {
  struct Case {
    double max, min, scale;
    int stride;
  };
  // File layout: the plot is 362 pixels high and a Y-font line 10.
  const Case cases[] = {{10, 0, 1, 1}, {34.5, 0, 0.5, 2}, {34.5, -34.5, 0.5, 5}, {1000, 0, 0.5, 20}};
  for (const Case& c : cases) {
    testing::RecordingGraphCanvas canvas(600, 450);
    GroupPlotFrame f;
    f.y_max = c.max;
    f.y_min = c.min;
    f.y_scale = c.scale;
    const GroupLayout lay = LayoutGroupPlot(canvas, f, GraphCall::File());
    const std::vector<double> ticks = GroupYTicks(c.min, c.max, c.scale);
    EXPECT_EQ(GroupLabelStride(ticks, lay), c.stride) << c.max;
    DrawGroupYAxis(canvas, f, lay);
    EXPECT_EQ(canvas.lines.size(), ticks.size() + 1) << c.max;  // every tick is drawn
    ASSERT_NE(canvas.Find("0.00"), nullptr) << c.max;           // 0 is always among the labels
    for (std::size_t i = 1; i < canvas.texts.size(); ++i)
      EXPECT_GE(std::fabs(canvas.texts[i].y - canvas.texts[i - 1].y), lay.fonts.y.line - 1e-9) << c.max;
  }
}

}  // namespace
}  // namespace orvel
