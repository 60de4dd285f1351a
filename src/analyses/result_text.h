// How every analysis writes to the result text: printf-style report lines, the significance
// marks, the listing of a column's data and the list of skipped rows.
//
// A statistic without a finite value (a division by zero, too few values) is printed as the
// word "undefined", right-aligned in the field width its format asks for, instead of the C
// library's "nan" or "inf" spellings. FormatReport is the one place that rule lives.
#pragma once

#include <string>

#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {

// The text printed in place of a non-finite number.
inline constexpr const char* kUndefinedNumber = "undefined";

// printf-style formatting ("C" locale rules for numbers) with the non-finite rule above.
std::string FormatReport(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends one formatted piece of a report to the document's result text.
void AppendReport(CORVELDoc& doc, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The significance mark of a p-value: "**" below 0.01 (and below 0.0001), "*" below 0.05,
// else nothing.
const char* SignificanceMark(double p);
// The p-value as a report shows it: "p<0.0001" below 0.0001, otherwise `number_format`
// (for example "p=%.6f" or "p=%5.4f") applied to p.
std::string PValueText(double p, const char* number_format = "p=%.6f");
// The p-value followed by its mark, as most reports end a test line: "p=0.012345*".
std::string PValueWithMark(double p, const char* number_format = "p=%.6f");

// "\nCol%d : %s\n" and the cells of rows 1 .. the column's last row with text, ten to a line.
// With a view, the listing ends at the last kept row with text.
void ListColumnData(CORVELDoc& doc, int column);
void ListColumnData(CORVELDoc& doc, const CRowView& rows, int column);
// The rows the view left out for this run, if any.
void ListSkippedRows(CORVELDoc& doc, const CRowView& rows);

}  // namespace orvel
