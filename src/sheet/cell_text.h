// Helpers for cell texts: UTF-8 character counting and cutting, and the locale-independent
// number parser every cell uses.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The value of a plain decimal text ([+-]digits[.digits]) from its digits read as one whole
// number `mantissa`, when that value is exact: with the whole number within 2^53 and at most 22
// digits after the point, it and 10^k are exact doubles, so one division gives the correctly
// rounded value strtod gives. False (value untouched) otherwise; 1 to 19 digits.
inline bool ExactDecimalValue(std::uint64_t mantissa, int digits, int after_point, bool negative, double& value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (digits == 0 || digits > 19 || mantissa > (std::uint64_t{1} << 53) || after_point > 22) return false;
  const double v = static_cast<double>(mantissa) / kPowersOfTen[after_point];
  value = negative ? -v : v;
  return true;
}

// True when s is a text a data row holds as a number as it is: 1 to 19 bytes, a sign, digit
// or point first, then digits and at most one point in all; `value` is then ParseNumber(s).
// Reading a document, most cells take this path.
bool ScanDataText(std::string_view s, double& value);

// The C library's atof on the "C" locale: the longest numeric prefix after leading white space,
// 0 when there is none. The result does not depend on the process locale.
double ParseNumber(std::string_view text);

// Formats v with "%.7f" and parses it back: the 7-decimal rounding of ranks and medians.
double RoundTo7Decimals(double v);

}  // namespace orvel
