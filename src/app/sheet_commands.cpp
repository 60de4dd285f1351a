// The sheet pane's editing: typing, the navigation keys, the mouse (selections, column
// widths), the clipboard, fill, delete and sort, each with the statements it records.
#include <algorithm>
#include <new>
#include <string>
#include <string_view>

#include "app/orvel_view.h"
#include "app/sheet_geometry.h"
#include "app/sort_dialog.h"
#include "sheet/sheet_editing.h"

namespace orvel {

namespace {
constexpr const char* kCopyTooLarge = "The selected area is too large to copy to clipboard.";
constexpr const char* kPasteTooLarge = "The data are too large to paste on the data sheet.";
constexpr const char* kOverwrite = "There are some data on the cells. Will you overwrite them?";
constexpr const char* kDeleteCells = "Are you sure that you would like to delete the data of the selected cells?";
constexpr const char* kDeleteResult = "Are you sure that you would like to delete the result?";
constexpr const char* kDeleteTwoway = "Are you sure that you would like to initialize data setting?";
constexpr const char* kCutResult = "Will you delete the result after copying it to clipboard?";
constexpr int kArrowScrollY = 40;
constexpr int kArrowScrollX = 86;
constexpr int kPageStep = 20;
constexpr int kPageTargetY = 50;  // Page Up/Down make the row drawn here current
constexpr int kEmptyColumnWidth = 86;

bool IsSheetPane(const CORVELDoc& doc) { return doc.DisplayMode == DisplayKind::kDataSheet; }

// A text's width in average character widths: one for ASCII and half-width katakana, two for
// any other character (a Japanese label is about twice as wide per character).
int TextCells(std::string_view text) {
  int cells = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    bool narrow = lead < 0x80;
    if (length == 3 && i + 2 < text.size()) {
      const unsigned code = (lead & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                            (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
      narrow = code >= 0xFF61 && code <= 0xFF9F;
    }
    cells += narrow ? 1 : 2;
    i += length;
  }
  return cells;
}

// Leaving a cell that was typed into records its text; the next keystroke starts afresh.
void EndCellEdit(CORVELView& view) {
  CORVELDoc& doc = view.Doc();
  if (doc.CellEditStarted != 0 || view.SheetEditing.cell_backspaced) {
    const Selection& s = doc.GetSelection();
    view.Record("cell(%d,%d)=\"%s\";\r\n", s.anchor_column, s.anchor_row,
                std::string(doc.Text(s.anchor_column, s.anchor_row)).c_str());
  }
  doc.CellEditStarted = 0;
  view.SheetEditing.cell_backspaced = false;
}

void RecordSelection(CORVELView& view) {
  const Selection& s = view.Doc().GetSelection();
  view.Record("selectcell (%d,%d)::(%d,%d);\r\n", s.anchor_column, s.anchor_row, s.end_column, s.end_row);
}

void ScrollSheetY(CORVELView& view, int delta) {
  double& y = view.Doc().Scroll.sheet_y;
  if (delta > 0) {
    y += delta;
    view.Record("incsheetypos (%d);\r\n", delta);
  } else {
    y = std::max(0.0, y + delta);
    view.Record("decsheetypos (%d);\r\n", -delta);
  }
}

void ScrollSheetX(CORVELView& view, int delta) {
  double& x = view.Doc().Scroll.sheet_x;
  if (delta > 0) {
    x += delta;
    view.Record("incsheetxpos (%d);\r\n", delta);
  } else {
    x = std::max(0.0, x + delta);
    view.Record("decsheetxpos (%d);\r\n", -delta);
  }
}

// Scrolls once when the cell reached by a step in that direction leaves the scrolling area
// (the part of the pane below the name row and right of the label column).
void ScrollAfterStep(CORVELView& view, int row, int column, int d_row, int d_column) {
  CORVELDoc& doc = view.Doc();
  PlatformPort& port = view.Port();
  if (d_row > 0 && row >= 1 && RowBottom(doc, row) >= port.ClientHeight()) {
    ScrollSheetY(view, kArrowScrollY);
  } else if (d_row < 0 && row >= 1 && RowTop(doc, row) < RowBottom(doc, 0) && doc.Scroll.sheet_y > 0) {
    ScrollSheetY(view, -kArrowScrollY);
  } else if (d_column > 0 && column >= 1 && ColumnRight(doc, column) > port.ClientWidth()) {
    ScrollSheetX(view, kArrowScrollX);
  } else if (d_column < 0 && column >= 1 && ColumnLeft(doc, column) < ColumnRight(doc, 0) &&
             doc.Scroll.sheet_x > 0) {
    ScrollSheetX(view, -kArrowScrollX);
  }
}

// An arrow key or Enter: the current cell moves and the selection collapses to it; with Shift
// the selection's end moves instead.
void Step(CORVELView& view, int d_row, int d_column, bool extend) {
  CORVELDoc& doc = view.Doc();
  EndCellEdit(view);
  const Selection s = doc.GetSelection();
  if (extend) {
    doc.SetEnd(s.end_row + d_row, s.end_column + d_column);
  } else {
    doc.SetAnchor(s.anchor_row + d_row, s.anchor_column + d_column);
    const Selection& moved = doc.GetSelection();
    doc.SetEnd(moved.anchor_row, moved.anchor_column);
  }
  RecordSelection(view);
  const Selection& now = doc.GetSelection();
  if (extend) ScrollAfterStep(view, now.end_row, now.end_column, d_row, d_column);
  else ScrollAfterStep(view, now.anchor_row, now.anchor_column, d_row, d_column);
  view.Port().Repaint();
}

// Page Up / Page Down: steps of 20 pixels, each recorded, then the row drawn at y = 50
// becomes the current cell.
void Page(CORVELView& view, bool down) {
  CORVELDoc& doc = view.Doc();
  PlatformPort& port = view.Port();
  EndCellEdit(view);
  const int steps = std::max(0, port.ClientHeight() / kSheetRowHeight - 2);
  for (int i = 0; i < steps; ++i) {
    if (down) {
      if (RowBottom(doc, doc.RowCount() - 1) <= port.ClientHeight()) break;
      ScrollSheetY(view, kPageStep);
    } else {
      if (doc.Scroll.sheet_y <= 0) break;
      ScrollSheetY(view, -kPageStep);
    }
  }
  const int row = RowAt(doc, kPageTargetY);
  const int column = doc.GetSelection().anchor_column;
  doc.SetSelection(row, column, row, column);
  RecordSelection(view);
  port.Repaint();
}

void Home(CORVELView& view, bool ctrl) {
  CORVELDoc& doc = view.Doc();
  EndCellEdit(view);
  const int row = doc.GetSelection().anchor_row;
  doc.SetSelection(row, 1, row, 1);
  doc.Scroll.sheet_x = 0;
  RecordSelection(view);
  view.Record("homesheetxpos;\r\n");
  if (ctrl) {
    doc.SetSelection(1, 1, 1, 1);
    doc.Scroll.sheet_y = 0;
    RecordSelection(view);
    view.Record("homesheetypos();\r\n");
  }
  view.Port().Repaint();
}

void HomeX(CORVELView& view) {
  view.Doc().Scroll.sheet_x = 0;
  view.Record("homesheetxpos();\r\n");
}
void HomeY(CORVELView& view) {
  view.Doc().Scroll.sheet_y = 0;
  view.Record("homesheetypos();\r\n");
}

// Puts text on the clipboard; false (after the message) when it cannot be done.
bool CopyToClipboard(CORVELView& view, const std::string& text) {
  if (view.Port().SetClipboardText(text)) return true;
  view.Port().ShowMessage(kFreeTitle, kCopyTooLarge);
  return false;
}

// Copies the selected cells under the wait cursor; false (after the message, shown with the
// normal pointer) when the text could not be built or the clipboard did not take it.
bool CopySelectedCells(CORVELView& view) {
  PlatformPort& port = view.Port();
  port.SetWaitCursor(true);
  bool copied = false;
  try {
    copied = port.SetClipboardText(SheetCopyText(view.Doc(), view.Doc().GetSelection()));
  } catch (const std::bad_alloc&) {
    copied = false;
  }
  port.SetWaitCursor(false);
  if (!copied) port.ShowMessage(kFreeTitle, kCopyTooLarge);
  return copied;
}

bool CopyResult(CORVELView& view) {
  try {
    return CopyToClipboard(view, ResultCopyText(view.Doc().ResultText));
  } catch (const std::bad_alloc&) {
    view.Port().ShowMessage(kFreeTitle, kCopyTooLarge);
    return false;
  }
}

// Fills change cells, so the document is marked modified as every other edit marks it.
void Fill(CORVELView& view, void (*fill)(CORVELDoc&, const Selection&), CommandId command) {
  CORVELDoc& doc = view.Doc();
  fill(doc, doc.GetSelection());
  doc.SetModified();
  view.Port().Repaint();
  view.RecordCommand(command);
}
}  // namespace

// ---- Typing and keys ---------------------------------------------------------------------------

void CORVELView::OnSheetChar(char32_t c) {
  if (!IsSheetPane(doc_)) return;
  // Control characters (Backspace, Enter, Escape, Tab...) and the blank are never typed.
  if (c < 0x20 || c == 0x7F || c == U' ') return;
  doc_.SetModified();
  const Selection& s = doc_.GetSelection();
  if (doc_.CellEditStarted == 0) {
    doc_.CellEditStarted = 1;
    doc_.ClearCell(s.anchor_column, s.anchor_row);
  }
  doc_.TypeChar(s.anchor_column, s.anchor_row, c);
  port_.Repaint();
}

void CORVELView::OnSheetKeyDown(SheetKey key, bool shift, bool ctrl) {
  if (!IsSheetPane(doc_)) return;
  switch (key) {
    case SheetKey::kBackspace: {
      doc_.SetModified();
      const Selection& s = doc_.GetSelection();
      doc_.Backspace(s.anchor_column, s.anchor_row);
      if (doc_.CellEditStarted == 0) SheetEditing.cell_backspaced = true;
      port_.Repaint();
      return;
    }
    case SheetKey::kEnter: return Step(*this, 1, 0, false);
    case SheetKey::kDown: return Step(*this, 1, 0, shift);
    case SheetKey::kUp: return Step(*this, -1, 0, shift);
    case SheetKey::kLeft: return Step(*this, 0, -1, shift);
    case SheetKey::kRight: return Step(*this, 0, 1, shift);
    case SheetKey::kPageDown: return Page(*this, true);
    case SheetKey::kPageUp: return Page(*this, false);
    case SheetKey::kHome: return Home(*this, ctrl);
  }
}

// ---- Mouse -------------------------------------------------------------------------------------

void CORVELView::OnSheetMouseDown(int x, int y) {
  if (!IsSheetPane(doc_)) return;
  doc_.SetModified();
  EndCellEdit(*this);
  const SheetHit hit = HitTestSheet(doc_, x, y);
  const int last_row = doc_.RowCount() - 1;
  SheetEditingState& drag = SheetEditing;
  switch (hit.kind) {
    case SheetHitKind::kCorner:
      drag.drag = SheetDragMode::kWholeSheet;
      doc_.SetSelection(0, 0, last_row, kLastColumn);
      RecordSelection(*this);
      HomeX(*this);
      HomeY(*this);
      break;
    case SheetHitKind::kRowHeader:
      drag.drag = SheetDragMode::kWholeRow;
      doc_.SetSelection(hit.row, 0, hit.row, kLastColumn);
      RecordSelection(*this);
      HomeX(*this);
      if (hit.row == 0) HomeY(*this);
      break;
    case SheetHitKind::kColumnBorder:
      drag.drag = SheetDragMode::kColumnBorder;
      drag.border_column = hit.column;
      drag.pointer_x = x;
      port_.SetCursor(PlatformPort::Cursor::kSizeColumn);
      break;
    case SheetHitKind::kColumnHeader:
      drag.drag = SheetDragMode::kWholeColumn;
      doc_.SetSelection(0, hit.column, last_row, hit.column);
      RecordSelection(*this);
      HomeY(*this);
      if (hit.column == 0) HomeX(*this);
      break;
    case SheetHitKind::kCell:
      drag.drag = SheetDragMode::kCell;
      doc_.SetSelection(hit.row, hit.column, hit.row, hit.column);
      RecordSelection(*this);
      if (hit.column == 0) HomeX(*this);
      if (hit.row == 0) HomeY(*this);
      break;
  }
  drag.pressed_end_row = doc_.GetSelection().end_row;
  drag.pressed_end_column = doc_.GetSelection().end_column;
  port_.Repaint();
}

namespace {
// The selection's end for the pointer at (x, y) during a row, column or cell drag.
void DragEnd(CORVELView& view, SheetDragMode mode, int x, int y) {
  CORVELDoc& doc = view.Doc();
  switch (mode) {
    case SheetDragMode::kWholeRow: doc.SetEnd(RowAt(doc, y), kLastColumn); break;
    case SheetDragMode::kWholeColumn: doc.SetEnd(doc.RowCount() - 1, ColumnAt(doc, x)); break;
    case SheetDragMode::kCell: doc.SetEnd(RowAt(doc, y), ColumnAt(doc, x)); break;
    default: break;
  }
}
}  // namespace

void CORVELView::OnSheetMouseMove(int x, int y) {
  if (!IsSheetPane(doc_)) return;
  switch (SheetEditing.drag) {
    case SheetDragMode::kNone: {
      const SheetHit hit = HitTestSheet(doc_, x, y);
      port_.SetCursor(hit.kind == SheetHitKind::kColumnBorder ? PlatformPort::Cursor::kSizeColumn
                                                              : PlatformPort::Cursor::kArrow);
      return;
    }
    case SheetDragMode::kColumnBorder:
      SheetEditing.pointer_x = x;
      port_.Repaint();
      return;
    case SheetDragMode::kWholeSheet: return;
    default: {
      const Selection before = doc_.GetSelection();
      DragEnd(*this, SheetEditing.drag, x, y);
      const Selection& after = doc_.GetSelection();
      if (after.end_row != before.end_row || after.end_column != before.end_column) port_.Repaint();
      return;
    }
  }
}

void CORVELView::OnSheetMouseUp(int x, int y) {
  if (!IsSheetPane(doc_)) return;
  const SheetDragMode mode = SheetEditing.drag;
  SheetEditing.drag = SheetDragMode::kNone;
  if (mode == SheetDragMode::kColumnBorder) {
    const int c = SheetEditing.border_column;
    const long long width = static_cast<long long>(x) - ColumnLeft(doc_, c);
    doc_.SetColumnWidth(c, static_cast<int>(std::clamp<long long>(width, 0, 1000000)));
    port_.SetCursor(PlatformPort::Cursor::kArrow);
    port_.Repaint();
    Record("setcolwidth (%d,%d);\r\n", c, doc_.ColumnWidth(c));
    return;
  }
  if (mode != SheetDragMode::kWholeRow && mode != SheetDragMode::kWholeColumn && mode != SheetDragMode::kCell) return;
  DragEnd(*this, mode, x, y);
  const Selection& s = doc_.GetSelection();
  port_.Repaint();
  // A click without a drag was recorded by the press.
  if (s.end_row != SheetEditing.pressed_end_row || s.end_column != SheetEditing.pressed_end_column)
    RecordSelection(*this);
}

void CORVELView::OnSheetBorderDoubleClick(int x, int y) {
  if (!IsSheetPane(doc_)) return;
  const SheetHit hit = HitTestSheet(doc_, x, y);
  if (hit.kind != SheetHitKind::kColumnBorder) return OnSheetMouseDown(x, y);
  SheetEditing.drag = SheetDragMode::kNone;
  const int c = hit.column;
  int longest = 0;
  for (int r = 0; r < doc_.RowCount(); ++r) longest = std::max(longest, TextCells(doc_.Text(c, r)));
  const int width = longest == 0 ? kEmptyColumnWidth : (longest + 2) * port_.AverageCharWidth();
  doc_.SetColumnWidth(c, width);
  doc_.SetModified();
  port_.SetCursor(PlatformPort::Cursor::kArrow);
  port_.Repaint();
  Record("setcolwidth (%d,%d);\r\n", c, doc_.ColumnWidth(c));
}

// ---- Edit commands -----------------------------------------------------------------------------

void CORVELView::OnEditCopy() {
  if (doc_.DisplayMode == DisplayKind::kDataSheet)
    CopySelectedCells(*this);
  else if (doc_.DisplayMode == DisplayKind::kResult)
    CopyResult(*this);
  else if (doc_.DisplayMode != DisplayKind::kTwowayGrid)
    CopyGraph();
  // The twoway grid has nothing to copy.
  RecordCommand(CommandId::kCopy);
}

void CORVELView::OnEditCut() {
  if (doc_.DisplayMode == DisplayKind::kDataSheet) {
    if (!CopySelectedCells(*this)) return;  // nothing is cleared unless it was copied
    ClearSelectedCells(doc_, doc_.GetSelection());
    port_.Repaint();
    doc_.SetModified();
    RecordCommand(CommandId::kCut);
  } else if (doc_.DisplayMode == DisplayKind::kResult && !doc_.ResultText.empty()) {
    const bool ok = port_.AskQuestion(kFreeTitle, kCutResult, QuestionButtons::OkCancel);
    // The result is emptied only once it is safely on the clipboard.
    if (ok && CopyResult(*this)) {
      doc_.ResultText.clear();
      port_.Repaint();
      RecordCommand(CommandId::kCut);
    }
    doc_.Scroll.result_x = doc_.Scroll.result_y = 0;
  }
}

void CORVELView::OnEditPaste() {
  if (doc_.DisplayMode == DisplayKind::kDataSheet) {
    if (const std::optional<std::string> text = port_.ClipboardText()) {
      const Selection& s = doc_.GetSelection();
      const int row = s.anchor_row, column = s.anchor_column;
      const PasteBlock block = MeasurePasteBlock(*text);
      if (!PasteBlockFits(doc_, block, row, column)) {
        port_.ShowMessage(kFreeTitle, kPasteTooLarge);
      } else {
        const int bottom = row + static_cast<int>(block.lines) - 1;
        const int right = column + static_cast<int>(block.fields) - 1;
        if (!RectangleHasText(doc_, row, column, bottom, right) ||
            port_.AskQuestion(kFreeTitle, kOverwrite, QuestionButtons::OkCancel)) {
          doc_.SetEnd(bottom, right);
          PasteText(doc_, *text, row, column);
          doc_.SetModified();
          port_.Repaint();
        }
      }
    }
  }
  RecordCommand(CommandId::kPaste);
}

void CORVELView::OnEditDelete() {
  doc_.SetModified();
  if (doc_.DisplayMode == DisplayKind::kDataSheet) {
    if (port_.AskQuestion(kFreeTitle, kDeleteCells, QuestionButtons::OkCancel)) {
      ClearSelectedCells(doc_, doc_.GetSelection());
      port_.Repaint();
    }
  } else if (doc_.DisplayMode == DisplayKind::kResult) {
    if (port_.AskQuestion(kFreeTitle, kDeleteResult, QuestionButtons::OkCancel)) {
      doc_.ResultText.clear();
      doc_.Scroll.result_x = doc_.Scroll.result_y = 0;
      port_.Repaint();
    }
  } else if (doc_.DisplayMode == DisplayKind::kTwowayGrid) {
    if (port_.AskQuestion(kFreeTitle, kDeleteTwoway, QuestionButtons::OkCancel)) {
      doc_.ClearTwowaySettings();
      port_.Repaint();
    }
  }
  RecordCommand(CommandId::kDelete);
}

void CORVELView::OnFillRight() { Fill(*this, FillRight, CommandId::kFillRight); }
void CORVELView::OnFillLeft() { Fill(*this, FillLeft, CommandId::kFillLeft); }
void CORVELView::OnFillUp() { Fill(*this, FillUp, CommandId::kFillUp); }
void CORVELView::OnFillDown() { Fill(*this, FillDown, CommandId::kFillDown); }

void CORVELView::OnSort() {
  SortDialog dialog;
  for (int c = 0; c <= kLastColumn; ++c) dialog.columns[static_cast<std::size_t>(c)] = doc_.SortColumns[static_cast<std::size_t>(c)] != 0;
  if (port_.RunDialog(dialog) && dialog.Accept().empty()) {
    for (int c = 0; c <= kLastColumn; ++c)
      doc_.SortColumns[static_cast<std::size_t>(c)] = dialog.columns[static_cast<std::size_t>(c)] ? 1 : 0;
    doc_.SetModified();
    port_.SetWaitCursor(true);
    SortRows(doc_, dialog.key, dialog.descending);
    port_.SetWaitCursor(false);
    port_.Repaint();
  }
  RecordCommand(CommandId::kSort);
}

}  // namespace orvel
