// Plain-text files: reading a text file into the data sheet, writing the sheet as text, and
// writing the result text.
#pragma once

#include <string>
#include <string_view>

#include "sheet/atomic_file.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// The refusal of a text file that does not fit the sheet (or does not fit in memory).
inline constexpr char kTextFileTooLargeMessage[] = "The file is too large to open.";

// Reads a data text file from memory into the sheet. Fields are separated by '\t' or ','
// (the same); CR LF, LF and a lone CR each end a line, and a last line without a line end is
// read too; only the first 19 characters of a field reach its cell.
// The bytes are read as UTF-8 when they are valid UTF-8 (a leading byte-order mark is
// dropped), otherwise as CP932.
// A file with too many lines for the sheet, or a line with 101 or more separators, is refused
// with kTextFileTooLargeMessage and the document is left exactly as it was; otherwise the
// document is reset as by New and filled through the set-cell operation.
FileOutcome ParseTextData(std::string_view bytes, CORVELDoc& doc);

// The text without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text);

// Open Text File after its dialog: reads the file, ParseTextData, and on success the document
// takes the text file's path with the extension ".ovd" (DocumentPathForTextFile) as its path.
FileOutcome ReadTextDataFile(const std::string& path, CORVELDoc& doc);

// The text file's path with its extension replaced by ".ovd" (appended when it has none).
std::string DocumentPathForTextFile(const std::string& text_path);

// The sheet as text: rows 0..UsedRowCount, columns 0..C (C the rightmost column with text),
// fields separated by '\t', rows ended by "\r\n", UTF-8 without a byte-order mark.
std::string SerializeSheetText(const CORVELDoc& doc);
FileOutcome WriteSheetTextFile(const std::string& path, const CORVELDoc& doc);

// The result text with every "\n" written as "\r\n"; no byte-order mark, nothing appended.
std::string ResultTextFileBytes(std::string_view result_text);
FileOutcome WriteResultTextFile(const std::string& path, std::string_view result_text);

}  // namespace orvel
