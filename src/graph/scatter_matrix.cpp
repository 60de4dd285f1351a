#include "graph/scatter_matrix.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "graph/histogram.h"

namespace orvel {

const std::vector<std::string>& ScatterMatrixFontChoices() {
  static const std::vector<std::string> v{kGothicFont, "Century", "Arial"};
  return v;
}

std::vector<int> ScatterMatrixColumns(const CORVELDoc& doc) {
  std::vector<int> columns;
  for (int c = 1; c < kColumnCount; ++c)
    if (doc.RegressionXColumn(c)) columns.push_back(c);
  return columns;
}

std::string CheckScatterMatrixData(const CORVELDoc& doc) {
  const int m = static_cast<int>(ScatterMatrixColumns(doc).size());
  const int y = doc.RegressionY();
  const int n = y >= 1 && y < kColumnCount ? doc.Count(y) : 0;
  if (n - m <= 2) return "Samples are too small.";
  if (y >= 1 && y < kColumnCount && doc.RegressionXColumn(y))
    return "Y column and at least one of X columns are the same. Data setting is not correct.";
  if (!doc.IsRegressionVariableCountValid()) return "Data setting is not correct.";
  return {};
}

Rect ScatterMatrixLayout::Cell(int i, int j, int m) const {
  const double left = square.left + square.Width() * (i - 1) / m;
  const double top = square.top + square.Height() * (j - 1) / m;
  return {left, top, left + cell, top + cell};
}

namespace {

struct Fonts {
  GraphFont title, label;
};

Fonts MeasureFonts(Canvas& canvas, const ScatterMatrixSettings& s, const GraphCall& call) {
  return {UseGraphFont(canvas, s.title_font, s.title_size, call),
          UseGraphFont(canvas, s.label_font, s.label_size, call)};
}

ScatterMatrixLayout LayoutFromFonts(const Fonts& f, int m, const GraphCall& call) {
  ScatterMatrixLayout l;
  l.line = f.label.line;
  l.char_width = f.label.char_width;
  l.title_line = f.title.line;
  const double w = call.width, h = call.height, t = l.line, cw = l.char_width;
  Rect& r = l.square;
  if (h < w) {
    r.top = 3 * t + call.TopOffset() + 2 * f.title.line;
    r.bottom = h - 2 * t;
    const double side = r.bottom - r.top;
    r.left = (w - side) / 2;
    r.right = (w + side) / 2;
  } else {
    r.left = 6 * cw;
    r.right = w - 6 * cw;
    r.top = (h + 12 * cw - w) / 2;
    r.bottom = (w + h - 12 * cw) / 2;
  }
  l.cell = (r.right - r.left) / std::max(m, 1) - cw / 2;
  return l;
}

// A variable's cells: its value in every row (NaN where not numeric) and its extremes.
struct Variable {
  int column = 0;
  std::vector<double> values;   // by row
  std::vector<double> numeric;  // the numeric values only
  double min = 0, max = 0;
  bool Flat() const { return !(max > min); }
};

Variable ReadVariable(const CORVELDoc& doc, int column, const std::vector<unsigned char>& skipped) {
  Variable v;
  v.column = column;
  v.values.assign(static_cast<std::size_t>(doc.RowCount()), std::numeric_limits<double>::quiet_NaN());
  for (int r = 1; r < doc.RowCount(); ++r) {
    if (!doc.IsNumeric(column, r) || skipped[static_cast<std::size_t>(r)]) continue;
    const double x = doc.Value(column, r);
    v.values[static_cast<std::size_t>(r)] = x;
    v.numeric.push_back(x);
  }
  if (!v.numeric.empty()) {
    const auto [lo, hi] = std::minmax_element(v.numeric.begin(), v.numeric.end());
    v.min = *lo;
    v.max = *hi;
  }
  return v;
}

// More distinct markers than this in one cell are drawn as the pixels they cover.
constexpr std::size_t kCrowdedCell = 600;

// Fills the pixels covered by square markers of half-size e (their outline of one pixel
// included) centred at `centres`: each row's runs of covered pixels, runs repeated on the rows
// below merged into one rectangle. The cell's origin is snapped to whole pixels so the
// rectangles' edges are crisp.
void FillMarkerCoverage(Canvas& canvas, const std::vector<std::pair<double, double>>& centres, const Rect& cell,
                        double cs, double e, Color color) {
  const double ox = std::floor(cell.left - e - 2), oy = std::floor(cell.top - e - 2);
  const int n = static_cast<int>(std::ceil(cs + 2 * e + 5));
  std::vector<unsigned char> covered(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0);
  for (const auto& [px, py] : centres) {
    const int x0 = std::clamp(static_cast<int>(std::lround(px - e - 0.5 - ox)), 0, n);
    const int x1 = std::clamp(static_cast<int>(std::lround(px + e + 0.5 - ox)), 0, n);
    const int y0 = std::clamp(static_cast<int>(std::lround(py - e - 0.5 - oy)), 0, n);
    const int y1 = std::clamp(static_cast<int>(std::lround(py + e + 0.5 - oy)), 0, n);
    for (int y = y0; y < y1; ++y)
      std::fill_n(covered.begin() + static_cast<std::ptrdiff_t>(y) * n + x0, std::max(x1 - x0, 0), 1);
  }
  struct Open {
    int x0, x1, y0;
  };
  std::vector<Open> open, next;
  auto flush = [&](const Open& o, int y_end) {
    canvas.FillRect({ox + o.x0, oy + o.y0, ox + o.x1, oy + y_end}, color);
  };
  for (int y = 0; y <= n; ++y) {
    next.clear();
    std::size_t k = 0;  // the open rectangles are in x order, as the runs are
    for (int x = 0; y < n && x < n;) {
      const unsigned char* row = covered.data() + static_cast<std::ptrdiff_t>(y) * n;
      if (!row[x]) {
        ++x;
        continue;
      }
      const int x0 = x;
      while (x < n && row[x]) ++x;
      while (k < open.size() && open[k].x0 < x0) flush(open[k++], y);
      if (k < open.size() && open[k].x0 == x0 && open[k].x1 == x) {
        next.push_back(open[k++]);
      } else {
        next.push_back({x0, x, y});
      }
    }
    while (k < open.size()) flush(open[k++], y);
    open.swap(next);
  }
}

}  // namespace

ScatterMatrixLayout ScatterMatrixPlotLayout(Canvas& canvas, const ScatterMatrixSettings& s, int m,
                                            const GraphCall& call) {
  return LayoutFromFonts(MeasureFonts(canvas, s, call), m, call);
}

std::vector<int> ScatterMatrixClassCounts(const std::vector<double>& values) {
  if (values.empty()) return {};
  const auto [lo_it, hi_it] = std::minmax_element(values.begin(), values.end());
  const double lo = *lo_it, hi = *hi_it;
  // No spread, no class width: every value is one class.
  if (!(hi > lo)) return {static_cast<int>(values.size())};
  const int k = DefaultClassCount(static_cast<int>(values.size()));
  const double h = (hi - lo) / (k - 1);
  const double start = lo - h / 2;
  std::vector<int> counts(static_cast<std::size_t>(k), 0);
  for (const double v : values) {
    const int i = std::clamp(static_cast<int>(std::floor((v - start) / h)), 0, k - 1);
    ++counts[static_cast<std::size_t>(i)];
  }
  return counts;
}

void DrawScatterMatrix(Canvas& canvas, const CORVELDoc& doc, const ScatterMatrixSettings& s, const GraphCall& call) {
  const Fonts fonts = MeasureFonts(canvas, s, call);
  const std::vector<int> columns = ScatterMatrixColumns(doc);
  const int m = static_cast<int>(columns.size());

  canvas.SetPen(Pen{colors::kBlack, 1});
  canvas.SetFont(fonts.title.shape);
  canvas.DrawText(call.width / 2, fonts.title.line / 2 + call.TopOffset(), s.title, TextAlign::kCenter);
  if (m == 0) return;

  const ScatterMatrixLayout l = LayoutFromFonts(fonts, m, call);
  const double cs = l.cell, w = l.char_width, t = l.line;
  // The rows left out when the user chose to skip incomplete rows (not marked in the sheet:
  // the graph is redrawn from the cells every time).
  std::vector<unsigned char> skipped(static_cast<std::size_t>(doc.RowCount()), 0);
  if (s.skip_incomplete_rows) {
    std::vector<int> all = columns;
    if (doc.RegressionY() >= 1 && doc.RegressionY() < kColumnCount) all.push_back(doc.RegressionY());
    const int used = doc.UsedRowCount();
    for (int r = 1; r <= used && r < doc.RowCount(); ++r) {
      int numeric = 0;
      for (const int c : all) numeric += doc.IsNumeric(c, r) ? 1 : 0;
      skipped[static_cast<std::size_t>(r)] = numeric != 0 && numeric != static_cast<int>(all.size());
    }
  }
  std::vector<Variable> vars;
  vars.reserve(columns.size());
  for (const int c : columns) vars.push_back(ReadVariable(doc, c, skipped));

  // Cell frames.
  canvas.SetPen(Pen{GraphColor(s.area_outline, colors::kWhite), s.area_weight});
  canvas.SetBrush(Brush{GraphColor(s.area_fill, colors::kWhite), false});
  for (int j = 1; j <= m; ++j)
    for (int i = 1; i <= m; ++i) canvas.DrawRect(l.Cell(i, j, m));

  // Labels: the rows' variables at the left of the first column, the columns' above the top row.
  canvas.SetPen(Pen{colors::kBlack, 1});
  canvas.SetFont(fonts.label.shape);
  for (int k = 1; k <= m; ++k) {
    const Variable& v = vars[static_cast<std::size_t>(k - 1)];
    const std::string col = GraphFormat("Col%d", v.column);
    const std::string name(doc.Text(v.column, 0));
    const Rect row_cell = l.Cell(1, k, m);
    const double middle = row_cell.top + cs / 2;
    canvas.DrawText(row_cell.left - w / 2, middle - t, col, TextAlign::kRight);
    canvas.DrawText(row_cell.left - w / 2, middle, name, TextAlign::kRight);
    const Rect top_cell = l.Cell(k, 1, m);
    const double centre = top_cell.left + cs / 2;
    canvas.DrawText(centre, top_cell.top - 2 * t, col, TextAlign::kCenter);
    canvas.DrawText(centre, top_cell.top - t, name, TextAlign::kCenter);
  }

  // Diagonal: each variable's histogram, the tallest class reaching the cell's top.
  const Color bars = GraphColor(s.histogram_color, colors::kBlack);
  canvas.SetPen(Pen{bars, 1});
  canvas.SetBrush(Brush{bars, false});
  for (int k = 1; k <= m; ++k) {
    const std::vector<int> counts = ScatterMatrixClassCounts(vars[static_cast<std::size_t>(k - 1)].numeric);
    if (counts.empty()) continue;
    const int tallest = *std::max_element(counts.begin(), counts.end());
    const Rect cell = l.Cell(k, k, m);
    const double slot = cs / static_cast<double>(counts.size());
    for (std::size_t c = 0; c < counts.size(); ++c) {
      if (counts[c] == 0) continue;
      const double height = cs * counts[c] / tallest;
      canvas.DrawRect({cell.left + static_cast<double>(c) * slot + w / 4, cell.bottom - height,
                       cell.left + static_cast<double>(c + 1) * slot - w / 4, cell.bottom});
    }
  }

  // Off the diagonal: the pairs as square markers. A variable without spread puts its
  // coordinate on the cell's middle line instead of dividing by a zero range.
  const double e = call.Printing() ? w / 2 : 2;
  const Color marker = GraphColor(s.marker_color, colors::kBlack);
  canvas.SetPen(Pen{marker, 1});
  canvas.SetBrush(Brush{marker, false});
  // Markers landing on the same device pixel as one already drawn in the cell are drawn once.
  // A cell crowded with markers (many rows) is filled instead with the pixels its markers cover,
  // in a few rectangles: the same picture, and a large grid of many rows stays fast.
  const int grid = cs > 0 && cs < 4096 ? static_cast<int>(std::ceil(cs)) + 1 : 0;
  std::vector<unsigned char> drawn(static_cast<std::size_t>(grid) * static_cast<std::size_t>(grid));
  std::vector<std::pair<double, double>> centres;
  const std::size_t rows = static_cast<std::size_t>(doc.RowCount());
  for (int j = 1; j <= m; ++j) {
    const Variable& vy = vars[static_cast<std::size_t>(j - 1)];
    for (int i = 1; i <= m; ++i) {
      if (i == j) continue;
      const Variable& vx = vars[static_cast<std::size_t>(i - 1)];
      const Rect cell = l.Cell(i, j, m);
      const double x_scale = vx.Flat() ? 0 : (cs - 4 * e) / (vx.max - vx.min);
      const double y_scale = vy.Flat() ? 0 : (cs - 4 * e) / (vy.max - vy.min);
      std::fill(drawn.begin(), drawn.end(), 0);
      centres.clear();
      for (std::size_t r = 1; r < rows; ++r) {
        const double x = vx.values[r], y = vy.values[r];
        if (std::isnan(x) || std::isnan(y)) continue;
        const double px = vx.Flat() ? cell.left + cs / 2 : cell.left + 2 * e + (x - vx.min) * x_scale;
        const double py = vy.Flat() ? cell.top + cs / 2 : cell.top + 2 * e + (vy.max - y) * y_scale;
        if (grid > 0) {
          const int gx = std::clamp(static_cast<int>(px - cell.left), 0, grid - 1);
          const int gy = std::clamp(static_cast<int>(py - cell.top), 0, grid - 1);
          unsigned char& seen = drawn[static_cast<std::size_t>(gy) * static_cast<std::size_t>(grid) +
                                      static_cast<std::size_t>(gx)];
          if (seen) continue;
          seen = 1;
        }
        centres.emplace_back(px, py);
      }
      if (grid > 0 && centres.size() > kCrowdedCell) {
        FillMarkerCoverage(canvas, centres, cell, cs, e, marker);
        continue;
      }
      for (const auto& [px, py] : centres)
        canvas.DrawRect({ClampCoordinate(px - e, call.width), ClampCoordinate(py - e, call.height),
                         ClampCoordinate(px + e, call.width), ClampCoordinate(py + e, call.height)});
    }
  }
}

}  // namespace orvel
