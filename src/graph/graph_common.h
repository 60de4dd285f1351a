// What every graph kind shares: the three call patterns, colour names, the default axis range
// and scale derived from a column, fonts measured with or without device metrics, and the
// clamping of coordinates before they reach a device.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/canvas.h"

namespace orvel {

// How a graph is being drawn. Screen: the client area, the header band of one screen line on
// top. Printer: the page's drawing rectangle, no band. File (and clipboard): 600 x 450 without
// device metrics, no band.
struct GraphCall {
  double width = 600;
  double height = 450;
  double header = 0;             // the header band's height (added only on screen)
  bool on_screen_or_file = true;
  bool no_device_metrics = true;

  bool OnScreen() const { return on_screen_or_file && !no_device_metrics; }
  bool Printing() const { return !on_screen_or_file; }
  bool ToFile() const { return on_screen_or_file && no_device_metrics; }
  // The vertical offset of everything: the header band on screen, nothing elsewhere.
  double TopOffset() const { return OnScreen() ? header : 0; }

  static GraphCall Screen(double w, double h, double header) { return {w, h, header, true, false}; }
  static GraphCall Printer(double w, double h, double header) { return {w, h, header, false, false}; }
  static GraphCall File(double header = 16) { return {600, 450, header, true, true}; }
};

inline constexpr double kGraphFileWidth = 600;
inline constexpr double kGraphFileHeight = 450;
inline constexpr const char* kGraphBandPrompt = "Esc : Data Sheet  Double Click : Edit Graph";

// The colour of a settings name ("Red", "Default", ...); an unknown name ("None") gives
// `fallback`.
Color GraphColor(std::string_view name, Color fallback);

// The choice lists of the settings pages.
const std::vector<std::string>& AxisColorChoices();     // Black, Red, Green, Blue
const std::vector<std::string>& MarkerColorChoices();   // Black, White, Red, Green, Blue
const std::vector<std::string>& AreaColorChoices();     // None, Black, Red, Green, Blue, Default
const std::vector<std::string>& FontChoices();          // Century, Arial

// The default range and scale of an axis from the column's largest and smallest value:
// R = 1.2 max(|largest|, |smallest|), the range -R .. R and the scale from R's digit exponent,
// each rounded as its settings text shows it ("%.2f" for the range, "%f" for the scale).
// All values zero (R = 0) gives -1 .. 1 with the scale 0.1.
struct AxisDefault {
  double max_setting = 1;
  double min_setting = -1;
  double scale = 0.1;
};
AxisDefault DefaultAxisRange(double largest, double smallest);

// A number as its settings text and back, so a default behaves exactly like the same text typed
// into the sheet.
std::string FormatFixed2(double v);   // "%.2f"
std::string FormatScale(double v);    // "%f"
double ParseSetting(std::string_view text);  // strtod of the leading number, 0 when none

// printf into a std::string.
std::string GraphFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A font and its measures for one graph: on a device the canvas answers; without device metrics
// the line height is the point size and a character is half of it wide.
struct GraphFont {
  FontChoice shape;
  double line = 0;
  double char_width = 0;
};
GraphFont UseGraphFont(Canvas& canvas, const std::string& family, double points, const GraphCall& call);

// Keeps a coordinate within a few times the drawing area, so extreme settings never overflow a
// device's coordinate range (and a NaN becomes the area's edge, never reaching the device).
double ClampCoordinate(double v, double extent);

// The ticks of an axis with step s on [min, max]: k s for the integers k with min < k s <= max
// going up from 0 and min <= k s < max going down from -s. The last tick of each direction is
// the one that is labelled. At most `limit` ticks are listed in each direction (the labelled
// one always among them), so a tiny step never makes a drawing endless.
struct AxisTicks {
  std::vector<double> up;     // 0, s, 2s, ... (only those > min)
  std::vector<double> down;   // -s, -2s, ... (only those < max)
  bool has_up_label = false;  // the last of `up` is labelled
  bool has_down_label = false;
};
AxisTicks ComputeAxisTicks(double min, double max, double step, int limit = 4000);

}  // namespace orvel
