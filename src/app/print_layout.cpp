#include "app/print_layout.h"

#include <utility>

#include "graph/graph_common.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "app/pane_drawing.h"

namespace orvel {

namespace {
constexpr double kLeftMarginUnits = 200;
constexpr double kLeftMarginReferenceDpi = 600;

// A page's line pitch: the page height divided into its 50 lines.
double PrintLineHeight(const PrintPageGeometry& page) { return page.height / kPrintLinesPerPage; }

std::size_t PageCountFor(std::size_t items, std::size_t per_page) {
  return std::max<std::size_t>(1, (items + per_page - 1) / per_page);
}

// The lines of one printed column: its heading, then its cells ten to a line.
void AppendColumnLines(const CORVELDoc& doc, int c, std::vector<std::string>& lines) {
  char heading[32];
  std::snprintf(heading, sizeof heading, "Col%2d : ", c);
  lines.push_back(std::string(heading).append(doc.Text(c, 0)));
  const int last = doc.LastNonEmptyRow(c);
  std::string line;
  int on_line = 0;
  for (int r = 1; r <= last; ++r) {
    line.append(doc.Text(c, r)).push_back(',');
    if (++on_line == kPrintCellsPerLine) {
      lines.push_back(std::move(line));
      line.clear();
      on_line = 0;
    }
  }
  if (on_line > 0) lines.push_back(std::move(line));
}
}  // namespace

FontChoice PrintFont() { return {"Century", 10, false}; }

double PrintLeftMargin(const PrintPageGeometry& page) {
  const double dpi = page.dots_per_inch > 0 ? page.dots_per_inch : kLeftMarginReferenceDpi;
  return kLeftMarginUnits * dpi / kLeftMarginReferenceDpi;
}

std::size_t ResultPrintLineCount(std::string_view text) {
  ResultLineIndex index;
  const std::vector<std::size_t>& starts = index.Lines(text);
  // The start after the last line end opens a line only when text follows it.
  return starts.back() == text.size() ? starts.size() - 1 : starts.size();
}

std::vector<int> PrintedSheetColumns(const CORVELDoc& doc) {
  std::vector<int> columns;
  for (int c = 0; c <= kLastColumn; ++c)
    if (doc.Count(c) > 0) columns.push_back(c);
  return columns;
}

std::vector<std::vector<std::string>> SheetPrintPages(const CORVELDoc& doc) {
  const std::vector<int> columns = PrintedSheetColumns(doc);
  std::vector<std::vector<std::string>> pages;
  for (std::size_t first = 0; first < columns.size(); first += kPrintSheetColumnsPerPage) {
    std::vector<std::string> group;
    const std::size_t end = std::min(columns.size(), first + kPrintSheetColumnsPerPage);
    for (std::size_t i = first; i < end; ++i) {
      if (i > first) group.emplace_back();
      AppendColumnLines(doc, columns[i], group);
    }
    for (std::size_t top = 0; top < group.size(); top += kPrintLinesPerPage) {
      const std::size_t bottom = std::min(group.size(), top + kPrintLinesPerPage);
      pages.emplace_back(std::make_move_iterator(group.begin() + static_cast<std::ptrdiff_t>(top)),
                         std::make_move_iterator(group.begin() + static_cast<std::ptrdiff_t>(bottom)));
    }
  }
  if (pages.empty()) pages.emplace_back();
  return pages;
}

Printout::Printout(const CORVELDoc& doc, GraphDrawer graph)
    : kind_(doc.DisplayMode == DisplayKind::kDataSheet ? Kind::kSheet
            : doc.DisplayMode == DisplayKind::kResult  ? Kind::kResult
                                                       : Kind::kOnePage),
      graph_(std::move(graph)) {
  if (kind_ == Kind::kSheet) {
    sheet_pages_ = SheetPrintPages(doc);
  } else if (kind_ == Kind::kResult) {
    result_text_ = doc.ResultText;
    ResultLineIndex index;
    result_starts_ = index.Lines(result_text_);
    // The start after the last line end opens a line only when text follows it.
    if (result_starts_.back() == result_text_.size()) result_starts_.pop_back();
  }
}

int Printout::PageCount() const {
  switch (kind_) {
    case Kind::kSheet: return static_cast<int>(sheet_pages_.size());
    case Kind::kResult: return static_cast<int>(PageCountFor(result_starts_.size(), kPrintLinesPerPage));
    case Kind::kOnePage: return 1;
  }
  return 1;
}

void Printout::DrawPage(Canvas& canvas, const PrintPageGeometry& geometry, int page) const {
  if (page < 1 || page > PageCount()) return;
  canvas.SetFont(PrintFont());
  canvas.SetPen({colors::kBlack, 1});
  switch (kind_) {
    case Kind::kSheet: DrawSheetPage(canvas, geometry, page); break;
    case Kind::kResult: DrawResultPage(canvas, geometry, page); break;
    // A graph fills the page's drawing rectangle, its header the printer font's line; the
    // twoway grid has no drawing of its own on paper yet: its page stays empty.
    case Kind::kOnePage:
      if (graph_) graph_(canvas, GraphCall::Printer(geometry.width, geometry.height, canvas.Metrics().height));
      break;
  }
}

void Printout::DrawResultPage(Canvas& canvas, const PrintPageGeometry& geometry, int page) const {
  const double w = canvas.Metrics().average_char_width;
  const double pitch = PrintLineHeight(geometry);
  const double x0 = PrintLeftMargin(geometry);
  const std::size_t first = static_cast<std::size_t>(page - 1) * kPrintLinesPerPage;
  const std::size_t end = std::min(result_starts_.size(), first + kPrintLinesPerPage);
  for (std::size_t k = first; k < end; ++k) {
    std::size_t stop = k + 1 < result_starts_.size() ? result_starts_[k + 1] : result_text_.size();
    // Leave out the line end.
    if (stop > result_starts_[k] && result_text_[stop - 1] == '\n') --stop;
    if (stop > result_starts_[k] && result_text_[stop - 1] == '\r') --stop;
    const std::string_view line = result_text_.substr(result_starts_[k], stop - result_starts_[k]);
    DrawResultLine(canvas, line, x0, pitch * static_cast<double>(k - first), w, geometry.width);
  }
}

void Printout::DrawSheetPage(Canvas& canvas, const PrintPageGeometry& geometry, int page) const {
  const double pitch = PrintLineHeight(geometry);
  const double x0 = PrintLeftMargin(geometry);
  const std::vector<std::string>& lines = sheet_pages_[static_cast<std::size_t>(page - 1)];
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (!lines[i].empty() && x0 < geometry.width) canvas.DrawText(x0, pitch * static_cast<double>(i), lines[i]);
}

}  // namespace orvel
