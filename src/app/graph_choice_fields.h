// Helpers of every graph's settings sheet: a setting named by a word of a list is edited as that
// list's index and answered in a batch file by the word; the Title and Plot Area pages that all
// graphs share.
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

// The fields of the "Title" page: the text, its font (from `fonts`, answered by `words` when
// given) and size.
inline void TitleFields(DialogSchema& s, std::string& title, int& font, int& font_size,
                        const std::vector<std::string>& fonts, std::vector<std::string> words = {}) {
  s.Text("title", "Title", title, 100, {}, "Enter no more than 100 characters.");
  ListChoice(s, "title_font", "Font", font, fonts, std::move(words));
  s.Integer("title_font_size", "Font Size", font_size, 10, 20, "Choose a font size from 10 to 20.");
}

// The fields of the "Plot Area" page: outline and area colours and the outline's weight.
inline void PlotAreaFields(DialogSchema& s, int& outline, int& area, int& weight, const std::vector<std::string>& colors) {
  ListChoice(s, "outline", "Outline Color", outline, colors);
  ListChoice(s, "area", "Area Color", area, colors);
  s.Integer("area_weight", "Line Weight", weight, 1, 3, "Choose a weight from 1 to 3.");
}

}  // namespace orvel::graph_fields
