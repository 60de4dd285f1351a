#include "graph/bar_plot.h"

#include <algorithm>

namespace orvel {

const char* BarPlotTitle(int kind) {
  switch (kind) {
    case kBarPlotGroups: return "Bar Plot--Oneway Three Groups or More";
    case kBarPlotTwoway: return "Bar Plot--Twoway Data";
    default: return "Bar Plot--Oneway Two Groups";
  }
}

const std::vector<std::string>& BarFillChoices() {
  static const std::vector<std::string> v{"White", "Black", "Red", "Green", "Blue"};
  return v;
}

std::string CheckBarPlotData(const CORVELDoc& doc, int kind) {
  switch (kind) {
    case kBarPlotGroups:
      return doc.GroupColumnCount() < 3 ? "Set data for Oneway Three Groups or More." : "";
    case kBarPlotTwoway:
      return TwowaySeriesUsable(doc) ? "" : "Data setting is not correct.";
    default:
      return doc.Count(doc.TwoGroupX()) <= 2 || doc.Count(doc.TwoGroupY()) <= 2 ? "Samples are too small." : "";
  }
}

BarPlotSettings DefaultBarPlotSettings(const CORVELDoc& doc, int kind) {
  BarPlotSettings s;
  s.kind = std::clamp(kind, 0, 2);
  s.frame.title = BarPlotTitle(s.kind);
  double hi = 0, lo = 0;
  if (s.kind == kBarPlotTwoway) {
    s.twoway_data = CollectTwowaySeries(doc);
    if (!s.twoway_data.MeanSpread(ErrorBarKind::kSD, hi, lo)) hi = lo = 0;
  } else {
    if (s.kind == kBarPlotGroups) {
      for (int c : doc.GroupColumnList()) s.groups.push_back(ColumnGroupStats(doc, c));
    } else {
      s.groups.push_back(ColumnGroupStats(doc, doc.TwoGroupX()));
      s.groups.push_back(ColumnGroupStats(doc, doc.TwoGroupY()));
    }
    bool any = false;
    for (const GroupStats& g : s.groups) {
      if (g.n == 0) continue;
      hi = any ? std::max(hi, g.max) : g.max;
      lo = any ? std::min(lo, g.min) : g.min;
      any = true;
    }
  }
  const GroupRange r = DefaultGroupRange(hi, lo);
  s.frame.y_max = r.max;
  s.frame.y_min = r.min;
  s.frame.y_scale = r.scale;
  return s;
}

BarPlace BarPlotPlace(const GroupLayout& lay, const BarPlotSettings& s, int index, int b) {
  switch (s.kind) {
    case kBarPlotTwoGroups: return {lay.TwoGroupCentre(index), lay.TwoGroupHalfWidth()};
    case kBarPlotGroups: {
      const int count = static_cast<int>(s.groups.size());
      return {lay.SlotCentre(index, count), lay.Slot(count) / 2};
    }
    default: {
      // The A levels share four fifths of their B level's width, side by side; the Plot
      // Interval narrows each bar so neighbouring error bars stand apart.
      const int n = std::max(1, s.twoway_data.a_levels), levels = s.twoway_data.b_levels;
      const double band = 1.6 * lay.Slot(levels), cell = band / n;
      return {lay.SlotCentre(b, levels) + TwowaySeriesOffset(index, n, band, true),
              s.twoway.plot_interval ? 0.35 * cell : 0.5 * cell};
    }
  }
}

namespace {

// One bar from `from` (pixels) to the mean, with its error bar.
void DrawBar(Canvas& canvas, const GroupLayout& lay, const BarPlace& p, double from, const GroupStats& g,
             ErrorBarKind error, const Pen& pen, const Brush& brush, const Pen& error_pen) {
  canvas.SetPen(pen);
  canvas.SetBrush(brush);
  const double c = lay.Px(p.centre), to = lay.Py(g.mean);
  canvas.DrawRect(Rect{c - p.half, std::min(from, to), c + p.half, std::max(from, to)});
  if (error != ErrorBarKind::kNone) {
    canvas.SetPen(error_pen);
    const double e = ErrorExtent(g, error);
    DrawErrorBar(canvas, lay, c, g.mean - e, g.mean + e, 0.6 * p.half);
  }
}

}  // namespace

void DrawBarPlot(Canvas& canvas, const BarPlotSettings& s, const GraphCall& call) {
  const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, call);
  DrawGroupPlotArea(canvas, s.frame, lay);
  DrawGroupYAxis(canvas, s.frame, lay);

  // Bars and error bars beyond the Y settings end at the plot area.
  canvas.SetClip(Rect{0, lay.area.top - 2, call.width, lay.area.bottom + 2});
  if (s.kind == kBarPlotTwoway) {
    const TwowaySeriesData& d = s.twoway_data;
    const double zero = lay.Py(0);
    for (int a = 0; a < d.a_levels; ++a) {
      const TwowaySeriesFormat& f = s.series[static_cast<std::size_t>(std::min(a, kTwowaySeriesCount - 1))];
      const Pen pen{GroupColor(f.line_color, colors::kBlack), f.line_weight};
      const Brush brush{GroupColor(f.marker.background, colors::kWhite), false};
      // A bar is filled in its series' colour, so its error bar is drawn in black to show
      // inside it as well as above it.
      const Pen error_pen{colors::kBlack, f.line_weight};
      for (int b = 0; b < d.b_levels; ++b)
        DrawBar(canvas, lay, BarPlotPlace(lay, s, a, b), zero, d.At(a, b), s.twoway.error, pen, brush, error_pen);
    }
  } else {
    const Pen pen{GroupColor(s.line_color, colors::kBlack), s.line_weight};
    const Brush brush{GroupColor(s.fill, colors::kWhite), false};
    // Two groups grow from the baseline, more groups from the line of 0.
    const double from = s.kind == kBarPlotTwoGroups ? lay.BaselineY() : lay.Py(0);
    for (int j = 0; j < static_cast<int>(s.groups.size()); ++j) {
      const GroupStats& g = s.groups[static_cast<std::size_t>(j)];
      if (g.n == 0) continue;
      DrawBar(canvas, lay, BarPlotPlace(lay, s, j), from, g, s.error, pen, brush, pen);
    }
  }
  canvas.ClearClip();
  // The baseline over the bars' feet.
  DrawGroupBaseline(canvas, s.frame, lay);

  if (s.kind == kBarPlotTwoway) {
    DrawTwowayBLabels(canvas, s.frame, lay, s.twoway_data);
    if (s.twoway.legend)
      DrawTwowayLegend(canvas, lay, s.twoway_data, s.series, LegendSample::kBar, MarkerHalfSize(lay, call, 3));
  } else {
    for (int j = 0; j < static_cast<int>(s.groups.size()); ++j) {
      const GroupStats& g = s.groups[static_cast<std::size_t>(j)];
      DrawGroupLabel(canvas, s.frame, lay, BarPlotPlace(lay, s, j).centre, g.column, g.label);
    }
  }
  DrawGroupTitle(canvas, s.frame, lay);
}

}  // namespace orvel
