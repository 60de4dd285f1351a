// Conversion of previous-format macro files (".ovx") into the current statement syntax.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

struct MacroConversion {
  std::string text;
  // 1-based numbers of the lines that could not be converted; they are left as they were.
  std::vector<int> unconverted_lines;
};

// Converts the text line by line and statement by statement: "message=Hello;" becomes
// "message(\"Hello\");", "cell(2,3)=12.5;" becomes "cell(2,3)=\"12.5\";",
// "settwofactorlabela(1,Male)" becomes "settwofactorlabela(1,\"Male\");", a bare "pairedt;"
// becomes "pairedt();"; every statement of a line is converted. Only the "=" after "message"
// or after the cell's coordinates and only the first "," of a label call are replaced, so the
// texts keep their own "=" and ",". Converted lines end in LF; other lines keep their own line
// end. A line that cannot be converted (a statement without its ";" or ")", a text holding a
// double quote, which a string cannot hold) is left unchanged and listed. A comment ("//" to
// the end of the line) is kept as it is. Nothing is ever cut.
MacroConversion ConvertPreviousMacro(std::string_view text);

// The message that ends a conversion: completion, or the lines left unconverted.
std::string ConversionMessage(const MacroConversion& conversion);

}  // namespace orvel
