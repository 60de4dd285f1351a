#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "graph/graph_common.h"
#include "graph/scatter_plot.h"
#include "graph_test_canvas.h"

namespace orvel {
namespace {

using testing::RecordingGraphCanvas;

// X in column 1, Y in column 2, both labelled; empty texts leave a cell empty.
void Fill(CORVELDoc& doc, const std::vector<std::string>& x, const std::vector<std::string>& y) {
  doc.SetCell(1, 0, "dose");
  doc.SetCell(2, 0, "weight");
  for (std::size_t i = 0; i < x.size(); ++i)
    if (!x[i].empty()) doc.SetCell(1, static_cast<int>(i) + 1, x[i]);
  for (std::size_t i = 0; i < y.size(); ++i)
    if (!y[i].empty()) doc.SetCell(2, static_cast<int>(i) + 1, y[i]);
}

TEST(GraphAxis, DefaultRangeAndScaleFromTheLargestMagnitude) {
  struct Case {
    double largest, smallest, max, min, scale;
  } cases[] = {
      {5, 1, 6, -6, 0.5},              // R = 6, exponent 0: 10^0 / 2
      {250, -10, 300, -300, 5},        // R = 300, exponent 2: 10^1 / 2
      {-40, -50, 60, -60, 0.5},        // R = 60 from the negative side, exponent 1
      {0.05, 0.01, 0.06, -0.06, 0.005},  // exponent -2: 10^-2 / 2
      {0.004, 0, 0.0, -0.0, 0.0005},   // R = 0.0048 shows as 0.00; the scale keeps "%f"'s digits
      {0, 0, 1, -1, 0.1},              // all zero: no digit exponent
  };
  for (const Case& c : cases) {
    const AxisDefault d = DefaultAxisRange(c.largest, c.smallest);
    EXPECT_DOUBLE_EQ(d.max_setting, c.max) << c.largest;
    EXPECT_DOUBLE_EQ(d.min_setting, c.min) << c.largest;
    EXPECT_DOUBLE_EQ(d.scale, c.scale) << c.largest;
  }
}

TEST(GraphAxis, TicksGoOutFromZeroAndLabelTheLastOfEachSide) {
  struct Case {
    double min, max, step;
    std::vector<double> up, down;
  } cases[] = {
      {-1, 1, 0.5, {0, 0.5, 1}, {-0.5, -1}},
      {-1, 1, 0.1, {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1}, {-0.1, -0.2, -0.3, -0.4, -0.5, -0.6, -0.7, -0.8, -0.9, -1}},
      {0, 1, 0.25, {0.25, 0.5, 0.75, 1}, {}},            // no tick at the minimum itself
      {-1, -0.2, 0.25, {}, {-0.25, -0.5, -0.75, -1}},     // an all-negative range
      {0.3, 1.1, 0.5, {0.5, 1}, {}},
      {-1.2, 0.7, 0.5, {0, 0.5}, {-0.5, -1}},             // ends between ticks
  };
  for (const Case& c : cases) {
    const AxisTicks t = ComputeAxisTicks(c.min, c.max, c.step);
    ASSERT_EQ(t.up.size(), c.up.size()) << c.min << " " << c.max;
    ASSERT_EQ(t.down.size(), c.down.size()) << c.min << " " << c.max;
    for (std::size_t i = 0; i < c.up.size(); ++i) EXPECT_NEAR(t.up[i], c.up[i], 1e-12);
    for (std::size_t i = 0; i < c.down.size(); ++i) EXPECT_NEAR(t.down[i], c.down[i], 1e-12);
    EXPECT_EQ(t.has_up_label, !c.up.empty());
    EXPECT_EQ(t.has_down_label, !c.down.empty());
  }
  // A step far too small for the range lists the labelled ends only, never billions of ticks.
  const AxisTicks dense = ComputeAxisTicks(-1e6, 1e6, 1e-6);
  ASSERT_EQ(dense.up.size(), 2u);
  EXPECT_NEAR(dense.up.back(), 1e6, 1e-3);
  EXPECT_NEAR(dense.down.back(), -1e6, 1e-3);
}

TEST(GraphColors, NamesAndFallbacks) {
  EXPECT_EQ(GraphColor("Red", colors::kBlack), (Color{255, 0, 0}));
  EXPECT_EQ(GraphColor("Default", colors::kBlack), (Color{192, 192, 192}));
  EXPECT_EQ(GraphColor("Yellow", colors::kBlack), (Color{255, 255, 0}));
  // "None" is no colour: the outline and the fill fall back to white, pens to black.
  EXPECT_EQ(GraphColor("None", colors::kWhite), colors::kWhite);
  EXPECT_EQ(GraphColor("None", colors::kBlack), colors::kBlack);
}

TEST(ScatterSettingsChecks, CommandAndReeditMessagesInOrder) {
  struct Case {
    double xs, ys, xmax, xmin, ymax, ymin;
    const char* command;
    const char* reedit;
  } cases[] = {
      {0, 0, 1, 1, 1, 1, "The X-axis scale cannot be zero.", "Scale cannot be zero."},
      {1, 0, 1, 1, 1, 1, "The Y-axis scale cannot be zero.", "Scale cannot be zero."},
      {1, 1, 1, 1, 1, 1, "Data Setting for X-axis range is not correct.", "X-axis range is zero. Setting is not correct."},
      {1, 1, 2, 1, 1, 1, "Data setting for Y-axis range is not correct.", "Y-axis range is zero. Setting is not correct."},
      {-1, -1, 1, 2, 1, 2, "", ""},  // negative scales and swapped ranges pass (and are repaired)
  };
  for (const Case& c : cases) {
    ScatterSettings s;
    s.x.scale = c.xs, s.y.scale = c.ys, s.x.max = c.xmax, s.x.min = c.xmin, s.y.max = c.ymax, s.y.min = c.ymin;
    EXPECT_EQ(CheckScatterSettings(s), c.command);
    EXPECT_EQ(CheckScatterReedit(s), c.reedit);
  }
  ScatterSettings s;
  s.x = {"Black", 1, "Century", 10, 1, 5, -0.5};
  NormalizeScatterSettings(s);
  EXPECT_EQ(s.x.max, 5);
  EXPECT_EQ(s.x.min, 1);
  EXPECT_EQ(s.x.scale, 0.5);
}

TEST(ScatterData, PairingAndDefaults) {
  CORVELDoc paired;
  Fill(paired, {"1", "2", "", "5"}, {"2", "4", "", "10"});
  EXPECT_TRUE(ScatterDataPaired(paired));
  const ScatterSettings s = DefaultScatterSettings(paired);
  EXPECT_EQ(s.x.max, 6);  // all positive, still symmetric
  EXPECT_EQ(s.x.min, -6);
  EXPECT_EQ(s.y.max, 12);
  EXPECT_EQ(s.y.scale, 0.5);
  EXPECT_EQ(ColumnMaximumText(paired, 1), "5.00");
  EXPECT_EQ(ColumnMinimumText(paired, 2), "2.00");

  CORVELDoc unpaired;
  Fill(unpaired, {"1", "2", "3"}, {"2", "", "4"});
  EXPECT_FALSE(ScatterDataPaired(unpaired));
  CORVELDoc single;
  Fill(single, {"1"}, {"2"});
  EXPECT_FALSE(ScatterDataPaired(single));
}

TEST(ScatterLayout, SquarePlotAreaForEachCallPattern) {
  ScatterSettings s;
  struct Case {
    GraphCall call;
    Rect area;
  } cases[] = {
      // File: line heights are the point sizes (title 12, X font 10); no header band.
      {GraphCall::File(16), {103, 36, 497, 430}},
      // Screen: measured lines of 16 and the header band of 16 above everything.
      {GraphCall::Screen(800, 600, 16), {148, 64, 652, 568}},
      // Portrait: a margin of six Y-font characters, centred vertically.
      {GraphCall::Screen(400, 600, 16), {42, 142, 358, 458}},
      {GraphCall::Printer(1000, 700, 16), {190, 48, 810, 668}},
  };
  for (const Case& c : cases) {
    RecordingGraphCanvas canvas(c.call.width, c.call.height);
    EXPECT_EQ(ScatterPlotArea(canvas, s, c.call), c.area) << c.call.width << "x" << c.call.height;
  }
}

struct Drawn {
  RecordingGraphCanvas canvas{600, 450};
  std::string refusal;
};

Drawn Draw(const CORVELDoc& doc, ScatterSettings& s, GraphCall call = GraphCall::File(16)) {
  Drawn d;
  d.canvas = RecordingGraphCanvas(call.width, call.height);
  d.refusal = DrawScatterPlot(d.canvas, doc, s, call);
  return d;
}

TEST(ScatterDrawing, MarkersAtTheirPointsWithTheStyleAndSize) {
  CORVELDoc doc;
  Fill(doc, {"1", "2", "", "5"}, {"2", "4", "", "10"});
  ScatterSettings s = DefaultScatterSettings(doc);  // X -6..6, Y -12..12
  s.regression = kScatterNone;
  struct Case {
    const char* style;
    GraphCall call;
    double half;
  } cases[] = {
      {"Square", GraphCall::File(16), 2},
      {"Circle", GraphCall::File(16), 2},
      {"Square", GraphCall::Printer(600, 450, 16), 3.5},  // a quarter character per size step
  };
  for (const Case& c : cases) {
    s.marker_style = c.style;
    const Drawn d = Draw(doc, s, c.call);
    ASSERT_EQ(d.canvas.shapes.size(), 4u) << "plot area and three markers";
    const Rect area = d.canvas.shapes[0].rect;
    const double px = area.left + 7 * area.Width() / 12, py = area.top + 10 * area.Height() / 24;  // (1, 2)
    const auto& m = d.canvas.shapes[1];
    EXPECT_EQ(m.ellipse, std::string(c.style) == "Circle");
    EXPECT_NEAR(m.rect.left, px - c.half, 1e-9);
    EXPECT_NEAR(m.rect.bottom, py + c.half, 1e-9);
    EXPECT_EQ(m.brush.color, (Color{0, 0, 255}));
    EXPECT_EQ(m.pen.width, 1);
    EXPECT_EQ(d.canvas.shapes[0].pen.color, (Color{192, 192, 192}));
  }
}

TEST(ScatterDrawing, OnlyTheLastTickOfEachSideAndZeroAreLabelled) {
  CORVELDoc doc;
  Fill(doc, {"1", "5"}, {"2", "10"});
  ScatterSettings s = DefaultScatterSettings(doc);
  s.regression = kScatterNone;
  const Drawn d = Draw(doc, s);
  for (const char* label : {"6.00", "-6.00", "12.00", "-12.00"}) EXPECT_TRUE(d.canvas.Find(label)) << label;
  for (const char* label : {"5.50", "-5.50", "0.50", "11.50"}) EXPECT_FALSE(d.canvas.Find(label)) << label;
  int zeros = 0;
  for (const auto& t : d.canvas.texts) zeros += t.text == "0";
  EXPECT_EQ(zeros, 2);
  // Ticks of half a character (10-point font without metrics: 5 wide) across each axis:
  // X has 0..6 and -0.5..-6 by 0.5 (25), Y 0..12 and -0.5..-12 (49).
  int x_ticks = 0, y_ticks = 0;
  for (const auto& l : d.canvas.lines) {
    if (l.x1 == l.x2 && std::fabs(l.y2 - l.y1 - 5) < 1e-9) ++x_ticks;
    if (l.y1 == l.y2 && std::fabs(l.x2 - l.x1 - 5) < 1e-9) ++y_ticks;
  }
  EXPECT_EQ(x_ticks, 25);
  EXPECT_EQ(y_ticks, 49);
  // The legend of kind 0 and the title.
  EXPECT_TRUE(d.canvas.Find("X : Col1 dose"));
  ASSERT_TRUE(d.canvas.Find("Y-axis scale : 0.50"));
  EXPECT_DOUBLE_EQ(d.canvas.Find("Y-axis scale : 0.50")->y, 4 * 12 + 20);  // 3/2 of 8 points a line
  ASSERT_TRUE(d.canvas.Find("Scatter Plot"));
  EXPECT_DOUBLE_EQ(d.canvas.Find("Scatter Plot")->x, 300);
}

std::vector<RecordingGraphCanvas::Line> RegressionLines(const Drawn& d, Color color) {
  std::vector<RecordingGraphCanvas::Line> out;
  for (const auto& l : d.canvas.lines)
    if (l.pen.color == color) out.push_back(l);
  return out;
}

TEST(ScatterDrawing, FittedLineIsClippedToThePlotRange) {
  CORVELDoc doc;
  Fill(doc, {"1", "2", "3", "4", "5"}, {"2", "4", "6", "8", "10"});  // y = 2x
  ScatterSettings s = DefaultScatterSettings(doc);
  s.regression_color = "Red";
  s.y.max = 6, s.y.min = -6;  // the line leaves the range at x = +-3
  Drawn d = Draw(doc, s);
  const Rect area = d.canvas.shapes[0].rect;
  auto lines = RegressionLines(d, {255, 0, 0});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NEAR(lines[0].x1, area.left + 3 * area.Width() / 12, 1e-9);
  EXPECT_NEAR(lines[0].y1, area.bottom, 1e-9);
  EXPECT_NEAR(lines[0].x2, area.left + 9 * area.Width() / 12, 1e-9);
  EXPECT_NEAR(lines[0].y2, area.top, 1e-9);
  EXPECT_TRUE(d.canvas.Find("y=2.000000x"));
  EXPECT_TRUE(d.canvas.Find("Correlation Coefficient r=1.000000"));
  EXPECT_TRUE(d.canvas.Find("p<0.0001**"));

  // A line that passes wholly above the range draws nothing.
  s.y.max = -20, s.y.min = -30;
  s.x.min = 20, s.x.max = 30;
  d = Draw(doc, s);
  EXPECT_TRUE(RegressionLines(d, {255, 0, 0}).empty());
}

TEST(ScatterDrawing, FlatFitIsHorizontalOnlyWithinTheYRange) {
  CORVELDoc doc;
  Fill(doc, {"1", "2", "3"}, {"3", "3", "3"});
  ScatterSettings s = DefaultScatterSettings(doc);  // Y -3.6..3.6
  s.regression_color = "Green";
  Drawn d = Draw(doc, s);
  auto lines = RegressionLines(d, {0, 255, 0});
  ASSERT_EQ(lines.size(), 1u);
  const Rect area = d.canvas.shapes[0].rect;
  EXPECT_NEAR(lines[0].x1, area.left, 1e-9);
  EXPECT_NEAR(lines[0].x2, area.right, 1e-9);
  EXPECT_EQ(lines[0].y1, lines[0].y2);
  EXPECT_TRUE(d.canvas.Find("p=undefined"));
  s.y.max = 2;
  d = Draw(doc, s);
  EXPECT_TRUE(RegressionLines(d, {0, 255, 0}).empty());
}

TEST(ScatterDrawing, CurvesStayInsideThePlotArea) {
  CORVELDoc doc;
  std::vector<std::string> x, y;
  for (int i = 1; i <= 5; ++i) {
    x.push_back(std::to_string(i));
    y.push_back(GraphFormat("%.12f", std::exp(0.5 * i)));
  }
  Fill(doc, x, y);
  for (int kind = kScatterLog10; kind <= kScatterReciprocal; ++kind) {
    ScatterSettings s = DefaultScatterSettings(doc);
    s.regression = kind;
    s.regression_color = "Red";
    const Drawn d = Draw(doc, s);
    EXPECT_TRUE(d.refusal.empty()) << kind;
    const Rect area = d.canvas.shapes[0].rect;
    const auto lines = RegressionLines(d, {255, 0, 0});
    EXPECT_GT(lines.size(), 10u) << kind;
    EXPECT_LT(lines.size(), 500u) << kind;  // some of the 500 leave the range or the domain
    for (const auto& l : lines) {
      EXPECT_GE(std::min(l.y1, l.y2), area.top - 1e-9) << kind;
      EXPECT_LE(std::max(l.y1, l.y2), area.bottom + 1e-9) << kind;
      EXPECT_GE(std::min(l.x1, l.x2), area.left - 1e-9) << kind;
    }
  }
  // The exponential fits exactly: y = 1 * exp(0.5x).
  ScatterSettings s = DefaultScatterSettings(doc);
  s.regression = kScatterExp;
  EXPECT_TRUE(Draw(doc, s).canvas.Find("y=1.000000*exp(0.500000x)"));
}

TEST(ScatterDrawing, RefusedTransformResetsTheKindOnce) {
  struct Case {
    std::vector<std::string> x, y;
    int kind;
    const char* message;
  } cases[] = {
      {{"0", "1", "2"}, {"1", "2", "3"}, kScatterLog10, "X column has negative numbers. Data setting is not correct."},
      {{"-1", "1", "2"}, {"1", "2", "3"}, kScatterLn, "X column has negative numbers. Data setting is not correct."},
      {{"1", "2", "3"}, {"0", "2", "3"}, kScatterPower, "Y column has negative numbers. Data setting is not correct."},
      {{"1", "2", "3"}, {"-1", "2", "3"}, kScatterExp10, "Y column has negative numbers. Data setting is not correct."},
      {{"1", "2", "3"}, {"-1", "2", "3"}, kScatterExp, "Y column has negative numbers. Data setting is not correct."},
      {{"-1", "0", "2"}, {"1", "2", "3"}, kScatterReciprocal, "X column has zeros. Data setting is not correct."},
  };
  for (const Case& c : cases) {
    CORVELDoc doc;
    Fill(doc, c.x, c.y);
    const std::string before = std::string(doc.Text(1, 1)) + std::string(doc.Text(2, 1));
    ScatterSettings s = DefaultScatterSettings(doc);
    s.regression = c.kind;
    Drawn d = Draw(doc, s);
    EXPECT_EQ(d.refusal, c.message) << c.kind;
    EXPECT_EQ(s.regression, kScatterNone);
    EXPECT_TRUE(d.canvas.Find("X-axis scale : 0.50") || d.canvas.Find("X-axis scale : 0.05")) << c.kind;
    EXPECT_FALSE(d.canvas.Find("[Two-sided Test]"));
    EXPECT_EQ(std::string(doc.Text(1, 1)) + std::string(doc.Text(2, 1)), before);
    EXPECT_TRUE(Draw(doc, s).refusal.empty()) << "the message is shown once";
  }
}

TEST(ScatterDrawing, AllZeroDataAndExtremeSettingsNeverReachTheDeviceUnbounded) {
  CORVELDoc doc;
  Fill(doc, {"0", "0", "0"}, {"0", "0", "0"});
  ScatterSettings s = DefaultScatterSettings(doc);
  EXPECT_EQ(s.x.max, 1);
  EXPECT_EQ(s.x.scale, 0.1);
  Drawn d = Draw(doc, s);
  EXPECT_FALSE(d.canvas.bad_coordinate);
  EXPECT_TRUE(RegressionLines(d, {0, 0, 255}).empty()) << "a constant X has no line";

  CORVELDoc wide;
  Fill(wide, {"1", "1e300"}, {"-1e300", "3"});
  s = DefaultScatterSettings(wide);
  s.x.max = 1e-300, s.x.min = 0;
  d = Draw(wide, s);
  EXPECT_FALSE(d.canvas.bad_coordinate);
}

TEST(ScatterLegend, EquationsAndPLines) {
  struct Case {
    int kind;
    double a, b;
    const char* text;
  } cases[] = {
      {1, 2, 3, "y=2.000000x+3.000000"},        {1, 2, 0, "y=2.000000x"},
      {1, 2, -3, "y=2.000000x-3.000000"},       {2, 1, 1, "y=1.000000log10(x)+1.000000"},
      {3, 1, 0, "y=1.000000ln(x)"},             {3, -1, -2, "y=-1.000000ln(x)-2.000000"},
      {4, 2, 1, "y=10.000000x^2.000000"},       {5, 0.5, 0, "y=1.000000*10^(0.500000x)"},
      {6, 1, 0, "y=1.000000*exp(1.000000x)"},   {7, 2, -1, "y=2.000000/x-1.000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScatterEquation(c.kind, c.a, c.b), c.text);

  // One degree of freedom has the closed form p = 1 - 2 atan(t) / pi.
  auto closed = [](double r) {
    const double t = std::fabs(r) * std::sqrt(1 / (1 - r * r));
    return 1 - 2 * std::atan(t) / M_PI;
  };
  EXPECT_EQ(ScatterPLine(0.5, 3), GraphFormat("p=%.6f", closed(0.5)));
  EXPECT_EQ(ScatterPLine(0.998, 3), GraphFormat("p=%.6f*", closed(0.998)));
  EXPECT_EQ(ScatterPLine(-0.9999, 3), GraphFormat("p=%.6f**", closed(0.9999)));
  EXPECT_EQ(ScatterPLine(0.99, 100), "p<0.0001**");
  EXPECT_EQ(ScatterPLine(0.5, 2), "p=undefined");
}

}  // namespace
}  // namespace orvel
