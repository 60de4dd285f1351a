#include "sheet/data_column.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <span>

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

// The text part of the numeric test, by the text's length L: L >= 3 numeric; L = 2 unless
// "+." or "-."; L = 1 only a digit. Data rows hold only ASCII, so there the byte length is
// the length; row 0 counts characters.
bool HasNumberForm(int row, std::string_view t) {
  const int length = row >= 1 ? static_cast<int>(t.size()) : Utf8CharCount(t);
  if (length >= 3) return true;
  if (length == 2) return t != "+." && t != "-.";
  if (length == 1) return t.size() == 1 && IsDigit(t[0]);
  return false;
}

bool IsLineBreakOrTab(char c) { return c == '\t' || c == '\r' || c == '\n'; }

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Grows a per-row array to n elements, all new ones zero: fresh storage from ZeroedAllocator is
// zero already; growth within the old storage may meet elements left there by a shorter copy.
template <typename V>
void GrowZeroed(V& v, std::size_t n) {
  const std::size_t old = v.size();
  const bool fresh = n > v.capacity();
  v.resize(n);
  if (!fresh) std::fill(v.begin() + static_cast<std::ptrdiff_t>(old), v.end(), typename V::value_type{});
}

// The per-row arrays grow geometrically, never beyond the capacity.
constexpr int kFirstAllocation = 64;
// The arena is compacted once replaced texts make up half of it (and at least this much).
constexpr std::size_t kCompactThreshold = 4096;
}  // namespace

void CDataColumn::Create(int capacity) {
  capacity_ = std::max(capacity, 1);
  included_.clear();
  // Released, not cleared: the arrays must not grow again over the old elements.
  decltype(values_)().swap(values_);
  decltype(slots_)().swap(slots_);
  decltype(numeric_text_)().swap(numeric_text_);
  allocated_rows_ = 0;
  Clear();
}

void CDataColumn::Clear() {
  std::fill(slots_.begin(), slots_.end(), Slot{});
  std::fill(numeric_text_.begin(), numeric_text_.end(), static_cast<unsigned char>(0));
  arena_.clear();
  arena_garbage_ = 0;
  included_.clear();
  last_used_row_ = 0;
  kind_ = kDataKind;
  Changed();
}

void CDataColumn::SetKind(std::uint32_t kind) {
  if (kind == kind_) return;
  kind_ = kind;
  Changed();
}

void CDataColumn::SetLastUsedRow(int row) {
  if (row >= 0 && row <= capacity_ - 1 && row != last_used_row_) {
    last_used_row_ = row;
    Changed();
  }
}

void CDataColumn::Touch(int row) {
  if (row < allocated_rows_) return;
  int rows = std::max(allocated_rows_ * 2, kFirstAllocation);
  rows = std::min(std::max(rows, row + 1), capacity_);
  const auto n = static_cast<std::size_t>(rows);
  GrowZeroed(values_, n);
  GrowZeroed(slots_, n);
  GrowZeroed(numeric_text_, n);
  allocated_rows_ = rows;
}

void CDataColumn::Reserve(int rows, std::size_t text_bytes) {
  rows = std::min(rows, capacity_);
  if (rows > allocated_rows_) {
    const auto n = static_cast<std::size_t>(rows);
    GrowZeroed(values_, n);
    GrowZeroed(slots_, n);
    GrowZeroed(numeric_text_, n);
    allocated_rows_ = rows;
  }
  arena_.reserve(arena_.size() + text_bytes);
}

int CDataColumn::TextLength(int row) const { return Utf8CharCount(Text(row)); }

double CDataColumn::Value(int row) const {
  if (!InRange(row)) return -100.0;
  return row < allocated_rows_ ? values_[static_cast<std::size_t>(row)] : 0.0;
}

void CDataColumn::SetValue(int row, double x) {
  if (!InRange(row)) return;
  Touch(row);
  double& v = values_[static_cast<std::size_t>(row)];
  if (!SameBits(v, x)) {
    v = x;
    Changed();
  }
}

void CDataColumn::Reparse(int row) {
  if (InRange(row)) SetValue(row, ParseNumber(Text(row)));
}

void CDataColumn::ReparseAll() {
  for (int r = 1; r <= last_used_row_; ++r)
    if (IsNumeric(r)) Reparse(r);
}

void CDataColumn::StoreText(int row, std::string_view text) {
  // Callers cut texts to 19 characters; the byte length must fit its tag.
  if (text.size() > 127) text = Utf8Prefix(text, kMaxCellChars);
  if (text == Text(row)) return;
  // The text may view this column's own cells, which growing the arrays or the arena moves.
  char copy[128];
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  text = std::string_view(copy, text.size());
  Touch(row);
  const auto i = static_cast<std::size_t>(row);
  Slot& slot = slots_[i];
  if ((slot.tag & kInArena) != 0) arena_garbage_ += slot.tag & ~kInArena;
  SetSlot(slot, text);
  numeric_text_[i] = HasNumberForm(row, text) ? 1 : 0;
  Changed();
  if (arena_garbage_ > kCompactThreshold && arena_garbage_ * 2 > arena_.size()) {
    std::string packed;
    packed.reserve(arena_.size() - arena_garbage_);
    for (Slot& s : slots_) {
      if ((s.tag & kInArena) == 0) continue;
      const auto at = static_cast<std::uint32_t>(packed.size());
      packed.append(arena_, ArenaOffset(s), s.tag & ~kInArena);
      std::memcpy(s.bytes, &at, sizeof at);
    }
    arena_.swap(packed);
    arena_garbage_ = 0;
  }
}

bool CDataColumn::ViewsOwnCells(std::string_view s) const {
  const std::less_equal<const char*> le;
  const auto inside = [&](const char* begin, std::size_t size) {
    return size > 0 && le(begin, s.data()) && !le(begin + size, s.data());
  };
  return inside(reinterpret_cast<const char*>(slots_.data()), slots_.size() * sizeof(Slot)) ||
         inside(arena_.data(), arena_.size());
}

void CDataColumn::SetArenaSlot(Slot& slot, std::string_view text) {
  const auto at = static_cast<std::uint32_t>(arena_.size());
  arena_.append(text);
  std::memcpy(slot.bytes, &at, sizeof at);
  slot.tag = static_cast<unsigned char>(kInArena | text.size());
}

void CDataColumn::ClearCell(int row) {
  if (InRange(row) && row < allocated_rows_) StoreText(row, {});
}

void CDataColumn::SetText(int row, std::string_view s) {
  if (!InRange(row)) return;
  std::string replaced;
  if (std::any_of(s.begin(), s.end(), IsLineBreakOrTab)) {
    replaced.assign(s);
    std::replace_if(replaced.begin(), replaced.end(), IsLineBreakOrTab, ' ');
    s = replaced;
  }
  const bool free_text = kind_ == kLabelKind || row == 0;
  if (free_text || IsDataText(s)) {
    if (!s.empty()) {
      const std::string_view current = Text(row);
      if (current.empty()) {
        StoreText(row, Utf8Prefix(s, kMaxCellChars));
      } else if (current.size() + s.size() <= 240) {
        char joined[240];
        std::memcpy(joined, current.data(), current.size());
        std::memcpy(joined + current.size(), s.data(), s.size());
        StoreText(row, Utf8Prefix(std::string_view(joined, current.size() + s.size()), kMaxCellChars));
      } else {
        std::string joined(current);
        joined.append(s);
        StoreText(row, Utf8Prefix(joined, kMaxCellChars));
      }
    }
  } else {
    ClearCell(row);
  }
  if (row > last_used_row_) SetLastUsedRow(row);
}

void CDataColumn::PlaceText(int row, std::string_view s) {
  // The common cell of a data file: a short number placed in an empty data row. Its text is
  // a valid data text, ASCII within 19 bytes, so it is stored as it is.
  if (kind_ == kDataKind && row >= 1 && row < capacity_ && !s.empty() && s.size() <= static_cast<std::size_t>(kMaxCellChars) &&
      IsDataText(s) && (row >= allocated_rows_ || slots_[static_cast<std::size_t>(row)].tag == 0)) {
    char copy[kMaxCellChars];  // s may view this column, which Touch can move
    if (ViewsOwnCells(s)) {
      std::memcpy(copy, s.data(), s.size());
      s = std::string_view(copy, s.size());
    }
    Touch(row);
    const auto i = static_cast<std::size_t>(row);
    SetSlot(slots_[i], s);
    numeric_text_[i] = HasNumberForm(row, s) ? 1 : 0;
    values_[i] = ParseNumber(s);
    Changed();
    if (row > last_used_row_) last_used_row_ = row;
    return;
  }
  ClearCell(row);
  SetText(row, s);
  Reparse(row);
}

void CDataColumn::TypeChar(int row, char32_t c) {
  if (!InRange(row) || c == 0) return;
  if (c == U'\t' || c == U'\r' || c == U'\n') c = U' ';
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
  StoreText(row, Utf8Prefix(text, chars - 1));
  Reparse(row);
}

bool CDataColumn::Included(int row) const {
  return InRange(row) && (included_.empty() || included_[static_cast<std::size_t>(row)] == 1);
}

void CDataColumn::SetIncluded(int row, bool included) {
  if (!InRange(row)) return;
  if (included_.empty()) {
    if (included) return;
    included_.assign(static_cast<std::size_t>(capacity_), 1);
  }
  unsigned char& flag = included_[static_cast<std::size_t>(row)];
  const unsigned char value = included ? 1 : 0;
  if (flag != value) {
    flag = value;
    Changed();
  }
}

bool CDataColumn::HasText(int row) const {
  return Included(row) && row < allocated_rows_ && slots_[static_cast<std::size_t>(row)].tag != 0;
}

template <typename Fn>
bool CDataColumn::TransformNumeric(Fn&& in_domain, double (*fn)(double)) {
  for (int r = 1; r <= last_used_row_; ++r)
    if (IsNumeric(r) && !in_domain(values_[static_cast<std::size_t>(r)])) return false;
  for (int r = 1; r <= last_used_row_; ++r)
    if (IsNumeric(r)) values_[static_cast<std::size_t>(r)] = fn(values_[static_cast<std::size_t>(r)]);
  Changed();
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

// ---- Statistics -------------------------------------------------------------------------------

namespace {
// Accepts every row: the column's own statistics.
struct EveryRow {
  bool operator()(int) const { return true; }
};

// Accepts the rows a view keeps.
struct KeptRow {
  const std::vector<unsigned char>& left_out;
  bool operator()(int r) const {
    const auto i = static_cast<std::size_t>(r);
    return i >= left_out.size() || left_out[i] == 0;
  }
};
}  // namespace

const CDataColumn::Statistics& CDataColumn::Stats() const {
  if (stats_valid_) return stats_;
  stats_ = ComputeStats(EveryRow{});
  stats_valid_ = true;
  return stats_;
}

CDataColumn::Statistics CDataColumn::StatsLeavingOut(const std::vector<unsigned char>& left_out) const {
  return ComputeStats(KeptRow{left_out});
}

template <typename Keep>
CDataColumn::Statistics CDataColumn::ComputeStats(Keep&& keep) const {
  const auto for_each = [&](auto&& fn) {
    ForEachNumeric([&](int r, double x) {
      if (keep(r)) fn(r, x);
    });
  };
  Statistics s;
  bool first = true;
  double max_for_row = 0;
  for_each([&](int r, double x) {
    ++s.count;
    s.sum += x;
    if (first || x < s.min) {
      s.min = x;
      s.min_row = r;
    }
    // The largest value is the first greater one, its row the last greater or equal one
    // (they differ only between 0 and -0).
    if (first || x > s.max) s.max = x;
    if (first || x >= max_for_row) {
      max_for_row = x;
      s.max_row = r;
    }
    first = false;
  });
  if (s.count > 0) {
    const double n = s.count;
    if (s.min == s.max) {
      // Every value the same: the mean is that value and there is no spread at all, which
      // rounding in Σx / n must not turn into a tiny one.
      s.mean = s.min;
    } else {
      // Two passes: the mean, corrected by the mean of the residuals, then the centred sums.
      // One-pass sums Σx² − (Σx)²/n cancel when the values share a large offset.
      const double rough = s.sum / n;
      double residual = 0;
      for_each([&](int, double x) { residual += x - rough; });
      s.mean = rough + residual / n;
      for_each([&](int, double x) {
        const double d = x - s.mean, d2 = d * d;
        s.squares += d2;
        s.cubes += d2 * d;
        s.fourths += d2 * d2;
      });
    }
  }
  return s;
}

namespace {

// NaN (never produced by a cell's text, possible after a transform) orders last.
bool OrderLess(double a, double b) {
  if (std::isnan(a)) return false;
  if (std::isnan(b)) return true;
  return a < b;
}

// The values at the wanted positions (ascending, distinct) of v ordered by OrderLess, one
// per position into `out`. v is reordered.
void SelectByPartition(std::span<double> v, std::span<const int> wanted, double* out) {
  // Places each wanted position: the middle one first, then each side within its own part,
  // so every selection works on a shrinking range.
  const auto select = [&](auto&& self, std::size_t first, std::size_t last, std::size_t lo, std::size_t hi) -> void {
    while (first != last && static_cast<std::size_t>(wanted[first]) < lo) ++first;
    while (last != first && static_cast<std::size_t>(wanted[last - 1]) >= hi) --last;
    if (first == last) return;
    const std::size_t middle = first + (last - first) / 2;
    const auto at = static_cast<std::size_t>(wanted[middle]);
    std::nth_element(v.begin() + static_cast<std::ptrdiff_t>(lo), v.begin() + static_cast<std::ptrdiff_t>(at),
                     v.begin() + static_cast<std::ptrdiff_t>(hi), OrderLess);
    out[middle] = v[at];
    self(self, first, middle, lo, at);
    self(self, middle + 1, last, at + 1, hi);
  };
  select(select, 0, wanted.size(), 0, v.size());
}

struct Extent {
  double lo, hi;
  bool nan;
};
// The smallest and largest of v (not empty) and whether any is NaN, in two independent
// chains so that each comparison need not wait for the one before.
Extent Extremes(std::span<const double> v) {
  double lo0 = v[0], hi0 = v[0], lo1 = v[0], hi1 = v[0];
  bool nan0 = false, nan1 = false;
  std::size_t i = 0;
  for (; i + 2 <= v.size(); i += 2) {
    const double a = v[i], b = v[i + 1];
    lo0 = a < lo0 ? a : lo0;
    hi0 = a > hi0 ? a : hi0;
    lo1 = b < lo1 ? b : lo1;
    hi1 = b > hi1 ? b : hi1;
    nan0 |= a != a;
    nan1 |= b != b;
  }
  if (i < v.size()) {
    const double a = v[i];
    lo0 = a < lo0 ? a : lo0;
    hi0 = a > hi0 ? a : hi0;
    nan0 |= a != a;
  }
  return {lo1 < lo0 ? lo1 : lo0, hi1 > hi0 ? hi1 : hi0, nan0 || nan1};
}

// The same by distribution: one pass counts the values into equal-width buckets between the
// smallest and the largest (an order-keeping map), and only the few buckets holding a wanted
// position are gathered and ordered; a bucket still large is distributed again. Linear, with
// no data-dependent branches in the counting pass, where partitioning makes several passes
// that branch on every comparison. Values that are not all finite go to the partitioning.
void SelectPositions(std::span<double> v, std::span<const int> wanted, double* out, int depth = 0) {
  constexpr std::size_t kSmall = 256;
  constexpr std::size_t kBuckets = 2048;
  if (wanted.empty()) return;
  if (v.size() <= kSmall || depth >= 3) return SelectByPartition(v, wanted, out);
  const auto [lo, hi, nan] = Extremes(v);
  const double range = hi - lo;
  if (nan || !std::isfinite(range)) return SelectByPartition(v, wanted, out);  // or an infinity, or overflow
  if (range == 0) {
    // All equal: any of them is every position (a -0 among 0s orders as either).
    for (std::size_t k = 0; k < wanted.size(); ++k) out[k] = v[static_cast<std::size_t>(wanted[k])];
    return;
  }
  const double origin = lo, scale = static_cast<double>(kBuckets) / range;
  const auto bucket = [origin, scale](double x) {
    const auto b = static_cast<int>((x - origin) * scale);  // 0 .. kBuckets (rounding up at the top)
    return static_cast<std::size_t>(b < static_cast<int>(kBuckets) ? b : static_cast<int>(kBuckets) - 1);
  };
  static thread_local std::vector<std::uint32_t> starts;
  starts.assign(kBuckets + 1, 0);
  for (const double x : v) ++starts[bucket(x) + 1];
  for (std::size_t b = 1; b <= kBuckets; ++b) starts[b] += starts[b - 1];
  // The bucket of each wanted position, and the buckets to gather.
  std::size_t bucket_of[8];
  std::size_t gathered[8];
  std::size_t gathered_count = 0;
  for (std::size_t k = 0; k < wanted.size(); ++k) {
    const auto p = static_cast<std::uint32_t>(wanted[k]);
    const std::size_t b =
        static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), p) - starts.begin()) - 1;
    bucket_of[k] = b;
    if (gathered_count == 0 || gathered[gathered_count - 1] != b) gathered[gathered_count++] = b;
  }
  std::vector<double> parts[8];
  std::uint32_t base[8];  // kept: a bucket distributed again reuses `starts`
  std::array<std::uint8_t, kBuckets> part_of{};  // 1 + the part a bucket is gathered into, or 0
  for (std::size_t g = 0; g < gathered_count; ++g) {
    base[g] = starts[gathered[g]];
    parts[g].reserve(starts[gathered[g] + 1] - base[g]);
    part_of[gathered[g]] = static_cast<std::uint8_t>(g + 1);
  }
  for (const double x : v)
    if (const std::uint8_t g = part_of[bucket(x)]; g != 0) parts[g - 1].push_back(x);
  // Each gathered bucket answers its own positions, renumbered from its start.
  std::size_t k = 0;
  for (std::size_t g = 0; g < gathered_count; ++g) {
    int local[8];
    std::size_t count = 0;
    const std::size_t first_k = k;
    for (; k < wanted.size() && bucket_of[k] == gathered[g]; ++k)
      local[count++] = wanted[k] - static_cast<int>(base[g]);
    SelectPositions(parts[g], std::span<const int>(local, count), out + first_k, depth + 1);
  }
}

}  // namespace

const CDataColumn::Quartiles& CDataColumn::OrderStatistics() const {
  if (quartiles_valid_) return quartiles_;
  quartiles_ = ComputeQuartiles(EveryRow{});
  quartiles_valid_ = true;
  return quartiles_;
}

CDataColumn::Quartiles CDataColumn::OrderStatisticsLeavingOut(const std::vector<unsigned char>& left_out) const {
  return ComputeQuartiles(KeptRow{left_out});
}

template <typename Keep>
CDataColumn::Quartiles CDataColumn::ComputeQuartiles(Keep&& keep) const {
  // Only a handful of positions of the ordered values are needed: selecting them is linear,
  // where sorting the whole column is not. The rounding to 7 decimals keeps the order (it is
  // monotone), so the raw values are selected and only the selected ones are rounded.
  static thread_local std::vector<double> values;
  values.clear();
  ForEachNumeric([&](int r, double x) {
    if (keep(r)) values.push_back(x);
  });
  const int n = static_cast<int>(values.size());
  const int a = n / 4, u = (3 * n) / 4;
  int wanted[8] = {(n - 1) / 2, n / 2 - 1, n / 2, a - 1, a, u - 1, u, u + 1};
  std::sort(std::begin(wanted), std::end(wanted));
  int* const wanted_end = std::unique(std::begin(wanted), std::end(wanted));
  int* const wanted_begin = std::lower_bound(std::begin(wanted), wanted_end, 0);
  int* const wanted_stop = std::lower_bound(wanted_begin, wanted_end, n);
  double selected[8];
  SelectPositions(values, std::span<const int>(wanted_begin, wanted_stop), selected);
  const auto x = [&](int i) {
    if (i < 0 || i >= n) return -100.0;
    return RoundTo7Decimals(selected[std::lower_bound(wanted_begin, wanted_stop, i) - wanted_begin]);
  };
  Quartiles q{};
  q.median = n % 2 == 1 ? x((n - 1) / 2) : (x(n / 2 - 1) + x(n / 2)) / 2;
  switch (n % 4) {
    case 0:
      q.lower = x(a - 1) + (x(a) - x(a - 1)) / 4;
      q.upper = x(u - 1) + 3 * (x(u) - x(u - 1)) / 4;
      break;
    case 1:
      q.lower = (x(a - 1) + x(a)) / 2;
      q.upper = (x(u) + x(u + 1)) / 2;
      break;
    case 2:
      q.lower = x(a - 1) + 3 * (x(a) - x(a - 1)) / 4;
      q.upper = x(u) + (x(u + 1) - x(u)) / 4;
      break;
    default:
      q.lower = x(a);
      q.upper = x(u);
      break;
  }
  return q;
}

}  // namespace orvel
