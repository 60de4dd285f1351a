#include "app/sheet_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvel {

namespace {
constexpr int kNameRowBottom = kColumnHeaderHeight + kSheetRowHeight;  // 40
constexpr double kMaxScroll = 1e9;

int ClampRow(const CORVELDoc& doc, int row) { return std::clamp(row, 0, doc.RowCount() - 1); }
int ClampColumn(int column) { return std::clamp(column, 0, kLastColumn); }

// Left edge of column c before the horizontal scroll is applied.
long long UnscrolledLeft(const CORVELDoc& doc, int c) {
  long long x = kRowHeaderWidth;
  for (int i = 0; i < c; ++i) x += doc.ColumnWidth(i);
  return x;
}
}  // namespace

int SheetScrollPixels(double offset) {
  if (!(offset > 0)) return 0;  // also NaN
  return static_cast<int>(std::min(offset, kMaxScroll));
}

int RowTop(const CORVELDoc& doc, int row) {
  row = ClampRow(doc, row);
  if (row == 0) return kColumnHeaderHeight;
  // At most 20001 rows: 20 * row stays far from the int range.
  return kSheetRowHeight * row + kColumnHeaderHeight - SheetScrollPixels(doc.Scroll.sheet_y);
}

int RowBottom(const CORVELDoc& doc, int row) { return RowTop(doc, row) + kSheetRowHeight; }

int ColumnLeft(const CORVELDoc& doc, int column) {
  column = ClampColumn(column);
  if (column == 0) return kRowHeaderWidth;
  // Widths are ints of at most the int range each; the sum of 100 of them fits a long long.
  const long long x = UnscrolledLeft(doc, column) - SheetScrollPixels(doc.Scroll.sheet_x);
  return static_cast<int>(std::clamp<long long>(x, -2000000000LL, 2000000000LL));
}

int ColumnRight(const CORVELDoc& doc, int column) {
  const long long x = static_cast<long long>(ColumnLeft(doc, column)) + doc.ColumnWidth(ClampColumn(column));
  return static_cast<int>(std::clamp<long long>(x, -2000000000LL, 2000000000LL));
}

int RowAt(const CORVELDoc& doc, int y) {
  if (y <= kNameRowBottom) return 0;
  // First r >= 1 with 20r + 40 - v >= y.
  const long long v = SheetScrollPixels(doc.Scroll.sheet_y);
  const long long need = static_cast<long long>(y) - kNameRowBottom + v;  // 20r >= need
  const long long r = std::max<long long>(1, (need + kSheetRowHeight - 1) / kSheetRowHeight);
  return static_cast<int>(std::min<long long>(r, doc.RowCount() - 1));
}

int ColumnAt(const CORVELDoc& doc, int x) {
  if (x <= ColumnRight(doc, 0)) return 0;
  for (int c = 1; c <= kLastColumn; ++c)
    if (ColumnRight(doc, c) >= x) return c;
  return kLastColumn;
}

int ColumnBorderAt(const CORVELDoc& doc, int x) {
  const int frozen_edge = ColumnRight(doc, 0);
  int best = -1;
  long long best_distance = kBorderGrab + 1;
  for (int c = 0; c <= kLastColumn; ++c) {
    const int edge = ColumnRight(doc, c);
    if (c > 0 && edge <= frozen_edge) continue;  // behind the frozen label column
    const long long distance = std::llabs(static_cast<long long>(x) - edge);
    if (distance < best_distance) {
      best = c;
      best_distance = distance;
    }
  }
  return best;
}

SheetHit HitTestSheet(const CORVELDoc& doc, int x, int y) {
  SheetHit hit;
  if (x <= kRowHeaderWidth && y <= kColumnHeaderHeight) {
    hit.kind = SheetHitKind::kCorner;
  } else if (x <= kRowHeaderWidth) {
    hit.kind = SheetHitKind::kRowHeader;
    hit.row = RowAt(doc, y);
  } else if (y <= kColumnHeaderHeight) {
    const int border = ColumnBorderAt(doc, x);
    if (border >= 0) {
      hit.kind = SheetHitKind::kColumnBorder;
      hit.column = border;
    } else {
      hit.kind = SheetHitKind::kColumnHeader;
      hit.column = ColumnAt(doc, x);
    }
  } else {
    hit.kind = SheetHitKind::kCell;
    hit.row = RowAt(doc, y);
    hit.column = ColumnAt(doc, x);
  }
  return hit;
}

}  // namespace orvel
