// Text encodings met in files: the legacy Japanese code page 932 of older documents and text
// files, and the UTF-16LE strings of the document format. Text inside the program is UTF-8.
//
// Decoding never fails: a byte or unit that cannot be decoded becomes U+FFFD (one per bad
// byte of CP932 or invalid UTF-8, one per lone surrogate of UTF-16), and decoding goes on
// with the next byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvel {

// True when every byte is below 0x80.
bool IsAscii(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut off at the end).
bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 form of CP932 bytes to `out`. ASCII runs are copied without conversion.
void AppendCp932AsUtf8(std::string_view cp932, std::string& out);
std::string Cp932ToUtf8(std::string_view cp932);

// The text of a text file (data, macro): UTF-8 when the bytes are valid UTF-8 (a leading
// byte-order mark dropped), otherwise decoded from CP932.
std::string DecodeTextFileBytes(std::string_view bytes);

// Appends the UTF-8 form of `units` UTF-16LE code units read from `bytes` (which must hold at
// least 2 * units bytes). Surrogate pairs combine; a lone surrogate becomes U+FFFD.
void AppendUtf16LeAsUtf8(const char* bytes, std::size_t units, std::string& out);

// Appends the UTF-16LE bytes of UTF-8 text to `out` (surrogate pairs above U+FFFF) and returns
// the number of code units appended. Invalid UTF-8 bytes become U+FFFD.
std::size_t AppendUtf8AsUtf16Le(std::string_view utf8, std::string& out);

}  // namespace orvel
