// Editing operations on the sheet that need no window: the clipboard text of a rectangle,
// measuring and placing pasted text, the four fills and the sort's row order and carrying.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

// The clipboard text of the selected rectangle: the first row over the whole width, every
// further row from the left column up to its last cell with text (at least the left column);
// cells separated by "\t", every row ended by "\r\n". May throw std::bad_alloc.
std::string SheetCopyText(const CORVELDoc& doc, const Selection& selection);

// The result text as it goes to the clipboard: every line end "\r\n".
std::string ResultCopyText(std::string_view result);

// The block pasted text covers: `lines` = number of line ends (CR LF, LF or a lone CR), plus 1
// when the text does not end with one; `fields` = 1 + the largest number of "\t" on one line.
struct PasteBlock {
  std::int64_t lines = 0;
  std::int64_t fields = 0;
};
PasteBlock MeasurePasteBlock(std::string_view text);

// True when the block fits the sheet with its top left cell at (row, column).
bool PasteBlockFits(const CORVELDoc& doc, const PasteBlock& block, int row, int column);

// True when some cell of the rectangle has text.
bool RectangleHasText(const CORVELDoc& doc, int top, int left, int bottom, int right);

// Pastes text with its top left field at (row, column): every cell of the block is cleared,
// each block column's last used row is raised to at least the block's bottom row, then every
// field is set with its column's rules and re-parsed. Fields are separated by "\t" and lines
// by CR LF, LF or a lone CR; only a field's first 19 characters are kept. The caller
// checks PasteBlockFits first; fields that would fall outside the sheet are never written.
void PasteText(CORVELDoc& doc, std::string_view text, int row, int column);

// Clears the text of every cell of the selection (last used rows unchanged).
void ClearSelectedCells(CORVELDoc& doc, const Selection& selection);

// The fills: each target cell is replaced (cleared, set, re-parsed) by its source cell.
// Down: rows anchor+1 .. end take the anchor row's texts, columns left..right of the
// selection. Up: rows end .. anchor-1. Right: columns anchor+1 .. end take the anchor
// column's texts, rows top..bottom. Left: columns end .. anchor-1. A selection extending the
// other way changes nothing.
void FillDown(CORVELDoc& doc, const Selection& selection);
void FillUp(CORVELDoc& doc, const Selection& selection);
void FillRight(CORVELDoc& doc, const Selection& selection);
void FillLeft(CORVELDoc& doc, const Selection& selection);

// The sort's row order P (RowCount entries): row i of every carried column takes the text of
// row P[i]. P[0] = 0. Rows 1..n (n numeric key cells) hold the numeric rows by key value:
// ascending with equal values in row order, or descending with equal values in reverse row
// order. Then, up to t (the key column's last row with text, at least 1), the rows whose key
// cell is empty, then the rows whose key cell holds text that is not a number (such as "-"),
// each in row order. Rows after t stay. P is a permutation of 0..RowCount-1.
std::vector<int> SortRowOrder(const CORVELDoc& doc, int key, bool descending);

// Moves the texts of column c by the row order through the spare column: row i takes the
// text of row P[i]; values are re-parsed. The column keeps its kind and at least its last
// used row.
void CarryColumn(CORVELDoc& doc, int c, const std::vector<int>& order);

// Sorts the rows of every column flagged in the document's SortColumns by the key column.
void SortRows(CORVELDoc& doc, int key, bool descending);

}  // namespace orvel
