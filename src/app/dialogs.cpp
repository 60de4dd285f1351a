#include "app/dialogs.h"

#include <charconv>

namespace orvel {

bool ParseWholeNumber(const std::string& text, int& out) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  int value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) return false;
  out = value;
  return true;
}

bool ResultOptionsDialog::SetField(const std::string& key, const std::string& value) {
  int v = 0;
  if (key != "choice" || !ParseWholeNumber(value, v) || v < 0 || v > 2) return false;
  choice = v;
  return true;
}

bool FrequencyDialog::SetField(const std::string& key, const std::string& value) {
  if (key == "classes") return ParseWholeNumber(value, classes);
  if (key == "max") {
    maximum_setting = value;
    return true;
  }
  if (key == "min") {
    minimum_setting = value;
    return true;
  }
  return false;
}

std::string FrequencyDialog::Accept() const {
  if (classes < 5 || classes > 20) return "Enter an integer between 5 and 20.";
  constexpr auto kLimit = static_cast<std::string::size_type>(kSettingMaxLength);
  if (maximum_setting.size() > kLimit || minimum_setting.size() > kLimit)
    return "Enter no more than 20 characters.";
  return {};
}

bool ExplanationDialog::SetField(const std::string& key, const std::string& value) {
  if (key != "text") return false;
  text = value;
  return true;
}

std::string ExplanationDialog::Accept() const {
  if (text.find_first_of("\"\r\n") != std::string::npos) return kBadText;
  return {};
}

bool RowNumbersDialog::SetField(const std::string& key, const std::string& value) {
  return key == "rows" && ParseWholeNumber(value, rows);
}

std::string RowNumbersDialog::Accept() const {
  if (rows < 100 || rows > 20000) return "Enter an integer between 100 and 20000.";
  return {};
}

}  // namespace orvel
