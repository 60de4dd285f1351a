#include "sheet/cell_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace orvel {

namespace {
bool IsContinuationByte(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the character starting at s[i], never running past the end.
std::size_t CharLength(std::string_view s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  std::size_t len = 1;
  if (lead >= 0xF0 && lead < 0xF8) len = 4;
  else if (lead >= 0xE0) len = (lead < 0xF0) ? 3 : 1;
  else if (lead >= 0xC0) len = 2;
  std::size_t n = 1;
  while (n < len && i + n < s.size() && IsContinuationByte(static_cast<unsigned char>(s[i + n]))) ++n;
  return n;
}

locale_t CLocale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
}  // namespace

int Utf8CharCount(std::string_view s) {
  int count = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) ++count;
  return count;
}

std::string_view Utf8Prefix(std::string_view s, int max_chars) {
  std::size_t i = 0;
  for (int n = 0; n < max_chars && i < s.size(); ++n) i += CharLength(s, i);
  return s.substr(0, i);
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf8Encode(char32_t c) {
  std::string out;
  AppendUtf8(c, out);
  return out;
}

namespace {
// The plain decimal texts of data cells ([+-]digits[.digits]) whose digits, read as one whole
// number m, stay within 2^53 with at most 22 of them after the point: then m and 10^k are
// exact doubles and the one division m / 10^k is the correctly rounded value strtod gives.
bool ParseShortDecimal(std::string_view text, double& value) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  std::uint64_t mantissa = 0;
  int digits = 0, after_point = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (++digits > 19) return false;  // 19 digits always fit in 64 bits
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (point) ++after_point;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return ExactDecimalValue(mantissa, digits, after_point, negative, value);
}
}  // namespace

bool ScanDataText(std::string_view s, double& value) {
  if (s.empty() || s.size() > static_cast<std::size_t>(kMaxCellChars)) return false;
  std::size_t i = 0;
  const bool negative = s[0] == '-';
  if (negative || s[0] == '+') i = 1;
  std::uint64_t mantissa = 0;  // wraps past 19 digits, which the exact path refuses
  int digits = 0, after_point = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(s[i])) - '0';
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
      ++digits;
      after_point += point ? 1 : 0;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (!ExactDecimalValue(mantissa, digits, after_point, negative, value)) value = ParseNumber(s);
  return true;
}

double ParseNumber(std::string_view text) {
  double quick = 0;
  if (ParseShortDecimal(text, quick)) return quick;
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  std::string_view rest = text.substr(i);
  // Fast path for the plain decimal texts of data cells: from_chars rounds exactly as strtod.
  bool negative = false;
  std::string_view digits = rest;
  if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  if (!digits.empty() && digits[0] != '+' && digits[0] != '-') {
    double v = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec == std::errc() && ptr == digits.data() + digits.size()) return negative ? -v : v;
  }
  // Anything else (hexadecimal, trailing text, overflow) goes to the C library itself.
  const std::string copy(rest);
  return strtod_l(copy.c_str(), nullptr, CLocale());
}

double RoundTo7Decimals(double v) {
  // Fast exact path: with p + e the exact product v * 10^7 (e from a fused multiply-add),
  // round it half-to-even to the integer n that printf's "%.7f" would print, then n / 10^7
  // is the correctly rounded double that strtod reads back from that text.
  const double p = v * 1e7;
  if (std::fabs(p) < 4503599627370496.0 /* 2^52 */) {
    const double e = std::fma(v, 1e7, -p);
    double n = std::nearbyint(p);  // ties to even under the default rounding mode
    const double d = p - n;        // exact; |d| < 0.5 leaves no room for e to change n
    if (d == 0.5 && e > 0) n += 1;
    else if (d == -0.5 && e < 0) n -= 1;
    const double result = n / 1e7;
    return n == 0 ? std::copysign(0.0, v) : result;
  }
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 7);
  if (res.ec != std::errc()) return v;
  return ParseNumber(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

}  // namespace orvel
