// The answers-file parser: either one malformed line with its number and reason, or answers
// in file order whose paths hold no NUL and whose dialogs have a title.
#include "batch/answers_file.h"
#include "fuzz/fuzz_support.h"

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const batch::ParsedAnswers parsed = batch::ParseAnswers(fuzz::AsText(data, size));
  if (parsed.error) {
    fuzz::Require(parsed.answers.empty(), "a malformed file gives no answers");
    fuzz::Require(parsed.error->line >= 1 && !parsed.error->reason.empty(), "a malformed line is named");
    return 0;
  }
  int previous = 0;
  for (const batch::Answer& a : parsed.answers) {
    fuzz::Require(a.line > previous, "answers come in file order, one a line");
    previous = a.line;
    if (a.kind == batch::Answer::Kind::kFile)
      fuzz::Require(!a.text.empty() && a.text.find('\0') == std::string::npos, "a path is not empty and holds no NUL");
    if (a.kind == batch::Answer::Kind::kDialog) fuzz::Require(!a.title.empty(), "a dialog answer has a title");
  }
  return 0;
}
