// The line plots of one-way data: their defaults and data checks, the geometry each kind draws
// on a recording canvas, and the commands with their sheets.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/graph_commands.h"
#include "app/line_plot_dialogs.h"
#include "app/orvel_view.h"
#include "graph/line_plot.h"
#include "graph/twoway_line_plot.h"
#include "graph_test_canvas.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::RecordingGraphCanvas;
using testing::ScriptedPort;

// Columns 1-3: five values each; column 4 has a gap in row 2; column 5 one value.
void Fill(CORVELDoc& doc) {
  const char* names[] = {"Before", "After", "Week 4", "Gap", "One"};
  const char* values[5][5] = {{"5", "4", "6", "5", "5"},
                              {"6", "5", "7", "6", "6"},
                              {"8", "6", "9", "7", "5"},
                              {"1", "", "3", "4", "5"},
                              {"2", "", "", "", ""}};
  for (int c = 0; c < 5; ++c) {
    doc.SetCell(c + 1, 0, names[c]);
    for (int r = 0; r < 5; ++r)
      if (*values[c][r]) doc.SetCell(c + 1, r + 1, values[c][r]);
  }
}

bool Near(double a, double b) { return std::fabs(a - b) < 1e-6; }

// The vertical lines drawn at x (error bars and profiles' verticals).
int VerticalsAt(const RecordingGraphCanvas& c, double x) {
  int n = 0;
  for (const auto& l : c.lines)
    if (Near(l.x1, x) && Near(l.x2, x) && !Near(l.y1, l.y2)) ++n;
  return n;
}

bool HasLine(const RecordingGraphCanvas& c, double x1, double y1, double x2, double y2) {
  for (const auto& l : c.lines)
    if (Near(l.x1, x1) && Near(l.y1, y1) && Near(l.x2, x2) && Near(l.y2, y2)) return true;
  return false;
}

int MarkersAt(const RecordingGraphCanvas& c, double x, double y, double m) {
  int n = 0;
  for (const auto& s : c.shapes)
    if (Near(s.rect.left, x - m) && Near(s.rect.right, x + m) && Near(s.rect.top, y - m) && Near(s.rect.bottom, y + m))
      ++n;
  return n;
}

TEST(LinePlotTest, DefaultRangesComeFromWhatEachKindPlots) {
  CORVELDoc doc;
  Fill(doc);
  for (int c : {1, 2, 3}) doc.SetGroupColumn(c, true);
  struct Case {
    int kind;
    double hi, lo;  // before the margin and the zero rule
  } cases[] = {
      // Means 5, 6, 7 with SD 0.7071, 0.7071, 1.5811 (divisor n - 1).
      {kLineTwoGroups, 6 + std::sqrt(0.5), 5 - std::sqrt(0.5)},
      {kLineGroups, 7 + std::sqrt(2.5), 5 - std::sqrt(0.5)},
      {kLineTwoRelated, 7, 4},
      {kLineRelatedGroups, 9, 4},
  };
  for (const Case& c : cases) {
    const LinePlotSettings s = DefaultLinePlotSettings(doc, c.kind);
    const GroupRange r = DefaultGroupRange(c.hi, c.lo);
    EXPECT_EQ(s.frame.y_max, r.max) << c.kind;
    EXPECT_EQ(s.frame.y_min, 0) << c.kind;  // all positive: the range starts at 0
    EXPECT_EQ(s.frame.y_scale, r.scale) << c.kind;
    EXPECT_EQ(s.frame.title, LinePlotTitle(c.kind));
    EXPECT_EQ(s.marker.size, 3);
    EXPECT_EQ(s.error_bar, "SD");
  }
  EXPECT_EQ(DefaultLinePlotSettings(doc, kLineGroups).columns, (std::vector<int>{1, 2, 3}));
}

TEST(LinePlotTest, DataChecksInOrder) {
  struct Case {
    int kind;
    int x, y;
    std::vector<int> groups;
    std::string refusal;
  } cases[] = {
      {kLineTwoGroups, 1, 5, {}, "Samples are too small."},
      {kLineTwoGroups, 1, 4, {}, ""},  // not paired, but the means need no pairs
      {kLineTwoRelated, 5, 1, {}, "Samples are too small."},
      {kLineTwoRelated, 1, 4, {}, "X and Y are not paired."},
      {kLineTwoRelated, 1, 2, {}, ""},
      {kLineGroups, 1, 2, {1, 2}, "Set data for Oneway Three Groups or More."},
      {kLineGroups, 1, 2, {1, 2, 4}, ""},
      {kLineRelatedGroups, 1, 2, {1, 2}, "Data setting for Three groups or more is required."},
      {kLineRelatedGroups, 1, 2, {1, 2, 4}, "Some columns are not paired."},
      {kLineRelatedGroups, 1, 2, {1, 2, 3}, ""},
      {kLineTwoway, 1, 2, {}, "Data setting is not correct."},
  };
  for (const Case& c : cases) {
    CORVELDoc doc;
    Fill(doc);
    doc.SetTwoGroupX(c.x);
    doc.SetTwoGroupY(c.y);
    for (int g : c.groups) doc.SetGroupColumn(g, true);
    EXPECT_EQ(LinePlotDataRefusal(doc, c.kind), c.refusal) << c.kind << " " << c.y;
  }
}

TEST(LinePlotTest, MeansAreJoinedWithTheirErrorBarsAndMarkers) {
  CORVELDoc doc;
  Fill(doc);
  struct Case {
    int kind;
    std::string error_bar;
    double half;  // the error bar of column 1 (SD sqrt(0.5), SE that over sqrt(5))
  } cases[] = {
      {kLineTwoGroups, "SD", std::sqrt(0.5)},
      {kLineTwoGroups, "SE", std::sqrt(0.1)},
      {kLineTwoGroups, "None", 0},
      {kLineGroups, "SD", std::sqrt(0.5)},
  };
  // Flagged out of order: the groups are still visited in column order.
  for (int c : {3, 1, 2}) doc.SetGroupColumn(c, true);
  for (const Case& c : cases) {
    LinePlotSettings s = DefaultLinePlotSettings(doc, c.kind);
    s.error_bar = c.error_bar;
    RecordingGraphCanvas canvas(600, 450);
    const GraphCall call = GraphCall::File();
    DrawLinePlot(canvas, doc, s, call);
    EXPECT_FALSE(canvas.bad_coordinate);
    const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, call);
    const int k = static_cast<int>(s.columns.size());
    const double m = 3;  // the marker size in a file
    std::vector<double> xs;
    for (int j = 0; j < k; ++j) xs.push_back(LineGroupCentre(lay, c.kind, j, k));
    const double means[] = {5, 6, 7};
    for (int j = 0; j < k; ++j) {
      EXPECT_EQ(MarkersAt(canvas, xs[j], lay.Py(means[j]), m), 1) << c.kind << " group " << j;
      if (j > 0) {
        EXPECT_TRUE(HasLine(canvas, xs[j - 1], lay.Py(means[j - 1]), xs[j], lay.Py(means[j])));
      }
      // The label under each group names its column.
      EXPECT_NE(canvas.Find("Col" + std::to_string(j + 1)), nullptr);
    }
    EXPECT_EQ(VerticalsAt(canvas, xs[0]), c.half > 0 ? 1 : 0) << c.error_bar;
    if (c.half > 0) {
      EXPECT_TRUE(HasLine(canvas, xs[0], lay.Py(5 - c.half), xs[0], lay.Py(5 + c.half)));
      EXPECT_TRUE(HasLine(canvas, xs[0] - m, lay.Py(5 + c.half), xs[0] + m, lay.Py(5 + c.half)));  // cap
    }
    EXPECT_NE(canvas.Find(LinePlotTitle(c.kind)), nullptr);
  }
}

TEST(LinePlotTest, ProfilesJoinEachRowAndMarkEveryValue) {
  CORVELDoc doc;
  Fill(doc);
  doc.SetTwoGroupY(4);  // Gap: row 2 has no value
  for (int c : {1, 2, 4}) doc.SetGroupColumn(c, true);
  struct Case {
    int kind;
    int lines, markers;
  } cases[] = {
      // Rows 1, 3, 4, 5 are complete: 4 lines; 5 + 4 values marked.
      {kLineTwoRelated, 4, 9},
      // Row 2 joins Before and After only: 4 x 2 + 1 lines; 5 + 5 + 4 values marked.
      {kLineRelatedGroups, 9, 14},
  };
  for (const Case& c : cases) {
    LinePlotSettings s = DefaultLinePlotSettings(doc, c.kind);
    s.line_color = "Red";
    RecordingGraphCanvas canvas(600, 450);
    DrawLinePlot(canvas, doc, s, GraphCall::File());
    int lines = 0, markers = 0;
    for (const auto& l : canvas.lines) lines += l.pen.color == Color{255, 0, 0} ? 1 : 0;
    for (const auto& sh : canvas.shapes) markers += sh.brush.color == Color{0, 0, 255} ? 1 : 0;
    EXPECT_EQ(lines, c.lines) << c.kind;
    EXPECT_EQ(markers, c.markers) << c.kind;
    const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, GraphCall::File());
    const int k = static_cast<int>(s.columns.size());
    // Row 1: Before 5 to the last column's 1.
    EXPECT_TRUE(HasLine(canvas, LineGroupCentre(lay, c.kind, k - 2, k), lay.Py(k == 2 ? 5 : 6),
                        LineGroupCentre(lay, c.kind, k - 1, k), lay.Py(1)));
  }
}

TEST(LinePlotTest, AGroupWithoutNumbersIsPassedBy) {
  CORVELDoc doc;
  Fill(doc);
  for (int r = 1; r <= 3; ++r) doc.SetCell(8, r, "7");
  for (int c : {1, 6, 8}) doc.SetGroupColumn(c, true);  // column 6 is empty
  const LinePlotSettings s = DefaultLinePlotSettings(doc, kLineGroups);
  RecordingGraphCanvas canvas(600, 450);
  DrawLinePlot(canvas, doc, s, GraphCall::File());
  const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, GraphCall::File());
  EXPECT_TRUE(HasLine(canvas, lay.SlotCentre(0, 3), lay.Py(5), lay.SlotCentre(2, 3), lay.Py(7)));
  EXPECT_EQ(MarkersAt(canvas, lay.SlotCentre(1, 3), lay.Py(0), 3), 0);
  EXPECT_EQ(VerticalsAt(canvas, lay.SlotCentre(1, 3)), 0);
  EXPECT_NE(canvas.Find("Col6"), nullptr);  // its label still stands under its slot
}

TEST(LinePlotTest, PrintedMarkersScaleWithTheFont) {
  CORVELDoc doc;
  Fill(doc);
  LinePlotSettings s = DefaultLinePlotSettings(doc, kLineTwoGroups);
  s.marker.size = 4;
  RecordingGraphCanvas canvas(2000, 1500);
  DrawLinePlot(canvas, doc, s, GraphCall::Printer(2000, 1500, 16));
  ASSERT_FALSE(canvas.shapes.size() < 2);
  // The recording font is 7 wide: 7 x 4 / 4.
  const auto& marker = canvas.shapes.back();
  EXPECT_DOUBLE_EQ(marker.rect.Width(), 2 * 7.0);
}

class LinePlotCommandsTest : public ::testing::Test {
 protected:
  LinePlotCommandsTest() {
    Fill(doc);
    doc.SetModified(false);
    view.IsRecording = true;
  }
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(LinePlotCommandsTest, EachKindStoresItsSheetAndRecordsItsStatement) {
  for (int c : {1, 2, 3}) doc.SetGroupColumn(c, true);
  struct Case {
    int kind;
    const char* statement;
  } cases[] = {{kLineTwoGroups, "oresenxy();\r\n"},
               {kLineGroups, "oresenone();\r\n"},
               {kLineTwoRelated, "oresenxypaired();\r\n"},
               {kLineRelatedGroups, "oresenonepaired();\r\n"}};
  for (const Case& c : cases) {
    view.MacroText.clear();
    port.QueueDialog(LinePlotSheetTitle(c.kind), {{"y_max", "12"}, {"title", "Mine"}, {"marker", "circle"}});
    view.OnLinePlot(c.kind);
    EXPECT_TRUE(port.AllAnswersUsed());
    EXPECT_EQ(view.MacroText, c.statement);
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kLinePlot);
    EXPECT_EQ(view.Graphs().line_kind, c.kind);
    EXPECT_EQ(view.Graphs().line.frame.y_max, 12);
    EXPECT_EQ(view.Graphs().line.frame.title, "Mine");
    EXPECT_EQ(view.Graphs().line.marker.style, "Circle");
  }
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(LinePlotCommandsTest, RefusalsOfBothSheetsChangeNothing) {
  port.QueueDialog(LinePlotSheetTitle(kLineTwoGroups));
  view.OnLinePlot(kLineTwoGroups);
  view.MacroText.clear();
  const std::string title = view.Graphs().line.frame.title;
  struct Case {
    bool reedit;
    std::string key, value;
    std::string message;
  } cases[] = {
      {false, "y_min", "100", "FreeORVEL: The maximum setting is smaller than the minimum setting."},
      {false, "y_scale", "0", "FreeORVEL: Setting for scale is not correct."},
      {false, "y_scale", "-1", "FreeORVEL: Setting for scale is not correct."},
      {true, "y_max", "0", "FreeORVEL: The maximum setting is smaller than the minimum setting."},
      {true, "y_scale", "abc", "FreeORVEL: Scale setting is not correct."},
  };
  for (const Case& c : cases) {
    port.QueueDialog(c.reedit ? LinePlotReeditTitle(kLineTwoGroups) : LinePlotSheetTitle(kLineTwoGroups),
                     {{c.key, c.value}, {"title", "Lost"}});
    if (c.reedit)
      view.OnEditGraph();
    else
      view.OnLinePlot(kLineTwoGroups);
    EXPECT_EQ(port.Messages().back(), c.message) << c.key << c.value;
    EXPECT_EQ(view.Graphs().line.frame.title, title);
  }
  // The re-edit sheet redraws on OK and records nothing.
  const int repaints = port.repaints;
  port.QueueDialog(LinePlotReeditTitle(kLineTwoGroups), {{"title", "Edited"}, {"error_bar", "none"}});
  view.OnEditGraph();
  EXPECT_EQ(view.Graphs().line.frame.title, "Edited");
  EXPECT_EQ(view.Graphs().line.error_bar, "None");
  EXPECT_GT(port.repaints, repaints);
  EXPECT_EQ(view.MacroText, "");
}

TEST_F(LinePlotCommandsTest, PagesOfTheSheets) {
  LinePlotDialog means(doc, DefaultLinePlotSettings(doc, kLineTwoGroups), false);
  EXPECT_EQ(means.Schema().pages, (std::vector<std::string>{"Y-axis", "X-axis", "Line Format", "Marker Format",
                                                            "Eror Bar", "Title", "Plot Area"}));
  EXPECT_EQ(means.Schema().Find("y_max")->ValueText(), "6.95");  // 6.71 widened by a tenth of 2.41
  EXPECT_EQ(means.Schema().Find("y_maximum_value")->ValueText(), "7.00");  // the values, not the means
  EXPECT_EQ(means.Schema().Find("y_minimum_value")->ValueText(), "4.00");
  LinePlotDialog profiles(doc, DefaultLinePlotSettings(doc, kLineTwoRelated), true);
  EXPECT_EQ(profiles.Title(), "Setting for line plot (Oneway Two related groups)");
  EXPECT_EQ(profiles.Schema().Find("error_bar"), nullptr);
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// Two A levels across three B levels: A level a at B level b is column 3 (a - 1) + b, each of
// three rows, means 1..3 for A1 and 4..6 for A2.
class TwowayLinePlotTest : public ::testing::Test {
 protected:
  TwowayLinePlotTest() {
    for (int a = 1; a <= 2; ++a)
      for (int b = 1; b <= 3; ++b) {
        const int column = 3 * (a - 1) + b;
        const double mean = column;
        for (int r = 1; r <= 3; ++r) doc.SetCell(column, r, std::to_string(mean + (r - 2) * 0.5));
        doc.SetTwowayGridCell(a, b, column);
      }
    view.IsRecording = true;
  }
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(TwowayLinePlotTest, SeriesStandApartByThePlotIntervalWithTheirBarsAndLegend) {
  const TwowayLinePlotSettings preset = DefaultTwowayLinePlotSettings(doc);
  // SD 0.5: the cells reach from 0.5 to 6.5 before the margin.
  EXPECT_EQ(preset.frame.y_max, DefaultGroupRange(6.5, 0.5).max);
  EXPECT_EQ(preset.frame.y_min, 0);  // positive cells: from 0, though the widening reaches below
  struct Case {
    bool interval, legend;
    ErrorBarKind error;
    double half;
  } cases[] = {
      {true, true, ErrorBarKind::kSD, 0.5},
      {false, false, ErrorBarKind::kSE, 0.5 / std::sqrt(3.0)},
      {true, true, ErrorBarKind::kNone, 0},
  };
  for (const Case& c : cases) {
    TwowayLinePlotSettings s = preset;
    s.options.plot_interval = c.interval;
    s.options.legend = c.legend;
    s.options.error = c.error;
    RecordingGraphCanvas canvas(600, 450);
    DrawTwowayLinePlot(canvas, doc, s, GraphCall::File());
    EXPECT_FALSE(canvas.bad_coordinate);
    const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, GraphCall::File());
    for (int b = 0; b < 3; ++b) {
      const double x1 = TwowayLinePointX(lay, 0, 2, b, 3, c.interval);
      const double x2 = TwowayLinePointX(lay, 1, 2, b, 3, c.interval);
      // With the interval the two series straddle the B slot's centre; without it they share it.
      EXPECT_EQ(x1 < lay.SlotCentre(b, 3) && x2 > lay.SlotCentre(b, 3), c.interval);
      EXPECT_EQ(MarkersAt(canvas, x1, lay.Py(b + 1), 3), 1);
      EXPECT_EQ(MarkersAt(canvas, x2, lay.Py(b + 4), 3), 1);
      if (c.half > 0) {
        EXPECT_TRUE(HasLine(canvas, x2, lay.Py(b + 4 - c.half), x2, lay.Py(b + 4 + c.half)));
      } else {
        EXPECT_EQ(VerticalsAt(canvas, x2), 0);
      }
      if (b > 0) {
        EXPECT_TRUE(HasLine(canvas, TwowayLinePointX(lay, 0, 2, b - 1, 3, c.interval), lay.Py(b), x1, lay.Py(b + 1)));
      }
      EXPECT_NE(canvas.Find("B" + std::to_string(b + 1)), nullptr);
    }
    // A1 is blue, A2 red, each line in its own colour.
    int red = 0;
    for (const auto& l : canvas.lines) red += l.pen.color == Color{255, 0, 0} && !Near(l.x1, l.x2) ? 1 : 0;
    EXPECT_EQ(red, 2 + (c.legend ? 1 : 0) + (c.half > 0 ? 6 : 0));
    EXPECT_EQ(canvas.Find("A1") != nullptr, c.legend);
  }
}

TEST_F(TwowayLinePlotTest, CommandAndReeditSheet) {
  port.QueueDialog(TwowayLinePlotDialog::kTitle, {{"a1_color", "gray"}, {"interval", "0"}, {"legend", "off"}});
  view.OnLinePlot(kLineTwoway);
  EXPECT_EQ(view.MacroText, "oresentwo();\r\n");
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kLinePlot);
  EXPECT_EQ(view.Graphs().line_kind, kLineTwoway);
  EXPECT_EQ(view.Graphs().line_twoway.formats[0].line_color, "Gray");
  EXPECT_FALSE(view.Graphs().line_twoway.options.plot_interval);
  EXPECT_FALSE(view.Graphs().line_twoway.options.legend);
  port.QueueDialog(TwowayLinePlotDialog::kTitle, {{"y_scale", "0"}, {"legend", "on"}});
  view.OnEditGraph();
  EXPECT_EQ(port.Messages().back(), "FreeORVEL: Scale setting is not correct.");
  EXPECT_FALSE(view.Graphs().line_twoway.options.legend);
  port.QueueDialog(TwowayLinePlotDialog::kTitle, {{"legend", "on"}});
  view.OnEditGraph();
  EXPECT_TRUE(view.Graphs().line_twoway.options.legend);
  EXPECT_EQ(view.MacroText, "oresentwo();\r\n");
  TwowayLinePlotDialog sheet;
  EXPECT_EQ(sheet.Schema().pages, (std::vector<std::string>{"Line Format", "Marker Format", "Eror Bar",
                                                            "Other Formats", "Color and Legend"}));
}

}  // namespace
}  // namespace orvel
