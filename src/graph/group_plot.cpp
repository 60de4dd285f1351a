#include "graph/group_plot.h"

#include <algorithm>
#include <cmath>

namespace orvel {

Color GroupColor(std::string_view name, Color fallback) {
  if (name == "Magenta") return {255, 0, 255};
  if (name == "Cyan") return {0, 255, 255};
  if (name == "Orange") return {255, 128, 0};
  if (name == "Purple") return {128, 0, 128};
  if (name == "Gray") return {128, 128, 128};
  return GraphColor(name, fallback);
}

const std::vector<std::string>& GroupYPositionChoices() {
  static const std::vector<std::string> v{kGroupYLeft, kGroupYRight};
  return v;
}

const std::vector<std::string>& ErrorBarChoices() {
  static const std::vector<std::string> v{"SD", "SE", "None"};
  return v;
}

const std::vector<std::string>& MarkerStyleChoices() {
  static const std::vector<std::string> v{"Square", "Circle"};
  return v;
}

ErrorBarKind ErrorBarFromName(const std::string& name) {
  if (name == "SE") return ErrorBarKind::kSE;
  if (name == "None") return ErrorBarKind::kNone;
  return ErrorBarKind::kSD;
}

const char* ErrorBarName(ErrorBarKind kind) {
  switch (kind) {
    case ErrorBarKind::kSE: return "SE";
    case ErrorBarKind::kNone: return "None";
    default: return "SD";
  }
}

double ErrorExtent(const GroupStats& g, ErrorBarKind kind) {
  switch (kind) {
    case ErrorBarKind::kSD: return g.sd;
    case ErrorBarKind::kSE: return g.se;
    default: return 0;
  }
}

std::string GroupSettingText(double v) {
  std::string text = FormatFixed2(v);
  // A tiny but non-zero value would be offered as 0 and then refused by the sheet's own check.
  if (ParseSetting(text) == 0 && v != 0 && std::isfinite(v)) text = GraphFormat("%g", v);
  return text;
}

GroupRange DefaultGroupRange(double hi, double lo) {
  GroupRange r;
  if (!std::isfinite(hi) || !std::isfinite(lo)) return r;
  // The signs are those of the data: widening alone must not pull the range of positive values
  // below 0 (values 1 .. 18 would start at -0.7), so such a range starts at 0 all the same.
  const bool positives = hi > 0 && lo >= 0, negatives = hi < 0 && lo < 0;
  const double d = (hi - lo) / 10;
  hi += d;
  lo -= d;
  if (positives || (hi > 0 && lo >= 0)) {
    lo = 0;
  } else if (negatives || (hi < 0 && lo < 0)) {
    hi = 0;
  }
  const double range = hi - lo;
  // All values 0: no digit exponent exists, so a unit range.
  if (!(range > 0) || !std::isfinite(range)) return r;
  const int e = static_cast<int>(std::floor(std::log10(range)));
  const double scale = e > 0 ? std::pow(10.0, e - 1) / 2 : std::pow(10.0, e) / 2;
  r.max_text = GroupSettingText(hi);
  r.min_text = GroupSettingText(lo);
  r.scale_text = GroupSettingText(scale);
  r.max = ParseSetting(r.max_text);
  r.min = ParseSetting(r.min_text);
  r.scale = ParseSetting(r.scale_text);
  return r;
}

std::string CheckGroupSettings(double y_max, double y_min, double y_scale, GroupCheck which) {
  if (!(y_max > y_min)) return "The maximum setting is smaller than the minimum setting.";
  if (!(y_scale > 0)) {
    return which == GroupCheck::kReeditLineBox ? "Scale setting is not correct." : "Setting for scale is not correct.";
  }
  return {};
}

GroupStats ColumnGroupStats(const CORVELDoc& doc, int column) {
  GroupStats g;
  g.column = column;
  g.label = std::string(doc.Text(column, 0));
  g.n = doc.Count(column);
  if (g.n == 0) return g;
  g.mean = doc.Mean(column);
  g.sd = doc.SampleSD(column);
  g.se = doc.SE(column);
  const CORVELDoc::MedianAndQuartiles q = doc.Quartiles(column);
  g.median = q.median;
  g.lower_quartile = q.lower;
  g.upper_quartile = q.upper;
  g.max = doc.Max(column);
  g.min = doc.Min(column);
  return g;
}

// ---- Layout ---------------------------------------------------------------------------------

double GroupLayout::Py(double v) const {
  const double span = y_max - y_min;
  if (!(span != 0) || !std::isfinite(span)) return area.bottom;
  return ClampCoordinate(area.top + (y_max - v) * area.Height() / span, height);
}

double GroupLayout::BaselineY() const {
  const bool same_sign = y_max != 0 && y_min != 0 && ((y_max > 0) == (y_min > 0));
  return same_sign ? area.bottom : Py(0);
}

double GroupLayout::TwoGroupCentre(int i) const {
  return i == 0 ? (3 * area.left + area.right) / 4 : (area.left + 3 * area.right) / 4;
}

GroupLayout LayoutGroupPlot(Canvas& canvas, const GroupPlotFrame& f, const GraphCall& call) {
  GroupLayout lay;
  lay.fonts.title = UseGraphFont(canvas, f.title_font, f.title_size, call);
  lay.fonts.x = UseGraphFont(canvas, f.x.font, f.x.font_size, call);
  lay.fonts.y = UseGraphFont(canvas, f.y.font, f.y.font_size, call);
  lay.width = call.width;
  lay.height = call.height;
  lay.y_max = f.y_max;
  lay.y_min = f.y_min;
  lay.tick = lay.fonts.x.char_width;
  const double side = 10 * lay.fonts.y.char_width;
  lay.area.left = side;
  lay.area.right = call.width - side;
  if (call.Printing()) {
    lay.area.top = 2 * lay.fonts.title.line;
  } else if (call.ToFile()) {
    lay.area.top = 4 * lay.fonts.title.line;
  } else {
    lay.area.top = call.header + 2 * lay.fonts.title.line;
  }
  lay.area.bottom = call.height - 4 * lay.fonts.x.line;
  return lay;
}

double MarkerHalfSize(const GroupLayout& lay, const GraphCall& call, int marker_size) {
  return call.Printing() ? lay.fonts.x.char_width * marker_size / 4 : marker_size;
}

// ---- Drawing --------------------------------------------------------------------------------

void DrawGroupPlotArea(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay) {
  canvas.SetPen(Pen{GraphColor(f.area_outline, colors::kWhite), f.area_weight});
  canvas.SetBrush(Brush{GraphColor(f.area_fill, colors::kWhite), false});
  canvas.DrawRect(lay.area);
}

void DrawGroupBaseline(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay) {
  canvas.SetPen(Pen{GraphColor(f.x.color, colors::kBlack), f.x.weight});
  const double y = lay.BaselineY();
  canvas.DrawLine(lay.area.left, y, lay.area.right, y);
}

std::vector<double> GroupYTicks(double y_min, double y_max, double scale, int limit) {
  std::vector<double> ticks;
  if (!(scale > 0) || !std::isfinite(scale) || !(y_max > y_min) || !std::isfinite(y_max - y_min)) return ticks;
  const double first = std::floor(y_min / scale), last = std::floor(y_max / scale);
  const double count = last - first + 1;
  if (!std::isfinite(count) || count > 1e15) return ticks;
  // Too fine to see: every stride-th multiple, so the count stays bounded.
  const double stride = count > limit ? std::ceil(count / limit) : 1;
  const double tolerance = 1e-9 * scale;  // keeps 1.0 with the scale 0.1
  for (double k = std::ceil(first / stride) * stride; k <= last; k += stride) {
    const double v = k * scale;
    if (v >= y_min - tolerance && v <= y_max + tolerance) ticks.push_back(v);
  }
  return ticks;
}

int GroupLabelStride(const std::vector<double>& ticks, const GroupLayout& lay) {
  if (ticks.size() < 2) return 1;
  const double spacing = std::fabs(lay.Py(ticks[1]) - lay.Py(ticks[0]));
  const double line = lay.fonts.y.line;
  if (!(spacing > 0) || spacing >= line) return 1;
  // Whole multiples of the labelled step: 1, 2, 5, 10, 20, 50, ... ticks apart.
  for (double decade = 1;; decade *= 10)
    for (int m : {1, 2, 5}) {
      const double k = m * decade;
      if (k * spacing >= line || k > 1e9) return static_cast<int>(k);
    }
}

void DrawGroupYAxis(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay) {
  const bool right = f.y_position == kGroupYRight;
  const double x = right ? lay.area.right : lay.area.left;
  canvas.SetPen(Pen{GraphColor(f.y.color, colors::kBlack), f.y.weight});
  canvas.SetFont(lay.fonts.y.shape);
  canvas.DrawLine(x, lay.area.bottom, x, lay.area.top);
  const double out = right ? x + lay.tick : x - lay.tick;
  const std::vector<double> ticks = GroupYTicks(f.y_min, f.y_max, f.y_scale);
  const int stride = GroupLabelStride(ticks, lay);
  const double tick_step = ticks.size() >= 2 ? ticks[1] - ticks[0] : f.y_scale;
  for (double v : ticks) {
    const double py = lay.Py(v);
    canvas.DrawLine(x, py, out, py);
    if (stride > 1 && std::fmod(std::round(v / tick_step), stride) != 0) continue;
    const double gap = lay.fonts.y.char_width / 2;
    canvas.DrawText(right ? out + gap : out - gap, py - lay.fonts.y.line / 2, FormatFixed2(v),
                    right ? TextAlign::kLeft : TextAlign::kRight);
  }
}

void DrawGroupLabel(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay, double x, int column,
                    const std::string& label) {
  canvas.SetPen(Pen{GraphColor(f.x.color, colors::kBlack), 1});
  canvas.SetFont(lay.fonts.x.shape);
  const double px = lay.Px(x);
  canvas.DrawText(px, lay.area.bottom + lay.fonts.x.line / 2, GraphFormat("Col%d", column), TextAlign::kCenter);
  if (!label.empty()) canvas.DrawText(px, lay.area.bottom + 2 * lay.fonts.x.line, label, TextAlign::kCenter);
}

void DrawGroupTitle(Canvas& canvas, const GroupPlotFrame& f, const GroupLayout& lay) {
  canvas.SetPen(Pen{colors::kBlack, 1});
  canvas.SetFont(lay.fonts.title.shape);
  const double line = lay.fonts.title.line;
  canvas.DrawText((lay.area.left + lay.area.right) / 2, lay.area.top - line / 2 - line, f.title, TextAlign::kCenter);
}

void DrawErrorBar(Canvas& canvas, const GroupLayout& lay, double x, double lo, double hi, double cap) {
  const double px = lay.Px(x), top = lay.Py(hi), bottom = lay.Py(lo);
  canvas.DrawLine(px, bottom, px, top);
  canvas.DrawLine(px - cap, top, px + cap, top);
  canvas.DrawLine(px - cap, bottom, px + cap, bottom);
}

void DrawMarker(Canvas& canvas, double x, double y, double m, const MarkerLook& look) {
  canvas.SetPen(Pen{GroupColor(look.foreground, colors::kBlack), 1});
  canvas.SetBrush(Brush{GroupColor(look.background, colors::kBlack), false});
  const Rect box{x - m, y - m, x + m, y + m};
  if (look.style == "Circle") {
    canvas.DrawEllipse(box);
  } else {
    canvas.DrawRect(box);
  }
}

}  // namespace orvel
