// Conversion of previous-format macro files (".ovx") into the current statement syntax.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// Converts the text line by line: "message=Hello;" becomes "message(\"Hello\");",
// "cell(2,3)=12.5;" becomes "cell(2,3)=\"12.5\";", "settwofactorlabela(1,Male)" becomes
// "settwofactorlabela(1,\"Male\");", a bare "pairedt;" becomes "pairedt();". Converted lines end
// in LF; lines that need no conversion keep their own line end. Nothing is ever cut.
std::string ConvertPreviousMacro(std::string_view text);

}  // namespace orvel
