#include "sheet/text_files.h"

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

// What a fitting text holds: its line count and the bytes of each column's fields, so that
// the columns can be sized once before the cells are placed.
struct TextShape {
  long long lines = 0;
  std::array<std::size_t, kColumnCount> column_bytes{};
};

// True when the text fits the sheet: no more lines than rows and no line with more fields
// than columns. CR LF, LF and a lone CR each end a line; a last line without a line end
// counts when it holds anything.
bool FitsSheet(std::string_view text, int row_count, TextShape& shape) {
  long long lines = 0;
  int separators = 0;
  bool open = false;  // the current line holds something
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (IsLineEnd(c)) {
      ++lines;
      separators = 0;
      open = false;
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    } else {
      open = true;
      if (IsSeparator(c)) {
        if (++separators > kMaxSeparatorsPerLine) return false;
      } else {
        ++shape.column_bytes[static_cast<std::size_t>(separators)];
      }
    }
  }
  if (open) ++lines;
  shape.lines = lines;
  return lines <= static_cast<long long>(row_count);
}

void PlaceField(CORVELDoc& doc, int row, int column, std::string_view field) {
  // Each cell is visited once and the reset left it empty, so setting the text and
  // re-parsing is the whole set-cell operation. A field of at most 19 bytes needs no cut.
  if (field.size() > static_cast<std::size_t>(kMaxCellChars)) field = Utf8Prefix(field, kMaxCellChars);
  CDataColumn& cells = doc.Column(column);
  cells.SetText(row, field);
  cells.Reparse(row);
}

void PlaceFields(std::string_view text, CORVELDoc& doc) {
  int row = 0;
  int column = 0;
  std::size_t start = 0;
  bool open = false;
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (IsSeparator(c)) {
      PlaceField(doc, row, column, text.substr(start, i - start));
      ++column;
      start = i + 1;
      open = true;
    } else if (IsLineEnd(c)) {
      PlaceField(doc, row, column, text.substr(start, i - start));
      ++row;
      column = 0;
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      start = i + 1;
      open = false;
    } else {
      open = true;
    }
  }
  // The last line may lack its line end; its last field is placed all the same.
  if (open) PlaceField(doc, row, column, text.substr(start));
}

}  // namespace

FileOutcome ParseTextData(std::string_view bytes, CORVELDoc& doc) {
  try {
    // Valid UTF-8 is read in place; only a CP932 file needs a decoded copy.
    std::string decoded;
    std::string_view text = bytes;
    if (IsValidUtf8(bytes)) {
      constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
      if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
    } else {
      decoded = Cp932ToUtf8(bytes);
      text = decoded;
    }
    // Checked before the reset, so a refused file leaves the open document as it was.
    TextShape shape;
    if (!FitsSheet(text, doc.RowCount(), shape)) return Failure(kTextFileTooLargeMessage);
    doc.NewDocument();
    for (int c = 0; c <= kLastColumn; ++c) {
      const std::size_t bytes_in_column = shape.column_bytes[static_cast<std::size_t>(c)];
      if (bytes_in_column > 0) doc.Column(c).Reserve(static_cast<int>(shape.lines), bytes_in_column);
    }
    PlaceFields(text, doc);
  } catch (const std::bad_alloc&) {
    return Failure(kTextFileTooLargeMessage);
  }
  return {};
}

FileOutcome ReadTextDataFile(const std::string& path, CORVELDoc& doc) {
  std::string bytes;
  FileOutcome outcome = ReadFileBytes(path, bytes, kTextFileTooLargeMessage);
  if (!outcome.ok) return outcome;
  outcome = ParseTextData(bytes, doc);
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
