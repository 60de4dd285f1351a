// The scatter plot of X against Y (the Oneway Two Groups columns): its settings, the defaults
// derived from the data, the checks of the settings sheet, the layout, and the drawing with
// one of eight regression overlays.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "sheet/orvel_doc.h"

namespace orvel {

struct ScatterAxis {
  std::string color = "Black";
  int weight = 1;
  std::string font = "Century";
  int font_size = 10;
  double max = 1;
  double min = -1;
  double scale = 0.1;
};

// Regression kinds 0-7 in the order of the sheet's radio buttons.
enum ScatterRegression {
  kScatterNone = 0,
  kScatterLine = 1,        // y=a*x+b
  kScatterLog10 = 2,       // y=a*log(x)+b
  kScatterLn = 3,          // y=a*ln(x)+b
  kScatterPower = 4,       // y=a*x^b
  kScatterExp10 = 5,       // y=a*10^(bx)
  kScatterExp = 6,         // y=a*exp(bx)
  kScatterReciprocal = 7,  // y=a*(1/x)+b
};
const std::vector<std::string>& ScatterRegressionChoices();

struct ScatterSettings {
  std::string title = "Scatter Plot";
  std::string title_font = "Century";
  int title_size = 12;
  ScatterAxis x, y;
  std::string marker_style = "Square";
  int marker_size = 2;
  std::string marker_foreground = "Blue";
  std::string marker_background = "Blue";
  int regression = kScatterLine;
  std::string regression_color = "Blue";
  int regression_weight = 1;
  std::string regression_font = "Century";
  int regression_font_size = 8;
  std::string area_outline = "Default";
  int area_weight = 1;
  std::string area_fill = "Default";
};

// X and Y are paired: every row numeric in both or in neither, and X has more than one
// numeric value.
bool ScatterDataPaired(const CORVELDoc& doc);

// The sheet's pre-filled settings: each axis -R .. R with its scale from the column.
ScatterSettings DefaultScatterSettings(const CORVELDoc& doc);

// The read-only "Maximum Value" / "Minimum Value" texts of an axis page ("%.2f").
std::string ColumnMaximumText(const CORVELDoc& doc, int column);
std::string ColumnMinimumText(const CORVELDoc& doc, int column);

// The checks of the command's sheet on OK, in order; an empty text when all pass.
std::string CheckScatterSettings(const ScatterSettings& s);
// The checks of the re-edit sheet opened by a double click.
std::string CheckScatterReedit(const ScatterSettings& s);
// What OK stores: a minimum above the maximum is swapped, a negative scale made positive.
void NormalizeScatterSettings(ScatterSettings& s);

// The plot area of a call: a square, centred across a landscape area, down a portrait one.
Rect ScatterPlotArea(Canvas& canvas, const ScatterSettings& s, const GraphCall& call);

// The fitted overlay of a kind on the present X and Y, or the refusal of its transform.
struct ScatterFit {
  std::string refusal;  // non-empty: the message; nothing is fitted
  int n = 0;            // numeric X values
  double slope = 0, intercept = 0, r = 0;
  // The curve's value at x in data units (NaN outside its domain).
  double At(int kind, double x) const;
};
ScatterFit FitScatterRegression(const CORVELDoc& doc, int kind);
// The equation line of the legend.
std::string ScatterEquation(int kind, double slope, double intercept);
// The p line of the legend: two-sided test of r with n - 2 degrees of freedom.
std::string ScatterPLine(double r, int n);

// Draws the scatter plot. When the stored kind's transform is refused, the kind becomes 0
// (the legend without a curve is drawn) and the message is returned for the caller to show;
// otherwise the result is empty.
std::string DrawScatterPlot(Canvas& canvas, const CORVELDoc& doc, ScatterSettings& s, const GraphCall& call);

}  // namespace orvel
