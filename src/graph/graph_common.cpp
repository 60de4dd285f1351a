#include "graph/graph_common.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace orvel {

Color GraphColor(std::string_view name, Color fallback) {
  if (name == "Red") return {255, 0, 0};
  if (name == "Green") return {0, 255, 0};
  if (name == "Blue") return {0, 0, 255};
  if (name == "White") return {255, 255, 255};
  if (name == "Black") return {0, 0, 0};
  if (name == "Default") return {192, 192, 192};
  if (name == "Yellow") return {255, 255, 0};
  return fallback;
}

const std::vector<std::string>& AxisColorChoices() {
  static const std::vector<std::string> v{"Black", "Red", "Green", "Blue"};
  return v;
}
const std::vector<std::string>& MarkerColorChoices() {
  static const std::vector<std::string> v{"Black", "White", "Red", "Green", "Blue"};
  return v;
}
const std::vector<std::string>& AreaColorChoices() {
  static const std::vector<std::string> v{"None", "Black", "Red", "Green", "Blue", "Default"};
  return v;
}
const std::vector<std::string>& FontChoices() {
  static const std::vector<std::string> v{"Century", "Arial"};
  return v;
}

std::string GraphFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
  va_end(args);
  return out;
}

std::string FormatFixed2(double v) { return GraphFormat("%.2f", v); }
std::string FormatScale(double v) { return GraphFormat("%f", v); }

double ParseSetting(std::string_view text) {
  const std::string s(text);
  const double v = std::strtod(s.c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

AxisDefault DefaultAxisRange(double largest, double smallest) {
  const double r = 1.2 * std::max(std::fabs(largest), std::fabs(smallest));
  // R = 0 (or not a number) has no digit exponent: a fixed unit range instead of log10(0).
  if (!(r > 0) || !std::isfinite(r)) return AxisDefault{1, -1, 0.1};
  const int e = static_cast<int>(std::floor(std::log10(r)));
  const double scale = e > 0 ? std::pow(10.0, e - 1) / 2 : std::pow(10.0, e) / 2;
  AxisDefault d;
  d.max_setting = ParseSetting(FormatFixed2(r));
  d.min_setting = ParseSetting(FormatFixed2(-r));
  d.scale = ParseSetting(FormatScale(scale));
  return d;
}

GraphFont UseGraphFont(Canvas& canvas, const std::string& family, double points, const GraphCall& call) {
  GraphFont f;
  f.shape.family = family;
  f.shape.point_size = points;
  canvas.SetFont(f.shape);
  if (call.no_device_metrics) {
    f.line = points;
    f.char_width = points / 2;
  } else {
    const FontMetrics m = canvas.Metrics();
    f.line = m.height;
    f.char_width = m.average_char_width;
  }
  return f;
}

double ClampCoordinate(double v, double extent) {
  const double reach = 4 * std::max(extent, 1.0);
  if (std::isnan(v)) return 0;
  return std::clamp(v, -reach, reach);
}

AxisTicks ComputeAxisTicks(double min, double max, double step, int limit) {
  AxisTicks t;
  step = std::fabs(step);
  if (!(step > 0) || !std::isfinite(step) || !std::isfinite(min) || !std::isfinite(max)) return t;
  // A relative tolerance keeps a tick that lands on the end by arithmetic (1.0 / 0.1).
  constexpr double kTolerance = 1e-9;
  if (max >= 0) {
    const double top = std::floor(max / step + kTolerance);
    const double bottom = std::max(0.0, std::floor(min / step + kTolerance) + 1);  // first k s > min
    if (top >= bottom) {
      if (top - bottom + 1 <= limit) {
        for (double k = bottom; k <= top; ++k) t.up.push_back(k * step);
      } else {
        // Too dense to see: the first and the labelled tick only.
        t.up.push_back(bottom * step);
        t.up.push_back(top * step);
      }
      t.has_up_label = true;
    }
  }
  if (min <= -step * (1 - kTolerance)) {
    const double deepest = std::floor(-min / step + kTolerance);                   // k s >= -min
    const double first = std::max(1.0, std::floor(-max / step + kTolerance) + 1);  // -k s < max
    if (deepest >= first) {
      if (deepest - first + 1 <= limit) {
        for (double k = first; k <= deepest; ++k) t.down.push_back(-k * step);
      } else {
        t.down.push_back(-first * step);
        t.down.push_back(-deepest * step);
      }
      t.has_down_label = true;
    }
  }
  return t;
}

}  // namespace orvel
