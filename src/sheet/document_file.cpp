#include "sheet/document_file.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

#include "sheet/cell_text.h"
#include "sheet/legacy_encoding.h"

namespace orvel {

static_assert(std::endian::native == std::endian::little,
              "the document reader and writer copy little-endian fields directly");

namespace {

// ---- Field sizes by version ------------------------------------------------------------------

// Sizes of the fields between the cells and the settings version (group flags to regression X).
struct SheetLayout {
  int group_entries;   // entries 0..n-1, entry 0 lands on column 1
  int grid_a, grid_b;  // top-left corner of the 10 x 25 twoway grid
  int labels_a, labels_b;
  int width_entries;       // columns 0..n-1
  int regression_columns;  // columns 1..n
};

SheetLayout LayoutForVersion(std::int32_t v) {
  if (v <= 399) return {31, 5, 5, 5, 5, 31, 30};
  if (v <= 559) return {51, 5, 5, 5, 5, 51, 50};
  if (v <= 1199) return {51, 5, 10, 5, 10, 51, 50};
  if (v <= 1249) return {51, 5, 25, 5, 25, 51, 50};
  return {101, kTwowayALevels, kTwowayBLevels, kTwowayALevels, kTwowayBLevels, 101, 100};
}

// The fields after the settings version.
struct SettingsLayout {
  bool increments_method;  // the oldest files numbered the regression methods from -1
  bool thresholds;         // FIn, FOut
  int pca_entries;         // entries 0..n-1, entry 0 lands on column 1
  int discriminant_slots;  // slots 1..n, group 1 then group 2 per slot
  bool include_data;
  bool p_thresholds;  // PIn, POut
};

SettingsLayout LayoutForSettingsVersion(std::int32_t s) {
  if (s <= 299) return {true, false, 0, 0, false, false};
  if (s <= 309) return {false, true, 31, 0, false, false};
  if (s <= 399) return {false, true, 31, 4, false, false};
  if (s <= 429) return {false, true, 51, 4, false, false};
  if (s <= 439) return {false, true, 51, 4, true, false};
  if (s <= 509) return {false, true, 51, 9, true, false};
  if (s <= 1249) return {false, true, 51, 10, true, false};
  return {false, true, 101, kDiscriminantSlots, true, true};
}

// ---- Versions and other signs of a damaged file ---------------------------------------------

// The data sheet's width over the versions: 30, then 50, then 100 data columns. The sheet
// fields and the settings fields of one file were written by one program, so they agree on it.
int ColumnEraOfVersion(std::int32_t v) { return v <= 399 ? 0 : v <= 1249 ? 1 : 2; }

// A version some program wrote: positive and not newer than this program. A zero (a file
// overwritten with zeros) or a negative number is damage, as is a number from the future,
// whose layout this program could only guess.
bool IsWrittenVersion(std::int32_t v) { return v >= 1 && v <= kDocumentFileVersion; }

bool IsWrittenSettingsVersion(std::int32_t settings_version, std::int32_t version) {
  return settings_version >= 1 && settings_version <= kDocumentSettingsVersion &&
         ColumnEraOfVersion(settings_version) == ColumnEraOfVersion(version);
}

// Bytes after the last field are ignored, but a tail of nothing but zeros is what remains
// when part of a document was overwritten with zeros and the fields before it still parsed.
bool IsZeroFilledTail(std::string_view tail) {
  return !tail.empty() && tail.find_first_not_of('\0') == std::string_view::npos;
}

// ---- Reading ---------------------------------------------------------------------------------

// A string as it lies in the file, decoded only when it is applied.
struct EncodedString {
  const char* data = nullptr;
  std::uint32_t count = 0;  // bytes of an 8-bit string, code units of a UTF-16 string
  bool utf16 = false;
};

void Decode(const EncodedString& s, std::string& out) {
  out.clear();
  if (s.utf16) AppendUtf16LeAsUtf8(s.data, s.count, out);
  else AppendCp932AsUtf8(std::string_view(s.data, s.count), out);
}

std::string Decoded(const EncodedString& s) {
  std::string out;
  Decode(s, out);
  return out;
}

// Reads fields from the bytes of a file; every read checks the bytes that remain first, so a
// damaged length can never lead to a read past the end or a large allocation.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Remaining() const { return bytes_.size() - pos_; }
  std::string_view Rest() const { return bytes_.substr(pos_); }
  std::size_t Position() const { return pos_; }
  // Continues at a position met earlier (the cells, walked again when they are applied).
  void Seek(std::size_t pos) { pos_ = pos < bytes_.size() ? pos : bytes_.size(); }

  bool Int32(std::int32_t& v) { return Raw(&v, 4); }
  bool Double(double& v) { return Raw(&v, 8); }

  bool String(EncodedString& s) {
    std::uint32_t length = 0;
    bool utf16 = false;
    std::uint8_t b;
    if (!Raw(&b, 1)) return false;
    if (b < 0xFF) {
      length = b;
    } else {
      std::uint16_t w;
      if (!Raw(&w, 2)) return false;
      if (w == 0xFFFE) {
        // UTF-16 marker; the length follows again in the same scheme, counting code units.
        utf16 = true;
        if (!Raw(&b, 1)) return false;
        if (b < 0xFF) {
          length = b;
        } else {
          if (!Raw(&w, 2)) return false;
          if (w < 0xFFFF) length = w;
          else if (!Raw(&length, 4)) return false;
        }
      } else if (w < 0xFFFF) {
        length = w;
      } else if (!Raw(&length, 4)) {
        return false;
      }
    }
    const std::uint64_t size = static_cast<std::uint64_t>(length) * (utf16 ? 2 : 1);
    if (size > Remaining()) return false;
    s.data = bytes_.data() + pos_;
    s.count = length;
    s.utf16 = utf16;
    pos_ += static_cast<std::size_t>(size);
    return true;
  }

  bool Int32s(std::vector<std::int32_t>& out, int n) {
    if (static_cast<std::uint64_t>(n) * 4 > Remaining()) return false;
    out.resize(static_cast<std::size_t>(n));
    return Raw(out.data(), static_cast<std::size_t>(n) * 4);
  }

  bool Strings(std::vector<std::string>& out, int n) {
    out.resize(static_cast<std::size_t>(n));
    EncodedString s;
    for (std::string& text : out) {
      if (!String(s)) return false;
      Decode(s, text);
    }
    return true;
  }

 private:
  bool Raw(void* dst, std::size_t n) {
    if (n > Remaining()) return false;
    if (n == 0) return true;  // an empty vector's data() may be null
    std::memcpy(dst, bytes_.data() + pos_, n);
    pos_ += n;
    return true;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// Everything a document file holds, read and checked before the document is touched.
struct DocumentImage {
  std::int32_t version = 0;
  std::string result_text;
  std::int32_t last_column = 0;
  std::int32_t last_row = 0;
  // Where the cells begin: (C+1)(R+1) strings, column-major. They are checked while the
  // image is read and decoded straight from the file's bytes when it is applied, so no copy
  // of 2 million cells is ever held.
  std::size_t cells_at = 0;
  std::int32_t two_group_x = 0, two_group_y = 0;
  SheetLayout sheet{};
  std::vector<std::int32_t> group_entries;
  std::vector<std::int32_t> grid;  // A-level-major, sheet.grid_a x sheet.grid_b
  std::vector<std::string> labels_a, labels_b;
  std::vector<std::int32_t> widths;
  std::vector<std::int32_t> regression_x;
  std::int32_t regression_y = 0, regression_method = 0;
  std::int32_t settings_version = 0;
  SettingsLayout settings{};
  double f_in = 0, f_out = 0;
  std::vector<std::int32_t> pca_entries;
  std::vector<std::int32_t> discriminant;  // group 1, group 2 per slot
  std::int32_t include_data = 0;
  double p_in = 0, p_out = 0;
};

enum class ReadResult { kOk, kDamaged, kTooManyRows };

// Parses the whole file into `image`. With kTooManyRows the rest of the file was still checked
// (so a damaged file is reported as damaged) but its cells were not kept.
ReadResult ReadImage(std::string_view bytes, int row_count, DocumentImage& image) {
  FieldReader in(bytes);
  EncodedString s;
  if (!in.Int32(image.version) || !IsWrittenVersion(image.version) || !in.String(s))
    return ReadResult::kDamaged;
  image.result_text = Decoded(s);
  if (!in.Int32(image.last_column) || !in.Int32(image.last_row)) return ReadResult::kDamaged;
  if (image.last_column < 0 || image.last_column > kLastColumn || image.last_row < 0)
    return ReadResult::kDamaged;

  // Every cell takes at least its one-byte length, which bounds the count before any storage.
  const std::uint64_t rows = static_cast<std::uint64_t>(image.last_row) + 1;
  const std::uint64_t cell_count = (static_cast<std::uint64_t>(image.last_column) + 1) * rows;
  if (cell_count > in.Remaining()) return ReadResult::kDamaged;
  const bool fits = rows <= static_cast<std::uint64_t>(row_count);
  image.cells_at = in.Position();
  for (std::uint64_t i = 0; i < cell_count; ++i)
    if (!in.String(s)) return ReadResult::kDamaged;

  image.sheet = LayoutForVersion(image.version);
  const SheetLayout& sheet = image.sheet;
  if (!in.Int32(image.two_group_x) || !in.Int32(image.two_group_y) ||
      !in.Int32s(image.group_entries, sheet.group_entries) ||
      !in.Int32s(image.grid, sheet.grid_a * sheet.grid_b) ||
      !in.Strings(image.labels_a, sheet.labels_a) || !in.Strings(image.labels_b, sheet.labels_b) ||
      !in.Int32s(image.widths, sheet.width_entries) ||
      !in.Int32s(image.regression_x, sheet.regression_columns) || !in.Int32(image.regression_y) ||
      !in.Int32(image.regression_method) || !in.Int32(image.settings_version) ||
      !IsWrittenSettingsVersion(image.settings_version, image.version))
    return ReadResult::kDamaged;

  image.settings = LayoutForSettingsVersion(image.settings_version);
  const SettingsLayout& settings = image.settings;
  if (settings.thresholds && (!in.Double(image.f_in) || !in.Double(image.f_out)))
    return ReadResult::kDamaged;
  if (!in.Int32s(image.pca_entries, settings.pca_entries) ||
      !in.Int32s(image.discriminant, 2 * settings.discriminant_slots))
    return ReadResult::kDamaged;
  if (settings.include_data && !in.Int32(image.include_data)) return ReadResult::kDamaged;
  if (settings.p_thresholds && (!in.Double(image.p_in) || !in.Double(image.p_out)))
    return ReadResult::kDamaged;
  // Anything after the last field is ignored, unless it is zeros only.
  if (IsZeroFilledTail(in.Rest())) return ReadResult::kDamaged;
  return fits ? ReadResult::kOk : ReadResult::kTooManyRows;
}

// A column number from the file; anything outside the sheet means "none".
int ColumnOrNone(std::int32_t c) { return c >= 0 && c <= kLastColumn ? c : 0; }

void ApplyImage(std::string_view bytes, const DocumentImage& image, CORVELDoc& doc) {
  // The reset of an opened document. Group and PCA flags, the two-group columns, the
  // include-data option and the column widths are not reset: what the file holds replaces
  // them, and an older file's missing entries keep their values.
  doc.Scroll = ScrollOffsets{};
  doc.SetSelection(1, 1, 1, 1);
  doc.CellEditStarted = 0;
  doc.DisplayMode = DisplayKind::kDataSheet;
  doc.ResultText.clear();
  doc.ClearTwowaySettings();
  for (int c = 0; c <= kLastColumn; ++c) doc.Column(c).Clear();
  doc.Column(0).SetKind(CDataColumn::kLabelKind);
  doc.ResetRegressionSettings();
  for (int slot = 1; slot <= kDiscriminantSlots; ++slot) {
    doc.SetDiscriminantSlot(1, slot, 0);
    doc.SetDiscriminantSlot(2, slot, 0);
  }

  doc.ResultText = image.result_text;

  // Cells go through the column's own rules, so a data cell keeps only what it may hold.
  const int rows = image.last_row + 1;
  std::string scratch;
  FieldReader in(bytes);
  in.Seek(image.cells_at);
  EncodedString cell;
  for (int c = 0; c <= image.last_column; ++c) {
    CDataColumn& column = doc.Column(c);
    column.Reserve(rows, 0);
    for (int r = 0; r < rows; ++r) {
      if (!in.String(cell)) return;  // cannot happen: every cell was read before
      // The usual cell: a number in a data row, placed as it is with its value, scanned once.
      double value;
      if (c >= 1 && r >= 1 && !cell.utf16 && ScanDataText(std::string_view(cell.data, cell.count), value)) {
        const std::string_view text(cell.data, cell.count);
        if (CDataColumn::HasDataNumberForm(text)) {
          column.PlaceDataTextInEmptyCell(r, text, value);
          continue;
        }
      }
      std::string_view text;
      if (!cell.utf16 && IsAscii(std::string_view(cell.data, cell.count))) {
        text = std::string_view(cell.data, cell.count);
      } else {
        Decode(cell, scratch);
        text = scratch;
      }
      // Only a numeric cell takes the value of its text; any other keeps the value it had.
      const double kept = column.Value(r);
      column.PlaceText(r, text);
      if (!column.IsNumeric(r)) column.SetValue(r, kept);
    }
  }

  const SheetLayout& sheet = image.sheet;
  doc.SetTwoGroupX(image.two_group_x);
  doc.SetTwoGroupY(image.two_group_y);
  // Entry i goes to column i; the column index clamps into 1..100, so entry 0 (written as a
  // copy of column 1's flag) lands on column 1 and entry 1 then overwrites it.
  for (int i = 0; i < sheet.group_entries; ++i)
    doc.SetGroupColumn(i, image.group_entries[static_cast<std::size_t>(i)] != 0);
  for (int a = 1; a <= sheet.grid_a; ++a)
    for (int b = 1; b <= sheet.grid_b; ++b)
      doc.SetTwowayGridCell(a, b, ColumnOrNone(image.grid[static_cast<std::size_t>((a - 1) * sheet.grid_b + b - 1)]));
  for (int a = 1; a <= sheet.labels_a; ++a) doc.SetTwowayLabelA(a, image.labels_a[static_cast<std::size_t>(a - 1)]);
  for (int b = 1; b <= sheet.labels_b; ++b) doc.SetTwowayLabelB(b, image.labels_b[static_cast<std::size_t>(b - 1)]);
  for (int c = 0; c < sheet.width_entries; ++c) doc.SetColumnWidth(c, image.widths[static_cast<std::size_t>(c)]);
  for (int c = 1; c <= sheet.regression_columns; ++c)
    doc.SetRegressionXColumn(c, image.regression_x[static_cast<std::size_t>(c - 1)] != 0);
  doc.SetRegressionY(image.regression_y);

  const SettingsLayout& settings = image.settings;
  if (settings.increments_method) {
    const std::int64_t method = static_cast<std::int64_t>(image.regression_method) + 1;
    doc.SetRegressionMethod(method >= 0 && method <= 2 ? static_cast<int>(method) : 2);
    doc.SetFIn(2.0);
    doc.SetFOut(2.0);
  } else {
    doc.SetRegressionMethod(image.regression_method);
  }
  if (settings.thresholds) {
    doc.SetFIn(image.f_in);
    doc.SetFOut(image.f_out);
  }
  for (int i = 0; i < settings.pca_entries; ++i)
    doc.SetPcaColumn(i, image.pca_entries[static_cast<std::size_t>(i)] != 0);
  for (int slot = 1; slot <= settings.discriminant_slots; ++slot) {
    const std::size_t k = 2 * static_cast<std::size_t>(slot - 1);
    doc.SetDiscriminantSlot(1, slot, ColumnOrNone(image.discriminant[k]));
    doc.SetDiscriminantSlot(2, slot, ColumnOrNone(image.discriminant[k + 1]));
  }
  if (settings.include_data) doc.SetIncludeDataInResult(image.include_data == 1);
  if (settings.p_thresholds) {
    doc.SetPIn(image.p_in);
    doc.SetPOut(image.p_out);
  }
  doc.Scroll.sheet_x = doc.Scroll.sheet_y = 0;
  doc.Scroll.result_x = doc.Scroll.result_y = 0;
  doc.SetModified(false);
}

FileOutcome ParseNamedDocument(std::string_view bytes, CORVELDoc& doc, const std::string& name) {
  const std::string subject = name.empty() ? std::string("The file") : "\"" + name + "\"";
  try {
    DocumentImage image;
    switch (ReadImage(bytes, doc.RowCount(), image)) {
      case ReadResult::kDamaged:
        return Failure(subject + " is not an ORVEL document or it is damaged.");
      case ReadResult::kTooManyRows: {
        const std::string rows = std::to_string(image.last_row);
        if (image.last_row > kMaxDataRows)
          return Failure(subject + " has " + rows + " data rows, more than a data sheet can hold (" +
                         std::to_string(kMaxDataRows) + ").");
        return Failure(subject + " has " + rows + " data rows but the data sheet has " +
                       std::to_string(doc.RowCount() - 1) + ". Set the number of rows to at least " +
                       rows + " with the Row Numbers command and restart ORVEL.");
      }
      case ReadResult::kOk:
        break;
    }
    ApplyImage(bytes, image, doc);
  } catch (const std::bad_alloc&) {
    return Failure("There is not enough memory to open " + (name.empty() ? std::string("the file") : subject) + ".");
  }
  return {};
}

// ---- Writing ---------------------------------------------------------------------------------

class FieldWriter {
 public:
  explicit FieldWriter(std::string& out) : out_(out) {}

  void Int32(std::int32_t v) { Raw(&v, 4); }
  void Double(double v) { Raw(&v, 8); }

  // ASCII in the 8-bit form (readable by every version); anything else in the UTF-16 form.
  void String(std::string_view text) {
    if (IsAscii(text)) {
      Length(text.size());
      out_.append(text);
      return;
    }
    utf16_.clear();
    const std::size_t units = AppendUtf8AsUtf16Le(text, utf16_);
    Byte(0xFF);
    Word(0xFFFE);
    Length(units);
    out_.append(utf16_);
  }

 private:
  void Raw(const void* p, std::size_t n) { out_.append(static_cast<const char*>(p), n); }
  void Byte(std::uint8_t b) { out_ += static_cast<char>(b); }
  void Word(std::uint16_t w) { Raw(&w, 2); }

  void Length(std::size_t n) {
    if (n < 0xFF) {
      Byte(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
      Byte(0xFF);
      Word(static_cast<std::uint16_t>(n));
    } else {
      if (n >= 0xFFFFFFFFu) throw std::length_error("a string of 4 GiB or more cannot be stored");
      Byte(0xFF);
      Word(0xFFFF);
      const auto n32 = static_cast<std::uint32_t>(n);
      Raw(&n32, 4);
    }
  }

  std::string& out_;
  std::string utf16_;
};

}  // namespace

FileOutcome ParseDocument(std::string_view bytes, CORVELDoc& doc) {
  return ParseNamedDocument(bytes, doc, std::string());
}

FileOutcome ReadDocumentFile(const std::string& path, CORVELDoc& doc) {
  const std::string name = FileNameForMessage(path);
  std::string bytes;
  FileOutcome outcome =
      ReadFileBytes(path, bytes, "There is not enough memory to open \"" + name + "\".");
  if (!outcome.ok) return outcome;
  outcome = ParseNamedDocument(bytes, doc, name);
  if (outcome.ok) doc.SetPathName(path);
  return outcome;
}

std::string SerializeDocument(const CORVELDoc& doc) {
  const int last_column = doc.RightmostColumnWithText();
  const int last_row = doc.UsedRowCount();
  std::string out;
  std::size_t estimate = doc.ResultText.size() + 4096;
  for (int c = 0; c <= last_column; ++c) {
    const CDataColumn& column = doc.Column(c);
    for (int r = 0; r <= last_row; ++r) estimate += 1 + column.Text(r).size();
  }
  out.reserve(estimate);

  FieldWriter w(out);
  w.Int32(kDocumentFileVersion);
  w.String(doc.ResultText);
  w.Int32(last_column);
  w.Int32(last_row);
  for (int c = 0; c <= last_column; ++c) {
    const CDataColumn& column = doc.Column(c);
    for (int r = 0; r <= last_row; ++r) w.String(column.Text(r));
  }
  const DataSettings& s = doc.Settings();
  w.Int32(s.TwoGroupX);
  w.Int32(s.TwoGroupY);
  w.Int32(doc.GroupColumn(1) ? 1 : 0);  // entry 0 repeats column 1
  for (int c = 1; c <= kLastColumn; ++c) w.Int32(doc.GroupColumn(c) ? 1 : 0);
  for (int a = 1; a <= kTwowayALevels; ++a)
    for (int b = 1; b <= kTwowayBLevels; ++b) w.Int32(doc.TwowayGridCell(a, b));
  for (int a = 1; a <= kTwowayALevels; ++a) w.String(doc.TwowayLabelA(a));
  for (int b = 1; b <= kTwowayBLevels; ++b) w.String(doc.TwowayLabelB(b));
  for (int c = 0; c <= kLastColumn; ++c) w.Int32(doc.ColumnWidth(c));
  for (int c = 1; c <= kLastColumn; ++c) w.Int32(doc.RegressionXColumn(c) ? 1 : 0);
  w.Int32(s.RegressionY);
  w.Int32(s.RegressionMethod);
  w.Int32(kDocumentSettingsVersion);
  w.Double(s.FIn);
  w.Double(s.FOut);
  w.Int32(doc.PcaColumn(1) ? 1 : 0);  // entry 0 repeats column 1
  for (int c = 1; c <= kLastColumn; ++c) w.Int32(doc.PcaColumn(c) ? 1 : 0);
  for (int slot = 1; slot <= kDiscriminantSlots; ++slot) {
    w.Int32(doc.DiscriminantSlot(1, slot));
    w.Int32(doc.DiscriminantSlot(2, slot));
  }
  w.Int32(s.IncludeDataInResult);
  w.Double(s.PIn);
  w.Double(s.POut);
  return out;
}

FileOutcome StageDocumentFile(StagedFile& file, const std::string& path, const CORVELDoc& doc) {
  // A target that will be refused is refused before the document is serialized.
  if (auto refusal = CheckSaveTarget(path)) return *refusal;
  std::string bytes;
  try {
    bytes = SerializeDocument(doc);
  } catch (const std::length_error&) {
    return Failure("Cannot save \"" + path + "\": a text in the document is too long for the file format.");
  } catch (const std::bad_alloc&) {
    return Failure("There is not enough memory to save \"" + path + "\".");
  }
  return file.Stage(path, bytes);
}

FileOutcome WriteDocumentFile(const std::string& path, const CORVELDoc& doc) {
  StagedFile file;
  FileOutcome outcome = StageDocumentFile(file, path, doc);
  if (!outcome.ok) return outcome;
  return file.Commit();
}

FileOutcome SaveDocumentFile(const std::string& path, CORVELDoc& doc) {
  FileOutcome outcome = WriteDocumentFile(path, doc);
  if (outcome.ok) {
    doc.SetPathName(path);
    doc.SetModified(false);
  }
  return outcome;
}

}  // namespace orvel
