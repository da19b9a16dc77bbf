#include "sys/number.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sys {
namespace {

// Rounds num / den to the nearest integer, half to even. den > 0.
__extension__ typedef __int128 i128;

i128 divRoundEven(i128 num, i128 den) {
  i128 q = num / den;
  i128 r = num % den;
  if (r < 0) {  // floor semantics make the half test uniform
    q -= 1;
    r += den;
  }
  i128 twice = 2 * r;
  if (twice > den || (twice == den && (q & 1) != 0)) q += 1;
  return q;
}

int64_t clamp64(i128 v) {
  if (v > INT64_MAX) return INT64_MAX;
  if (v < INT64_MIN) return INT64_MIN;
  return static_cast<int64_t>(v);
}

}  // namespace

Fixed Fixed::fromDouble(double d) {
  if (std::isnan(d)) return Fixed{};
  // Through 15 significant digits first, so that 0.00015 counts as the half it was written as.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", d * kScale);
  double scaled = std::nearbyint(std::strtod(buf, nullptr));  // default rounding mode: half to even
  if (scaled >= 9.2e18) return fromRaw(INT64_MAX);
  if (scaled <= -9.2e18) return fromRaw(INT64_MIN);
  return fromRaw(static_cast<int64_t>(scaled));
}

Fixed& Fixed::operator*=(Fixed o) {
  raw_ = clamp64(divRoundEven(static_cast<i128>(raw_) * o.raw_, kScale));
  return *this;
}

Fixed& Fixed::operator/=(Fixed o) {
  if (o.raw_ == 0) {
    raw_ = 0;
    return *this;
  }
  i128 num = static_cast<i128>(raw_) * kScale;
  i128 den = o.raw_;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  raw_ = clamp64(divRoundEven(num, den));
  return *this;
}

int32_t clampInt(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

namespace {
int32_t clampDouble(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}
}  // namespace

int32_t roundInt(double v) { return clampDouble(std::nearbyint(v)); }
int32_t roundInt(Fixed v) { return clampInt(clamp64(divRoundEven(v.raw(), Fixed::kScale))); }
int32_t Int(double v) { return clampDouble(std::floor(v)); }
int32_t Int(Fixed v) {
  int64_t q = v.raw() / Fixed::kScale;
  if (v.raw() % Fixed::kScale < 0) q -= 1;
  return clampInt(q);
}
int32_t Fix(double v) { return clampDouble(std::trunc(v)); }
int32_t Fix(Fixed v) { return clampInt(v.raw() / Fixed::kScale); }

int32_t divInt(int32_t a, int32_t b) {
  if (b == 0) return 0;
  if (a == INT32_MIN && b == -1) return INT32_MAX;
  return a / b;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads a number starting at text[i] in the manner of the old BASIC Val: blanks anywhere are
// ignored, an "&H" or "&O" prefix reads hex or octal. Returns the value and where it stopped.
double scanNumber(std::string_view text, size_t& i, bool& any) {
  auto skip = [&] {
    while (i < text.size() && isBlank(text[i])) ++i;
  };
  any = false;
  skip();
  if (i + 1 < text.size() && text[i] == '&') {
    char k = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    int base = k == 'H' ? 16 : k == 'O' ? 8 : 0;
    if (base != 0) {
      i += 2;
      int64_t v = 0;
      for (;; ++i) {
        skip();
        if (i >= text.size()) break;
        int c = std::tolower(static_cast<unsigned char>(text[i]));
        int d = std::isdigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : 99;
        if (d >= base) break;
        v = v * base + d;
        any = true;
        if (v > 0xFFFFFFFFLL) break;
      }
      // A literal of 32 bits reads back signed, as the old runtime's long literals did.
      if (v > 0x7FFFFFFFLL && v <= 0xFFFFFFFFLL) v -= 0x100000000LL;
      return static_cast<double>(v);
    }
  }
  std::string digits;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    digits += text[i++];
    skip();
  }
  bool dot = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (isBlank(c)) continue;
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digits += c;
      any = true;
    } else if (c == '.' && !dot) {
      dot = true;
      digits += c;
    } else {
      break;
    }
  }
  if (any && i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
    size_t start = j;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) exp += text[j++];
    if (j > start) {
      digits += exp;
      i = j;
    }
  }
  if (!any) return 0.0;
  double v = std::strtod(digits.c_str(), nullptr);
  // Beyond the range of a double there is no number to give; infinity would poison every sum.
  if (!std::isfinite(v)) {
    any = false;
    return 0.0;
  }
  return v;
}

}  // namespace

double val(std::string_view text) {
  size_t i = 0;
  bool any = false;
  double v = scanNumber(text, i, any);
  return any ? v : 0.0;
}

std::optional<double> parseNumber(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && isBlank(text[b])) ++b;
  while (e > b && isBlank(text[e - 1])) --e;
  std::string_view t = text.substr(b, e - b);
  if (t.empty()) return std::nullopt;
  if (t[0] == '&') {
    // The literal forms: Val reads them, and nothing may follow.
    for (size_t k = 2; k < t.size(); ++k)
      if (isBlank(t[k])) return std::nullopt;
    size_t i = 0;
    bool any = false;
    double v = scanNumber(t, i, any);
    if (!any || i != t.size()) return std::nullopt;
    return v;
  }
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') ++i;
  size_t digits = 0;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t start = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    if (i == start) return std::nullopt;
  }
  if (i != t.size()) return std::nullopt;
  std::string s(t);
  for (char& c : s)
    if (c == 'd' || c == 'D') c = 'e';
  double v = std::strtod(s.c_str(), nullptr);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

std::string toText(Fixed v) {
  int64_t raw = v.raw();
  uint64_t mag = raw < 0 ? uint64_t(0) - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string out = raw < 0 ? "-" : "";
  out += std::to_string(mag / Fixed::kScale);
  uint64_t frac = mag % Fixed::kScale;
  if (frac != 0) {
    std::string f = std::to_string(frac + Fixed::kScale).substr(1);  // four digits with leading zeros
    while (f.back() == '0') f.pop_back();
    out += '.';
    out += f;
  }
  return out;
}

std::string toText(double v) {
  if (std::isnan(v)) return "0";
  if (v == 0) return "0";  // also for -0
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}

}  // namespace sys
