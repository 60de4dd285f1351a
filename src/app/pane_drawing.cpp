#include "app/pane_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace orvel {

FontChoice SheetFont() { return {"Arial", 10, false}; }
FontChoice ResultFont() { return {"Century", 10, false}; }

// ---- Sheet pane ------------------------------------------------------------------------------

namespace {

// The sheet's fixed geometry in pixels: the column header strip at the top, the row header
// strip at the left, the height of a row.
constexpr double kSheetColumnHeaderHeight = 20;
constexpr double kSheetRowHeaderWidth = 43;
constexpr double kSheetPaneRowHeight = 20;
constexpr double kCellPadding = 3;

// The left edges of columns 0..100 on screen and the right edge of column 100.
std::array<double, kColumnCount + 1> ColumnEdges(const CORVELDoc& doc) {
  std::array<double, kColumnCount + 1> edges{};
  edges[0] = kSheetRowHeaderWidth;
  double x = kSheetRowHeaderWidth + doc.ColumnWidth(0) - doc.Scroll.sheet_x;
  edges[1] = x;
  for (int c = 1; c <= kLastColumn; ++c) {
    x += doc.ColumnWidth(c);
    edges[static_cast<std::size_t>(c) + 1] = x;
  }
  // Column 0 is frozen: its right edge does not scroll.
  return edges;
}

double RowTop(int r, double v) { return r == 0 ? kSheetColumnHeaderHeight : kSheetPaneRowHeight * r + 20 - v; }

bool IsSelected(const Selection& s, int c, int r) {
  return c >= s.LeftColumn() && c <= s.RightColumn() && r >= s.TopRow() && r <= s.BottomRow();
}

// One cell: the selection's fill and the text, clipped to the cell by the caller.
void DrawCell(Canvas& canvas, const CORVELDoc& doc, const Rect& cell, int c, int r, double text_top) {
  if (IsSelected(doc.GetSelection(), c, r)) canvas.FillRect(cell, colors::kSelection);
  const std::string_view text = doc.Text(c, r);
  if (!text.empty()) canvas.DrawText(cell.left + kCellPadding, text_top, text);
}

}  // namespace

void DrawSheetPane(Canvas& canvas, const CORVELDoc& doc) {
  const double width = canvas.Width(), height = canvas.Height();
  const double v = doc.Scroll.sheet_y;
  const int last_row = doc.RowCount() - 1;
  const auto edges = ColumnEdges(doc);
  const double frozen_right = edges[1] + doc.Scroll.sheet_x;  // right edge of column 0
  const double frozen_bottom = RowTop(0, v) + kSheetPaneRowHeight;

  canvas.SetFont(SheetFont());
  canvas.SetPen({colors::kBlack, 1});
  const FontMetrics metrics = canvas.Metrics();
  const double text_offset = (kSheetPaneRowHeight - metrics.height) / 2;

  // The scrolled rows 1.. that show below the frozen row 0.
  // Computed in doubles: a macro can scroll the sheet far beyond its last row.
  const double first_visible = std::floor(v / kSheetPaneRowHeight) + 1;
  const int first_row = first_visible > last_row ? last_row + 1 : std::max(1, static_cast<int>(first_visible));
  int end_row = first_row;  // one past the last visible row
  while (end_row <= last_row && RowTop(end_row, v) < height) ++end_row;

  // The scrolled columns 1.. that show right of the frozen column 0.
  int first_column = 1;
  while (first_column <= kLastColumn && edges[static_cast<std::size_t>(first_column) + 1] <= frozen_right)
    ++first_column;
  int end_column = first_column;
  while (end_column <= kLastColumn && edges[static_cast<std::size_t>(end_column)] < width) ++end_column;

  const auto column_rect = [&](int c, double top, double bottom) {
    if (c == 0) return Rect{kSheetRowHeaderWidth, top, frozen_right, bottom};
    return Rect{edges[static_cast<std::size_t>(c)], top, edges[static_cast<std::size_t>(c) + 1], bottom};
  };

  // Cells, one column at a time with its own clip, so long texts stop at the column's edge.
  const auto draw_column = [&](int c, double clip_left) {
    const Rect column = column_rect(c, 0, height);
    // Frozen row 0 first, then the scrolled rows below it.
    const Rect head{std::max(column.left, clip_left), frozen_bottom - kSheetPaneRowHeight,
                    std::min(column.right, width), frozen_bottom};
    if (head.right <= head.left) return;
    canvas.SetClip(head);
    DrawCell(canvas, doc, column_rect(c, head.top, head.bottom), c, 0, head.top + text_offset);
    const Rect body{head.left, frozen_bottom, head.right, height};
    if (body.bottom <= body.top) return;
    canvas.SetClip(body);
    for (int r = first_row; r < end_row; ++r) {
      const double top = RowTop(r, v);
      DrawCell(canvas, doc, column_rect(c, top, top + kSheetPaneRowHeight), c, r, top + text_offset);
    }
  };
  for (int c = first_column; c < end_column; ++c) draw_column(c, frozen_right);
  draw_column(0, kSheetRowHeaderWidth);
  canvas.ClearClip();

  // The grid: one line per visible row and column border.
  canvas.SetPen({colors::kGrid, 1});
  const double grid_right = std::min(width, end_column > first_column
                                                ? edges[static_cast<std::size_t>(end_column)]
                                                : frozen_right);
  const double grid_bottom = std::min(height, RowTop(end_row, v));
  canvas.DrawLine(kSheetRowHeaderWidth, frozen_bottom, grid_right, frozen_bottom);
  for (int r = first_row; r < end_row; ++r) {
    const double bottom = RowTop(r, v) + kSheetPaneRowHeight;
    if (bottom > frozen_bottom) canvas.DrawLine(kSheetRowHeaderWidth, bottom, grid_right, bottom);
  }
  canvas.DrawLine(frozen_right, kSheetColumnHeaderHeight, frozen_right, grid_bottom);
  for (int c = first_column; c < end_column; ++c) {
    const double right = edges[static_cast<std::size_t>(c) + 1];
    if (right > frozen_right) canvas.DrawLine(right, kSheetColumnHeaderHeight, right, grid_bottom);
  }

  // The current cell: a frame, when it is on screen.
  const Selection& s = doc.GetSelection();
  const int ac = s.anchor_column, ar = s.anchor_row;
  const bool column_shown = ac == 0 || (ac >= first_column && ac < end_column);
  const bool row_shown = ar == 0 || (ar >= first_row && ar < end_row);
  if (column_shown && row_shown) {
    const double top = RowTop(ar, v);
    const Rect cell = column_rect(ac, top, top + kSheetPaneRowHeight);
    canvas.SetClip({ac == 0 ? kSheetRowHeaderWidth : frozen_right, ar == 0 ? kSheetColumnHeaderHeight : frozen_bottom,
                    width, height});
    canvas.SetPen({colors::kBlack, 2});
    canvas.SetBrush({colors::kWhite, true});
    canvas.DrawRect({cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1});
    canvas.ClearClip();
  }

  // Headers: the column header strip, then the row header strip, both with centred labels.
  canvas.SetPen({colors::kBlack, 1});
  canvas.FillRect({0, 0, std::min(width, grid_right), kSheetColumnHeaderHeight}, colors::kHeader);
  canvas.FillRect({0, 0, kSheetRowHeaderWidth, grid_bottom}, colors::kHeader);
  const double header_text = (kSheetColumnHeaderHeight - metrics.height) / 2;
  canvas.SetClip({frozen_right, 0, width, kSheetColumnHeaderHeight});
  for (int c = first_column; c < end_column; ++c) {
    const Rect cell = column_rect(c, 0, kSheetColumnHeaderHeight);
    canvas.DrawText((cell.left + cell.right) / 2, header_text, std::to_string(c), TextAlign::kCenter);
  }
  canvas.ClearClip();
  canvas.SetClip({kSheetRowHeaderWidth, 0, frozen_right, kSheetColumnHeaderHeight});
  canvas.DrawText((kSheetRowHeaderWidth + frozen_right) / 2, header_text, "label", TextAlign::kCenter);
  canvas.ClearClip();
  canvas.SetClip({0, kSheetColumnHeaderHeight, kSheetRowHeaderWidth, height});
  canvas.DrawText(kSheetRowHeaderWidth / 2, RowTop(0, v) + text_offset, "label", TextAlign::kCenter);
  canvas.SetClip({0, frozen_bottom, kSheetRowHeaderWidth, height});
  for (int r = first_row; r < end_row; ++r)
    canvas.DrawText(kSheetRowHeaderWidth / 2, RowTop(r, v) + text_offset, std::to_string(r), TextAlign::kCenter);
  canvas.ClearClip();

  // Header borders.
  canvas.SetPen({colors::kGrid, 1});
  canvas.DrawLine(0, kSheetColumnHeaderHeight, std::min(width, grid_right), kSheetColumnHeaderHeight);
  canvas.DrawLine(kSheetRowHeaderWidth, 0, kSheetRowHeaderWidth, grid_bottom);
  canvas.DrawLine(frozen_right, 0, frozen_right, kSheetColumnHeaderHeight);
  for (int c = first_column; c < end_column; ++c) {
    const double right = edges[static_cast<std::size_t>(c) + 1];
    if (right > frozen_right) canvas.DrawLine(right, 0, right, kSheetColumnHeaderHeight);
  }
  canvas.DrawLine(0, frozen_bottom, kSheetRowHeaderWidth, frozen_bottom);
  for (int r = first_row; r < end_row; ++r) {
    const double bottom = RowTop(r, v) + kSheetPaneRowHeight;
    if (bottom > frozen_bottom) canvas.DrawLine(0, bottom, kSheetRowHeaderWidth, bottom);
  }
}

// ---- Result pane -----------------------------------------------------------------------------

const std::vector<std::size_t>& ResultLineIndex::Lines(std::string_view text) {
  if (valid_ && text.size() == size_) return starts_;
  if (valid_ && text.size() > size_) {
    // The text grew (a report was appended): rescan from the start of the line before the
    // last, so that a "\r" at the old end joins a "\n" at the start of the new text.
    const std::size_t keep = starts_.size() >= 2 ? starts_.size() - 2 : 0;
    const std::size_t from = starts_[keep];
    starts_.resize(keep);
    ScanFrom(text, from);
  } else {
    starts_.assign(1, 0);
    ScanFrom(text, 0);
  }
  size_ = text.size();
  valid_ = true;
  return starts_;
}

void ResultLineIndex::ScanFrom(std::string_view text, std::size_t from) {
  if (starts_.empty() || starts_.back() != from) starts_.push_back(from);
  for (std::size_t i = from; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == '\n') {
      starts_.push_back(i + 1);
    } else if (ch == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      starts_.push_back(i + 1);
    }
  }
}

std::size_t ResultRunCells(std::string_view run) {
  std::size_t cells = 0;
  for (std::size_t i = 0; i < run.size(); ++i) {
    const auto b = static_cast<unsigned char>(run[i]);
    if (b < 0x80) {
      ++cells;
    } else if (b >= 0xC0) {
      // U+FF61..U+FF9F, half-width katakana: EF BD A1..BF and EF BE 80..9F.
      const bool half_width = b == 0xEF && i + 2 < run.size() &&
                              ((static_cast<unsigned char>(run[i + 1]) == 0xBD &&
                                static_cast<unsigned char>(run[i + 2]) >= 0xA1) ||
                               (static_cast<unsigned char>(run[i + 1]) == 0xBE &&
                                static_cast<unsigned char>(run[i + 2]) <= 0x9F));
      cells += half_width ? 1 : 2;
    }
  }
  return cells;
}

namespace {

constexpr int kTabStops = 10;
constexpr int kTabCells = 8;

// Draws the part of a run that can show: runs wholly outside the window are skipped and the
// tail of a very long run that cannot reach into the window is left out.
void DrawRun(Canvas& canvas, double x, double y, std::string_view run, double w, double width) {
  if (run.empty() || x >= width) return;
  const std::size_t cells = ResultRunCells(run);
  // No glyph is wider than three average widths nor narrower than a quarter of one.
  if (x + 3 * w * static_cast<double>(cells) < 0) return;
  const double visible_cells = (width - x) / (w / 4) + 1;
  if (static_cast<double>(run.size()) > visible_cells) {
    std::size_t cut = static_cast<std::size_t>(visible_cells);
    while (cut < run.size() && (static_cast<unsigned char>(run[cut]) & 0xC0) == 0x80) ++cut;  // whole characters
    run = run.substr(0, cut);
  }
  canvas.DrawText(x, y, run);
}

}  // namespace

void DrawResultLine(Canvas& canvas, std::string_view line, double x0, double y, double w, double width) {
  double x = x0;
  std::size_t run_start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i < line.size() && line[i] != '\t') continue;
    const std::string_view run = line.substr(run_start, i - run_start);
    DrawRun(canvas, x, y, run, w, width);
    if (i == line.size()) break;
    x += w * static_cast<double>(ResultRunCells(run));
    for (int k = 1; k <= kTabStops; ++k) {
      const double stop = x0 + kTabCells * w * k;
      if (stop > x) {
        x = stop;
        break;
      }
    }
    run_start = i + 1;
  }
}

void DrawResultPane(Canvas& canvas, const CORVELDoc& doc, ResultLineIndex* index) {
  ResultLineIndex local;
  ResultLineIndex& lines_index = index ? *index : local;
  const double width = canvas.Width(), height = canvas.Height();
  canvas.SetFont(ResultFont());
  canvas.SetPen({colors::kBlack, 1});
  const FontMetrics metrics = canvas.Metrics();
  const double h = metrics.height > 0 ? metrics.height : 1;
  const double w = metrics.average_char_width;
  const double x0 = 5 - doc.Scroll.result_x;
  const double y0 = h + 20 - doc.Scroll.result_y;

  const std::string_view text = doc.ResultText;
  const std::vector<std::size_t>& starts = lines_index.Lines(text);
  // Line k's top is y0 + k h; the first line whose bottom is below the band shows.
  const double skip = std::floor((kResultBandHeight - y0) / h);
  std::size_t k = skip <= 0 ? 0 : skip >= static_cast<double>(starts.size()) ? starts.size()
                                                                              : static_cast<std::size_t>(skip);
  for (; k < starts.size(); ++k) {
    const double y = y0 + h * static_cast<double>(k);
    if (y >= height) break;
    std::size_t end = k + 1 < starts.size() ? starts[k + 1] : text.size();
    // Leave out the line end.
    if (end > starts[k] && text[end - 1] == '\n') --end;
    if (end > starts[k] && text[end - 1] == '\r') --end;
    DrawResultLine(canvas, text.substr(starts[k], end - starts[k]), x0, y, w, width);
  }

  // The band with the key prompt, over anything scrolled beneath it.
  canvas.FillRect({0, 0, width, kResultBandHeight}, colors::kHeader);
  canvas.SetFont(SheetFont());
  const FontMetrics band = canvas.Metrics();
  canvas.DrawText(10, (kResultBandHeight - band.height) / 2, kResultBandPrompt);
}

// ---- Scroll bars -----------------------------------------------------------------------------

int ScrollBarPosition(double offset, double full_range) {
  if (offset <= 0 || full_range <= 0) return 0;
  if (offset >= full_range) return 100;
  return static_cast<int>(offset * 100 / full_range);
}

double ScrollOffsetForPosition(int position, double full_range) {
  return std::clamp(position, 0, 100) * full_range / 100;
}

}  // namespace orvel
