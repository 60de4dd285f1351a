#include "macro/macro_conversion.h"

#include <optional>

namespace orvel {

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}
std::size_t SkipBlanks(std::string_view s, std::size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

// The first run of letters in `s`, as its start and length.
std::pair<std::size_t, std::size_t> FirstWord(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && !IsLetter(s[i])) ++i;
  std::size_t j = i;
  while (j < s.size() && IsLetter(s[j])) ++j;
  return {i, j - i};
}

// A text that is already a current string literal: "..." with no other quote inside.
bool IsQuotedLiteral(std::string_view s) {
  s = TrimRight(s.substr(SkipBlanks(s, 0)));
  return s.size() >= 2 && s.front() == '"' && s.back() == '"' &&
         s.substr(1, s.size() - 2).find('"') == std::string_view::npos;
}

// Converts the code of one line (its comment and line end removed); nothing when a statement
// cannot be converted. `changed` tells whether any statement was rewritten.
std::optional<std::string> ConvertCode(std::string_view code, bool& changed) {
  std::string out;
  std::size_t i = 0;
  while (true) {
    const std::size_t start = SkipBlanks(code, i);
    out.append(code.substr(i, start - i));
    i = start;
    if (i >= code.size()) return out;
    if (code[i] == '{' || code[i] == '}') {
      out += code[i++];
      continue;
    }
    const auto [word_at, word_length] = FirstWord(code.substr(i));
    const std::string_view word = code.substr(i + word_at, word_length);

    if (word_at == 0 && (word == "settwofactorlabela" || word == "settwofactorlabelb")) {
      // The call ends at the first ")" followed by ";" or the end of the code, so a label may
      // hold ")" and ";" of its own.
      std::size_t close = i;
      std::size_t after = 0;
      while (true) {
        close = code.find(')', close);
        if (close == std::string_view::npos) return std::nullopt;
        after = SkipBlanks(code, close + 1);
        if (after >= code.size() || code[after] == ';') break;
        ++close;
      }
      const std::size_t open = SkipBlanks(code, i + word.size());
      if (open >= close || code[open] != '(') return std::nullopt;
      const std::size_t comma = code.find(',', open);
      if (comma == std::string_view::npos || comma > close) return std::nullopt;
      const std::string_view label = code.substr(comma + 1, close - comma - 1);
      const std::size_t end = after < code.size() ? after + 1 : after;  // past the ";"
      if (IsQuotedLiteral(label)) {
        out.append(code.substr(i, end - i));
      } else {
        if (label.find('"') != std::string_view::npos) return std::nullopt;
        out.append(code.substr(i, comma + 1 - i)).append("\"").append(label).append("\");");
        changed = true;
      }
      i = end;
      continue;
    }

    // Any other statement runs to the next ";" outside double quotes; a brace ends a
    // statement too, except in a message or cell text.
    const bool text_statement = word_at == 0 && (word == "message" || word == "cell");
    std::size_t end = i;
    bool in_string = false;
    for (; end < code.size(); ++end) {
      const char c = code[end];
      if (c == '"') in_string = !in_string;
      else if (!in_string && (c == ';' || (!text_statement && (c == '{' || c == '}')))) break;
    }
    const std::string_view piece = code.substr(i, end - i);
    const bool has_semicolon = end < code.size() && code[end] == ';';
    i = has_semicolon ? end + 1 : end;

    if (text_statement) {
      std::size_t eq = std::string_view::npos;
      if (word == "message") {
        const std::size_t next = SkipBlanks(piece, word.size());
        if (next < piece.size() && piece[next] == '(') {  // already message("...")
          out.append(piece).append(has_semicolon ? ";" : "");
          continue;
        }
        if (next < piece.size() && piece[next] == '=') eq = next;
      } else {
        const std::size_t close = piece.find(')');
        if (close != std::string_view::npos) eq = piece.find('=', close);
      }
      if (eq == std::string_view::npos || !has_semicolon) return std::nullopt;
      const std::string_view value = piece.substr(eq + 1);
      if (word == "cell" && IsQuotedLiteral(value)) {  // already cell(c,r)="..."
        out.append(piece).append(";");
        continue;
      }
      if (value.find('"') != std::string_view::npos) return std::nullopt;
      out.append(piece.substr(0, eq));
      out.append(word == "message" ? "(\"" : "=\"").append(value).append(word == "message" ? "\");" : "\";");
      changed = true;
      continue;
    }

    // A bare command name gets its parentheses; anything else is left as it is.
    const std::string_view name = TrimRight(piece);
    bool bare_name = word_at == 0 && !name.empty();
    for (char c : name) bare_name = bare_name && (IsLetter(c) || IsDigit(c) || c == '_');
    if (bare_name && has_semicolon) {
      out.append(piece).append("();");
      changed = true;
    } else if (bare_name && end >= code.size() && name != "else") {
      return std::nullopt;  // the ";" is missing
    } else {
      out.append(piece).append(has_semicolon ? ";" : "");
    }
  }
}

}  // namespace

MacroConversion ConvertPreviousMacro(std::string_view text) {
  MacroConversion result;
  std::string& out = result.text;
  out.reserve(text.size() + text.size() / 4);
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t lf = text.find('\n');
    const std::size_t len = lf == std::string_view::npos ? text.size() : lf + 1;
    const std::string_view line = text.substr(0, len);
    text.remove_prefix(len);

    std::string_view content = line;
    if (!content.empty() && content.back() == '\n') content.remove_suffix(1);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    const std::size_t comment = content.find("//");
    const std::string_view code = content.substr(0, comment);
    bool changed = false;
    const std::optional<std::string> converted = ConvertCode(code, changed);
    if (!converted) {
      result.unconverted_lines.push_back(number);
      out.append(line);
    } else if (!changed) {
      out.append(line);
    } else {
      out.append(*converted);
      if (comment != std::string_view::npos) out.append(content.substr(comment));
      out += '\n';
    }
  }
  return result;
}

std::string ConversionMessage(const MacroConversion& conversion) {
  const std::vector<int>& lines = conversion.unconverted_lines;
  if (lines.empty()) return "File conversion has been completed. Save the macro with a new format( .ovm).";
  constexpr std::size_t kListed = 20;  // keep the message box readable
  std::string list;
  for (std::size_t k = 0; k < lines.size() && k < kListed; ++k) {
    if (k > 0) list += ", ";
    list += std::to_string(lines[k]);
  }
  if (lines.size() > kListed) list += " and " + std::to_string(lines.size() - kListed) + " more";
  const bool one = lines.size() == 1;
  return std::string(one ? "Line " : "Lines ") + list + " cannot be converted and " + (one ? "is" : "are") +
         " left as written. Save the macro with a new format( .ovm) and correct " + (one ? "it." : "them.");
}

}  // namespace orvel
