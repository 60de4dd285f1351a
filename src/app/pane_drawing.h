// Drawing of the sheet pane and the result pane on a canvas, and the scroll-bar arithmetic of
// both. The front end clears an off-screen image to white, calls these, and shows the image.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/canvas.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// The light-grey band across the top of the result pane with its key prompt.
inline constexpr double kResultBandHeight = 20;
inline constexpr const char* kResultBandPrompt = "Esc : Data Sheet  ARROW KEY : Scroll";

// The view's two fonts: the sheet's and the result pane's.
FontChoice SheetFont();
FontChoice ResultFont();

// Draws the sheet: headers, cells, grid and the selection. Only the visible cells are visited,
// so the cost depends on the window, not on the number of rows.
void DrawSheetPane(Canvas& canvas, const CORVELDoc& doc);

// Where each line of a result text starts. Lines end at "\n", at "\r\n" and at a lone "\r".
// The index is kept between paints: it is rebuilt when the text's size changes (extended from
// its last line when the text grew) or after Invalidate(), which the front end calls whenever a
// command may have replaced the text.
class ResultLineIndex {
 public:
  void Invalidate() { valid_ = false; }
  // The byte offset of the first character of every line (at least one line).
  const std::vector<std::size_t>& Lines(std::string_view text);

 private:
  void ScanFrom(std::string_view text, std::size_t from);
  std::vector<std::size_t> starts_{0};
  std::size_t size_ = 0;
  bool valid_ = false;
};

// Width of a run in average character widths: one for each ASCII or half-width katakana
// character, two for any other character (as the legacy code page counts bytes).
std::size_t ResultRunCells(std::string_view run);

// Draws one line of a result text (without its line end) with its top at `y`: runs between tabs
// at the current x, each tab moving on to the next of the ten stops at x0 + 8 w, x0 + 16 w, ...
// (w the average character width). Runs at or beyond `right_edge` are not drawn. The pane and
// the printed pages share these rules.
void DrawResultLine(Canvas& canvas, std::string_view line, double x0, double y, double w, double right_edge);

// Draws the result text with its tab stops at 8, 16, ... 80 average character widths from the
// line start, then the header band. `index` may be shared between paints to skip the lines
// above the window without reading them; without one a local index is built.
void DrawResultPane(Canvas& canvas, const CORVELDoc& doc, ResultLineIndex* index = nullptr);

// Scroll-bar positions (0-100) for an offset: the sheet's full ranges are 1720 pixels across
// and 10000 down, the result pane's 430 and 4000. At or beyond the full range the bar is at 100.
inline constexpr double kSheetScrollRangeX = 1720, kSheetScrollRangeY = 10000;
inline constexpr double kResultScrollRangeX = 430, kResultScrollRangeY = 4000;
int ScrollBarPosition(double offset, double full_range);
// The offset for a scroll-bar position the user dragged to.
double ScrollOffsetForPosition(int position, double full_range);

}  // namespace orvel
