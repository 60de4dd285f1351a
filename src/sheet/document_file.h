// The document file (.ovd): the sheet, the result text and the data settings.
//
// Layout (little-endian, no padding): version, result text, last column C, last row R, the
// (C+1)(R+1) cell texts column by column, then the data settings; every field whose size
// changed over the versions is read by the version that wrote it. Strings carry a length
// prefix (one byte, or 0xFF + 16 bits, or 0xFF 0xFFFF + 32 bits); the prefix 0xFF 0xFFFE
// marks a UTF-16LE string whose length in code units follows in the same scheme.
//
// Reading is all or nothing: the file is parsed and checked into a separate image first and
// the open document is touched only when the whole file was read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/atomic_file.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// Version and settings version written into new files.
inline constexpr std::int32_t kDocumentFileVersion = 2200;
inline constexpr std::int32_t kDocumentSettingsVersion = 2200;
// The most data rows a sheet can have (the Row Numbers command's upper limit).
inline constexpr int kMaxDataRows = 20000;

// Reads a document from memory into `doc`. On failure `doc` is left exactly as it was. On
// success the document is marked not modified; its path is left alone.
FileOutcome ParseDocument(std::string_view bytes, CORVELDoc& doc);

// Opens the document file at `path`: ParseDocument on its bytes, then the document takes
// `path` as its path. Failure messages name the file.
FileOutcome ReadDocumentFile(const std::string& path, CORVELDoc& doc);

// The bytes of the document file for `doc` (current version). Strings that are pure ASCII are
// written in the 8-bit form, all others in the UTF-16 form. Throws std::length_error for a
// string of 4 GiB or more, which the format cannot hold.
std::string SerializeDocument(const CORVELDoc& doc);

// Writes the document file to a temporary file beside `path` (StagedFile); `doc` is not
// changed and `path` is replaced only by file.Commit().
FileOutcome StageDocumentFile(StagedFile& file, const std::string& path, const CORVELDoc& doc);

// Writes the document file atomically; `doc` is not changed.
FileOutcome WriteDocumentFile(const std::string& path, const CORVELDoc& doc);

// Save and Save As: WriteDocumentFile, and on success the document takes `path` as its path
// and is marked not modified.
FileOutcome SaveDocumentFile(const std::string& path, CORVELDoc& doc);

}  // namespace orvel
