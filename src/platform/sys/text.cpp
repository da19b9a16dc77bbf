#include "sys/text.h"

#include <iconv.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sys {
namespace {

void appendUtf8Impl(std::string& out, char32_t c) {
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

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
size_t utf8Length(std::string_view text, size_t i, char32_t* cp = nullptr) {
  auto b = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char c = b(i);
  size_t n;
  char32_t v, min;
  if (c < 0x80) {
    if (cp) *cp = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    n = 2, v = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3, v = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4, v = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > text.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    v = (v << 6) | (b(i + k) & 0x3F);
  }
  if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
  if (cp) *cp = v;
  return n;
}


// ---- number patterns ----

struct Pattern {
  std::string prefix, suffix;
  int intMin = 0;      // '0's before the point
  int decimals = 0;    // '0's and '#'s after the point
  int decMin = 0;      // '0's after the point
  bool point = false;  // a '.' in the pattern
  bool group = false;  // a ',' among the integer digits
};

Pattern parsePattern(std::string_view p) {
  Pattern out;
  size_t begin = p.find_first_of("0#.,");
  if (begin == std::string_view::npos) {
    out.prefix = std::string(p);
    return out;
  }
  size_t end = begin;
  while (end < p.size() && std::string_view("0#.,").find(p[end]) != std::string_view::npos) ++end;
  out.prefix = std::string(p.substr(0, begin));
  out.suffix = std::string(p.substr(end));
  bool afterPoint = false;
  for (char c : p.substr(begin, end - begin)) {
    if (c == '.') {
      if (afterPoint) break;  // a second point ends the number part
      afterPoint = out.point = true;
    } else if (c == ',') {
      if (!afterPoint) out.group = true;
    } else if (afterPoint) {
      ++out.decimals;
      if (c == '0') out.decMin = out.decimals;
    } else if (c == '0') {
      ++out.intMin;
    }
  }
  return out;
}

// digits: the decimal digits of the magnitude, the point after the first `pointPos` of them.
std::string formatDigits(std::string digits, int pointPos, bool negative, const Pattern& pat) {
  if (pointPos <= 0) {
    digits.insert(0, static_cast<size_t>(1 - pointPos), '0');
    pointPos = 1;
  }
  if (static_cast<size_t>(pointPos) > digits.size()) digits.append(static_cast<size_t>(pointPos) - digits.size(), '0');
  size_t cut = static_cast<size_t>(pointPos + pat.decimals);
  bool roundUp = false;
  if (cut < digits.size()) {
    roundUp = digits[cut] >= '5';
    digits.resize(cut);
  } else {
    digits.append(cut - digits.size(), '0');
  }
  if (roundUp) {
    size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
    if (k == 0) {
      digits.insert(0, 1, '1');
      ++pointPos;
    } else {
      ++digits[k - 1];
    }
  }
  std::string whole = digits.substr(0, static_cast<size_t>(pointPos));
  std::string frac = digits.substr(static_cast<size_t>(pointPos));
  size_t lead = whole.find_first_not_of('0');
  whole = lead == std::string::npos ? std::string() : whole.substr(lead);
  if (whole.size() < static_cast<size_t>(pat.intMin)) whole.insert(0, pat.intMin - whole.size(), '0');
  while (frac.size() > static_cast<size_t>(pat.decMin) && frac.back() == '0') frac.pop_back();
  if (pat.group && whole.size() > 3) {
    for (size_t k = whole.size() - 3; k > 0; k -= 3) {
      whole.insert(k, 1, ',');
      if (k <= 3) break;
    }
  }
  bool nonzero = digits.find_first_not_of('0') != std::string::npos;
  std::string out;
  if (negative && nonzero) out += '-';
  out += pat.prefix;
  out += whole;
  if (pat.point && (pat.decimals > 0 || !frac.empty())) {
    out += '.';
    out += frac;
  }
  out += pat.suffix;
  return out;
}

}  // namespace

std::string format(double value, std::string_view pattern) {
  if (!std::isfinite(value)) value = 0;
  if (pattern.empty()) return toText(value);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  // "d.dddddddddddddde+XX": fifteen significant digits and the exponent.
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  return formatDigits(digits, exponent + 1, value < 0, parsePattern(pattern));
}

std::string format(Fixed value, std::string_view pattern) {
  if (pattern.empty()) return toText(value);
  int64_t raw = value.raw();
  // The magnitude of INT64_MIN does not fit; its last digit changes nothing a pattern shows.
  uint64_t mag = raw < 0 ? uint64_t(0) - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string digits = std::to_string(mag);
  return formatDigits(digits, static_cast<int>(digits.size()) - 4, raw < 0, parsePattern(pattern));
}

std::string formatTime(const std::tm& t, std::string_view pattern) {
  std::string out;
  bool afterHour = false;
  auto num = [&](int v, size_t width) {
    std::string s = std::to_string(v);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    out += s;
  };
  for (size_t i = 0; i < pattern.size();) {
    char c = static_cast<char>(pattern[i] | 0x20);
    bool token = c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's';
    if (!token || (pattern[i] & 0x80)) {
      out += pattern[i++];
      continue;
    }
    size_t n = 1;
    while (i + n < pattern.size() && (pattern[i + n] | 0x20) == c) ++n;
    i += n;
    size_t w = n >= 2 ? 2 : 1;
    switch (c) {
      case 'y':
        if (n >= 3)
          num(t.tm_year + 1900, 4);
        else
          num((t.tm_year + 1900) % 100, 2);
        break;
      case 'm': num(afterHour ? t.tm_min : t.tm_mon + 1, w); break;
      case 'd': num(t.tm_mday, w); break;
      case 'h': num(t.tm_hour, w); break;
      case 'n': num(t.tm_min, w); break;
      case 's': num(t.tm_sec, w); break;
    }
    afterHour = c == 'h';
  }
  return out;
}

std::string formatTime(std::time_t t, std::string_view pattern) {
  std::tm local{};
  localtime_r(&t, &local);
  return formatTime(local, pattern);
}

// ---- case and width ----

namespace {

// Full-width katakana for U+FF61..U+FF9F.
constexpr char16_t kWideKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,
};
static_assert(sizeof kWideKana / sizeof kWideKana[0] == 0xFF9F - 0xFF61 + 1);

bool takesVoicedMark(char32_t half) {
  return half == 0xFF73 || (half >= 0xFF76 && half <= 0xFF84) || (half >= 0xFF8A && half <= 0xFF8E);
}
bool takesSemiVoicedMark(char32_t half) { return half >= 0xFF8A && half <= 0xFF8E; }

bool isUpper(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 0xFF21 && c <= 0xFF3A); }
bool isLower(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 0xFF41 && c <= 0xFF5A); }
char32_t toUpper(char32_t c) { return isLower(c) ? c - 0x20 : c; }
char32_t toLower(char32_t c) { return isUpper(c) ? c + 0x20 : c; }
bool isWordBreak(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0 || c == 0x3000; }

}  // namespace

std::string strConv(std::string_view text, int flags) {
  std::u32string cps = toCodePoints(text);
  std::string out;
  out.reserve(text.size() * 3);
  int caseFlags = flags & kProperCase;
  bool wordStart = true;
  for (size_t i = 0; i < cps.size(); ++i) {
    char32_t c = cps[i];
    if (caseFlags == kUpperCase)
      c = toUpper(c);
    else if (caseFlags == kLowerCase)
      c = toLower(c);
    else if (caseFlags == kProperCase)
      c = wordStart ? toUpper(c) : toLower(c);
    wordStart = isWordBreak(c);
    if ((flags & kWide) && !(flags & kNarrow)) {
      if (c == ' ') {
        c = 0x3000;
      } else if (c > 0x20 && c < 0x7F) {
        c = c - 0x21 + 0xFF01;
      } else if (c >= 0xFF61 && c <= 0xFF9F) {
        char32_t half = c;
        c = kWideKana[half - 0xFF61];
        char32_t next = i + 1 < cps.size() ? cps[i + 1] : 0;
        if (next == 0xFF9E && takesVoicedMark(half)) {
          c = half == 0xFF73 ? char32_t{0x30F4} : c + 1;
          ++i;
        } else if (next == 0xFF9F && takesSemiVoicedMark(half)) {
          c += 2;
          ++i;
        }
      }
    } else if ((flags & kNarrow) && !(flags & kWide)) {
      if (c == 0x3000)
        c = ' ';
      else if (c >= 0xFF01 && c <= 0xFF5E)
        c = c - 0xFF01 + 0x21;
    }
    appendUtf8Impl(out, c);
  }
  return out;
}

// ---- files ----

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool isValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    size_t n = utf8Length(bytes, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string decodeTextFile(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  if (isValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // Without the converter, keep what is readable and mark the rest.
    for (size_t i = 0; i < bytes.size();) {
      size_t n = utf8Length(bytes, i);
      if (n == 0) {
        appendUtf8Impl(out, 0xFFFD);
        n = 1;
      } else {
        out.append(bytes.substr(i, n));
      }
      i += n;
    }
    return out;
  }
  std::string in(bytes);
  char* src = in.data();
  size_t left = in.size();
  char buf[4096];
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, static_cast<size_t>(dst - buf));
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // An invalid or cut-off sequence: one replacement character per bad byte.
      appendUtf8Impl(out, 0xFFFD);
      ++src;
      --left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

char32_t nextCodePoint(std::string_view text, size_t& i) {
  char32_t c = 0xFFFD;
  size_t n = utf8Length(text, i, &c);
  if (n == 0) {
    c = 0xFFFD;
    n = 1;
  }
  i += n;
  return c;
}

void appendUtf8(std::string& out, char32_t c) { appendUtf8Impl(out, c); }

std::u32string toCodePoints(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) out += nextCodePoint(text, i);
  return out;
}

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) appendUtf8Impl(out, c);
  return out;
}

}  // namespace sys
