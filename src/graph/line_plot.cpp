#include "graph/line_plot.h"

#include <cstddef>

namespace orvel {

const char* LinePlotTitle(int kind) {
  switch (kind) {
    case kLineGroups: return "Line plot (Oneway Three groups or more)";
    case kLineTwoway: return "Line plot (Twoway data)";
    case kLineTwoRelated: return "Line plot (Oneway Two related groups)";
    case kLineRelatedGroups: return "Line plot (Oneway Three related groups or more)";
    default: return "Line plot--Oneway Two Groups";
  }
}

const char* LinePlotSheetTitle(int kind) {
  switch (kind) {
    case kLineGroups: return "Setting for Line Plot (Oneway Three Groups or More)";
    case kLineTwoway: return "Setting for line plot (Twoway data)";
    case kLineTwoRelated: return "Setting for Line Plot (Oneway Two Related Groups)";
    case kLineRelatedGroups: return "Setting for line plot (Oneway Three related groups or more)";
    default: return "Setting for Line Plot (Oneway Two Groups)";
  }
}

const char* LinePlotReeditTitle(int kind) {
  switch (kind) {
    case kLineGroups:
    case kLineRelatedGroups: return "Setting for line plot (Oneway Three groups or more)";
    case kLineTwoway: return "Setting for line plot (Twoway data)";
    case kLineTwoRelated: return "Setting for line plot (Oneway Two related groups)";
    default: return "Setting for line plot (Oneway Two groups)";
  }
}

LinePlotSettings DefaultLinePlotSettings(const CORVELDoc& doc, int kind) {
  LinePlotSettings s;
  s.kind = kind;
  s.frame.title = LinePlotTitle(kind);
  s.columns = LinePlotColumns(doc, kind);
  const LineDataExtent e = LinePlotExtent(doc, kind, s.columns);
  const GroupRange r = DefaultGroupRange(e.hi, e.lo);
  s.frame.y_max = r.max;
  s.frame.y_min = r.min;
  s.frame.y_scale = r.scale;
  return s;
}

double LineGroupCentre(const GroupLayout& lay, int kind, int j, int k) {
  if (kind == kLineTwoGroups || kind == kLineTwoRelated) return lay.TwoGroupCentre(j);
  return lay.SlotCentre(j, k);
}

namespace {

struct Point {
  double x, y;
};

// The means of the groups joined in column order, each with its error bar and marker. A group
// column without a number has no mean: it gets no point, and the line passes it by.
void DrawMeans(Canvas& canvas, const CORVELDoc& doc, const LinePlotSettings& s, const GroupLayout& lay,
               double m) {
  const int k = static_cast<int>(s.columns.size());
  const ErrorBarKind bar = ErrorBarFromName(s.error_bar);
  std::vector<GroupStats> groups;
  std::vector<Point> points;
  for (int j = 0; j < k; ++j) {
    groups.push_back(ColumnGroupStats(doc, s.columns[static_cast<std::size_t>(j)]));
    points.push_back({lay.Px(LineGroupCentre(lay, s.kind, j, k)), lay.Py(groups.back().mean)});
  }
  const Pen line{GraphColor(s.line_color, colors::kBlack), s.line_weight};
  canvas.SetPen(line);
  std::size_t previous = points.size();
  for (std::size_t j = 0; j < points.size(); ++j) {
    if (groups[j].n == 0) continue;
    if (previous < points.size()) canvas.DrawLine(points[previous].x, points[previous].y, points[j].x, points[j].y);
    previous = j;
  }
  if (bar != ErrorBarKind::kNone) {
    for (std::size_t j = 0; j < points.size(); ++j) {
      if (groups[j].n == 0) continue;
      const double e = ErrorExtent(groups[j], bar);
      DrawErrorBar(canvas, lay, points[j].x, groups[j].mean - e, groups[j].mean + e, m);
    }
  }
  for (std::size_t j = 0; j < points.size(); ++j)
    if (groups[j].n > 0) DrawMarker(canvas, points[j].x, points[j].y, m, s.marker);
}

// Each row's values joined across the groups. A row with a gap (which the pairing check keeps
// out) is joined only between neighbouring groups that both hold a value.
void DrawProfiles(Canvas& canvas, const CORVELDoc& doc, const LinePlotSettings& s, const GroupLayout& lay,
                  double m) {
  const int k = static_cast<int>(s.columns.size());
  std::vector<double> centres;
  for (int j = 0; j < k; ++j) centres.push_back(lay.Px(LineGroupCentre(lay, s.kind, j, k)));
  const std::vector<LineProfile> rows = LineProfiles(doc, s.columns);
  canvas.SetPen(Pen{GraphColor(s.line_color, colors::kBlack), s.line_weight});
  for (const LineProfile& p : rows)
    for (std::size_t j = 1; j < p.values.size(); ++j)
      if (p.numeric[j - 1] && p.numeric[j])
        canvas.DrawLine(centres[j - 1], lay.Py(p.values[j - 1]), centres[j], lay.Py(p.values[j]));
  for (const LineProfile& p : rows)
    for (std::size_t j = 0; j < p.values.size(); ++j)
      if (p.numeric[j]) DrawMarker(canvas, centres[j], lay.Py(p.values[j]), m, s.marker);
}

}  // namespace

void DrawLinePlot(Canvas& canvas, const CORVELDoc& doc, const LinePlotSettings& s, const GraphCall& call) {
  const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, call);
  DrawGroupPlotArea(canvas, s.frame, lay);
  DrawGroupBaseline(canvas, s.frame, lay);
  DrawGroupYAxis(canvas, s.frame, lay);
  const double m = MarkerHalfSize(lay, call, s.marker.size);
  if (s.kind == kLineTwoRelated || s.kind == kLineRelatedGroups)
    DrawProfiles(canvas, doc, s, lay, m);
  else
    DrawMeans(canvas, doc, s, lay, m);
  const int k = static_cast<int>(s.columns.size());
  for (int j = 0; j < k; ++j) {
    const int column = s.columns[static_cast<std::size_t>(j)];
    DrawGroupLabel(canvas, s.frame, lay, lay.Px(LineGroupCentre(lay, s.kind, j, k)), column,
                   std::string(doc.Text(column, 0)));
  }
  DrawGroupTitle(canvas, s.frame, lay);
}

}  // namespace orvel
