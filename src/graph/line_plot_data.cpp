#include "graph/line_plot_data.h"

#include "graph/twoway_series.h"


namespace orvel {

std::vector<int> LinePlotColumns(const CORVELDoc& doc, int kind) {
  switch (kind) {
    case kLineTwoGroups:
    case kLineTwoRelated: return {doc.TwoGroupX(), doc.TwoGroupY()};
    case kLineGroups:
    case kLineRelatedGroups: return doc.GroupColumnList();  // column order, whatever the flagging order
    default: return {};
  }
}

std::string LinePlotDataRefusal(const CORVELDoc& doc, int kind) {
  switch (kind) {
    case kLineTwoGroups:
      if (doc.Count(doc.TwoGroupX()) <= 2 || doc.Count(doc.TwoGroupY()) <= 2) return "Samples are too small.";
      return {};
    case kLineGroups:
      if (doc.GroupColumnCount() < 3) return "Set data for Oneway Three Groups or More.";
      return {};
    case kLineTwoRelated:
      if (doc.Count(doc.TwoGroupX()) <= 2 || doc.Count(doc.TwoGroupY()) <= 2) return "Samples are too small.";
      if (!doc.IsXYPaired()) return "X and Y are not paired.";
      return {};
    case kLineRelatedGroups:
      if (doc.GroupColumnCount() < 3) return "Data setting for Three groups or more is required.";
      if (!doc.AreGroupColumnsPaired()) return "Some columns are not paired.";
      return {};
    case kLineTwoway:
      if (!TwowaySeriesUsable(doc)) return "Data setting is not correct.";
      return {};
    default: return {};
  }
}

LineDataExtent LinePlotExtent(const CORVELDoc& doc, int kind, const std::vector<int>& columns) {
  LineDataExtent e;
  bool first = true;
  for (const int c : columns) {
    if (doc.Count(c) == 0) continue;
    double hi = doc.Max(c), lo = doc.Min(c);
    if (kind == kLineTwoGroups || kind == kLineGroups) {
      const double mean = doc.Mean(c), sd = doc.SampleSD(c);  // divisor n - 1
      hi = mean + sd, lo = mean - sd;
    }
    if (first || hi > e.hi) e.hi = hi;
    if (first || lo < e.lo) e.lo = lo;
    first = false;
  }
  return e;
}

std::vector<LineProfile> LineProfiles(const CORVELDoc& doc, const std::vector<int>& columns) {
  std::vector<LineProfile> rows;
  const int used = doc.UsedRowCount();
  for (int r = 1; r <= used; ++r) {
    LineProfile p;
    p.row = r;
    bool any = false;
    for (const int c : columns) {
      const bool numeric = doc.IsNumeric(c, r);
      p.numeric.push_back(numeric);
      p.values.push_back(numeric ? doc.Value(c, r) : 0.0);
      any = any || numeric;
    }
    if (any) rows.push_back(std::move(p));
  }
  return rows;
}

}  // namespace orvel
