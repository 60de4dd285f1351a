// Box plots and bar plots: where the boxes, whiskers, bars and error bars land, the commands'
// checks, statements and re-edit sheets.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/boxbar_dialogs.h"
#include "app/graph_commands.h"
#include "app/print_layout.h"
#include "app/orvel_view.h"
#include "graph/bar_plot.h"
#include "graph/box_plot.h"
#include "graph_test_canvas.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::RecordingGraphCanvas;
using testing::ScriptedPort;

// Columns 1-3 (Low, High, Mid) and a two-way setting of 2 A levels x 2 B levels on columns 1-4.
void FillGroups(CORVELDoc& doc) {
  const char* names[] = {"Low", "High", "Mid", "Other"};
  const double values[4][5] = {{1, 2, 3, 4, 5}, {10, 12, 14, 16, 18}, {4, 4, 5, 6, 6}, {2, 3, 3, 3, 9}};
  for (int c = 0; c < 4; ++c) {
    doc.SetCell(c + 1, 0, names[c]);
    for (int r = 0; r < 5; ++r) doc.SetCell(c + 1, r + 1, GraphFormat("%g", values[c][r]));
  }
  doc.SetTwoGroupX(1);
  doc.SetTwoGroupY(2);
  for (int c : {3, 1, 2}) doc.SetGroupColumn(c, true);  // flagged out of order
  doc.SetTwowayGridCell(1, 1, 1), doc.SetTwowayGridCell(1, 2, 2);
  doc.SetTwowayGridCell(2, 1, 3), doc.SetTwowayGridCell(2, 2, 4);
}

bool HasLine(const RecordingGraphCanvas& c, double x1, double y1, double x2, double y2) {
  return std::any_of(c.lines.begin(), c.lines.end(), [&](const auto& l) {
    return std::fabs(l.x1 - x1) < 1e-9 && std::fabs(l.y1 - y1) < 1e-9 && std::fabs(l.x2 - x2) < 1e-9 &&
           std::fabs(l.y2 - y2) < 1e-9;
  });
}

TEST(BoxPlot, BoxesWhiskersAndMediansStandAtTheGroupsFigures) {
  CORVELDoc doc;
  FillGroups(doc);
  for (int kind : {kBoxPlotTwoGroups, kBoxPlotGroups}) {
    SCOPED_TRACE(kind);
    const BoxPlotSettings s = DefaultBoxPlotSettings(doc, kind);
    // All positive: the range starts at 0; hi = 18 + 1.7.
    EXPECT_EQ(s.frame.y_min, 0);
    EXPECT_DOUBLE_EQ(s.frame.y_max, 19.7);
    EXPECT_EQ(s.frame.title, BoxPlotTitle(kind));
    ASSERT_EQ(s.groups.size(), kind == kBoxPlotTwoGroups ? 2u : 3u);
    EXPECT_EQ(s.groups[0].column, 1);  // column order, whatever order they were flagged in
    EXPECT_DOUBLE_EQ(s.groups[0].median, 3);
    EXPECT_DOUBLE_EQ(s.groups[1].median, 14);

    RecordingGraphCanvas canvas(600, 450);
    const GraphCall call = GraphCall::File();
    DrawBoxPlot(canvas, s, call);
    const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, call);
    const int n = static_cast<int>(s.groups.size());
    for (int j = 0; j < n; ++j) {
      const GroupStats& g = s.groups[static_cast<std::size_t>(j)];
      const BoxPlace p = BoxPlotPlace(lay, kind, j, n);
      if (kind == kBoxPlotTwoGroups) {
        EXPECT_DOUBLE_EQ(p.half, lay.area.Width() / 10);
      } else {
        EXPECT_DOUBLE_EQ(p.centre, lay.area.left + (2 * j + 1) * lay.area.Width() / (2 * n));
      }
      const Rect box{p.centre - p.half, lay.Py(g.upper_quartile), p.centre + p.half, lay.Py(g.lower_quartile)};
      EXPECT_TRUE(std::any_of(canvas.shapes.begin(), canvas.shapes.end(), [&](const auto& sh) { return sh.rect == box; }))
          << j;
      EXPECT_TRUE(HasLine(canvas, p.centre - 1.2 * p.half, lay.Py(g.median), p.centre + 1.2 * p.half, lay.Py(g.median)));
      EXPECT_TRUE(HasLine(canvas, p.centre, lay.Py(g.lower_quartile), p.centre, lay.Py(g.min)));
      EXPECT_TRUE(HasLine(canvas, p.centre - p.half, lay.Py(g.max), p.centre + p.half, lay.Py(g.max)));
      const auto* col = canvas.Find(GraphFormat("Col%d", g.column));
      ASSERT_NE(col, nullptr);
      EXPECT_DOUBLE_EQ(col->x, p.centre);
      ASSERT_NE(canvas.Find(g.label), nullptr);
    }
    // All positive: the baseline is the bottom edge.
    EXPECT_TRUE(HasLine(canvas, lay.area.left, lay.area.bottom, lay.area.right, lay.area.bottom));
    EXPECT_FALSE(canvas.bad_coordinate);
  }
}

TEST(BarPlot, BarsGrowFromTheBaselineToTheMeanWithTheirErrorBars) {
  CORVELDoc doc;
  FillGroups(doc);
  struct Case {
    int kind;
    ErrorBarKind error;
    double y_min;  // a negative minimum puts the baseline at 0 inside the area
  } cases[] = {{kBarPlotTwoGroups, ErrorBarKind::kSD, 0},
               {kBarPlotTwoGroups, ErrorBarKind::kNone, -5},
               {kBarPlotGroups, ErrorBarKind::kSE, 0},
               {kBarPlotGroups, ErrorBarKind::kSD, -5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind * 10 + static_cast<int>(c.error));
    BarPlotSettings s = DefaultBarPlotSettings(doc, c.kind);
    s.error = c.error;
    s.frame.y_min = c.y_min;
    RecordingGraphCanvas canvas(600, 450);
    DrawBarPlot(canvas, s, GraphCall::File());
    const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, GraphCall::File());
    const double foot = c.y_min == 0 ? lay.area.bottom : lay.Py(0);
    for (int j = 0; j < static_cast<int>(s.groups.size()); ++j) {
      const GroupStats& g = s.groups[static_cast<std::size_t>(j)];
      const BarPlace p = BarPlotPlace(lay, s, j);
      const Rect bar{p.centre - p.half, lay.Py(g.mean), p.centre + p.half, foot};
      EXPECT_TRUE(std::any_of(canvas.shapes.begin(), canvas.shapes.end(), [&](const auto& sh) { return sh.rect == bar; }))
          << j;
      const double e = c.error == ErrorBarKind::kSD ? g.sd : c.error == ErrorBarKind::kSE ? g.se : 0;
      const double cap = 0.6 * p.half;
      EXPECT_EQ(HasLine(canvas, p.centre, lay.Py(g.mean - e), p.centre, lay.Py(g.mean + e)),
                c.error != ErrorBarKind::kNone);
      EXPECT_EQ(HasLine(canvas, p.centre - cap, lay.Py(g.mean + e), p.centre + cap, lay.Py(g.mean + e)),
                c.error != ErrorBarKind::kNone);
    }
    EXPECT_FALSE(canvas.bad_coordinate);
  }
  // The SD and SE of Low (1..5): sqrt(2.5) and sqrt(2.5 / 5).
  const BarPlotSettings s = DefaultBarPlotSettings(doc, kBarPlotTwoGroups);
  EXPECT_DOUBLE_EQ(s.groups[0].sd, std::sqrt(2.5));
  EXPECT_DOUBLE_EQ(s.groups[0].se, std::sqrt(0.5));
}

TEST(BarPlot, TwowayBarsStandSideBySideWithinEachBLevel) {
  CORVELDoc doc;
  FillGroups(doc);
  for (const bool interval : {true, false}) {
    SCOPED_TRACE(interval);
    BarPlotSettings s = DefaultBarPlotSettings(doc, kBarPlotTwoway);
    s.twoway.plot_interval = interval;
    s.twoway.legend = interval;  // the legend only in the first run
    RecordingGraphCanvas canvas(600, 450);
    DrawBarPlot(canvas, s, GraphCall::File());
    const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, GraphCall::File());
    ASSERT_EQ(s.twoway_data.a_levels, 2);
    for (int b = 0; b < 2; ++b) {
      const BarPlace a1 = BarPlotPlace(lay, s, 0, b), a2 = BarPlotPlace(lay, s, 1, b);
      const double slot = lay.SlotCentre(b, 2);
      EXPECT_LT(a1.centre, slot);
      EXPECT_GT(a2.centre, slot);
      EXPECT_DOUBLE_EQ(slot - a1.centre, a2.centre - slot);
      // With the Plot Interval there is a gap between the bars, without it they touch.
      const double gap = (a2.centre - a2.half) - (a1.centre + a1.half);
      if (interval) {
        EXPECT_GT(gap, 0);
      } else {
        EXPECT_NEAR(gap, 0, 1e-9);
      }
      // Each series in its own colour: A1 blue, A2 red.
      for (int a = 0; a < 2; ++a) {
        const BarPlace p = a == 0 ? a1 : a2;
        const GroupStats& g = s.twoway_data.At(a, b);
        const Rect bar{p.centre - p.half, lay.Py(g.mean), p.centre + p.half, lay.Py(0)};
        const auto it = std::find_if(canvas.shapes.begin(), canvas.shapes.end(), [&](const auto& sh) { return sh.rect == bar; });
        ASSERT_NE(it, canvas.shapes.end());
        EXPECT_EQ(it->brush.color, a == 0 ? (Color{0, 0, 255}) : (Color{255, 0, 0}));
      }
    }
    EXPECT_NE(canvas.Find("B1"), nullptr);
    EXPECT_EQ(canvas.Find("A1") != nullptr, interval);
  }
}

TEST(GroupPlots, EveryCallPatternAndExtremeSettingsStayOnTheDevice) {
  CORVELDoc doc;
  FillGroups(doc);
  const GraphCall calls[] = {GraphCall::Screen(1000, 700, 20), GraphCall::Printer(2400, 3300, 50), GraphCall::File()};
  for (const GraphCall& call : calls) {
    for (double y_max : {19.7, 1e300}) {
      RecordingGraphCanvas canvas(call.width, call.height);
      BoxPlotSettings box = DefaultBoxPlotSettings(doc, kBoxPlotGroups);
      box.frame.y_max = y_max;
      box.frame.y_min = -y_max;
      box.frame.y_scale = 1e-300;
      DrawBoxPlot(canvas, box, call);
      for (int kind : {0, 1, 2}) {
        BarPlotSettings bar = DefaultBarPlotSettings(doc, kind);
        bar.frame.y_max = y_max;
        DrawBarPlot(canvas, bar, call);
      }
      EXPECT_FALSE(canvas.bad_coordinate) << call.width << " " << y_max;
      EXPECT_LT(canvas.lines.size(), 20000u);
      const auto* title = canvas.Find(BoxPlotTitle(kBoxPlotGroups));
      ASSERT_NE(title, nullptr);
      EXPECT_DOUBLE_EQ(title->y, call.OnScreen() ? 20 + 8 : call.Printing() ? 8 : 30);
    }
  }
}

class BoxBarCommandsTest : public ::testing::Test {
 protected:
  BoxBarCommandsTest() {
    FillGroups(doc);
    doc.SetModified(false);
    view.IsRecording = true;
  }
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(BoxBarCommandsTest, EachCommandDrawsAndRecordsItsStatement) {
  struct Case {
    void (CORVELView::*command)(int);
    int kind;
    const char* title;
    DisplayKind mode;
    const char* statement;
  } cases[] = {
      {&CORVELView::OnBoxPlot, 0, BoxPlotDialog::kTwoGroupsTitle, DisplayKind::kBoxPlot, "hakohigexy();\r\n"},
      {&CORVELView::OnBoxPlot, 1, BoxPlotDialog::kGroupsTitle, DisplayKind::kBoxPlot, "hakohigeone();\r\n"},
      {&CORVELView::OnBarPlot, 0, BarPlotDialog::kTwoGroupsTitle, DisplayKind::kBarPlot, "bargraphxy();\r\n"},
      {&CORVELView::OnBarPlot, 1, BarPlotDialog::kGroupsTitle, DisplayKind::kBarPlot, "bargraphone();\r\n"},
      {&CORVELView::OnBarPlot, 2, BarPlotDialog::kTwowayTitle, DisplayKind::kBarPlot, "bargraphtwo();\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statement);
    view.MacroText.clear();
    doc.DisplayMode = DisplayKind::kDataSheet;
    port.QueueDialog(c.title, {{"title", "Mine"}, {"y_max", "30"}});
    (view.*c.command)(c.kind);
    EXPECT_TRUE(port.AllAnswersUsed());
    EXPECT_EQ(doc.DisplayMode, c.mode);
    EXPECT_EQ(view.MacroText, c.statement);
    const GroupPlotFrame& f = c.mode == DisplayKind::kBoxPlot ? view.Graphs().box.frame : view.Graphs().bar.frame;
    EXPECT_EQ(f.title, "Mine");
    EXPECT_EQ(f.y_max, 30);
    RecordingGraphCanvas canvas(600, 450);
    view.DrawGraph(canvas, GraphCall::File());
    EXPECT_NE(canvas.Find("Mine"), nullptr);
  }
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(BoxBarCommandsTest, DataChecksAndSettingChecksLeaveTheDisplayAsItWas) {
  struct Case {
    void (CORVELView::*command)(int);
    int kind;
    const char* title;
    std::map<std::string, std::string> answers;
    const char* message;
  } cases[] = {
      {&CORVELView::OnBoxPlot, 0, BoxPlotDialog::kTwoGroupsTitle, {{"y_max", "1"}, {"y_min", "1"}},
       "FreeORVEL: The maximum setting is smaller than the minimum setting."},
      {&CORVELView::OnBoxPlot, 1, BoxPlotDialog::kGroupsTitle, {{"y_scale", "-1"}}, "FreeORVEL: Setting for scale is not correct."},
      {&CORVELView::OnBarPlot, 2, BarPlotDialog::kTwowayTitle, {{"y_scale", "0"}}, "FreeORVEL: Setting for scale is not correct."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    port.QueueDialog(c.title, c.answers);
    (view.*c.command)(c.kind);
    EXPECT_EQ(port.Messages().back(), c.message);
    EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
    EXPECT_EQ(view.MacroText, "");
  }
  // The data checks come before any sheet.
  doc.SetTwoGroupY(5);  // empty
  doc.SetGroupColumn(3, false);
  doc.SetTwowayGridCell(2, 2, 0);
  view.OnBoxPlot(0);
  view.OnBarPlot(0);
  view.OnBoxPlot(1);
  view.OnBarPlot(1);
  view.OnBarPlot(2);
  const std::vector<std::string> expected{"FreeORVEL: Samples are too small.", "FreeORVEL: Samples are too small.",
                                          "FreeORVEL: Data setting for Three groups or more is required.",
                                          "FreeORVEL: Set data for Oneway Three Groups or More.",
                                          "FreeORVEL: Data setting is not correct."};
  const auto messages = port.Messages();
  EXPECT_EQ(std::vector<std::string>(messages.end() - 5, messages.end()), expected);
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(BoxBarCommandsTest, ReeditSheetsRedrawWithoutAStatementAndKeepTheirOwnWords) {
  view.OnBoxPlot(kBoxPlotTwoGroups);
  view.MacroText.clear();
  // The box plot's re-edit sheet has its own refusal text for the scale.
  port.QueueDialog(BoxPlotDialog::kTwoGroupsTitle, {{"y_scale", "0"}, {"title", "Lost"}});
  view.OnEditGraph();
  EXPECT_EQ(port.Messages().back(), "FreeORVEL: Scale setting is not correct.");
  EXPECT_NE(view.Graphs().box.frame.title, "Lost");
  // The sheet opens with the stored settings: a typed scale comes back as typed.
  port.QueueDialog(BoxPlotDialog::kTwoGroupsTitle, {{"y_scale", "0.125"}, {"fill", "red"}});
  const int repaints = port.repaints;
  view.OnEditGraph();
  EXPECT_EQ(view.Graphs().box.frame.y_scale, 0.125);
  EXPECT_EQ(view.Graphs().box.box_fill, "Red");
  EXPECT_GT(port.repaints, repaints);
  BoxPlotDialog again(view.Graphs().box, true);
  EXPECT_EQ(again.Schema().Find("y_scale")->ValueText(), "0.125");
  EXPECT_EQ(view.MacroText, "");

  view.OnBarPlot(kBarPlotTwoway);
  view.MacroText.clear();
  port.QueueDialog(BarPlotDialog::kTwowayTitle, {{"y_scale", "0"}});
  view.OnEditGraph();
  EXPECT_EQ(port.Messages().back(), "FreeORVEL: Setting for scale is not correct.");
  port.QueueDialog(BarPlotDialog::kTwowayTitle, {{"legend", "off"}, {"a2_fill", "green"}, {"interval", "0"}});
  view.OnEditGraph();
  EXPECT_FALSE(view.Graphs().bar.twoway.legend);
  EXPECT_FALSE(view.Graphs().bar.twoway.plot_interval);
  EXPECT_EQ(view.Graphs().bar.series[1].marker.background, "Green");
  EXPECT_EQ(view.MacroText, "");
}

TEST_F(BoxBarCommandsTest, PrintedAndOnScreenThroughTheViewsGraphPaths) {
  view.OnBoxPlot(kBoxPlotGroups);
  const Printout printout(doc, [this](Canvas& c, const GraphCall& g) { view.DrawGraph(c, g); });
  ASSERT_EQ(printout.PageCount(), 1);
  RecordingGraphCanvas page(1000, 1400);
  printout.DrawPage(page, PrintPageGeometry{1000, 1400, 300}, 1);
  EXPECT_FALSE(page.Find(kGraphBandPrompt));
  ASSERT_TRUE(page.Find(BoxPlotTitle(kBoxPlotGroups)));
  EXPECT_DOUBLE_EQ(page.Find(BoxPlotTitle(kBoxPlotGroups))->y, 8);  // half a title line, no band
  ASSERT_TRUE(page.Find("Col3"));

  view.OnBarPlot(kBarPlotTwoway);
  RecordingGraphCanvas screen(900, 600);
  view.DrawGraphPane(screen);
  ASSERT_TRUE(screen.Find(kGraphBandPrompt));
  ASSERT_TRUE(screen.Find(BarPlotTitle(kBarPlotTwoway)));
  EXPECT_DOUBLE_EQ(screen.Find(BarPlotTitle(kBarPlotTwoway))->y, 16 + 8);  // under the band
  EXPECT_TRUE(screen.Find("A2"));
  EXPECT_FALSE(screen.bad_coordinate);
}

TEST_F(BoxBarCommandsTest, SheetsOfferTheirPagesAndPresets) {
  BarPlotDialog twoway(DefaultBarPlotSettings(doc, kBarPlotTwoway), false);
  EXPECT_EQ(twoway.Schema().pages,
            (std::vector<std::string>{"Line Format", "Marker Format", "Eror Bar", "Other Formats", "Color and Legend"}));
  const DialogSchema schema = twoway.Schema();
  EXPECT_EQ(schema.Find("a5_color")->ValueText(), "yellow");
  EXPECT_EQ(schema.Find("legend")->ValueText(), "on");
  BarPlotDialog two(DefaultBarPlotSettings(doc, kBarPlotTwoGroups), false);
  const DialogSchema s2 = two.Schema();
  EXPECT_EQ(s2.pages, (std::vector<std::string>{"X-axis", "Y-axis", "Data Format", "Title", "Plot Area"}));
  EXPECT_EQ(s2.Find("y_max")->ValueText(), "19.70");
  EXPECT_EQ(s2.Find("y_min")->ValueText(), "0.00");
  EXPECT_EQ(s2.Find("y_scale")->ValueText(), "0.50");
  EXPECT_EQ(s2.Find("y_maximum_value")->ValueText(), "18.00");
  EXPECT_EQ(s2.Find("title")->ValueText(), "Bar Plot--Oneway Two Groups");
}

}  // namespace
}  // namespace orvel
