// The series of the two-way plots: the figures of each A level at each B level, the default
// looks, the Plot Interval offsets and the legend.
#include "graph/twoway_series.h"

#include <gtest/gtest.h>

#include <set>

#include "graph_test_canvas.h"

namespace orvel {
namespace {

// Two A levels x three B levels in columns 1..6 (A1: 1-3, A2: 4-6), three rows each.
void FillTwoByThree(CORVELDoc& doc) {
  const double values[6][3] = {{1, 2, 3}, {2, 4, 6}, {3, 3, 3}, {10, 11, 12}, {5, 5, 8}, {0, 1, 2}};
  for (int c = 0; c < 6; ++c)
    for (int r = 0; r < 3; ++r) doc.SetCell(c + 1, r + 1, GraphFormat("%g", values[c][r]));
  for (int a = 1; a <= 2; ++a)
    for (int b = 1; b <= 3; ++b) doc.SetTwowayGridCell(a, b, (a - 1) * 3 + b);
  doc.SetTwowayLabelA(2, "Female");
  doc.SetTwowayLabelB(1, "Week 1");
}

TEST(TwowaySeries, MeansSDsAndSEsOfEachALevelAtEachBLevel) {
  CORVELDoc doc;
  EXPECT_FALSE(TwowaySeriesUsable(doc));
  FillTwoByThree(doc);
  ASSERT_TRUE(TwowaySeriesUsable(doc));
  const TwowaySeriesData d = CollectTwowaySeries(doc);
  ASSERT_EQ(d.a_levels, 2);
  ASSERT_EQ(d.b_levels, 3);
  EXPECT_DOUBLE_EQ(d.At(0, 1).mean, 4);
  EXPECT_DOUBLE_EQ(d.At(0, 1).sd, 2);
  EXPECT_DOUBLE_EQ(d.At(0, 1).se, 2 / std::sqrt(3.0));
  EXPECT_DOUBLE_EQ(d.At(0, 2).sd, 0);
  EXPECT_DOUBLE_EQ(d.At(1, 0).mean, 11);
  EXPECT_EQ(d.At(1, 2).column, 6);
  EXPECT_EQ(TwowaySeriesName(d, 0), "A1");
  EXPECT_EQ(TwowaySeriesName(d, 1), "A2 Female");
  double hi = 0, lo = 0;
  ASSERT_TRUE(d.MeanSpread(ErrorBarKind::kSD, hi, lo));
  EXPECT_DOUBLE_EQ(hi, 12);  // 11 + 1
  EXPECT_DOUBLE_EQ(lo, 0);   // 1 - 1
  ASSERT_TRUE(d.MeanSpread(ErrorBarKind::kNone, hi, lo));
  EXPECT_DOUBLE_EQ(hi, 11);
  EXPECT_DOUBLE_EQ(lo, 1);

  // A cell left empty inside the levels makes the setting unusable.
  doc.SetTwowayGridCell(2, 2, 0);
  EXPECT_FALSE(TwowaySeriesUsable(doc));
}

TEST(TwowaySeries, DefaultLooksAreDistinct) {
  const auto formats = DefaultTwowaySeriesFormats();
  ASSERT_EQ(formats.size(), 10u);
  const char* first_five[] = {"Blue", "Red", "Green", "Black", "Yellow"};
  std::set<std::pair<std::string, std::string>> seen;
  for (int i = 0; i < 10; ++i) {
    const auto& f = formats[static_cast<std::size_t>(i)];
    if (i < 5) {
      EXPECT_EQ(f.line_color, first_five[i]);
      EXPECT_EQ(f.marker.style, "Square");
    }
    EXPECT_EQ(f.line_weight, 1);
    EXPECT_EQ(f.marker.size, 3);
    EXPECT_EQ(f.marker.foreground, f.line_color);
    EXPECT_EQ(f.marker.background, f.line_color);
    // Every colour is a real one (not the black fallback unless it is "Black").
    EXPECT_TRUE(f.line_color == "Black" || !(GroupColor(f.line_color, colors::kBlack) == colors::kBlack))
        << f.line_color;
    seen.insert({f.line_color, f.marker.style});
  }
  EXPECT_EQ(seen.size(), 10u);
}

TEST(TwowaySeries, PlotIntervalSpreadsTheSeriesSymmetrically) {
  EXPECT_EQ(TwowaySeriesOffset(0, 3, 60, false), 0);
  EXPECT_EQ(TwowaySeriesOffset(2, 3, 60, false), 0);
  EXPECT_DOUBLE_EQ(TwowaySeriesOffset(0, 3, 60, true), -20);
  EXPECT_DOUBLE_EQ(TwowaySeriesOffset(1, 3, 60, true), 0);
  EXPECT_DOUBLE_EQ(TwowaySeriesOffset(2, 3, 60, true), 20);
  EXPECT_DOUBLE_EQ(TwowaySeriesOffset(0, 2, 60, true), -15);
  EXPECT_DOUBLE_EQ(TwowaySeriesOffset(0, 1, 60, true), 0);
}

TEST(TwowaySeries, LegendNamesEachSeriesInsideThePlotArea) {
  CORVELDoc doc;
  FillTwoByThree(doc);
  const TwowaySeriesData d = CollectTwowaySeries(doc);
  testing::RecordingGraphCanvas canvas(600, 450);
  GroupPlotFrame f;
  const GroupLayout lay = LayoutGroupPlot(canvas, f, GraphCall::File());
  const auto formats = DefaultTwowaySeriesFormats();
  DrawTwowayLegend(canvas, lay, d, formats, LegendSample::kLineAndMarker, 3);
  DrawTwowayBLabels(canvas, f, lay, d);
  const Rect box = TwowayLegendBox(lay, d);
  EXPECT_GE(box.left, lay.area.left);
  EXPECT_LE(box.right, lay.area.right);
  EXPECT_GE(box.top, lay.area.top);
  const auto* a1 = canvas.Find("A1");
  const auto* a2 = canvas.Find("A2 Female");
  ASSERT_TRUE(a1 && a2);
  EXPECT_LT(a1->y, a2->y);
  EXPECT_GT(a1->x, box.left);
  // Each row's sample line is drawn in its series' colour.
  int blue = 0, red = 0;
  for (const auto& l : canvas.lines) {
    blue += l.pen.color == Color{0, 0, 255};
    red += l.pen.color == Color{255, 0, 0};
  }
  EXPECT_EQ(blue, 1);
  EXPECT_EQ(red, 1);
  EXPECT_EQ(canvas.Find("B2")->x, lay.SlotCentre(1, 3));
  ASSERT_NE(canvas.Find("Week 1"), nullptr);
  EXPECT_FALSE(canvas.bad_coordinate);
}

}  // namespace
}  // namespace orvel
