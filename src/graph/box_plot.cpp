#include "graph/box_plot.h"

#include <algorithm>

namespace orvel {

const char* BoxPlotTitle(int kind) {
  return kind == kBoxPlotGroups ? "Box plot--Oneway Three groups or more (Median/Quartile/Range)"
                                : "Box plot--Oneway Two groups (Median/Quartile/Range)";
}

std::string CheckBoxPlotData(const CORVELDoc& doc, int kind) {
  if (kind == kBoxPlotGroups) {
    if (doc.GroupColumnCount() < 3) return "Data setting for Three groups or more is required.";
    return {};
  }
  if (doc.Count(doc.TwoGroupX()) <= 2 || doc.Count(doc.TwoGroupY()) <= 2) return "Samples are too small.";
  return {};
}

std::vector<GroupStats> BoxPlotGroups(const CORVELDoc& doc, int kind) {
  std::vector<GroupStats> groups;
  if (kind == kBoxPlotGroups) {
    for (int c : doc.GroupColumnList()) groups.push_back(ColumnGroupStats(doc, c));
  } else {
    groups.push_back(ColumnGroupStats(doc, doc.TwoGroupX()));
    groups.push_back(ColumnGroupStats(doc, doc.TwoGroupY()));
  }
  return groups;
}

BoxPlotSettings DefaultBoxPlotSettings(const CORVELDoc& doc, int kind) {
  BoxPlotSettings s;
  s.kind = kind == kBoxPlotGroups ? kBoxPlotGroups : kBoxPlotTwoGroups;
  s.frame.title = BoxPlotTitle(s.kind);
  s.groups = BoxPlotGroups(doc, s.kind);
  bool any = false;
  double hi = 0, lo = 0;
  for (const GroupStats& g : s.groups) {
    if (g.n == 0) continue;  // an empty column has no extremes to show
    hi = any ? std::max(hi, g.max) : g.max;
    lo = any ? std::min(lo, g.min) : g.min;
    any = true;
  }
  const GroupRange r = DefaultGroupRange(hi, lo);
  s.frame.y_max = r.max;
  s.frame.y_min = r.min;
  s.frame.y_scale = r.scale;
  return s;
}

BoxPlace BoxPlotPlace(const GroupLayout& lay, int kind, int index, int count) {
  if (kind == kBoxPlotTwoGroups) return {lay.TwoGroupCentre(index), lay.TwoGroupHalfWidth()};
  return {lay.SlotCentre(index, count), lay.Slot(count) / 2};
}

void DrawBoxPlot(Canvas& canvas, const BoxPlotSettings& s, const GraphCall& call) {
  const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, call);
  DrawGroupPlotArea(canvas, s.frame, lay);
  DrawGroupBaseline(canvas, s.frame, lay);
  DrawGroupYAxis(canvas, s.frame, lay);

  const int count = static_cast<int>(s.groups.size());
  // Values outside the Y settings end at the plot area instead of running over the labels.
  canvas.SetClip(Rect{0, lay.area.top - 2, call.width, lay.area.bottom + 2});
  canvas.SetPen(Pen{GroupColor(s.box_color, colors::kBlack), 1});
  canvas.SetBrush(Brush{GroupColor(s.box_fill, colors::kWhite), false});
  for (int j = 0; j < count; ++j) {
    const GroupStats& g = s.groups[static_cast<std::size_t>(j)];
    if (g.n == 0) continue;
    const BoxPlace p = BoxPlotPlace(lay, s.kind, j, count);
    const double c = lay.Px(p.centre), h = p.half;
    const double upper = lay.Py(g.upper_quartile), lower = lay.Py(g.lower_quartile);
    const double top = lay.Py(g.max), bottom = lay.Py(g.min);
    canvas.DrawRect(Rect{c - h, upper, c + h, lower});
    const double median = lay.Py(g.median);
    canvas.DrawLine(c - 1.2 * h, median, c + 1.2 * h, median);
    canvas.DrawLine(c, lower, c, bottom);
    canvas.DrawLine(c - h, bottom, c + h, bottom);
    canvas.DrawLine(c, upper, c, top);
    canvas.DrawLine(c - h, top, c + h, top);
  }
  canvas.ClearClip();

  for (int j = 0; j < count; ++j) {
    const GroupStats& g = s.groups[static_cast<std::size_t>(j)];
    DrawGroupLabel(canvas, s.frame, lay, BoxPlotPlace(lay, s.kind, j, count).centre, g.column, g.label);
  }
  DrawGroupTitle(canvas, s.frame, lay);
}

}  // namespace orvel
