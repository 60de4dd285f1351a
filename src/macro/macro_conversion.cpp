#include "macro/macro_conversion.h"

namespace orvel {

namespace {
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view FirstWord(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && !IsLetter(line[i])) ++i;
  std::size_t j = i;
  while (j < line.size() && IsLetter(line[j])) ++j;
  return line.substr(i, j - i);
}

// The characters before the first `stop`, each `from` replaced by `to`, then `tail`; or the
// line unchanged when it has no `stop`.
std::string Rewrite(std::string_view line, char stop, char from, std::string_view to, std::string_view tail) {
  const std::size_t end = line.find(stop);
  if (end == std::string_view::npos) return std::string(line);
  std::string out;
  for (char c : line.substr(0, end)) {
    if (from != '\0' && c == from) out.append(to);
    else out += c;
  }
  out.append(tail);
  return out;
}

std::string ConvertLine(std::string_view line) {
  const std::string_view name = FirstWord(line);
  if (name.empty()) return std::string(line);
  if (name == "message") return Rewrite(line, ';', '=', "(\"", "\");\n");
  if (name == "cell") return Rewrite(line, ';', '=', "=\"", "\";\n");
  if (name == "settwofactorlabela" || name == "settwofactorlabelb") return Rewrite(line, ')', ',', ",\"", "\");\n");
  if (line.find_first_of("()") != std::string_view::npos) return std::string(line);
  return Rewrite(line, ';', '\0', "", "();\n");
}
}  // namespace

std::string ConvertPreviousMacro(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    const std::size_t len = lf == std::string_view::npos ? text.size() : lf + 1;
    out += ConvertLine(text.substr(0, len));
    text.remove_prefix(len);
  }
  return out;
}

}  // namespace orvel
