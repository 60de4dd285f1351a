// The twoway-data grid: its geometry, what a click hits, and the two dialogs a
// click opens.
//
// The top row holds the B labels and the left column the A labels; the cell of A level a and
// B level b holds the column with that level pair's data. Every part is 86 pixels wide and 45
// high; the label row starts at y = 67 and the label column at x = 43, both shifted by the
// pane's scroll offsets (the document's graph offsets, zeroed when the grid is entered).
#pragma once

#include <string>

#include "app/canvas.h"
#include "app/dialogs.h"
#include "sheet/orvel_doc.h"

namespace orvel {

inline constexpr double kTwowayGridLeft = 43;
inline constexpr double kTwowayGridTop = 67;
inline constexpr double kTwowayCellWidth = 86;
inline constexpr double kTwowayCellHeight = 45;
// Scrolling stops with the last B level at the label column's place and the last A level at
// the label row's place.
inline constexpr double kTwowayScrollRangeX = kTwowayCellWidth * kTwowayBLevels;
inline constexpr double kTwowayScrollRangeY = kTwowayCellHeight * kTwowayALevels;
inline constexpr const char* kTwowayBandPrompt = "Esc : Data Sheet  Delete : Initialize Settings ARROW KEY : Scroll";
inline constexpr const char* kTwowayClickRefusal = "Click the cell you would like to set data in.";

// What a point of the pane hits. Levels count from 1; a label of A has b_level 0, a label of
// B has a_level 0.
struct TwowayGridHit {
  enum Kind { kOutside, kCell, kLabelA, kLabelB };
  Kind kind = kOutside;
  int a_level = 0;
  int b_level = 0;
  bool operator==(const TwowayGridHit&) const = default;
};

// The part under pane point (x, y) with the given scroll offsets. Points above or left of the
// grid, beyond A level 10 or B level 25, on the corner where the label row meets the label
// column, and under the key-prompt band across the top are outside.
TwowayGridHit TwowayGridHitTest(double x, double y, double scroll_x, double scroll_y);

// The rectangle of A level a (0: the label row) and B level b (0: the label column) on the pane.
Rect TwowayGridPart(int a, int b, double scroll_x, double scroll_y);

// Draws the grid: the B labels across the top row, the A labels down the left column, in each
// cell the number and name of its column, then the band with the grid's key prompt.
void DrawTwowayGridPane(Canvas& canvas, const CORVELDoc& doc);

// "Data Selection": the column of a grid cell, 0 for "None".
// Batch key: column=N (0..100).
class DataSelectionDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Data Selection";
  static constexpr const char* kPrompt = "Select a Column.";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  int column = 0;
};

// "Label Name": the label of a factor level.
// Batch key: label=TEXT. A label goes into the recorded macro between double quotes, so it
// may not hold a double quotation mark or a line break.
class LabelNameDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Label Name";
  static constexpr const char* kPrompt = "Name the label.";
  static constexpr const char* kBadLabel = "A label cannot hold a double quotation mark or a line break.";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  std::string label;
};

}  // namespace orvel
