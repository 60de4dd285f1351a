#include "sheet/text_files.h"

#include <filesystem>
#include <new>

#include "sheet/cell_text.h"
#include "sheet/legacy_encoding.h"

namespace orvel {

namespace {

// A line may hold 101 fields (columns 0..100), so at most 100 separators.
constexpr int kMaxSeparatorsPerLine = kLastColumn;

bool IsSeparator(char c) { return c == '\t' || c == ','; }

// True when the text fits the sheet: fewer lines than rows and no line with more fields than
// columns. A last line without a line end counts as a line when it has a separator, since its
// fields before the last one are placed too; without this its fields would fall off the
// bottom of the sheet unnoticed.
bool FitsSheet(std::string_view text, int row_count) {
  long long lines = 0;
  int separators = 0;
  for (const char c : text) {
    if (c == '\n') {
      ++lines;
      separators = 0;
    } else if (IsSeparator(c)) {
      if (++separators > kMaxSeparatorsPerLine) return false;
    }
  }
  if (separators > 0) ++lines;  // separators only count here when the last line is unended
  return lines < static_cast<long long>(row_count) + 1;
}

void PlaceFields(std::string_view text, CORVELDoc& doc) {
  int row = 0;
  int column = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\n' && !IsSeparator(c)) continue;
    std::string_view field = text.substr(start, i - start);
    const std::size_t cr = field.find('\r');
    if (cr != std::string_view::npos) field = field.substr(0, cr);
    // Each cell is visited once and the reset left it empty, so setting the text and
    // re-parsing is the whole set-cell operation. A field of at most 19 bytes needs no cut.
    if (field.size() > static_cast<std::size_t>(kMaxCellChars)) field = Utf8Prefix(field, kMaxCellChars);
    CDataColumn& cells = doc.Column(column);
    cells.SetText(row, field);
    cells.Reparse(row);
    if (c == '\n') {
      ++row;
      column = 0;
    } else {
      ++column;
    }
    start = i + 1;
  }
  // The text after the last separator or line end is not placed.
}

}  // namespace

FileOutcome ParseTextData(std::string_view bytes, CORVELDoc& doc) {
  try {
    const std::string text = DecodeTextFileBytes(bytes);
    // Checked before the reset, so a refused file leaves the open document as it was.
    if (!FitsSheet(text, doc.RowCount())) return Failure(kTextFileTooLargeMessage);
    doc.NewDocument();
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
