// Helpers for cell texts: UTF-8 character counting and cutting, and the locale-independent
// number parser every cell uses.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvel {

// A cell holds at most this many characters.
inline constexpr int kMaxCellChars = 19;

// Number of UTF-8 characters in s (a stray continuation byte counts as a character of its own).
int Utf8CharCount(std::string_view s);

// The longest prefix of s holding at most max_chars characters; never splits a character.
std::string_view Utf8Prefix(std::string_view s, int max_chars);

// Encodes one code point as UTF-8 (invalid code points become U+FFFD).
std::string Utf8Encode(char32_t c);
void AppendUtf8(char32_t c, std::string& out);

// The C library's atof on the "C" locale: the longest numeric prefix after leading white space,
// 0 when there is none. The result does not depend on the process locale.
double ParseNumber(std::string_view text);

// Formats v with "%.7f" and parses it back: the 7-decimal rounding of ranks and medians.
double RoundTo7Decimals(double v);

}  // namespace orvel
