#include "analyses/result_text.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace orvel {

namespace {

// Formats one conversion directive ("%" up to and including the conversion
// character) with one argument.
template <typename T>
void AppendOne(std::string& out, const std::string& directive, T value) {
  char small[128];
  const int n = std::snprintf(small, sizeof small, directive.c_str(), value);
  if (n < 0) return;
  if (static_cast<std::size_t>(n) < sizeof small) {
    out.append(small, static_cast<std::size_t>(n));
    return;
  }
  std::vector<char> big(static_cast<std::size_t>(n) + 1);
  std::snprintf(big.data(), big.size(), directive.c_str(), value);
  out.append(big.data(), static_cast<std::size_t>(n));
}

// The width of a conversion ("%9.6f" -> 9, "%-8s" -> 8 left-aligned); -1 when none is given.
void DirectiveWidth(const std::string& directive, int& width, bool& left) {
  width = -1;
  left = false;
  std::size_t i = 1;
  while (i < directive.size() && std::strchr("-+ #0", directive[i]) != nullptr) {
    if (directive[i] == '-') left = true;
    ++i;
  }
  if (i < directive.size() && directive[i] >= '0' && directive[i] <= '9') {
    width = 0;
    while (i < directive.size() && directive[i] >= '0' && directive[i] <= '9') width = width * 10 + (directive[i++] - '0');
  }
}

std::string VFormat(const char* format, va_list args) {
  std::string out;
  const char* p = format;
  while (*p != '\0') {
    if (*p != '%') {
      const char* q = std::strchr(p, '%');
      const std::size_t len = q == nullptr ? std::strlen(p) : static_cast<std::size_t>(q - p);
      out.append(p, len);
      p += len;
      continue;
    }
    if (p[1] == '%') {
      out += '%';
      p += 2;
      continue;
    }
    // Collect flags, width, precision and length modifiers up to the conversion character.
    const char* start = p++;
    while (*p != '\0' && std::strchr("-+ #0123456789.", *p) != nullptr) ++p;
    std::string length;
    while (*p != '\0' && std::strchr("hlLqjzt", *p) != nullptr) length += *p++;
    if (*p == '\0') {
      out.append(start);
      break;
    }
    const char conversion = *p++;
    const std::string directive(start, static_cast<std::size_t>(p - start));
    switch (conversion) {
      case 'd':
      case 'i':
        if (length == "l") AppendOne(out, directive, va_arg(args, long));
        else if (length == "ll") AppendOne(out, directive, va_arg(args, long long));
        else if (length == "z") AppendOne(out, directive, va_arg(args, std::size_t));
        else AppendOne(out, directive, va_arg(args, int));
        break;
      case 'u':
      case 'x':
      case 'X':
      case 'o':
        if (length == "l") AppendOne(out, directive, va_arg(args, unsigned long));
        else if (length == "ll") AppendOne(out, directive, va_arg(args, unsigned long long));
        else if (length == "z") AppendOne(out, directive, va_arg(args, std::size_t));
        else AppendOne(out, directive, va_arg(args, unsigned));
        break;
      case 'c':
        AppendOne(out, directive, va_arg(args, int));
        break;
      case 's':
        AppendOne(out, directive, va_arg(args, const char*));
        break;
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G': {
        const double v = va_arg(args, double);
        if (std::isfinite(v)) {
          AppendOne(out, directive, v);
        } else {
          int width = 0;
          bool left = false;
          DirectiveWidth(directive, width, left);
          std::string word = kUndefinedNumber;
          const int pad = width - static_cast<int>(word.size());
          if (pad > 0) {
            const std::string spaces(static_cast<std::size_t>(pad), ' ');
            word = left ? word + spaces : spaces + word;
          }
          out += word;
        }
        break;
      }
      default:
        out.append(directive);  // unknown conversions are copied as they stand
        break;
    }
  }
  return out;
}

}  // namespace

std::string FormatReport(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = VFormat(format, args);
  va_end(args);
  return out;
}

void AppendReport(CORVELDoc& doc, const char* format, ...) {
  va_list args;
  va_start(args, format);
  doc.AppendResult(VFormat(format, args));
  va_end(args);
}

const char* SignificanceMark(double p) {
  if (p < 0.01) return "**";
  if (p < 0.05) return "*";
  return "";
}

std::string PValueText(double p, const char* number_format) {
  if (p < 0.0001) return "p<0.0001";
  return FormatReport(number_format, p);
}

std::string PValueWithMark(double p, const char* number_format) {
  return PValueText(p, number_format) + SignificanceMark(p);
}

void ListColumnData(CORVELDoc& doc, int column) { ListColumnData(doc, CRowView(doc), column); }

void ListColumnData(CORVELDoc& doc, const CRowView& rows, int column) {
  if (column < 0 || column > kLastColumn) return;
  AppendReport(doc, "\nCol%d : %s\n", column, std::string(rows.Text(column, 0)).c_str());
  const int last = rows.LastNonEmptyRow(column);
  for (int r = 1; r <= last; ++r) {
    const std::string text(rows.Text(column, r));
    AppendReport(doc, (r % 10 == 0 || r == last) ? "%s\n" : "%s, ", text.c_str());
  }
}

void ListSkippedRows(CORVELDoc& doc, const CRowView& rows) {
  if (rows.LeftOutRows().empty()) return;
  doc.AppendResult("\nThe following rows were skipped because they have missing values.\n");
  for (int r : rows.LeftOutRows()) AppendReport(doc, "Row%2d\n", r);
}

}  // namespace orvel
