// Where things are on the data sheet pane: the header strips, the frozen name row and label
// column, rows and columns under the scroll offsets, and what a point hits. The core's key and
// mouse handlers and the desktop pane's drawing use these same functions, so what is drawn is
// what is hit.
//
// Layout (pixels, origin at the pane's top left):
//   - the column header strip is the top 20 pixels, the row header strip the left 43;
//   - rows are 20 high; row 0 (the names) is frozen at y 20..40, row r >= 1 starts at
//     y = 20r + 20 - (vertical scroll);
//   - column 0 (the labels) is frozen right of the row header strip, column c >= 1 starts at
//     x = 43 + (widths of columns 0..c-1) - (horizontal scroll).
// A column border can be grabbed in the column header strip within kBorderGrab pixels either
// side of a column's right edge (an edge hidden behind the frozen label column cannot).
#pragma once

#include "sheet/orvel_doc.h"

namespace orvel {

inline constexpr int kColumnHeaderHeight = 20;
inline constexpr int kRowHeaderWidth = 43;
inline constexpr int kSheetRowHeight = 20;
inline constexpr int kBorderGrab = 3;

// A scroll offset as whole pixels, kept within 0..1e9 so that no offset a macro builds up can
// overflow the geometry's arithmetic.
int SheetScrollPixels(double offset);

// Edges of row `row` and column `column` in pane coordinates (rows and columns are clamped
// into the sheet). The right edge is the left edge plus the column's width.
int RowTop(const CORVELDoc& doc, int row);
int RowBottom(const CORVELDoc& doc, int row);
int ColumnLeft(const CORVELDoc& doc, int column);
int ColumnRight(const CORVELDoc& doc, int column);

// The row drawn at pane height y: row 0 at or above its bottom edge (40), else the first row
// whose bottom edge is at or below y, clamped to the last row. Likewise the column at x.
int RowAt(const CORVELDoc& doc, int y);
int ColumnAt(const CORVELDoc& doc, int x);

// The column whose right border lies within kBorderGrab of x (the nearest one), or -1.
int ColumnBorderAt(const CORVELDoc& doc, int x);

enum class SheetHitKind { kCorner, kRowHeader, kColumnBorder, kColumnHeader, kCell };

// What a point hits, tested in this order: the corner (x <= 43 and y <= 20), a row header
// (x <= 43), a column border (y <= 20, near a right edge), a column header (y <= 20), a cell.
// `row` is meaningful for row headers and cells, `column` for column headers, borders and
// cells (0 otherwise).
struct SheetHit {
  SheetHitKind kind = SheetHitKind::kCell;
  int row = 0;
  int column = 0;
};
SheetHit HitTestSheet(const CORVELDoc& doc, int x, int y);

// The keys the sheet pane handles.
enum class SheetKey { kLeft, kRight, kUp, kDown, kEnter, kPageUp, kPageDown, kHome, kBackspace };

// What a mouse press on the sheet started, until the button is released.
enum class SheetDragMode { kNone, kWholeSheet, kWholeRow, kColumnBorder, kWholeColumn, kCell };

}  // namespace orvel
