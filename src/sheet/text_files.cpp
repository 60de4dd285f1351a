#include "sheet/text_files.h"

#include <algorithm>
#include <array>
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

// Measures a text, segment by segment: its lines, the widest line and the bytes of each
// column's fields (so that the columns can be sized once before the cells are placed).
// CR LF, LF and a lone CR each end a line; a last line without a line end counts when it
// holds anything.
class TextShape {
 public:
  void Add(std::string_view text) {
    const std::size_t n = text.size();
    unsigned char high = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const char c = text[i];
      high |= static_cast<unsigned char>(c);
      if (IsLineEnd(c)) {
        ++lines_;
        separators_ = 0;
        open_ = false;
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      } else {
        open_ = true;
        if (IsSeparator(c)) {
          if (++separators_ > kMaxSeparatorsPerLine) too_wide_ = true;
        } else if (separators_ <= kMaxSeparatorsPerLine) {
          ++column_bytes_[static_cast<std::size_t>(separators_)];
        }
      }
    }
    if ((high & 0x80) != 0 && !IsValidUtf8(text)) utf8_ = false;
  }
  long long Lines() const { return lines_ + (open_ ? 1 : 0); }
  // No more lines than rows and no line with more fields than columns.
  bool Fits(int row_count) const { return !too_wide_ && Lines() <= static_cast<long long>(row_count); }
  bool IsUtf8() const { return utf8_; }
  void ReserveColumns(CORVELDoc& doc) const {
    for (int c = 0; c <= kLastColumn; ++c) {
      const std::size_t bytes = column_bytes_[static_cast<std::size_t>(c)];
      if (bytes > 0) doc.Column(c).Reserve(static_cast<int>(std::min<long long>(Lines(), doc.RowCount())), bytes);
    }
  }

 private:
  long long lines_ = 0;
  int separators_ = 0;
  bool open_ = false;  // the current line holds something
  bool too_wide_ = false;
  bool utf8_ = true;
  std::array<std::size_t, kColumnCount> column_bytes_{};
};

// Places the fields of a text, segment by segment; every segment but the last ends with a
// line end.
class FieldPlacer {
 public:
  explicit FieldPlacer(CORVELDoc& doc) : doc_(doc) {}

  void Add(std::string_view text) {
    int column = 0;
    std::size_t start = 0;
    bool open = false;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
      const char c = text[i];
      if (IsSeparator(c)) {
        Place(column, text.substr(start, i - start));
        ++column;
        start = i + 1;
        open = true;
      } else if (IsLineEnd(c)) {
        Place(column, text.substr(start, i - start));
        ++row_;
        column = 0;
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
        open = false;
      } else {
        open = true;
      }
    }
    // The last line may lack its line end; its last field is placed all the same.
    if (open) Place(column, text.substr(start));
  }

 private:
  void Place(int column, std::string_view field) {
    // A file that grew after it was measured must still stay within the sheet.
    if (column > kLastColumn || row_ >= doc_.RowCount()) return;
    // Each cell is visited once and the reset left it empty. A field of at most 19 bytes
    // needs no cut.
    if (field.size() > static_cast<std::size_t>(kMaxCellChars)) field = Utf8Prefix(field, kMaxCellChars);
    doc_.Column(column).PlaceText(row_, field);
  }

  CORVELDoc& doc_;
  int row_ = 0;
};

// Cuts consecutive pieces of a file into segments that end just after a line end, so that no
// CR LF pair and no UTF-8 character is split; the byte-order mark of the file is dropped.
class LineSegments {
 public:
  template <typename Fn>
  void Feed(std::string_view piece, Fn&& fn) {
    carry_.append(piece);
    std::size_t cut = 0;
    for (std::size_t i = carry_.size(); i-- > 0;) {
      const char c = carry_[i];
      // A CR as the last byte may be the first half of a CR LF.
      if (c == '\n' || (c == '\r' && i + 1 < carry_.size())) {
        cut = i + 1;
        break;
      }
    }
    if (cut == 0) return;
    Hand(std::string_view(carry_).substr(0, cut), fn);
    carry_.erase(0, cut);
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
    shape.ReserveColumns(doc);
    FieldPlacer(doc).Add(text);
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
      shape.ReserveColumns(doc);
      FieldPlacer placer(doc);
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
