// The previous-format macro converter: no letter or digit of the input is lost or added, in
// order, and the lines it cannot convert are left byte for byte as they were.
#include <string>

#include "fuzz/fuzz_support.h"
#include "macro/macro_conversion.h"

using namespace orvel;

namespace {
std::string LettersAndDigits(std::string_view s) {
  std::string out;
  for (char c : s)
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out += c;
  return out;
}

// The 1-based line `number` of `text`, with its LF.
std::string_view Line(std::string_view text, int number) {
  for (int n = 1; n < number; ++n) text.remove_prefix(text.find('\n') + 1);
  const std::size_t lf = text.find('\n');
  return lf == std::string_view::npos ? text : text.substr(0, lf + 1);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const MacroConversion conversion = ConvertPreviousMacro(text);
  fuzz::Require(LettersAndDigits(conversion.text) == LettersAndDigits(text), "no letter or digit is lost");
  int previous = 0;
  for (int number : conversion.unconverted_lines) {
    fuzz::Require(number > previous, "unconverted lines are listed once, in order");
    previous = number;
    fuzz::Require(conversion.text.find(Line(text, number)) != std::string::npos,
                  "an unconverted line is kept as written");
  }
  fuzz::Require(!ConversionMessage(conversion).empty(), "the conversion ends with a message");
  // Converting the converted text again changes nothing more.
  const MacroConversion again = ConvertPreviousMacro(conversion.text);
  fuzz::Require(LettersAndDigits(again.text) == LettersAndDigits(text), "a second conversion loses nothing");
  return 0;
}
