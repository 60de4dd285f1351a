#include "graph/twoway_line_plot.h"

#include <algorithm>
#include <cstddef>

#include "graph/line_plot.h"

namespace orvel {

TwowayLinePlotSettings DefaultTwowayLinePlotSettings(const CORVELDoc& doc) {
  TwowayLinePlotSettings s;
  s.frame.title = LinePlotTitle(kLineTwoway);
  double hi = 0, lo = 0;
  if (TwowaySeriesUsable(doc)) CollectTwowaySeries(doc).MeanSpread(ErrorBarKind::kSD, hi, lo);
  const GroupRange r = DefaultGroupRange(hi, lo);
  s.frame.y_max = r.max;
  s.frame.y_min = r.min;
  s.frame.y_scale = r.scale;
  return s;
}

double TwowayLinePointX(const GroupLayout& lay, int a, int a_levels, int b, int b_levels, bool plot_interval) {
  // The series share one slot's width: the gap to the next B level stays free.
  return lay.SlotCentre(b, b_levels) + TwowaySeriesOffset(a, a_levels, lay.Slot(b_levels), plot_interval);
}

void DrawTwowayLinePlot(Canvas& canvas, const CORVELDoc& doc, const TwowayLinePlotSettings& s, const GraphCall& call) {
  const GroupLayout lay = LayoutGroupPlot(canvas, s.frame, call);
  DrawGroupPlotArea(canvas, s.frame, lay);
  DrawGroupBaseline(canvas, s.frame, lay);
  DrawGroupYAxis(canvas, s.frame, lay);
  if (TwowaySeriesUsable(doc)) {
    const TwowaySeriesData data = CollectTwowaySeries(doc);
    const int series = std::min(data.a_levels, static_cast<int>(s.formats.size()));
    const TwowaySeriesFormat fallback;
    struct Point {
      double x, y;
    };
    // Lines first, then every series' error bars, then the markers on top, so no line hides
    // a marker of another series.
    std::vector<std::vector<Point>> points(static_cast<std::size_t>(series));
    for (int a = 0; a < series; ++a) {
      const TwowaySeriesFormat& f = s.formats[static_cast<std::size_t>(a)];
      auto& row = points[static_cast<std::size_t>(a)];
      for (int b = 0; b < data.b_levels; ++b)
        row.push_back({lay.Px(TwowayLinePointX(lay, a, data.a_levels, b, data.b_levels, s.options.plot_interval)),
                       lay.Py(data.At(a, b).mean)});
      canvas.SetPen(Pen{GroupColor(f.line_color, colors::kBlack), f.line_weight});
      for (std::size_t j = 1; j < row.size(); ++j) canvas.DrawLine(row[j - 1].x, row[j - 1].y, row[j].x, row[j].y);
    }
    if (s.options.error != ErrorBarKind::kNone) {
      for (int a = 0; a < series; ++a) {
        const TwowaySeriesFormat& f = s.formats[static_cast<std::size_t>(a)];
        const double m = MarkerHalfSize(lay, call, f.marker.size);
        canvas.SetPen(Pen{GroupColor(f.line_color, colors::kBlack), f.line_weight});
        for (int b = 0; b < data.b_levels; ++b) {
          const GroupStats& g = data.At(a, b);
          const double e = ErrorExtent(g, s.options.error);
          DrawErrorBar(canvas, lay, points[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)].x, g.mean - e,
                       g.mean + e, m);
        }
      }
    }
    for (int a = 0; a < series; ++a) {
      const TwowaySeriesFormat& f = s.formats[static_cast<std::size_t>(a)];
      const double m = MarkerHalfSize(lay, call, f.marker.size);
      for (const Point& p : points[static_cast<std::size_t>(a)]) DrawMarker(canvas, p.x, p.y, m, f.marker);
    }
    DrawTwowayBLabels(canvas, s.frame, lay, data);
    if (s.options.legend) {
      const int size = s.formats.empty() ? fallback.marker.size : s.formats.front().marker.size;
      DrawTwowayLegend(canvas, lay, data, s.formats, LegendSample::kLineAndMarker, MarkerHalfSize(lay, call, size));
    }
  }
  DrawGroupTitle(canvas, s.frame, lay);
}

}  // namespace orvel
