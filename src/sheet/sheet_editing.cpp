#include "sheet/sheet_editing.h"

#include <algorithm>
#include <string>
#include <utility>

#include "sheet/cell_text.h"

namespace orvel {

namespace {
bool IsColumn(int c) { return c >= 0 && c <= kLastColumn; }
bool IsRow(const CORVELDoc& doc, int r) { return r >= 0 && r < doc.RowCount(); }

// The selection's rectangle kept within the sheet.
struct Rect {
  int top, left, bottom, right;
};
Rect Clipped(const CORVELDoc& doc, const Selection& s) {
  const int last_row = doc.RowCount() - 1;
  return {std::clamp(s.TopRow(), 0, last_row), std::clamp(s.LeftColumn(), 0, kLastColumn),
          std::clamp(s.BottomRow(), 0, last_row), std::clamp(s.RightColumn(), 0, kLastColumn)};
}

// Sets one pasted field: only its first 19 characters reach the cell.
void SetPastedField(CORVELDoc& doc, int row, int column, std::string_view field) {
  if (!IsColumn(column) || !IsRow(doc, row)) return;
  CDataColumn& col = doc.Column(column);
  col.SetText(row, Utf8Prefix(field, kMaxCellChars));
  col.Reparse(row);
}
}  // namespace

// ---- Copy -------------------------------------------------------------------------------------

std::string SheetCopyText(const CORVELDoc& doc, const Selection& selection) {
  const Rect r = Clipped(doc, selection);
  std::size_t size = 0;
  for (int c = r.left; c <= r.right; ++c)
    for (int row = r.top; row <= r.bottom; ++row) size += 3 + doc.Text(c, row).size();
  std::string text;
  text.reserve(size);
  for (int row = r.top; row <= r.bottom; ++row) {
    const int last = row == r.top ? r.right : doc.RightmostColumnWithText(r.left, row, r.right, row);
    for (int c = r.left; c <= last; ++c) {
      if (c > r.left) text += '\t';
      if (doc.HasText(c, row)) text += doc.Text(c, row);
    }
    text += "\r\n";
  }
  return text;
}

std::string ResultCopyText(std::string_view result) {
  std::string text;
  text.reserve(result.size() + static_cast<std::size_t>(std::count(result.begin(), result.end(), '\n')));
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (result[i] == '\n' && (i == 0 || result[i - 1] != '\r')) text += '\r';
    text += result[i];
  }
  return text;
}

// ---- Paste ------------------------------------------------------------------------------------

PasteBlock MeasurePasteBlock(std::string_view text) {
  PasteBlock block;
  std::int64_t tabs = 0, most_tabs = 0;
  bool ended = false;  // the text so far ends with a line end
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    ended = false;
    if (ch == '\t') {
      most_tabs = std::max(most_tabs, ++tabs);
    } else if (ch == '\n' || ch == '\r') {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++block.lines;
      tabs = 0;
      ended = true;
    }
  }
  if (!ended) ++block.lines;
  block.fields = most_tabs + 1;
  return block;
}

bool PasteBlockFits(const CORVELDoc& doc, const PasteBlock& block, int row, int column) {
  if (!IsColumn(column) || !IsRow(doc, row) || block.lines < 1 || block.fields < 1) return false;
  return column + block.fields - 1 <= kLastColumn && row + block.lines - 1 <= doc.RowCount() - 1;
}

bool RectangleHasText(const CORVELDoc& doc, int top, int left, int bottom, int right) {
  for (int c = std::max(left, 0); c <= std::min(right, kLastColumn); ++c)
    for (int r = std::max(top, 0); r <= std::min(bottom, doc.RowCount() - 1); ++r)
      if (doc.HasText(c, r)) return true;
  return false;
}

void PasteText(CORVELDoc& doc, std::string_view text, int row, int column) {
  if (!IsColumn(column) || !IsRow(doc, row)) return;
  const PasteBlock block = MeasurePasteBlock(text);
  const int bottom = static_cast<int>(std::min<std::int64_t>(row + block.lines - 1, doc.RowCount() - 1));
  const int right = static_cast<int>(std::min<std::int64_t>(column + block.fields - 1, kLastColumn));
  for (int c = column; c <= right; ++c) {
    CDataColumn& col = doc.Column(c);
    for (int r = row; r <= bottom; ++r) col.ClearCell(r);
    if (col.LastUsedRow() < bottom) col.SetLastUsedRow(bottom);
  }

  int r = row, c = column;
  std::size_t field_start = 0;
  bool line_has_text = false;
  const auto flush = [&](std::size_t end) {
    if (r <= bottom && c <= right) SetPastedField(doc, r, c, text.substr(field_start, end - field_start));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\t') {
      flush(i);
      field_start = i + 1;
      ++c;
      line_has_text = true;
    } else if (ch == '\n' || ch == '\r') {
      // CR LF, LF and a lone CR each end a line.
      flush(i);
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      field_start = i + 1;
      ++r;
      c = column;
      line_has_text = false;
      if (r > bottom) break;
    } else {
      line_has_text = true;
    }
  }
  // A last line without a line end is pasted too.
  if (line_has_text) flush(text.size());
}

void ClearSelectedCells(CORVELDoc& doc, const Selection& selection) {
  const Rect r = Clipped(doc, selection);
  for (int c = r.left; c <= r.right; ++c)
    for (int row = r.top; row <= r.bottom; ++row) doc.ClearCell(c, row);
}

// ---- Fill -------------------------------------------------------------------------------------

void FillDown(CORVELDoc& doc, const Selection& s) {
  const Rect r = Clipped(doc, s);
  for (int row = s.anchor_row + 1; row <= std::min(s.end_row, doc.RowCount() - 1); ++row)
    for (int c = r.left; c <= r.right; ++c) doc.SetCell(c, row, std::string(doc.Text(c, s.anchor_row)));
}

void FillUp(CORVELDoc& doc, const Selection& s) {
  const Rect r = Clipped(doc, s);
  for (int row = std::max(s.end_row, 0); row <= s.anchor_row - 1; ++row)
    for (int c = r.left; c <= r.right; ++c) doc.SetCell(c, row, std::string(doc.Text(c, s.anchor_row)));
}

void FillRight(CORVELDoc& doc, const Selection& s) {
  const Rect r = Clipped(doc, s);
  for (int c = s.anchor_column + 1; c <= std::min(s.end_column, kLastColumn); ++c)
    for (int row = r.top; row <= r.bottom; ++row) doc.SetCell(c, row, std::string(doc.Text(s.anchor_column, row)));
}

void FillLeft(CORVELDoc& doc, const Selection& s) {
  const Rect r = Clipped(doc, s);
  for (int c = std::max(s.end_column, 0); c <= s.anchor_column - 1; ++c)
    for (int row = r.top; row <= r.bottom; ++row) doc.SetCell(c, row, std::string(doc.Text(s.anchor_column, row)));
}

// ---- Sort -------------------------------------------------------------------------------------

std::vector<int> SortRowOrder(const CORVELDoc& doc, int key, bool descending) {
  const int rows = doc.RowCount();
  std::vector<int> order(static_cast<std::size_t>(rows));
  for (int i = 0; i < rows; ++i) order[static_cast<std::size_t>(i)] = i;
  if (!IsColumn(key)) return order;

  const int last_text_row = std::max(doc.LastNonEmptyRow(key), 1);
  std::vector<std::pair<double, int>> numeric;
  std::vector<int> empty, other;
  for (int r = 1; r <= last_text_row; ++r) {
    if (doc.IsNumeric(key, r)) numeric.emplace_back(doc.Value(key, r), r);
    else if (!doc.HasText(key, r)) empty.push_back(r);
    else other.push_back(r);
  }
  // Repeatedly taking the smallest remaining value, the first row on ties, is a stable sort;
  // the descending order fills from the back, which reverses it (later rows first on ties).
  std::stable_sort(numeric.begin(), numeric.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  if (descending) std::reverse(numeric.begin(), numeric.end());

  std::size_t i = 1;
  for (const auto& entry : numeric) order[i++] = entry.second;
  for (int r : empty) order[i++] = r;
  for (int r : other) order[i++] = r;
  return order;
}

void CarryColumn(CORVELDoc& doc, int c, const std::vector<int>& order) {
  if (!IsColumn(c) || order.size() != static_cast<std::size_t>(doc.RowCount())) return;
  CDataColumn& column = doc.Column(c);
  CDataColumn& spare = doc.SpareColumn();
  const std::uint32_t kind = column.Kind();
  const int last_used = column.LastUsedRow();
  spare.Clear();
  spare.SetKind(kind);  // the spare takes the texts under the same rules as the column
  for (int i = 0; i < doc.RowCount(); ++i) {
    const std::string_view text = column.Text(order[static_cast<std::size_t>(i)]);
    if (!text.empty()) spare.SetText(i, text);
  }
  column.Clear();
  column.SetKind(kind);
  for (int i = 0; i < doc.RowCount(); ++i) {
    const std::string_view text = spare.Text(i);
    if (!text.empty()) column.SetText(i, text);
    column.Reparse(i);
  }
  if (column.LastUsedRow() < last_used) column.SetLastUsedRow(last_used);
  spare.Clear();
}

void SortRows(CORVELDoc& doc, int key, bool descending) {
  const std::vector<int> order = SortRowOrder(doc, key, descending);
  for (int c = 0; c <= kLastColumn; ++c)
    if (doc.SortColumns[static_cast<std::size_t>(c)] != 0) CarryColumn(doc, c, order);
}

}  // namespace orvel
