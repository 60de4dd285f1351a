// One column of the data sheet: the text of every cell, the number parsed from it and the
// per-row included flag through which an analysis skips incomplete rows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvel {

class CDataColumn {
 public:
  static constexpr std::uint32_t kDataKind = 0;
  static constexpr std::uint32_t kLabelKind = 1;

  // Allocates room for `capacity` rows (row 0 included), then clears.
  void Create(int capacity);
  // Every text empty, every row included, last used row 0, kind data.
  void Clear();

  std::uint32_t Kind() const { return kind_; }
  void SetKind(std::uint32_t kind) { kind_ = kind; }
  int LastUsedRow() const { return last_used_row_; }
  // Ignored unless 0 <= row <= capacity - 1.
  void SetLastUsedRow(int row);
  int Capacity() const { return capacity_; }

  // Cell access; rows outside 0 .. capacity - 1 read as empty (values as -100) and
  // writes to them are ignored.
  std::string_view Text(int row) const;
  int TextLength(int row) const;  // in characters
  double Value(int row) const;
  void SetValue(int row, double x);
  void Reparse(int row);
  // Re-parses every numeric row 1 .. last used row, undoing the transforms.
  void ReparseAll();
  void ClearCell(int row);
  // Appends s to the cell's text: any text in the label column and in row 0; in the data
  // rows of a data column only a sign, digits and one point, else the cell is emptied.
  // The text is kept within 19 characters. Raises the last used row to `row`.
  void SetText(int row, std::string_view s);
  // One keystroke while the cell is being edited.
  void TypeChar(int row, char32_t c);
  void Backspace(int row);
  bool Included(int row) const;
  void SetIncluded(int row, bool included);
  bool HasText(int row) const;
  bool IsNumeric(int row) const;

  // Value transforms used to fit curves; texts are untouched. Each returns false and changes
  // nothing when a numeric value is outside its domain (0 for the reciprocal, <= 0 for logs).
  bool TransformReciprocal();
  bool TransformLn();
  bool TransformLog10();

  // Copies every cell, value and flag of `other` (same capacity) into this column.
  void CopyFrom(const CDataColumn& other);

 private:
  // A cell's text lives inline in a fixed slot when it fits, else in the overflow map (long
  // UTF-8 labels only); numbers always fit inline.
  static constexpr int kInlineBytes = 23;
  static constexpr unsigned char kOverflow = 0xFF;
  struct Slot {
    char bytes[kInlineBytes];
    unsigned char length;  // byte length, or kOverflow
  };

  bool InRange(int row) const { return row >= 0 && row < capacity_; }
  void StoreText(int row, std::string_view text);
  template <typename Fn>
  bool TransformNumeric(Fn&& in_domain, double (*fn)(double));

  std::uint32_t kind_ = kDataKind;
  int last_used_row_ = 0;
  int capacity_ = 0;
  std::vector<Slot> slots_;
  std::unordered_map<int, std::string> overflow_;
  std::vector<double> values_;
  std::vector<unsigned char> included_;
};

}  // namespace orvel
