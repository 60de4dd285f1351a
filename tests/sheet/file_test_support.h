// Helpers shared by the file-format tests: a byte builder for document files, a scratch
// folder, and a snapshot of everything a refused read must leave alone.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/document_file.h"
#include "sheet/orvel_doc.h"

namespace orvel::testing {

// Builds document-file bytes field by field, as the tests describe each version's layout.
class DocBytes {
 public:
  DocBytes& I32(std::int32_t v) { return Raw(&v, 4); }
  DocBytes& F64(double v) { return Raw(&v, 8); }
  DocBytes& U8(std::uint8_t v) { return Raw(&v, 1); }
  DocBytes& U16(std::uint16_t v) { return Raw(&v, 2); }
  DocBytes& U32(std::uint32_t v) { return Raw(&v, 4); }
  DocBytes& Repeat(int n, std::int32_t v) {
    for (int i = 0; i < n; ++i) I32(v);
    return *this;
  }
  // An 8-bit string with the shortest length prefix.
  DocBytes& Str(std::string_view s) {
    if (s.size() < 0xFF) {
      U8(static_cast<std::uint8_t>(s.size()));
    } else if (s.size() < 0xFFFE) {
      U8(0xFF).U16(static_cast<std::uint16_t>(s.size()));
    } else {
      U8(0xFF).U16(0xFFFF).U32(static_cast<std::uint32_t>(s.size()));
    }
    bytes.append(s);
    return *this;
  }
  // A UTF-16 string given as code units, with a one-byte unit count.
  DocBytes& Utf16(const std::u16string& units) {
    U8(0xFF).U16(0xFFFE).U8(static_cast<std::uint8_t>(units.size()));
    for (char16_t u : units) U16(static_cast<std::uint16_t>(u));
    return *this;
  }
  DocBytes& Bytes(std::string_view s) {
    bytes.append(s);
    return *this;
  }

  std::string bytes;

 private:
  DocBytes& Raw(const void* p, std::size_t n) {
    bytes.append(static_cast<const char*>(p), n);
    return *this;
  }
};

// A folder of its own under the system's temporary folder, removed with its contents.
class ScratchDir {
 public:
  ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/orvel-files-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data()) != nullptr) path_ = buf.data();
  }
  ~ScratchDir() {
    std::error_code ec;
    // Give back write permission a test may have taken away, so removal works.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Names of the entries in a folder, sorted.
  static std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> Entries() const { return Entries(path_); }

 private:
  std::string path_;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteAll(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Everything about a document that a refused read must leave alone.
inline std::string Snapshot(const CORVELDoc& doc) {
  std::ostringstream s;
  s << SerializeDocument(doc) << '|' << doc.RCodeText << '|' << static_cast<int>(doc.DisplayMode) << '|'
    << doc.CellEditStarted << '|' << doc.IsModified() << '|' << doc.PathName() << '|'
    << doc.UsedRowCount() << '|' << doc.Scroll.sheet_x << ',' << doc.Scroll.sheet_y << ','
    << doc.Scroll.result_x << ',' << doc.Scroll.result_y << '|';
  const Selection& sel = doc.GetSelection();
  s << sel.anchor_row << ',' << sel.anchor_column << ',' << sel.end_row << ',' << sel.end_column;
  const int used = doc.UsedRowCount();
  for (int c = 0; c <= kLastColumn; ++c) {
    s << '|' << doc.Column(c).LastUsedRow() << ',' << static_cast<int>(doc.SortColumns[static_cast<std::size_t>(c)]);
    for (int r = 1; r <= used; ++r)
      if (doc.IsNumeric(c, r)) s << ',' << doc.Value(c, r);
  }
  return s.str();
}

// A document with something in every part that a read could disturb.
inline void FillWithOtherWork(CORVELDoc& doc) {
  doc.SetCell(0, 0, "old");
  doc.SetCell(1, 0, "Weight");
  doc.SetCell(1, 1, "61.5");
  doc.SetCell(2, 3, "7");
  doc.ResultText = "earlier report\n";
  doc.RCodeText = "x <- 1";
  doc.SetTwoGroupX(5);
  doc.SetGroupColumn(4, true);
  doc.SetPcaColumn(6, true);
  doc.SetTwowayGridCell(2, 3, 8);
  doc.SetTwowayLabelA(1, "dose");
  doc.SetRegressionMethod(0);
  doc.SetFIn(3.0);
  doc.SetDiscriminantSlot(1, 2, 9);
  doc.SetIncludeDataInResult(true);
  doc.SetColumnWidth(3, 120);
  doc.SetSelection(4, 2, 6, 3);
  doc.DisplayMode = DisplayKind::kResult;
  doc.Scroll.result_y = 40;
  doc.SetPathName("/home/user/old.ovd");
  doc.SetModified(true);
}

}  // namespace orvel::testing
