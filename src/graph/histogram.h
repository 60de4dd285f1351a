// The histogram of one column (display mode 2): its settings, the defaults derived from the
// column, the class counts, the checks of the settings sheet and the drawing.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "sheet/orvel_doc.h"

namespace orvel {

struct HistogramAxis {
  std::string color = "Black";
  int weight = 1;
  std::string font = "Century";
  int font_size = 10;
};

struct HistogramSettings {
  int column = 1;
  std::string title;
  std::string title_font = "Century";
  int title_size = 12;
  HistogramAxis x, y;
  bool y_right = false;   // the Y axis on the right edge instead of the left
  int y_max = 1;          // a count
  int y_scale = 1;        // the tick step, a count
  int classes = 5;        // k, 5-20
  double max_setting = 1;
  double min_setting = 0;
  std::string bar_color = "Blue";
  int bar_width = 90;     // per cent of a class's width
  std::string area_outline = "Default";
  int area_weight = 1;
  std::string area_fill = "Default";
};

const std::vector<std::string>& HistogramBarColorChoices();  // Gray, Black, Red, Green, Blue

// The classes a column of n numeric values gets: floor(sqrt n) + 1, above 20 ten, below 5 five.
int DefaultClassCount(int n);

// The maximum and minimum settings for k classes: max + w/2 and min - w/2, w = (max - min)/(k - 1).
void ClassRangeSettings(double largest, double smallest, int k, double& max_setting, double& min_setting);

// How many numeric values of the column fall in each of k equal classes over [min, max]: class i
// holds min + i c <= v < min + (i + 1) c, the last one is closed on the right (v <= max).
std::vector<int> CountClasses(const CORVELDoc& doc, int column, int k, double min, double max);

// The sheet's pre-filled settings for the column (title, Y range and scale, classes, range).
HistogramSettings DefaultHistogramSettings(const CORVELDoc& doc, int column);

// The title preset: "Histogram of Col%d (%s)", or "Histogram of Col%d" without a label.
std::string DefaultHistogramTitle(const CORVELDoc& doc, int column);

// The range check of OK: the column's values must lie within the settings. Empty when they do,
// else the message (the command's and the re-edit sheet's texts differ).
std::string CheckHistogramRange(const CORVELDoc& doc, const HistogramSettings& s, bool reedit);

// A number as a settings text that reads back as the same double ("10.7625", not a rounded
// "%.2f" that could put the data's extreme outside the range).
std::string FormatExactSetting(double v);

// The drawing's frame: the plot area after the widths are made whole classes and counts.
struct HistogramLayout {
  Rect area;
  double class_width = 0;   // pixels per class
  double count_height = 0;  // pixels per count
};
HistogramLayout HistogramPlotLayout(Canvas& canvas, const HistogramSettings& s, const GraphCall& call);

void DrawHistogram(Canvas& canvas, const CORVELDoc& doc, const HistogramSettings& s, const GraphCall& call);

}  // namespace orvel
