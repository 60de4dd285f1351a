// Printing of the shown pane: how many pages it takes and what each page holds, drawn on the
// canvas so that the layout is tested without a printer. The front end supplies the printable
// area of its printer and draws page after page.
//
// The result prints 50 lines to a page, drawn with the result pane's tab stops. The sheet
// prints its columns that hold numbers, three to a page: each column is a line
// "Col%2d : LABEL" followed by its cells of rows 1 and up, ten to a line, each text followed by
// ",". The twoway grid and the graph panes print one page.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/canvas.h"
#include "sheet/orvel_doc.h"

namespace orvel {

struct GraphCall;  // graph/graph_common.h

// The printable area of a page in device units, and the device's resolution.
struct PrintPageGeometry {
  double width = 0, height = 0;
  double dots_per_inch = 600;
};

inline constexpr int kPrintLinesPerPage = 50;
inline constexpr int kPrintSheetColumnsPerPage = 3;
inline constexpr int kPrintCellsPerLine = 10;

// Both panes print in "Century" 10 pt.
FontChoice PrintFont();
// The left margin: 200 units of a 600-dpi printer, a third of an inch, kept at that width on
// printers of other resolutions (and on the PDF writer and the preview).
double PrintLeftMargin(const PrintPageGeometry& page);

// Lines of the result text, as the result pane counts them: a line end ("\n", "\r\n" or a lone
// "\r") closes a line; the text after the last line end is one more line when it is not empty.
std::size_t ResultPrintLineCount(std::string_view text);

// The columns 0..100 with at least one numeric cell in rows 1 and up, left to right.
std::vector<int> PrintedSheetColumns(const CORVELDoc& doc);

// The sheet's printed lines, page by page (at least one page). Every group of three printed
// columns starts a page; a blank line separates the columns of a page. A group longer than a
// page goes on over as many pages as it needs, so that no cell is lost.
std::vector<std::vector<std::string>> SheetPrintPages(const CORVELDoc& doc);

// What the pane of the document's display mode prints, laid out when made. The document must
// not change while the printout is in use (the print dialogs are modal).
class Printout {
 public:
  // Draws the graph on display (the view holds its settings); the page of a graph mode
  // without one stays empty.
  using GraphDrawer = std::function<void(Canvas&, const GraphCall&)>;
  explicit Printout(const CORVELDoc& doc, GraphDrawer graph = {});

  int PageCount() const;
  // Draws page `page` (1 .. PageCount()) with its top left corner at the canvas origin; a page
  // out of range draws nothing.
  void DrawPage(Canvas& canvas, const PrintPageGeometry& geometry, int page) const;

 private:
  enum class Kind { kSheet, kResult, kOnePage };
  void DrawResultPage(Canvas& canvas, const PrintPageGeometry& geometry, int page) const;
  void DrawSheetPage(Canvas& canvas, const PrintPageGeometry& geometry, int page) const;

  Kind kind_;
  GraphDrawer graph_;
  std::string_view result_text_;
  std::vector<std::size_t> result_starts_;  // the start of every printed result line
  std::vector<std::vector<std::string>> sheet_pages_;
};

}  // namespace orvel
