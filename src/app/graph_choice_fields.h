// Helpers of the histogram's and the scatter-plot matrix's settings sheets: a setting named by
// a word of a list is edited as that list's index and answered in a batch file by the word.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "app/dialogs.h"

namespace orvel::graph_fields {

inline int IndexOf(const std::vector<std::string>& list, const std::string& name, int fallback) {
  const auto it = std::find(list.begin(), list.end(), name);
  return it == list.end() ? fallback : static_cast<int>(it - list.begin());
}

inline std::string NameAt(const std::vector<std::string>& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[static_cast<std::size_t>(index)]
                                                                      : list.front();
}

inline std::vector<std::string> LowerWords(const std::vector<std::string>& list) {
  std::vector<std::string> words;
  for (std::string w : list) {
    for (char& c : w) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    words.push_back(w);
  }
  return words;
}

// A drop-down list of names; the answers file gives the word (by default the name in lower case).
inline DialogField& ListChoice(DialogSchema& s, std::string key, std::string label, int& value,
                               const std::vector<std::string>& list, std::vector<std::string> words = {}) {
  DialogField& f = s.Choice(std::move(key), std::move(label), value, list, "Choose one of the list.",
                            words.empty() ? LowerWords(list) : std::move(words));
  f.as_list = true;
  return f;
}

}  // namespace orvel::graph_fields
