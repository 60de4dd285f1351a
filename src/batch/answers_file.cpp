#include "batch/answers_file.h"

namespace orvel::batch {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsKeyChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Reads a double-quoted text starting at s[pos] == '"'. On success `pos` is just past the
// closing quote.
bool ReadQuoted(std::string_view s, std::size_t& pos, std::string& out, std::string& reason) {
  out.clear();
  for (std::size_t i = pos + 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      pos = i + 1;
      return true;
    }
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\')) {
      out += s[++i];
    } else {
      out += c;
    }
  }
  reason = "a double quote is not closed";
  return false;
}

bool ParseDialog(std::string_view rest, Answer& answer, std::string& reason) {
  std::size_t pos = 0;
  while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
  if (pos >= rest.size() || rest[pos] != '"') {
    reason = "a dialog answer needs the dialog's title in double quotes";
    return false;
  }
  if (!ReadQuoted(rest, pos, answer.title, reason)) return false;
  if (answer.title.empty()) {
    reason = "the dialog title is empty";
    return false;
  }
  while (true) {
    if (pos < rest.size() && !IsBlank(rest[pos])) {
      reason = "expected a blank after \"" + std::string(rest.substr(0, pos)) + "\"";
      return false;
    }
    while (pos < rest.size() && IsBlank(rest[pos])) ++pos;
    if (pos >= rest.size()) return true;
    const std::size_t key_start = pos;
    while (pos < rest.size() && IsKeyChar(rest[pos])) ++pos;
    std::string key(rest.substr(key_start, pos - key_start));
    if (key.empty() || pos >= rest.size() || rest[pos] != '=') {
      std::size_t end = key_start;
      while (end < rest.size() && !IsBlank(rest[end])) ++end;
      reason = "expected key=value, found \"" + std::string(rest.substr(key_start, end - key_start)) + "\"";
      return false;
    }
    ++pos;  // the '='
    std::string value;
    if (pos < rest.size() && rest[pos] == '"') {
      if (!ReadQuoted(rest, pos, value, reason)) return false;
    } else {
      while (pos < rest.size() && !IsBlank(rest[pos])) {
        if (rest[pos] == '"') {
          reason = "the value of " + key + " has a double quote inside; quote the whole value";
          return false;
        }
        value += rest[pos++];
      }
    }
    for (const auto& field : answer.fields) {
      if (field.first == key) {
        reason = "the key " + key + " is given twice";
        return false;
      }
    }
    answer.fields.emplace_back(std::move(key), std::move(value));
  }
}

}  // namespace

std::optional<Answer> ParseAnswerLine(std::string_view line, std::string& reason) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  std::size_t word_end = 0;
  while (word_end < line.size() && !IsBlank(line[word_end])) ++word_end;
  const std::string_view word = line.substr(0, word_end);
  // After the word: for `input` exactly one separating blank is dropped, the rest is the text.
  const std::string_view rest = word_end < line.size() ? line.substr(word_end + 1) : std::string_view();

  Answer answer;
  answer.source = std::string(TrimBlanks(line));
  if (word == "yes" || word == "no" || word == "ok" || word == "cancel") {
    if (!TrimBlanks(rest).empty()) {
      reason = "nothing may follow \"" + std::string(word) + "\"";
      return std::nullopt;
    }
    answer.kind = word == "yes" ? Answer::Kind::kYes
                  : word == "no" ? Answer::Kind::kNo
                  : word == "ok" ? Answer::Kind::kOk
                                 : Answer::Kind::kCancel;
    return answer;
  }
  if (word == "input") {
    answer.kind = Answer::Kind::kInput;
    answer.text = std::string(rest);
    answer.source = std::string(line);
    return answer;
  }
  if (word == "file") {
    answer.kind = Answer::Kind::kFile;
    const std::string_view path = TrimBlanks(rest);
    if (path.empty()) {
      reason = "a file answer needs a path";
      return std::nullopt;
    }
    if (path.front() == '"') {
      std::size_t pos = 0;
      if (!ReadQuoted(path, pos, answer.text, reason)) return std::nullopt;
      if (pos != path.size()) {
        reason = "nothing may follow the quoted path";
        return std::nullopt;
      }
      if (answer.text.empty()) {
        reason = "a file answer needs a path";
        return std::nullopt;
      }
    } else {
      answer.text = std::string(path);
    }
    // The system would take the path only up to the NUL, a file the user never named.
    if (answer.text.find('\0') != std::string::npos) {
      reason = "the path holds a NUL character";
      return std::nullopt;
    }
    return answer;
  }
  if (word == "dialog") {
    answer.kind = Answer::Kind::kDialog;
    if (!ParseDialog(rest, answer, reason)) return std::nullopt;
    return answer;
  }
  reason = "unknown answer \"" + std::string(word) +
           "\" (an answer starts with yes, no, ok, cancel, dialog, file or input)";
  return std::nullopt;
}

ParsedAnswers ParseAnswers(std::string_view text) {
  ParsedAnswers parsed;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    std::string reason;
    std::optional<Answer> answer = ParseAnswerLine(line, reason);
    if (!answer) {
      parsed.answers.clear();
      parsed.error = AnswersError{number, reason};
      return parsed;
    }
    answer->line = number;
    parsed.answers.push_back(std::move(*answer));
  }
  return parsed;
}

}  // namespace orvel::batch
