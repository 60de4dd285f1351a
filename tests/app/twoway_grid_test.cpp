// The twoway-data grid: what a click hits, the dialogs it opens and the statements recorded,
// the keys that scroll it, its drawing; and the column lists of the Data Settings dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/data_settings_lists.h"
#include "app/orvel_view.h"
#include "app/pane_drawing.h"
#include "app/twoway_grid.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;
using Hit = TwowayGridHit;

// Keeps the presets each dialog opened with.
class PresetPort : public ScriptedPort {
 public:
  bool RunDialog(DialogModel& dialog) override {
    if (auto* d = dynamic_cast<DataSelectionDialog*>(&dialog)) column_presets.push_back(d->column);
    if (auto* d = dynamic_cast<LabelNameDialog*>(&dialog)) label_presets.push_back(d->label);
    return ScriptedPort::RunDialog(dialog);
  }
  std::vector<int> column_presets;
  std::vector<std::string> label_presets;
};

struct Grid : ::testing::Test {
  CORVELDoc doc;
  PresetPort port;
  CORVELView view{doc, port};
  void SetUp() override {
    view.EnterTwowayGrid();
    view.IsRecording = true;
    view.MacroText.clear();
    doc.SetModified(false);
  }
  // The centre of A level a and B level b (0: the label row or column) on the pane.
  static std::pair<int, int> Centre(int a, int b) {
    return {static_cast<int>(43 + 86 * b + 43), static_cast<int>(67 + 45 * a + 22)};
  }
  void Click(int a, int b) {
    const auto [x, y] = Centre(a, b);
    view.OnTwowayGridClick(x, y);
  }
};

constexpr const char* kRefusal = "FreeORVEL: Click the cell you would like to set data in.";

TEST(TwowayGridGeometry, EdgesOfTheLabelsAndCells) {
  // The label column starts at x = 43, the label row at y = 67; parts are 86 by 45.
  EXPECT_EQ(TwowayGridHitTest(129, 67, 0, 0), (Hit{Hit::kLabelB, 0, 1}));
  EXPECT_EQ(TwowayGridHitTest(128, 67, 0, 0), Hit{});  // the corner
  EXPECT_EQ(TwowayGridHitTest(43, 112, 0, 0), (Hit{Hit::kLabelA, 1, 0}));
  EXPECT_EQ(TwowayGridHitTest(43, 111, 0, 0), Hit{});
  EXPECT_EQ(TwowayGridHitTest(42, 112, 0, 0), Hit{});
  EXPECT_EQ(TwowayGridHitTest(129, 66, 0, 0), Hit{});
  EXPECT_EQ(TwowayGridHitTest(129, 112, 0, 0), (Hit{Hit::kCell, 1, 1}));
  EXPECT_EQ(TwowayGridHitTest(214, 156, 0, 0), (Hit{Hit::kCell, 1, 1}));
  EXPECT_EQ(TwowayGridHitTest(215, 157, 0, 0), (Hit{Hit::kCell, 2, 2}));
  // The last levels and one beyond each.
  EXPECT_EQ(TwowayGridHitTest(43 + 86 * 25, 67 + 45 * 10, 0, 0), (Hit{Hit::kCell, 10, 25}));
  EXPECT_EQ(TwowayGridHitTest(43 + 86 * 26 - 1, 67 + 45 * 11 - 1, 0, 0), (Hit{Hit::kCell, 10, 25}));
  EXPECT_EQ(TwowayGridHitTest(43 + 86 * 26, 200, 0, 0), Hit{});
  EXPECT_EQ(TwowayGridHitTest(200, 67 + 45 * 11, 0, 0), Hit{});
  EXPECT_EQ(TwowayGridHitTest(1e9, 1e9, 0, 0), Hit{});
  EXPECT_EQ(TwowayGridHitTest(-5, -5, 0, 0), Hit{});
}

TEST(TwowayGridGeometry, ScrollingShiftsTheGridAndTheBandCoversIt) {
  // Scrolled by one part each way, the screen point of cell (1, 1) shows cell (2, 2).
  EXPECT_EQ(TwowayGridHitTest(130, 113, 86, 45), (Hit{Hit::kCell, 2, 2}));
  // The label column scrolled off to the left: x = 43 now hits B level 1.
  EXPECT_EQ(TwowayGridHitTest(43, 112, 86, 0), (Hit{Hit::kCell, 1, 1}));
  // Left of x = 43 is inside the grid once it is scrolled.
  EXPECT_EQ(TwowayGridHitTest(10, 112, 86, 0), (Hit{Hit::kLabelA, 1, 0}));
  // The key-prompt band across the top hides what is scrolled beneath it.
  EXPECT_EQ(TwowayGridHitTest(200, 10, 0, 100), Hit{});
  EXPECT_EQ(TwowayGridHitTest(200, 20, 0, 100), (Hit{Hit::kCell, 1, 1}));
  EXPECT_EQ(TwowayGridPart(1, 2, 86, 45), (Rect{43 + 86, 67, 43 + 172, 112}));
}

TEST_F(Grid, ACellClickChoosesItsColumnAndRecords) {
  doc.SetTwowayGridCell(2, 3, 9);
  port.QueueDialog("Data Selection", {{"column", "12"}});
  Click(2, 3);
  EXPECT_EQ(port.column_presets, std::vector<int>{9});
  EXPECT_EQ(doc.TwowayGridCell(2, 3), 12);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(view.MacroText, "settwofactor (2,3,12);\r\n");
  EXPECT_EQ(port.events.back(), (PortEvent{PortEvent::kDialog, "Data Selection", ""}));

  // "None" empties the cell.
  port.QueueDialog("Data Selection", {{"column", "0"}});
  Click(2, 3);
  EXPECT_EQ(doc.TwowayGridCell(2, 3), 0);
  EXPECT_EQ(view.MacroText, "settwofactor (2,3,12);\r\nsettwofactor (2,3,0);\r\n");
  EXPECT_TRUE(port.AllAnswersUsed());
}

TEST_F(Grid, CancelChangesNothing) {
  doc.SetTwowayGridCell(1, 1, 4);
  doc.SetTwowayLabelA(1, "low");
  port.QueueDialog("Data Selection", {}, false);
  port.QueueDialog("Label Name", {}, false);
  Click(1, 1);
  Click(1, 0);
  EXPECT_EQ(doc.TwowayGridCell(1, 1), 4);
  EXPECT_EQ(doc.TwowayLabelA(1), "low");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(view.MacroText, "");
}

TEST_F(Grid, LabelClicksNameTheLevels) {
  doc.SetTwowayLabelA(3, "old");
  port.QueueDialog("Label Name", {{"label", "女性"}});
  port.QueueDialog("Label Name", {{"label", "week 1"}});
  Click(3, 0);
  Click(0, 25);
  EXPECT_EQ(port.label_presets, (std::vector<std::string>{"old", ""}));
  EXPECT_EQ(doc.TwowayLabelA(3), "女性");
  EXPECT_EQ(doc.TwowayLabelB(25), "week 1");
  EXPECT_EQ(view.MacroText, "settwofactorlabela (3,\"女性\");\r\nsettwofactorlabelb (25,\"week 1\");\r\n");
}

TEST_F(Grid, ClicksOutsideTheGridSayWhereToClick) {
  const std::vector<std::pair<int, int>> outside = {
      {42, 200}, {200, 66}, {80, 80},                // left, above, the corner
      {43 + 86 * 26 + 5, 200}, {200, 67 + 45 * 11 + 5},  // beyond B level 25, beyond A level 10
      {200, 5}};                                     // the band
  for (const auto& [x, y] : outside) view.OnTwowayGridClick(x, y);
  EXPECT_EQ(port.Messages(), std::vector<std::string>(outside.size(), kRefusal));
  for (const PortEvent& e : port.events) EXPECT_EQ(e.kind, PortEvent::kMessage);
  EXPECT_EQ(view.MacroText, "");
  EXPECT_FALSE(doc.IsModified());

  // Only the grid takes clicks.
  doc.DisplayMode = DisplayKind::kDataSheet;
  port.events.clear();
  Click(1, 1);
  EXPECT_TRUE(port.events.empty());
}

TEST_F(Grid, ACellHoldingNoColumnNumberOpensWithNone) {
  doc.SetTwowayGridCell(1, 1, 250);  // a macro can put any number there
  Click(1, 1);
  EXPECT_EQ(port.column_presets, std::vector<int>{0});
  EXPECT_EQ(doc.TwowayGridCell(1, 1), 0);
}

TEST(TwowayDialogs, FieldsAndChecks) {
  DataSelectionDialog select;
  EXPECT_EQ(select.Title(), "Data Selection");
  EXPECT_TRUE(select.SetField("column", "100"));
  EXPECT_EQ(select.column, 100);
  for (const char* bad : {"101", "-1", "x", ""}) EXPECT_FALSE(select.SetField("column", bad)) << bad;
  EXPECT_FALSE(select.SetField("label", "3"));
  EXPECT_EQ(select.column, 100);
  EXPECT_EQ(select.Accept(), "");

  LabelNameDialog label;
  EXPECT_EQ(label.Title(), "Label Name");
  EXPECT_TRUE(label.SetField("label", "a b"));
  EXPECT_EQ(label.Accept(), "");
  // A quotation mark or a line break would end the recorded statement's text.
  for (const char* bad : {"say \"hi\"", "two\nlines", "cr\r"}) {
    EXPECT_TRUE(label.SetField("label", bad));
    EXPECT_EQ(label.Accept(), LabelNameDialog::kBadLabel) << bad;
  }
}

TEST_F(Grid, KeysScrollWithinTheGridAndEnteringZeroesTheOffsets) {
  view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kRight);
  view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kDown);
  EXPECT_EQ(doc.Scroll.graph_x, 86.0);
  EXPECT_EQ(doc.Scroll.graph_y, 45.0);
  for (int i = 0; i < 40; ++i) {
    view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kRight);
    view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kPageDown);
  }
  EXPECT_EQ(doc.Scroll.graph_x, 86.0 * 25);
  EXPECT_EQ(doc.Scroll.graph_y, 45.0 * 10);
  view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kUp);
  EXPECT_EQ(doc.Scroll.graph_y, 45.0 * 9);
  view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kHome);
  EXPECT_EQ(doc.Scroll.graph_x, 0.0);
  EXPECT_EQ(doc.Scroll.graph_y, 0.0);
  view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kLeft);
  view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kPageUp);
  EXPECT_EQ(doc.Scroll.graph_x, 0.0);
  EXPECT_EQ(doc.Scroll.graph_y, 0.0);
  EXPECT_EQ(view.MacroText, "");  // scrolling is not recorded

  // Scrolled, a click lands on the part under the pointer; entering again starts at home.
  view.OnTwowayGridKeyDown(CORVELView::TwowayGridKey::kRight);
  port.QueueDialog("Data Selection", {{"column", "5"}});
  Click(1, 1);
  EXPECT_EQ(doc.TwowayGridCell(1, 2), 5);
  view.EnterTwowayGrid();
  EXPECT_EQ(doc.Scroll.graph_x, 0.0);
  EXPECT_EQ(view.MacroText, "settwofactor (1,2,5);\r\ntwofactor();\r\n");
}

TEST_F(Grid, DeleteAsksAndClearsTheTwowaySettings) {
  doc.SetTwowayGridCell(1, 1, 3);
  doc.SetTwowayLabelB(2, "b");
  port.QueueCancel();
  view.OnEditDelete();
  EXPECT_EQ(doc.TwowayGridCell(1, 1), 3);
  view.OnEditDelete();
  EXPECT_EQ(doc.TwowayGridCell(1, 1), 0);
  EXPECT_EQ(doc.TwowayLabelB(2), "");
  EXPECT_EQ(view.MacroText, "del();\r\ndel();\r\n");
}

// ---- Drawing -------------------------------------------------------------------------------

class TextCanvas : public Canvas {
 public:
  struct Text {
    double x, y;
    std::string text;
    Rect clip;
  };
  TextCanvas(double w, double h) : w_(w), h_(h) {}
  double Width() const override { return w_; }
  double Height() const override { return h_; }
  void SetPen(const Pen&) override {}
  void SetBrush(const Brush&) override {}
  void SetFont(const FontChoice&) override {}
  FontMetrics Metrics() const override { return {16, 7}; }
  void DrawLine(double, double, double, double) override {}
  void DrawRect(const Rect& r) override { frames.push_back(r); }
  void DrawEllipse(const Rect&) override {}
  void FillRect(const Rect& r, Color) override { fills.push_back(r); }
  void DrawText(double x, double y, std::string_view t, TextAlign) override {
    texts.push_back({x, y, std::string(t), clip_});
  }
  void SetClip(const Rect& r) override { clip_ = r; }
  void ClearClip() override { clip_ = {0, 0, w_, h_}; }
  const Text* Find(const std::string& t) const {
    for (const Text& x : texts)
      if (x.text == t) return &x;
    return nullptr;
  }
  std::vector<Text> texts;
  std::vector<Rect> frames, fills;

 private:
  double w_, h_;
  Rect clip_{0, 0, w_, h_};
};

TEST(TwowayGridDrawing, LabelsAndColumnsInTheirParts) {
  CORVELDoc doc;
  doc.SetCell(7, 0, "dose");
  doc.SetTwowayGridCell(1, 1, 7);
  doc.SetTwowayGridCell(2, 1, 8);  // a column without a name
  doc.SetTwowayLabelA(2, "high");
  doc.SetTwowayLabelB(1, "day1");
  TextCanvas canvas(800, 600);
  DrawTwowayGridPane(canvas, doc);

  const auto* day = canvas.Find("day1");  // B label 1: the top row, second part
  ASSERT_NE(day, nullptr);
  EXPECT_EQ(day->x, 43 + 86 + 43);
  EXPECT_EQ(day->y, 67 + (45 - 16) / 2.0);
  EXPECT_EQ(day->clip, (Rect{129, 67, 215, 112}));
  const auto* high = canvas.Find("high");  // A label 2: the left column, third part
  ASSERT_NE(high, nullptr);
  EXPECT_EQ(high->x, 43 + 43);
  EXPECT_EQ(high->y, 67 + 90 + (45 - 16) / 2.0);
  // Cell (1, 1): the number over the name, centred in the cell together.
  const auto* number = canvas.Find("Col 7");
  const auto* name = canvas.Find("dose");
  ASSERT_NE(number, nullptr);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(number->x, 172);
  EXPECT_EQ(number->y, 112 + (45 - 32) / 2.0);
  EXPECT_EQ(name->y, number->y + 16);
  const auto* alone = canvas.Find("Col 8");
  ASSERT_NE(alone, nullptr);
  EXPECT_EQ(alone->y, 157 + (45 - 16) / 2.0);
  // The key prompt, and nothing else: empty cells and labels draw no text.
  ASSERT_NE(canvas.Find(kTwowayBandPrompt), nullptr);
  EXPECT_EQ(canvas.texts.size(), 6u);
  // Every part that shows is framed: 800 pixels show B levels up to 8, 600 all A levels.
  EXPECT_EQ(canvas.frames.size(), 11u * 9u - 1u);
}

TEST(TwowayGridDrawing, ScrolledPartsAreShiftedAndClippedBelowTheBand) {
  CORVELDoc doc;
  doc.SetTwowayLabelB(25, "last");
  doc.SetTwowayLabelA(1, "first");
  doc.Scroll.graph_x = 86 * 25;
  doc.Scroll.graph_y = 60;
  TextCanvas canvas(400, 300);
  DrawTwowayGridPane(canvas, doc);
  const auto* last = canvas.Find("last");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->x, 43 + 43);
  EXPECT_EQ(last->clip.top, 20);  // the label row lies partly under the band
  EXPECT_EQ(last->clip.bottom, 112 - 60);
  EXPECT_EQ(canvas.Find("first"), nullptr);  // scrolled off to the left
  for (const auto& t : canvas.texts)
    if (t.text != kTwowayBandPrompt) {
      EXPECT_GE(t.clip.top, 20) << t.text;
    }
}

// ---- Column lists ----------------------------------------------------------------------------

TEST(DataSettingsLists, EntriesReadAsTheDialogsShowThem) {
  CORVELDoc doc;
  doc.SetCell(3, 0, "age");
  EXPECT_EQ(ColumnEntry2(doc, 3), "Col 3 : age");
  EXPECT_EQ(ColumnEntry2(doc, 100), "Col100 : ");
  EXPECT_EQ(PcaColumnEntry(doc, 3), "Cl 3 : age");
  EXPECT_EQ(DiscriminantSlotEntry(doc, 2, 0), "x2:");
  EXPECT_EQ(DiscriminantSlotEntry(doc, 15, 3), "x15:Col 3 : age");
}

TEST(DataSettingsLists, ALimitedListTakesAColumnOnceAndNoMoreThanItsLimit) {
  std::vector<int> list;
  for (int c = 20; c >= 6; --c)
    EXPECT_EQ(AddColumnToList(list, c, kRegressionXLimit, ListOrder::kColumnOrder), ListAddOutcome::kAdded);
  EXPECT_EQ(list.size(), 15u);
  EXPECT_EQ(list.front(), 6);  // column order
  EXPECT_EQ(list.back(), 20);
  EXPECT_EQ(AddColumnToList(list, 1, kRegressionXLimit, ListOrder::kColumnOrder), ListAddOutcome::kFull);
  // A column already listed is not a refusal, even in a full list.
  EXPECT_EQ(AddColumnToList(list, 6, kRegressionXLimit, ListOrder::kColumnOrder), ListAddOutcome::kAlreadyListed);
  EXPECT_EQ(list.size(), 15u);

  std::vector<int> slots;
  for (int c : {9, 2, 9, 5}) AddColumnToList(slots, c, kDiscriminantLimit, ListOrder::kAddedOrder);
  EXPECT_EQ(slots, (std::vector<int>{9, 2, 5}));

  std::vector<int> pca;
  for (int c = 1; c <= 20; ++c) AddColumnToList(pca, c, kPcaLimit, ListOrder::kColumnOrder);
  EXPECT_EQ(AddColumnToList(pca, 21, kPcaLimit, ListOrder::kColumnOrder), ListAddOutcome::kFull);
}

}  // namespace
}  // namespace orvel
