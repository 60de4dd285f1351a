// One column of the data sheet: the text of every cell, the number parsed from it and a per-row
// included flag (a row not included reads as empty). Analyses leave incomplete rows out through
// a row view (sheet/row_view.h), not through this flag.
//
// The cells are stored compactly: each row has an 8-byte text slot holding a text of up to 7
// bytes itself (most numbers) or the offset of a longer one in the column's text arena, beside
// a contiguous array of the values and a per-row flag saying whether the text has the form of
// a number. The per-row arrays grow with the highest row written, so an empty column costs
// nearly nothing. A cell is classified once, when its text is stored.
//
// The column keeps its statistics (count, sums, centred sums, extremes, median and quartiles)
// once computed; every change to a text, value, flag, kind or the last used row drops them.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

namespace orvel {

// Storage of the per-row arrays: taken from calloc and never value-initialised again, so a
// large array arrives as zeroed pages from the system, cleared once by the kernel when first
// written, instead of being zero-filled and then filled (twice through the cache for an
// import). Elements left beyond the size (a copy onto a longer column) are stale, so the
// column zeroes what it grows into unless the growth took fresh storage.
template <typename T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <typename U>
  ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    void* p = std::calloc(n, sizeof(T));
    if (p == nullptr) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) noexcept { std::free(p); }
  // Default-initialisation leaves the calloc'd zeros in place.
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};

class CDataColumn {
 public:
  static constexpr std::uint32_t kDataKind = 0;
  static constexpr std::uint32_t kLabelKind = 1;

  // Allocates room for `capacity` rows (row 0 included), then clears.
  void Create(int capacity);
  // Every text empty, every row included, last used row 0, kind data. Values are kept, as
  // clearing a cell keeps its value.
  void Clear();

  std::uint32_t Kind() const { return kind_; }
  void SetKind(std::uint32_t kind);
  int LastUsedRow() const { return last_used_row_; }
  // Ignored unless 0 <= row <= capacity - 1.
  void SetLastUsedRow(int row);
  int Capacity() const { return capacity_; }
  // Makes room for rows 0 .. rows - 1 at once (an import knows its size in advance).
  void Reserve(int rows, std::size_t text_bytes);

  // Cell access; rows outside 0 .. capacity - 1 read as empty (values as -100) and
  // writes to them are ignored. A text view stays valid until the column changes.
  std::string_view Text(int row) const {
    if (row < 0 || row >= allocated_rows_) return {};
    const Slot& slot = slots_[static_cast<std::size_t>(row)];
    if ((slot.tag & kInArena) == 0) return std::string_view(slot.bytes, slot.tag);
    return std::string_view(arena_.data() + ArenaOffset(slot), slot.tag & ~kInArena);
  }
  int TextLength(int row) const;  // in characters
  double Value(int row) const;
  void SetValue(int row, double x);
  void Reparse(int row);
  // Re-parses every numeric row 1 .. last used row, undoing the transforms.
  void ReparseAll();
  void ClearCell(int row);
  // Appends s to the cell's text: any text in the label column and in row 0; in the data
  // rows of a data column only a sign, digits and one point, else the cell is emptied.
  // TAB, CR and LF become spaces (they would split the cell when the sheet is written as
  // text). The text is kept within 19 characters. Raises the last used row to `row`.
  void SetText(int row, std::string_view s);
  // The set-cell operation (clear, set the text, re-parse) for a cell of a freshly reset
  // column, as import and document reading fill it: the same result as ClearCell, SetText and
  // Reparse, with the text examined once.
  void PlaceText(int row, std::string_view s);
  // PlaceText for a text the caller has already scanned, in a cell that is empty since the
  // column was reset (import places each cell once): 1 to 19 bytes of a data text (a sign,
  // digit or point first, then digits and at most one point in all) whose number is `value`
  // (what ParseNumber gives). Import splits, checks and parses a field in one walk. The cell
  // is not read first: its page may still be untouched, and a read before the write would
  // fault on it twice.
  void PlaceDataTextInEmptyCell(int row, std::string_view s, double value) {
    if (kind_ == kDataKind && row >= 1 && row < allocated_rows_ && !ViewsOwnCells(s)) {
      const auto i = static_cast<std::size_t>(row);
      SetSlot(slots_[i], s);
      numeric_text_[i] = HasDataNumberForm(s) ? 1 : 0;
      values_[i] = value;
      if (row > last_used_row_) last_used_row_ = row;
      Changed();
      return;
    }
    PlaceText(row, s);
  }
  // The number form of a data row's text (ASCII): 3 or more bytes; 2 unless "+." or "-.";
  // 1 only a digit.
  static bool HasDataNumberForm(std::string_view t) {
    if (t.size() >= 3) return true;
    if (t.size() == 2) return t[1] != '.' || (t[0] != '+' && t[0] != '-');
    return t.size() == 1 && t[0] >= '0' && t[0] <= '9';
  }
  // One keystroke while the cell is being edited.
  void TypeChar(int row, char32_t c);
  void Backspace(int row);
  bool Included(int row) const;
  void SetIncluded(int row, bool included);
  bool HasText(int row) const;
  bool IsNumeric(int row) const {
    return kind_ == kDataKind && row >= 0 && row <= last_used_row_ && row < allocated_rows_ &&
           numeric_text_[static_cast<std::size_t>(row)] != 0 &&
           (included_.empty() || included_[static_cast<std::size_t>(row)] != 0);
  }

  // Value transforms used to fit curves; texts are untouched. Each returns false and changes
  // nothing when a numeric value is outside its domain (0 for the reciprocal, <= 0 for logs).
  bool TransformReciprocal();
  bool TransformLn();
  bool TransformLog10();

  // Copies every cell, value and flag of `other` (same capacity) into this column.
  void CopyFrom(const CDataColumn& other);

  // Calls fn(row, value) for every numeric cell, top to bottom.
  template <typename Fn>
  void ForEachNumeric(Fn&& fn) const {
    if (kind_ != kDataKind) return;
    const int last = last_used_row_ < allocated_rows_ - 1 ? last_used_row_ : allocated_rows_ - 1;
    if (included_.empty()) {
      for (int r = 1; r <= last; ++r)
        if (numeric_text_[static_cast<std::size_t>(r)] != 0) fn(r, values_[static_cast<std::size_t>(r)]);
      return;
    }
    for (int r = 1; r <= last; ++r) {
      const auto i = static_cast<std::size_t>(r);
      if (numeric_text_[i] != 0 && included_[i] != 0) fn(r, values_[i]);
    }
  }

  // ---- Statistics of the numeric cells, kept until the column changes -------------------
  struct Statistics {
    int count = 0;
    double sum = 0;   // Σx in row order
    double mean = 0;  // Σx / n corrected by the mean of the residuals; 0 when n = 0
    // Centred sums Σ(x − mean)², ³, ⁴; exactly 0 when every value is the same.
    double squares = 0, cubes = 0, fourths = 0;
    double min = 0, max = 0;  // 0 when n = 0
    int min_row = 1;          // first row of the smallest value
    int max_row = 1;          // last row of the largest value
  };
  const Statistics& Stats() const;
  // True while the statistics computed last are kept (no change since).
  bool HasKeptStatistics() const { return stats_valid_; }
  // The same statistics over the rows whose entry in `left_out` is 0 (rows past its end
  // count), computed afresh: for a view of the sheet that leaves some rows out.
  Statistics StatsLeavingOut(const std::vector<unsigned char>& left_out) const;

  // Median and quartiles of the numeric values rounded to 7 decimals, by positions (n+1)/2,
  // (n+1)/4 and 3(n+1)/4 with interpolation; a position outside the values reads as -100.
  struct Quartiles {
    double median, lower, upper;
  };
  const Quartiles& OrderStatistics() const;
  Quartiles OrderStatisticsLeavingOut(const std::vector<unsigned char>& left_out) const;

 private:
  // A text of up to 7 bytes lies in the slot; a longer one in the arena at `offset`. The last
  // byte holds the byte length (a cell holds at most 19 characters), kInArena for the latter.
  struct Slot {
    char bytes[7];  // the text, or the arena offset in the first four
    unsigned char tag;
  };
  static constexpr unsigned char kInArena = 0x80;
  static constexpr std::size_t kInlineBytes = 7;

  bool InRange(int row) const { return row >= 0 && row < capacity_; }
  // Grows the per-row arrays to cover `row` (which is in range).
  void Touch(int row);
  void StoreText(int row, std::string_view text);
  static std::uint32_t ArenaOffset(const Slot& slot) {
    std::uint32_t offset = 0;
    std::memcpy(&offset, slot.bytes, sizeof offset);
    return offset;
  }
  // True when s lies in this column's slots or arena.
  bool ViewsOwnCells(std::string_view s) const;
  // Stores text (not viewing this column) in the slot, appending it to the arena when long.
  void SetSlot(Slot& slot, std::string_view text) {
    if (text.size() <= kInlineBytes) {
      // Gathered into one word: a memcpy of a variable length this short costs a library call.
      std::uint64_t word = 0;
      for (std::size_t k = 0; k < text.size(); ++k)
        word |= static_cast<std::uint64_t>(static_cast<unsigned char>(text[k])) << (8 * k);
      std::memcpy(slot.bytes, &word, kInlineBytes);
      slot.tag = static_cast<unsigned char>(text.size());
    } else {
      SetArenaSlot(slot, text);
    }
  }
  void SetArenaSlot(Slot& slot, std::string_view text);
  void Changed() const { stats_valid_ = quartiles_valid_ = false; }
  // The statistics of the numeric cells in the rows `keep(row)` accepts.
  template <typename Keep>
  Statistics ComputeStats(Keep&& keep) const;
  template <typename Keep>
  Quartiles ComputeQuartiles(Keep&& keep) const;
  template <typename Fn>
  bool TransformNumeric(Fn&& in_domain, double (*fn)(double));

  std::uint32_t kind_ = kDataKind;
  int last_used_row_ = 0;
  int capacity_ = 0;
  int allocated_rows_ = 0;  // rows 0 .. allocated_rows_ - 1 have per-row entries
  // capacity_ entries once a row has been skipped; empty while every row is included.
  std::vector<unsigned char> included_;
  std::vector<double, ZeroedAllocator<double>> values_;
  std::vector<Slot, ZeroedAllocator<Slot>> slots_;
  std::vector<unsigned char, ZeroedAllocator<unsigned char>> numeric_text_;  // the text has the form of a number
  std::string arena_;
  std::size_t arena_garbage_ = 0;  // bytes of replaced texts still in the arena

  mutable bool stats_valid_ = false;
  mutable bool quartiles_valid_ = false;
  mutable Statistics stats_;
  mutable Quartiles quartiles_{};
};

}  // namespace orvel
