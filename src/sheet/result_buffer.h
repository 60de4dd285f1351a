// The result text with its line count kept as it grows. Every analysis places the result pane
// at the last line before it appends its report; counting the lines of the whole text each time
// made a macro that loops over an analysis quadratic in the length of its result.
#pragma once

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace orvel {

class ResultBuffer {
 public:
  ResultBuffer() = default;
  ResultBuffer(std::string text) : text_(std::move(text)), lines_(CountLines(text_)) {}

  ResultBuffer& operator=(std::string text) {
    text_ = std::move(text);
    lines_ = CountLines(text_);
    return *this;
  }
  ResultBuffer& operator=(const char* text) { return *this = std::string(text); }
  ResultBuffer& operator+=(std::string_view text) { return append(text); }
  ResultBuffer& append(std::string_view text) {
    text_.append(text);
    lines_ += CountLines(text);
    return *this;
  }
  void clear() {
    text_.clear();
    lines_ = 0;
  }

  // The number of line ends ('\n') in the text.
  std::size_t LineCount() const { return lines_; }

  const std::string& str() const { return text_; }
  operator const std::string&() const { return text_; }
  operator std::string_view() const { return text_; }

  // The reading side of std::string.
  bool empty() const { return text_.empty(); }
  std::size_t size() const { return text_.size(); }
  const char* data() const { return text_.data(); }
  const char* c_str() const { return text_.c_str(); }
  std::string::const_iterator begin() const { return text_.begin(); }
  std::string::const_iterator end() const { return text_.end(); }
  template <class... A>
  std::size_t find(A&&... a) const {
    return text_.find(std::forward<A>(a)...);
  }
  template <class... A>
  std::size_t rfind(A&&... a) const {
    return text_.rfind(std::forward<A>(a)...);
  }
  std::string substr(std::size_t pos = 0, std::size_t n = std::string::npos) const { return text_.substr(pos, n); }

  friend bool operator==(const ResultBuffer& a, std::string_view b) { return std::string_view(a.text_) == b; }
  friend std::ostream& operator<<(std::ostream& out, const ResultBuffer& b) { return out << b.text_; }

 private:
  static std::size_t CountLines(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  }
  std::string text_;
  std::size_t lines_ = 0;
};

}  // namespace orvel
