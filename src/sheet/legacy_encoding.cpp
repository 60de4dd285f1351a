#include "sheet/legacy_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "sheet/cell_text.h"

namespace orvel {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// Decodes the UTF-8 character at s[i]. Returns the number of bytes it takes and stores the
// code point, or returns 0 when the bytes at i do not start a well-formed character.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t len;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
    cp = b0 & 0x1F;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    cp = b0 & 0x0F;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    cp = b0 & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() - i < len) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// One CP932 -> UTF-8 converter per thread, opened on first use. Opening a converter is far
// dearer than converting a cell, so it is kept for the life of the thread.
class Cp932Converter {
 public:
  Cp932Converter() : cd_(iconv_open("UTF-8", "CP932")) {}
  ~Cp932Converter() {
    if (Available()) iconv_close(cd_);
  }
  Cp932Converter(const Cp932Converter&) = delete;
  Cp932Converter& operator=(const Cp932Converter&) = delete;

  bool Available() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  void Append(std::string_view in, std::string& out) {
    if (!Available()) {
      // Without the code page in the C library only ASCII can be trusted.
      for (char c : in) {
        if (static_cast<unsigned char>(c) < 0x80) out += c;
        else out += kReplacement;
      }
      return;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    const std::size_t start = out.size();
    // A CP932 byte never takes more than 3 UTF-8 bytes (half-width katakana, U+FFFD).
    out.resize(start + 3 * in.size() + 16);
    std::size_t used = start;
    while (src_left > 0) {
      char* dst = out.data() + used;
      std::size_t dst_left = out.size() - used;
      const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      used = static_cast<std::size_t>(dst - out.data());
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        out.resize(out.size() * 2 + 16);
        continue;
      }
      // EILSEQ (a byte that is not CP932) or EINVAL (a character cut off at the end): write
      // U+FFFD for the offending byte and carry on after it. Only one byte is skipped, so a
      // separator that follows a stray lead byte is still seen.
      if (out.size() - used < 3) out.resize(out.size() + 16);
      std::memcpy(out.data() + used, kReplacement, 3);
      used += 3;
      ++src;
      --src_left;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
  }

 private:
  iconv_t cd_;
};

Cp932Converter& ThreadConverter() {
  thread_local Cp932Converter converter;
  return converter;
}

}  // namespace

bool IsAscii(std::string_view bytes) {
  unsigned char any = 0;
  for (char c : bytes) any |= static_cast<unsigned char>(c);
  return any < 0x80;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp;
    const std::size_t len = DecodeUtf8(bytes, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

void AppendCp932AsUtf8(std::string_view cp932, std::string& out) {
  if (IsAscii(cp932)) {
    out.append(cp932);
    return;
  }
  ThreadConverter().Append(cp932, out);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  AppendCp932AsUtf8(cp932, out);
  return out;
}

void AppendUtf16LeAsUtf8(const char* bytes, std::size_t units, std::string& out) {
  const auto unit = [bytes](std::size_t k) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                 (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
  };
  for (std::size_t k = 0; k < units; ++k) {
    const char16_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
      const char16_t low = unit(k + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00), out);
        ++k;
        continue;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) out += kReplacement;
    else AppendUtf8(u, out);
  }
}

std::size_t AppendUtf8AsUtf16Le(std::string_view utf8, std::string& out) {
  std::size_t units = 0;
  const auto put = [&out, &units](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
    ++units;
  };
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp;
    std::size_t len = DecodeUtf8(utf8, i, cp);
    if (len == 0) {
      cp = 0xFFFD;
      len = 1;
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 + (cp >> 10));
      put(0xDC00 + (cp & 0x3FF));
    } else {
      put(cp);
    }
  }
  return units;
}

std::string DecodeTextFileBytes(std::string_view bytes) {
  if (!IsValidUtf8(bytes)) return Cp932ToUtf8(bytes);
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
  return std::string(bytes);
}

}  // namespace orvel
