#include "sheet/data_column.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "sheet/cell_text.h"

namespace orvel {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A text that a data row may hold: a digit, sign or point first, then digits and points,
// at most one point in all. The empty text is accepted.
bool IsDataText(std::string_view s) {
  if (s.empty()) return true;
  const char first = s[0];
  if (!IsDigit(first) && first != '+' && first != '-' && first != '.') return false;
  int points = first == '.' ? 1 : 0;
  for (std::size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '.') ++points;
    else if (!IsDigit(s[i])) return false;
  }
  return points <= 1;
}
}  // namespace

void CDataColumn::Create(int capacity) {
  capacity_ = std::max(capacity, 1);
  slots_.assign(static_cast<std::size_t>(capacity_), Slot{});
  values_.assign(static_cast<std::size_t>(capacity_), 0.0);
  included_.assign(static_cast<std::size_t>(capacity_), 1);
  Clear();
}

void CDataColumn::Clear() {
  for (Slot& s : slots_) {
    s.bytes[0] = '\0';
    s.length = 0;
  }
  overflow_.clear();
  std::fill(included_.begin(), included_.end(), static_cast<unsigned char>(1));
  last_used_row_ = 0;
  kind_ = kDataKind;
}

void CDataColumn::SetLastUsedRow(int row) {
  if (row >= 0 && row <= capacity_ - 1) last_used_row_ = row;
}

std::string_view CDataColumn::Text(int row) const {
  if (!InRange(row)) return {};
  const Slot& s = slots_[static_cast<std::size_t>(row)];
  if (s.length == kOverflow) return overflow_.at(row);
  return std::string_view(s.bytes, s.length);
}

int CDataColumn::TextLength(int row) const { return Utf8CharCount(Text(row)); }

double CDataColumn::Value(int row) const {
  return InRange(row) ? values_[static_cast<std::size_t>(row)] : -100.0;
}

void CDataColumn::SetValue(int row, double x) {
  if (InRange(row)) values_[static_cast<std::size_t>(row)] = x;
}

void CDataColumn::Reparse(int row) {
  if (InRange(row)) values_[static_cast<std::size_t>(row)] = ParseNumber(Text(row));
}

void CDataColumn::ReparseAll() {
  for (int r = 1; r <= last_used_row_; ++r)
    if (IsNumeric(r)) Reparse(r);
}

void CDataColumn::StoreText(int row, std::string_view text) {
  Slot& s = slots_[static_cast<std::size_t>(row)];
  if (text.size() <= static_cast<std::size_t>(kInlineBytes - 1)) {
    if (s.length == kOverflow) overflow_.erase(row);
    if (!text.empty()) std::memcpy(s.bytes, text.data(), text.size());  // data() may be null
    s.bytes[text.size()] = '\0';
    s.length = static_cast<unsigned char>(text.size());
  } else {
    overflow_[row] = std::string(text);
    s.bytes[0] = '\0';
    s.length = kOverflow;
  }
}

void CDataColumn::ClearCell(int row) {
  if (InRange(row)) StoreText(row, {});
}

void CDataColumn::SetText(int row, std::string_view s) {
  if (!InRange(row)) return;
  const bool free_text = kind_ == kLabelKind || row == 0;
  if (free_text || IsDataText(s)) {
    if (!s.empty()) {
      std::string joined(Text(row));
      joined.append(s);
      StoreText(row, Utf8Prefix(joined, kMaxCellChars));
    }
  } else {
    StoreText(row, {});
  }
  if (row > last_used_row_) SetLastUsedRow(row);
}

void CDataColumn::TypeChar(int row, char32_t c) {
  if (!InRange(row) || c == 0) return;
  const std::string_view text = Text(row);
  if (Utf8CharCount(text) > kMaxCellChars - 1) return;
  if (kind_ == kDataKind && row >= 1 && !(c >= U'0' && c <= U'9')) {
    if (c == U'+' || c == U'-') {
      if (!text.empty()) return;
    } else if (c == U'.') {
      if (text.find('.') != std::string_view::npos) return;
    } else {
      return;
    }
  }
  std::string joined(text);
  joined += Utf8Encode(c);
  StoreText(row, joined);
  Reparse(row);
  if (row > last_used_row_) SetLastUsedRow(row);
}

void CDataColumn::Backspace(int row) {
  if (!InRange(row)) return;
  const std::string_view text = Text(row);
  if (text.empty()) return;
  const int chars = Utf8CharCount(text);
  StoreText(row, std::string(Utf8Prefix(text, chars - 1)));
  Reparse(row);
}

bool CDataColumn::Included(int row) const {
  return InRange(row) && included_[static_cast<std::size_t>(row)] == 1;
}

void CDataColumn::SetIncluded(int row, bool included) {
  if (InRange(row)) included_[static_cast<std::size_t>(row)] = included ? 1 : 0;
}

bool CDataColumn::HasText(int row) const {
  return Included(row) && slots_[static_cast<std::size_t>(row)].length != 0;
}

bool CDataColumn::IsNumeric(int row) const {
  if (kind_ != kDataKind) return false;
  if (!Included(row)) return false;
  if (row > last_used_row_) return false;
  const std::string_view t = Text(row);
  // Data rows hold only ASCII (sign, digits, point), so their byte length is their length.
  const int length = row >= 1 ? static_cast<int>(t.size()) : Utf8CharCount(t);
  if (length >= 3) return true;
  if (length == 2) return t != "+." && t != "-.";
  if (length == 1) return t.size() == 1 && IsDigit(t[0]);
  return false;
}

template <typename Fn>
bool CDataColumn::TransformNumeric(Fn&& in_domain, double (*fn)(double)) {
  for (int r = 1; r <= last_used_row_; ++r)
    if (IsNumeric(r) && !in_domain(values_[static_cast<std::size_t>(r)])) return false;
  for (int r = 1; r <= last_used_row_; ++r)
    if (IsNumeric(r)) values_[static_cast<std::size_t>(r)] = fn(values_[static_cast<std::size_t>(r)]);
  return true;
}

bool CDataColumn::TransformReciprocal() {
  return TransformNumeric([](double v) { return v != 0.0; }, [](double v) { return 1.0 / v; });
}

bool CDataColumn::TransformLn() {
  return TransformNumeric([](double v) { return v > 0.0; }, [](double v) { return std::log(v); });
}

bool CDataColumn::TransformLog10() {
  return TransformNumeric([](double v) { return v > 0.0; },
                          [](double v) { return std::log10(v); });
}

void CDataColumn::CopyFrom(const CDataColumn& other) {
  if (this == &other) return;
  *this = other;
}

}  // namespace orvel
