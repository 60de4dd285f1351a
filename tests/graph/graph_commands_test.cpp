#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/graph_commands.h"
#include "app/graph_dialogs.h"
#include "app/orvel_view.h"
#include "app/print_layout.h"
#include "graph/graph_common.h"
#include "graph_test_canvas.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::RecordingGraphCanvas;
using testing::ScriptedPort;

class GraphCommandsTest : public ::testing::Test {
 protected:
  GraphCommandsTest() {
    doc.SetCell(1, 0, "dose");
    doc.SetCell(2, 0, "weight");
    const char* xs[] = {"1", "2", "3", "4", "5"};
    const char* ys[] = {"2.1", "3.9", "6.2", "8.1", "9.8"};
    for (int r = 0; r < 5; ++r) doc.SetCell(1, r + 1, xs[r]), doc.SetCell(2, r + 1, ys[r]);
    doc.SetCell(3, 1, "0"), doc.SetCell(3, 2, "1"), doc.SetCell(3, 3, "2"), doc.SetCell(3, 4, "3"), doc.SetCell(3, 5, "4");
    doc.SetModified(false);
    view.IsRecording = true;
  }
  CORVELDoc doc;
  ScriptedPort port;
  CORVELView view{doc, port};
};

TEST_F(GraphCommandsTest, ScatterPlotStoresTheAcceptedSheetAndRecords) {
  port.QueueDialog(ScatterPlotDialog::kTitle,
                   {{"x_max", "-8"}, {"x_min", "8"}, {"x_scale", "-2"}, {"marker", "circle"}, {"title", "By dose"}});
  view.OnScatterPlot();
  EXPECT_TRUE(port.AllAnswersUsed());
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kScatterPlot);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(view.MacroText, "scatter();\r\n");
  const ScatterSettings& s = view.Graphs().scatter;
  EXPECT_EQ(s.x.max, 8);  // swapped
  EXPECT_EQ(s.x.min, -8);
  EXPECT_EQ(s.x.scale, 2);  // made positive
  EXPECT_EQ(s.y.max, 11.76);  // the preset: 1.2 x 9.8
  EXPECT_EQ(s.marker_style, "Circle");
  EXPECT_EQ(s.title, "By dose");
  EXPECT_EQ(s.regression, kScatterLine);
  EXPECT_GE(port.repaints, 1);
}

TEST_F(GraphCommandsTest, RefusalsAndCancelLeaveTheDisplayAsItWas) {
  struct Case {
    int x_column;
    bool cancel;
    std::string regression;
    std::vector<std::string> messages;
    int mode;
    std::string recorded;
  } cases[] = {
      // Column 4 is empty: one numeric value is not a pair.
      {4, false, "1", {"ORVEL: X and Y are not paired."}, 0, ""},
      {1, true, "1", {}, 0, ""},
      // Column 3 holds 0: the log overlay is refused once and the plot is drawn without it.
      {3, false, "2", {"FreeORVEL: X column has negative numbers. Data setting is not correct."}, 3, "scatter();\r\n"},
      {3, false, "7", {"FreeORVEL: X column has zeros. Data setting is not correct."}, 3, "scatter();\r\n"},
  };
  for (const Case& c : cases) {
    CORVELDoc d;
    d.SetCell(1, 1, "1"), d.SetCell(1, 2, "2"), d.SetCell(2, 1, "3"), d.SetCell(2, 2, "5");
    d.SetCell(3, 1, "0"), d.SetCell(3, 2, "2");
    d.SetCell(4, 1, "7");
    d.SetTwoGroupX(c.x_column);
    ScriptedPort p;
    CORVELView v{d, p};
    v.IsRecording = true;
    p.QueueDialog(ScatterPlotDialog::kTitle, {{"regression", c.regression}}, !c.cancel);
    if (c.x_column == 4) p.QueueDialog(ScatterPlotDialog::kTitle);  // never opened
    v.OnScatterPlot();
    EXPECT_EQ(p.Messages(), c.messages) << c.x_column;
    EXPECT_EQ(static_cast<int>(d.DisplayMode), c.mode);
    EXPECT_EQ(v.MacroText, c.recorded);
    if (c.mode == 3) {
      EXPECT_EQ(v.Graphs().scatter.regression, kScatterNone);
    }
  }
}

TEST_F(GraphCommandsTest, RefusedSettingsChangeNothing) {
  view.OnScatterPlot();
  view.MacroText.clear();
  const ScatterSettings before = view.Graphs().scatter;
  port.QueueDialog(ScatterPlotDialog::kTitle, {{"y_max", "3"}, {"y_min", "3.00"}, {"title", "Lost"}});
  view.OnScatterPlot();
  EXPECT_EQ(port.Messages(), std::vector<std::string>{"FreeORVEL: Data setting for Y-axis range is not correct."});
  EXPECT_EQ(view.Graphs().scatter.title, before.title);
  EXPECT_EQ(view.MacroText, "");
  port.QueueDialog(ScatterPlotDialog::kReeditTitle, {{"x_scale", "0"}, {"title", "Lost"}});
  view.OnEditGraph();
  EXPECT_EQ(port.Messages().back(), "FreeORVEL: Scale cannot be zero.");
  EXPECT_EQ(view.Graphs().scatter.title, before.title);
}

TEST_F(GraphCommandsTest, SheetPresetsAndRefusalsOfBothSheets) {
  ScatterPlotDialog sheet(doc, DefaultScatterSettings(doc), false);
  const DialogSchema schema = sheet.Schema();
  EXPECT_EQ(schema.pages, (std::vector<std::string>{"X-axis", "Y-axis", "Data Format", "Regression Equation",
                                                    "Title", "Plot Area"}));
  EXPECT_EQ(schema.Find("x_maximum_value")->ValueText(), "5.00");
  EXPECT_EQ(schema.Find("y_minimum_value")->ValueText(), "2.10");
  EXPECT_EQ(schema.Find("x_max")->ValueText(), "6.00");
  EXPECT_EQ(schema.Find("x_min")->ValueText(), "-6.00");
  EXPECT_EQ(schema.Find("x_scale")->ValueText(), "0.500000");
  EXPECT_EQ(schema.Find("y_scale")->ValueText(), "0.500000");
  EXPECT_EQ(schema.Find("regression")->ValueText(), "1");

  struct Case {
    std::string key, value;
    const char* command;
    const char* reedit;
  } cases[] = {
      {"x_scale", "0", "The X-axis scale cannot be zero.", "Scale cannot be zero."},
      {"y_scale", "abc", "The Y-axis scale cannot be zero.", "Scale cannot be zero."},
      {"x_min", "6", "Data Setting for X-axis range is not correct.", "X-axis range is zero. Setting is not correct."},
      {"y_max", "-11.76", "Data setting for Y-axis range is not correct.", "Y-axis range is zero. Setting is not correct."},
      {"x_weight", "4", "Choose a weight from 1 to 3.", "Choose a weight from 1 to 3."},
  };
  for (const Case& c : cases) {
    for (const bool reedit : {false, true}) {
      ScatterPlotDialog d(doc, DefaultScatterSettings(doc), reedit);
      if (c.key == "y_max") d.SetField("y_min", "-11.76");
      d.SetField(c.key, c.value);  // a value the field's own limits refuse is kept for OK to refuse
      // A weight out of its list is the field's own refusal; the typed numbers are checked by
      // the command after OK.
      const std::string refusal = c.key == "x_weight" ? d.Accept() : d.SettingsRefusal();
      EXPECT_EQ(refusal, reedit ? c.reedit : c.command) << c.key;
    }
  }
}

TEST_F(GraphCommandsTest, DoubleClickReeditsWithoutRecording) {
  view.OnScatterPlot();
  view.MacroText.clear();
  port.QueueDialog(ScatterPlotDialog::kReeditTitle, {{"title", "Again"}, {"regression", "0"}});
  view.OnEditGraph();
  EXPECT_TRUE(port.AllAnswersUsed());
  EXPECT_EQ(view.Graphs().scatter.title, "Again");
  EXPECT_EQ(view.MacroText, "");
  // Outside a graph mode a double click opens nothing.
  doc.DisplayMode = DisplayKind::kDataSheet;
  const std::size_t events = port.events.size();
  view.OnEditGraph();
  EXPECT_EQ(port.events.size(), events);
}

TEST_F(GraphCommandsTest, GraphPaneHasTheBandAboveTheGraph) {
  view.OnScatterPlot();
  RecordingGraphCanvas canvas(800, 600);
  view.DrawGraphPane(canvas);
  ASSERT_TRUE(canvas.Find(kGraphBandPrompt));
  EXPECT_DOUBLE_EQ(canvas.Find(kGraphBandPrompt)->x, 10);
  ASSERT_TRUE(canvas.Find("Scatter Plot"));
  EXPECT_DOUBLE_EQ(canvas.Find("Scatter Plot")->y, 16 + 8);  // under the band of one screen line
  ASSERT_FALSE(canvas.shapes.empty());
  EXPECT_DOUBLE_EQ(canvas.shapes[0].rect.top, 3 * 16 + 16);
}

TEST_F(GraphCommandsTest, PrintedPageHoldsTheGraphWithoutTheBand) {
  view.OnScatterPlot();
  const Printout printout(doc, [this](Canvas& c, const GraphCall& g) { view.DrawGraph(c, g); });
  ASSERT_EQ(printout.PageCount(), 1);
  RecordingGraphCanvas canvas(1000, 1400);
  printout.DrawPage(canvas, PrintPageGeometry{1000, 1400, 300}, 1);
  EXPECT_FALSE(canvas.Find(kGraphBandPrompt));
  ASSERT_TRUE(canvas.Find("Scatter Plot"));
  EXPECT_DOUBLE_EQ(canvas.Find("Scatter Plot")->y, 8);  // half a title line, no band
  // Portrait page: a square across the width less six characters each side, centred down.
  ASSERT_FALSE(canvas.shapes.empty());
  EXPECT_EQ(canvas.shapes[0].rect, (Rect{42, 242, 958, 1158}));
  // The markers are a quarter character per size step on paper.
  EXPECT_DOUBLE_EQ(canvas.shapes[1].rect.Width(), 7);
}

TEST_F(GraphCommandsTest, SaveGraphWritesTheFormatOfTheExtensionAndRecords) {
  const auto dir = std::filesystem::temp_directory_path() / "orvel_graph_commands_save";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  view.OnScatterPlot();
  view.MacroText.clear();
  port.QueueFile((dir / "plot.svg").string());
  view.OnSaveGraph();
  ASSERT_EQ(port.file_requests.size(), 1u);
  EXPECT_EQ(port.file_requests[0].title, "Save As");
  EXPECT_EQ(port.file_requests[0].default_name, "graph.emf");
  EXPECT_EQ(port.file_requests[0].default_extension, "emf");
  EXPECT_EQ(port.file_requests[0].filter.rfind("Extended meta files(*.emf)|*.emf|", 0), 0u);
  std::ifstream in(dir / "plot.svg");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str().rfind("<?xml", 0), 0u);
  EXPECT_EQ(view.MacroText, "savegraph();\r\n");

  // A name of no known format: a message, no file, nothing recorded.
  view.MacroText.clear();
  port.QueueFile((dir / "plot.bmp").string());
  view.OnSaveGraph();
  EXPECT_FALSE(std::filesystem::exists(dir / "plot.bmp"));
  EXPECT_EQ(view.MacroText, "");
  ASSERT_FALSE(port.Messages().empty());
  EXPECT_EQ(port.Messages().back(),
            "ORVEL: The graph cannot be saved as plot.bmp. Choose a name ending in .emf, .svg, .pdf or .png.");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvel
