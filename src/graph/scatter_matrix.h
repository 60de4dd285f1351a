// The scatter-plot matrix (display mode 7): the explanatory variables of the multiple
// regression data drawn pairwise in an m x m grid, each variable's histogram on the diagonal.
#pragma once

#include <string>
#include <vector>

#include "app/canvas.h"
#include "graph/graph_common.h"
#include "sheet/orvel_doc.h"

namespace orvel {

inline constexpr const char* kGothicFont = "ＭＳ ゴシック";

struct ScatterMatrixSettings {
  std::string title = "Scatter plot matrix";
  std::string title_font = kGothicFont;
  int title_size = 12;
  std::string label_font = kGothicFont;
  int label_size = 10;
  std::string marker_color = "Blue";
  std::string histogram_color = "Blue";
  std::string area_outline = "Default";
  int area_weight = 1;
  std::string area_fill = "Default";
  // The user chose to skip the rows where some of the regression columns (Y and the
  // variables) are not numeric: every cell then draws the complete rows only.
  bool skip_incomplete_rows = false;
};

const std::vector<std::string>& ScatterMatrixFontChoices();  // ＭＳ ゴシック, Century, Arial

// The variables: the columns flagged as RegressionX, in column order.
std::vector<int> ScatterMatrixColumns(const CORVELDoc& doc);

// The command's data checks in order; empty when the data can be drawn.
std::string CheckScatterMatrixData(const CORVELDoc& doc);

// The grid's geometry for m variables: the plot square, and each cell's side.
struct ScatterMatrixLayout {
  Rect square;
  double cell = 0;         // the side s of a cell
  double line = 0;         // the label font's line height t
  double char_width = 0;   // its average character width w
  double title_line = 0;
  // Cell (i, j), 1-based: column i, row j.
  Rect Cell(int i, int j, int m) const;
};
ScatterMatrixLayout ScatterMatrixPlotLayout(Canvas& canvas, const ScatterMatrixSettings& s, int m,
                                            const GraphCall& call);

// The diagonal histogram of a variable's values: k classes over [min - h/2, max + h/2] with
// h = (max - min)/(k - 1); a variable without spread is one class holding every value.
std::vector<int> ScatterMatrixClassCounts(const std::vector<double>& values);

void DrawScatterMatrix(Canvas& canvas, const CORVELDoc& doc, const ScatterMatrixSettings& s, const GraphCall& call);

}  // namespace orvel
