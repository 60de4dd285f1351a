#include "graph/histogram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvel {

const std::vector<std::string>& HistogramBarColorChoices() {
  static const std::vector<std::string> v{"Gray", "Black", "Red", "Green", "Blue"};
  return v;
}

int DefaultClassCount(int n) {
  const int k = static_cast<int>(std::floor(std::sqrt(static_cast<double>(std::max(n, 0))))) + 1;
  if (k > 20) return 10;
  if (k < 5) return 5;
  return k;
}

void ClassRangeSettings(double largest, double smallest, int k, double& max_setting, double& min_setting) {
  const double w = (largest - smallest) / std::max(k - 1, 1);
  max_setting = largest + w / 2;
  min_setting = smallest - w / 2;
}

std::vector<int> CountClasses(const CORVELDoc& doc, int column, int k, double min, double max) {
  k = std::clamp(k, 1, 20);
  std::vector<int> counts(static_cast<std::size_t>(k), 0);
  const double c = (max - min) / k;
  for (int r = 1; r < doc.RowCount(); ++r) {
    if (!doc.IsNumeric(column, r)) continue;
    const double v = doc.Value(column, r);
    for (int i = 0; i < k; ++i) {
      const double low = min + i * c;
      // The last class ends at the maximum setting itself, so a value equal to it is counted
      // even when min + k c falls a rounding short of it.
      const bool inside = i + 1 == k ? low <= v && v <= max : low <= v && v < min + (i + 1) * c;
      if (inside) {
        ++counts[static_cast<std::size_t>(i)];
        break;
      }
    }
  }
  return counts;
}

std::string DefaultHistogramTitle(const CORVELDoc& doc, int column) {
  const std::string label(doc.Text(column, 0));
  if (label.empty()) return GraphFormat("Histogram of Col%d", column);
  return GraphFormat("Histogram of Col%d (%s)", column, label.c_str());
}

HistogramSettings DefaultHistogramSettings(const CORVELDoc& doc, int column) {
  HistogramSettings s;
  s.column = column;
  s.title = DefaultHistogramTitle(doc, column);
  const int n = doc.Count(column);
  const double largest = n > 0 ? doc.Max(column) : 0, smallest = n > 0 ? doc.Min(column) : 0;
  s.classes = DefaultClassCount(n);
  ClassRangeSettings(largest, smallest, s.classes, s.max_setting, s.min_setting);
  // The Y axis reaches the tallest of five bins over the data's range, or the tallest of the
  // classes actually drawn when that is taller, so the preset graph never runs over its top.
  const std::vector<int> five = CountClasses(doc, column, 5, smallest, largest);
  const std::vector<int> drawn = CountClasses(doc, column, s.classes, s.min_setting, s.max_setting);
  const int tallest = std::max(*std::max_element(five.begin(), five.end()), *std::max_element(drawn.begin(), drawn.end()));
  s.y_max = std::max(tallest, 1);  // a count axis needs a height to divide by
  s.y_scale = tallest < 6 ? 1 : 5;
  return s;
}

std::string CheckHistogramRange(const CORVELDoc& doc, const HistogramSettings& s, bool reedit) {
  if (doc.Count(s.column) == 0) return {};
  if (doc.Min(s.column) < s.min_setting || doc.Max(s.column) > s.max_setting) {
    return reedit ? "The maximum setting is smaller than the maximum value or the minimum setting is larger than "
                    "the minimum value. Setting is not correct."
                  : "The maximum setting is smaller than the maximum value or the minimum setting is larger than "
                    "the minimum value. Data setting is not correct.";
  }
  return {};
}

std::string FormatExactSetting(double v) {
  for (int digits = 6; digits < 17; ++digits) {
    const std::string text = GraphFormat("%.*g", digits, v);
    if (std::strtod(text.c_str(), nullptr) == v) return text;
  }
  return GraphFormat("%.17g", v);
}

namespace {

struct Fonts {
  GraphFont title, x, y;
};

Fonts MeasureFonts(Canvas& canvas, const HistogramSettings& s, const GraphCall& call) {
  return {UseGraphFont(canvas, s.title_font, s.title_size, call), UseGraphFont(canvas, s.x.font, s.x.font_size, call),
          UseGraphFont(canvas, s.y.font, s.y.font_size, call)};
}

HistogramLayout LayoutFromFonts(const Fonts& f, const HistogramSettings& s, const GraphCall& call) {
  HistogramLayout l;
  Rect& a = l.area;
  a.left = 7 * f.y.char_width;
  a.right = call.width - 7 * f.y.char_width;
  if (call.Printing()) {
    a.top = 2 * f.title.line;
    a.bottom = call.height - 2 * f.x.line;
  } else if (call.ToFile()) {
    a.top = 4 * f.title.line;
    a.bottom = call.height - 4 * f.x.line;
  } else {
    a.top = call.header + 2 * f.title.line;
    a.bottom = call.height - 2 * f.x.line;
  }
  const int k = std::clamp(s.classes, 1, 20);
  const int y_max = std::max(s.y_max, 1);
  l.class_width = (a.right - a.left) / k;
  l.count_height = (a.bottom - a.top) / y_max;
  a.right = a.left + k * l.class_width;
  a.bottom = a.top + y_max * l.count_height;
  return l;
}

Color BarColor(const std::string& name) {
  constexpr Color kGray{128, 128, 128};
  return name == "Gray" ? kGray : GraphColor(name, kGray);
}

}  // namespace

HistogramLayout HistogramPlotLayout(Canvas& canvas, const HistogramSettings& s, const GraphCall& call) {
  return LayoutFromFonts(MeasureFonts(canvas, s, call), s, call);
}

void DrawHistogram(Canvas& canvas, const CORVELDoc& doc, const HistogramSettings& s, const GraphCall& call) {
  const Fonts fonts = MeasureFonts(canvas, s, call);
  const HistogramLayout l = LayoutFromFonts(fonts, s, call);
  const Rect& a = l.area;
  const int k = std::clamp(s.classes, 1, 20);
  const int y_max = std::max(s.y_max, 1);
  auto cx = [&](double v) { return ClampCoordinate(v, call.width); };
  auto cy = [&](double v) { return ClampCoordinate(v, call.height); };

  canvas.SetPen(Pen{GraphColor(s.area_outline, colors::kWhite), s.area_weight});
  canvas.SetBrush(Brush{GraphColor(s.area_fill, colors::kWhite), false});
  canvas.DrawRect(a);

  // The bars first, so the axes stay visible over their edges.
  const std::vector<int> counts = CountClasses(doc, s.column, k, s.min_setting, s.max_setting);
  const double inset = l.class_width * (100 - std::clamp(s.bar_width, 0, 100)) / 200.0;
  const Color bar = BarColor(s.bar_color);
  canvas.SetPen(Pen{bar, 1});
  canvas.SetBrush(Brush{bar, false});
  for (int i = 0; i < k; ++i) {
    // A class taller than the typed Y maximum is cut at the plot's top, never over the title.
    const int count = std::min(counts[static_cast<std::size_t>(i)], y_max);
    if (count == 0) continue;
    canvas.DrawRect({cx(a.left + i * l.class_width + inset), cy(a.top + (y_max - count) * l.count_height),
                     cx(a.left + (i + 1) * l.class_width - inset), a.bottom});
  }

  // X axis and the class boundaries under it.
  canvas.SetPen(Pen{GraphColor(s.x.color, colors::kBlack), s.x.weight});
  canvas.SetFont(fonts.x.shape);
  canvas.DrawLine(a.left, a.bottom, a.right, a.bottom);
  const double c = (s.max_setting - s.min_setting) / k;
  for (int i = 0; i <= k; ++i)
    canvas.DrawText(a.left + i * l.class_width, a.bottom + fonts.x.line / 2, FormatFixed2(s.min_setting + i * c),
                    TextAlign::kCenter);

  // Y axis with its count ticks pointing away from the plot.
  canvas.SetPen(Pen{GraphColor(s.y.color, colors::kBlack), s.y.weight});
  canvas.SetFont(fonts.y.shape);
  const double axis_x = s.y_right ? a.right : a.left;
  const double out = s.y_right ? fonts.y.char_width : -fonts.y.char_width;
  canvas.DrawLine(axis_x, a.bottom, axis_x, a.top);
  const int step = std::max(s.y_scale, 1);
  // A tiny step on a tall axis would be a solid bar of ticks: at most a few thousand.
  const int ticks = std::min(y_max / step, 4000);
  for (int t = 0; t <= ticks; ++t) {
    const int count = t * step;
    const double py = a.top + (y_max - count) * l.count_height;
    canvas.DrawLine(axis_x, py, axis_x + out, py);
    canvas.DrawText(axis_x + out, py - fonts.y.line / 2, GraphFormat("%3d", count),
                    s.y_right ? TextAlign::kLeft : TextAlign::kRight);
  }

  canvas.SetPen(Pen{colors::kBlack, 1});
  canvas.SetFont(fonts.title.shape);
  canvas.DrawText(call.width / 2, a.top - 1.5 * fonts.title.line, s.title, TextAlign::kCenter);
}

}  // namespace orvel
