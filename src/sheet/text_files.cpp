#include "sheet/text_files.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <new>

#include "sheet/cell_text.h"
#include "sheet/legacy_encoding.h"

namespace orvel {

namespace {

// A line may hold 101 fields (columns 0..100), so at most 100 separators.
constexpr int kMaxSeparatorsPerLine = kLastColumn;

bool IsSeparator(char c) { return c == '\t' || c == ','; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Eight bytes at a time: 0x80 in each byte of x equal to b, 0 in every other (exact: no
// borrow runs from one byte into the next).
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
std::uint64_t BytesEqual(std::uint64_t x, unsigned char b) {
  const std::uint64_t y = x ^ (kOnes * b);
  return ~(((y & kLows) + kLows) | y | kLows);
}

// Measures a text, segment by segment: its lines and whether a line has more fields than
// the sheet has columns. CR LF, LF and a lone CR each end a line (a CR LF split between two
// segments too); a last line without a line end counts when it holds anything.
class TextShape {
 public:
  void Add(std::string_view text) {
    const char* const d = text.data();
    const std::size_t n = text.size();
    std::uint64_t high = 0;
    std::size_t i = 0;
    while (i < n) {
      if (i + 8 <= n) {
        std::uint64_t x;
        std::memcpy(&x, d + i, 8);
        high |= x;
        const std::uint64_t ends = BytesEqual(x, '\n') | BytesEqual(x, '\r');
        if (ends == 0) {
          // The usual word: no line end, so only its separators count.
          // The flags summed by one multiplication (at most 8, so no carry reaches the top).
          separators_ += static_cast<long long>((((BytesEqual(x, '\t') | BytesEqual(x, ',')) >> 7) * kOnes) >> 56);
          open_ = true;
          after_cr_ = false;
          i += 8;
          continue;
        }
        // Byte by byte up to and including the first line end of the word.
        const std::size_t stop = i + static_cast<std::size_t>(std::countr_zero(ends) / 8) + 1;
        for (; i < stop; ++i) Byte(d[i]);
        continue;
      }
      high |= static_cast<unsigned char>(d[i]);
      Byte(d[i++]);
    }
    if ((high & 0x8080808080808080ULL) != 0 && !IsValidUtf8(text)) utf8_ = false;
  }
  long long Lines() const { return lines_ + (open_ ? 1 : 0); }
  // No more lines than rows and no line with more fields than columns.
  bool Fits(int row_count) const {
    return !too_wide_ && separators_ <= kMaxSeparatorsPerLine && Lines() <= static_cast<long long>(row_count);
  }
  bool IsUtf8() const { return utf8_; }

 private:
  void Byte(char c) {
    if (c == '\n' || c == '\r') {
      // The LF of a CR LF ends no second line.
      if (c == '\r' || !after_cr_) ++lines_;
      after_cr_ = c == '\r';
      if (separators_ > kMaxSeparatorsPerLine) too_wide_ = true;
      separators_ = 0;
      open_ = false;
      return;
    }
    after_cr_ = false;
    open_ = true;
    if (IsSeparator(c)) ++separators_;
  }

  long long lines_ = 0;
  long long separators_ = 0;  // on the current line
  bool open_ = false;         // the current line holds something
  bool after_cr_ = false;     // the last byte was a CR
  bool too_wide_ = false;
  bool utf8_ = true;
};

// Places the fields of a text, segment by segment; every segment but the last ends with a
// line end. A field of a sign, digits and at most one point (nearly every field of a data
// file) is checked and parsed in the same walk that finds its end.
class FieldPlacer {
 public:
  FieldPlacer(CORVELDoc& doc, long long lines)
      : doc_(doc), rows_(static_cast<int>(std::min<long long>(lines, doc.RowCount()))) {
    for (int c = 0; c <= kLastColumn; ++c) columns_[static_cast<std::size_t>(c)] = &doc.Column(c);
  }

  void Add(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    int column = 0;
    bool open = false;  // something since the last line end
    while (p < end) {
      const char* const start = p;
      const bool negative = *p == '-';
      if (negative || *p == '+') ++p;
      std::uint64_t mantissa = 0;  // wraps past 19 digits, which the exact path refuses
      int digits = 0;
      const char* point = nullptr;
      for (; p < end; ++p) {
        const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*p)) - '0';
        if (digit < 10) {
          mantissa = mantissa * 10 + digit;
          ++digits;
        } else if (*p == '.' && point == nullptr) {
          point = p;
        } else {
          break;
        }
      }
      bool plain = true;
      if (p < end && !IsSeparator(*p) && !IsLineEnd(*p)) {
        plain = false;
        while (p < end && !IsSeparator(*p) && !IsLineEnd(*p)) ++p;
      }
      const auto size = static_cast<std::size_t>(p - start);
      // The last line may lack its line end; its last field is placed all the same.
      if (p == end && !open && size == 0) break;
      const std::string_view field(start, size);
      if (plain && size > 0 && size <= static_cast<std::size_t>(kMaxCellChars)) {
        const int after_point = point == nullptr ? 0 : static_cast<int>(p - point - 1);
        double value;
        if (!ExactDecimalValue(mantissa, digits, after_point, negative, value)) value = ParseNumber(field);
        if (CDataColumn* to = Target(column)) to->PlaceDataTextInEmptyCell(row_, field, value);
      } else {
        Place(column, field);
      }
      if (p == end) break;
      if (IsSeparator(*p)) {
        ++column;
        open = true;
        ++p;
      } else {
        ++row_;
        column = 0;
        open = false;
        if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
        ++p;
      }
    }
  }

 private:
  // The column a field goes to, sized for the file's rows when its first data row arrives;
  // null outside the sheet (a file that grew after it was measured must still stay within it).
  CDataColumn* Target(int column) {
    if (column > kLastColumn || row_ >= doc_.RowCount()) return nullptr;
    CDataColumn* to = columns_[static_cast<std::size_t>(column)];
    if (row_ >= 1 && !reserved_[static_cast<std::size_t>(column)]) {
      reserved_[static_cast<std::size_t>(column)] = true;
      to->Reserve(rows_, 0);
    }
    return to;
  }

  void Place(int column, std::string_view field) {
    CDataColumn* to = Target(column);
    if (to == nullptr) return;
    // Each cell is visited once and the reset left it empty. A field of at most 19 bytes
    // needs no cut.
    if (field.size() > static_cast<std::size_t>(kMaxCellChars)) field = Utf8Prefix(field, kMaxCellChars);
    to->PlaceText(row_, field);
  }

  CORVELDoc& doc_;
  const int rows_;
  int row_ = 0;
  std::array<CDataColumn*, kColumnCount> columns_{};
  std::array<bool, kColumnCount> reserved_{};
};

// Cuts consecutive pieces of a file into segments that end just after a line end, so that no
// CR LF pair and no UTF-8 character is split; the byte-order mark of the file is dropped.
// Only the part of a line that crosses from one piece into the next is copied.
class LineSegments {
 public:
  template <typename Fn>
  void Feed(std::string_view piece, Fn&& fn) {
    if (piece.empty()) return;
    if (!carry_.empty()) {
      // The first place in the piece where the carried line (and maybe more) ends.
      std::size_t first = std::string_view::npos;
      if (carry_.back() == '\r' && piece[0] != '\n') {
        first = 0;
      } else {
        for (std::size_t i = 0; i < piece.size(); ++i) {
          if (piece[i] == '\n') {
            first = i + 1;
            break;
          }
          if (piece[i] == '\r' && i + 1 < piece.size()) {
            first = piece[i + 1] == '\n' ? i + 2 : i + 1;
            break;
          }
        }
      }
      if (first == std::string_view::npos) {
        carry_.append(piece);
        return;
      }
      carry_.append(piece.substr(0, first));
      Hand(carry_, fn);
      carry_.clear();
      piece.remove_prefix(first);
    }
    std::size_t cut = 0;
    for (std::size_t i = piece.size(); i-- > 0;) {
      const char c = piece[i];
      // A CR as the last byte may be the first half of a CR LF.
      if (c == '\n' || (c == '\r' && i + 1 < piece.size())) {
        cut = i + 1;
        break;
      }
    }
    if (cut > 0) Hand(piece.substr(0, cut), fn);
    carry_.assign(piece.substr(cut));
  }
  template <typename Fn>
  void Finish(Fn&& fn) {
    if (!carry_.empty()) Hand(carry_, fn);
    carry_.clear();
    first_ = true;
  }

 private:
  template <typename Fn>
  void Hand(std::string_view segment, Fn&& fn) {
    if (first_) segment = WithoutByteOrderMark(segment);
    first_ = false;
    fn(segment);
  }

  std::string carry_;
  bool first_ = true;
};

}  // namespace

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  return text;
}

FileOutcome ParseTextData(std::string_view bytes, CORVELDoc& doc) {
  try {
    // Valid UTF-8 is read in place; only a CP932 file needs a decoded copy.
    std::string decoded;
    std::string_view text = bytes;
    if (IsValidUtf8(bytes)) {
      text = WithoutByteOrderMark(bytes);
    } else {
      decoded = Cp932ToUtf8(bytes);
      text = decoded;
    }
    // Checked before the reset, so a refused file leaves the open document as it was.
    TextShape shape;
    shape.Add(text);
    if (!shape.Fits(doc.RowCount())) return Failure(kTextFileTooLargeMessage);
    doc.NewDocument();
    FieldPlacer(doc, shape.Lines()).Add(text);
  } catch (const std::bad_alloc&) {
    return Failure(kTextFileTooLargeMessage);
  }
  return {};
}

FileOutcome ReadTextDataFile(const std::string& path, CORVELDoc& doc) {
  // A UTF-8 file is read twice in pieces (measured, then placed), so it is never held whole
  // beside the cells made from it; a CP932 file is decoded whole.
  PiecewiseFile file;
  FileOutcome outcome = file.Open(path);
  if (!outcome.ok) return outcome;
  try {
    TextShape shape;
    LineSegments lines;
    const auto measure = [&](std::string_view segment) { shape.Add(segment); };
    outcome = file.ReadAll([&](std::string_view piece) { lines.Feed(piece, measure); });
    if (!outcome.ok) return outcome;
    lines.Finish(measure);
    if (!shape.IsUtf8()) {
      std::string bytes;
      outcome = ReadFileBytes(path, bytes, kTextFileTooLargeMessage);
      if (outcome.ok) outcome = ParseTextData(bytes, doc);
    } else if (!shape.Fits(doc.RowCount())) {
      outcome = Failure(kTextFileTooLargeMessage);
    } else {
      doc.NewDocument();
      FieldPlacer placer(doc, shape.Lines());
      const auto place = [&](std::string_view segment) { placer.Add(segment); };
      outcome = file.ReadAll([&](std::string_view piece) { lines.Feed(piece, place); });
      lines.Finish(place);
    }
  } catch (const std::bad_alloc&) {
    return Failure(kTextFileTooLargeMessage);
  }
  if (outcome.ok) doc.SetPathName(DocumentPathForTextFile(path));
  return outcome;
}

std::string DocumentPathForTextFile(const std::string& text_path) {
  std::filesystem::path p(text_path);
  p.replace_extension(".ovd");
  return p.string();
}

std::string SerializeSheetText(const CORVELDoc& doc) {
  const int last_column = doc.RightmostColumnWithText();
  const int last_row = doc.UsedRowCount();
  std::string out;
  std::size_t estimate = 0;
  for (int c = 0; c <= last_column; ++c)
    for (int r = 0; r <= last_row; ++r) estimate += 1 + doc.Text(c, r).size();
  out.reserve(estimate + 2 * static_cast<std::size_t>(last_row + 1));
  for (int r = 0; r <= last_row; ++r) {
    for (int c = 0; c <= last_column; ++c) {
      if (c > 0) out += '\t';
      out.append(doc.Text(c, r));
    }
    out += "\r\n";
  }
  return out;
}

FileOutcome WriteSheetTextFile(const std::string& path, const CORVELDoc& doc) {
  std::string bytes;
  try {
    bytes = SerializeSheetText(doc);
  } catch (const std::bad_alloc&) {
    return Failure("There is not enough memory to save \"" + path + "\".");
  }
  return WriteFileAtomically(path, bytes);
}

std::string ResultTextFileBytes(std::string_view result_text) {
  std::string out;
  out.reserve(result_text.size() + result_text.size() / 16);
  for (const char c : result_text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

FileOutcome WriteResultTextFile(const std::string& path, std::string_view result_text) {
  std::string bytes;
  try {
    bytes = ResultTextFileBytes(result_text);
  } catch (const std::bad_alloc&) {
    return Failure("There is not enough memory to save \"" + path + "\".");
  }
  return WriteFileAtomically(path, bytes);
}

}  // namespace orvel
