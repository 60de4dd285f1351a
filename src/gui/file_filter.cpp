#include "gui/file_filter.h"

namespace orvel::gui {

namespace {
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (start <= text.size()) {
    const auto end = text.find(separator, start);
    if (end == std::string::npos) {
      parts.push_back(text.substr(start));
      break;
    }
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}
}  // namespace

std::vector<std::string> TranslateFileFilter(const std::string& filter) {
  std::vector<std::string> filters;
  const std::vector<std::string> parts = Split(filter, '|');
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::string& description = parts[i];
    std::string pattern = parts[i + 1];
    if (description.empty() || pattern.empty()) break;  // the closing "||"
    // Several patterns are separated by ";" in the program and by blanks in Qt.
    for (char& c : pattern)
      if (c == ';') c = ' ';
    if (pattern == "*.*") pattern = "*";
    const auto open = description.rfind('(');
    const bool shows_pattern = open != std::string::npos && description.back() == ')';
    if (shows_pattern) {
      // Qt reads the patterns from the parentheses: give it the real ones.
      filters.push_back(description.substr(0, open) + "(" + pattern + ")");
    } else {
      filters.push_back(description + " (" + pattern + ")");
    }
  }
  return filters;
}

std::string WithDefaultExtension(const std::string& path, const std::string& default_extension) {
  if (default_extension.empty() || path.empty()) return path;
  const auto slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.find('.') != std::string::npos) return path;
  return path + "." + default_extension;
}

}  // namespace orvel::gui
