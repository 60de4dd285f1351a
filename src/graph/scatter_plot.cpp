#include "graph/scatter_plot.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "analyses/correlation.h"
#include "numeric/distributions.h"

namespace orvel {

const std::vector<std::string>& ScatterRegressionChoices() {
  static const std::vector<std::string> v{"None",         "y=a*x+b",       "y=a*log(x)+b",  "y=a*ln(x)+b",
                                          "y=a*x^b",      "y=a*10^(bx)",   "y=a*exp(bx)",   "y=a*(1/x)+b"};
  return v;
}

bool ScatterDataPaired(const CORVELDoc& doc) {
  const int x = doc.TwoGroupX(), y = doc.TwoGroupY();
  for (int r = 1; r < doc.RowCount(); ++r)
    if (doc.IsNumeric(x, r) != doc.IsNumeric(y, r)) return false;
  return doc.Count(x) > 1;
}

namespace {

ScatterAxis DefaultAxis(const CORVELDoc& doc, int column) {
  ScatterAxis a;
  const AxisDefault d = doc.Count(column) > 0 ? DefaultAxisRange(doc.Max(column), doc.Min(column))
                                              : DefaultAxisRange(0, 0);
  a.max = d.max_setting;
  a.min = d.min_setting;
  a.scale = d.scale;
  return a;
}

}  // namespace

ScatterSettings DefaultScatterSettings(const CORVELDoc& doc) {
  ScatterSettings s;
  s.x = DefaultAxis(doc, doc.TwoGroupX());
  s.y = DefaultAxis(doc, doc.TwoGroupY());
  return s;
}

std::string ColumnMaximumText(const CORVELDoc& doc, int column) {
  return FormatFixed2(doc.Count(column) > 0 ? doc.Max(column) : 0);
}
std::string ColumnMinimumText(const CORVELDoc& doc, int column) {
  return FormatFixed2(doc.Count(column) > 0 ? doc.Min(column) : 0);
}

std::string CheckScatterSettings(const ScatterSettings& s) {
  if (s.x.scale == 0) return "The X-axis scale cannot be zero.";
  if (s.y.scale == 0) return "The Y-axis scale cannot be zero.";
  if (s.x.max == s.x.min) return "Data Setting for X-axis range is not correct.";
  if (s.y.max == s.y.min) return "Data setting for Y-axis range is not correct.";
  return {};
}

std::string CheckScatterReedit(const ScatterSettings& s) {
  if (s.x.scale == 0 || s.y.scale == 0) return "Scale cannot be zero.";
  if (s.x.max == s.x.min) return "X-axis range is zero. Setting is not correct.";
  if (s.y.max == s.y.min) return "Y-axis range is zero. Setting is not correct.";
  return {};
}

void NormalizeScatterSettings(ScatterSettings& s) {
  for (ScatterAxis* a : {&s.x, &s.y}) {
    if (a->min > a->max) std::swap(a->min, a->max);
    a->scale = std::fabs(a->scale);
  }
}

namespace {

struct Fonts {
  GraphFont title, x, y;
};

Fonts MeasureFonts(Canvas& canvas, const ScatterSettings& s, const GraphCall& call) {
  Fonts f;
  f.title = UseGraphFont(canvas, s.title_font, s.title_size, call);
  f.x = UseGraphFont(canvas, s.x.font, s.x.font_size, call);
  f.y = UseGraphFont(canvas, s.y.font, s.y.font_size, call);
  return f;
}

Rect AreaFromFonts(const Fonts& f, const GraphCall& call) {
  const double w = call.width, h = call.height;
  Rect r;
  if (h < w) {
    r.top = 3 * f.title.line + call.TopOffset();
    r.bottom = h - 2 * f.x.line;
    const double side = r.bottom - r.top;
    r.left = (w - side) / 2;
    r.right = (w + side) / 2;
  } else {
    const double m = 6 * f.y.char_width;
    r.left = m;
    r.right = w - m;
    r.top = (h + 2 * m - w) / 2;
    r.bottom = (w + h - 2 * m) / 2;
  }
  return r;
}

}  // namespace

Rect ScatterPlotArea(Canvas& canvas, const ScatterSettings& s, const GraphCall& call) {
  return AreaFromFonts(MeasureFonts(canvas, s, call), call);
}

// ---- Regression ----------------------------------------------------------------------------

double ScatterFit::At(int kind, double x) const {
  switch (kind) {
    case kScatterLine: return slope * x + intercept;
    case kScatterLog10: return slope * std::log10(x) + intercept;
    case kScatterLn: return slope * std::log(x) + intercept;
    case kScatterPower: return std::pow(10.0, intercept) * std::pow(x, slope);
    case kScatterExp10: return std::pow(10.0, intercept) * std::pow(10.0, slope * x);
    case kScatterExp: return std::exp(intercept) * std::exp(slope * x);
    case kScatterReciprocal: return slope / x + intercept;
    default: return std::nan("");
  }
}

ScatterFit FitScatterRegression(const CORVELDoc& doc, int kind) {
  ScatterFit fit;
  const int xc = doc.TwoGroupX(), yc = doc.TwoGroupY();
  bool x_nonpositive = false, y_nonpositive = false, x_zero = false;
  for (int r = 1; r < doc.RowCount(); ++r) {
    if (doc.IsNumeric(xc, r)) {
      ++fit.n;
      x_nonpositive |= doc.Value(xc, r) <= 0;
      x_zero |= doc.Value(xc, r) == 0;
    }
    if (doc.IsNumeric(yc, r)) y_nonpositive |= doc.Value(yc, r) <= 0;
  }
  const bool log_x = kind == kScatterLog10 || kind == kScatterLn || kind == kScatterPower;
  const bool log_y = kind == kScatterPower || kind == kScatterExp10 || kind == kScatterExp;
  if (log_x && x_nonpositive) {
    fit.refusal = "X column has negative numbers. Data setting is not correct.";
    return fit;
  }
  if (log_y && y_nonpositive) {
    fit.refusal = "Y column has negative numbers. Data setting is not correct.";
    return fit;
  }
  if (kind == kScatterReciprocal && x_zero) {
    fit.refusal = "X column has zeros. Data setting is not correct.";
    return fit;
  }
  // The transforms apply to copies of the pairs, so the cells never change.
  std::vector<double> xs, ys;
  for (int r = 1; r < doc.RowCount(); ++r) {
    if (!doc.IsNumeric(xc, r) || !doc.IsNumeric(yc, r)) continue;
    double x = doc.Value(xc, r), y = doc.Value(yc, r);
    if (kind == kScatterLog10 || kind == kScatterPower) x = std::log10(x);
    if (kind == kScatterLn) x = std::log(x);
    if (kind == kScatterReciprocal) x = 1 / x;
    if (kind == kScatterPower || kind == kScatterExp10) y = std::log10(y);
    if (kind == kScatterExp) y = std::log(y);
    xs.push_back(x);
    ys.push_back(y);
  }
  const LineFit line = FitLeastSquaresLine(xs, ys);
  fit.slope = line.slope;
  fit.intercept = line.intercept;
  fit.r = line.r;
  return fit;
}

std::string ScatterEquation(int kind, double a, double b) {
  auto by_sign = [&](const char* plus, const char* zero, const char* minus) {
    if (b > 0) return GraphFormat(plus, a, b);
    if (b < 0) return GraphFormat(minus, a, b);
    return GraphFormat(zero, a);
  };
  switch (kind) {
    case kScatterLine: return by_sign("y=%.6fx+%.6f", "y=%.6fx", "y=%.6fx%.6f");
    case kScatterLog10: return by_sign("y=%.6flog10(x)+%.6f", "y=%.6flog10(x)", "y=%.6flog10(x)%.6f");
    case kScatterLn: return by_sign("y=%.6fln(x)+%.6f", "y=%.6fln(x)", "y=%.6fln(x)%.6f");
    case kScatterPower: return GraphFormat("y=%.6fx^%.6f", std::pow(10.0, b), a);
    case kScatterExp10: return GraphFormat("y=%.6f*10^(%.6fx)", std::pow(10.0, b), a);
    case kScatterExp: return GraphFormat("y=%.6f*exp(%.6fx)", std::exp(b), a);
    case kScatterReciprocal: return by_sign("y=%.6f/x+%.6f", "y=%.6f/x", "y=%.6f/x%.6f");
    default: return {};
  }
}

std::string ScatterPLine(double r, int n) {
  const int df = n - 2;
  // No test without a finite r or without degrees of freedom (a constant column, two points).
  if (!std::isfinite(r) || df < 1) return "p=undefined";
  const double r2 = r * r;
  const double p = r2 >= 1 ? 0 : 2 * TUpperP(df, std::fabs(r) * std::sqrt(df / (1 - r2)));
  if (p < 0.0001) return "p<0.0001**";
  if (p < 0.01) return GraphFormat("p=%.6f**", p);
  if (p < 0.05) return GraphFormat("p=%.6f*", p);
  return GraphFormat("p=%.6f", p);
}

// ---- Drawing -------------------------------------------------------------------------------

namespace {

struct Mapper {
  Rect area;
  double xmin, xmax, ymin, ymax;
  double width, height;
  double Px(double x) const {
    return ClampCoordinate(area.left + (x - xmin) * (area.right - area.left) / (xmax - xmin), width);
  }
  double Py(double y) const {
    return ClampCoordinate(area.top + (ymax - y) * (area.bottom - area.top) / (ymax - ymin), height);
  }
};

// The kind-1 line's part within the plot range. Its ends are moved back along the line to the
// range's top or bottom; a line that misses the range draws nothing, and a slope of 0 is a
// horizontal segment drawn only when the intercept is within the Y range.
bool ClipFittedLine(double a, double b, double xmin, double xmax, double ymin, double ymax, double& x1,
                    double& y1, double& x2, double& y2) {
  if (!std::isfinite(a) || !std::isfinite(b)) return false;  // a constant X has no line
  if (a == 0) {
    if (b < ymin || b > ymax) return false;
    x1 = xmin, x2 = xmax, y1 = y2 = b;
    return true;
  }
  // x where the line meets the range's bottom and top.
  const double at_low = (ymin - b) / a, at_high = (ymax - b) / a;
  const double lo = std::max(xmin, std::min(at_low, at_high));
  const double hi = std::min(xmax, std::max(at_low, at_high));
  if (!(lo <= hi)) return false;
  x1 = lo, y1 = std::clamp(a * lo + b, ymin, ymax);
  x2 = hi, y2 = std::clamp(a * hi + b, ymin, ymax);
  return true;
}

void DrawTicks(Canvas& canvas, const AxisTicks& ticks, bool horizontal, double axis, double half,
               const GraphFont& font, const Mapper& map) {
  auto tick = [&](double v, bool labelled) {
    if (horizontal) {
      const double px = map.Px(v);
      canvas.DrawLine(px, axis - half, px, axis + half);
      if (v == 0) {
        canvas.DrawText(px + half, axis + half, "0", TextAlign::kLeft);
      } else if (labelled) {
        canvas.DrawText(px, axis + half, FormatFixed2(v), TextAlign::kCenter);
      }
    } else {
      const double py = map.Py(v);
      canvas.DrawLine(axis - half, py, axis + half, py);
      if (v == 0) {
        canvas.DrawText(axis + half, py, "0", TextAlign::kLeft);
      } else if (labelled) {
        canvas.DrawText(axis + half, py - font.line / 2, FormatFixed2(v), TextAlign::kLeft);
      }
    }
  };
  for (std::size_t i = 0; i < ticks.up.size(); ++i)
    tick(ticks.up[i], ticks.has_up_label && i + 1 == ticks.up.size());
  for (std::size_t i = 0; i < ticks.down.size(); ++i)
    tick(ticks.down[i], ticks.has_down_label && i + 1 == ticks.down.size());
}

}  // namespace

std::string DrawScatterPlot(Canvas& canvas, const CORVELDoc& doc, ScatterSettings& s, const GraphCall& call) {
  const Fonts fonts = MeasureFonts(canvas, s, call);
  const Rect area = AreaFromFonts(fonts, call);
  const Mapper map{area, s.x.min, s.x.max, s.y.min, s.y.max, call.width, call.height};
  const bool usable = s.x.max != s.x.min && s.y.max != s.y.min;

  canvas.SetPen(Pen{GraphColor(s.area_outline, colors::kWhite), s.area_weight});
  canvas.SetBrush(Brush{GraphColor(s.area_fill, colors::kWhite), false});
  canvas.DrawRect(area);

  // The axes stand at zero when zero is inside the range, else at the nearer edge.
  double y_axis_x = area.left, x_axis_y = area.bottom;
  if (usable) {
    y_axis_x = s.x.max > 0 && s.x.min < 0 ? map.Px(0) : s.x.min >= 0 ? area.left : area.right;
    x_axis_y = s.y.max > 0 && s.y.min < 0 ? map.Py(0) : s.y.min >= 0 ? area.bottom : area.top;
  }
  canvas.SetPen(Pen{GraphColor(s.y.color, colors::kBlack), s.y.weight});
  canvas.SetFont(fonts.y.shape);
  canvas.DrawLine(y_axis_x, area.bottom, y_axis_x, area.top);
  canvas.SetFont(fonts.x.shape);
  canvas.DrawText(y_axis_x + fonts.x.char_width / 2, area.top - fonts.x.line, "Y", TextAlign::kLeft);
  canvas.SetPen(Pen{GraphColor(s.x.color, colors::kBlack), s.x.weight});
  canvas.DrawLine(area.left, x_axis_y, area.right, x_axis_y);
  canvas.DrawText(area.right + fonts.x.char_width / 2, x_axis_y - fonts.x.line / 2, "X", TextAlign::kLeft);

  if (usable) {
    const int xc = doc.TwoGroupX(), yc = doc.TwoGroupY();
    const double m = call.Printing() ? fonts.x.char_width * s.marker_size / 4 : s.marker_size;
    canvas.SetPen(Pen{GraphColor(s.marker_foreground, colors::kBlack), 1});
    canvas.SetBrush(Brush{GraphColor(s.marker_background, colors::kBlack), false});
    const bool circle = s.marker_style == "Circle";
    for (int r = 1; r < doc.RowCount(); ++r) {
      if (!doc.IsNumeric(xc, r) || !doc.IsNumeric(yc, r)) continue;
      const double px = map.Px(doc.Value(xc, r)), py = map.Py(doc.Value(yc, r));
      const Rect box{px - m, py - m, px + m, py + m};
      if (circle) {
        canvas.DrawEllipse(box);
      } else {
        canvas.DrawRect(box);
      }
    }

    canvas.SetPen(Pen{GraphColor(s.x.color, colors::kBlack), s.x.weight});
    canvas.SetFont(fonts.x.shape);
    DrawTicks(canvas, ComputeAxisTicks(s.x.min, s.x.max, s.x.scale), true, x_axis_y, fonts.x.char_width / 2,
              fonts.x, map);
    canvas.SetPen(Pen{GraphColor(s.y.color, colors::kBlack), s.y.weight});
    canvas.SetFont(fonts.y.shape);
    DrawTicks(canvas, ComputeAxisTicks(s.y.min, s.y.max, s.y.scale), false, y_axis_x, fonts.x.char_width / 2,
              fonts.y, map);
  }

  // The regression overlay: a refused transform turns the kind to 0 for good.
  std::string refusal;
  ScatterFit fit;
  if (s.regression != kScatterNone) {
    fit = FitScatterRegression(doc, s.regression);
    if (!fit.refusal.empty()) {
      refusal = fit.refusal;
      s.regression = kScatterNone;
    }
  }
  const int kind = s.regression;
  if (kind != kScatterNone && usable) {
    canvas.SetPen(Pen{GraphColor(s.regression_color, colors::kBlack), s.regression_weight});
    if (kind == kScatterLine) {
      double x1, y1, x2, y2;
      if (ClipFittedLine(fit.slope, fit.intercept, s.x.min, s.x.max, s.y.min, s.y.max, x1, y1, x2, y2))
        canvas.DrawLine(map.Px(x1), map.Py(y1), map.Px(x2), map.Py(y2));
    } else {
      const double d = (s.x.max - s.x.min) / 500;
      const bool skip_zero = kind == kScatterLog10 || kind == kScatterLn || kind == kScatterReciprocal;
      auto in_range = [&](double v) { return std::isfinite(v) && v >= s.y.min && v <= s.y.max; };
      for (int i = 0; i < 500; ++i) {
        const double x = s.x.max - i * d, x2 = x - d;
        if (skip_zero && (std::fabs(x) < 1e-28 || std::fabs(x2) < 1e-28)) continue;
        const double y1 = fit.At(kind, x), y2 = fit.At(kind, x2);
        if (in_range(y1) && in_range(y2)) canvas.DrawLine(map.Px(x), map.Py(y1), map.Px(x2), map.Py(y2));
      }
    }
  }

  const GraphFont legend = UseGraphFont(canvas, s.regression_font, s.regression_font_size, call);
  const double line = call.ToFile() ? 1.5 * s.regression_font_size : legend.line;
  const double offset = call.Printing() ? 0 : 20;
  canvas.SetPen(Pen{colors::kBlack, 1});
  std::vector<std::string> lines{
      GraphFormat("X : Col%d %s", doc.TwoGroupX(), std::string(doc.Text(doc.TwoGroupX(), 0)).c_str()),
      GraphFormat("Y : Col%d %s", doc.TwoGroupY(), std::string(doc.Text(doc.TwoGroupY(), 0)).c_str())};
  if (kind == kScatterNone) {
    lines.push_back(GraphFormat("X-axis scale : %.2f", s.x.scale));
    lines.push_back(GraphFormat("Y-axis scale : %.2f", s.y.scale));
  } else {
    lines.push_back(GraphFormat("X-axis Scale : %.2f", s.x.scale));
    lines.push_back(GraphFormat("Y-axis Scale : %.2f", s.y.scale));
    lines.push_back(ScatterEquation(kind, fit.slope, fit.intercept));
    // A constant column has no r: said in words rather than as "nan".
    lines.push_back(std::isfinite(fit.r) ? GraphFormat("Correlation Coefficient r=%.6f", fit.r)
                                         : std::string("Correlation Coefficient r=undefined"));
    lines.push_back(std::isfinite(fit.r) ? GraphFormat("Contribution Ratio r^2=%.6f", fit.r * fit.r)
                                         : std::string("Contribution Ratio r^2=undefined"));
    lines.push_back("[Two-sided Test]");
    lines.push_back(ScatterPLine(fit.r, fit.n));
  }
  for (std::size_t k = 0; k < lines.size(); ++k)
    canvas.DrawText(0, static_cast<double>(k + 1) * line + offset, lines[k], TextAlign::kLeft);

  canvas.SetFont(fonts.title.shape);
  canvas.DrawText(call.width / 2, fonts.title.line / 2 + call.TopOffset(), s.title, TextAlign::kCenter);
  return refusal;
}

}  // namespace orvel
