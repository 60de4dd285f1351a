// Sheet editing through the view: typing, the navigation keys and their scrolling, the mouse,
// the clipboard commands, fill, delete and sort, with the messages, questions and statements
// each produces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/orvel_view.h"
#include "app/sheet_geometry.h"
#include "app/sort_dialog.h"
#include "support/scripted_port.h"

namespace orvel {
namespace {

using testing::PortEvent;
using testing::ScriptedPort;

// A window of a chosen size that keeps the pointer shapes it was given.
class SheetPort : public ScriptedPort {
 public:
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  void SetCursor(Cursor cursor) override { cursors.push_back(cursor); }
  bool SetClipboardText(const std::string& text) override {
    return clipboard_works && ScriptedPort::SetClipboardText(text);
  }
  int width = 1920;
  int height = 1080;
  bool clipboard_works = true;
  std::vector<Cursor> cursors;
};

class SheetEditingTest : public ::testing::Test {
 protected:
  void SetUp() override { view.IsRecording = true; }
  void Type(const std::string& text) {
    for (char ch : text) view.OnSheetChar(static_cast<unsigned char>(ch));
  }
  void Key(SheetKey key, bool shift = false, bool ctrl = false) { view.OnSheetKeyDown(key, shift, ctrl); }
  // Presses and releases the mouse inside cell (row, column).
  void Click(int row, int column) {
    const int x = ColumnLeft(doc, column) + 5, y = RowTop(doc, row) + 5;
    view.OnSheetMouseDown(x, y);
    view.OnSheetMouseUp(x, y);
  }
  void Select(int anchor_row, int anchor_column, int end_row, int end_column) {
    doc.SetSelection(anchor_row, anchor_column, end_row, end_column);
  }
  std::string TakeMacro() {
    std::string text = view.MacroText;
    view.MacroText.clear();
    return text;
  }
  std::vector<std::string> Questions() const {
    std::vector<std::string> out;
    for (const PortEvent& e : port.events)
      if (e.kind == PortEvent::kQuestion) out.push_back(e.title + ": " + e.text);
    return out;
  }

  CORVELDoc doc;
  SheetPort port;
  CORVELView view{doc, port};
};

// ---- Geometry ------------------------------------------------------------------------------

TEST(SheetGeometryTest, EdgesFrozenRowAndColumnAndScrolling) {
  CORVELDoc doc;
  EXPECT_EQ(ColumnLeft(doc, 0), 43);
  EXPECT_EQ(ColumnLeft(doc, 1), 129);
  EXPECT_EQ(ColumnRight(doc, 2), 301);
  EXPECT_EQ(RowTop(doc, 0), 20);
  EXPECT_EQ(RowTop(doc, 1), 40);
  EXPECT_EQ(RowBottom(doc, 3), 100);
  doc.SetColumnWidth(1, 50);
  doc.Scroll.sheet_x = 86;
  doc.Scroll.sheet_y = 40;
  EXPECT_EQ(ColumnLeft(doc, 0), 43);  // frozen
  EXPECT_EQ(RowTop(doc, 0), 20);
  EXPECT_EQ(ColumnLeft(doc, 2), 43 + 86 + 50 - 86);
  EXPECT_EQ(RowTop(doc, 3), 40);
  EXPECT_EQ(RowAt(doc, 30), 0);
  EXPECT_EQ(RowAt(doc, 41), 3);
  EXPECT_EQ(RowAt(doc, 60), 3);
  EXPECT_EQ(RowAt(doc, 61), 4);
  EXPECT_EQ(RowAt(doc, 1000000), doc.RowCount() - 1);
  EXPECT_EQ(ColumnAt(doc, 129), 0);
  EXPECT_EQ(ColumnAt(doc, 130), 2);  // column 1 is hidden behind the label column
  EXPECT_EQ(ColumnAt(doc, 1000000), 100);
  // A scroll offset that a macro drove past any sheet stays harmless.
  doc.Scroll.sheet_x = 1e300;
  EXPECT_LT(ColumnLeft(doc, 100), 0);
}

TEST(SheetGeometryTest, HitTestKindsAndBorderTolerance) {
  CORVELDoc doc;
  const auto kind = [&](int x, int y) { return HitTestSheet(doc, x, y).kind; };
  EXPECT_EQ(kind(43, 20), SheetHitKind::kCorner);
  EXPECT_EQ(kind(10, 55), SheetHitKind::kRowHeader);
  EXPECT_EQ(HitTestSheet(doc, 10, 55).row, 1);
  EXPECT_EQ(kind(44, 10), SheetHitKind::kColumnHeader);
  EXPECT_EQ(HitTestSheet(doc, 200, 10).column, 1);
  // Column 1's right edge is at 215: 212..218 grab it, 211 and 219 are headers.
  for (int x = 212; x <= 218; ++x) {
    EXPECT_EQ(kind(x, 10), SheetHitKind::kColumnBorder) << x;
    EXPECT_EQ(HitTestSheet(doc, x, 10).column, 1) << x;
  }
  EXPECT_EQ(kind(211, 10), SheetHitKind::kColumnHeader);
  EXPECT_EQ(HitTestSheet(doc, 219, 10).column, 2);
  EXPECT_EQ(kind(215, 21), SheetHitKind::kCell);  // borders only in the header strip
  const SheetHit cell = HitTestSheet(doc, 300, 65);
  EXPECT_EQ(cell.kind, SheetHitKind::kCell);
  EXPECT_EQ(cell.row, 2);
  EXPECT_EQ(cell.column, 2);
  // An edge scrolled behind the frozen label column cannot be grabbed.
  doc.Scroll.sheet_x = 86;
  EXPECT_EQ(HitTestSheet(doc, 129, 10).column, 0);
  EXPECT_EQ(HitTestSheet(doc, 129, 10).kind, SheetHitKind::kColumnBorder);
}

// ---- Typing and keys -------------------------------------------------------------------------

TEST_F(SheetEditingTest, FirstKeystrokeReplacesTheCellAndEnterRecordsIt) {
  doc.SetCell(1, 1, "345");
  Type("1 2");  // the blank is not typed
  EXPECT_EQ(doc.Text(1, 1), "12");
  EXPECT_DOUBLE_EQ(doc.Value(1, 1), 12.0);
  EXPECT_TRUE(doc.IsModified());
  Key(SheetKey::kBackspace);
  EXPECT_EQ(doc.Text(1, 1), "1");
  Key(SheetKey::kEnter);
  EXPECT_EQ(TakeMacro(), "cell(1,1)=\"1\";\r\nselectcell (1,2)::(1,2);\r\n");
  EXPECT_EQ(doc.CellEditStarted, 0);
  // A data cell refuses letters; the first keystroke still cleared it.
  doc.SetCell(1, 2, "7");
  Type("a");
  EXPECT_EQ(doc.Text(1, 2), "");
  view.OnSheetChar(U'\x1b');
  view.OnSheetChar(U'\t');
  Type("5");
  EXPECT_EQ(doc.Text(1, 2), "5");
  // The label column takes any character.
  Key(SheetKey::kLeft);
  EXPECT_EQ(TakeMacro(), "cell(1,2)=\"5\";\r\nselectcell (0,2)::(0,2);\r\n");
  view.OnSheetChar(U'ä');
  view.OnSheetChar(U'x');
  EXPECT_EQ(doc.Text(0, 2), "äx");
}

TEST_F(SheetEditingTest, BackspaceAloneIsRecordedWhenTheCellIsLeft) {
  doc.SetCell(1, 1, "345");
  Key(SheetKey::kBackspace);
  Key(SheetKey::kRight);
  EXPECT_EQ(doc.Text(1, 1), "34");
  EXPECT_EQ(TakeMacro(), "cell(1,1)=\"34\";\r\nselectcell (2,1)::(2,1);\r\n");
  Key(SheetKey::kRight);  // nothing typed: no cell statement
  EXPECT_EQ(TakeMacro(), "selectcell (3,1)::(3,1);\r\n");
}

TEST_F(SheetEditingTest, ArrowsMoveClampAndScrollByFortyAndEightySix) {
  port.height = 100;  // rows 1 and 2 fit; row 3 reaches the bottom
  port.width = 300;   // columns 0 and 1 fit
  Key(SheetKey::kDown);
  EXPECT_EQ(TakeMacro(), "selectcell (1,2)::(1,2);\r\n");
  Key(SheetKey::kDown);
  EXPECT_EQ(TakeMacro(), "selectcell (1,3)::(1,3);\r\nincsheetypos (40);\r\n");
  EXPECT_EQ(doc.Scroll.sheet_y, 40);
  Key(SheetKey::kUp);
  EXPECT_EQ(TakeMacro(), "selectcell (1,2)::(1,2);\r\ndecsheetypos (40);\r\n");
  EXPECT_EQ(doc.Scroll.sheet_y, 0);
  Key(SheetKey::kRight);
  EXPECT_EQ(TakeMacro(), "selectcell (2,2)::(2,2);\r\nincsheetxpos (86);\r\n");
  Key(SheetKey::kLeft);
  EXPECT_EQ(TakeMacro(), "selectcell (1,2)::(1,2);\r\ndecsheetxpos (86);\r\n");
  EXPECT_EQ(doc.Scroll.sheet_x, 0);
  Key(SheetKey::kLeft);
  Key(SheetKey::kLeft);  // stays in the label column
  Key(SheetKey::kUp);
  Key(SheetKey::kUp);
  Key(SheetKey::kUp);  // stays in row 0
  EXPECT_EQ(doc.GetSelection().anchor_row, 0);
  EXPECT_EQ(doc.GetSelection().anchor_column, 0);
  // Shift extends the end; the anchor stays.
  TakeMacro();
  Key(SheetKey::kDown, true);
  Key(SheetKey::kRight, true);
  EXPECT_EQ(TakeMacro(), "selectcell (0,0)::(0,1);\r\nselectcell (0,0)::(1,1);\r\n");
  EXPECT_EQ(doc.GetSelection().anchor_row, 0);
  // Enter collapses the selection onto the cell below the anchor.
  Key(SheetKey::kEnter);
  EXPECT_EQ(TakeMacro(), "selectcell (0,1)::(0,1);\r\n");
}

TEST_F(SheetEditingTest, PageKeysStepByTwentyAndPickTheRowAtFifty) {
  port.height = 100;  // 100 / 20 - 2 = 3 steps
  doc.SetSelection(1, 4, 1, 4);
  Key(SheetKey::kPageDown);
  EXPECT_EQ(TakeMacro(), "incsheetypos (20);\r\nincsheetypos (20);\r\nincsheetypos (20);\r\nselectcell (4,4)::(4,4);\r\n");
  EXPECT_EQ(doc.Scroll.sheet_y, 60);
  doc.Scroll.sheet_y = 20;
  Key(SheetKey::kPageUp);  // never below 0
  EXPECT_EQ(TakeMacro(), "decsheetypos (20);\r\nselectcell (4,1)::(4,1);\r\n");
  Key(SheetKey::kPageUp);
  EXPECT_EQ(TakeMacro(), "selectcell (4,1)::(4,1);\r\n");

  // Down only while the last row is below the window.
  CORVELDoc small(10);  // rows 0..9: the last row's bottom is at 220
  SheetPort tall;
  tall.height = 200;
  CORVELView small_view(small, tall);
  small_view.IsRecording = true;
  small_view.OnSheetKeyDown(SheetKey::kPageDown, false, false);
  EXPECT_EQ(small_view.MacroText, "incsheetypos (20);\r\nselectcell (1,2)::(1,2);\r\n");
}

TEST_F(SheetEditingTest, HomeAndCtrlHomeRecordTheirStatements) {
  doc.SetSelection(7, 5, 9, 6);
  doc.Scroll.sheet_x = 172;
  doc.Scroll.sheet_y = 100;
  Type("3");
  Key(SheetKey::kHome);
  EXPECT_EQ(TakeMacro(), "cell(5,7)=\"3\";\r\nselectcell (1,7)::(1,7);\r\nhomesheetxpos;\r\n");
  EXPECT_EQ(doc.Scroll.sheet_x, 0);
  EXPECT_EQ(doc.Scroll.sheet_y, 100);
  Key(SheetKey::kHome, false, true);
  EXPECT_EQ(TakeMacro(),
            "selectcell (1,7)::(1,7);\r\nhomesheetxpos;\r\nselectcell (1,1)::(1,1);\r\nhomesheetypos();\r\n");
  EXPECT_EQ(doc.Scroll.sheet_y, 0);
  EXPECT_EQ(doc.GetSelection().end_row, 1);
}

TEST_F(SheetEditingTest, KeysAndTypingDoNothingOutsideTheSheetPane) {
  doc.DisplayMode = DisplayKind::kResult;
  Type("5");
  Key(SheetKey::kDown);
  view.OnSheetMouseDown(200, 50);
  EXPECT_EQ(doc.Text(1, 1), "");
  EXPECT_EQ(view.MacroText, "");
  EXPECT_FALSE(doc.IsModified());
}

// ---- Mouse -------------------------------------------------------------------------------------

TEST_F(SheetEditingTest, PressesSelectSheetRowsColumnsAndCells) {
  const int last = doc.RowCount() - 1;
  doc.Scroll.sheet_x = 86;
  doc.Scroll.sheet_y = 40;
  view.OnSheetMouseDown(5, 5);
  view.OnSheetMouseUp(5, 5);
  EXPECT_EQ(TakeMacro(), "selectcell (0,0)::(100," + std::to_string(last) + ");\r\nhomesheetxpos();\r\nhomesheetypos();\r\n");
  EXPECT_EQ(doc.GetSelection().end_row, last);
  EXPECT_EQ(doc.Scroll.sheet_x, 0);
  EXPECT_EQ(doc.Scroll.sheet_y, 0);
  EXPECT_TRUE(doc.IsModified());

  doc.Scroll.sheet_y = 40;
  view.OnSheetMouseDown(10, 55);  // row header: row 3 under the scroll
  view.OnSheetMouseUp(10, 55);
  EXPECT_EQ(TakeMacro(), "selectcell (0,3)::(100,3);\r\nhomesheetxpos();\r\n");
  EXPECT_EQ(doc.Scroll.sheet_y, 40);
  view.OnSheetMouseDown(10, 30);  // the name row's header scrolls to the top too
  view.OnSheetMouseUp(10, 30);
  EXPECT_EQ(TakeMacro(), "selectcell (0,0)::(100,0);\r\nhomesheetxpos();\r\nhomesheetypos();\r\n");

  view.OnSheetMouseDown(250, 10);  // column 2's header
  view.OnSheetMouseUp(250, 10);
  EXPECT_EQ(TakeMacro(), "selectcell (2,0)::(2," + std::to_string(last) + ");\r\nhomesheetypos();\r\n");
  view.OnSheetMouseDown(60, 10);  // the label column's header
  view.OnSheetMouseUp(60, 10);
  EXPECT_EQ(TakeMacro(), "selectcell (0,0)::(0," + std::to_string(last) + ");\r\nhomesheetypos();\r\nhomesheetxpos();\r\n");

  Click(0, 0);
  EXPECT_EQ(TakeMacro(), "selectcell (0,0)::(0,0);\r\nhomesheetxpos();\r\nhomesheetypos();\r\n");
  Click(4, 0);
  EXPECT_EQ(TakeMacro(), "selectcell (0,4)::(0,4);\r\nhomesheetxpos();\r\n");
  Click(0, 3);
  EXPECT_EQ(TakeMacro(), "selectcell (3,0)::(3,0);\r\nhomesheetypos();\r\n");
  Click(5, 2);
  EXPECT_EQ(TakeMacro(), "selectcell (2,5)::(2,5);\r\n");
}

TEST_F(SheetEditingTest, DragsSetTheEndOnRelease) {
  Type("9");  // into (1,1): the press ends the edit
  view.OnSheetMouseDown(ColumnLeft(doc, 2) + 5, RowTop(doc, 2) + 5);
  EXPECT_EQ(doc.Text(1, 1), "9");
  view.OnSheetMouseMove(ColumnLeft(doc, 3) + 5, RowTop(doc, 4) + 5);
  EXPECT_EQ(doc.GetSelection().end_row, 4);  // tracked while dragging
  view.OnSheetMouseUp(ColumnLeft(doc, 4) + 5, RowTop(doc, 6) + 5);
  EXPECT_EQ(TakeMacro(), "cell(1,1)=\"9\";\r\nselectcell (2,2)::(2,2);\r\nselectcell (2,2)::(4,6);\r\n");
  const Selection& s = doc.GetSelection();
  EXPECT_EQ(s.anchor_row, 2);
  EXPECT_EQ(s.end_column, 4);

  view.OnSheetMouseDown(10, RowTop(doc, 3) + 5);  // rows 3..5
  view.OnSheetMouseUp(10, RowTop(doc, 5) + 5);
  EXPECT_EQ(TakeMacro(), "selectcell (0,3)::(100,3);\r\nhomesheetxpos();\r\nselectcell (0,3)::(100,5);\r\n");
  view.OnSheetMouseDown(250, 10);  // columns 2..3
  view.OnSheetMouseUp(ColumnLeft(doc, 3) + 5, 500);
  const std::string last = std::to_string(doc.RowCount() - 1);
  EXPECT_EQ(TakeMacro(), "selectcell (2,0)::(2," + last + ");\r\nhomesheetypos();\r\nselectcell (2,0)::(3," + last + ");\r\n");
}

TEST_F(SheetEditingTest, BorderDragResizesWithTheSizeCursorAndMinimumTen) {
  view.OnSheetMouseMove(216, 10);
  view.OnSheetMouseMove(300, 100);
  EXPECT_EQ(port.cursors, (std::vector<PlatformPort::Cursor>{PlatformPort::Cursor::kSizeColumn,
                                                             PlatformPort::Cursor::kArrow}));
  const Selection before = doc.GetSelection();
  view.OnSheetMouseDown(216, 10);
  view.OnSheetMouseMove(250, 10);
  EXPECT_EQ(view.SheetEditing.pointer_x, 250);
  view.OnSheetMouseUp(250, 12);
  EXPECT_EQ(doc.ColumnWidth(1), 250 - 129);
  EXPECT_EQ(TakeMacro(), "setcolwidth (1,121);\r\n");
  EXPECT_EQ(doc.GetSelection().anchor_row, before.anchor_row);  // the selection is untouched
  view.OnSheetMouseDown(250, 10);
  view.OnSheetMouseUp(100, 10);  // dragged left past the column's own left edge
  EXPECT_EQ(doc.ColumnWidth(1), 10);
  EXPECT_EQ(TakeMacro(), "setcolwidth (1,10);\r\n");
}

TEST_F(SheetEditingTest, DoubleClickOnBorderFitsTheLongestText) {
  doc.SetCell(2, 0, "weight");
  doc.SetCell(2, 40, "123456789.25");
  view.OnSheetBorderDoubleClick(ColumnRight(doc, 2), 10);
  EXPECT_EQ(doc.ColumnWidth(2), (12 + 2) * 7);
  EXPECT_EQ(TakeMacro(), "setcolwidth (2,98);\r\n");
  doc.SetCell(0, 5, "ﾗﾍﾞﾙ名前");  // four half-width, two full-width characters
  view.OnSheetBorderDoubleClick(ColumnRight(doc, 0), 10);
  EXPECT_EQ(doc.ColumnWidth(0), (4 + 2 * 2 + 2) * 7);
  TakeMacro();
  doc.SetColumnWidth(3, 40);
  view.OnSheetBorderDoubleClick(ColumnRight(doc, 3), 10);
  EXPECT_EQ(doc.ColumnWidth(3), 86);  // an empty column
  EXPECT_EQ(TakeMacro(), "setcolwidth (3,86);\r\n");
  // A release after the double click changes nothing more.
  view.OnSheetMouseUp(ColumnRight(doc, 3) + 50, 10);
  EXPECT_EQ(doc.ColumnWidth(3), 86);
  EXPECT_EQ(view.MacroText, "");
}

// ---- Clipboard ---------------------------------------------------------------------------------

TEST_F(SheetEditingTest, CopyOfCellsAndOfTheResult) {
  doc.SetCell(1, 1, "1");
  doc.SetCell(2, 1, "2");
  doc.SetCell(3, 1, "3");
  doc.SetCell(1, 2, "4");
  Select(1, 1, 2, 3);
  view.OnEditCopy();
  EXPECT_EQ(port.ClipboardText(), "1\t2\t3\r\n4\r\n");
  EXPECT_FALSE(doc.IsModified());
  doc.DisplayMode = DisplayKind::kResult;
  doc.ResultText = "line 1\nline 2\n";
  view.OnEditCopy();
  EXPECT_EQ(port.ClipboardText(), "line 1\r\nline 2\r\n");
  doc.DisplayMode = DisplayKind::kTwowayGrid;  // the twoway grid: nothing to copy, still recorded
  view.OnEditCopy();
  EXPECT_EQ(port.ClipboardText(), "line 1\r\nline 2\r\n");
  EXPECT_EQ(TakeMacro(), "copy();\r\ncopy();\r\ncopy();\r\n");
}

TEST_F(SheetEditingTest, CutClearsOnlyWhatReachedTheClipboard) {
  doc.SetCell(1, 1, "1");
  doc.SetCell(2, 2, "2");
  Select(1, 1, 2, 2);
  port.clipboard_works = false;
  view.OnEditCut();
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{"FreeORVEL: The selected area is too large to copy to clipboard."}));
  EXPECT_EQ(doc.Text(1, 1), "1");
  EXPECT_EQ(view.MacroText, "");
  port.clipboard_works = true;
  view.OnEditCut();
  EXPECT_EQ(port.ClipboardText(), "1\t\r\n\t2\r\n");
  EXPECT_EQ(doc.Text(1, 1), "");
  EXPECT_EQ(doc.Text(2, 2), "");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(TakeMacro(), "cut();\r\n");
}

TEST_F(SheetEditingTest, CutOfTheResultAsksAndCancelKeepsIt) {
  doc.DisplayMode = DisplayKind::kResult;
  doc.ResultText = "r\n";
  doc.Scroll.result_y = 80;
  port.QueueAnswer(false);
  view.OnEditCut();
  EXPECT_EQ(Questions(), (std::vector<std::string>{"FreeORVEL: Will you delete the result after copying it to clipboard?"}));
  EXPECT_EQ(doc.ResultText, "r\n");
  EXPECT_EQ(doc.Scroll.result_y, 0);
  EXPECT_FALSE(port.ClipboardText().has_value());
  EXPECT_EQ(view.MacroText, "");
  view.OnEditCut();
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(port.ClipboardText(), "r\r\n");
  EXPECT_EQ(TakeMacro(), "cut();\r\n");
}

TEST_F(SheetEditingTest, PasteFillsTheBlockAndMovesTheSelectionEnd) {
  port.SetClipboardText("1\t2\n3\t4\t5\n6");  // no final line end: its last line is pasted too
  Select(10, 2, 10, 2);
  view.OnEditPaste();
  EXPECT_TRUE(port.events.empty());  // nothing to overwrite: no question
  EXPECT_EQ(doc.Text(2, 10), "1");
  EXPECT_EQ(doc.Text(4, 11), "5");
  EXPECT_EQ(doc.Text(2, 12), "6");
  EXPECT_DOUBLE_EQ(doc.Value(3, 11), 4.0);
  EXPECT_EQ(doc.GetSelection().end_row, 12);
  EXPECT_EQ(doc.GetSelection().end_column, 4);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(TakeMacro(), "paste();\r\n");
}

TEST_F(SheetEditingTest, PasteRefusesBlocksBeyondTheSheet) {
  doc.SetCell(1, doc.RowCount() - 2, "8");
  port.SetClipboardText("1\n2\n3\n");
  Select(doc.RowCount() - 2, 1, doc.RowCount() - 2, 1);
  view.OnEditPaste();
  port.SetClipboardText("a\tb");
  Select(1, 100, 1, 100);
  view.OnEditPaste();
  // Far more lines than the sheet has rows.
  std::string huge;
  for (int i = 0; i < 100000; ++i) huge += "1\t2\r\n";
  port.SetClipboardText(huge);
  Select(1, 1, 1, 1);
  view.OnEditPaste();
  const std::string refusal = "FreeORVEL: The data are too large to paste on the data sheet.";
  EXPECT_EQ(port.Messages(), (std::vector<std::string>{refusal, refusal, refusal}));
  EXPECT_EQ(doc.Text(1, doc.RowCount() - 2), "8");
  EXPECT_EQ(doc.UsedRowCount(), doc.RowCount() - 2);
  EXPECT_EQ(doc.GetSelection().end_row, 1);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(TakeMacro(), "paste();\r\npaste();\r\npaste();\r\n");
}

TEST_F(SheetEditingTest, PasteOverDataAsksAndCancelLeavesIt) {
  doc.SetCell(2, 2, "7");
  port.SetClipboardText("1\t1\r\n1\t1\r\n");
  Select(1, 1, 1, 1);
  port.QueueCancel();
  view.OnEditPaste();
  EXPECT_EQ(Questions(), (std::vector<std::string>{"FreeORVEL: There are some data on the cells. Will you overwrite them?"}));
  EXPECT_EQ(doc.Text(2, 2), "7");
  EXPECT_EQ(doc.Text(1, 1), "");
  EXPECT_EQ(TakeMacro(), "paste();\r\n");  // recorded also after Cancel
  view.OnEditPaste();
  EXPECT_EQ(doc.Text(2, 2), "1");
  // Nothing on the clipboard, or another pane: nothing happens, the statement is recorded.
  CORVELDoc other;
  SheetPort empty;
  CORVELView other_view(other, empty);
  other_view.IsRecording = true;
  other_view.OnEditPaste();
  EXPECT_EQ(other.UsedRowCount(), 0);
  EXPECT_EQ(other_view.MacroText, "paste();\r\n");
}

TEST_F(SheetEditingTest, CopiedBlockPastedElsewhereHasTheSameTexts) {
  doc.SetCell(0, 3, "label");
  doc.SetCell(1, 3, "1.5");
  doc.SetCell(2, 4, "-2");
  doc.SetCell(1, 5, "Var");  // refused in a data row: stays empty
  Select(3, 0, 5, 2);
  view.OnEditCopy();
  Select(20, 0, 20, 0);
  view.OnEditPaste();
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c <= 2; ++c) EXPECT_EQ(doc.Text(c, 20 + r), doc.Text(c, 3 + r)) << r << "," << c;
}

// ---- Delete and fill ---------------------------------------------------------------------------

TEST_F(SheetEditingTest, DeleteAsksInEachPane) {
  doc.SetCell(1, 1, "1");
  doc.SetCell(2, 2, "2");
  doc.ResultText = "result\n";
  doc.SetTwowayGridCell(1, 1, 3);
  doc.SetTwowayLabelA(1, "a");
  Select(1, 1, 2, 2);
  port.QueueCancel();
  view.OnEditDelete();
  EXPECT_EQ(doc.Text(1, 1), "1");
  view.OnEditDelete();
  EXPECT_EQ(doc.Text(1, 1), "");
  EXPECT_EQ(doc.Text(2, 2), "");
  EXPECT_EQ(doc.Column(2).LastUsedRow(), 2);  // last used rows stay

  doc.DisplayMode = DisplayKind::kResult;
  doc.Scroll.result_y = 40;
  port.QueueCancel();
  view.OnEditDelete();
  EXPECT_EQ(doc.ResultText, "result\n");
  view.OnEditDelete();
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(doc.Scroll.result_y, 0);

  doc.DisplayMode = DisplayKind::kTwowayGrid;
  port.QueueCancel();
  view.OnEditDelete();
  EXPECT_EQ(doc.TwowayGridCell(1, 1), 3);
  view.OnEditDelete();
  EXPECT_EQ(doc.TwowayGridCell(1, 1), 0);
  EXPECT_EQ(doc.TwowayLabelA(1), "");

  doc.DisplayMode = DisplayKind::kScatterPlot;  // a graph: no question
  doc.SetModified(false);
  view.OnEditDelete();
  EXPECT_TRUE(doc.IsModified());

  const std::string cells = "FreeORVEL: Are you sure that you would like to delete the data of the selected cells?";
  const std::string result = "FreeORVEL: Are you sure that you would like to delete the result?";
  const std::string grid = "FreeORVEL: Are you sure that you would like to initialize data setting?";
  EXPECT_EQ(Questions(), (std::vector<std::string>{cells, cells, result, result, grid, grid}));
  std::string statements;
  for (int i = 0; i < 7; ++i) statements += "del();\r\n";
  EXPECT_EQ(TakeMacro(), statements);
}

TEST_F(SheetEditingTest, FillsRecordTheirStatementsAndUpwardFillDownChangesNothing) {
  doc.SetCell(1, 1, "1");
  doc.SetCell(1, 2, "2");
  doc.SetCell(1, 3, "3");
  Select(3, 1, 1, 1);
  view.OnFillDown();
  EXPECT_EQ(doc.Text(1, 1), "1");
  EXPECT_EQ(doc.Text(1, 2), "2");
  view.OnFillUp();
  EXPECT_EQ(doc.Text(1, 1), "3");
  EXPECT_EQ(doc.Text(1, 2), "3");
  Select(1, 1, 1, 3);
  view.OnFillRight();
  EXPECT_EQ(doc.Text(3, 1), "3");
  Select(1, 3, 1, 2);
  doc.SetCell(3, 1, "5");
  view.OnFillLeft();
  EXPECT_EQ(doc.Text(2, 1), "5");
  EXPECT_EQ(doc.Text(1, 1), "3");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(TakeMacro(), "copydown();\r\ncopyup();\r\ncopyright();\r\ncopyleft();\r\n");
}

// ---- Sort --------------------------------------------------------------------------------------

TEST_F(SheetEditingTest, SortCarriesTheChosenColumnsAndRemembersThem) {
  const std::vector<std::string> keys = {"3", "1", "2"};
  for (int r = 1; r <= 3; ++r) {
    doc.SetCell(1, r, keys[static_cast<std::size_t>(r - 1)]);
    doc.SetCell(2, r, std::to_string(r * 10));
    doc.SetCell(3, r, std::to_string(r));
    doc.SetCell(0, r, "row" + std::to_string(r));
  }
  port.QueueDialog("Sort", {{"columns", "0, 1,2"}, {"key", "1"}});
  view.OnSort();
  EXPECT_EQ(doc.Text(0, 1), "row2");
  EXPECT_EQ(doc.Text(0, 3), "row1");
  EXPECT_EQ(doc.Text(1, 1), "1");
  EXPECT_EQ(doc.Text(2, 1), "20");
  EXPECT_EQ(doc.Text(2, 2), "30");
  EXPECT_EQ(doc.Text(3, 1), "1");  // not carried
  EXPECT_EQ(doc.SortColumns[0] + doc.SortColumns[1] + doc.SortColumns[2] + doc.SortColumns[3], 3);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(TakeMacro(), "sort();\r\n");

  // The columns are preset from the last sort; descending reverses.
  port.QueueDialog("Sort", {{"key", "1"}, {"order", "descending"}});
  view.OnSort();
  EXPECT_EQ(doc.Text(1, 1), "3");
  EXPECT_EQ(doc.Text(0, 1), "row1");

  // Cancel, and OK without a key, sort nothing but are recorded.
  doc.SetModified(false);
  port.QueueDialog("Sort", {}, false);
  view.OnSort();
  view.OnSort();  // accepted with the presets: no key
  EXPECT_EQ(doc.Text(1, 1), "3");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(TakeMacro(), "sort();\r\nsort();\r\nsort();\r\n");
}

TEST(SortDialogTest, FieldsChecksAndListEntries) {
  SortDialog dialog;
  EXPECT_EQ(dialog.Title(), "Sort");
  EXPECT_EQ(dialog.Accept(), SortDialog::kNoKeyMessage);
  EXPECT_TRUE(dialog.SetField("key", "0"));
  EXPECT_EQ(dialog.Accept(), "label列は並べ替えの基準列に設定できません。");
  EXPECT_TRUE(dialog.SetField("key", "100"));
  EXPECT_EQ(dialog.Accept(), "");  // a key outside the columns to be sorted is allowed
  EXPECT_FALSE(dialog.SetField("key", "101"));
  EXPECT_FALSE(dialog.SetField("key", "x"));
  EXPECT_TRUE(dialog.SetField("columns", "0,5,100"));
  EXPECT_TRUE(dialog.columns[0] && dialog.columns[5] && dialog.columns[100] && !dialog.columns[1]);
  EXPECT_FALSE(dialog.SetField("columns", "1,,2"));
  EXPECT_FALSE(dialog.SetField("columns", "1,101"));
  EXPECT_TRUE(dialog.columns[5]);  // a refused list leaves the columns as they were
  EXPECT_TRUE(dialog.SetField("columns", ""));
  EXPECT_FALSE(dialog.columns[5]);
  EXPECT_TRUE(dialog.SetField("order", "descending"));
  EXPECT_TRUE(dialog.descending);
  EXPECT_FALSE(dialog.SetField("order", "down"));
  EXPECT_FALSE(dialog.SetField("reverse", "1"));

  CORVELDoc doc;
  doc.SetCell(0, 0, "name");
  doc.SetCell(7, 0, "height");
  EXPECT_EQ(SortDialog::ListEntry(doc, 0), "label : name");
  EXPECT_EQ(SortDialog::ListEntry(doc, 7), "Col 7 : height");
  EXPECT_EQ(SortDialog::ListEntry(doc, 12), "Col12 : ");
}

// ---- Replay --------------------------------------------------------------------------------------

// What the editing records replays to the same sheet.
TEST_F(SheetEditingTest, RecordedEditingReplaysToTheSameSheet) {
  view.MacroText.clear();
  Type("3");
  Key(SheetKey::kEnter);
  Type("1");
  Key(SheetKey::kDown);
  Type("2");
  Key(SheetKey::kRight);
  Type("-");  // a lone sign: not a number
  Key(SheetKey::kHome, false, true);
  port.SetClipboardText("10\t20\n30\t40\n");
  Click(5, 1);
  view.OnEditPaste();
  Key(SheetKey::kDown, true);
  Key(SheetKey::kDown, true);
  Key(SheetKey::kRight, true);
  view.OnFillDown();  // rows 6 and 7 of columns 1 and 2 take row 5's texts
  port.QueueDialog("Sort", {{"columns", "1,2"}, {"key", "1"}});
  view.OnSort();
  Click(1, 1);
  const std::string macro = view.MacroText;

  CORVELDoc replayed;
  SheetPort replay_port;
  replay_port.SetClipboardText("10\t20\n30\t40\n");
  replay_port.QueueDialog("Sort", {{"columns", "1,2"}, {"key", "1"}});
  CORVELView replay_view(replayed, replay_port);
  replay_view.RunMacroText(macro);
  EXPECT_TRUE(replay_port.Messages().empty()) << replay_port.Messages().front();
  for (int c = 0; c <= 3; ++c)
    for (int r = 0; r <= 8; ++r) EXPECT_EQ(replayed.Text(c, r), doc.Text(c, r)) << "cell " << c << "," << r;
  EXPECT_EQ(replayed.Text(1, 1), "1");
  EXPECT_EQ(replayed.Text(2, 7), "20");
  EXPECT_EQ(replayed.GetSelection().anchor_row, doc.GetSelection().anchor_row);
}

}  // namespace
}  // namespace orvel
