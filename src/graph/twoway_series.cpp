#include "graph/twoway_series.h"

#include <algorithm>
#include <cmath>

namespace orvel {

bool TwowaySeriesData::MeanSpread(ErrorBarKind kind, double& hi, double& lo) const {
  bool any = false;
  for (const auto& row : cells)
    for (const GroupStats& g : row) {
      const double e = ErrorExtent(g, kind);
      if (!any) {
        hi = g.mean + e;
        lo = g.mean - e;
        any = true;
      } else {
        hi = std::max(hi, g.mean + e);
        lo = std::min(lo, g.mean - e);
      }
    }
  return any;
}

bool TwowaySeriesUsable(const CORVELDoc& doc) { return doc.IsTwowayGridValid(); }

TwowaySeriesData CollectTwowaySeries(const CORVELDoc& doc) {
  TwowaySeriesData d;
  d.a_levels = std::min(doc.TwowayALevels(), kTwowaySeriesCount);
  d.b_levels = doc.TwowayBLevels();
  d.cells.resize(static_cast<std::size_t>(d.a_levels));
  for (int a = 1; a <= d.a_levels; ++a) {
    d.a_labels.push_back(doc.TwowayLabelA(a));
    for (int b = 1; b <= d.b_levels; ++b)
      d.cells[static_cast<std::size_t>(a - 1)].push_back(ColumnGroupStats(doc, doc.TwowayGridCell(a, b)));
  }
  for (int b = 1; b <= d.b_levels; ++b) d.b_labels.push_back(doc.TwowayLabelB(b));
  return d;
}

std::string TwowaySeriesName(const TwowaySeriesData& data, int a) {
  std::string name = GraphFormat("A%d", a + 1);
  if (a >= 0 && a < static_cast<int>(data.a_labels.size()) && !data.a_labels[static_cast<std::size_t>(a)].empty())
    name += " " + data.a_labels[static_cast<std::size_t>(a)];
  return name;
}

std::vector<TwowaySeriesFormat> DefaultTwowaySeriesFormats() {
  static const char* const kColors[kTwowaySeriesCount] = {"Blue",    "Red",  "Green",  "Black",  "Yellow",
                                                          "Magenta", "Cyan", "Orange", "Purple", "Gray"};
  std::vector<TwowaySeriesFormat> formats;
  for (int i = 0; i < kTwowaySeriesCount; ++i) {
    TwowaySeriesFormat f;
    f.line_color = kColors[i];
    f.line_weight = 1;
    f.marker.style = i < 5 ? "Square" : "Circle";
    f.marker.size = 3;
    f.marker.foreground = kColors[i];
    f.marker.background = kColors[i];
    formats.push_back(f);
  }
  return formats;
}

const std::vector<std::string>& TwowaySeriesColorChoices() {
  static const std::vector<std::string> v{"Black",   "White", "Red",  "Green",  "Blue",   "Yellow",
                                          "Magenta", "Cyan",  "Orange", "Purple", "Gray"};
  return v;
}

const std::vector<std::string>& OnOffChoices() {
  static const std::vector<std::string> v{"ON", "OFF"};
  return v;
}

double TwowaySeriesOffset(int i, int n, double band, bool plot_interval) {
  if (!plot_interval || n <= 1) return 0;
  return (i - (n - 1) / 2.0) * band / n;
}

void DrawTwowayBLabels(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay, const TwowaySeriesData& data) {
  canvas.SetPen(Pen{GraphColor(f.x.color, colors::kBlack), 1});
  canvas.SetFont(lay.fonts.x.shape);
  for (int b = 0; b < data.b_levels; ++b) {
    const double x = lay.Px(lay.SlotCentre(b, data.b_levels));
    canvas.DrawText(x, lay.area.bottom + lay.fonts.x.line / 2, GraphFormat("B%d", b + 1), TextAlign::kCenter);
    const std::string& label = data.b_labels[static_cast<std::size_t>(b)];
    if (!label.empty()) canvas.DrawText(x, lay.area.bottom + 2 * lay.fonts.x.line, label, TextAlign::kCenter);
  }
}

namespace {

struct LegendGeometry {
  double pad, sample, row;
};

LegendGeometry LegendMeasures(const GroupLayout& lay) {
  const GraphFont& font = lay.fonts.x;
  return {font.char_width, 4 * font.char_width, 1.2 * font.line};
}

}  // namespace

Rect TwowayLegendBox(const GroupLayout& lay, const TwowaySeriesData& data) {
  const LegendGeometry g = LegendMeasures(lay);
  std::size_t longest = 0;
  for (int a = 0; a < data.a_levels; ++a) longest = std::max(longest, TwowaySeriesName(data, a).size());
  // Without device metrics a character is guessed at half the point size, which narrow faces
  // reach but proportional text of capitals does not: the box allows for the wider guess.
  const double char_width = std::max(lay.fonts.x.char_width, 0.6 * lay.fonts.x.line);
  const double width = 3 * g.pad + g.sample + static_cast<double>(longest) * char_width;
  const double height = g.pad + data.a_levels * g.row;
  Rect box;
  box.right = lay.area.right - g.pad;
  box.left = box.right - width;
  box.top = lay.area.top + g.pad;
  box.bottom = box.top + height;
  return box;
}

void DrawTwowayLegend(Canvas& canvas, const GroupLayout& lay, const TwowaySeriesData& data,
                      const std::vector<TwowaySeriesFormat>& formats, LegendSample sample, double marker_half) {
  if (data.a_levels <= 0) return;
  const LegendGeometry g = LegendMeasures(lay);
  const Rect box = TwowayLegendBox(lay, data);
  canvas.SetPen(Pen{colors::kBlack, 1});
  canvas.SetBrush(Brush{colors::kWhite, false});
  canvas.DrawRect(box);
  canvas.SetFont(lay.fonts.x.shape);
  const double x0 = box.left + g.pad;
  for (int a = 0; a < data.a_levels && a < static_cast<int>(formats.size()); ++a) {
    const TwowaySeriesFormat& f = formats[static_cast<std::size_t>(a)];
    const double mid = box.top + g.pad / 2 + (a + 0.5) * g.row;
    if (sample == LegendSample::kLineAndMarker) {
      canvas.SetPen(Pen{GroupColor(f.line_color, colors::kBlack), f.line_weight});
      canvas.DrawLine(x0, mid, x0 + g.sample, mid);
      DrawMarker(canvas, x0 + g.sample / 2, mid, marker_half, f.marker);
    } else {
      canvas.SetPen(Pen{GroupColor(f.line_color, colors::kBlack), f.line_weight});
      canvas.SetBrush(Brush{GroupColor(f.marker.background, colors::kWhite), false});
      canvas.DrawRect(Rect{x0, mid - g.row / 3, x0 + g.sample, mid + g.row / 3});
    }
    canvas.SetPen(Pen{colors::kBlack, 1});
    canvas.DrawText(x0 + g.sample + g.pad, mid - lay.fonts.x.line / 2, TwowaySeriesName(data, a), TextAlign::kLeft);
  }
}

}  // namespace orvel
